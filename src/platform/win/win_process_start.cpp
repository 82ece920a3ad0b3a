// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_process_start.h"

#include "wide_text.h"

#include <cwchar>
#include <optional>
#include <windows.h>

namespace platform::win {

namespace {

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

std::wstring windowsFolder() {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

std::vector<std::wstring> searchFolders() {
    std::vector<std::wstring> folders = {systemFolder(), windowsFolder()};
    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        std::wstring folder = path.substr(start, end - start);
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        // A relative entry would name a folder below the current one.
        if (folder.size() >= 3 &&
            ((folder[1] == L':' && folder[2] == L'\\') || folder.starts_with(L"\\\\"))) {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

std::optional<std::wstring> findProgram(const std::wstring& name) {
    std::vector<std::wstring> candidates = {name};
    if (name.find(L'.') == std::wstring::npos) {
        candidates.push_back(name + L".exe");
    }
    for (const std::wstring& folder : searchFolders()) {
        if (folder.empty()) {
            continue;
        }
        for (const std::wstring& candidate : candidates) {
            const std::wstring path =
                folder.back() == L'\\' ? folder + candidate : folder + L"\\" + candidate;
            if (isFile(path)) {
                return path;
            }
        }
    }
    return std::nullopt;
}

// One argument the way the C runtime splits it back: quoted when it holds a blank, a tab or a
// quote or is empty, with the backslashes before a quote doubled.
std::string quotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

// This process's environment with the additions, as CreateProcessW takes it.
std::wstring environmentBlock(const std::vector<std::pair<std::string, std::string>>& additions) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0';
         entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        bool replaced = false;
        for (const auto& [name, value] : additions) {
            const std::wstring prefix = wideText(name) + L"=";
            replaced = replaced || _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
        }
        if (!replaced) {
            block += text + L'\0';
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : additions) {
        block += wideText(name) + L"=" + wideText(value) + L'\0';
    }
    return block + L'\0';
}

} // namespace

std::string WinProcessStart::commandLine(const StartRequest& request) {
    std::string line = request.argv.empty() ? std::string() : request.argv.front();
    if (!request.nativeArguments.empty()) {
        return line + " " + request.nativeArguments;
    }
    for (std::size_t i = 1; i < request.argv.size(); ++i) {
        line += " " + quotedArgument(request.argv[i]);
    }
    return line;
}

bool WinProcessStart::start(const StartRequest& request) {
    if (request.argv.empty() || request.argv.front().empty()) {
        return false;
    }
    const std::wstring name = wideText(request.argv.front());
    const std::optional<std::wstring> program = name.find_first_of(L"\\/") != std::wstring::npos
                                                    ? std::optional<std::wstring>(name)
                                                    : findProgram(name);
    if (!program || !isFile(*program)) {
        return false;
    }
    std::wstring line = wideText(commandLine(request));
    const std::wstring directory = wideText(request.workingDirectory);
    std::wstring environment;
    if (!request.environmentAdditions.empty()) {
        environment = environmentBlock(request.environmentAdditions);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program->c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(),
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace platform::win
