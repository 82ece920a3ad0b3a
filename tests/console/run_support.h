#pragma once

#include <optional>
#include <string>
#include <vector>

namespace console_test {

// A fresh directory under /tmp, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory's canonical path, without a final separator.
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool exists(const std::string& path);
void makeDirectory(const std::string& path);
void makeExecutable(const std::string& path);

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs argv[0] directly with the arguments, standard input from /dev/null, in directory
// (the test's own when empty), with environment when given, and waits for it.
Finished run(const std::vector<std::string>& argv, const std::string& directory = {},
             const std::optional<std::vector<std::string>>& environment = std::nullopt);

// The morvane-bat of this build.
std::string interpreterPath();
// morvane-bat on script in workingDirectory.
Finished runScript(const std::string& workingDirectory, const std::string& scriptPath,
                   const std::optional<std::vector<std::string>>& environment = std::nullopt);

// Every file and directory name below root, at any depth.
std::vector<std::string> namesBelow(const std::string& root);

} // namespace console_test
