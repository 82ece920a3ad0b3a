// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/file_dialog_parts.h"
#include "platform/qt/qt_file_dialogs.h"
#include "qt_fixture.h"

#include <functional>
#include <optional>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using platform::FileDialogRequest;
using platform::qt::QtFileDialogs;

const std::string SourceFilter =
    "Java源程序(*.java)|*.java|Htm网页文件(*.htm)|*.htm|所有文件 (*.*)|*.*";
const std::string HtmFilter = "Htm网页文件(*.htm)|*.htm";

using platform::qt::nameBox;
using platform::qt::typeBox;

QStringList typeTexts(QFileDialog& dialog) {
    QStringList texts;
    QComboBox* types = typeBox(dialog);
    for (int i = 0; types != nullptr && i < types->count(); ++i) {
        texts << types->itemText(i);
    }
    return texts;
}

// The files the dialog's list shows for the folder it is in, sorted; folders left out.
QStringList listedFiles(QFileDialog& dialog) {
    QStringList names;
    QListView* view = platform::qt::fileList(dialog);
    if (view == nullptr || view->model() == nullptr) {
        return names;
    }
    const QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, 0, root);
        if (!model->flags(index).testFlag(Qt::ItemIsEnabled)) {
            continue;
        }
        const QFileInfo file(index.data(QFileSystemModel::FilePathRole).toString());
        if (file.isFile()) {
            names << file.fileName();
        }
    }
    names.sort();
    return names;
}

// The folder is read in the background, and its files arrive together (in one batch for a
// folder of fewer than a hundred, as every test folder here): once the expected listing shows,
// a file that should not be listed would have shown with it. A listing that never comes right
// is returned as it stands after the wait.
QStringList settledListing(QFileDialog& dialog, QStringList expected) {
    expected.sort();
    waitFor([&] { return listedFiles(dialog) == expected; });
    return listedFiles(dialog);
}

// Steps through the file type box with the arrow keys, as a user would.
void chooseType(QFileDialog& dialog, int index) {
    QComboBox* types = typeBox(dialog);
    ASSERT_NE(types, nullptr);
    for (int step = 0; step < 20 && types->currentIndex() != index; ++step) {
        QTest::keyClick(types, types->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(types->currentIndex(), index);
}

// Closes every modal window still open; a stuck dialog fails its test instead of hanging it.
void closeModalWindows() {
    for (int i = 0; i < 10; ++i) {
        auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (open == nullptr) {
            return;
        }
        ADD_FAILURE() << "still open: " << open->metaObject()->className() << " "
                      << open->windowTitle().toStdString();
        open->done(QDialog::Rejected);
    }
}

using Show = std::function<std::optional<std::string>()>;
using Drive = std::function<void(QFileDialog&)>;

// Shows a dialog and drives it from inside its own event loop. A dialog the drive leaves open is
// cancelled.
std::optional<std::string> run(const Show& show, const Drive& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = nullptr;
        waitFor([&] {
            dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            return dialog != nullptr;
        });
        if (dialog == nullptr) {
            ADD_FAILURE() << "no file dialog came up";
            return;
        }
        driven = true;
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, closeModalWindows);
    watchdog.start(20000);
    std::optional<std::string> chosen = show();
    EXPECT_TRUE(driven);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    return chosen;
}

class QtFileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temporary.isValid());
        folder = QDir(temporary.path()).canonicalPath();
        for (const char* name : {"Hello.java", "page.htm", "Makefile", "notes.txt", "Old.JAVA"}) {
            write(QString::fromUtf8(name), "content\r\n");
        }
        ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("classes")));
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QString path(const QString& name) const { return QDir(folder).filePath(name); }
    std::string pathOf(const char* name) const {
        return path(QString::fromUtf8(name)).toStdString();
    }

    FileDialogRequest request(const std::string& filter = SourceFilter, int filterIndex = 1,
                              const std::string& defaultExt = {},
                              const std::string& fileName = {}) const {
        return {"打开", filter, filterIndex, folder.toStdString(), defaultExt, fileName};
    }

    std::optional<std::string> open(const FileDialogRequest& r, const Drive& drive) {
        return run([&] { return dialogs.showOpen(r); }, drive);
    }
    std::optional<std::string> save(const FileDialogRequest& r, const Drive& drive) {
        return run([&] { return dialogs.showSave(r); }, drive);
    }

    QTemporaryDir temporary;
    QString folder;
    QtFileDialogs dialogs;
};

