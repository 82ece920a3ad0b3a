#include "windows_command_line.h"

namespace toolchain {

std::string windowsScriptArguments(const std::string& scriptPath) {
    return "/c \"\"" + scriptPath + "\"\"";
}

std::string windowsScriptCommandLine(const std::string& scriptPath) {
    return std::string(WindowsCommandInterpreter) + " " + windowsScriptArguments(scriptPath);
}

std::string windowsCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        line += i == 0 ? "" : " ";
        line += words[i];
    }
    return line;
}

} // namespace toolchain
