// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform::posix {

// Gives the open file fd what the file at from has besides its content: owner and group, the
// permission bits, and every extended attribute this process may read and set (user.*,
// security.*, and with system.posix_acl_access the access list). False when any of it could
// not be given, for example an owner only the administrator may give a file.
bool copyAttributes(const std::string& from, int fd);

// The permission bits a new file of this process gets: 0666 less the umask.
bool giveNewFileMode(int fd);

} // namespace platform::posix
