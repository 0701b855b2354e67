// The context menu as data, what it shows for each state, and where it opens.
#include "app/menu_state.h"

#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "tests/app/app_fixture.h"

namespace {

using MenuStateTest = AppTest;

// The items of one menu level: indexes into the table, by position.
std::vector<size_t> Level(const MenuItemSpec* items, size_t begin, size_t count) {
    std::vector<size_t> level;
    size_t i = begin;
    while (level.size() < count) {
        level.push_back(i);
        i += 1 + items[i].submenuItems;
    }
    return level;
}

std::vector<size_t> TopLevel() {
    // The top level runs to the end of the table.
    std::vector<size_t> level;
    for (size_t i = 0; i < kContextMenuItemCount; i += 1 + kContextMenuItems[i].submenuItems) {
        level.push_back(i);
    }
    return level;
}

std::wstring Text(const MenuItemSpec& item) {
    return item.text ? item.text : L"<separator>";
}

TEST_F(MenuStateTest, ContextMenuPositionsTheUpdateReliesOn) {
    const std::vector<size_t> top = TopLevel();
    ASSERT_EQ(top.size(), 15u);
    const MenuItemSpec* m = kContextMenuItems;
    EXPECT_EQ(m[top[0]].id, IDM_START_PAUSE);
    EXPECT_EQ(m[top[3]].id, IDM_STOPWATCH);
    EXPECT_EQ(Text(m[top[4]]), L"&Timer");
    EXPECT_EQ(Text(m[top[5]]), L"<separator>");
    EXPECT_EQ(Text(m[top[6]]), L"&Precision");
    EXPECT_EQ(Text(m[top[7]]), L"&Color");
    EXPECT_EQ(Text(m[top[8]]), L"St&yle");
    EXPECT_EQ(m[top[10]].id, IDM_TITLE_BAR);
    EXPECT_EQ(m[top[11]].id, IDM_FULL_SCREEN);
    EXPECT_EQ(m[top[14]].id, IDM_EXIT);

    // Submenu orders equal the enumerations they select.
    const std::vector<size_t> precision = Level(m, top[6] + 1, m[top[6]].submenuItems);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(m[precision[p]].id, IDM_PRECISION_MINUTE + p);
    const std::vector<size_t> colors = Level(m, top[7] + 1, m[top[7]].submenuItems);
    for (int c = 0; c < kColorCount; ++c) EXPECT_EQ(m[colors[c]].id, IDM_COLOR_RED + c);
    const std::vector<size_t> styles = Level(m, top[8] + 1, m[top[8]].submenuItems);
    EXPECT_EQ(m[styles[kStyleRounded]].id, IDM_STYLE_ROUNDED);
    EXPECT_EQ(m[styles[kStyleStraight]].id, IDM_STYLE_STRAIGHT);

    // The timer submenu: Customize, a separator, then the presets in order.
    const std::vector<size_t> timer = Level(m, top[4] + 1, m[top[4]].submenuItems);
    ASSERT_EQ(timer.size(), 14u);
    EXPECT_EQ(Text(m[timer[0]]), L"&Customize... ");
    EXPECT_EQ(Text(m[timer[1]]), L"<separator>");
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(m[timer[2 + i]].id, kPresetIds[i]);
}

TEST_F(MenuStateTest, EveryMenuCommandIsReachableOnceWithDistinctMnemonics) {
    std::multiset<uint16_t> ids;
    for (size_t i = 0; i < kContextMenuItemCount; ++i) {
        if (kContextMenuItems[i].id != 0) ids.insert(kContextMenuItems[i].id);
    }
    for (size_t i = 0; i < kEntryMenuItemCount; ++i) ids.insert(kEntryMenuItems[i].id);
    const uint16_t expected[] = {IDM_START_PAUSE, IDM_RESET,         IDM_STOPWATCH,
                                 IDM_CUSTOMIZE,   IDM_ENTRY_OK,      IDM_ENTRY_CANCEL,
                                 IDM_TITLE_BAR,   IDM_FULL_SCREEN,   IDM_ABOUT,
                                 IDM_EXIT,        IDM_STYLE_ROUNDED, IDM_STYLE_STRAIGHT};
    for (uint16_t id : expected) EXPECT_EQ(ids.count(id), 1u) << id;
    for (uint16_t id : kPresetIds) EXPECT_EQ(ids.count(id), 1u) << id;
    // Esc is the only way to the leave command: it has no menu item.
    EXPECT_EQ(ids.count(IDM_LEAVE_FULL_SCREEN), 0u);

    // Within each menu level no two items share a mnemonic, whichever text
    // the first item shows.
    auto mnemonic = [](const wchar_t* text) -> wchar_t {
        const std::wstring s = text ? text : L"";
        const size_t amp = s.find(L'&');
        return amp == std::wstring::npos ? 0 : static_cast<wchar_t>(towlower(s[amp + 1]));
    };
    const std::vector<size_t> top = TopLevel();
    for (const wchar_t* first : {L"&Start", L"Pau&se", L"Re&sume"}) {
        std::set<wchar_t> seen{mnemonic(first)};
        for (size_t k = 1; k < top.size(); ++k) {
            const wchar_t key = mnemonic(kContextMenuItems[top[k]].text);
            if (key) {
                EXPECT_TRUE(seen.insert(key).second) << Text(kContextMenuItems[top[k]]);
            }
        }
    }
    for (size_t k : top) {
        if (kContextMenuItems[k].submenuItems == 0) continue;
        std::set<wchar_t> seen;
        for (size_t i : Level(kContextMenuItems, k + 1, kContextMenuItems[k].submenuItems)) {
            const wchar_t key = mnemonic(kContextMenuItems[i].text);
            if (key) {
                EXPECT_TRUE(seen.insert(key).second) << Text(kContextMenuItems[i]);
            }
        }
    }
    EXPECT_NE(mnemonic(kEntryMenuItems[0].text), mnemonic(kEntryMenuItems[1].text));
}

TEST_F(MenuStateTest, StartPauseTextAndResetFollowTheClock) {
    ContextMenuState s = ComputeContextMenuState();
    EXPECT_EQ(std::wstring(s.startPauseText), L"&Start");
    EXPECT_FALSE(s.resetEnabled);

    StartAt(0);
    s = ComputeContextMenuState();
    EXPECT_EQ(std::wstring(s.startPauseText), L"Pau&se");
    EXPECT_TRUE(s.resetEnabled);

    StartPause(Window());
    s = ComputeContextMenuState();
    EXPECT_EQ(std::wstring(s.startPauseText), L"Re&sume");
    EXPECT_TRUE(s.resetEnabled);

    ResetCommand(Window());
    s = ComputeContextMenuState();
    EXPECT_EQ(std::wstring(s.startPauseText), L"&Start");
    EXPECT_FALSE(s.resetEnabled);
}

TEST_F(MenuStateTest, EndOfACountdownShowsStartAgain) {
    PresetCommand(Window(), 60);
    StartAt(0);
    fake::g.counter = 60000;
    fake::FireTick();
    ASSERT_EQ(fake::g.timeUpPosts, 1);
    const ContextMenuState s = ComputeContextMenuState();
    EXPECT_EQ(std::wstring(s.startPauseText), L"&Start");
    EXPECT_FALSE(s.resetEnabled);
    EXPECT_EQ(s.modePosition, 4);  // still a timer
}

TEST_F(MenuStateTest, RadioPositionsFollowModePrecisionColorAndStyle) {
    ContextMenuState s = ComputeContextMenuState();
    EXPECT_EQ(s.modePosition, 3);
    EXPECT_EQ(s.precisionPosition, 1);
    EXPECT_EQ(s.colorPosition, 1);
    EXPECT_EQ(s.stylePosition, 0);

    PresetCommand(Window(), 300);
    SetPrecision(kPrecisionCentisecond);
    SelectColor(kColorOrange);
    SetSegmentStyle(kStyleStraight);
    s = ComputeContextMenuState();
    EXPECT_EQ(s.modePosition, 4);
    EXPECT_EQ(s.precisionPosition, 3);
    EXPECT_EQ(s.colorPosition, 7);
    EXPECT_EQ(s.stylePosition, 1);
}

TEST_F(MenuStateTest, TitleBarAndFullScreenItems) {
    ContextMenuState s = ComputeContextMenuState();
    EXPECT_TRUE(s.titleBarChecked);
    EXPECT_TRUE(s.titleBarEnabled);
    EXPECT_FALSE(s.fullScreenChecked);

    g_app.options.noTitleBar = 2;  // any non-zero value counts as set
    s = ComputeContextMenuState();
    EXPECT_FALSE(s.titleBarChecked);

    g_app.options.fullScreen = 1;
    s = ComputeContextMenuState();
    EXPECT_FALSE(s.titleBarEnabled);
    EXPECT_TRUE(s.fullScreenChecked);
}

TEST_F(MenuStateTest, KeyboardOpensAtTheBottomLeftCorner) {
    const MenuPlacement p = PlaceContextMenu(true, 500, 500, {120, 30});
    EXPECT_TRUE(p.show);
    EXPECT_EQ(p.clientX, 0);
    EXPECT_EQ(p.clientY, 30);
    EXPECT_EQ(p.menu, MenuKind::Context);
}

TEST_F(MenuStateTest, ClicksOutsideTheClientAreaGoToDefaultProcessing) {
    const ClientSize client{120, 30};
    EXPECT_TRUE(PlaceContextMenu(false, 0, 0, client).show);
    EXPECT_TRUE(PlaceContextMenu(false, 119, 29, client).show);
    EXPECT_FALSE(PlaceContextMenu(false, 120, 10, client).show);
    EXPECT_FALSE(PlaceContextMenu(false, 10, 30, client).show);
    EXPECT_FALSE(PlaceContextMenu(false, -1, 10, client).show);
    EXPECT_FALSE(PlaceContextMenu(false, 10, -12, client).show);  // the title bar
    const MenuPlacement p = PlaceContextMenu(false, 40, 7, client);
    EXPECT_EQ(p.clientX, 40);
    EXPECT_EQ(p.clientY, 7);
}

TEST_F(MenuStateTest, EntryShowsTheEntryMenu) {
    EnterCountdownEntry(Window());
    EXPECT_EQ(PlaceContextMenu(false, 5, 5, {120, 30}).menu, MenuKind::Entry);
    EXPECT_EQ(PlaceContextMenu(true, 0, 0, {120, 30}).menu, MenuKind::Entry);
    EXPECT_EQ(std::wstring(kEntryMenuItems[0].text), L"&OK\tEnter");
    EXPECT_EQ(kEntryMenuItems[0].id, IDM_ENTRY_OK);
    EXPECT_EQ(std::wstring(kEntryMenuItems[1].text), L"&Cancel\tEsc");
    EXPECT_EQ(kEntryMenuItems[1].id, IDM_ENTRY_CANCEL);
}

}  // namespace
