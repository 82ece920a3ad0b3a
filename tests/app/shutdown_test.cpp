// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/placement.h"
#include "app_fixture.h"
#include "editor/frm_edit.h"

#include <gtest/gtest.h>

namespace {

class Shutdown : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/jdk/\r\n/src/\r\n");
        start();
        window().bounds[0] = 300;
        window().bounds[1] = 450.5f;
        window().bounds[2] = 8000;
        window().bounds[3] = 6000;
    }
};

TEST_F(Shutdown, NormalWindowStoresItsPlacementInOrder) {
    main().mnuClose_Click();
    EXPECT_TRUE(window().closed);
    EXPECT_EQ(stored("MainLeft"), "300");
    EXPECT_EQ(stored("MainTop"), "450.5");
    EXPECT_EQ(stored("MainWidth"), "8000");
    EXPECT_EQ(stored("MainHeight"), "6000");
    EXPECT_EQ(platform.settings.savedKeys,
              (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
}

TEST_F(Shutdown, MinimizedStoresNothingAndTheNextStartUsesThePreviousPlacement) {
    store("MainLeft", "10");
    window().state = platform::WindowState::Minimized;
    window().close();
    EXPECT_TRUE(window().closed);
    EXPECT_TRUE(platform.settings.savedKeys.empty());
    EXPECT_EQ(stored("MainLeft"), "10");
}

TEST_F(Shutdown, MaximizedStoresItsMaximizedBounds) {
    window().state = platform::WindowState::Maximized;
    window().bounds[2] = 28800;
    window().close();
    EXPECT_EQ(stored("MainWidth"), "28800");

    AppFixture next;
    next.platform.settings = platform.settings;
    next.start();
    EXPECT_EQ(next.window().width(), 28800);
    EXPECT_EQ(next.window().state, platform::WindowState::Normal);
}

TEST_F(Shutdown, DocumentsCloseFirstAndOneRefusalStopsTheExit) {
    main().NewDocument();
    main().NewDocument().Changed = true; // Document 2 will ask, and its Save dialog is cancelled
    main().NewDocument();
    main().mnuClose_Click();
    EXPECT_FALSE(window().closed);
    EXPECT_EQ(window().documentHost.closedCaptions, std::vector<std::string>{"Document 1"});
    EXPECT_EQ(window().documentHost.open.size(), 2u);
    EXPECT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_TRUE(platform.settings.savedKeys.empty());

    platform.messageBox.answers = {platform::MsgBoxResult::No};
    main().mnuClose_Click();
    EXPECT_TRUE(window().closed);
    EXPECT_TRUE(window().documentHost.open.empty());
    EXPECT_EQ(platform.settings.savedKeys.size(), 4u);
}

// A window's close handling runs inside the window itself: the window goes only once that has
// returned, on the next turn of the event loop.
TEST_F(Shutdown, AClosedDocumentGoesOnTheNextTurnNotInsideItsOwnClose) {
    main().NewDocument();
    main().mnuFileShut_Click();
    EXPECT_EQ(main().ActiveForm(), nullptr);
    EXPECT_EQ(window().documentHost.destroyed, 0);
    window().runPendingWork();
    EXPECT_EQ(window().documentHost.destroyed, 1);
}

TEST(Placement, TextRoundTripsAndRejectsWhatIsNotANumber) {
    for (const float value : {0.0f, 1000.0f, -15.0f, 6500.25f, 1234567.0f, 0.5f}) {
        const auto parsed = app::parsePlacement(app::formatPlacement(value));
        ASSERT_TRUE(parsed.has_value()) << value;
        EXPECT_EQ(*parsed, value);
    }
    EXPECT_EQ(app::formatPlacement(1000.0f), "1000");
    EXPECT_EQ(app::formatPlacement(1000000.0f), "1000000");
    EXPECT_EQ(app::parsePlacement("+12"), 12.0f);
    EXPECT_EQ(app::parsePlacement("1e3"), 1000.0f);
    for (const std::string bad : {"", " ", "-", "1 2", "1,5", "NaN", "-inf", "3e39"}) {
        EXPECT_FALSE(app::parsePlacement(bad).has_value()) << bad;
    }
}

} // namespace
