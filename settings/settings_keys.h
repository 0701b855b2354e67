// The settings file's section, its thirteen keys and the value names the
// write-back uses. A key is the command-line option without its "=".
#pragma once

#include <cstddef>

constexpr const wchar_t* kSettingsSection = L"MOX_Timer";

constexpr const wchar_t* kKeyMode = L"-mode";
constexpr const wchar_t* kKeyPrecision = L"-precision";
constexpr const wchar_t* kKeyColor = L"-color";
constexpr const wchar_t* kKeyStyle = L"-style";
constexpr const wchar_t* kKeyPosition = L"-position";
constexpr const wchar_t* kKeyStart = L"-start";
constexpr const wchar_t* kKeyNoTitleBar = L"-noTitleBar";
constexpr const wchar_t* kKeyNoTaskBarIcon = L"-noTaskBarIcon";
constexpr const wchar_t* kKeyFullScreen = L"-fullScreen";
constexpr const wchar_t* kKeyNoAlarm = L"-noAlarm";
constexpr const wchar_t* kKeyQuitAfterTimeUp = L"-quitAfterTimeUp";
constexpr const wchar_t* kKeyAlarmFile = L"-alarmFile";
constexpr const wchar_t* kKeyAlarmMessage = L"-alarmMessage";

// Value names, one slot of 16 characters each: precision p is entry p, color
// c entry kFirstColorName + c, style s entry kFirstStyleName + s. Reading does
// not look names up here; it recognises them by prefix (see options.cpp).
constexpr size_t kValueNameCount = 14;
constexpr size_t kValueNameSlot = 16;
constexpr size_t kFirstPrecisionName = 0;
constexpr size_t kFirstColorName = 4;
constexpr size_t kFirstStyleName = 12;
extern const wchar_t kValueNames[kValueNameCount][kValueNameSlot];
