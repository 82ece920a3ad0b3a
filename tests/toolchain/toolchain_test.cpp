#include "app_fixture.h"
#include "editor/frm_edit.h"
#include "toolchain/applet_page.h"

#include <gtest/gtest.h>

namespace {

namespace MsgBoxResult = platform::MsgBoxResult;
using platform::MsgBoxStyle::Exclamation;

const std::string Script = "/home/u/src/debug.bat";

class Toolchain : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/usr/lib/jvm/bin/\r\n/home/u/src/\r\n");
        start();
    }
    // A saved document captioned path, holding text.
    editor::frmEdit& saved(const std::string& path, const std::string& text = "class A {}") {
        platform.files.files[path] = text;
        platform.fileDialogs.answers.push_back(path);
        main().mnuFileOpen_Click();
        return *main().ActiveForm();
    }
    fakes::FakeDocumentWindow& activeWindow() { return *window().documentHost.active; }
    // The boxes shown, as "title: text".
    std::vector<std::string> boxes() {
        std::vector<std::string> result;
        for (const auto& box : platform.messageBox.shown) {
            result.push_back(box.title + ": " + box.prompt);
        }
        return result;
    }
    bool nothingStarted() {
        return platform.processes.terminals.empty() && platform.processes.detached.empty();
    }
};

TEST_F(Toolchain, CompileWritesTheScriptAndStartsItInTheSourcesFolder) {
    saved("/home/u/java/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
    ASSERT_EQ(platform.processes.terminals.size(), 1u);
    EXPECT_EQ(platform.processes.terminals[0].script, Script);
    EXPECT_EQ(platform.processes.terminals[0].workingDirectory, "/home/u/java");
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Toolchain, RunWritesTheJavaLineAndNeverLooksAtChanged) {
    auto& document = saved("/home/u/src/Hello.java");
    activeWindow().edit.type("changed ");
    main().mnuRunJava_Click();
    EXPECT_TRUE(document.Changed);
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njava Hello\r\n@pause\r\n");
    EXPECT_EQ(platform.processes.terminals.size(), 1u);
}

TEST_F(Toolchain, NothingHappensWithoutADocument) {
    main().mnuCombile_Click();
    main().mnuRunJava_Click();
    main().mnuFileBuildAsHtm_Click();
    main().mnuJavaViewer_Click();
    main().mnuSendToExplorer_Click();
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_TRUE(nothingStarted());
    EXPECT_EQ(platform.files.files.count(Script), 0u);
}

TEST_F(Toolchain, RefusalsOfUntitledAndWrongExtensions) {
    struct Case {
        std::string caption;
        void (app::frmMain::*command)();
        std::string box;
    };
    const Case cases[] = {
        {"Document 2", &app::frmMain::mnuCombile_Click, "错误提示: 文件未保存!"},
        {"/s/Hello.JAVA", &app::frmMain::mnuCombile_Click,
         "错误提示: 只能编译Java源程序(扩展名为*.java)!"},
        {"/s/page.htm", &app::frmMain::mnuCombile_Click,
         "错误提示: 只能编译Java源程序(扩展名为*.java)!"},
        {"Document 2", &app::frmMain::mnuRunJava_Click,
         "错误提示: 只有当当前文编译生成*.class文件后方能使用本命令！"},
        {"/s/Hello.JAVA", &app::frmMain::mnuRunJava_Click,
         "错误提示: 只有当当前文编译生成*.class文件后方能使用本命令！"},
        {"Document 1", &app::frmMain::mnuFileBuildAsHtm_Click,
         "错误检查: 只能对当前的JavaApplet源程序生成Html文件"},
        {"/s/x.htm", &app::frmMain::mnuFileBuildAsHtm_Click,
         "错误检查: 只能对当前的JavaApplet源程序生成Html文件"},
        {"Document 3", &app::frmMain::mnuJavaViewer_Click, "错误提示: 请先将文件保存为*.htm文件！"},
        {"/s/Hello.java", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"/s/page.HTM", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"/s/page.html", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"Document 3", &app::frmMain::mnuSendToExplorer_Click, "错误提示: 请先保存文件!"},
        {"/s/Hello.java", &app::frmMain::mnuSendToExplorer_Click,
         "错误提示: 只能发送*.Htm文件到浏览器!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption + " / " + c.box);
        platform.messageBox.shown.clear();
        main().NewDocument().setCaption(c.caption);
        const int documents = window().documentHost.created;
        (main().*c.command)();
        EXPECT_EQ(boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(platform.messageBox.shown[0].style, Exclamation);
        EXPECT_EQ(window().documentHost.created, documents);
    }
    EXPECT_TRUE(nothingStarted());
    EXPECT_EQ(platform.files.files.count(Script), 0u);
}

TEST_F(Toolchain, CompileAsksToSaveAChangedDocumentAndReadsTheCaptionAgain) {
    main().NewDocument();
    activeWindow().edit.type("class Hello {}");
    // Yes, then the Save dialog chooses a name: the source is saved and compiled.
    platform.fileDialogs.answers.push_back("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(boxes()[0], "错误检查: 文件已改变，但未保存，是否保存？");
    EXPECT_EQ(platform.messageBox.shown[0].style, 36);
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.java"], "class Hello {}");
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
}

TEST_F(Toolchain, CompileAfterYesAndACancelledSaveOrNoSaysNotSaved) {
    main().NewDocument();
    activeWindow().edit.type("x");
    main().mnuCombile_Click(); // Yes, dialog cancelled
    EXPECT_EQ(boxes(), (std::vector<std::string>{"错误检查: 文件已改变，但未保存，是否保存？",
                                                 "错误提示: 文件未保存!"}));
    platform.messageBox.shown.clear();
    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuCombile_Click();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"错误检查: 文件已改变，但未保存，是否保存？",
                                                 "错误提示: 文件未保存!"}));
    EXPECT_EQ(platform.fileDialogs.shown.size(), 1u);
}

TEST_F(Toolchain, CompileGoesOnAfterAFailedSaveAndAfterNo) {
    auto& document = saved("/home/u/src/Hello.java", "old");
    activeWindow().edit.type("new ");
    platform.files.readOnly.insert("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(boxes().size(), 2u) << "the question, then the access message";
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.java"], "old");
    EXPECT_EQ(platform.processes.terminals.size(), 1u);
    EXPECT_TRUE(document.Changed);

    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuCombile_Click();
    EXPECT_EQ(platform.processes.terminals.size(), 2u);
}

TEST_F(Toolchain, ScriptTextIsCopiedUnquotedAndTheSourceDirIsNotMended) {
    module->SourceDir = "/home/u/src";
    module->JavaBinDir = "/opt/my jdk/bin/";
    saved("/home/u/my src/Hello World.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files["/home/u/srcdebug.bat"],
              "set path=/opt/my jdk/bin/\r\njavac Hello World.java\r\n@pause\r\n");
    EXPECT_EQ(platform.processes.terminals[0].script, "/home/u/srcdebug.bat");
    EXPECT_EQ(platform.processes.terminals[0].workingDirectory, "/home/u/my src");
}

TEST_F(Toolchain, ScriptThatCannotBeWrittenIsReportedAndNothingStarts) {
    saved("/home/u/src/Hello.java");
    platform.files.readOnly.insert(Script);
    main().mnuCombile_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(boxes()[0], "错误处理: 无法写入批处理文件“/home/u/src/debug.bat”：Permission denied");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Critical);
    EXPECT_TRUE(nothingStarted());
}

TEST_F(Toolchain, AStartThatFailsIsReported) {
    saved("/home/u/src/page.htm");
    platform.processes.failure = platform::RuntimeError(53, "找不到终端程序");
    main().mnuJavaViewer_Click();
    main().mnuSendToExplorer_Click();
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{"错误处理: 找不到终端程序", "错误处理: 找不到终端程序"}));
}

