// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_program_location.h"

#include "platform/error.h"
#include "wide_text.h"
#include "win_error.h"
#include "win_text_files.h"

#include <windows.h>

namespace platform::win {

namespace {

// The text a Win32 call writes into a buffer. Such calls give the length written, or, where
// the buffer is too small, the size it needs: they are made with MAX_PATH first and once more
// with that size. Empty when the call fails.
template <typename Fill> std::wstring filledBuffer(Fill fill) {
    std::wstring text(MAX_PATH, L'\0');
    DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length > text.size()) {
        text.resize(length);
        length = fill(text.data(), static_cast<DWORD>(text.size()));
    }
    if (length == 0 || length > text.size()) {
        return {};
    }
    text.resize(length);
    return text;
}

} // namespace

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

bool WinProgramLocation::exists(const std::string& path) {
    return GetFileAttributesW(wideText(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WinProgramLocation::canWriteIn(const std::string& directory) {
    std::wstring folder = wideText(directory);
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    const std::wstring probe =
        folder + L".morvane-write-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void WinProgramLocation::createDirectory(const std::string& directory) {
    try {
        WinTextFiles().makePrivateFolder(directory);
    } catch (const FileError& error) {
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           "无法创建目录“" + directory + "”：" + error.what());
    }
}

std::string WinProgramLocation::userConfigDirectory() {
    return utf8Text(filledBuffer([](wchar_t* buffer, DWORD size) {
        return GetEnvironmentVariableW(L"APPDATA", buffer, size);
    }));
}

std::string WinProgramLocation::findOnSearchPath(const std::string& name) {
    const std::wstring wideName = wideText(name);
    const std::wstring found = filledBuffer([&](wchar_t* buffer, DWORD size) {
        return SearchPathW(nullptr, wideName.c_str(), L".exe", size, buffer, nullptr);
    });
    if (found.empty()) {
        return {};
    }
    // Links resolved: the path of the file the handle finally opens.
    const HANDLE file = CreateFileW(found.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return utf8Text(found);
    }
    std::wstring final = filledBuffer([&](wchar_t* buffer, DWORD size) {
        return GetFinalPathNameByHandleW(file, buffer, size, 0);
    });
    CloseHandle(file);
    if (final.empty()) {
        return utf8Text(found);
    }
    if (final.starts_with(L"\\\\?\\UNC\\")) {
        final = L"\\" + final.substr(7);
    } else if (final.starts_with(L"\\\\?\\")) {
        final = final.substr(4);
    }
    return utf8Text(final);
}

} // namespace platform::win
