#pragma once

#include <string>

namespace platform::win {

// The system's own words for a Win32 error code (FormatMessageW), without the final line end.
std::string systemMessage(unsigned long error);

// The numbers the commands tell apart, for a failure to read or to write a file.
int readErrorNumber(unsigned long error);
int writeErrorNumber(unsigned long error);

} // namespace platform::win
