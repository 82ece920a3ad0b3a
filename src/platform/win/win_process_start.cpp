#include "win_process_start.h"

#include "platform/error.h"
#include "toolchain/terminal_command.h"
#include "toolchain/windows_command_line.h"
#include "wide_text.h"
#include "win_error.h"

#include <optional>
#include <windows.h>

namespace platform::win {

namespace {

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

void create(const std::wstring& program, const std::string& commandLine,
            const std::string& workingDirectory, DWORD creationFlags,
            const std::string& programName) {
    std::wstring line = wideText(commandLine);
    const std::wstring directory = wideText(workingDirectory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                        creationFlags | CREATE_UNICODE_ENVIRONMENT, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        const DWORD error = GetLastError();
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           toolchain::startFailedMessage(programName) + systemMessage(error));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

void WinProcessStart::startInTerminal(const std::string& scriptPath,
                                      const std::string& workingDirectory) {
    if (!workingDirectory.empty() && !isDirectory(wideText(workingDirectory))) {
        throw RuntimeError(ErrorNumber::PathNotFound,
                           toolchain::workingDirectoryMissingMessage(workingDirectory));
    }
    const std::string interpreter = toolchain::WindowsCommandInterpreter;
    const std::optional<std::wstring> program = findProgram(wideText(interpreter));
    if (!program) {
        throw RuntimeError(ErrorNumber::FileNotFound,
                           toolchain::programNotFoundMessage(interpreter));
    }
    create(*program, toolchain::windowsScriptCommandLine(scriptPath), workingDirectory,
           CREATE_NEW_CONSOLE, interpreter);
}

void WinProcessStart::startDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) {
        throw RuntimeError(ErrorNumber::FileNotFound, "没有指定要启动的程序。");
    }
    const std::wstring name = wideText(argv.front());
    std::optional<std::wstring> program;
    if (name.find_first_of(L"\\/") != std::wstring::npos) {
        program = name;
    } else {
        program = findProgram(name);
    }
    // A bare name is looked up first so that a missing program is named as such.
    if (!program || !isFile(*program)) {
        throw RuntimeError(ErrorNumber::FileNotFound,
                           toolchain::programNotFoundMessage(argv.front()));
    }
    create(*program, toolchain::windowsCommandLine(argv), {}, 0, argv.front());
}

} // namespace platform::win
