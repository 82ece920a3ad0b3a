// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The applet host on pages of small test applets, shown on an X server of the test's own and
// driven through its windows as a window manager would: every applet of a page in a window,
// a failing one included, and links handed to the desktop's opener.

#include "real_java.h"
#include "run_support.h"
#include "virtual_display.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace console_test;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

// A short WAV file: a square wave of a tenth of a second, 8 kHz, 8 bits, mono.
std::string beepWav() {
    const std::string samples = [] {
        std::string s;
        for (int i = 0; i < 800; ++i) {
            s += static_cast<char>((i / 10) % 2 == 0 ? 0x40 : 0xC0);
        }
        return s;
    }();
    auto le = [](unsigned value, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i) {
            s += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return s;
    };
    const auto size = static_cast<unsigned>(samples.size());
    return "RIFF" + le(36 + size, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
           le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(size, 4) + samples;
}

class AppletHost : public RealJava {
protected:
    void SetUp() override {
        RealJava::SetUp();
        std::filesystem::copy_file(TEST_APPLETS_JAR, dir_ / "applets.jar");
        writeFile(dir_ / "beep.wav", beepWav());
        makeDirectory(dir_ / "desktop");
    }

    // Runs debug.bat with toolLine in morvane-bat on the test's display, with PATH as the
    // workbench would have it: searchPath, before the script's own "set path=".
    std::unique_ptr<Running> show(const std::string& toolLine, const std::string& searchPath) {
        const std::string script = writeDebugBat(dir_.path(), toolLine);
        return std::make_unique<Running>(
            std::vector<std::string>{interpreterPath(), dir_.path(), script}, std::string(),
            environmentWith({"DISPLAY=" + display_.name(), "PATH=" + searchPath, "XAUTHORITY"}));
    }

    std::vector<std::string> record() { return readLines(dir_ / "record.txt"); }

    // Waits until the record holds line; otherwise ends the host and tells what it said.
    void awaitLine(Running& host, const std::string& line) {
        auto noted = [&] { return std::ranges::count(record(), line) > 0; };
        eventually([&] { return noted() || host.ended(); }, std::chrono::seconds(30));
        if (!noted()) {
            Finished f = host.stop();
            FAIL() << "no line \"" << line << "\" in the record; the console said:\n"
                   << f.out << f.err;
        }
    }

    std::vector<unsigned long> windows(const std::string& className) {
        return display_.windowsTitled("Applet 查看器：" + className);
    }

    VirtualDisplay display_;
    TempDir dir_;
};

const std::string kPage = R"(<HTML><HEAD><TITLE>五个 Applet</TITLE></HEAD><BODY>
<!-- <applet code="Reporter.class" archive="applets.jar" name="commented-out"></applet> -->
<APPLET CODE="Reporter.class" ARCHIVE="applets.jar" WIDTH=120 HEIGHT=90 NAME=first ALIGN=left>
  <PARAM NAME=colour VALUE=red>
</APPLET>
<object type="application/x-java-applet;version=1.6" width="140" height="70" name="second">
  <param name="code" value="Reporter">
  <param name="archive" value="applets.jar">
  <param name="align" value="PARAM wins">
  <embed type="application/x-java-applet" code="Reporter.class" archive="applets.jar"
         name="nested">
</object>
<embed type="application/x-java-applet" code="Reporter.class" archive="applets.jar" width=160
       height=50 name=third colour=blue>
<applet code="Thrower.class" archive="applets.jar" width=100 height=60 name=broken-init></applet>
<applet code="Thrower.class" archive="applets.jar" name=broken-start>
  <param name=fail value=start></applet>
<applet code="Missing.class" archive="applets.jar" name=missing></applet>
</BODY></HTML>
)";

