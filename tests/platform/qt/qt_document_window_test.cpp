// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/frm_edit.h"
#include "fake_platform.h"
#include "files/plain_text.h"
#include "platform/qt/qt_document_window.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text_control.h"
#include "platform/qt/qt_window_factory.h"
#include "platform/twips.h"
#include "qt_fixture.h"
#include "qt_program_fixture.h"
#include "text_control_fixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Real document windows in the real main window, driven by the program; files and boxes fake.
class QtDocumentWindowTest : public QtProgramTest {
protected:
    app::frmMain& main() { return *module.MainWindow; }
    QList<QMdiSubWindow*> subWindows() { return window->mdiArea()->subWindowList(); }
    platform::qt::QtTextControl* editOf(QMdiSubWindow* sub) {
        return sub->findChild<platform::qt::QtTextControl*>();
    }
};

TEST_F(QtDocumentWindowTest, NewDocumentsAreNumberedSubWindowsAndTheLastIsActive) {
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    processEvents();
    ASSERT_EQ(subWindows().size(), 3);
    EXPECT_EQ(subWindows()[0]->windowTitle(), QStringLiteral("Document 1"));
    EXPECT_EQ(window->mdiArea()->currentSubWindow()->windowTitle(), QStringLiteral("Document 3"));
    EXPECT_EQ(main().ActiveForm()->Caption(), "Document 3");
    EXPECT_TRUE(subWindows()[2]->isVisible());

    // Cascaded inside the area: each a step below and right of the one before.
    EXPECT_LT(subWindows()[0]->pos().x(), subWindows()[1]->pos().x());
    EXPECT_LT(subWindows()[1]->pos().y(), subWindows()[2]->pos().y());
    EXPECT_TRUE(window->mdiArea()->viewport()->rect().contains(subWindows()[2]->geometry()));

    subWindows()[1]->close();
    processEvents();
    ASSERT_EQ(subWindows().size(), 2);
    main().mnuFileNew_Click();
    EXPECT_EQ(main().ActiveForm()->Caption(), "Document 4");
}

TEST_F(QtDocumentWindowTest, TheActiveDocumentIsFoundWhileTheMainWindowIsNotActive) {
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    window->mdiArea()->setActiveSubWindow(subWindows()[0]);
    // Another program took the focus: the area forgets its active window, not its current one.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window, &deactivate);
    processEvents();
    ASSERT_NE(main().ActiveForm(), nullptr);
    EXPECT_EQ(main().ActiveForm()->Caption(), "Document 1");
}

TEST_F(QtDocumentWindowTest, EditControlIsLaidOutInTwipsWithinTheWindow) {
    main().mnuFileNew_Click();
    QMdiSubWindow* sub = subWindows()[0];
    sub->resize(400, 300);
    processEvents();
    const double dpi = sub->logicalDpiX();
    const auto px = [dpi](double twips) { return platform::twipsToPixels(twips, dpi); };
    const double width = platform::pixelsToTwips(400, dpi);
    const double height = platform::pixelsToTwips(300, dpi);
    EXPECT_EQ(editOf(sub)->geometry(), QRect(0, 0, px(width - 100), px(height - 400)));
    EXPECT_EQ(main().ActiveForm()->txtEdit().fontSize(), 15);
}

TEST_F(QtDocumentWindowTest, TypingMarksChangedAndTheCloseBoxAsksAndMayBeRefused) {
    main().mnuFileNew_Click();
    QMdiSubWindow* sub = subWindows()[0];
    editOf(sub)->setFocus();
    QTest::keyClicks(editOf(sub), "class A {}");
    processEvents();
    EXPECT_TRUE(main().ActiveForm()->Changed);
    EXPECT_EQ(main().ActiveForm()->txtEdit().text(), "class A {}");
    // Yes, then the save dialog is cancelled: the window stays.
    EXPECT_FALSE(sub->close());
    EXPECT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(subWindows().size(), 1);
    // No: it closes and the program forgets it.
    platform.messageBox.answers = {platform::MsgBoxResult::No};
    EXPECT_TRUE(sub->close());
    processEvents();
    EXPECT_TRUE(subWindows().isEmpty());
    EXPECT_EQ(main().ActiveForm(), nullptr);
}

