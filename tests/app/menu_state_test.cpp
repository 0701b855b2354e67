// The context menu as data, what it shows for each state, and where it opens.
#include "app/menu_state.h"

#include <string>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "tests/app/app_fixture.h"

namespace {

using MenuStateTest = AppTest;

TEST_F(MenuStateTest, ContextMenuPositionsTheUpdateReliesOn) {
    // Top-level items by position; a submenu's items follow it directly.
    const MenuItemSpec* m = kContextMenuItems;
    std::vector<size_t> top;
    for (size_t i = 0; i < kContextMenuItemCount; i += 1 + m[i].submenuItems) top.push_back(i);
    ASSERT_EQ(top.size(), 15u);
    EXPECT_EQ(m[top[0]].id, IDM_START_PAUSE);
    EXPECT_EQ(m[top[1]].id, IDM_RESET);
    EXPECT_EQ(m[top[3]].id, IDM_STOPWATCH);
    EXPECT_EQ(std::wstring(m[top[4]].text), L"&Timer");
    EXPECT_EQ(m[top[10]].id, IDM_TITLE_BAR);
    EXPECT_EQ(m[top[11]].id, IDM_FULL_SCREEN);
    EXPECT_EQ(m[top[14]].id, IDM_EXIT);
    // Submenu orders equal the enumerations they select.
    ASSERT_EQ(m[top[6]].submenuItems, 4);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(m[top[6] + 1 + p].id, IDM_PRECISION_MINUTE + p);
    ASSERT_EQ(m[top[7]].submenuItems, kColorCount);
    for (int c = 0; c < kColorCount; ++c) EXPECT_EQ(m[top[7] + 1 + c].id, IDM_COLOR_RED + c);
    EXPECT_EQ(m[top[8] + 1 + kStyleRounded].id, IDM_STYLE_ROUNDED);
    EXPECT_EQ(m[top[8] + 1 + kStyleStraight].id, IDM_STYLE_STRAIGHT);
    // The timer submenu: Customize, a separator, then the presets in order.
    ASSERT_EQ(m[top[4]].submenuItems, 14);
    EXPECT_EQ(m[top[4] + 1].id, IDM_CUSTOMIZE);
    EXPECT_EQ(m[top[4] + 2].text, nullptr);
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(m[top[4] + 3 + i].id, kPresetIds[i]);
}

TEST_F(MenuStateTest, StartPauseTextAndResetFollowTheClock) {
    auto expect = [](const wchar_t* text, bool reset) {
        const ContextMenuState s = ComputeContextMenuState();
        EXPECT_EQ(std::make_pair(std::wstring(s.startPauseText), s.resetEnabled),
                  std::make_pair(std::wstring(text), reset));
    };
    expect(L"&Start", false);
    StartAt(0);
    expect(L"Pau&se", true);
    StartPause(Window());
    expect(L"Re&sume", true);
    ResetCommand(Window());
    expect(L"&Start", false);

    // The end of a countdown shows Start again, and the mode stays a timer.
    PresetCommand(Window(), 60);
    StartAt(0);
    fake::g.counter = 60000;
    fake::FireTick();
    ASSERT_EQ(fake::g.timeUpPosts, 1);
    expect(L"&Start", false);
    EXPECT_EQ(ComputeContextMenuState().modePosition, 4);
}

TEST_F(MenuStateTest, RadioChecksAndGrays) {
    ContextMenuState s = ComputeContextMenuState();
    EXPECT_EQ(s.modePosition, 3);
    EXPECT_EQ(s.precisionPosition, 1);
    EXPECT_EQ(s.colorPosition, 1);
    EXPECT_EQ(s.stylePosition, 0);
    EXPECT_TRUE(s.titleBarChecked && s.titleBarEnabled);
    EXPECT_FALSE(s.fullScreenChecked);

    PresetCommand(Window(), 300);
    SetPrecision(kPrecisionCentisecond);
    SelectColor(kColorOrange);
    SetSegmentStyle(kStyleStraight);
    g_app.options.noTitleBar = 2;  // any non-zero value counts as set
    s = ComputeContextMenuState();
    EXPECT_EQ(s.modePosition, 4);
    EXPECT_EQ(s.precisionPosition, 3);
    EXPECT_EQ(s.colorPosition, 7);
    EXPECT_EQ(s.stylePosition, 1);
    EXPECT_FALSE(s.titleBarChecked);

    // Full screen has no title bar to toggle.
    g_app.options.fullScreen = 1;
    s = ComputeContextMenuState();
    EXPECT_FALSE(s.titleBarEnabled);
    EXPECT_TRUE(s.fullScreenChecked);
}

TEST_F(MenuStateTest, WhereAndWhichMenuOpens) {
    const ClientSize client{120, 30};
    // The keyboard opens the menu at the bottom-left corner of the client.
    const MenuPlacement key = PlaceContextMenu(true, 500, 500, client);
    EXPECT_TRUE(key.show);
    EXPECT_EQ(key.clientX, 0);
    EXPECT_EQ(key.clientY, 30);
    EXPECT_EQ(key.menu, MenuKind::Context);
    // Clicks outside the client area (the title bar too) go to default
    // processing.
    const struct {
        int32_t x, y;
        bool show;
    } clicks[] = {{0, 0, true},    {119, 29, true}, {120, 10, false},
                  {10, 30, false}, {-1, 10, false}, {10, -12, false}};
    for (const auto& c : clicks) {
        EXPECT_EQ(PlaceContextMenu(false, c.x, c.y, client).show, c.show) << c.x << "," << c.y;
    }
    const MenuPlacement click = PlaceContextMenu(false, 40, 7, client);
    EXPECT_EQ(click.clientX, 40);
    EXPECT_EQ(click.clientY, 7);

    EnterCountdownEntry(Window());
    EXPECT_EQ(PlaceContextMenu(false, 5, 5, client).menu, MenuKind::Entry);
    EXPECT_EQ(PlaceContextMenu(true, 0, 0, client).menu, MenuKind::Entry);
    EXPECT_EQ(std::wstring(kEntryMenuItems[0].text), L"&OK\tEnter");
    EXPECT_EQ(kEntryMenuItems[0].id, IDM_ENTRY_OK);
    EXPECT_EQ(std::wstring(kEntryMenuItems[1].text), L"&Cancel\tEsc");
    EXPECT_EQ(kEntryMenuItems[1].id, IDM_ENTRY_CANCEL);
}

}  // namespace
