// Typing a countdown on the display: digits, Backspace, Enter and Esc, and the
// 99:59:59 limit.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/operations.h"
#include "display/layout.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

const WindowHandle kWindow = fake::TestWindow();
constexpr uint32_t kBefore = 42000;  // the countdown before each entry

// Each row types its keys into a fresh entry ("__:__:__.__") on a 150 x 30
// window in decisecond precision. Every key repaints with erase, by itself or
// by leaving entry.
TEST(Entry, KeysAndTheLimit) {
    const struct {
        const wchar_t* keys;
        const wchar_t* text;
        bool stays;  // still in entry afterwards
        uint32_t countdown;
    } rows[] = {
        {L"1230\b", L"__:_1:23.__", true, kBefore},
        {L"12\b\b\b9", L"__:__:_9.__", true, kBefore},
        {L"12345\r", L"_1:23:45.__", false, 5025000},
        {L"1234567\r", L"23:45:67.__", false, 85567000},
        {L"009000\r", L"00:90:00.__", false, 5400000},
        {L"5a 0\x1b", L"__:__:50.__", false, kBefore},
        {L"\r", L"__:__:__.__", false, 0},
        {L"995959\r", L"99:59:59.__", false, 359999000},
        {L"995960\r", L"99:59:60.__", true, kBefore},
    };
    for (const auto& r : rows) {
        const std::wstring keys = r.keys;
        SCOPED_TRACE(testing::PrintToString(keys));
        fake::Reset();
        SetTimerMode(kBefore);
        SetPrecision(kPrecisionDecisecond);
        fake::g.clientSize = {150, 30};
        EnterCountdownEntry(kWindow);
        for (wchar_t k : keys) EntryKey(kWindow, static_cast<uint32_t>(k));
        EXPECT_EQ(std::tuple(std::wstring(g_editText), EntryActive(), g_clock.countdown,
                             fake::g.erasingRepaints, fake::g.caretExists, fake::g.titleSets),
                  std::tuple(r.text, r.stays, r.countdown, 1 + static_cast<int>(keys.size()),
                             r.stays, r.countdown != kBefore ? 1 : 0));
        // A refusal: a box of the window's, with an empty caption.
        const bool refused = r.stays && keys.back() == L'\r';
        ASSERT_EQ(fake::g.messageBoxes.size(), refused ? 1u : 0u);
        for (const fake::MessageBoxCall& box : fake::g.messageBoxes) {
            EXPECT_EQ(
                std::tuple(box.text, box.caption, box.defaultCaption, box.owner),
                std::tuple(L"Time is invalid as it is more than 99:59:59!", L"", false, kWindow));
        }
        EXPECT_EQ(g_digitArea.left, r.stays ? 15 : 0) << "8 glyphs in entry, else 10";
    }
    // A half-filled field reads its second place; nothing before the text is read.
    EXPECT_EQ(ParseEditText(L"123456__:_1:_2.__" + 6), 62000u);
}

}  // namespace
