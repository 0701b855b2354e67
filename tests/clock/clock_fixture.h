// The clock as start-up leaves it (second precision), a main window, no
// countdown entry, and time under the test's control.
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
    static WindowHandle Window() { return fake::TestWindow(); }
    static std::string State() {
        if (!g_clock.started) return g_clock.running ? "running but not started" : "idle";
        return g_clock.running ? "running" : "paused";
    }
};
