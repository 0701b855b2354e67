// Common set-up of the app tests: fresh core state, the fake platform with a
// 120 x 30 window and a fresh fake shell.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>

#include "app/app_record.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/layout.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"
#include "tests/app/fake_shell.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake_shell::Reset();
        ResetClockForTests();
        fake::g.clientSize = {120, 30};
        g_app.mainWindow.store(nullptr);
        g_app.settingsPath[0] = L'\0';
        g_app.options = DefaultWindowOptions();
        g_appearance = Appearance{};
        g_entryActive.store(0);
        std::wcsncpy(g_editText, L"__:__:__.__", kEditTextCapacity);
        g_digitArea = DigitArea{};
        g_segmentMetrics = SegmentMetrics{};
    }

    static WindowHandle Window() { return fake::TestWindow(); }

    // Starts the clock and lets the first tick (due at once) run.
    static void StartAt(uint32_t counter) {
        fake::g.counter = counter;
        StartPause(Window());
        fake::FireTick();
    }
};
