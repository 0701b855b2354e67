// The Windows program's compiled menus and accelerators against its tables.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

#include "app/commands.h"
#include "app/menu_state.h"
#include "resources/resource_ids.h"

namespace {

std::wstring Line(const wchar_t* text, int number) {
    return std::wstring(text ? text : L"") + L" " + std::to_wstring(number) + L"\n";
}

// Lists a menu as the table holds it: each item, a submenu's items after it.
void List(HMENU menu, std::wstring* out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        *out += Line(text, sub ? -GetMenuItemCount(sub) : int(GetMenuItemID(menu, i)));
        if (sub != nullptr) List(sub, out);
    }
}

TEST(ResourcesTest, MenusAndAcceleratorsMatchTheTables) {
    const HMODULE self = GetModuleHandleW(nullptr);
    for (auto [id, items, count] : {std::tuple{ID_MENU, +kContextMenuItems, kContextMenuItemCount},
                                    std::tuple{ID_MENU2, +kEntryMenuItems, kEntryMenuItemCount}}) {
        std::wstring table, compiled;
        for (const MenuEntry* item = items; item < items + count; ++item)
            table += Line(item->text, item->submenuItems ? -item->submenuItems : item->id);
        HMENU bar = LoadMenuW(self, MAKEINTRESOURCEW(id));
        List(GetSubMenu(bar, 0), &compiled);
        EXPECT_EQ(compiled, table);
        DestroyMenu(bar);
    }
    ACCEL keys[8] = {};
    HACCEL accelerators = LoadAcceleratorsW(self, MAKEINTRESOURCEW(ID_ACC1));
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, keys, 8), 4);
    const int expected[] = {VK_SPACE << 16 | IDM_START_PAUSE, VK_F1 << 16 | IDM_ABOUT,
                            VK_F11 << 16 | IDM_FULL_SCREEN,
                            VK_ESCAPE << 16 | IDM_LEAVE_FULL_SCREEN};
    for (int i = 0; i < 4; ++i)  // no Shift, Ctrl or Alt
        EXPECT_EQ((keys[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)) << 24 |
                      keys[i].key << 16 | keys[i].cmd,
                  FVIRTKEY << 24 | expected[i]);
}

}  // namespace
