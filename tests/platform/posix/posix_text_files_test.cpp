#include "error_of.h"
#include "platform/error.h"
#include "platform/posix/posix_text_files.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using platform::InterruptedSave;
using platform::RuntimeError;
using platform::posix::PosixTextFiles;
namespace ErrorNumber = platform::ErrorNumber;

constexpr uid_t Nobody = 65534;

void writeFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct stat statusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

// Every name in the folder, hidden ones and FIFOs included, so that a temporary file left
// behind shows.
std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& name : QDir(QString::fromStdString(folder)).entryList(all, QDir::Name)) {
        names.push_back(name.toStdString());
    }
    return names;
}

// The error number the action raised, 0 when it succeeded.
int outcomeOf(const std::function<void()>& action) {
    try {
        action();
        return 0;
    } catch (const RuntimeError& error) {
        return error.number();
    }
}

// Root may write into any folder and read any file, so as root the action runs in a child
// process that has given root's rights up; otherwise here.
int outcomeAsOrdinaryUser(const std::function<void()>& action) {
    if (::geteuid() != 0) {
        return outcomeOf(action);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
            ::_exit(250);
        }
        ::_exit(outcomeOf(action));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// As root, gives the file to the user the unprivileged child runs as, so that it may write it.
void handToOrdinaryUser(const std::string& path) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
    }
}

class PosixTextFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // The unprivileged child must reach the files.
        ASSERT_EQ(::chmod(dir_.path().toStdString().c_str(), 0755), 0);
        // In-place saves keep a copy in the user's cache folder, which the child must write.
        ASSERT_TRUE(cacheDir_.isValid());
        ASSERT_EQ(::chmod(cacheDir_.path().toStdString().c_str(), 0777), 0);
        userCache_ = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", cacheDir_.path().toUtf8());
    }
    // Lets the temporary folder be removed again after a test locked it.
    void TearDown() override {
        ::chmod(dir_.path().toStdString().c_str(), 0755);
        qputenv("XDG_CACHE_HOME", userCache_);
    }

    std::string path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string folder() const { return dir_.path().toStdString(); }
    std::vector<std::string> entries() const { return entriesOf(folder()); }

    QTemporaryDir dir_;
    QTemporaryDir cacheDir_;
    QByteArray userCache_;
    PosixTextFiles files_;
};

TEST_F(PosixTextFilesTest, ReadsTheWholeFileByteForByte) {
    std::string bytes;
    for (int i = 0; i < 300000; ++i) {
        bytes += static_cast<char>(i % 256);
    }
    writeFile(path("data.bin"), bytes);
    EXPECT_EQ(files_.readBytes(path("data.bin")), bytes);
    writeFile(path("empty.txt"), "");
    EXPECT_EQ(files_.readBytes(path("empty.txt")), "");
}

TEST_F(PosixTextFilesTest, ReadFailuresCarryTheirNumberAndTheSystemsReason) {
    const RuntimeError missing = errorOf([&] { files_.readBytes(path("missing.java")); });
    EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
    EXPECT_NE(missing.description().find(std::strerror(ENOENT)), std::string::npos);
    EXPECT_NE(missing.description().find(path("missing.java")), std::string::npos);

    EXPECT_EQ(outcomeOf([&] { files_.readBytes(folder()); }), ErrorNumber::PathFileAccess);

    // A FIFO would block the reader until some writer came.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(outcomeOf([&] { files_.readBytes(path("pipe")); }), ErrorNumber::PathFileAccess);

    writeFile(path("secret.txt"), "x", 0000);
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { files_.readBytes(path("secret.txt")); }),
              ErrorNumber::PathFileAccess);
}

TEST_F(PosixTextFilesTest, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
    writeFile(path("A.java"), "old", 0640);
    writeFile(path("run.sh"), "old", 0755);
    files_.replaceBytes(path("A.java"), "new\r\n");
    files_.replaceBytes(path("run.sh"), "");
    EXPECT_EQ(contentOf(path("A.java")), "new\r\n");
    EXPECT_EQ(contentOf(path("run.sh")), "");
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0640u);
    EXPECT_EQ(statusOf(path("run.sh")).st_mode & 07777, 0755u);

    const mode_t savedMask = ::umask(022);
    files_.replaceBytes(path("New.java"), "class New {}");
    ::umask(savedMask);
    EXPECT_EQ(contentOf(path("New.java")), "class New {}");
    EXPECT_EQ(statusOf(path("New.java")).st_mode & 07777, 0644u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java", "New.java", "run.sh"}));
}

