#include "tests/windows_e2e/e2e_support.h"

namespace e2e {

namespace {

std::wstring Setting(const wchar_t* variable, const wchar_t* besideDriver) {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(variable, value, MAX_PATH) > 0) return value;
    const DWORD n = GetModuleFileNameW(nullptr, value, MAX_PATH);
    const std::wstring driver(value, n);
    return driver.substr(0, driver.find_last_of(L"\\/")) + besideDriver;
}

// The program under test and the folder the runs happen in.
std::wstring ProgramPath() {
    return Setting(L"MOX_E2E_PROGRAM", L"\\..\\windows-program\\MoxTimer.exe");
}
std::wstring WorkFolder() {
    return Setting(L"MOX_E2E_WORK", L"\\e2e-work");
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

// The visible top-level windows of a process with the class, in z-order.
std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className) {
    FindState state{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
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

void PrintTo(const ScreenRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
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
    return ControlText(GetDlgItem(box, 0xFFFF));
}

Program::~Program() {
    if (process_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool Program::Start(const std::wstring& arguments, const std::string& settings) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::wstring work = WorkFolder();
    CreateDirectoryW(work.c_str(), nullptr);
    folder_ = work + L"\\" + Widen(test->test_suite_name()) + L"." + Widen(test->name());
    CreateDirectoryW(folder_.c_str(), nullptr);
    RemoveFolderFiles(folder_);
    const std::wstring exe = folder_ + L"\\MoxTimer.exe";
    if (!CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the program from " << ::testing::PrintToString(ProgramPath());
        return false;
    }
    if (!settings.empty()) {
        FILE* file = _wfopen((folder_ + L"\\MoxTimer.ini").c_str(), L"wb");
        fwrite(settings.data(), 1, settings.size(), file);
        fclose(file);
    }
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
        return false;
    }
    const bool shown = WaitFor(
        [&] {
            const std::vector<HWND> windows =
                VisibleWindows(process_.dwProcessId, L"moxStopwatchTimer");
            if (windows.size() == 1) window_ = windows[0];
            return window_ != nullptr;
        },
        15000);
    if (!shown) ADD_FAILURE() << "the main window did not show";
    return shown && Settle();
}

std::string Program::ReadSettings() const {
    std::string bytes;
    FILE* file = _wfopen((folder_ + L"\\MoxTimer.ini").c_str(), L"rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
    fclose(file);
    // The program writes UTF-16LE after a byte-order mark; everything the
    // tests look for is ASCII.
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += bytes[i + 1] == 0 && bytes[i] >= 0 ? bytes[i] : '?';
    }
    return text;
}

ScreenRect Program::Client() const {
    RECT r{};
    GetClientRect(window_, &r);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

ScreenRect Program::Outer() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool Program::InFullScreen() const {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return IsZoomed(window_) && (Style() & (WS_CAPTION | WS_THICKFRAME)) == 0 &&
           Client() == ScreenRect{work.left, work.top, work.right, work.bottom};
}

void Program::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(window_, message, wParam, lParam);
}

void Program::Key(UINT virtualKey) const {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    Post(WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    Post(WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void Program::Keys(const wchar_t* keys) const {
    for (const wchar_t* k = keys; *k; ++k) Key(static_cast<UINT>(*k));
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
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, client.left, client.top, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);  // 0x00RRGGBB, top-down
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

HWND Program::WaitForMenus(size_t count) const {
    HWND top = nullptr;
    WaitFor([&] {
        const std::vector<HWND> menus = VisibleWindows(process_.dwProcessId, L"#32768");
        if (menus.size() < count) return false;
        top = menus.front();
        return true;
    });
    return top;
}

HWND Program::OpenMenuFromKeyboard() const {
    Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(0xFFFF, 0xFFFF));
    return WaitForMenus(1);
}

bool Program::MenuClosed() const {
    return WaitFor([&] { return VisibleWindows(process_.dwProcessId, L"#32768").empty(); });
}

bool Program::ChooseFromMenu(const std::wstring& mnemonics) const {
    HWND menu = OpenMenuFromKeyboard();
    for (size_t i = 0; menu != nullptr && i < mnemonics.size(); ++i) {
        MenuChar(menu, mnemonics[i]);
        if (i + 1 < mnemonics.size()) menu = WaitForMenus(i + 2);
    }
    return menu != nullptr && MenuClosed();
}

HWND Program::OwnedBox() const {
    for (HWND box : VisibleWindows(process_.dwProcessId, L"#32770")) {
        if (GetWindow(box, GW_OWNER) == window_) return box;
    }
    return nullptr;
}

HWND Program::WaitForBox(int timeoutMs) const {
    HWND box = nullptr;
    WaitFor([&] { return (box = OwnedBox()) != nullptr; }, timeoutMs);
    return box;
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