const QStringList AllFiles = {"Hello.java", "Makefile", "Old.JAVA", "notes.txt", "page.htm"};

TEST_F(QtFileDialogsTest, ShowsTheTitleAndEveryFilterDescriptionAsWritten) {
    QWidget window;
    QtFileDialogs over(&window);
    QString title;
    QStringList texts;
    QWidget* parent = nullptr;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    const auto chosen = run([&] { return over.showOpen(request()); },
                            [&](QFileDialog& dialog) {
                                title = dialog.windowTitle();
                                texts = typeTexts(dialog);
                                parent = dialog.parentWidget();
                                mode = dialog.acceptMode();
                                pressDialogButton(dialog, QDialogButtonBox::Cancel);
                            });
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(title, QStringLiteral("打开"));
    EXPECT_EQ(texts, (QStringList{"Java源程序(*.java)", "Htm网页文件(*.htm)", "所有文件 (*.*)"}));
    EXPECT_EQ(parent, &window);
    EXPECT_EQ(mode, QFileDialog::AcceptOpen);

    FileDialogRequest page = request(HtmFilter, 1, "*.htm", "Hello");
    page.title = "保存为Html文件";
    const auto saved = save(page, [&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        texts = typeTexts(dialog);
        mode = dialog.acceptMode();
        pressDialogButton(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(saved.has_value());
    EXPECT_EQ(title, QStringLiteral("保存为Html文件"));
    EXPECT_EQ(texts, QStringList{"Htm网页文件(*.htm)"});
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
}

TEST_F(QtFileDialogsTest, EachFilterListsTheFilesItsPatternMatches) {
    QStringList java, htm, all;
    open(request(), [&](QFileDialog& dialog) {
        java = settledListing(dialog, {"Hello.java", "Old.JAVA"});
        chooseType(dialog, 1);
        htm = settledListing(dialog, {"page.htm"});
        chooseType(dialog, 2);
        all = settledListing(dialog, AllFiles);
    });
    EXPECT_EQ(java, (QStringList{"Hello.java", "Old.JAVA"}));
    EXPECT_EQ(htm, QStringList{"page.htm"});
    // "*.*" is every file, also one whose name has no dot.
    EXPECT_EQ(all, AllFiles);
}

TEST_F(QtFileDialogsTest, FilterIndexChoosesTheFilterShownFirst) {
    struct Case {
        int filterIndex;
        QString shown;
        QStringList listed;
    };
    const QList<Case> cases = {
        {1, "Java源程序(*.java)", {"Hello.java", "Old.JAVA"}},
        {2, "Htm网页文件(*.htm)", {"page.htm"}},
        {3, "所有文件 (*.*)", AllFiles},
        // Out of range: the first entry, as with no choice at all.
        {0, "Java源程序(*.java)", {"Hello.java", "Old.JAVA"}},
        {4, "Java源程序(*.java)", {"Hello.java", "Old.JAVA"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filterIndex);
        QString shown;
        QStringList listed;
        save(request(SourceFilter, c.filterIndex), [&](QFileDialog& dialog) {
            shown = typeBox(dialog)->currentText();
            listed = settledListing(dialog, c.listed);
        });
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(listed, c.listed);
    }
}

TEST_F(QtFileDialogsTest, ListsByThePatternNotByTheDescription) {
    // The first description names "*.txt" in its parentheses, which is not its pattern; the
    // second has no parentheses at all; the last description has no pattern and is dropped.
    const std::string filter = "源程序和网页(*.txt)|*.java; *.htm|Text|*.txt|孤立";
    QStringList texts, sources, text;
    open(request(filter), [&](QFileDialog& dialog) {
        texts = typeTexts(dialog);
        sources = settledListing(dialog, {"Hello.java", "Old.JAVA", "page.htm"});
        chooseType(dialog, 1);
        text = settledListing(dialog, {"notes.txt"});
    });
    EXPECT_EQ(texts, (QStringList{"源程序和网页(*.txt)", "Text"}));
    EXPECT_EQ(sources, (QStringList{"Hello.java", "Old.JAVA", "page.htm"}));
    EXPECT_EQ(text, QStringList{"notes.txt"});
}

TEST_F(QtFileDialogsTest, ParenthesesAndBracketsInAPatternStandForThemselves) {
    write(QStringLiteral("notes(1).txt"), "x");
    write(QStringLiteral("[draft].txt"), "x");
    write(QStringLiteral("d.txt"), "x");
    QStringList parenthesised, bracketed;
    open(request("Copies|*(1).txt|Drafts|[draft].txt"), [&](QFileDialog& dialog) {
        parenthesised = settledListing(dialog, {"notes(1).txt"});
        chooseType(dialog, 1);
        bracketed = settledListing(dialog, {"[draft].txt"});
    });
    EXPECT_EQ(parenthesised, QStringList{"notes(1).txt"});
    EXPECT_EQ(bracketed, QStringList{"[draft].txt"});
}

TEST_F(QtFileDialogsTest, OpenReturnsATypedNameOfAMissingFile) {
    const auto chosen = open(request(), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("Missing.java"));
        pressDialogButton(dialog, QDialogButtonBox::Open);
    });
    EXPECT_EQ(chosen, pathOf("Missing.java"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Missing.java"))));
}

// Presses Save and answers the question that comes up, if any, with the button whose text is
// given; the question's text, or nothing when none came.
QString saveAnswering(QFileDialog& dialog, const QString& answer) {
    QString asked;
    QTimer::singleShot(0, &dialog, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = box->windowTitle() + u'|' + box->text();
            pressBoxButton(*box, answer);
        }
    });
    pressDialogButton(dialog, QDialogButtonBox::Save);
    return asked;
}

TEST_F(QtFileDialogsTest, SaveAsksBeforeReplacingAnExistingFile) {
    // The page generator proposes the class name: page.htm is a hand-written page here.
    FileDialogRequest htm = request(HtmFilter, 1, "*.htm", "page");
    htm.title = "保存为Html文件";
    QString question;
    bool openAfterNo = false;
    const auto declined = save(htm, [&](QFileDialog& dialog) {
        question = saveAnswering(dialog, QStringLiteral("否(&N)"));
        openAfterNo = dialog.isVisible();
    });
    EXPECT_EQ(question, QStringLiteral("保存为Html文件|“page.htm”已存在。\n要替换它吗？"));
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(declined, std::nullopt);

    QString askedForNew;
    const auto replaced = save(request(SourceFilter, 1, {}, "Hello"), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("Hello.java"));
        question = saveAnswering(dialog, QStringLiteral("是(&Y)"));
    });
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(replaced, pathOf("Hello.java"));
    // A new name asks nothing.
    const auto fresh = save(request(SourceFilter, 1, {}, "New"), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("New.java"));
        askedForNew = saveAnswering(dialog, QStringLiteral("否(&N)"));
    });
    EXPECT_TRUE(askedForNew.isEmpty());
    EXPECT_EQ(fresh, pathOf("New.java"));
    // The dialog only chooses: nothing was written.
    QFile file(path(QStringLiteral("page.htm")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("content\r\n"));
}

