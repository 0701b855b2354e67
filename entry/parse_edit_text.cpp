// Reading the countdown out of the edit text.
#include "entry/countdown_entry.h"

namespace {

// The three fields, each two places wide: hours, minutes, seconds.
struct Field {
    size_t first;
    uint32_t msPerUnit;
};
constexpr Field kFields[] = {{0, 3600000u}, {3, 60000u}, {6, 1000u}};
constexpr size_t kFieldWidth = 2;
// Places beyond the seconds field are never read.
constexpr size_t kParsedPlaces = 8;

bool IsDecimalDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The decimal number that starts at place from and runs to the first
// non-digit, as wcstoul reads it, but never past end: an underscore reads as 0.
uint32_t ReadNumber(const wchar_t* text, size_t from, size_t end) {
    uint32_t value = 0;
    for (size_t i = from; i < end && IsDecimalDigit(text[i]); ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - L'0');
    }
    return value;
}

}  // namespace

uint32_t ParseEditText(const wchar_t* text) {
    if (text == nullptr) return 0;
    // A text shorter than the fields ends at its terminator: nothing after it
    // is read.
    size_t length = 0;
    while (length < kParsedPlaces && text[length] != L'\0') ++length;

    uint32_t total = 0;
    for (const Field& field : kFields) {
        const size_t end = field.first + kFieldWidth < length ? field.first + kFieldWidth : length;
        uint32_t value = ReadNumber(text, field.first, end);
        if (value == 0) value = ReadNumber(text, field.first + 1, end);
        total += value * field.msPerUnit;
    }
    return total;
}
