// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain/terminal_command.h"

namespace toolchain {

const std::vector<TerminalProgram>& knownTerminals() {
    static const std::vector<TerminalProgram> terminals = {
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"konsole", {"-e"}},
        {"xfce4-terminal", {"-x"}},
        {"mate-terminal", {"-x"}},
        {"lxterminal", {"-e"}},
        {"terminator", {"-x"}},
        {"tilix", {"-e"}},
        {"kitty", {}},
        {"alacritty", {"-e"}},
        {"qterminal", {"-e"}},
        {"urxvt", {"-e"}},
        {"st", {"-e"}},
        {"xterm", {"-e"}},
    };
    return terminals;
}

std::vector<std::string> commandOptionsFor(const std::string& terminal) {
    const std::size_t slash = terminal.rfind('/');
    const std::string name = slash == std::string::npos ? terminal : terminal.substr(slash + 1);
    for (const TerminalProgram& known : knownTerminals()) {
        if (known.name == name) {
            return {known.commandOptions.begin(), known.commandOptions.end()};
        }
    }
    // Other names the same terminals go by, and terminals that take the command bare.
    if (name == "uxterm" || name == "rxvt-unicode" || name == "stterm" || name == "urxvtc") {
        return {"-e"};
    }
    if (name == "foot") {
        return {};
    }
    return {"-e"};
}

std::optional<std::vector<std::string>>
terminalCommand(const std::optional<std::string>& chosenTerminal,
                const ProgramAvailable& isOnSearchPath, const std::vector<std::string>& command) {
    std::vector<std::string> candidates;
    if (chosenTerminal && !chosenTerminal->empty()) {
        candidates.push_back(*chosenTerminal);
    }
    for (const TerminalProgram& terminal : knownTerminals()) {
        candidates.emplace_back(terminal.name);
    }
    for (const std::string& terminal : candidates) {
        if (!isOnSearchPath(terminal)) {
            continue;
        }
        std::vector<std::string> argv{terminal};
        for (std::string& option : commandOptionsFor(terminal)) {
            argv.push_back(std::move(option));
        }
        argv.insert(argv.end(), command.begin(), command.end());
        return argv;
    }
    return std::nullopt;
}

std::string noTerminalMessage() {
    return "找不到终端程序，无法打开控制台窗口。\n"
           "请安装一个终端程序（例如：sudo apt-get install xterm），或用环境变量 TERMINAL "
           "指定要用的终端。\n"
           "可选的软件包：xterm、gnome-terminal、konsole、xfce4-terminal、mate-terminal、"
           "lxterminal、terminator、tilix、kitty、alacritty、qterminal、rxvt-unicode、stterm。";
}

std::string interpreterMissingMessage(const std::string& interpreter) {
    return "找不到批处理解释程序“" + interpreter + "”，请重新安装本系统。";
}

std::string workingDirectoryMissingMessage(const std::string& directory) {
    return "工作目录“" + directory + "”不存在，无法运行批处理文件。";
}

std::string programNotFoundMessage(const std::string& program) {
    return "找不到程序“" + program + "”，请确认它已安装。";
}

std::string startFailedMessage(const std::string& program) {
    return "无法启动程序“" + program + "”。";
}

std::string launchFileFailedMessage(const std::string& reason) {
    return "无法准备控制台窗口的启动文件：" + reason;
}

} // namespace toolchain
