// How GTK's clicks, keys and menu texts become the Windows program's.
#include "platform/gtk/input_mapping.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/commands.h"
#include "platform/gtk/wide_text.h"

namespace {

struct Press {
    GdkEventType type;
    guint button;
    guint32 time;
    double x;
};

// Feeds presses as GDK delivers them and collects the Windows messages:
// D for a down, W for a double-click.
std::string Roles(std::initializer_list<Press> presses) {
    ClickTracker tracker;
    std::string out;
    for (const Press& p : presses) {
        switch (TrackPress(&tracker, p.type, p.button, p.time, p.x, 10.0, 400, 5)) {
            case PressRole::Down:
                out += 'D';
                break;
            case PressRole::DoubleClick:
                out += 'W';
                break;
            case PressRole::Skip:
                break;
        }
    }
    return out;
}

constexpr GdkEventType kPress = GDK_BUTTON_PRESS;
constexpr GdkEventType kDouble = GDK_2BUTTON_PRESS;
constexpr GdkEventType kTriple = GDK_3BUTTON_PRESS;

TEST(PressMapping, DoubleClicksArriveAsOnWindows) {
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}}), "D");
    // press, press, double-press: down, double-click. The second press is
    // no down of its own, so a middle double-click toggles the clock twice.
    EXPECT_EQ(Roles({{kPress, 2, 1000, 10}, {kPress, 2, 1200, 10}, {kDouble, 2, 1200, 10}}), "DW");
    // A triple click: down, double-click, down.
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10},
                     {kPress, 1, 1100, 10},
                     {kDouble, 1, 1100, 10},
                     {kPress, 1, 1200, 10},
                     {kTriple, 1, 1200, 10}}),
              "DWD");
    // Two double clicks in a row are two double clicks, though GTK counts
    // the third press as a triple click.
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10},
                     {kPress, 1, 1100, 10},
                     {kDouble, 1, 1100, 10},
                     {kPress, 1, 1500, 10},
                     {kTriple, 1, 1500, 10},
                     {kPress, 1, 1600, 10}}),
              "DWDW");
}

TEST(PressMapping, TooSlowTooFarOrAnotherButtonIsTwoDowns) {
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}, {kPress, 1, 1401, 10}}), "DD");
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}, {kPress, 1, 1400, 10}}), "DW");
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}, {kPress, 1, 1100, 16}}), "DD");
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}, {kPress, 1, 1100, 5}}), "DW");
    EXPECT_EQ(Roles({{kPress, 1, 1000, 10}, {kPress, 2, 1100, 10}}), "DD");
}

TEST(Accelerators, FourKeysWithoutModifiers) {
    const auto none = static_cast<GdkModifierType>(0);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, none), IDM_START_PAUSE);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_F1, none), IDM_ABOUT);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_F11, none), IDM_FULL_SCREEN);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_Escape, none), IDM_LEAVE_FULL_SCREEN);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_Return, none), 0);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, GDK_SHIFT_MASK), 0);
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_F11, GDK_CONTROL_MASK), 0);
    // Num Lock and Caps Lock do not count as modifiers.
    EXPECT_EQ(AcceleratorCommand(GDK_KEY_space, RelevantModifiers(GDK_MOD2_MASK | GDK_LOCK_MASK)),
              IDM_START_PAUSE);
}

TEST(Accelerators, ContextMenuKeys) {
    const auto none = static_cast<GdkModifierType>(0);
    EXPECT_TRUE(IsContextMenuKey(GDK_KEY_Menu, none));
    EXPECT_TRUE(IsContextMenuKey(GDK_KEY_F10, GDK_SHIFT_MASK));
    EXPECT_FALSE(IsContextMenuKey(GDK_KEY_F10, none));
    EXPECT_FALSE(IsContextMenuKey(GDK_KEY_F10,
                                  static_cast<GdkModifierType>(GDK_SHIFT_MASK | GDK_CONTROL_MASK)));
}

