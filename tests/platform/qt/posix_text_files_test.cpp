#include "error_of.h"
#include "platform/error.h"
#include "platform/qt/posix_text_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using platform::RuntimeError;
using platform::qt::PosixTextFiles;
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
    }
    // Lets the temporary folder be removed again after a test locked it.
    void TearDown() override { ::chmod(dir_.path().toStdString().c_str(), 0755); }

    std::string path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string folder() const { return dir_.path().toStdString(); }
    std::vector<std::string> entries() const { return entriesOf(folder()); }

    QTemporaryDir dir_;
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

TEST_F(PosixTextFilesTest, PathsThatCannotHoldAFileAreAccessErrors) {
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("missing/A.java"), "x"); }),
              ErrorNumber::PathFileAccess);
    writeFile(path("plain.txt"), "old");
    EXPECT_EQ(outcomeOf([&] { files_.replaceBytes(path("plain.txt/A.java"), "x"); }),
              ErrorNumber::PathFileAccess);
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

} // namespace
