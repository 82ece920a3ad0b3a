#include "win_error.h"

#include "platform/error.h"
#include "wide_text.h"

#include <windows.h>

namespace platform::win {

namespace {

// Numbers of their own for the failures that are neither a missing file, an access error nor
// a full disk, in the customary numbering of file errors.
constexpr int DeviceIoError = 57;
constexpr int TooManyFiles = 67;

int otherErrorNumber(unsigned long error) {
    return error == ERROR_TOO_MANY_OPEN_FILES ? TooManyFiles : DeviceIoError;
}

bool isAccessError(unsigned long error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANT_RESOLVE_FILENAME:
        return true;
    default:
        return false;
    }
}

} // namespace

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

int readErrorNumber(unsigned long error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return ErrorNumber::FileNotFound;
    }
    return isAccessError(error) ? ErrorNumber::PathFileAccess : otherErrorNumber(error);
}

int writeErrorNumber(unsigned long error) {
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) {
        return ErrorNumber::DiskFull;
    }
    if (isAccessError(error) || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return ErrorNumber::PathFileAccess;
    }
    return otherErrorNumber(error);
}

} // namespace platform::win
