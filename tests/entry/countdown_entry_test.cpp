// The editor: typing, Backspace, Enter, Esc, the caret, and the quiet tick.
#include <string>

#include "clock/time_text.h"
#include "display/layout.h"
#include "entry_fixture.h"

namespace {

struct EditCase {
    const char* name;
    const wchar_t* keys;
    const wchar_t* text;  // the edit text afterwards
};

const EditCase kEditCases[] = {
    {"digits shift in from the right", L"1230", L"__:12:30.__"},
    {"backspace shifts right", L"1230\b", L"__:_1:23.__"},
    {"six digits fill every place", L"123456", L"12:34:56.__"},
    {"a seventh digit drops the leftmost", L"1234567", L"23:45:67.__"},
    {"backspace on a full text frees the first place", L"123456\b", L"_1:23:45.__"},
    {"backspace on a blank text", L"\b\b", L"__:__:__.__"},
    {"backspace past every digit", L"12\b\b\b", L"__:__:__.__"},
    {"letters, space and signs are ignored", L"1a 2-+.:Z", L"__:__:12.__"},
};

TEST_F(EntryTest, KeysEditTheTextAndEachRepaintsWithErase) {
    for (const EditCase& c : kEditCases) {
        SCOPED_TRACE(c.name);
        SetUp();
        EnterCountdownEntry(Window());
        ForgetRepaints();
        const uint32_t countdownBefore = g_clock.countdown;

        Type(c.keys);

        EXPECT_EQ(EditText(), c.text);
        EXPECT_TRUE(EntryActive());
        EXPECT_EQ(fake::g.erasingRepaints, static_cast<int>(std::wstring(c.keys).size()));
        EXPECT_EQ(fake::g.repaints, fake::g.erasingRepaints);
        EXPECT_EQ(g_clock.countdown, countdownBefore);
        EXPECT_EQ(g_clock.mode, kModeStopwatch);
        EXPECT_TRUE(fake::g.messageBoxes.empty());
    }
}

struct EnterCase {
    const char* name;
    const wchar_t* keys;
    bool accepted;
    uint32_t ms;  // the countdown when accepted
};

const EnterCase kEnterCases[] = {
    {"12 min 30 s", L"1230", true, 750000},
    {"23 h 45 min 67 s after a dropped digit", L"1234567", true, 85567000},
    {"the limit itself", L"995959", true, 359999000},
    {"minutes above 59 simply add", L"9000", true, 5400000},
    {"a blank text is zero", L"", true, 0},
    {"one second past the limit", L"995960", false, 0},
    {"the largest text", L"999999", false, 0},
};

TEST_F(EntryTest, EnterSetsTheCountdownOrRefusesAndStays) {
    const uint32_t kEarlier = 120000;
    for (const EnterCase& c : kEnterCases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_EQ(SetCountdown(kEarlier), 0);
        EnterCountdownEntry(Window());
        Type(c.keys);
        const std::wstring typed = EditText();
        ForgetRepaints();

        EntryKey(Window(), kKeyEnter);

        EXPECT_EQ(EditText(), typed);
        EXPECT_EQ(g_clock.mode, kModeTimer);
        EXPECT_GT(fake::g.erasingRepaints, 0);
        if (c.accepted) {
            EXPECT_FALSE(EntryActive());
            EXPECT_FALSE(fake::g.caretExists);
            EXPECT_EQ(g_clock.countdown, c.ms);
            EXPECT_TRUE(fake::g.messageBoxes.empty());
        } else {
            EXPECT_TRUE(EntryActive());
            EXPECT_TRUE(fake::g.caretExists);
            EXPECT_EQ(g_clock.countdown, kEarlier);
            EXPECT_STREQ(g_clock.countdownSuffix, L" (120 sec)");
            ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
            const fake::MessageBoxCall& box = fake::g.messageBoxes[0];
            EXPECT_EQ(box.text, L"Time is invalid as it is more than 99:59:59!");
            EXPECT_EQ(box.caption, L"");
            EXPECT_FALSE(box.defaultCaption);
            EXPECT_EQ(box.owner, Window());
        }
    }
}

TEST_F(EntryTest, EscKeepsTheDigitsForTheNextEntryAndSetsNothing) {
    ASSERT_EQ(SetCountdown(60000), 0);
    EnterCountdownEntry(Window());
    Type(L"45");
    EntryKey(Window(), kKeyEscape);

    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 60000u);
    EXPECT_TRUE(fake::g.messageBoxes.empty());

    EnterCountdownEntry(Window());
    EXPECT_EQ(EditText(), L"__:__:45.__");
    Type(L"6");
    EXPECT_EQ(EditText(), L"__:_4:56.__");
}

TEST_F(EntryTest, CaretLivesExactlyAsLongAsTheEntry) {
    EnterCountdownEntry(Window());
    EXPECT_TRUE(fake::g.caretExists);
    ASSERT_FALSE(fake::g.caretCalls.empty());
    EXPECT_EQ(fake::g.caretCalls.front().kind, fake::CaretCall::Create);

    const size_t callsBeforeLeave = fake::g.caretCalls.size();
    EntryKey(Window(), kKeyEscape);
    EXPECT_FALSE(fake::g.caretExists);
    ASSERT_GT(fake::g.caretCalls.size(), callsBeforeLeave);
    // Nothing creates or shows a caret once it is destroyed.
    EXPECT_EQ(fake::g.caretCalls.back().kind, fake::CaretCall::Destroy);
}

TEST_F(EntryTest, LayoutIsForEightGlyphsDuringEntryAndForTheGlyphCountAfter) {
    SetPrecision(kPrecisionDecisecond);
    fake::g.clientSize = {150, 30};
    EnterCountdownEntry(Window());
    EXPECT_EQ(g_digitArea.left, 15);
    EXPECT_EQ(g_digitArea.right, 135);

    EntryKey(Window(), kKeyEscape);
    EXPECT_EQ(g_digitArea.left, 0);
    EXPECT_EQ(g_digitArea.right, 150);
}

TEST_F(EntryTest, TickRequestsNoRepaintWhileEntryIsActive) {
    ToggleClock();
    EnterCountdownEntry(Window());
    ForgetRepaints();

    fake::g.counter = 1000;
    ASSERT_TRUE(fake::FireTick());
    EXPECT_EQ(fake::g.repaints, 0);
    // The tick still keeps the time text current for after the entry.
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:00:01");

    EntryKey(Window(), kKeyEscape);
    ForgetRepaints();
    fake::g.counter = 2000;
    ASSERT_TRUE(fake::FireTick());
    EXPECT_EQ(fake::g.repaints, 1);
    EXPECT_EQ(fake::g.erasingRepaints, 0);
}

}  // namespace
