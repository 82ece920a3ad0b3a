// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain/console_launch.h"
#include "toolchain/terminal_command.h"

#include <optional>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

struct Choice {
    std::optional<std::string> chosen;
    std::set<std::string> installed;
    std::vector<std::string> expected; // before the command
};

TEST(TerminalCommand, TheUsersTerminalThenTheDesktopsThenTheCommonOnesEachWithItsConvention) {
    const std::vector<std::string> command = {"/opt/m/morvane-bat", "--launch", "0123abcd"};
    const std::vector<Choice> cases = {
        {"kitty", {"kitty", "x-terminal-emulator", "xterm"}, {"kitty"}},
        {"/usr/local/bin/alacritty",
         {"/usr/local/bin/alacritty", "xterm"},
         {"/usr/local/bin/alacritty", "-e"}},
        {"my-terminal", {"my-terminal", "xterm"}, {"my-terminal", "-e"}},
        {"foot", {"foot"}, {"foot"}},
        {"missing", {"x-terminal-emulator", "xterm"}, {"x-terminal-emulator", "-e"}},
        {std::nullopt,
         {"x-terminal-emulator", "gnome-terminal", "xterm"},
         {"x-terminal-emulator", "-e"}},
        {"", {"gnome-terminal", "konsole", "xterm"}, {"gnome-terminal", "--"}},
        {std::nullopt, {"konsole", "xterm"}, {"konsole", "-e"}},
        {std::nullopt, {"xfce4-terminal", "xterm"}, {"xfce4-terminal", "-x"}},
        {std::nullopt, {"mate-terminal", "xterm"}, {"mate-terminal", "-x"}},
        {std::nullopt, {"lxterminal", "xterm"}, {"lxterminal", "-e"}},
        {std::nullopt, {"terminator", "xterm"}, {"terminator", "-x"}},
        {std::nullopt, {"tilix", "xterm"}, {"tilix", "-e"}},
        {std::nullopt, {"kitty", "xterm"}, {"kitty"}},
        {std::nullopt, {"alacritty", "xterm"}, {"alacritty", "-e"}},
        {std::nullopt, {"qterminal", "xterm"}, {"qterminal", "-e"}},
        {std::nullopt, {"urxvt", "xterm"}, {"urxvt", "-e"}},
        {std::nullopt, {"st", "xterm"}, {"st", "-e"}},
        {std::nullopt, {"xterm"}, {"xterm", "-e"}},
    };
    for (const Choice& c : cases) {
        SCOPED_TRACE(c.expected.front());
        auto available = [&](const std::string& program) { return c.installed.count(program) > 0; };
        auto argv = toolchain::terminalCommand(c.chosen, available, command);
        ASSERT_TRUE(argv.has_value());
        std::vector<std::string> expected = c.expected;
        expected.insert(expected.end(), command.begin(), command.end());
        EXPECT_EQ(*argv, expected);
    }
}

TEST(TerminalCommand, NothingWithoutATerminalAndTheMessageNamesPackages) {
    std::vector<std::string> asked;
    auto none = [&](const std::string& program) {
        asked.push_back(program);
        return false;
    };
    EXPECT_FALSE(toolchain::terminalCommand("mine", none, {"/b"}).has_value());
    EXPECT_THAT(asked,
                ElementsAre("mine", "x-terminal-emulator", "gnome-terminal", "konsole",
                            "xfce4-terminal", "mate-terminal", "lxterminal", "terminator", "tilix",
                            "kitty", "alacritty", "qterminal", "urxvt", "st", "xterm"));
    // Debian 12 package names: urxvt comes in rxvt-unicode, st in stterm.
    const std::string message = toolchain::noTerminalMessage();
    EXPECT_THAT(message, HasSubstr("apt-get install xterm"));
    EXPECT_THAT(message, HasSubstr("rxvt-unicode"));
    EXPECT_THAT(message, HasSubstr("stterm"));
    EXPECT_THAT(message, HasSubstr("TERMINAL"));
    EXPECT_THAT(message, Not(HasSubstr("x-terminal-emulator")));
}

TEST(ConsoleLaunch, TheFileCarriesAnyNameWholeAndOnlyAWholeFileIsRead) {
    const toolchain::ConsoleLaunch launch{"/tmp/p$(touch PWNED)q x\n\"y\"", "/s/debug.bat",
                                          "编译 -J-version A.java"};
    const std::string text = toolchain::launchFileText(launch);
    auto read = toolchain::readLaunchFileText(text);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->workingDirectory, launch.workingDirectory);
    EXPECT_EQ(read->scriptPath, launch.scriptPath);
    EXPECT_EQ(read->title, launch.title);
    EXPECT_FALSE(toolchain::readLaunchFileText(text.substr(0, text.size() - 1)).has_value());
    EXPECT_FALSE(toolchain::readLaunchFileText(text + "x").has_value());
    EXPECT_FALSE(toolchain::readLaunchFileText("/tmp\0/s\0t\0").has_value());
}

TEST(ConsoleLaunch, TokensFoldersAndTitles) {
    const std::string token = toolchain::launchToken(std::string(16, '\xA5'));
    EXPECT_EQ(token, "a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5");
    EXPECT_TRUE(toolchain::isLaunchToken(token));
    for (const std::string bad : {"", "../../etc/passwd", "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5",
                                  "a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a", "$(touch x)"}) {
        EXPECT_FALSE(toolchain::isLaunchToken(bad)) << bad;
    }
    EXPECT_EQ(toolchain::launchFolder("/run/user/1000", "1000"), "/run/user/1000");
    EXPECT_EQ(toolchain::launchFolder(std::nullopt, "1000"), "/tmp/morvane-1000");
    EXPECT_EQ(toolchain::launchFolder("", "0"), "/tmp/morvane-0");
    EXPECT_EQ(toolchain::launchFolder("relative/run", "7"), "/tmp/morvane-7");
    EXPECT_EQ(toolchain::launchFilePath("/run/user/1000", token),
              "/run/user/1000/morvane-" + token + ".launch");
    // Control characters, C1 ones included, cannot end the title or start a sequence.
    EXPECT_EQ(toolchain::windowTitleSequence("编译 a\x1b]0;x\x07\xC2\x9B"
                                             "b.java"),
              "\x1b]0;编译 a]0;xb.java\x07");
}

} // namespace
