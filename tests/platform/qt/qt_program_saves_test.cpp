// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_test_support.h"
#include "qt_program_on_disk.h"

#include <fstream>
#include <unistd.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace posixtest;

const QString Yes = QStringLiteral("是(&Y)");
const QString No = QStringLiteral("否(&N)");
const QString Ok = QStringLiteral("确定");

// Saves through the program's windows and boxes on real files.
class QtProgramSaves : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return sources.file(name); }
    bool isRoot() const { return ::geteuid() == 0; }

    TempFolder sources;
    TempFolder cache{0777};
    BoxAnswers boxes;
    QtProgramOnDisk program{sources.path(), cache.path()};
};

TEST_F(QtProgramSaves, AnotherProgramsChangeIsOverwrittenOnlyWhenTheUserSaysSo) {
    writeFile(path("A.java"), "class A {}\n");
    program.open(path("A.java"));
    program.typeAtEnd("// mine");
    // Another program rewrites the file meanwhile.
    const std::string theirs(1100, 'x');
    writeFile(path("A.java"), theirs);

    bool stayedOpen = false;
    QString defaultButton;
    boxes.add([&](QMessageBox& box) {
        defaultButton = box.defaultButton()->text();
        // Esc and the close box choose nothing.
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();
        processEvents();
        stayedOpen = box.isVisible();
        BoxAnswers::press(No)(box);
    });
    program.trigger("mnuFileSave");
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QString::fromStdString("文件“" + path("A.java") +
                                                     "”在打开或上次保存后已被其他程序修改。\n"
                                                     "要用本窗口中的文本覆盖它吗？"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(defaultButton, No);
    EXPECT_EQ(contentOf(path("A.java")), theirs);
    EXPECT_EQ(program.active().txtEdit().text(), "class A {}\n// mine");
    EXPECT_TRUE(program.active().Changed);

    boxes.add(BoxAnswers::press(Yes));
    program.trigger("mnuFileSave");
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(contentOf(path("A.java")), "class A {}\n// mine");
    EXPECT_FALSE(program.active().Changed);
}

TEST_F(QtProgramSaves, ASaveKeepsTheFilesOwnLineEnds) {
    const struct {
        const char* name;
        std::string bytes;
        std::string withNewLine;
    } files[] = {
        {"Lf.java", "class A {\n}\n", "class A {\n}\nnew\n"},
        {"CrLf.java", "class A {\r\n}\r\n", "class A {\r\n}\r\nnew\r\n"},
        {"Cr.java", "class A {\r}\r", "class A {\r}\rnew\r"},
        {"Mixed.java", "a\r\nb\nc\rd\n\n", "a\r\nb\nc\rd\n\nnew\n"},
        {"Gbk.java", "// \xC4\xE3\xBA\xC3\nclass A {}", "// \xC4\xE3\xBA\xC3\nclass A {}new\n"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        writeFile(path(file.name), file.bytes);
        program.open(path(file.name));
        program.trigger("mnuFileSave");
        EXPECT_EQ(contentOf(path(file.name)), file.bytes) << "unchanged, byte for byte";
        program.typeAtEnd("new\n");
        program.trigger("mnuFileSave");
        EXPECT_EQ(contentOf(path(file.name)), file.withNewLine);
    }
    // A new document keeps CR LF.
    program.trigger("mnuFileNew");
    program.typeAtEnd("a\nb");
    program.platform.fileDialogs.answers.push_back(path("New.java"));
    program.trigger("mnuFileSave");
    EXPECT_EQ(contentOf(path("New.java")), "a\r\nb");
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(QtProgramSaves, ASaveKeepsHardLinksAttributesAndAccessLists) {
    if (run("command -v setfattr >/dev/null && command -v setfacl >/dev/null") != 0) {
        GTEST_SKIP() << "setfattr and setfacl (packages attr, acl) are missing";
    }
    writeFile(path("A.java"), "class A {}\n", 0640);
    ASSERT_EQ(run("setfattr -n user.origin -v 'from a review' '" + path("A.java") + "'"), 0);
    ASSERT_EQ(run("setfacl -m u:nobody:rw '" + path("A.java") + "'"), 0);
    const std::string attributes = "getfattr -d -m - --absolute-names '" + path("A.java") + "'";
    const std::string accessList = "getfacl --absolute-names '" + path("A.java") + "'";
    const std::string attributesBefore = outputOf(attributes);
    const std::string accessListBefore = outputOf(accessList);
    ASSERT_NE(attributesBefore.find("user.origin"), std::string::npos);
    const mode_t mode = statusOf(path("A.java")).st_mode;

    program.open(path("A.java"));
    program.typeAtEnd("// saved");
    program.trigger("mnuFileSave");
    EXPECT_EQ(contentOf(path("A.java")), "class A {}\n// saved");
    EXPECT_EQ(outputOf(attributes), attributesBefore);
    EXPECT_EQ(outputOf(accessList), accessListBefore);
    EXPECT_EQ(statusOf(path("A.java")).st_mode, mode);

    // A second name of the file sees the new content too.
    ASSERT_EQ(::link(path("A.java").c_str(), path("Second.java").c_str()), 0);
    const ino_t inode = statusOf(path("A.java")).st_ino;
    program.typeAtEnd(" twice");
    program.trigger("mnuFileSave");
    EXPECT_EQ(contentOf(path("Second.java")), "class A {}\n// saved twice");
    EXPECT_EQ(statusOf(path("A.java")).st_ino, inode);
    EXPECT_EQ(statusOf(path("A.java")).st_nlink, 2u);
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_TRUE(entriesOf(cache.path() + "/MORVANE集成系统/保存备份").empty());
}

// The user saving is another than the file's owner, and may write the file but not give a new
// file that owner: the file is written in place and keeps its owner, group and mode; so too
// in a sticky folder, which would refuse to put another file in its place.
TEST_F(QtProgramSaves, AFileOfAnotherOwnerKeepsItsOwner) {
    if (!isRoot()) {
        GTEST_SKIP() << "a second user needs root";
    }
    ASSERT_EQ(::mkdir(path("shared").c_str(), 01777), 0);
    ASSERT_EQ(::chmod(path("shared").c_str(), 01777), 0);
    for (const std::string& folder : {std::string("shared"), std::string()}) {
        const std::string file = folder.empty() ? path("Owned.java") : path(folder + "/Owned.java");
        if (folder.empty()) {
            ASSERT_EQ(::chown(sources.path().c_str(), Nobody, Nobody), 0);
        }
        writeFile(file, "class Owned {}\n", 0666);
        ASSERT_EQ(::chown(file.c_str(), 0, 0), 0);
        const ino_t inode = statusOf(file).st_ino;
        program.open(file);
        program.typeAtEnd("// by nobody");
        {
            ActingAsNobody nobody;
            program.trigger("mnuFileSave");
        }
        SCOPED_TRACE(file);
        EXPECT_EQ(contentOf(file), "class Owned {}\n// by nobody");
        EXPECT_EQ(statusOf(file).st_uid, 0u);
        EXPECT_EQ(statusOf(file).st_gid, 0u);
        EXPECT_EQ(statusOf(file).st_mode & 07777, 0666u);
        EXPECT_EQ(statusOf(file).st_ino, inode);
    }
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(" | ").toStdString();
}

// The general message names the real cause, in Chinese; the access message is kept for a file
// that really may not be written.
TEST_F(QtProgramSaves, EachFailureNamesItsRealCause) {
    const std::string file = path("A.java");
    const auto failure = [&](const std::function<void()>& arrange, bool asNobody = false) {
        writeFile(file, "class A {}\n", 0666);
        program.open(file);
        program.typeAtEnd("x");
        arrange();
        boxes.add(BoxAnswers::press(Ok));
        const int shown = static_cast<int>(boxes.texts.size());
        if (asNobody) {
            ActingAsNobody nobody;
            program.trigger("mnuFileSave");
        } else {
            program.trigger("mnuFileSave");
        }
        EXPECT_TRUE(program.active().Changed);
        return boxes.texts.size() > shown ? boxes.texts.back().toStdString() : std::string();
    };
    const std::string general = "未知错误：无法写入文件“" + file + "”：";
    EXPECT_EQ(failure([&] {
                  ::unlink(file.c_str());
                  ASSERT_EQ(::symlink("B.java", file.c_str()), 0);
                  ASSERT_EQ(::symlink("A.java", path("B.java").c_str()), 0);
              }),
              general + "路径未找到：符号链接构成了循环错误号：76");
    ::unlink(file.c_str());
    ::unlink(path("B.java").c_str());
    EXPECT_EQ(failure([&] {
                  ::unlink(file.c_str());
                  ASSERT_EQ(::mkdir(file.c_str(), 0755), 0);
              }),
              general + "这是一个文件夹，不是文件错误号：1003");
    ::rmdir(file.c_str());
    EXPECT_EQ(failure([&] { ::chmod(file.c_str(), 0444); }),
              "文件访问错误，文件可能是只读的，请改变其属性再试");
    ::chmod(file.c_str(), 0666);
    if (isRoot()) {
        ASSERT_EQ(::mkdir(path("closed").c_str(), 0700), 0);
        const std::string inside = path("closed/A.java");
        writeFile(inside, "class A {}\n", 0666);
        program.open(inside);
        program.typeAtEnd("x");
        boxes.add(BoxAnswers::press(Ok));
        {
            ActingAsNobody nobody;
            program.trigger("mnuFileSave");
        }
        ASSERT_FALSE(boxes.texts.isEmpty());
        EXPECT_EQ(boxes.texts.back().toStdString(),
                  "未知错误：无法写入文件“" + inside +
                      "”：没有权限：路径中有不允许进入的文件夹错误号：70");
    }
}

} // namespace