TEST_F(PosixTextFilesTest, ReplacingKeepsTheOwnerWherePermitted) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    writeFile(path("A.java"), "old");
    ASSERT_EQ(::chown(path("A.java").c_str(), Nobody, Nobody), 0);
    files_.replaceBytes(path("A.java"), "new");
    EXPECT_EQ(statusOf(path("A.java")).st_uid, Nobody);
    EXPECT_EQ(statusOf(path("A.java")).st_gid, Nobody);
}

TEST_F(PosixTextFilesTest, AFileWithoutWriteBitsIsReadOnlyEvenForRoot) {
    writeFile(path("A.java"), "old", 0444);
    const RuntimeError error = errorOf([&] { files_.replaceBytes(path("A.java"), "new"); });
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(contentOf(path("A.java")), "old");
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0444u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java"}));
}

TEST_F(PosixTextFilesTest, AWritableFileInAReadOnlyFolderIsOverwrittenInPlace) {
    writeFile(path("A.java"), "a rather long old content\r\n", 0664);
    handToOrdinaryUser(path("A.java"));
    const ino_t inode = statusOf(path("A.java")).st_ino;
    ASSERT_EQ(::chmod(folder().c_str(), 0555), 0);

    EXPECT_EQ(outcomeAsOrdinaryUser([&] { files_.replaceBytes(path("A.java"), "short"); }), 0);
    EXPECT_EQ(contentOf(path("A.java")), "short");
    const std::string longer(100000, 'x');
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { files_.replaceBytes(path("A.java"), longer); }), 0);
    EXPECT_EQ(contentOf(path("A.java")), longer);
    EXPECT_EQ(statusOf(path("A.java")).st_ino, inode);
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0664u);

    // No new file can be made there.
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { files_.replaceBytes(path("B.java"), "new"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java"}));
}

TEST_F(PosixTextFilesTest, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("src"));
    writeFile(path("src/A.java"), "old", 0600);
    // Relative links count from the link's own folder, not from the working directory, which
    // is an empty folder of its own here so that a wrong resolution writes nothing real.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const std::string savedDirectory = QDir::currentPath().toStdString();
    ASSERT_EQ(::chdir(elsewhere.path().toStdString().c_str()), 0);
    struct Return {
        std::string to;
        ~Return() { EXPECT_EQ(::chdir(to.c_str()), 0); }
    } returnAtEnd{savedDirectory};
    ASSERT_EQ(::symlink("src/A.java", path("link.java").c_str()), 0);
    ASSERT_EQ(::symlink("link.java", path("chain.java").c_str()), 0);
    ASSERT_EQ(::symlink("src/Dangling.java", path("dangling.java").c_str()), 0);

    files_.replaceBytes(path("chain.java"), "through two links");
    EXPECT_TRUE(S_ISLNK(statusOf(path("chain.java")).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(path("link.java")).st_mode));
    EXPECT_EQ(contentOf(path("src/A.java")), "through two links");
    EXPECT_EQ(statusOf(path("src/A.java")).st_mode & 07777, 0600u);

    files_.replaceBytes(path("dangling.java"), "created");
    EXPECT_TRUE(S_ISLNK(statusOf(path("dangling.java")).st_mode));
    EXPECT_EQ(contentOf(path("src/Dangling.java")), "created");

    // Qt would write a target name that is not UTF-8 under another name.
    ASSERT_EQ(::symlink("src/\xC4\xE3.java", path("gbk.java").c_str()), 0);
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("gbk.java"), "x"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(entriesOf(path("src")), (std::vector<std::string>{"A.java", "Dangling.java"}));
}

