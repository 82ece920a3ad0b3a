// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The program on its real windows, dialogs and message boxes, over the system's own files and
// code page: what a user meets with hostile file names and odd Set.ini contents. Only the
// console is stood in for: a console that would open is recorded, not opened (tests/console
// runs the scripts themselves with the real JDK).

#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/frm_edit.h"
#include "fake_platform.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_text_files.h"
#include "platform/qt/file_dialog_parts.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_window_factory.h"
#include "posix_test_support.h"
#include "qt_fixture.h"
#include "toolchain/tool_directories.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Step = std::function<void(QWidget&)>;

// A user who answers each modal window as it comes up, one step each, in order. The event loop
// is watched all along: the longest it stood still is kept.
class ModalUser {
public:
    ModalUser() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }

    void then(Step step) { steps_.push_back(std::move(step)); }
    // The next window is a message box: noted as "title|text", answered with the button named.
    void answerBox(const QString& button) {
        then([this, button](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr) << window.metaObject()->className();
            boxes << box->windowTitle() + u'|' + box->text();
            pressBoxButton(*box, button);
        });
    }
    // Runs the command while answering its windows; every step must have been taken.
    void run(const std::function<void()>& command) {
        clock_.start();
        last_ = 0;
        longestStall = 0;
        timer_.start();
        command();
        // A command that shows no window is timed whole.
        longestStall = std::max(longestStall, clock_.elapsed() - last_);
        timer_.stop();
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " windows did not come up";
        steps_.clear();
    }

    QStringList boxes;
    qint64 longestStall = 0;

private:
    void tick() {
        const qint64 now = clock_.elapsed();
        longestStall = std::max(longestStall, now - last_);
        last_ = now;
        QWidget* modal = QApplication::activeModalWidget();
        // A window a step left open fails the test instead of hanging it.
        if (now > 20000 && modal != nullptr) {
            ADD_FAILURE() << "still open: " << modal->windowTitle().toStdString();
            qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
            return;
        }
        if (modal == nullptr || modal == handled_ || !modal->isVisible()) {
            return;
        }
        // A window answered before stands modal again once a box it brought up has closed:
        // a step may take it up again, and with none left it is about to close itself.
        if (steps_.empty() && answered_.contains(modal)) {
            return;
        }
        handled_ = modal;
        answered_.append(modal);
        if (steps_.empty()) {
            ADD_FAILURE() << "unexpected " << modal->metaObject()->className() << " "
                          << modal->windowTitle().toStdString();
            qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
            return;
        }
        // Run apart from the timer's own call, which Qt does not repeat while it lasts: a step
        // that brings up a window of its own must see it answered too.
        QTimer::singleShot(0, modal, [step = std::move(steps_.front()), modal] { step(*modal); });
        steps_.pop_front();
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    QPointer<QWidget> handled_;
    QList<QPointer<QWidget>> answered_;
    std::deque<Step> steps_;
};

// The files the Open dialog lists, by name.
QStringList listed(QFileDialog& dialog) {
    QStringList names;
    auto* view = platform::qt::fileList(dialog);
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        names << model->index(row, 0, view->rootIndex()).data().toString();
    }
    return names;
}

class RealProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(documents.isValid());
        folder = QDir(documents.path()).canonicalPath().toStdString();
        platform.location.directory = folder;
        platform.environment.executables.insert(folder + "/morvane-bat");
    }
    void TearDown() override {
        if (module && windows.mainWindow() != nullptr) {
            windows.mainWindow()->hide();
        }
    }

    std::string path(const std::string& name) const { return folder + "/" + name; }
    // Names as the bytes they are, also those that are not UTF-8.
    void write(const std::string& name, const QByteArray& bytes) {
        std::ofstream file(path(name), std::ios::binary);
        file.write(bytes.constData(), bytes.size());
        ASSERT_TRUE(file.good()) << name;
    }
    std::optional<QByteArray> read(const std::string& name) const {
        std::ifstream file(path(name), std::ios::binary);
        if (!file) {
            return std::nullopt;
        }
        std::stringstream bytes;
        bytes << file.rdbuf();
        return QByteArray::fromStdString(bytes.str());
    }
    // Starts the program with Set.ini holding bytes, answering its windows on the way.
    void start(const QByteArray& setIni) {
        write("Set.ini", setIni);
        module = std::make_unique<app::Module1>(services);
        user.run([&] { module->Main(); });
    }
    void trigger(const char* action) {
        QAction* item = windows.mainWindow()->findChild<QAction*>(QString::fromUtf8(action));
        ASSERT_NE(item, nullptr) << action;
        user.run([&] { item->trigger(); });
    }
    enum class Choice { Typed, Listed };
    // Opens the file through the Open dialog once the list shows the file named by listing:
    // typed into the name box, or, for a name no one can type, chosen in the list.
    void open(const std::string& name, Choice choice = Choice::Typed,
              std::optional<std::string> listing = std::nullopt) {
        chooseInOpenDialog(name, choice, std::move(listing));
        trigger("mnuFileOpen");
    }
    // The same as the next window's step, for a command whose further windows come after.
    void chooseInOpenDialog(const std::string& name, Choice choice,
                            std::optional<std::string> listing) {
        const bool typed = choice == Choice::Typed;
        const QString shown = QString::fromStdString(name);
        const QString listedName = QString::fromStdString(listing.value_or(name));
        user.then([&, shown, typed, listedName](QWidget& window) {
            auto& dialog = dynamic_cast<QFileDialog&>(window);
            ASSERT_TRUE(waitFor([&] { return listed(dialog).contains(listedName); }));
            shownListing = listed(dialog);
            if (typed) {
                typeName(dialog, shown);
            } else {
                auto* view = platform::qt::fileList(dialog);
                const QModelIndex index = view->model()->index(
                    static_cast<int>(listed(dialog).indexOf(shown)), 0, view->rootIndex());
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(index).center());
            }
            pressDialogButton(dialog, QDialogButtonBox::Open);
        });
    }
    std::string activeCaption() { return module->MainWindow->ActiveForm()->Caption(); }
    QString errorNotice(const std::string& text) const {
        return QStringLiteral("错误提示|") + QString::fromStdString(text);
    }

    QtTestEnvironment environment;
    QTemporaryDir documents;
    std::string folder;
    posixtest::CacheFolder cache{environment.directory.path().toStdString()};
    fakes::FakePlatform platform;
    platform::qt::QtMessageBox messageBox;
    platform::qt::QtSettingsStore settings{environment.directory.path()};
    platform::posix::PosixTextFiles files;
    platform::posix::IconvCodePage codePage;
    platform::qt::QtWindowFactory windows;
    platform::qt::QtFileDialogs fileDialogs;
    platform::Services services{messageBox,
                                settings,
                                platform.location,
                                files,
                                codePage,
                                windows,
                                fileDialogs,
                                platform.processes,
                                platform.clipboard,
                                platform.environment,
                                platform.privateFiles};
    std::unique_ptr<app::Module1> module;
    ModalUser user;
    // What the Open dialog listed when the name was given.
    QStringList shownListing;
};

QByteArray setIniFor(const std::string& sourceDir) {
    return "/usr/lib/jvm/bin/\r\n" + QByteArray::fromStdString(sourceDir) + "/\r\n";
}

QString unsafePath(const std::string& shown) {
    return QStringLiteral("错误提示|文件“") + QString::fromStdString(shown) +
           QStringLiteral(
               "”的路径中有换行符等控制字符或无效的字节，不能交给Java工具或浏览器。请先给"
               "文件（或它所在的文件夹）改名。");
}

TEST_F(RealProgram, ALineBreakInANameOpensButNeverReachesAScript) {
    start(setIniFor(folder));
    for (const std::string name : {"X\njava Pwn.java", "X\r\njava Pwn.java"}) {
        SCOPED_TRACE(name);
        user.boxes.clear();
        write(name, "class X {}\r\n");
        // No one types a line break into the name box; the list offers the file.
        open(name, Choice::Listed);
        ASSERT_EQ(activeCaption(), path(name));
        for (const char* command : {"mnuCombile", "mnuRunJava"}) {
            user.answerBox(QStringLiteral("确定"));
            trigger(command);
        }
        const std::string shown =
            name.find('\r') != std::string::npos ? "X␍␊java Pwn.java" : "X␊java Pwn.java";
        EXPECT_EQ(user.boxes, QStringList({unsafePath(folder + "/" + shown),
                                           unsafePath(folder + "/" + shown)}));
    }
    EXPECT_EQ(read("debug.bat"), std::nullopt);
    EXPECT_TRUE(platform.processes.started.empty());
}

