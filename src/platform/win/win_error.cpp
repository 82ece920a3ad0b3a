// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_error.h"

#include "wide_text.h"

#include <windows.h>

namespace platform::win {

std::string systemMessage(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length == 0 ? std::wstring() : std::wstring(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return "系统错误 " + std::to_string(error);
    }
    return utf8Text(text);
}

FileFault faultOf(unsigned long error, FileCall call) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return call == FileCall::Writing ? FileFault::PathNotFound : FileFault::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
        return call == FileCall::Reading ? FileFault::NotFound : FileFault::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        return FileFault::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return FileFault::InUse;
    case ERROR_WRITE_PROTECT:
        return FileFault::ReadOnly;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_PATHNAME:
        return FileFault::BadName;
    case ERROR_CANT_RESOLVE_FILENAME:
        return FileFault::LinkLoop;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileFault::DiskFull;
    case ERROR_TOO_MANY_OPEN_FILES:
        return FileFault::TooManyFiles;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return FileFault::DeviceIO;
    default:
        return FileFault::Other;
    }
}

void failWith(unsigned long error, FileCall call) {
    throw FileError(faultOf(error, call), systemMessage(error));
}

} // namespace platform::win
