// The editor: typing, Backspace, Enter, Esc, the caret, and the quiet tick.
#include "clock/time_text.h"
#include "display/layout.h"
#include "entry_fixture.h"

namespace {

TEST_F(EntryTest, KeysEditTheTextAndEachRepaintsWithErase) {
    const struct {
        const wchar_t* keys;
        const wchar_t* text;
    } cases[] = {
        {L"1230", L"__:12:30.__"},      {L"1230\b", L"__:_1:23.__"},
        {L"1234567", L"23:45:67.__"},  // a seventh digit drops the leftmost
        {L"123456\b", L"_1:23:45.__"},  {L"12\b\b\b", L"__:__:__.__"},
        {L"1a 2-+.:Z", L"__:__:12.__"},  // anything but digits is ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.keys)));
        SetUp();
        EnterCountdownEntry(Window());
        fake::g.erasingRepaints = 0;
        Type(c.keys);
        EXPECT_STREQ(g_editText, c.text);
        EXPECT_TRUE(EntryActive());
        EXPECT_EQ(fake::g.erasingRepaints, static_cast<int>(wcslen(c.keys)));
        EXPECT_EQ(g_clock.mode, kModeStopwatch) << "typing sets nothing";
    }
}

TEST_F(EntryTest, EnterSetsTheCountdownOrRefusesAndStays) {
    const struct {
        const wchar_t* keys;
        bool accepted;
        uint32_t ms;
    } cases[] = {
        {L"1230", true, 750000},  {L"1234567", true, 85567000}, {L"995959", true, 359999000},
        {L"9000", true, 5400000},  // 00:90:00: minutes above 59 simply add
        {L"", true, 0},           {L"995960", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.keys)));
        SetUp();
        ASSERT_EQ(SetCountdown(120000), 0);
        EnterCountdownEntry(Window());
        Type(c.keys);
        const std::wstring typed = g_editText;
        EntryKey(Window(), kKeyEnter);
        EXPECT_EQ(g_editText, typed);
        EXPECT_EQ(EntryActive(), !c.accepted);
        EXPECT_EQ(fake::g.caretExists, !c.accepted);
        EXPECT_EQ(g_clock.countdown, c.accepted ? c.ms : 120000u);
        if (c.accepted) {
            EXPECT_TRUE(fake::g.messageBoxes.empty());
            continue;
        }
        EXPECT_STREQ(g_clock.countdownSuffix, L" (120 sec)");
        ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
        const fake::MessageBoxCall& box = fake::g.messageBoxes[0];
        EXPECT_EQ(box.text, L"Time is invalid as it is more than 99:59:59!");
        EXPECT_EQ(box.caption, L"");
        EXPECT_FALSE(box.defaultCaption);
        EXPECT_EQ(box.owner, Window());
    }
}

TEST_F(EntryTest, EscKeepsTheDigitsForTheNextEntryAndSetsNothing) {
    ASSERT_EQ(SetCountdown(60000), 0);
    EnterCountdownEntry(Window());
    Type(L"45");
    EntryKey(Window(), kKeyEscape);
    EXPECT_FALSE(EntryActive());
    EXPECT_FALSE(fake::g.caretExists);
    EXPECT_EQ(fake::g.caretCalls.back().kind, fake::CaretCall::Destroy);
    EXPECT_EQ(g_clock.countdown, 60000u);

    EnterCountdownEntry(Window());
    Type(L"6");
    EXPECT_STREQ(g_editText, L"__:_4:56.__");
}

TEST_F(EntryTest, EntryLaysOutEightGlyphsAndTheTickDoesNotRepaint) {
    SetPrecision(kPrecisionDecisecond);
    fake::g.clientSize = {150, 30};
    ToggleClock();
    EnterCountdownEntry(Window());
    EXPECT_EQ(g_digitArea.left, 15);  // eight glyphs
    fake::g.repaints = 0;
    fake::g.counter = 1000;
    ASSERT_TRUE(fake::FireTick());
    EXPECT_EQ(fake::g.repaints, 0);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:00:01") << "the time text stays current";

    EntryKey(Window(), kKeyEscape);
    EXPECT_EQ(g_digitArea.left, 0);  // ten glyphs again
    fake::g.repaints = fake::g.erasingRepaints = 0;
    ASSERT_TRUE(fake::FireTick());
    EXPECT_EQ(fake::g.repaints, 1);
    EXPECT_EQ(fake::g.erasingRepaints, 0);
}

}  // namespace
