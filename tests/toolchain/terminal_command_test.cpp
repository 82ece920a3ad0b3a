#include "toolchain/terminal_command.h"

#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Choice {
    std::set<std::string> installed;
    std::vector<std::string> expected;
};

TEST(TerminalCommand, PicksTheFirstInstalledTerminalWithItsCommandOption) {
    const std::string bat = "/opt/morvane/morvane-bat";
    const std::string script = "/home/u/my src/debug.bat";
    const std::string dir = "/home/u/my src/";
    auto line = [&](std::string terminal, std::string option) {
        return std::vector<std::string>{terminal, option, bat, dir, script};
    };
    const std::vector<Choice> cases = {
        {{"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"},
         line("x-terminal-emulator", "-e")},
        {{"gnome-terminal", "konsole", "xterm"}, line("gnome-terminal", "--")},
        {{"konsole", "xfce4-terminal", "xterm"}, line("konsole", "-e")},
        {{"xfce4-terminal", "xterm"}, line("xfce4-terminal", "-x")},
        {{"xterm"}, line("xterm", "-e")},
    };
    for (const Choice& c : cases) {
        std::vector<std::string> asked;
        auto available = [&](const std::string& program) {
            asked.push_back(program);
            return c.installed.count(program) > 0;
        };
        auto command = toolchain::terminalCommand(available, bat, script, dir);
        ASSERT_TRUE(command.has_value()) << c.expected.front();
        EXPECT_EQ(*command, c.expected);
        EXPECT_EQ(asked.back(), c.expected.front()) << "stops at the first one found";
    }
}

TEST(TerminalCommand, NothingWithoutATerminalAndTheMessageSaysWhatToInstall) {
    std::vector<std::string> asked;
    auto none = [&](const std::string& program) {
        asked.push_back(program);
        return false;
    };
    EXPECT_FALSE(toolchain::terminalCommand(none, "/b", "/s", "/d").has_value());
    EXPECT_THAT(asked, ElementsAre("x-terminal-emulator", "gnome-terminal", "konsole",
                                   "xfce4-terminal", "xterm"));
    EXPECT_THAT(toolchain::noTerminalMessage(), HasSubstr("apt-get install xterm"));
}

TEST(TerminalCommand, PathsWithShellCharactersStayOneArgumentEach) {
    const std::string dir = "/tmp/a \"b\" & c; $(touch pwned) 'd'";
    const std::string script = dir + "/debug.bat";
    auto command = toolchain::terminalCommand([](const std::string& p) { return p == "xterm"; },
                                              "/x y/morvane-bat", script, dir);
    ASSERT_TRUE(command.has_value());
    EXPECT_THAT(*command, ElementsAre("xterm", "-e", "/x y/morvane-bat", dir, script));
}

} // namespace
