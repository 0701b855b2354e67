// A fresh clock and fake platform with the default 8-glyph window, entry
// inactive and the edit text blank.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ResetClockForTests();
        fake::g.clientSize = {120, 30};
        g_app.mainWindow.store(fake::TestWindow());
        g_entryActive.store(0);
        std::wcsncpy(g_editText, L"__:__:__.__", kEditTextCapacity);
    }
    static WindowHandle Window() { return fake::TestWindow(); }
    static void Type(const std::wstring& keys) {
        for (wchar_t k : keys) EntryKey(Window(), static_cast<uint32_t>(k));
    }
};
