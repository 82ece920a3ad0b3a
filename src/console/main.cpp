// morvane-bat WORKING_DIRECTORY SCRIPT_PATH
//
// Runs a batch script written by the workbench in a terminal window. The working directory
// comes as an argument because some terminals start their command in a directory of their own.

#include "console/batch_interpreter.h"
#include "console/posix_host.h"

#include <string>

int main(int argc, char** argv) {
    console::PosixHost host;
    if (argc != 3) {
        return console::reportStartFailure(host, "用法：morvane-bat 工作目录 脚本文件",
                                           console::ExitCode::Usage);
    }
    const std::string requestedDirectory = argv[1];
    const std::string scriptPath = argv[2];

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
    return interpreter.runScript(*script) & 0xFF;
}
