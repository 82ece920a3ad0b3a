// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/error.h"
#include "platform/qt/qt_program_location.h"
#include "platform/qt/qt_system_environment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>

namespace {

using platform::RuntimeError;
using platform::qt::QtProgramLocation;

class QtProgramLocationTest : public ::testing::Test {
protected:
    std::string path(const QString& name) const { return dir_.filePath(name).toStdString(); }

    QTemporaryDir dir_;
    QtProgramLocation location_;
};

// An installed copy's folder: a read-only mount, which refuses root too. Mounting needs root.
TEST_F(QtProgramLocationTest, AReadOnlyMountCannotBeWrittenInNorCreatedIn) {
    const std::string mounted = path("usr");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("usr"));
    if (::mount("tmpfs", mounted.c_str(), "tmpfs", MS_RDONLY, "size=64k,mode=0755") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    EXPECT_FALSE(location_.canWriteIn(mounted));
    EXPECT_TRUE(location_.exists(mounted));
    EXPECT_FALSE(location_.exists(mounted + "/Set.ini"));
    try {
        location_.createDirectory(mounted + "/MORVANE集成系统");
        ADD_FAILURE() << "made a folder on a read-only mount";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), "Read-only file system"); // why, for the user's message
    }
    ::umount2(mounted.c_str(), MNT_DETACH);

    EXPECT_TRUE(location_.canWriteIn(dir_.path().toStdString()));
    EXPECT_FALSE(location_.canWriteIn(path("missing")));
    location_.createDirectory(path("config/MORVANE集成系统"));
    EXPECT_TRUE(QDir(dir_.filePath("config/MORVANE集成系统")).exists());
    location_.createDirectory(path("config/MORVANE集成系统")); // already there: nothing to do
}

TEST_F(QtProgramLocationTest, TheUsersConfigFolderFollowsXdgConfigHomeElseHome) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", dir_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir_.filePath("xdg").toUtf8());
    EXPECT_EQ(location_.userConfigDirectory(), path("xdg"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(location_.userConfigDirectory(), path(".config"));
    qputenv("HOME", home);
    if (!configHome.isNull()) {
        qputenv("XDG_CONFIG_HOME", configHome);
    }
}

// A first start offers a source folder in the documents folder the desktop names (~/文档 in a
// Chinese session, from user-dirs.dirs), else in the home folder.
TEST_F(QtProgramLocationTest, TheDocumentsFolderIsTheOneTheDesktopNames) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", dir_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir_.filePath("xdg").toUtf8());
    ASSERT_TRUE(QDir(dir_.path()).mkpath("xdg"));
    QFile userDirs(dir_.filePath("xdg/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n");
    userDirs.close();
    platform::qt::QtSystemEnvironment environment;
    EXPECT_EQ(environment.homeDirectory(), dir_.path().toStdString());
    EXPECT_EQ(environment.userDocumentsDirectory(), path("文档"));
    qputenv("HOME", home);
    if (configHome.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", configHome);
    }
}

TEST_F(QtProgramLocationTest, TheCompilerOnTheSearchPathIsFoundThroughItsLinks) {
    // bin/javac -> alternatives/javac -> jdk/bin/javac, as Debian's alternatives lay it out.
    QDir root(dir_.path());
    ASSERT_TRUE(root.mkpath("jdk/bin") && root.mkpath("bin") && root.mkpath("alternatives"));
    QFile compiler(dir_.filePath("jdk/bin/javac"));
    ASSERT_TRUE(compiler.open(QIODevice::WriteOnly));
    compiler.close();
    ASSERT_TRUE(compiler.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::link(dir_.filePath("jdk/bin/javac"), dir_.filePath("alternatives/javac")));
    ASSERT_TRUE(QFile::link(dir_.filePath("alternatives/javac"), dir_.filePath("bin/javac")));

    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", (dir_.filePath("nothing") + ":" + dir_.filePath("bin")).toUtf8());
    const std::string found = location_.findOnSearchPath("javac");
    const std::string missing = location_.findOnSearchPath("no-such-compiler");
    qputenv("PATH", searchPath);
    EXPECT_EQ(found, QDir(dir_.filePath("jdk/bin")).canonicalPath().toStdString() + "/javac");
    EXPECT_EQ(missing, "");
}

} // namespace
