// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>

namespace platform::win {

// The system's own words for a Win32 error code (FormatMessageW), without the final line end.
std::string systemMessage(unsigned long error);

// What a failing call was doing, where the same code means different things.
enum class FileCall {
    // Opening or reading a file that should be there: a missing folder is a missing file.
    Reading,
    // Making, writing or renaming: a missing name is a missing folder.
    Writing,
    // Following the path to a file.
    LookingUp,
};

// The fault a Win32 error code stands for.
FileFault faultOf(unsigned long error, FileCall call);

// The FileError of the code, with the system's words for it.
[[noreturn]] void failWith(unsigned long error, FileCall call);

} // namespace platform::win