TEST_F(QtDocumentWindowTest, ExitClosesEveryDocumentAndOneRefusalKeepsTheProgram) {
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    main().ActiveForm()->txtEdit().setText("changed");
    window->close(); // Document 2 asks; its dialog is cancelled
    processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(subWindows().size(), 1);
    platform.messageBox.answers = {platform::MsgBoxResult::No};
    window->close();
    processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(subWindows().isEmpty());
}

TEST_F(QtDocumentWindowTest, ExitAsksAboutEachChangedDocumentWithThatDocumentInFront) {
    // Three changed documents, the last one active and the first minimised: each question
    // shows while the document it is about is the active, visible, unminimised window.
    for (int i = 0; i < 3; ++i) {
        main().mnuFileNew_Click();
        main().ActiveForm()->txtEdit().setText("text " + std::to_string(i + 1));
    }
    subWindows()[0]->showMinimized();
    window->mdiArea()->setActiveSubWindow(subWindows()[2]);
    processEvents();
    QStringList inFront;
    bool allRestored = true;
    platform.messageBox.whileShown = [&] {
        QMdiSubWindow* active = window->mdiArea()->currentSubWindow();
        inFront << (active != nullptr ? active->windowTitle() : QString());
        allRestored = allRestored && active != nullptr && !active->isMinimized();
    };
    platform.messageBox.answers = {platform::MsgBoxResult::No, platform::MsgBoxResult::No,
                                   platform::MsgBoxResult::No};
    window->close();
    processEvents();
    EXPECT_EQ(inFront, QStringList({QStringLiteral("Document 1"), QStringLiteral("Document 2"),
                                    QStringLiteral("Document 3")}));
    EXPECT_TRUE(allRestored);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtDocumentWindowTest, GeneratedPageEndsUpChangedInTheRealControl) {
    platform.files.files["/src/Hello.java"] = "class Hello {}";
    platform.fileDialogs.answers.push_back("/src/Hello.java");
    main().mnuFileOpen_Click();
    EXPECT_FALSE(main().ActiveForm()->Changed);
    main().mnuFileBuildAsHtm_Click();
    auto* page = main().ActiveForm();
    EXPECT_EQ(page->Caption(), "Document 2");
    EXPECT_TRUE(page->Changed);
    EXPECT_EQ(page->txtEdit().text().size(), 143u - 6u) << "six line breaks of one character";
}

} // namespace

// A source of at least so many megabytes in CR LF lines, and its text with LF ones.
std::pair<std::string, std::string> largeSource(std::size_t megabytes) {
    std::string file;
    std::string text;
    for (int line = 0; file.size() < megabytes << 20; ++line) {
        const std::string content = "\tint 数值" + std::to_string(line) + " = 1; // 注释";
        file += content + "\r\n";
        text += content + "\n";
    }
    return {file, text};
}

TEST_F(QtDocumentWindowTest, ALargeFileOpensWholeIntoTheRealControlWithTheGapAtTheCaret) {
    // Large enough for the gap to take several steps back to the start.
    const auto [file, text] = largeSource(20);
    platform.files.files["/src/Big.java"] = file;
    platform.fileDialogs.answers.push_back("/src/Big.java");
    main().mnuFileOpen_Click();

    editor::frmEdit* document = main().ActiveForm();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Caption(), "/src/Big.java");
    EXPECT_FALSE(document->Changed);
    auto* control = editOf(window->mdiArea()->currentSubWindow());
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->text() == text) << "compared whole, not printed whole";
    EXPECT_TRUE(gapFollowsCaret(*control, 0));
    EXPECT_FALSE(document->Changed);
}