TEST_F(QtFileDialogsTest, DefaultExtensionCompletesANameTypedWithoutOne) {
    for (const std::string ext : {"*.htm", "htm", ".htm"}) {
        SCOPED_TRACE(ext);
        // The proposed name taken as it stands.
        EXPECT_EQ(
            save(request(HtmFilter, 1, ext, "Hello"),
                 [](QFileDialog& dialog) { pressDialogButton(dialog, QDialogButtonBox::Save); }),
            pathOf("Hello.htm"));
    }
    struct Case {
        std::string defaultExt;
        QString typed;
        const char* chosen;
    };
    const QList<Case> cases = {
        {"*.htm", "Other.java", "Other.java"},
        {"*.htm", "Hello.htm", "Hello.htm"},
        {"*.htm", "Makefile", "Makefile.htm"},
        {"", "Hello", "Hello"},
        {"*.*", "Hello", "Hello"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " with " + c.defaultExt);
        EXPECT_EQ(save(request(HtmFilter, 1, c.defaultExt),
                       [&](QFileDialog& dialog) {
                           typeName(dialog, c.typed);
                           pressDialogButton(dialog, QDialogButtonBox::Save);
                       }),
                  pathOf(c.chosen));
    }
    // The extension stays in the shared dialog and so reaches Open too.
    EXPECT_EQ(open(request(SourceFilter, 1, "*.htm"),
                   [](QFileDialog& dialog) {
                       typeName(dialog, QStringLiteral("Missing"));
                       pressDialogButton(dialog, QDialogButtonBox::Open);
                   }),
              pathOf("Missing.htm"));
}

