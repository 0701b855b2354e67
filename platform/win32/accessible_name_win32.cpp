// The display as a screen reader finds it: the client object of the main
// window, of role static text, named with the time in words
// (clock/spoken_time.h). Set by dynamic annotation through the system's
// IAccPropServices, so the standard accessible object of the window answers
// with it and no provider of our own is needed.
//
// The name is brought up to date by a timer of one second on the UI thread,
// and set only when it changed: the tick runs on its own thread up to 100
// times a second. No name-change event is raised. The client is the keyboard
// focus whenever the window is active, and screen readers speak every new
// name of the focus: they would read the time aloud every second. The name is
// read when the user asks for it, and every read finds the current one.
//
// ole32 is loaded at run time, so that the program imports nothing more than
// before. Where the services cannot be created or refuse a call (Wine answers
// E_NOTIMPL), they are let go and the program runs on without a name.
#include "platform/win32/win32_program.h"
// After windows.h, which it needs.
#include <oleacc.h>

#include <cwchar>

#include "app/spoken_display.h"
#include "clock/spoken_time.h"

namespace {

constexpr UINT_PTR kAccessibleNameTimer = 1;
constexpr UINT kAccessibleNamePeriodMs = 1000;
const DWORD kClientObject = static_cast<DWORD>(OBJID_CLIENT);

// The four ids of oleacc.h this file uses. Defining all of them through
// initguid.h would add some 3.5 KB of unused ids to the program.
constexpr GUID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kRoleProperty = {
    0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}};

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

struct AccessibleName {
    IAccPropServices* services;
    // The name last set; empty before the first.
    wchar_t spoken[kSpokenTimeCapacity];
};
AccessibleName g_accessibleName;

template <typename Function>
Function LoadFunction(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other without
    // a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// UI thread: the services belong to its apartment.
IAccPropServices* CreateServices() {
    const HMODULE ole = LoadLibraryW(L"ole32.dll");
    if (ole == nullptr) return nullptr;
    const auto coInitializeEx = LoadFunction<CoInitializeExFunction>(ole, "CoInitializeEx");
    const auto coCreateInstance = LoadFunction<CoCreateInstanceFunction>(ole, "CoCreateInstance");
    if (coInitializeEx == nullptr || coCreateInstance == nullptr) return nullptr;
    if (FAILED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return nullptr;
    void* services = nullptr;
    if (FAILED(coCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                kAccPropServicesInterface, &services))) {
        return nullptr;
    }
    return static_cast<IAccPropServices*>(services);
}

void LetGo(HWND hwnd) {
    KillTimer(hwnd, kAccessibleNameTimer);
    g_accessibleName.services->Release();
    g_accessibleName.services = nullptr;
}

}  // namespace

void StartAccessibleName(HWND hwnd) {
    g_accessibleName.services = CreateServices();
    if (g_accessibleName.services == nullptr) return;
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_STATICTEXT;
    // A refused role leaves the name to decide: the first name refused lets
    // the services go.
    g_accessibleName.services->SetHwndProp(hwnd, kClientObject, CHILDID_SELF, kRoleProperty, role);
    SetTimer(hwnd, kAccessibleNameTimer, kAccessibleNamePeriodMs, nullptr);
    RefreshAccessibleName(hwnd);
}

void RefreshAccessibleName(HWND hwnd) {
    AccessibleName& name = g_accessibleName;
    if (name.services == nullptr) return;
    wchar_t spoken[kSpokenTimeCapacity];
    ComposeSpokenDisplay(spoken, kSpokenTimeCapacity);
    if (std::wcscmp(spoken, name.spoken) == 0) return;
    if (FAILED(name.services->SetHwndPropStr(hwnd, kClientObject, CHILDID_SELF, kNameProperty,
                                             spoken))) {
        LetGo(hwnd);
        return;
    }
    std::wcscpy(name.spoken, spoken);
}

void StopAccessibleName(HWND hwnd) {
    if (g_accessibleName.services == nullptr) return;
    const MSAAPROPID properties[] = {kNameProperty, kRoleProperty};
    g_accessibleName.services->ClearHwndProps(hwnd, kClientObject, CHILDID_SELF, properties, 2);
    LetGo(hwnd);
}
