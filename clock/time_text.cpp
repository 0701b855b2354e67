// The time text: HH:MM:SS.dc, or HH:MM__.dc with a blinking separator in
// minute precision. Written by hand into the fixed buffer: it runs up to 100
// times a second on the timer thread and must neither allocate nor depend on
// the C library's locale machinery.
#include "clock/time_text.h"

#include <cwchar>

#include "clock/clock.h"

wchar_t g_displayText[kDisplayTextCapacity] = L"00:00:00.00";
int32_t g_colonBlink = 0;

namespace {

// The longest text, for the largest count, is 1193:02:47.29: 13 characters
// and the terminator, well inside the buffer, so nothing needs cutting.
static_assert(kDisplayTextCapacity >= 14);

// Appends to the text.
struct TextWriter {
    wchar_t* text;
    size_t length;

    void Put(wchar_t ch) { text[length++] = ch; }
    // At least two digits, more when the value has more (hours of 100 and up).
    void PutTwoDigitsAtLeast(uint32_t value) {
        size_t width = 2;
        for (uint32_t rest = value / 100; rest != 0; rest /= 10) ++width;
        length += width;
        for (size_t place = length; place-- > length - width; value /= 10) {
            text[place] = static_cast<wchar_t>(L'0' + value % 10);
        }
    }
    void PutDigit(uint32_t digit) { Put(static_cast<wchar_t>(L'0' + digit)); }
    void Finish() { text[length] = L'\0'; }
};

}  // namespace

void FormatTime(wchar_t* text, uint32_t ms) {
    // The fraction digits follow the period the tick was last armed with, not
    // the precision: a paused clock keeps showing what its ticks produced.
    const uint32_t hundredths = g_clock.armedPeriod <= 10 ? (ms / 10) % 10 : 0;
    const uint32_t tenths = g_clock.armedPeriod <= 100 ? (ms / 100) % 10 : 0;
    const uint32_t seconds = (ms / 1000) % 60;
    const uint32_t minutes = (ms / 60000) % 60;
    const uint32_t hours = ms / 3600000;

    TextWriter out{text, 0};
    out.PutTwoDigitsAtLeast(hours);
    out.Put(L':');
    out.PutTwoDigitsAtLeast(minutes);
    if (g_clock.precision == kPrecisionMinute) {
        // Every formatting flips the separator; the first one after start-up
        // hides it.
        wchar_t separator;
        if (g_colonBlink) {
            g_colonBlink = 0;
            separator = L':';
        } else {
            g_colonBlink = 1;
            separator = L' ';
        }
        out.Put(separator);
        out.Put(L'_');
        out.Put(L'_');
    } else {
        out.Put(L':');
        out.PutTwoDigitsAtLeast(seconds);
    }
    out.Put(L'.');
    out.PutDigit(tenths);
    out.PutDigit(hundredths);
    out.Finish();
}

void ResetDisplayText(wchar_t* text) {
    g_clock.elapsed = 0;
    if (g_clock.mode == kModeTimer) {
        FormatTime(text, g_clock.countdown);
        return;
    }
    // The same text in every precision: in minute precision the seconds show
    // as 00 until the first tick.
    std::wcscpy(text, L"00:00:00.00");
}
