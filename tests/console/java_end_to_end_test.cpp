// The build scripts the workbench writes, run by the built interpreter with the real JDK.

#include "run_support.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace console_test;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// The JDK's own bin directory, with a final separator, as the settings dialog keeps it.
std::string javaBinDir() {
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        std::string candidate = list.substr(start, end - start) + "/javac";
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return std::filesystem::canonical(candidate).parent_path().string() + "/";
        }
        start = end + 1;
    }
    return {};
}

class RealJava : public ::testing::Test {
protected:
    void SetUp() override {
        bin_ = javaBinDir();
        ASSERT_FALSE(bin_.empty()) << "javac is not on the search path: install the JDK "
                                      "(apt-get install -y default-jdk-headless)";
    }

    // debug.bat as the workbench writes it: three lines, CR LF after each, nothing quoted.
    std::string writeDebugBat(const std::string& sourceDir, const std::string& toolLine) {
        std::string path = sourceDir + "/debug.bat";
        writeFile(path, "set path=" + bin_ + "\r\n" + toolLine + "\r\n@pause\r\n");
        return path;
    }

    std::string bin_;
};

const std::string kHello = "public class Hello {\n"
                           "    public static void main(String[] args) {\n"
                           "        System.out.println(\"Hello from MORVANE\");\n"
                           "    }\n"
                           "}\n";

TEST_F(RealJava, CompileMakesTheClassAndRunPrintsTheOutput) {
    TempDir dir;
    writeFile(dir / "Hello.java", kHello);

    Finished compile = runScript(dir.path(), writeDebugBat(dir.path(), "javac Hello.java"));
    EXPECT_EQ(compile.out, "\n" + dir.path() + ">set path=" + bin_ +
                               "\n"
                               "\n" +
                               dir.path() +
                               ">javac Hello.java\n"
                               "请按任意键继续. . .\n");
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir / "Hello.class"));

    Finished runJava = runScript(dir.path(), writeDebugBat(dir.path(), "java Hello"));
    EXPECT_EQ(runJava.out, "\n" + dir.path() + ">set path=" + bin_ +
                               "\n"
                               "\n" +
                               dir.path() +
                               ">java Hello\n"
                               "Hello from MORVANE\n"
                               "请按任意键继续. . .\n");
    EXPECT_EQ(runJava.exitCode, 0) << runJava.err;
}

TEST_F(RealJava, CompileErrorShowsJavacsMessage) {
    TempDir dir;
    writeFile(dir / "Broken.java", "public class Broken {\n    int x = ;\n}\n");
    Finished f = runScript(dir.path(), writeDebugBat(dir.path(), "javac Broken.java"));
    EXPECT_THAT(f.err, HasSubstr("Broken.java:2: error:"));
    EXPECT_THAT(f.out, HasSubstr("请按任意键继续. . .")) << "the pause still comes";
    EXPECT_FALSE(exists(dir / "Broken.class"));
    EXPECT_EQ(f.exitCode, 1);
}

TEST_F(RealJava, GbkSourceWithChineseTextCompilesAndPrintsIt) {
    TempDir dir;
    // "你好，世界" in GBK, as a Chinese Windows editor saves it.
    const std::string gbkGreeting = "\xc4\xe3\xba\xc3\xa3\xac\xca\xc0\xbd\xe7";
    writeFile(dir / "Greeting.java", "public class Greeting {\n"
                                     "    public static void main(String[] args) {\n"
                                     "        System.out.println(\"" +
                                         gbkGreeting +
                                         "\");\n"
                                         "    }\n"
                                         "}\n");
    std::string script = writeDebugBat(dir.path(), "javac Greeting.java");
    const std::string written = readFile(script);

    Finished compile = runScript(dir.path(), script);
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir / "Greeting.class"));
    EXPECT_EQ(readFile(script), written) << "the script stays as written";

    Finished runJava = runScript(dir.path(), writeDebugBat(dir.path(), "java Greeting"));
    EXPECT_THAT(runJava.out, HasSubstr(">java Greeting\n你好，世界\n"));
    EXPECT_EQ(runJava.exitCode, 0) << runJava.err;
}

TEST_F(RealJava, FolderWithShellCharactersCompilesRightAndRunsNothingElse) {
    TempDir root;
    const std::string dir = root / "my src \"q\" & ; $(touch pwned) `touch pwned` 'x'";
    makeDirectory(dir);
    writeFile(dir + "/Hello.java", kHello);

    Finished compile = runScript(dir, writeDebugBat(dir, "javac Hello.java"));
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir + "/Hello.class"));

    // A base name holding shell characters reaches javac as plain words.
    Finished odd = runScript(dir, writeDebugBat(dir, "javac a;touch pwned&$(touch pwned).java"));
    EXPECT_THAT(odd.err, HasSubstr("a;touch"));
    EXPECT_NE(odd.exitCode, 0);

    Finished runJava = runScript(dir, writeDebugBat(dir, "java Hello"));
    EXPECT_THAT(runJava.out, HasSubstr("\nHello from MORVANE\n"));
    EXPECT_THAT(namesBelow(root.path()), Not(Contains("pwned")));
    EXPECT_FALSE(exists("pwned"));
}

TEST_F(RealJava, AppletViewerIsNotInTheJdkAndTheConsoleSaysSo) {
    TempDir dir;
    writeFile(dir / "Hello.htm", "<applet code=Hello.class></applet>\r\n");
    Finished f = runScript(dir.path(), writeDebugBat(dir.path(), "appletviewer.exe Hello.htm"));
    EXPECT_EQ(f.err, "'appletviewer.exe' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
    EXPECT_EQ(f.out, "\n" + dir.path() + ">set path=" + bin_ +
                         "\n"
                         "\n" +
                         dir.path() +
                         ">appletviewer.exe Hello.htm\n"
                         "请按任意键继续. . .\n");
    EXPECT_EQ(f.exitCode, 127);
}

} // namespace
