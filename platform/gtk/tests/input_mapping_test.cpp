// How GTK's clicks, keys and menu texts become the Windows program's.
#include "platform/gtk/input_mapping.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "platform/gtk/wide_text.h"

namespace {

constexpr GdkEventType kPress = GDK_BUTTON_PRESS;
constexpr GdkEventType kDouble = GDK_2BUTTON_PRESS;
constexpr GdkEventType kTriple = GDK_3BUTTON_PRESS;
const auto kNone = static_cast<GdkModifierType>(0);

TEST(PressMapping, DoubleClicksArriveAsOnWindows) {
    struct Press {
        GdkEventType type;
        guint button;
        guint32 time;
        double x;
    };
    // The Windows messages as letters: D a down, W a double-click. The
    // double-click limits are 400 ms and 5 pixels.
    const struct {
        const char* name;
        std::vector<Press> presses;
        const char* roles;
    } cases[] = {
        {"one press", {{kPress, 1, 1000, 10}}, "D"},
        // The second plain press is no down of its own: a middle double-click
        // toggles the clock twice, not three times.
        {"double", {{kPress, 2, 1000, 10}, {kPress, 2, 1200, 10}, {kDouble, 2, 1200, 10}}, "DW"},
        {"triple",
         {{kPress, 1, 1000, 10},
          {kPress, 1, 1100, 10},
          {kDouble, 1, 1100, 10},
          {kPress, 1, 1200, 10},
          {kTriple, 1, 1200, 10}},
         "DWD"},
        // GTK calls the third press a triple click; Windows sees two doubles.
        {"two doubles",
         {{kPress, 1, 1000, 10},
          {kPress, 1, 1100, 10},
          {kDouble, 1, 1100, 10},
          {kPress, 1, 1500, 10},
          {kTriple, 1, 1500, 10},
          {kPress, 1, 1600, 10}},
         "DWDW"},
        {"too slow", {{kPress, 1, 1000, 10}, {kPress, 1, 1401, 10}}, "DD"},
        {"just in time", {{kPress, 1, 1000, 10}, {kPress, 1, 1400, 10}}, "DW"},
        {"too far", {{kPress, 1, 1000, 10}, {kPress, 1, 1100, 16}}, "DD"},
        {"near enough", {{kPress, 1, 1000, 10}, {kPress, 1, 1100, 5}}, "DW"},
        {"other button", {{kPress, 1, 1000, 10}, {kPress, 2, 1100, 10}}, "DD"},
    };
    for (const auto& c : cases) {
        ClickTracker tracker;
        std::string roles;
        for (const Press& p : c.presses) {
            const PressRole role =
                TrackPress(&tracker, p.type, p.button, p.time, p.x, 10.0, 400, 5);
            if (role != PressRole::Skip) roles += role == PressRole::Down ? 'D' : 'W';
        }
        EXPECT_EQ(roles, c.roles) << c.name;
    }
}

TEST(KeyMapping, AcceleratorsAndContextMenuKeys) {
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, kNone), IDM_START_PAUSE);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_F1, kNone), IDM_ABOUT);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_F11, kNone), IDM_FULL_SCREEN);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_Escape, kNone), IDM_LEAVE_FULL_SCREEN);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_Return, kNone), 0);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, GDK_SHIFT_MASK), 0);
    // Num Lock and Caps Lock do not count as modifiers.
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, RelevantModifiers(GDK_MOD2_MASK | GDK_LOCK_MASK)),
              IDM_START_PAUSE);
    EXPECT_TRUE(IsContextMenuKey(GDK_KEY_Menu, kNone));
    EXPECT_TRUE(IsContextMenuKey(GDK_KEY_F10, GDK_SHIFT_MASK));
    EXPECT_FALSE(IsContextMenuKey(GDK_KEY_F10, kNone));
}

TEST(KeyMapping, KeysTypeWhatWmCharCarries) {
    const struct {
        guint key;
        GdkModifierType modifiers;
        uint32_t ch;  // 0: no character
    } cases[] = {
        {GDK_KEY_BackSpace, kNone, 8},    {GDK_KEY_Return, kNone, 13},
        {GDK_KEY_KP_Enter, kNone, 13},    {GDK_KEY_Escape, kNone, 27},
        {GDK_KEY_space, kNone, 32},       {GDK_KEY_7, kNone, '7'},
        {GDK_KEY_KP_3, kNone, '3'},       {GDK_KEY_A, GDK_SHIFT_MASK, 'A'},
        {GDK_KEY_h, GDK_CONTROL_MASK, 8},  // Ctrl+H is a backspace
        {GDK_KEY_1, GDK_CONTROL_MASK, 0}, {GDK_KEY_x, GDK_MOD1_MASK, 0},
        {GDK_KEY_F1, kNone, 0},           {GDK_KEY_Shift_L, kNone, 0},
    };
    for (const auto& c : cases) {
        uint32_t ch = 0;
        EXPECT_EQ(CharacterForKey(c.key, c.modifiers, &ch), c.ch != 0) << c.key;
        if (c.ch != 0) {
            EXPECT_EQ(ch, c.ch) << c.key;
        }
    }
}

TEST(MenuText, MnemonicsHintsAndCuts) {
    char label[64];
    char hint[16];
    ConvertMenuText(L"&OK\tEnter", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "_OK");
    EXPECT_STREQ(hint, "Enter");
    ConvertMenuText(L"a_b && c&", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "a__b & c");
    EXPECT_STREQ(hint, "");
    ConvertMenuText(L"&Cancel\tEscape key", label, 5, hint, 4);
    EXPECT_STREQ(label, "_Can");
    EXPECT_STREQ(hint, "Esc");
}

TEST(WideText, EncodesUtf8AndCutsAtWholeCharacters) {
    char out[32];
    WideToUtf8(L"\u00e4\u20ac\U0001F600", out, sizeof out);
    EXPECT_STREQ(out, "\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80");
    // 5 bytes of room: the euro sign (3 bytes) does not fit after the a-umlaut.
    EXPECT_EQ(WideToUtf8(L"\u00e4\u20ac", out, 5), 2u);
    EXPECT_STREQ(out, "\xc3\xa4");
    EXPECT_EQ(WideToUtf8(nullptr, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
    // A lone surrogate (possible only in a 32-bit wchar_t) becomes U+FFFD.
    const wchar_t lone[] = {static_cast<wchar_t>(0xD800), L'x', 0};
    WideToUtf8(lone, out, sizeof out);
    EXPECT_STREQ(out, "\xef\xbf\xbdx");
}

}  // namespace
