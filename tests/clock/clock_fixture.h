// Common set-up for the clock tests on the fake platform: the clock as the
// process starts it (second precision applied, as start-up always does), a
// main window, no countdown entry, and time under the test's control.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ResetClockForTests();
        g_app.mainWindow.store(fake::TestWindow());
        g_entryActive.store(0);
        SetPrecision(kPrecisionSecond);
    }

    // Moves the fake counter on and delivers one tick of the armed timer.
    static void TickAt(uint32_t counter) {
        fake::g.counter = counter;
        ASSERT_TRUE(fake::FireTick()) << "no timer armed at counter " << counter;
    }

    static std::wstring Display() { return g_displayText; }
    static bool IsIdle() { return g_clock.started == 0 && g_clock.running == 0; }
    static bool IsRunning() { return g_clock.started == 1 && g_clock.running == 1; }
    static bool IsPaused() { return g_clock.started == 1 && g_clock.running == 0; }
};