TEST_F(RealProgram, ALeadingAtSignIsCompiledAsTheFileAndNeverRunAsAFileOfOptions) {
    start(setIniFor(folder));
    write("@Run.java", "class Run {}\r\n");
    write("Run", "Pwn.java\n");
    open("@Run.java");
    ASSERT_EQ(activeCaption(), path("@Run.java"));
    user.answerBox(QStringLiteral("确定"));
    trigger("mnuRunJava");
    EXPECT_EQ(user.boxes,
              QStringList{QStringLiteral(
                  "错误提示|“@Run”不是合法的Java类名，不能运行。类名要以字母、“_”或“$”开头，只由字"
                  "母、数字、“_”和“$”组成，且不能是Java的关键字。请让文件名与类名一致。")});
    EXPECT_EQ(read("debug.bat"), std::nullopt);
    EXPECT_TRUE(platform.processes.started.empty());

    trigger("mnuCombile");
    EXPECT_EQ(read("debug.bat"),
              QByteArray("set path=/usr/lib/jvm/bin/\r\njavac \"./@Run.java\"\r\n@pause\r\n"));
    ASSERT_EQ(platform.consoles().size(), 1u);
    EXPECT_EQ(platform.consoles()[0].workingDirectory, folder);
}

TEST_F(RealProgram, ANameTypedWithAQuoteOpensThatFileAndItsPageIsWellFormed) {
    start(setIniFor(folder));
    write("q.java", "class Q {}\r\n");
    write("a\"q.java", "class A {}\r\n");
    open("a\"q.java");
    ASSERT_EQ(activeCaption(), path("a\"q.java"));
    EXPECT_EQ(module->MainWindow->ActiveForm()->txtEdit().text(), "class A {}\n");
    trigger("mnuFileBuildAsHtm");
    const std::string page = module->MainWindow->ActiveForm()->txtEdit().text();
    EXPECT_NE(page.find("\n<APPLET  CODE=\"a&quot;q.class\"  WIDTH=300 HEIGHT=150>  </APPLET>\n"),
              std::string::npos)
        << page;
}

TEST_F(RealProgram, TheSettingsDialogRefusesAToolsDirectoryThatIsASearchPathWithARelativePart) {
    const auto fill = [&](const QString& text1) {
        return [this, text1](QWidget& window) {
            window.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(text1);
            window.findChild<QLineEdit*>(QStringLiteral("Text2"))
                ->setText(QString::fromStdString(folder));
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        };
    };
    user.then(fill(QStringLiteral("/usr/lib/jvm/bin;.")));
    user.answerBox(QStringLiteral("确定"));
    user.then(fill(QStringLiteral("/usr/lib/jvm/bin")));
    start({});
    EXPECT_EQ(user.boxes,
              QStringList{QStringLiteral(
                  "提示|“/usr/lib/jvm/bin;.”中的“.”不是绝对目录，Java工具会在文档所在的文件夹里寻"
                  "找。请只填写一个完整的目录（如：/usr/lib/jvm/default-java/bin/）。")});
    EXPECT_EQ(read("Set.ini"),
              "/usr/lib/jvm/bin/\r\n" + QByteArray::fromStdString(folder) + "/\r\n");
}

// What a user who had not set the directories does in the settings dialog: Cancel, and Yes to
// leaving them unset. The texts the dialog showed are kept.
struct Shown {
    bool dialog = false;
    QString text1;
    QString text2;
};

