#pragma once

#include <string>
#include <string_view>

namespace platform::posix {

// Writes all of bytes at the start of the file, retrying short writes and interruptions.
// Returns 0, or the errno of the failure.
int writeAllAt(int fd, std::string_view bytes);

// Syncs the folder's entries to the disk, so that a file just made or removed stays so after a
// crash. Returns 0, or the errno of the failure.
int syncFolder(const std::string& folder);

} // namespace platform::posix
