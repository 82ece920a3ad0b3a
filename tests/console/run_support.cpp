#include "run_support.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace console_test {

TempDir::TempDir() {
    std::string pattern = "/tmp/morvane-console-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = std::filesystem::canonical(pattern).string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

void makeDirectory(const std::string& path) {
    std::filesystem::create_directories(path);
}

void makeExecutable(const std::string& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec);
}

Finished run(const std::vector<std::string>& argv, const std::string& directory,
             const std::optional<std::vector<std::string>>& environment) {
    TempDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";

    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args) {
        argp.push_back(a.data());
    }
    argp.push_back(nullptr);
    std::vector<std::string> env = environment.value_or(std::vector<std::string>{});
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        int in = ::open("/dev/null", O_RDONLY);
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0) {
            ::_exit(200);
        }
        if (!directory.empty() && ::chdir(directory.c_str()) != 0) {
            ::_exit(201);
        }
        ::execve(argp[0], argp.data(), environment ? envp.data() : environ);
        ::_exit(202);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    Finished finished;
    finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    finished.out = readFile(outPath);
    finished.err = readFile(errPath);
    return finished;
}

std::string interpreterPath() {
    return MORVANE_BAT;
}

Finished runScript(const std::string& workingDirectory, const std::string& scriptPath,
                   const std::optional<std::vector<std::string>>& environment) {
    return run({interpreterPath(), workingDirectory, scriptPath}, {}, environment);
}

std::vector<std::string> namesBelow(const std::string& root) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

} // namespace console_test
