// Reading the countdown out of the edit text.
#include "entry/countdown_entry.h"

namespace {

// The three fields, each two places wide: hours, minutes, seconds.
struct Field {
    size_t first;
    uint32_t msPerUnit;
};
constexpr Field kFields[] = {{0, 3600000u}, {3, 60000u}, {6, 1000u}};

// The decimal number that starts at text and runs to the first non-digit, as
// wcstoul reads it; an underscore reads as 0. The ":" and "." between the
// fields end every number, the terminator the last one.
uint32_t ReadNumber(const wchar_t* text) {
    uint32_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        value = value * 10u + static_cast<uint32_t>(*text - L'0');
    }
    return value;
}

}  // namespace

// The text has the shape of the edit text: HH:MM:SS, each place a digit or
// an underscore, with anything after it.
uint32_t ParseEditText(const wchar_t* text) {
    uint32_t total = 0;
    for (const Field& field : kFields) {
        uint32_t value = ReadNumber(text + field.first);
        if (value == 0) value = ReadNumber(text + field.first + 1);
        total += value * field.msPerUnit;
    }
    return total;
}