TEST_F(RealProgram, OddSetIniContentsStartTheProgramOrTheSettingsDialogAtOnce) {
    const QByteArray tenMegabytes(10 << 20, 'x');
    QByteArray lines;
    while (lines.size() < (10 << 20)) {
        lines += "/usr/lib/jvm/bin/ and more\r\n";
    }
    QByteArray binary;
    for (int i = 0; i < 1 << 16; ++i) {
        binary += static_cast<char>(1 + (i * 7919) % 255);
    }
    const QByteArray src = QByteArray::fromStdString(folder) + "/";
    struct Case {
        const char* what;
        QByteArray bytes;
        std::string javaBinDir;
        std::string sourceDir;
    };
    const Case cases[] = {
        {"NUL bytes", QByteArray("/usr/lib/jvm/bin/\0\r\n", 20) + src + "\r\n", "", ""},
        {"UTF-16 as Notepad writes it", QByteArray("\xff\xfe/\0j\0\r\0\n\0", 10), "", ""},
        {"10 MB of lines after the two", "/jdk/bin/\r\n" + src + "\r\n" + lines, "/jdk/bin/",
         folder + "/"},
        {"a 10 MB first line", "/" + tenMegabytes + "\r\n" + src + "\r\n", "", folder + "/"},
        {"a 10 MB second line", "/jdk/bin/\r\n/" + tenMegabytes, "/jdk/bin/", ""},
        {"binary", binary, "", ""},
        {"no final line end", "/jdk/bin/\r\n" + src, "/jdk/bin/", folder + "/"},
        {"GBK paths", "/opt/\xd4\xb4\xb3\xcc\xd0\xf2/bin/\r\n" + src + "\r\n", "/opt/源程序/bin/",
         folder + "/"},
        {"blank lines first", "\r\n\r\n/jdk/bin/\r\n" + src + "\r\n", "", ""},
        {"blanks around", "  /jdk/bin/  \r\n\t" + src + "\r\n", "", ""},
        {"CR only", "/jdk/bin/\r" + src + "\r", "/jdk/bin/", folder + "/"},
        {"a byte-order mark", "\xef\xbb\xbf/jdk/bin/\r\n" + src + "\r\n", "/jdk/bin/",
         folder + "/"},
        {"a relative part", "/jdk/bin;.\r\n" + src + "\r\n", "", folder + "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shown shown;
        if (c.javaBinDir.empty() || c.sourceDir.empty()) {
            user.then([&](QWidget& window) {
                shown = {true, window.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
                         window.findChild<QLineEdit*>(QStringLiteral("Text2"))->text()};
                QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CancelButton")),
                                  Qt::LeftButton);
            });
            user.answerBox(QStringLiteral("是(&Y)"));
        }
        start(c.bytes);
        EXPECT_EQ(module->JavaBinDir, c.javaBinDir);
        EXPECT_EQ(module->SourceDir, c.sourceDir);
        EXPECT_EQ(shown.dialog, c.javaBinDir.empty() || c.sourceDir.empty());
        EXPECT_EQ(shown.text1.toStdString(), shown.dialog ? c.javaBinDir : "");
        // An unset source folder is offered one, as at every first start.
        const std::string offered =
            c.sourceDir.empty() ? toolchain::offeredSourceDirectory(platform.environment, '/')
                                : c.sourceDir;
        EXPECT_EQ(shown.text2.toStdString(), shown.dialog ? offered : "");
        // Two seconds for each 10 MB read, the window answering all the while.
        EXPECT_LT(user.longestStall, 2000);
        EXPECT_TRUE(windows.mainWindow()->isVisible());
    }
}

TEST_F(RealProgram, TheLongestNamesAFolderHoldsReachTheScriptWhole) {
    start(setIniFor(folder));
    std::string chinese;
    for (int i = 0; i < 83; ++i) {
        chinese += "类";
    }
    // 255 bytes each, the most a Linux folder entry holds.
    for (const std::string& stem : {std::string(250, 'L'), chinese + "X"}) {
        SCOPED_TRACE(stem);
        const std::string name = stem + ".java";
        ASSERT_EQ(name.size(), 255u);
        write(name, "class L {}\r\n");
        open(name);
        ASSERT_EQ(activeCaption(), path(name));
        trigger("mnuCombile");
        EXPECT_EQ(read("debug.bat"),
                  QByteArray::fromStdString("set path=/usr/lib/jvm/bin/\r\njavac " + name +
                                            "\r\n@pause\r\n"));
        trigger("mnuRunJava");
        EXPECT_EQ(read("debug.bat"),
                  QByteArray::fromStdString("set path=/usr/lib/jvm/bin/\r\njava " + stem +
                                            "\r\n@pause\r\n"));
    }
    EXPECT_TRUE(user.boxes.isEmpty()) << user.boxes.join(u'\n').toStdString();
    EXPECT_EQ(platform.consoles().size(), 4u);
}

TEST_F(RealProgram, ANameThatIsNotUtf8IsNotListedAndNeverOpensAsAnotherFile) {
    start(setIniFor(folder));
    const std::string raw = "\xff\xfe.java";
    write(raw, "class A {}\r\n");
    write("ok.java", "class A {}\r\n");
    // Qt names files in Unicode and shows bytes it cannot read as U+FFFD: the file is not
    // listed, and the name a user could type for it names no file.
    const std::string replaced = "\xef\xbf\xbd\xef\xbf\xbd.java";
    chooseInOpenDialog(replaced, Choice::Typed, "ok.java");
    user.answerBox(QStringLiteral("确定"));
    trigger("mnuFileOpen");
    EXPECT_EQ(shownListing, QStringList{"ok.java"});
    ASSERT_EQ(user.boxes.size(), 1);
    EXPECT_TRUE(user.boxes[0].startsWith(QStringLiteral("错误处理|无法打开文件“")));
    EXPECT_EQ(module->MainWindow->ActiveForm(), nullptr);
    EXPECT_EQ(read(raw), QByteArray("class A {}\r\n"));
    // Qt cannot remove what it cannot name.
    std::filesystem::remove(path(raw));
}

} // namespace
