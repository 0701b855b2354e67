// The compiled resources of the Windows program, loaded from this test's own
// module (it carries the same resource object): menus item by item against
// the program's tables, the accelerators, the about dialog template, the
// version, the manifest and the icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/menu_state.h"
#include "resources/resource_ids.h"

namespace {

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

const BYTE* ResourceData(int id, LPCWSTR type, DWORD* size = nullptr) {
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(Self(), found);
    return static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
}

// Compares the items of menu with the table entries [begin, end); a submenu's
// items follow it in the table, one level deep.
void ExpectMenuMatches(HMENU menu, const MenuItemSpec* items, size_t begin, size_t end) {
    int position = 0;
    for (size_t i = begin; i < end; ++position) {
        const MenuItemSpec& spec = items[i];
        SCOPED_TRACE("table index " + std::to_string(i));
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 63;
        ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
        EXPECT_EQ(spec.text == nullptr, (info.fType & MFT_SEPARATOR) != 0);
        if (spec.text != nullptr) {
            EXPECT_EQ(std::wstring(text), spec.text);
        }
        ASSERT_EQ(info.hSubMenu != nullptr, spec.submenuItems > 0);
        if (spec.submenuItems > 0) {
            ExpectMenuMatches(info.hSubMenu, items, i + 1, i + 1 + spec.submenuItems);
            i += 1 + spec.submenuItems;
        } else {
            if (spec.text != nullptr) {
                EXPECT_EQ(info.wID, spec.id);
            }
            ++i;
        }
    }
    EXPECT_EQ(GetMenuItemCount(menu), position);
}

TEST(ResourcesTest, MenusMatchTheTables) {
    const struct {
        int id;
        const MenuItemSpec* items;
        size_t count;
    } menus[] = {{ID_MENU, kContextMenuItems, kContextMenuItemCount},
                 {ID_MENU2, kEntryMenuItems, kEntryMenuItemCount}};
    for (const auto& m : menus) {
        SCOPED_TRACE(m.id);
        HMENU bar = LoadMenuW(Self(), MAKEINTRESOURCEW(m.id));
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(GetMenuItemCount(bar), 1);
        wchar_t name[16] = {};
        GetMenuStringW(bar, 0, name, 16, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(name), L"Context");
        ExpectMenuMatches(GetSubMenu(bar, 0), m.items, 0, m.count);
        DestroyMenu(bar);
    }
}

TEST(ResourcesTest, FourVirtualKeyAcceleratorsWithoutModifiers) {
    HACCEL table = LoadAcceleratorsW(Self(), MAKEINTRESOURCEW(ID_ACC1));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 8), 4);
    const WORD expected[4][2] = {{VK_SPACE, IDM_START_PAUSE},
                                 {VK_F1, IDM_ABOUT},
                                 {VK_F11, IDM_FULL_SCREEN},
                                 {VK_ESCAPE, IDM_LEAVE_FULL_SCREEN}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].key, expected[i][0]) << i;
        EXPECT_EQ(entries[i].cmd, expected[i][1]) << i;
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FVIRTKEY) << i;
    }
}

void Append(std::vector<WORD>* words, const wchar_t* text) {
    do words->push_back(*text);
    while (*text++ != L'\0');
}

TEST(ResourcesTest, AboutDialogTemplate) {
    const WORD* words = reinterpret_cast<const WORD*>(ResourceData(ID_ABOUTDIALOG, RT_DIALOG));
    ASSERT_NE(words, nullptr);
    // Version 1 extended template, help id, extended style, style, one control
    // at 0, 0 of 320 x 280, no menu, the default class; the title; the font.
    std::vector<WORD> dialog = {1, 0xFFFF, 0, 0, 0, 0, 0x0048, 0x80C8, 1, 0, 0, 320, 280, 0, 0};
    Append(&dialog, L"MOX Stopwatch & Timer");
    dialog.insert(dialog.end(), {9, FW_NORMAL, 0x0100});  // not italic, DEFAULT_CHARSET
    Append(&dialog, L"Courier New");
    EXPECT_EQ(std::vector<WORD>(words, words + dialog.size()), dialog);
    // The edit control, DWORD-aligned: help id, extended style, style, place,
    // size, id, then the class.
    const WORD* item = words + (dialog.size() + 1) / 2 * 2;
    const std::vector<WORD> control = {0, 0, 0,   0,   0x0804,        0x50A1,
                                       0, 0, 320, 280, ID_ABOUT_TEXT, 0};
    EXPECT_EQ(std::vector<WORD>(item, item + control.size()), control);
    const WORD* cls = item + control.size();
    const bool ordinal = cls[0] == 0xFFFF && cls[1] == 0x0081;
    EXPECT_TRUE(ordinal || _wcsnicmp(reinterpret_cast<const wchar_t*>(cls), L"EDIT", 5) == 0);
    EXPECT_EQ(cls[ordinal ? 2 : 5], 0);  // no initial text
}

TEST(ResourcesTest, VersionResource) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, 0x00010009u);
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionLS, 0u);
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(static_cast<WORD*>(value)[0], 0x0409);
    EXPECT_EQ(static_cast<WORD*>(value)[1], 1200);
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\FileDescription", &value,
                               &length));
    EXPECT_EQ(std::wstring(static_cast<wchar_t*>(value)), L"Free stopwatch and timer");
}

TEST(ResourcesTest, ManifestAsksForCommonControlsSixOfThisArchitecture) {
    DWORD size = 0;
    const BYTE* data = ResourceData(1, RT_MANIFEST, &size);
    ASSERT_NE(data, nullptr);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string arch = sizeof(void*) == 8 ? "amd64" : "X86";
    const std::string other = sizeof(void*) == 8 ? "X86" : "amd64";
    const size_t controls = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    const std::string dependency = text.substr(controls, text.find("/>", controls) - controls);
    EXPECT_NE(dependency.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(dependency.find("processorArchitecture=\"" + arch + "\""), std::string::npos);
    EXPECT_EQ(text.find("processorArchitecture=\"" + other + "\""), std::string::npos);
}

TEST(ResourcesTest, IconHasThreeSizesAtThirtyTwoBits) {
    const BYTE* dir = ResourceData(ID_ICON, RT_GROUP_ICON);
    ASSERT_NE(dir, nullptr);
    ASSERT_EQ(dir[4] | dir[5] << 8, 3);  // entry count
    int sizes = 0;
    for (int i = 0; i < 3; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;  // GRPICONDIRENTRY
        EXPECT_EQ(entry[6] | entry[7] << 8, 32) << i;
        sizes |= entry[0];  // 48, 32 and 16 are distinct bits
    }
    EXPECT_EQ(sizes, 48 | 32 | 16);
}

}  // namespace
