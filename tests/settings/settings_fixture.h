// Common set-up of the options and write-back tests: fresh clock, appearance,
// options and fake platform, and a settings file in a private folder.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/app_record.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "profile_test_files.h"
#include "settings/options.h"

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetState(); }

    // Everything ReadOptions and WriteSettings touch, back to process start;
    // the settings file too unless kept.
    void ResetState(bool keepFile = false) {
        if (!keepFile) std::filesystem::remove(iniPath_);
        fake::Reset();
        ResetClockForTests();
        g_appearance = Appearance{};
        g_app.options = DefaultWindowOptions();
        UseSettingsFile(true);
    }

    void UseSettingsFile(bool use) {
        std::wcsncpy(g_app.settingsPath, use ? iniPath_.c_str() : L"", kSettingsPathCapacity - 1);
        g_app.settingsPath[kSettingsPathCapacity - 1] = L'\0';
    }

    // Reads the options from a command line whose program name is "moxtimer".
    static void ReadWith(const std::wstring& arguments) {
        fake::g.commandLine = arguments.empty() ? L"moxtimer" : L"moxtimer " + arguments;
        ReadOptions();
    }

    void FileSet(const wchar_t* key, const std::wstring& value) {
        ProfileWriteString(L"MOX_Timer", key, value.c_str(), iniPath_.c_str());
    }

    std::wstring FileGet(const wchar_t* key) {
        wchar_t buffer[1024];
        ProfileGetString(L"MOX_Timer", key, L"<missing>", buffer, 1024, iniPath_.c_str());
        return buffer;
    }

    ScratchFolder scratch_;
    std::wstring iniPath_ = scratch_.File("moxtimer.ini");
};