TEST_F(Toolchain, PageGeneratorOpensTheSevenLinePageInANewChangedWindow) {
    auto& source = saved("/home/u/src/Hello.java");
    activeWindow().edit.type("unsaved ");
    main().mnuFileBuildAsHtm_Click();
    EXPECT_TRUE(platform.messageBox.shown.empty());
    auto& page = *main().ActiveForm();
    EXPECT_NE(&page, &source);
    EXPECT_EQ(page.Caption(), "Document 2");
    EXPECT_EQ(page.FileName, "Hello");
    EXPECT_TRUE(page.Changed);
    EXPECT_EQ(source.FileName, "Hello");
    EXPECT_EQ(page.txtEdit().text(), "<HTML>\n<HEAD>\n <TITLE>  java applet  </TITLE></HEAD>\n"
                                     "<BODY>\n<APPLET  CODE=\"Hello.class\"  WIDTH=300 "
                                     "HEIGHT=150>  </APPLET>\n</BODY>\n</HTML>");
    // Saved as a page, it holds the page's own bytes.
    platform.fileDialogs.answers.push_back("/home/u/src/Hello.htm");
    main().mnuFileSaveAsHtml_Click();
    EXPECT_EQ(platform.fileDialogs.shown.back().request.fileName, "Hello");
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.htm"], toolchain::appletPageText("Hello"));
}

TEST(AppletPage, SevenLinesWithTheirSpacesAndNoFinalLineEnd) {
    const std::string page = toolchain::appletPageText("Hello");
    EXPECT_EQ(page.size(), 143u);
    EXPECT_EQ(toolchain::appletPageText("").size(), 138u);
    EXPECT_EQ(page.substr(page.size() - 7), "</HTML>");
    EXPECT_NE(page.find("<APPLET  CODE=\"Hello.class\"  WIDTH=300 HEIGHT=150>  </APPLET>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find(" <TITLE>  java applet  </TITLE></HEAD>\r\n"), std::string::npos);
    EXPECT_EQ(toolchain::appletPageText("My \"Applet\"").find("CODE=\"My \"Applet\".class\""),
              page.find("CODE="));
}

TEST_F(Toolchain, ViewerWritesItsLineAndTheBrowserGetsThePathAsOneArgument) {
    saved("/home/u/src/My Page.htm");
    main().mnuJavaViewer_Click();
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\nappletviewer.exe My Page.htm\r\n@pause\r\n");
    EXPECT_EQ(platform.processes.terminals.size(), 1u);
    main().mnuSendToExplorer_Click();
    ASSERT_EQ(platform.processes.detached.size(), 1u);
    EXPECT_EQ(platform.processes.detached[0],
              (std::vector<std::string>{"xdg-open", "/home/u/src/My Page.htm"}));
}

TEST_F(Toolchain, OnWindowsTheBrowserCommandIsTheShellProgram) {
    platform.location.separator = '\\';
    saved("c:\\javasemple\\Hello.htm");
    main().mnuSendToExplorer_Click();
    EXPECT_EQ(platform.processes.detached.at(0),
              (std::vector<std::string>{"explorer.exe", "c:\\javasemple\\Hello.htm"}));
    module->SourceDir = "c:\\javasemple\\";
    module->JavaBinDir = "C:\\java\\bin\\";
    main().mnuJavaViewer_Click();
    EXPECT_EQ(platform.files.files["c:\\javasemple\\debug.bat"],
              "set path=C:\\java\\bin\\\r\nappletviewer.exe Hello.htm\r\n@pause\r\n");
    EXPECT_EQ(platform.processes.terminals.at(0).workingDirectory, "c:\\javasemple");
}

} // namespace
