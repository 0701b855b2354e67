// Common set-up of the options and write-back tests: fresh clock, appearance,
// options and fake platform, and a settings file path in a private temporary
// folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/app_record.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"
#include "settings/options.h"

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // CTest runs test cases as parallel processes: the folder name holds
        // the case's name and the moment it began.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            std::string("mox_settings_") + info->test_suite_name() + "_" + info->name() + "_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        folder_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        iniPath_ = (folder_ / "moxtimer.ini").wstring();
        ResetState();
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

    // Everything ReadOptions and WriteSettings touch, back to process start.
    void ResetState() {
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

    bool FileExists() const { return std::filesystem::exists(folder_ / "moxtimer.ini"); }

    // The file's lines, whether it is stored as UTF-8 (with or without a byte
    // order mark) or as UTF-16LE with a byte order mark; ASCII content only is
    // compared through this.
    std::vector<std::string> FileLines() const {
        std::ifstream in(folder_ / "moxtimer.ini", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string text;
        if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
            static_cast<unsigned char>(bytes[1]) == 0xFE) {
            for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += bytes[i];
        } else if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
            text = bytes.substr(3);
        } else {
            text = bytes;
        }
        std::vector<std::string> lines;
        std::string line;
        for (char c : text) {
            if (c == '\r') continue;
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        if (!line.empty()) lines.push_back(line);
        return lines;
    }

    std::filesystem::path folder_;
    std::wstring iniPath_;
};
