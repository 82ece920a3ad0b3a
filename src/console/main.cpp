// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// morvane-bat --launch TOKEN
// morvane-bat WORKING_DIRECTORY SCRIPT_PATH
//
// Runs a batch script written by the workbench in a terminal window. The workbench names only
// a token on the terminal's command line; the private launch file it names holds the working
// directory, the script's absolute path and the window title. The second form is for running
// a script by hand.

#include "console/batch_interpreter.h"
#include "console/posix_host.h"
#include "toolchain/console_launch.h"
#include "toolchain/helper_files.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The launch file the token names, read once and removed.
std::optional<toolchain::ConsoleLaunch> takeLaunch(console::PosixHost& host,
                                                   const std::string& token, int& exitCode) {
    exitCode = console::ExitCode::Usage;
    if (!toolchain::isLaunchToken(token)) {
        console::reportStartFailure(host, "启动令牌无效。", exitCode);
        return std::nullopt;
    }
    const std::string folder =
        toolchain::launchFolder(environmentVariable("XDG_RUNTIME_DIR"), std::to_string(::getuid()));
    const std::string path = toolchain::launchFilePath(folder, token);
    std::optional<std::string> text = console::takePrivateFile(path);
    std::optional<toolchain::ConsoleLaunch> launch =
        text ? toolchain::readLaunchFileText(*text) : std::nullopt;
    if (!launch) {
        exitCode = console::ExitCode::Script;
        console::reportStartFailure(host, "无法读取启动文件“" + path + "”。", exitCode);
    }
    return launch;
}

} // namespace

int main(int argc, char** argv) {
    console::PosixHost host;
    if (argc != 3) {
        return console::reportStartFailure(
            host, "用法：morvane-bat --launch 令牌，或 morvane-bat 工作目录 脚本文件",
            console::ExitCode::Usage);
    }
    std::string requestedDirectory = argv[1];
    std::string scriptPath = argv[2];
    if (requestedDirectory == toolchain::LaunchOption) {
        int exitCode = 0;
        std::optional<toolchain::ConsoleLaunch> launch = takeLaunch(host, argv[2], exitCode);
        if (!launch) {
            return exitCode;
        }
        if (!launch->title.empty() && ::isatty(STDOUT_FILENO) == 1) {
            host.writeOutput(toolchain::windowTitleSequence(launch->title));
        }
        requestedDirectory = launch->workingDirectory;
        scriptPath = launch->scriptPath;
    }

    if (std::optional<std::string> reason = console::changeDirectory(requestedDirectory)) {
        return console::reportStartFailure(
            host, "无法进入工作目录“" + requestedDirectory + "”：" + *reason,
            console::ExitCode::WorkingDirectory);
    }
    // A relative script path means the same file whatever directory the terminal started in.
    std::optional<std::string> script = host.readFile(scriptPath);
    if (!script) {
        return console::reportStartFailure(host, "无法读取批处理文件“" + scriptPath + "”。",
                                           console::ExitCode::Script);
    }

    console::Interpreter interpreter(
        host, console::currentDirectory(requestedDirectory),
        console::Environment::fromEntries(console::processEnvironment()));
    const std::string folder = console::thisProgramsFolder();
    interpreter.setAppletHost(
        folder.empty() ? std::string(toolchain::AppletHostName)
                       : toolchain::appletHostPath(folder,
                                                   [](const std::string& path) {
                                                       return ::access(path.c_str(), F_OK) == 0;
                                                   }),
        "xdg-open");
    return interpreter.runScript(*script) & 0xFF;
}