TEST_F(AppletHost, EveryAppletOfAPageHasAWindowOfItsOwnAndAFailureStopsNoOther) {
    writeFile(dir_ / "page.htm", kPage);
    std::unique_ptr<Running> host = show("appletviewer.exe page.htm", "/usr/bin:/bin");

    awaitLine(*host,
              "broken-start status=[Applet 未启动：java.lang.IllegalStateException: start 失败]");
    awaitLine(*host,
              "broken-init status=[Applet 未初始化：java.lang.IllegalStateException: init 失败]");
    for (const std::string name : {"first", "second", "third"}) {
        awaitLine(*host, name + " status=[]");
    }
    ASSERT_FALSE(HasFailure());
    // Each applet has its own tag's parameters: attributes, PARAM values over them, names in
    // any case; OBJECT and EMBED pages alike, an EMBED inside an OBJECT and a comment not.
    EXPECT_THAT(record(),
                Contains("first width=120 height=90 code=Reporter.class codebase=null "
                         "archive=applets.jar align=left colour=red missing=null size=120x90 "
                         "applets=5 third=true"));
    EXPECT_THAT(record(), Contains("second width=140 height=70 code=Reporter codebase=null "
                                   "archive=applets.jar align=PARAM wins colour=null "
                                   "missing=null size=140x70 applets=5 third=true"));
    EXPECT_THAT(record(), Contains("third width=160 height=50 code=Reporter.class codebase=null "
                                   "archive=applets.jar align=null colour=blue missing=null "
                                   "size=160x50 applets=5 third=true"));
    EXPECT_EQ(windows("Reporter").size(), 3u);
    EXPECT_EQ(windows("Thrower").size(), 2u);

    // Closed one by one as the user closes them: each applet stops on its own, the host
    // ends with the last window.
    std::vector<unsigned long> open = windows("Reporter");
    const std::vector<unsigned long> throwers = windows("Thrower");
    open.insert(open.end(), throwers.begin(), throwers.end());
    for (unsigned long window : open) {
        ASSERT_FALSE(host->ended()) << host->wait().err;
        display_.close(window);
        ASSERT_TRUE(eventually([&] {
            const auto shown = display_.windowsTitled("Applet 查看器：Reporter");
            const auto failed = display_.windowsTitled("Applet 查看器：Thrower");
            return std::ranges::count(shown, window) + std::ranges::count(failed, window) == 0;
        }));
    }
    ASSERT_TRUE(eventually([&] { return host->ended(); })) << host->stop().err;
    Finished f = host->wait();
    for (const std::string name : {"first", "second", "third"}) {
        EXPECT_THAT(record(), Contains(name + " stop"));
        EXPECT_THAT(record(), Contains(name + " destroy"));
    }
    EXPECT_THAT(f.out, HasSubstr(">appletviewer.exe page.htm\n请按任意键继续. . ."));
    EXPECT_EQ(f.exitCode, 5) << "not every applet ran";
    // The console keeps each failure's whole trace and names the class it could not find.
    EXPECT_THAT(f.err, HasSubstr("找不到 Applet 类“Missing”"));
    EXPECT_THAT(f.err, HasSubstr("Applet 未初始化（Thrower）：\n"
                                 "java.lang.IllegalStateException: init 失败\n"
                                 "第二行不在状态栏里\n\tat Thrower.failIn("));
    EXPECT_THAT(f.err, HasSubstr("\tat Thrower.start("));
    EXPECT_THAT(f.err, Not(HasSubstr("Exception in thread")));
}

TEST_F(AppletHost, LinksOpenWithTheOpenerOfTheWorkbenchsPathAndPageNamesAreNoOptions) {
    const std::string opened = dir_ / "opened.txt";
    writeFile(dir_ / "desktop/xdg-open",
              "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$#\" \"$1\" \"$PATH\" >> '" + opened + "'\n");
    makeExecutable(dir_ / "desktop/xdg-open");
    makeDirectory(dir_ / "empty");
    const std::string page = "<applet code=Linker.class archive=applets.jar></applet>\r\n";
    const std::string fileLink =
        "file://" + dir_.path() + "/%E5%85%B6%E4%BB%96%20%E9%A1%B5.htm#top";
    const std::string webLink = "http://example.com/a?b=1&c=-2";

    struct Case {
        std::string pageFile;
        std::string toolLine;
        std::string searchPath;
        std::string status;
    };
    const Case cases[] = {
        // A page named like an @file is read as the page: the launcher stops at the jar.
        {"@链接 页.htm", "appletviewer.exe \"@链接 页.htm\"", dir_ / "desktop" + ":/usr/bin:/bin",
         "Applet 已启动。"},
        // Without an opener on the workbench's path the link is not opened: neither the
        // script's folder, which a relative entry would name, nor its JDK folder is searched.
        {"-links.htm", "appletviewer.exe \"./-links.htm\"", "desktop:" + dir_ / "empty",
         "无法打开 " + webLink + "：找不到打开链接的桌面程序 xdg-open（请安装 xdg-utils）。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toolLine);
        std::filesystem::remove(dir_ / "record.txt");
        writeFile(dir_ / c.pageFile, page);
        std::unique_ptr<Running> host = show(c.toolLine, c.searchPath);
        awaitLine(*host, "linker status=[" + c.status + "]");
        ASSERT_FALSE(HasFailure());
        std::vector<unsigned long> shown = windows("Linker");
        ASSERT_EQ(shown.size(), 1u);
        display_.close(shown.front());
        ASSERT_TRUE(eventually([&] { return host->ended(); })) << host->stop().err;
        Finished f = host->wait();
        EXPECT_EQ(f.exitCode, 0) << f.err;
    }
    // The opener got each link as its one argument and the workbench's search path.
    const std::string path = dir_ / "desktop" + ":/usr/bin:/bin";
    EXPECT_THAT(readLines(opened),
                UnorderedElementsAre("1|" + fileLink + "|" + path, "1|" + webLink + "|" + path));
}

} // namespace