TEST_F(QtDocumentWindowTest, ACloseOrACommandWhileAFileOpensWaitsUntilItIsOpen) {
    // The open runs the event loop between its steps, which delivers the window system's
    // close and the commands queued meanwhile: they come once the file is open, in order.
    platform.files.files["/src/Big.java"] = largeSource(4).first;
    platform.fileDialogs.answers.push_back("/src/Big.java");
    auto* newDocument = window->findChild<QAction*>(QStringLiteral("mnuFileNew"));
    ASSERT_NE(newDocument, nullptr);
    int documentsAfterCommand = -1;
    bool visibleAfterClose = false;
    QTimer::singleShot(0, [&] {
        newDocument->trigger();
        documentsAfterCommand = static_cast<int>(subWindows().size());
        QCoreApplication::postEvent(window->windowHandle(), new QCloseEvent);
        QTimer::singleShot(0, [&] { visibleAfterClose = window->isVisible(); });
    });
    main().mnuFileOpen_Click();

    EXPECT_EQ(documentsAfterCommand, 0) << "a new document came in the middle of the open";
    EXPECT_TRUE(visibleAfterClose) << "the window closed in the middle of the open";
    ASSERT_EQ(subWindows().size(), 1);
    EXPECT_EQ(main().ActiveForm()->Caption(), "/src/Big.java");
    EXPECT_TRUE(window->isVisible());
    // Then the command, then the close, which asks nothing of unchanged documents.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    EXPECT_EQ(subWindows().size(), 0);
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(QtDocumentWindowTest, OddFilesOpenOrAreRefusedInTimeWithTheWindowAnswering) {
    // Through the real edit control: 2 s for every 10 MB at most, and the event loop never
    // held up for long, whether the file opens or is refused.
    struct Case {
        const char* name;
        std::string file;
        bool opens;
    };
    const std::size_t megabyte = std::size_t{1} << 20;
    std::string mixed;
    const char* const lineEnds[] = {"\r\n", "\n", "\r"};
    for (int line = 0; mixed.size() < 4 * megabyte; ++line) {
        mixed += std::string("    int x = 1; // 注释") + lineEnds[line % 3];
    }
    const Case cases[] = {
        {"4 MB of bare CRs", std::string(4 * megabyte, '\r'), true},
        {"4 MB of LFs", std::string(4 * megabyte, '\n'), true},
        {"4 MB of mixed line ends", mixed, true},
        {"one line of 16 MB", std::string(16 * megabyte, 'x'), false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        platform.messageBox.shown.clear();
        platform.files.files["/src/Odd.java"] = test.file;
        platform.fileDialogs.answers.push_back("/src/Odd.java");
        const int before = static_cast<int>(subWindows().size());

        QElapsedTimer sinceTick;
        double longestStall = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longestStall = std::max(longestStall, static_cast<double>(sinceTick.restart()));
        });
        QElapsedTimer took;
        took.start();
        sinceTick.start();
        tick.start();
        main().mnuFileOpen_Click();
        processEvents();
        tick.stop();
        const double seconds = static_cast<double>(took.elapsed()) / 1000;

        EXPECT_LT(seconds, std::max(2.0, 0.2 * static_cast<double>(test.file.size() / megabyte)));
        EXPECT_LT(longestStall, 1000) << "ms without an answer";
        if (test.opens) {
            EXPECT_TRUE(platform.messageBox.shown.empty());
            ASSERT_EQ(subWindows().size(), before + 1);
            auto* control = editOf(window->mdiArea()->currentSubWindow());
            EXPECT_EQ(control->send(QsciScintillaBase::SCI_GETLINECOUNT),
                      static_cast<long>(files::splitLines(test.file).size()) + 1);
        } else {
            EXPECT_EQ(subWindows().size(), before);
            ASSERT_EQ(platform.messageBox.shown.size(), 1u);
            EXPECT_NE(platform.messageBox.shown[0].prompt.find("编辑区无法显示这样长的行"),
                      std::string::npos);
        }
    }
}
