// The compiled resources of the Windows program, loaded from this test's own
// module (it carries the same resource object): menus item by item against
// the tables the program and its tests use, the accelerators, the about
// dialog template, the version, the manifest and the icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/commands.h"
#include "app/menu_state.h"
#include "resources/resource_ids.h"

namespace {

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

// Compares the items of menu with count table entries starting at begin;
// returns the index past them.
size_t ExpectMenuMatches(HMENU menu, const MenuItemSpec* items, size_t begin, size_t end) {
    size_t i = begin;
    int position = 0;
    const int count = GetMenuItemCount(menu);
    while (i < end) {
        const MenuItemSpec& spec = items[i];
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 63;
        EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << "position " << position;
        const std::wstring where = L" at table index " + std::to_wstring(i);
        if (spec.text == nullptr) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << where.c_str();
        } else {
            EXPECT_EQ(std::wstring(text), std::wstring(spec.text)) << where.c_str();
            EXPECT_FALSE(info.fType & MFT_SEPARATOR) << where.c_str();
        }
        if (spec.submenuItems > 0) {
            EXPECT_NE(info.hSubMenu, nullptr) << where.c_str();
            if (info.hSubMenu == nullptr) return end;
            EXPECT_EQ(GetMenuItemCount(info.hSubMenu), static_cast<int>(spec.submenuItems));
            // Submenu item counts are of direct items: the tables nest no
            // deeper than one level.
            i = ExpectMenuMatches(info.hSubMenu, items, i + 1, i + 1 + spec.submenuItems);
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr) << where.c_str();
            if (spec.text != nullptr) {
                EXPECT_EQ(info.wID, spec.id) << where.c_str();
            }
            ++i;
        }
        ++position;
    }
    EXPECT_EQ(position, count);
    return i;
}

HMENU LoadPopup(int id) {
    HMENU bar = LoadMenuW(Self(), MAKEINTRESOURCEW(id));
    EXPECT_NE(bar, nullptr);
    if (bar == nullptr) return nullptr;
    wchar_t name[16] = {};
    GetMenuStringW(bar, 0, name, 16, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(name), L"Context");
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    return GetSubMenu(bar, 0);
}

TEST(ResourcesTest, MenusMatchTheTables) {
    HMENU context = LoadPopup(ID_MENU);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(ExpectMenuMatches(context, kContextMenuItems, 0, kContextMenuItemCount),
              kContextMenuItemCount);
    HMENU entry = LoadPopup(ID_MENU2);
    ASSERT_NE(entry, nullptr);
    ExpectMenuMatches(entry, kEntryMenuItems, 0, kEntryMenuItemCount);
}

TEST(ResourcesTest, FourVirtualKeyAcceleratorsWithoutModifiers) {
    HACCEL table = LoadAcceleratorsW(Self(), MAKEINTRESOURCEW(ID_ACC1));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 8), 4);
    const struct {
        WORD key;
        WORD command;
    } expected[] = {{VK_SPACE, IDM_START_PAUSE},
                    {VK_F1, IDM_ABOUT},
                    {VK_F11, IDM_FULL_SCREEN},
                    {VK_ESCAPE, IDM_LEAVE_FULL_SCREEN}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << i;
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FVIRTKEY) << i;
    }
}

// Reads the extended dialog template field by field.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : p_(data) {}
    WORD Word() {
        WORD w;
        std::memcpy(&w, p_, 2);
        p_ += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d;
        std::memcpy(&d, p_, 4);
        p_ += 4;
        return d;
    }
    BYTE Byte() { return *p_++; }
    std::wstring String() {
        std::wstring s;
        for (WORD c = Word(); c != 0; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    // A class or menu: 0xFFFF and an ordinal, or a string.
    std::wstring StringOrOrdinal() {
        WORD first;
        std::memcpy(&first, p_, 2);
        if (first == 0xFFFF) {
            p_ += 2;
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void AlignDword(const BYTE* base) {
        while ((p_ - base) % 4 != 0) ++p_;
    }

private:
    const BYTE* p_;
};

TEST(ResourcesTest, AboutDialogTemplate) {
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(ID_ABOUTDIALOG), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    TemplateReader r(base);
    EXPECT_EQ(r.Word(), 1);       // dlgVer
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature: extended template
    r.Dword();                    // help id
    EXPECT_EQ(r.Dword(), 0u);     // extended style
    EXPECT_EQ(r.Dword(), 0x80C80048u);
    EXPECT_EQ(r.Word(), 1);  // one control
    EXPECT_EQ(static_cast<short>(r.Word()), 0);
    EXPECT_EQ(static_cast<short>(r.Word()), 0);
    EXPECT_EQ(r.Word(), 320);
    EXPECT_EQ(r.Word(), 280);
    EXPECT_EQ(r.StringOrOrdinal(), L"");  // no menu
    EXPECT_EQ(r.StringOrOrdinal(), L"");  // the default dialog class
    EXPECT_EQ(r.String(), L"MOX Stopwatch & Timer");
    EXPECT_EQ(r.Word(), 9);  // points
    EXPECT_EQ(r.Word(), FW_NORMAL);
    EXPECT_EQ(r.Byte(), 0);  // not italic
    EXPECT_EQ(r.Byte(), 1);  // DEFAULT_CHARSET
    EXPECT_EQ(r.String(), L"Courier New");

    r.AlignDword(base);
    r.Dword();                 // help id
    EXPECT_EQ(r.Dword(), 0u);  // extended style
    EXPECT_EQ(r.Dword(), 0x50A10804u);
    EXPECT_EQ(static_cast<short>(r.Word()), 0);
    EXPECT_EQ(static_cast<short>(r.Word()), 0);
    EXPECT_EQ(r.Word(), 320);
    EXPECT_EQ(r.Word(), 280);
    EXPECT_EQ(r.Dword(), static_cast<DWORD>(ID_ABOUT_TEXT));
    const std::wstring controlClass = r.StringOrOrdinal();
    EXPECT_TRUE(controlClass == L"#129" || _wcsicmp(controlClass.c_str(), L"EDIT") == 0)
        << "class " << std::string(controlClass.begin(), controlClass.end());
    EXPECT_EQ(r.StringOrOrdinal(), L"");  // no initial text
}

TEST(ResourcesTest, VersionResource) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010009u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
    wchar_t* description = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_EQ(std::wstring(description), L"Free stopwatch and timer");
}

TEST(ResourcesTest, ManifestAsksForCommonControlsSixOfThisArchitecture) {
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(Self(), found))),
                           SizeofResource(Self(), found));
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
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(ID_ICON), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    WORD count;
    std::memcpy(&count, dir + 4, 2);
    ASSERT_EQ(count, 3);
    int sizes = 0;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;  // GRPICONDIRENTRY
        WORD bits;
        std::memcpy(&bits, entry + 6, 2);
        EXPECT_EQ(bits, 32) << i;
        sizes |= entry[0];  // 48, 32 and 16 are distinct bits
    }
    EXPECT_EQ(sizes, 48 | 32 | 16);
}

}  // namespace
