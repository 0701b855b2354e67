// The display's time in words, read from the time text the display draws.
#include "clock/spoken_time.h"

#include <cwchar>

#include "clock/time_text.h"

namespace {

bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}

// Reads the digits at the cursor; stops at the first other character.
uint32_t ReadNumber(const wchar_t*& cursor) {
    uint32_t value = 0;
    for (; IsDigit(*cursor); ++cursor) value = value * 10 + static_cast<uint32_t>(*cursor - L'0');
    return value;
}

// Appends to the text and cuts at the capacity, leaving room for the
// terminator.
struct WordWriter {
    wchar_t* text;
    size_t capacity;
    size_t length;

    void Put(wchar_t ch) {
        if (length + 1 < capacity) text[length++] = ch;
    }
    void PutText(const wchar_t* words) {
        while (*words != L'\0') Put(*words++);
    }
    void PutNumber(uint32_t value) {
        wchar_t digits[10];
        size_t count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count != 0) Put(digits[--count]);
    }
    // One part: "1 hour", "2 minutes", "3.45 seconds". fraction holds the
    // given number of digits after the point.
    void PutPart(uint32_t whole, const wchar_t* fraction, size_t fractionDigits,
                 const wchar_t* unit) {
        if (length != 0) Put(L' ');
        PutNumber(whole);
        if (fractionDigits != 0) Put(L'.');
        for (size_t i = 0; i < fractionDigits; ++i) Put(fraction[i]);
        Put(L' ');
        PutText(unit);
        if (whole != 1 || fractionDigits != 0) Put(L's');
    }
    void Finish() {
        if (capacity != 0) text[length] = L'\0';
    }
};

size_t FractionDigits(Precision precision) {
    if (precision == kPrecisionDecisecond) return 1;
    if (precision == kPrecisionCentisecond) return 2;
    return 0;
}

}  // namespace

void FormatSpokenTime(wchar_t* text, size_t capacity, const wchar_t* shown, Precision precision) {
    // HH:MM, then ':' or the blinking blank, then SS or "__", then ".dc".
    const wchar_t* cursor = shown;
    const uint32_t hours = ReadNumber(cursor);
    if (*cursor != L'\0') ++cursor;
    const uint32_t minutes = ReadNumber(cursor);
    if (*cursor != L'\0') ++cursor;
    const bool secondsShown = precision != kPrecisionMinute && IsDigit(*cursor);
    // After the seconds' digits comes the point; without seconds the
    // fraction is not spoken.
    const uint32_t seconds = secondsShown ? ReadNumber(cursor) : 0;
    wchar_t fraction[2] = {L'0', L'0'};
    if (*cursor == L'.') {
        for (wchar_t& digit : fraction) {
            if (!IsDigit(*++cursor)) break;
            digit = *cursor;
        }
    }
    const size_t fractionDigits = secondsShown ? FractionDigits(precision) : 0;
    bool fractionZero = true;
    for (size_t i = 0; i < fractionDigits; ++i) fractionZero = fractionZero && fraction[i] == L'0';

    WordWriter out{text, capacity, 0};
    if (hours != 0) out.PutPart(hours, fraction, 0, L"hour");
    if (minutes != 0) out.PutPart(minutes, fraction, 0, L"minute");
    if (secondsShown && (seconds != 0 || !fractionZero)) {
        out.PutPart(seconds, fraction, fractionDigits, L"second");
    }
    if (out.length == 0) {
        // Nothing but zeros: the smallest part shown, spoken as zero.
        if (secondsShown) {
            out.PutPart(0, fraction, fractionDigits, L"second");
        } else {
            out.PutPart(0, fraction, 0, L"minute");
        }
    }
    out.Finish();
}
