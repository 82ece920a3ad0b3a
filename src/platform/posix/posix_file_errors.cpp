// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_file_errors.h"

#include <cerrno>
#include <cstring>

namespace platform::posix {

FileFault faultOf(int error, FileCall call) {
    switch (error) {
    case ENOENT:
        return call == FileCall::Writing ? FileFault::PathNotFound : FileFault::NotFound;
    case ENOTDIR:
        return FileFault::PathNotFound;
    case EACCES:
    case EPERM:
        return call == FileCall::LookingUp ? FileFault::NotSearchable : FileFault::AccessDenied;
    case EROFS:
        return FileFault::ReadOnly;
    case ETXTBSY:
    case EBUSY:
        return FileFault::InUse;
    case EISDIR:
        return FileFault::IsFolder;
    case ELOOP:
        return FileFault::LinkLoop;
    case ENAMETOOLONG:
    case EILSEQ:
        return FileFault::BadName;
    case ENOSPC:
    case EDQUOT:
        return FileFault::DiskFull;
    case EIO:
        return FileFault::DeviceIO;
    case EMFILE:
    case ENFILE:
        return FileFault::TooManyFiles;
    default:
        return FileFault::Other;
    }
}

void failWith(int error, FileCall call) {
    throw FileError(faultOf(error, call), std::strerror(error));
}

} // namespace platform::posix
