// Typing a countdown on the display: digits, Backspace, Enter and Esc.
#include <gtest/gtest.h>

#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

TEST(Entry, EnterSetsOrRefusesTheTypedCountdownEscKeepsTheDigits) {
    fake::Reset();
    g_app.mainWindow.store(fake::TestWindow());
    const auto Type = [](const std::wstring& keys) {
        for (wchar_t k : keys) EntryKey(fake::TestWindow(), static_cast<uint32_t>(k));
    };
    EnterCountdownEntry(fake::TestWindow());
    Type(L"12300\b");
    EXPECT_STREQ(g_editText, L"__:12:30.__");
    Type(L"\r");
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 750000u);

    EnterCountdownEntry(fake::TestWindow());
    Type(L"995960\r");
    EXPECT_TRUE(EntryActive());
    ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::g.messageBoxes[0].text, L"Time is invalid as it is more than 99:59:59!");
    EXPECT_EQ(fake::g.messageBoxes[0].caption, L"");
    EXPECT_FALSE(fake::g.messageBoxes[0].defaultCaption);
    Type(L"\x1b");
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 750000u);
    EnterCountdownEntry(fake::TestWindow());
    Type(L"1");
    EXPECT_STREQ(g_editText, L"95:96:01.__");
}

}  // namespace
