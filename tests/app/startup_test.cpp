// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

namespace {

class Startup : public ::testing::Test, public AppFixture {};

TEST_F(Startup, FirstRunUsesDefaultPlacementAndAsksForDirectories) {
    start();
    EXPECT_EQ(window().left(), 1000);
    EXPECT_EQ(window().top(), 1000);
    EXPECT_EQ(window().width(), 6500);
    EXPECT_EQ(window().height(), 6500);
    EXPECT_EQ(window().caption(), "MORVANE集成系统2.0版");
    EXPECT_EQ(window().status.panelText(1), "软件版本：2.0版");
    EXPECT_TRUE(window().visible);
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 1);
    EXPECT_EQ(platform.windows.settingsDialog->showings, 1);
    EXPECT_EQ(module->SetIniPath, setIni());
    EXPECT_EQ(module->VersionText, "2.0");
    EXPECT_EQ(module->MainWindow, &main());
}

TEST_F(Startup, BothDirectoriesInSetIniMeanNoDialog) {
    writeSetIni("/usr/lib/jvm/bin/\r\n/home/u/src/\r\n");
    start();
    EXPECT_EQ(module->JavaBinDir, "/usr/lib/jvm/bin/");
    EXPECT_EQ(module->SourceDir, "/home/u/src/");
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 0);
}

TEST_F(Startup, ASaveThatThePreviousRunDiedInIsReportedOnceWithWhereTheOldContentIs) {
    writeSetIni("/jdk/\r\n/src/\r\n");
    // What a run of an earlier version that died during an in-place save leaves in the cache
    // folder.
    const std::string folder = "/home/u/.cache/MORVANE集成系统/保存备份/001700000000-1";
    platform.files.files[folder + "/.document-path"] = "/src/A.java";
    platform.files.files[folder + "/A.java"] = "old";
    start();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].prompt,
              "上次保存文件“/src/A.java”时程序意外中止，该文件可能不完整。保存前的原内容在“/home/u/"
              ".cache/MORVANE集成系统/保存备份/001700000000-1/A.java”。");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Exclamation);
    EXPECT_TRUE(window().visible) << "the box stands over the main window";
    EXPECT_EQ(platform.files.files[folder + "/A.java"], "old") << "the copy stays for a while";

    AppFixture next;
    next.platform.files = platform.files;
    next.start();
    EXPECT_TRUE(next.platform.messageBox.shown.empty()) << "reported once";
}

TEST_F(Startup, IncompleteSetIniStillAsks) {
    for (const std::string bytes : {"/java/bin/\r\n", "", "\r\n\r\n"}) {
        AppFixture run;
        run.writeSetIni(bytes);
        run.start();
        EXPECT_EQ(run.platform.windows.settingsDialogsCreated, 1) << bytes;
        EXPECT_TRUE(run.module->SourceDir.empty()) << bytes;
    }
    AppFixture single;
    single.writeSetIni("/java/bin/\r\n");
    single.start();
    EXPECT_EQ(single.module->JavaBinDir, "/java/bin/");
}

