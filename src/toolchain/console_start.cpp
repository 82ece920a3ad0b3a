// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain/console_start.h"

#include "platform/error.h"
#include "toolchain/helper_files.h"
#include "toolchain/terminal_command.h"

namespace toolchain {
namespace {

constexpr std::size_t TokenBytes = 16;

void require(bool condition, int number, const std::string& message) {
    if (!condition) {
        throw platform::RuntimeError(number, message);
    }
}

// Windows has the console and its interpreter: cmd.exe runs the script in a console window.
// It would look for the tools in the folder it runs in, the document's, before the script's
// search path: a javac.exe put beside a source would run. The variable tells it not to.
platform::StartRequest windowsConsole(const ConsoleLaunch& launch) {
    return {{"cmd.exe"},
            launch.workingDirectory,
            {{"NoDefaultCurrentDirectoryInExePath", "1"}},
            "/c \"\"" + launch.scriptPath + "\"\""};
}

// Writes the launch file; returns its token.
std::string writeLaunchFile(platform::Services& services, const std::string& folder,
                            const ConsoleLaunch& launch) {
    try {
        services.privateFiles.preparePrivateFolder(folder);
        const std::string token = launchToken(services.privateFiles.randomBytes(TokenBytes));
        services.privateFiles.createPrivateFile(launchFilePath(folder, token),
                                                launchFileText(launch));
        return token;
    } catch (const platform::RuntimeError& error) {
        throw platform::RuntimeError(error.number(), launchFileFailedMessage(error.description()));
    }
}

} // namespace

ConsoleFiles consoleFiles(const std::string& programDirectory, const FileExists& exists) {
    return {helperPath(programDirectory, '/', "morvane-bat", exists),
            dataPath(programDirectory, '/', "x-resources", exists)};
}

std::vector<std::pair<std::string, std::string>>
consoleEnvironmentAdditions(const VariableLookup& variable, const std::string& xResources) {
    if (variable("XAPPLRESDIR") || variable("XUSERFILESEARCHPATH")) {
        return {};
    }
    return {{"XAPPLRESDIR", xResources + "/"}};
}

void startConsole(platform::Services& services, const ConsoleLaunch& launch) {
    auto& environment = services.environment;
    require(environment.isDirectory(launch.workingDirectory), platform::ErrorNumber::PathNotFound,
            workingDirectoryMissingMessage(launch.workingDirectory));
    if (services.location.directorySeparator() == '\\') {
        require(services.processes.start(windowsConsole(launch)),
                platform::ErrorNumber::PathFileAccess, startFailedMessage("cmd.exe"));
        return;
    }
    const ConsoleFiles files =
        consoleFiles(services.location.programDirectory(), [&](const std::string& path) {
            return environment.isExecutableFile(path) || environment.isDirectory(path);
        });
    require(environment.isExecutableFile(files.helper), platform::ErrorNumber::FileNotFound,
            interpreterMissingMessage(files.helper));
    // The token stands in for the launch file, which the helper finds by the same rule.
    const std::string folder =
        launchFolder(environment.variable("XDG_RUNTIME_DIR"), environment.userId());
    std::optional<std::vector<std::string>> argv = terminalCommand(
        environment.variable("TERMINAL"),
        [&](const std::string& program) { return environment.isOnSearchPath(program); },
        {files.helper, std::string(LaunchOption), "TOKEN"});
    require(argv.has_value(), platform::ErrorNumber::FileNotFound, noTerminalMessage());
    const std::string token = writeLaunchFile(services, folder, launch);
    argv->back() = token;
    const platform::StartRequest request{
        *argv,
        launch.workingDirectory,
        consoleEnvironmentAdditions(
            [&](const std::string& name) { return environment.variable(name); }, files.xResources),
        {}};
    if (!services.processes.start(request)) {
        services.privateFiles.remove(launchFilePath(folder, token));
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess,
                                     startFailedMessage(argv->front()));
    }
}

void startProgram(platform::Services& services, const std::vector<std::string>& argv) {
    require(!argv.empty() && !argv.front().empty(), platform::ErrorNumber::FileNotFound,
            "没有指定要启动的程序。");
    // A program that is missing is named as such, not as one that failed to start.
    require(services.environment.isOnSearchPath(argv.front()), platform::ErrorNumber::FileNotFound,
            programNotFoundMessage(argv.front()));
    require(services.processes.start({argv, {}, {}, {}}), platform::ErrorNumber::PathFileAccess,
            startFailedMessage(argv.front()));
}

} // namespace toolchain
