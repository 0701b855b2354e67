// The countdown entry editor: the keys on the edit text.
#include "entry/countdown_entry.h"

#include <algorithm>
#include <iterator>
#include <utility>

std::atomic<int32_t> g_entryActive{0};
wchar_t g_editText[kEditTextCapacity] = L"__:__:__.__";

namespace {

// The digit places of the edit text, left to right. Digits enter at the right
// end and underscores at the left end, so the places always hold a run of
// underscores followed by a run of digits.
constexpr size_t kDigitPlaces[] = {0, 1, 3, 4, 6, 7};

// A digit enters at the right end, each place passing its character to the
// place on its left; the leftmost one is lost.
void ShiftDigitIn(wchar_t digit) {
    wchar_t carry = digit;
    std::for_each(std::rbegin(kDigitPlaces), std::rend(kDigitPlaces),
                  [&carry](size_t place) { std::swap(carry, g_editText[place]); });
}

// An underscore enters at the left end; the rightmost character is lost.
void ShiftDigitOut() {
    wchar_t carry = L'_';
    for (size_t place : kDigitPlaces) std::swap(carry, g_editText[place]);
}

}  // namespace

EntryEdit EditEntryText(uint32_t ch) {
    if (ch >= L'0' && ch <= L'9') {
        ShiftDigitIn(static_cast<wchar_t>(ch));
    } else if (ch == kKeyBackspace) {
        ShiftDigitOut();
    } else if (ch == kKeyEnter) {
        return EntryEdit::Submit;
    } else if (ch == kKeyEscape) {
        return EntryEdit::Cancel;
    }
    return EntryEdit::Edited;
}