TEST_F(Startup, RelativeOrNulHoldingDirectoriesCountAsNotSetAndTheDialogOpens) {
    struct Case {
        std::string bytes;
        std::string javaBinDir;
        std::string sourceDir;
    };
    const std::string tooLong = "/" + std::string(4095, 'a');
    const Case cases[] = {
        {"bin/\r\n/src/\r\n", "", "/src/"},
        {"/jdk/bin/\r\nsrc/\r\n", "/jdk/bin/", ""},
        // A NUL makes the file no text at all.
        {std::string("/jdk/\0/bin/\r\n/src/\r\n", 15), "", ""},
        {"C:\\java\\bin\\\r\n/src/\r\n", "", "/src/"},
        // Every part of the search path the tools directory becomes must be absolute: the
        // console splits it at ";", the programs it starts at ":". An empty or relative part
        // is the folder the script runs in, the document's.
        {"/x;.\r\n/src/\r\n", "", "/src/"},
        {"/x:.\r\n/src/\r\n", "", "/src/"},
        {"/x::/y/\r\n/src/\r\n", "", "/src/"},
        {"/x;;/y/\r\n/src/\r\n", "", "/src/"},
        {"/x:\r\n/src/\r\n", "", "/src/"},
        {"/jdk:17/bin/\r\n/src/\r\n", "", "/src/"},
        {"/x;../bin/\r\n/src/\r\n", "", "/src/"},
        {"~/jdk/bin/\r\n/src/\r\n", "", "/src/"},
        {"/x:~/bin/\r\n/src/\r\n", "", "/src/"},
        // A control character would end the script's first line or cut the path short.
        {"/jdk/bin/\x1b[2J\r\n/src/\r\n", "", "/src/"},
        {"/jdk/\vbin/\r\n/src/\f\r\n", "", ""},
        {"/jdk/bin/\r\n/s\xc2\x85rc/\r\n", "/jdk/bin/", ""},
        // Longer than any path the system opens.
        {tooLong + "\r\n" + tooLong + "\r\n", "", ""},
        {"/jdk/bin/\r\n/" + std::string(4094, 's') + "\r\n", "/jdk/bin/",
         "/" + std::string(4094, 's')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 40));
        AppFixture run;
        run.writeSetIni(c.bytes);
        run.start();
        EXPECT_EQ(run.module->JavaBinDir, c.javaBinDir);
        EXPECT_EQ(run.module->SourceDir, c.sourceDir);
        EXPECT_EQ(run.platform.windows.settingsDialogsCreated,
                  c.javaBinDir.empty() || c.sourceDir.empty() ? 1 : 0);
    }
    // What stays absolute all through is used as it stands: a ".." inside, several absolute
    // parts, and a source folder holding the list separators, which is no search path.
    AppFixture absolute;
    absolute.writeSetIni("/usr/lib/jvm/../jvm/bin/:/opt/bin/\r\n/home/u/a;b:c/\r\n");
    absolute.start();
    EXPECT_EQ(absolute.module->JavaBinDir, "/usr/lib/jvm/../jvm/bin/:/opt/bin/");
    EXPECT_EQ(absolute.module->SourceDir, "/home/u/a;b:c/");
    EXPECT_EQ(absolute.platform.windows.settingsDialogsCreated, 0);

    AppFixture windows;
    windows.platform.location.separator = '\\';
    windows.platform.location.directory = "C:\\M";
    windows.platform.files.files["C:\\M\\Set.ini"] = ("C:\\java\\bin\\\r\n\\\\server\\src\\\r\n");
    windows.start();
    EXPECT_EQ(windows.platform.windows.settingsDialogsCreated, 0);
    EXPECT_EQ(windows.module->SourceDir, "\\\\server\\src\\");
    // On Windows ":" belongs to the drive; ";" and what the console reads as commands or
    // variables do not belong in a directory.
    const std::pair<std::string, std::string> windowsCases[] = {
        {"C:\\java\\bin\\;.\r\nc:\\src\\\r\n", "c:\\src\\"},
        {"C:\\java\\bin\\;C:\r\nc:\\src\\\r\n", "c:\\src\\"},
        {"C:\\R&D\\bin\\\r\nc:\\src\\\r\n", "c:\\src\\"},
        {"C:\\java\\bin\\\r\nc:\\%USERNAME%\\\r\n", ""},
    };
    for (const auto& [bytes, sourceDir] : windowsCases) {
        SCOPED_TRACE(bytes);
        AppFixture run;
        run.platform.location.separator = '\\';
        run.platform.location.directory = "C:\\M";
        run.platform.files.files["C:\\M\\Set.ini"] = bytes;
        run.start();
        EXPECT_EQ(run.module->JavaBinDir, sourceDir.empty() ? "C:\\java\\bin\\" : "");
        EXPECT_EQ(run.module->SourceDir, sourceDir);
        EXPECT_EQ(run.platform.windows.settingsDialogsCreated, 1);
    }
}

TEST_F(Startup, UnreadableSetIniIsSilentAndKeepsThePath) {
    platform.files.unreadable.insert(setIni());
    writeSetIni("a\r\nb\r\n");
    start();
    EXPECT_TRUE(module->JavaBinDir.empty());
    EXPECT_EQ(module->SetIniPath, setIni());
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 1);
}

TEST_F(Startup, ValuesKeepCommasAndLoseSurroundingQuotes) {
    writeSetIni("\"/jdk, 17/bin/\"\r\n/a,b/\r\n");
    start();
    EXPECT_EQ(module->JavaBinDir, "/jdk, 17/bin/");
    EXPECT_EQ(module->SourceDir, "/a,b/");
}

TEST_F(Startup, LfOnlySetIniReadsToo) {
    writeSetIni("/jdk/bin/\n/src/\n");
    start();
    EXPECT_EQ(module->JavaBinDir, "/jdk/bin/");
    EXPECT_EQ(module->SourceDir, "/src/");
}

TEST_F(Startup, StoredPlacementIsApplied) {
    store("MainLeft", "120");
    store("MainTop", "-45.5");
    store("MainWidth", " 9000 ");
    store("MainHeight", "7200");
    start();
    EXPECT_EQ(window().left(), 120);
    EXPECT_EQ(window().top(), -45.5f);
    EXPECT_EQ(window().width(), 9000);
    EXPECT_EQ(window().height(), 7200);
}