TEST(Characters, KeysTypeWhatWmCharCarries) {
    const auto none = static_cast<GdkModifierType>(0);
    uint32_t ch = 0;
    ASSERT_TRUE(CharacterForKey(GDK_KEY_BackSpace, none, &ch));
    EXPECT_EQ(ch, 8u);
    ASSERT_TRUE(CharacterForKey(GDK_KEY_Return, none, &ch));
    EXPECT_EQ(ch, 13u);
    ASSERT_TRUE(CharacterForKey(GDK_KEY_KP_Enter, none, &ch));
    EXPECT_EQ(ch, 13u);
    ASSERT_TRUE(CharacterForKey(GDK_KEY_Escape, none, &ch));
    EXPECT_EQ(ch, 27u);
    ASSERT_TRUE(CharacterForKey(GDK_KEY_space, none, &ch));
    EXPECT_EQ(ch, 32u);
    ASSERT_TRUE(CharacterForKey(GDK_KEY_7, none, &ch));
    EXPECT_EQ(ch, static_cast<uint32_t>('7'));
    ASSERT_TRUE(CharacterForKey(GDK_KEY_KP_3, none, &ch));
    EXPECT_EQ(ch, static_cast<uint32_t>('3'));
    ASSERT_TRUE(CharacterForKey(GDK_KEY_A, GDK_SHIFT_MASK, &ch));
    EXPECT_EQ(ch, static_cast<uint32_t>('A'));
    ASSERT_TRUE(CharacterForKey(GDK_KEY_h, GDK_CONTROL_MASK, &ch));
    EXPECT_EQ(ch, 8u);  // Ctrl+H is a backspace
    EXPECT_FALSE(CharacterForKey(GDK_KEY_1, GDK_CONTROL_MASK, &ch));
    EXPECT_FALSE(CharacterForKey(GDK_KEY_x, GDK_MOD1_MASK, &ch));
    EXPECT_FALSE(CharacterForKey(GDK_KEY_F1, none, &ch));
    EXPECT_FALSE(CharacterForKey(GDK_KEY_Shift_L, none, &ch));
}

TEST(MenuText, MnemonicsAndAcceleratorHints) {
    char label[64];
    char hint[16];
    ConvertMenuText(L"&OK\tEnter", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "_OK");
    EXPECT_STREQ(hint, "Enter");
    ConvertMenuText(L"Stop&watch", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "Stop_watch");
    EXPECT_STREQ(hint, "");
    ConvertMenuText(L"&Customize... ", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "_Customize... ");
    ConvertMenuText(L"a_b && c&", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, "a__b & c");
    ConvertMenuText(L" ", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ(label, " ");
    // Cut to the capacity, the hint included.
    ConvertMenuText(L"&Cancel\tEscape key", label, 5, hint, 4);
    EXPECT_STREQ(label, "_Can");
    EXPECT_STREQ(hint, "Esc");
}

TEST(WideText, EncodesUtf8AndCutsAtWholeCharacters) {
    char out[32];
    EXPECT_EQ(WideToUtf8(L"Timer (300 sec)", out, sizeof out), 15u);
    EXPECT_STREQ(out, "Timer (300 sec)");
    WideToUtf8(L"\u00e4\u20ac\U0001F600", out, sizeof out);
    EXPECT_STREQ(out, "\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80");
    // 5 bytes of room: the euro sign (3 bytes) does not fit after the a-umlaut.
    EXPECT_EQ(WideToUtf8(L"\u00e4\u20ac", out, 5), 2u);
    EXPECT_STREQ(out, "\xc3\xa4");
    EXPECT_EQ(WideToUtf8(nullptr, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
    if constexpr (sizeof(wchar_t) == 4) {
        const wchar_t lone[] = {static_cast<wchar_t>(0xD800), L'x', 0};
        WideToUtf8(lone, out, sizeof out);
        EXPECT_STREQ(out, "\xef\xbf\xbdx");
    }
}

}  // namespace