TEST_F(PosixTextFilesTest, ReplacingAnEntryReplacesALinkItselfAndNeverWritesThroughIt) {
    writeFile(path("target.txt"), "keep", 0644);
    ASSERT_EQ(::symlink(path("target.txt").c_str(), path("debug.bat").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere/x.bat", path("dangling.bat").c_str()), 0);

    files_.replaceEntry(path("debug.bat"), "@pause\r\n");
    EXPECT_EQ(contentOf(path("target.txt")), "keep");
    EXPECT_TRUE(S_ISREG(statusOf(path("debug.bat")).st_mode));
    EXPECT_EQ(contentOf(path("debug.bat")), "@pause\r\n");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(statusOf(path("debug.bat")).st_mode & 07777, 0666u & ~mask);

    files_.replaceEntry(path("dangling.bat"), "x");
    EXPECT_TRUE(S_ISREG(statusOf(path("dangling.bat")).st_mode));
    // A plain file is replaced as any save replaces it, its mode kept.
    writeFile(path("plain.bat"), "old", 0640);
    files_.replaceEntry(path("plain.bat"), "new");
    EXPECT_EQ(contentOf(path("plain.bat")), "new");
    EXPECT_EQ(statusOf(path("plain.bat")).st_mode & 07777, 0640u);
    EXPECT_EQ(entriesOf(dir_.path().toStdString()),
              (std::vector<std::string>{"dangling.bat", "debug.bat", "plain.bat", "target.txt"}));
}

TEST_F(PosixTextFilesTest, PathsThatCannotHoldAFileAreAccessOrPathErrors) {
    // A missing folder is no read-only file: its own number, and a description that says so.
    const RuntimeError missing = errorOf([&] { files_.replaceBytes(path("missing/A.java"), "x"); });
    EXPECT_EQ(missing.number(), ErrorNumber::PathNotFound);
    EXPECT_NE(missing.description().find("路径未找到"), std::string::npos);
    EXPECT_NE(missing.description().find(std::strerror(ENOENT)), std::string::npos);
    writeFile(path("plain.txt"), "old");
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("plain.txt/A.java"), "x"); }),
              ErrorNumber::PathNotFound);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("A.java"));
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("A.java"), "x"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("A.java"))).isDir());
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("pipe"), "x"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java", "pipe", "plain.txt"}));
}

// A 64 KiB tmpfs fills up at once and can be made read-only; mounting one needs root.
class SmallDiskTest : public PosixTextFilesTest {
protected:
    void SetUp() override {
        PosixTextFilesTest::SetUp();
        disk_ = path("disk");
        ASSERT_EQ(::mkdir(disk_.c_str(), 0755), 0);
        if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        }
        mounted_ = true;
        writeFile(disk_ + "/A.java", old_);
    }
    void TearDown() override {
        if (mounted_) {
            ::chmod(disk_.c_str(), 0755);
            ::umount2(disk_.c_str(), MNT_DETACH);
        }
        PosixTextFilesTest::TearDown();
    }

    std::string disk_;
    bool mounted_ = false;
    const std::string old_ = std::string(1000, 'o');
    const std::string tooLarge_ = std::string(200000, 'n');
};

TEST_F(SmallDiskTest, AFullDiskFailsTheReplaceWithTheOldContentWhole) {
    const RuntimeError error = errorOf([&] { files_.replaceBytes(disk_ + "/A.java", tooLarge_); });
    EXPECT_EQ(error.number(), ErrorNumber::DiskFull);
    EXPECT_NE(error.description().find(std::strerror(ENOSPC)), std::string::npos);
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
    EXPECT_EQ(entriesOf(disk_), (std::vector<std::string>{"A.java"}));
}

TEST_F(SmallDiskTest, AFullDiskFailsTheInPlaceWriteBeforeTheOldContentIsCut) {
    handToOrdinaryUser(disk_ + "/A.java");
    ASSERT_EQ(::chmod((disk_ + "/A.java").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(disk_.c_str(), 0555), 0);
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { files_.replaceBytes(disk_ + "/A.java", tooLarge_); }),
              ErrorNumber::DiskFull);
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
}