TEST_F(Startup, PlacementValueThatIsNotANumberLeavesOnlyThatProperty) {
    for (const std::string bad : {"abc", "", "12px", "nan", "inf", "1e999", "0x10"}) {
        AppFixture run;
        run.platform.windows.prepareMainWindow = [](fakes::FakeMainWindow& w) {
            w.bounds[2] = 4321;
        };
        run.store("MainWidth", bad);
        run.store("MainLeft", "50");
        run.start();
        EXPECT_EQ(run.window().width(), 4321) << bad;
        EXPECT_EQ(run.window().left(), 50) << bad;
        EXPECT_EQ(run.window().height(), 6500) << bad;
    }
}

TEST_F(Startup, PlacementTheWindowSystemCannotHoldIsSkipped) {
    store("MainLeft", "1e30");
    store("MainTop", "200");
    start();
    EXPECT_EQ(window().left(), 0);
    EXPECT_EQ(window().top(), 200);
}

TEST_F(Startup, EachLoadStepStandsAlone) {
    platform.settings.failReads = true;
    writeSetIni("/jdk/\r\n/src/\r\n");
    start();
    EXPECT_EQ(module->JavaBinDir, "/jdk/");
    EXPECT_EQ(window().caption(), "MORVANE集成系统2.0版");

    AppFixture noDirectory;
    noDirectory.platform.location.fail = true;
    noDirectory.start();
    EXPECT_EQ(noDirectory.window().width(), 6500);
    EXPECT_EQ(noDirectory.window().caption(), "MORVANE集成系统2.0版");
    EXPECT_EQ(noDirectory.window().status.panelText(1), "软件版本：2.0版");
    EXPECT_TRUE(noDirectory.platform.messageBox.shown.empty());
}

TEST_F(Startup, SetIniPathTakesThePlatformSeparator) {
    struct Case {
        std::string directory;
        char separator;
        std::string expected;
    };
    for (const Case& c :
         {Case{"/opt/morvane", '/', "/opt/morvane/Set.ini"}, Case{"/", '/', "/Set.ini"},
          Case{"C:\\Program Files\\M", '\\', "C:\\Program Files\\M\\Set.ini"},
          Case{"C:\\", '\\', "C:\\Set.ini"}}) {
        AppFixture run;
        run.platform.location.directory = c.directory;
        run.platform.location.separator = c.separator;
        run.start();
        EXPECT_EQ(run.module->SetIniPath, c.expected);
    }
}

TEST_F(Startup, SetIniBesideTheProgramUnlessItsFolderIsReadOnly) {
    const std::string beside = "/opt/morvane/Set.ini";
    const std::string perUser = "/home/u/.config/MORVANE集成系统/Set.ini";
    struct Case {
        bool readOnly;
        bool besideExists;
        std::string configDirectory;
        std::string expected;
    };
    for (const Case& c :
         {Case{false, false, "/home/u/.config", beside},
          Case{true, true, "/home/u/.config", beside},
          Case{true, false, "/home/u/.config", perUser},
          Case{true, false, "/home/u/.config/", perUser}, Case{true, false, "", beside}}) {
        AppFixture run;
        if (c.readOnly) {
            run.platform.location.readOnly.insert("/opt/morvane");
        }
        if (c.besideExists) {
            run.platform.files.files[beside] = "/jdk/bin/\r\n/src/\r\n";
        }
        run.platform.location.configDirectory = c.configDirectory;
        run.platform.files.files[perUser] = "/user/jdk/\r\n/user/src/\r\n";
        run.start();
        EXPECT_EQ(run.module->SetIniPath, c.expected) << c.readOnly << c.besideExists;
        const bool readsPerUser = c.expected == perUser;
        EXPECT_EQ(run.module->JavaBinDir,
                  readsPerUser ? "/user/jdk/" : (c.besideExists ? "/jdk/bin/" : ""));
        EXPECT_TRUE(run.platform.location.created.empty()); // nothing made before OK
    }
}

TEST_F(Startup, StatusBarHasEightPanelsAtTheirWidths) {
    start();
    const auto& panels = window().status.panels;
    ASSERT_EQ(panels.size(), 8u);
    const int widths[] = {1440, 1440, 1440, 600, 500, 500, 1440, 1440};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(panels[i].widthTwips, widths[i]) << i;
    }
    EXPECT_EQ(panels[3].style, platform::PanelStyle::CapsLock);
    EXPECT_EQ(panels[3].label, "CAPS");
    EXPECT_EQ(panels[4].label, "NUM");
    EXPECT_EQ(panels[5].style, platform::PanelStyle::Insert);
    EXPECT_EQ(panels[5].label, "Ins");
    EXPECT_EQ(panels[6].style, platform::PanelStyle::Date);
    EXPECT_EQ(panels[7].style, platform::PanelStyle::Time);
    EXPECT_EQ(window().status.panelText(2), "");
    EXPECT_EQ(window().status.panelText(3), "");
}

} // namespace
