#include "toolchain/terminal_command.h"

namespace toolchain {

const std::vector<TerminalProgram>& knownTerminals() {
    static const std::vector<TerminalProgram> terminals = {
        {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"},
        {"xfce4-terminal", "-x"},      {"xterm", "-e"},
    };
    return terminals;
}

std::optional<std::vector<std::string>> terminalCommand(const ProgramAvailable& isOnSearchPath,
                                                        const std::string& interpreter,
                                                        const std::string& scriptPath,
                                                        const std::string& workingDirectory) {
    for (const TerminalProgram& terminal : knownTerminals()) {
        std::string name(terminal.name);
        if (!isOnSearchPath(name)) {
            continue;
        }
        return std::vector<std::string>{name, std::string(terminal.commandOption), interpreter,
                                        workingDirectory, scriptPath};
    }
    return std::nullopt;
}

std::string noTerminalMessage() {
    return "找不到终端程序，无法打开控制台窗口。\n"
           "请安装 x-terminal-emulator、gnome-terminal、konsole、xfce4-terminal 或 xterm "
           "其中之一（例如：sudo apt-get install xterm）。";
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

} // namespace toolchain