TEST_F(SmallDiskTest, AReadOnlyFileSystemIsAnAccessError) {
    ASSERT_EQ(::mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(disk_ + "/A.java", "new"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(disk_ + "/B.java", "new"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
}

// The in-place save of a writable file in a read-only folder, run as an ordinary user in a child
// process whose writes fail, or which is killed, after so many bytes: the file ends wholly old
// or wholly new, or a whole copy of the old content is kept and named.
class InPlaceFaultTest : public PosixTextFilesTest {
protected:
    void SetUp() override {
        PosixTextFilesTest::SetUp();
        cache_ = path("cache");
        ASSERT_EQ(::mkdir(cache_.c_str(), 0777), 0);
        ASSERT_EQ(::chmod(cache_.c_str(), 0777), 0);
        ASSERT_EQ(::mkdir(path("src").c_str(), 0755), 0);
        document_ = path("src/A.java");
        for (int line = 0; old_.size() < 100000; ++line) {
            old_ += "// old line " + std::to_string(line) + "\r\n";
        }
        for (int line = 0; long_.size() < 150000; ++line) {
            long_ += "// new line " + std::to_string(line) + "\r\n";
        }
        short_ = long_.substr(0, 5000);
        resetDocument();
        ASSERT_EQ(::chmod(path("src").c_str(), 0555), 0);
        savedCache_ = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache_));
    }
    void TearDown() override {
        qputenv("XDG_CACHE_HOME", savedCache_);
        ::chmod(path("src").c_str(), 0755);
        PosixTextFilesTest::TearDown();
    }

    void resetDocument() {
        ::chmod(path("src").c_str(), 0755);
        writeFile(document_, old_, 0666);
        handToOrdinaryUser(document_);
        ::chmod(path("src").c_str(), 0555);
        QDir(QString::fromStdString(cache_ + "/MORVANE集成系统")).removeRecursively();
    }

    std::string backups() const { return cache_ + "/MORVANE集成系统/保存备份"; }
    std::vector<std::string> backupFolders() const { return entriesOf(backups()); }

    struct Outcome {
        bool killed = false;
        int exitCode = -1;
        std::string output;
    };

    // Saves bytes over the document in a child with the shim preloaded and the fault settings.
    Outcome save(const std::string& bytes, const std::vector<std::string>& fault) {
        const std::string newBytes = path("new.bytes");
        writeFile(newBytes, bytes, 0644);
        std::vector<std::string> environment;
        // The child's own settings replace the inherited ones (getenv takes the first).
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string_view entry(*variable);
            if (!entry.starts_with("XDG_CACHE_HOME=") && !entry.starts_with("LD_PRELOAD=") &&
                !entry.starts_with("ASAN_OPTIONS=")) {
                environment.emplace_back(entry);
            }
        }
        environment.push_back("XDG_CACHE_HOME=" + cache_);
        environment.push_back(std::string("LD_PRELOAD=") + WRITE_FAULT_SHIM);
        const char* asan = std::getenv("ASAN_OPTIONS");
        environment.push_back(std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") +
                              ":verify_asan_link_order=0");
        environment.insert(environment.end(), fault.begin(), fault.end());
        std::vector<char*> envp;
        for (std::string& variable : environment) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string program = SAVE_UNDER_FAULT;
        std::string target = document_;
        std::string source = newBytes;
        char* argv[] = {program.data(), target.data(), source.data(), nullptr};

        int output[2];
        EXPECT_EQ(::pipe(output), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(output[1], STDOUT_FILENO);
            ::close(output[0]);
            ::execve(program.c_str(), argv, envp.data());
            ::_exit(127);
        }
        ::close(output[1]);
        Outcome outcome;
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(output[0], buffer, sizeof buffer)) > 0) {
            outcome.output.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(output[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        outcome.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }

    std::string cache_;
    std::string document_;
    std::string old_, long_, short_;
    QByteArray savedCache_;
};

TEST_F(InPlaceFaultTest, EveryFailureLeavesTheFileWhollyOldOrWhollyNewOrAWholeCopyNamed) {
    enum class Expect { New, Old, CopyNamed, CopyReportedAtNextStart };
    struct Case {
        std::string what;
        const std::string* bytes;
        std::vector<std::string> fault;
        Expect expect;
    };
    const auto at = [](long long bytes) { return "MORVANE_FAULT_AFTER=" + std::to_string(bytes); };
    const std::string onFile = "MORVANE_FAULT_PATH=" + document_;
    const std::string onCache = "MORVANE_FAULT_PATH=" + cache_;
    std::vector<Case> cases = {{"no fault", &long_, {onFile, at(10000000)}, Expect::New}};
    for (const char* error : {"5", "28"}) { // EIO, ENOSPC: the write fails once, the restore holds
        for (const long long after : {0LL, 1LL, 4095LL, 65536LL, 99999LL, 149999LL}) {
            cases.push_back({std::string("errno ") + error + " after " + std::to_string(after),
                             &long_,
                             {onFile, at(after), std::string("MORVANE_FAULT_ERRNO=") + error,
                              "MORVANE_FAULT_ONCE=1"},
                             Expect::Old});
        }
        for (const long long after : {0LL, 2500LL, 4999LL}) {
            cases.push_back(
                {std::string("short, errno ") + error + " after " + std::to_string(after),
                 &short_,
                 {onFile, at(after), std::string("MORVANE_FAULT_ERRNO=") + error,
                  "MORVANE_FAULT_ONCE=1"},
                 Expect::Old});
        }
        // The copy in the cache cannot be written: the file is not touched at all.
        for (const long long after : {0LL, 10LL, 50000LL}) {
            cases.push_back(
                {std::string("copy, errno ") + error + " after " + std::to_string(after),
                 &long_,
                 {onCache, at(after), std::string("MORVANE_FAULT_ERRNO=") + error},
                 Expect::Old});
        }
    }
    // The disk keeps failing, the restore too: the message names the whole copy.
    for (const long long after : {0LL, 4096LL, 120000LL}) {
        cases.push_back({"lasting EIO after " + std::to_string(after),
                         &long_,
                         {onFile, at(after)},
                         Expect::CopyNamed});
    }
    // The program dies half-way: the next start names the copy.
    for (const long long after : {0LL, 1LL, 4096LL, 100000LL, 149999LL}) {
        cases.push_back({"killed after " + std::to_string(after),
                         &long_,
                         {onFile, at(after), "MORVANE_FAULT_KILL=1"},
                         Expect::CopyReportedAtNextStart});
    }
    // Dying before the copy and its record are whole leaves nothing to report: the file was
    // not touched yet. (The copy is 100000 bytes, the record follows it.)
    for (const long long after : {0LL, 1LL, 4096LL, 99999LL, 100000LL}) {
        cases.push_back({"killed while copying after " + std::to_string(after),
                         &long_,
                         {onCache, at(after), "MORVANE_FAULT_KILL=1"},
                         Expect::Old});
    }

    long long bytesLost = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetDocument();
        const Outcome outcome = save(*c.bytes, c.fault);
        const std::string content = contentOf(document_);
        const std::vector<InterruptedSave> left = files_.interruptedSaves();
        const bool whole = content == old_ || content == *c.bytes;
        const bool copied = left.size() == 1 && contentOf(left[0].backupPath) == old_;
        if (!whole && !copied) {
            bytesLost += static_cast<long long>(old_.size());
        }
        switch (c.expect) {
        case Expect::New:
            EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
            EXPECT_EQ(content, *c.bytes);
            EXPECT_TRUE(backupFolders().empty());
            break;
        case Expect::Old:
            EXPECT_TRUE(outcome.exitCode == 1 || outcome.killed) << outcome.output;
            EXPECT_EQ(content, old_);
            EXPECT_TRUE(left.empty());
            break;
        case Expect::CopyNamed:
            EXPECT_EQ(outcome.exitCode, 1);
            ASSERT_TRUE(copied);
            EXPECT_NE(outcome.output.find(left[0].backupPath), std::string::npos) << outcome.output;
            EXPECT_EQ(left[0].documentPath, document_);
            break;
        case Expect::CopyReportedAtNextStart:
            EXPECT_TRUE(outcome.killed);
            ASSERT_TRUE(copied);
            EXPECT_EQ(left[0].documentPath, document_);
            files_.forgetInterruptedSave(left[0]);
            EXPECT_TRUE(files_.interruptedSaves().empty()) << "reported once";
            EXPECT_EQ(contentOf(left[0].backupPath), old_) << "the copy itself stays";
            break;
        }
        if (c.expect == Expect::Old && outcome.exitCode == 1) {
            EXPECT_NE(outcome.output.find(c.fault[0] == onCache ? "副本" : document_),
                      std::string::npos)
                << outcome.output;
        }
    }
    EXPECT_EQ(bytesLost, 0);
    std::cout << "in-place save fault cases: " << cases.size() << ", bytes lost: " << bytesLost
              << "\n";
}

} // namespace
