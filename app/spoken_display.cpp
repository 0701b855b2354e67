// The display's words: the entry's, or the time text's under the clock lock.
#include "app/spoken_display.h"

#include <cwchar>

#include "clock/spoken_time.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"

void ComposeSpokenDisplay(wchar_t* text, size_t capacity) {
    if (capacity == 0) return;
    if (EntryActive()) {
        std::wcsncpy(text, kSpokenEntryText, capacity - 1);
        text[capacity - 1] = L'\0';
        return;
    }
    wchar_t shown[kDisplayTextCapacity];
    Precision precision;
    {
        // The tick writes the time text under the clock lock.
        ClockLockGuard guard;
        std::wcscpy(shown, g_displayText);
        precision = g_clock.precision;
    }
    FormatSpokenTime(text, capacity, shown, precision);
}
