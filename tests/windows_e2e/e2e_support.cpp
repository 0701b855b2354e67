#include "tests/windows_e2e/e2e_support.h"

#include <cstdio>
#include <cwchar>

namespace e2e {

namespace {

std::wstring DriverFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

// The program under test: MOX_E2E_PROGRAM, or the one built beside the
// driver's build folder.
std::wstring ProgramPath() {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"MOX_E2E_PROGRAM", value, MAX_PATH) > 0) return value;
    return DriverFolder() + L"\\..\\windows-program\\MoxTimer.exe";
}

std::wstring WorkFolder() {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"MOX_E2E_WORK", value, MAX_PATH) > 0) return value;
    return DriverFolder() + L"\\e2e-work";
}

std::wstring Widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

void RemoveFolderFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

struct FindState {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    FindState* state = reinterpret_cast<FindState*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == state->processId && IsWindowVisible(hwnd) && ClassName(hwnd) == state->className) {
        state->found.push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    std::wstring* text = reinterpret_cast<std::wstring*>(param);
    if (_wcsicmp(ClassName(child).c_str(), L"Static") == 0) {
        const std::wstring part = ControlText(child);
        if (!part.empty()) {
            if (!text->empty()) *text += L"\n";
            *text += part;
        }
    }
    return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& cond, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::string Describe(const ScreenRect& r) {
    char text[96];
    std::snprintf(text, sizeof(text), "(%d,%d)-(%d,%d) %dx%d", r.left, r.top, r.right, r.bottom,
                  r.Width(), r.Height());
    return text;
}

std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className) {
    FindState state{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

int ClientImage::Count(int left, int top, int right, int bottom, COLORREF color) const {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (x >= 0 && y >= 0 && x < width && y < height && At(x, y) == color) n++;
        }
    }
    return n;
}

void MenuChar(HWND popup, wchar_t ch) {
    PostMessageW(popup, WM_CHAR, ch, 1);
}

void MenuKey(HWND popup, UINT virtualKey) {
    PostMessageW(popup, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(popup, WM_KEYUP, virtualKey, 1 | (1u << 30) | (1u << 31));
}

void PressBoxButton(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::wstring ControlText(HWND control) {
    wchar_t text[4096] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 3000,
                        &ignored);
    return text;
}

std::wstring BoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

Program::~Program() {
    if (process_.hProcess != nullptr) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Program::Start(const std::wstring& arguments, const std::string& settings) {
    return Launch(arguments, settings, nullptr) && WaitForMainWindow() && Settle();
}

bool Program::Launch(const std::wstring& arguments, const std::string& settings,
                     const std::function<void(const std::wstring&)>& prepare) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::wstring work = WorkFolder();
    CreateDirectoryW(work.c_str(), nullptr);
    folder_ = work + L"\\" + Widen(test->test_suite_name()) + L"." + Widen(test->name());
    CreateDirectoryW(folder_.c_str(), nullptr);
    RemoveFolderFiles(folder_);
    const std::wstring exe = folder_ + L"\\MoxTimer.exe";
    if (!CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the program from "
                      << std::string(ProgramPath().begin(), ProgramPath().end());
        return false;
    }
    if (prepare) prepare(exe);
    if (!settings.empty()) {
        FILE* file = _wfopen(SettingsPath().c_str(), L"wb");
        fwrite(settings.data(), 1, settings.size(), file);
        fclose(file);
    }
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
        return false;
    }
    return true;
}

bool Program::WaitForMainWindow() {
    const bool shown = WaitFor(
        [&] {
            const std::vector<HWND> windows = VisibleWindows(ProcessId(), L"moxStopwatchTimer");
            if (windows.size() == 1) window_ = windows[0];
            return window_ != nullptr;
        },
        15000);
    if (!shown) ADD_FAILURE() << "the main window did not show";
    return shown;
}

std::string Program::ReadSettings() const {
    std::string bytes;
    FILE* file = _wfopen(SettingsPath().c_str(), L"rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
    fclose(file);
    // A UTF-16LE file (byte-order mark FF FE) is read as its characters;
    // everything the tests look for is ASCII.
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xFE) {
        return bytes;
    }
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned code =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        text += code < 0x80 ? static_cast<char>(code) : '?';
    }
    return text;
}

ScreenRect Program::Client() const {
    RECT r{};
    GetClientRect(window_, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ClientToScreen(window_, &corners[0]);
    ClientToScreen(window_, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool Program::InFullScreen() const {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return IsZoomed(window_) && (Style() & (WS_CAPTION | WS_THICKFRAME)) == 0 &&
           Client() == ScreenRect{work.left, work.top, work.right, work.bottom};
}

ScreenRect Program::Outer() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Program::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(window_, message, wParam, lParam);
}

void Program::Key(UINT virtualKey) const {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    Post(WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    Post(WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void Program::Char(wchar_t ch) const {
    Post(WM_CHAR, ch, 1);
}

void Program::Command(WORD id) const {
    Post(WM_COMMAND, id, 0);
}

bool Program::Settle() const {
    // A sent message is answered only when the program's thread takes
    // messages again; a short pause then lets it paint and the display
    // receive the picture.
    DWORD_PTR ignored = 0;
    const bool answered = SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    Sleep(150);
    return answered;
}

ClientImage Program::Capture() const {
    const ScreenRect client = Client();
    ClientImage image;
    image.width = client.Width();
    image.height = client.Height();
    if (image.width <= 0 || image.height <= 0) return image;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, client.left, client.top, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const DWORD p = source[i];  // 0x00RRGGBB
        image.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

HWND Program::PopupMenu() const {
    const std::vector<HWND> menus = VisibleWindows(ProcessId(), L"#32768");
    return menus.empty() ? nullptr : menus.back();
}

HWND Program::OpenMenuFromKeyboard() const {
    Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND popup = nullptr;
    WaitFor([&] { return (popup = PopupMenu()) != nullptr; });
    return popup;
}

bool Program::MenuClosed() const {
    return WaitFor([&] { return PopupMenu() == nullptr; });
}

bool Program::ChooseFromMenu(const std::wstring& mnemonics) const {
    HWND menu = OpenMenuFromKeyboard();
    if (menu == nullptr) return false;
    size_t open = 1;
    for (size_t i = 0; i < mnemonics.size(); ++i) {
        MenuChar(menu, mnemonics[i]);
        if (i + 1 == mnemonics.size()) break;
        // A submenu opens on top of its parent: first in z-order.
        const bool opened = WaitFor([&] {
            const std::vector<HWND> menus = VisibleWindows(ProcessId(), L"#32768");
            if (menus.size() <= open) return false;
            menu = menus.front();
            return true;
        });
        if (!opened) return false;
        ++open;
    }
    return MenuClosed();
}

HWND Program::OwnedBox() const {
    for (HWND box : VisibleWindows(ProcessId(), L"#32770")) {
        if (GetWindow(box, GW_OWNER) == window_) return box;
    }
    return nullptr;
}

HWND Program::UnownedBox() const {
    for (HWND box : VisibleWindows(ProcessId(), L"#32770")) {
        if (GetWindow(box, GW_OWNER) == nullptr) return box;
    }
    return nullptr;
}

int Program::WaitForExit(int timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

bool Program::Running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace e2e
