#include "win_program_location.h"

#include "platform/error.h"
#include "wide_text.h"
#include "win_error.h"

#include <windows.h>

namespace platform::win {

std::wstring WinProgramLocation::folderOfExecutable(std::wstring_view executable) {
    const std::size_t separator = executable.rfind(L'\\');
    if (separator == std::wstring_view::npos) {
        return {};
    }
    const std::wstring_view folder = executable.substr(0, separator);
    const bool driveRoot = folder.size() == 2 && folder[1] == L':';
    return std::wstring(driveRoot ? executable.substr(0, separator + 1) : folder);
}

std::string WinProgramLocation::programDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            const DWORD error = GetLastError();
            throw RuntimeError(ErrorNumber::FileNotFound,
                               "无法确定程序所在的目录：" + systemMessage(error));
        }
        // A path that fills the buffer may have been cut off.
        if (length < path.size()) {
            path.resize(length);
            return utf8Text(folderOfExecutable(path));
        }
        path.resize(path.size() * 2);
    }
}

} // namespace platform::win
