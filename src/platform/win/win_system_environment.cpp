// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_system_environment.h"

#include "platform/win/wide_text.h"
#include "win_api.h"

#include <cwctype>
#include <sddl.h>
#include <shlobj.h>

namespace platform::win {

namespace {

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(wideText(path).c_str());
}

bool endsWithIgnoringCase(const std::wstring& text, const std::wstring& end) {
    if (text.size() < end.size()) {
        return false;
    }
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::towlower(text[text.size() - end.size() + i]) != std::towlower(end[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> WinSystemEnvironment::variable(const std::string& name) {
    const std::wstring wideName = wideText(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), size));
    return utf8Text(value);
}

bool WinSystemEnvironment::isOnSearchPath(const std::string& program) {
    wchar_t found[MAX_PATH + 1];
    return SearchPathW(nullptr, wideText(program).c_str(), L".exe", MAX_PATH + 1, found, nullptr) !=
           0;
}

bool WinSystemEnvironment::isExecutableFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const std::wstring wide = wideText(path);
    for (const wchar_t* extension : {L".exe", L".com", L".bat", L".cmd"}) {
        if (endsWithIgnoringCase(wide, extension)) {
            return true;
        }
    }
    return false;
}

bool WinSystemEnvironment::isDirectory(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WinSystemEnvironment::userId() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    std::string id;
    if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        wchar_t* text = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
            id = utf8Text(text);
            LocalFree(text);
        }
    }
    CloseHandle(token);
    return id;
}

std::string WinSystemEnvironment::homeDirectory() {
    return variable("USERPROFILE").value_or("");
}

std::string WinSystemEnvironment::userDocumentsDirectory() {
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return {};
    }
    return utf8Text(folder);
}

} // namespace platform::win