TEST_F(QtFileDialogsTest, ChangingTheTypeNeverPutsAWildcardIntoTheName) {
    QString afterAll;
    // From the HTM entry one step down to the all-files entry.
    const auto chosen = save(request(SourceFilter, 2, {}, "Hello"), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("New.java"));
        chooseType(dialog, 2);
        afterAll = nameBox(dialog)->text();
        pressDialogButton(dialog, QDialogButtonBox::Save);
    });
    EXPECT_EQ(afterAll, QStringLiteral("New.java"));
    EXPECT_EQ(chosen, pathOf("New.java"));
}

TEST_F(QtFileDialogsTest, ATypedFolderNameOpensTheFolder) {
    const QString classes = path(QStringLiteral("classes"));
    for (const std::string ext : {"*.htm", ""}) {
        SCOPED_TRACE(ext);
        bool stayedOpen = false;
        QString enteredFolder, nameLeft;
        const auto chosen = save(request(HtmFilter, 1, ext), [&](QFileDialog& dialog) {
            typeName(dialog, QStringLiteral("classes"));
            pressDialogButton(dialog, QDialogButtonBox::Save);
            stayedOpen = dialog.isVisible();
            enteredFolder = dialog.directory().absolutePath();
            nameLeft = nameBox(dialog)->text();
            typeName(dialog, QStringLiteral("Applet.htm"));
            pressDialogButton(dialog, QDialogButtonBox::Save);
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(enteredFolder, classes);
        EXPECT_EQ(nameLeft, QString());
        EXPECT_EQ(chosen, (classes + QStringLiteral("/Applet.htm")).toStdString());
    }
}

TEST_F(QtFileDialogsTest, CancelChoosesNothing) {
    EXPECT_FALSE(save(request(SourceFilter, 1, "*.htm", "Hello"), [](QFileDialog& dialog) {
                     typeName(dialog, QStringLiteral("Typed.java"));
                     pressDialogButton(dialog, QDialogButtonBox::Cancel);
                 }).has_value());
    EXPECT_FALSE(open(request(), [](QFileDialog& dialog) {
                     typeName(dialog, QStringLiteral("Hello.java"));
                     dialog.reject();
                 }).has_value());
}

TEST_F(QtFileDialogsTest, StartsInTheStartFolderWithTheProposedName) {
    QString shownFolder, shownName;
    const Drive look = [&](QFileDialog& dialog) {
        shownFolder = dialog.directory().absolutePath();
        shownName = nameBox(dialog)->text();
    };
    open(request(), look);
    EXPECT_EQ(shownFolder, folder);
    EXPECT_EQ(shownName, QString());

    save(request(SourceFilter, 1, {}, "Hello"), look);
    EXPECT_EQ(shownFolder, folder);
    EXPECT_EQ(shownName, QStringLiteral("Hello"));

    // A proposed name with a folder of its own starts there.
    save(request(SourceFilter, 1, {}, pathOf("classes/Page.htm")), look);
    EXPECT_EQ(shownFolder, path(QStringLiteral("classes")));
    EXPECT_EQ(shownName, QStringLiteral("Page.htm"));

    FileDialogRequest nowhere = request();
    nowhere.initDir = pathOf("no such folder");
    open(nowhere, look);
    EXPECT_TRUE(QFileInfo(shownFolder).isDir()) << shownFolder.toStdString();
}

TEST_F(QtFileDialogsTest, LeavesTheCurrentDirectoryAsItWas) {
    const QString before = QDir::currentPath();
    ASSERT_NE(before, folder);
    const auto chosen = open(request(), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("classes"));
        pressDialogButton(dialog, QDialogButtonBox::Open);
        typeName(dialog, QStringLiteral("Hello.java"));
        pressDialogButton(dialog, QDialogButtonBox::Open);
    });
    EXPECT_EQ(chosen, pathOf("classes/Hello.java"));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(QtFileDialogsTest, ATypedNameHoldingQuotesIsTheOneNameTyped) {
    // Qt reads text in quotes as several names: a typed a"q.java came back as q.java.
    write(QStringLiteral("q.java"), "other");
    write(QStringLiteral("a\"q.java"), "quoted");
    const QStringList listing = {"Hello.java", "Old.JAVA", "a\"q.java", "q.java"};
    struct Case {
        bool save;
        std::string defaultExt;
        QString typed;
        std::string chosen;
    };
    const QList<Case> cases = {
        {false, {}, "a\"q.java", "a\"q.java"},
        {false, {}, "b\"q.java", "b\"q.java"},
        {false, {}, "\"q.java\"", "\"q.java\""},
        {false, {}, "\"Hello.java\" \"q.java\"", "\"Hello.java\" \"q.java\""},
        {true, "*.htm", "say \"hi\"", "say \"hi\".htm"},
        {true, "*.htm", "x\"", "x\".htm"},
        {true, {}, "x\"", "x\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const FileDialogRequest r = request(SourceFilter, 1, c.defaultExt);
        const Drive drive = [&](QFileDialog& dialog) {
            // The listing is there, so Qt's completion would select what it reads in the name.
            EXPECT_TRUE(waitFor([&] { return listedFiles(dialog) == listing; }));
            typeName(dialog, c.typed);
            pressDialogButton(dialog, c.save ? QDialogButtonBox::Save : QDialogButtonBox::Open);
        };
        EXPECT_EQ(c.save ? save(r, drive) : open(r, drive), pathOf(c.chosen.c_str()));
    }
    // Saving over the quoted file asks about that file, and Yes chooses it.
    QString question;
    const auto replaced = save(request(), [&](QFileDialog& dialog) {
        typeName(dialog, QStringLiteral("a\"q.java"));
        question = saveAnswering(dialog, QStringLiteral("是(&Y)"));
    });
    EXPECT_EQ(question, QStringLiteral("打开|“a\"q.java”已存在。\n要替换它吗？"));
    EXPECT_EQ(replaced, pathOf("a\"q.java"));
}

TEST_F(QtFileDialogsTest, ChineseNamesComeBackAsUtf8) {
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("源程序")));
    write(QStringLiteral("源程序/你好.java"), "x");
    FileDialogRequest r = request();
    r.initDir = pathOf("源程序");
    QStringList listed;
    const auto chosen = open(r, [&](QFileDialog& dialog) {
        listed = settledListing(dialog, {"你好.java"});
        typeName(dialog, QStringLiteral("你好.java"));
        pressDialogButton(dialog, QDialogButtonBox::Open);
    });
    EXPECT_EQ(listed, QStringList{"你好.java"});
    EXPECT_EQ(chosen, folder.toStdString() + "/源程序/你好.java");
}

} // namespace
