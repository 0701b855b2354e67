// Typing a countdown on the display itself: the entry's state and its text.
// What entering, a key and leaving mean for the window is decided above.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

constexpr size_t kEditTextCapacity = 12;

// The glyphs drawn while entry is active: HH:MM:SS.
constexpr int32_t kEntryGlyphs = 8;

// The longest countdown that can be set while the program runs: 99:59:59.
constexpr uint32_t kCountdownLimitMs = 359999000u;

// Character codes the editor acts on besides the digits.
constexpr uint32_t kKeyBackspace = 8;
constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyEscape = 27;

// Set while countdown entry is active. Written only on the UI thread; read by
// the tick to skip repaints.
extern std::atomic<int32_t> g_entryActive;
// "__:__:__.__": digits at places 0, 1, 3, 4, 6, 7. Kept between entries.
extern wchar_t g_editText[kEditTextCapacity];

inline bool EntryActive() {
    return g_entryActive.load(std::memory_order_relaxed) != 0;
}

// What a key typed during entry asks for. A digit enters at the right end and
// Backspace takes the rightmost one out; any other key but Enter and Esc
// changes nothing: all of them are Edited.
enum class EntryEdit : uint8_t { Edited, Submit, Cancel };
EntryEdit EditEntryText(uint32_t ch);

// The countdown in a text shaped like the edit text (at least HH:MM:SS).
uint32_t ParseEditText(const wchar_t* text);
