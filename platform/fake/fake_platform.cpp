// Fake window, paint and system services: every call is recorded in fake::g.
#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cwchar>

namespace fake {

Platform g;

WindowHandle TestWindow() {
    static int token;
    return reinterpret_cast<WindowHandle>(&token);
}

PaintCanvas* TestCanvas() {
    static int token;
    return reinterpret_cast<PaintCanvas*>(&token);
}

}  // namespace fake

void SetWindowTitle(WindowHandle, const wchar_t* text) {
    fake::g.title = text;
    fake::g.titleSets++;
}

ClientSize QueryClientSize(WindowHandle) { return fake::g.clientSize; }

WindowPlacement QueryWindowPlacement(WindowHandle) { return fake::g.placement; }

void ShowMessageBox(WindowHandle owner, const wchar_t* text, const wchar_t* caption) {
    fake::g.messageBoxes.push_back(
        {owner, text, caption ? caption : L"", caption == nullptr});
}

void CreateEntryCaret(WindowHandle, int32_t width, int32_t height) {
    fake::g.caretExists = true;
    fake::g.caretCalls.push_back({fake::CaretCall::Create, width, height});
}

void SetEntryCaretPosition(WindowHandle, int32_t x, int32_t y) {
    fake::g.caretCalls.push_back({fake::CaretCall::Place, x, y});
}

void ShowEntryCaret(WindowHandle) { fake::g.caretCalls.push_back({fake::CaretCall::Show, 0, 0}); }

void HideEntryCaret(WindowHandle) { fake::g.caretCalls.push_back({fake::CaretCall::Hide, 0, 0}); }

void DestroyEntryCaret(WindowHandle) {
    fake::g.caretExists = false;
    fake::g.caretCalls.push_back({fake::CaretCall::Destroy, 0, 0});
}

void CreateDisplayBrushes(uint32_t background, uint32_t color, uint32_t idle) {
    fake::g.brushColors[0] = background;
    fake::g.brushColors[1] = color;
    fake::g.brushColors[2] = idle;
    fake::g.brushesCreated += 3;
}

void ReplaceColorBrush(uint32_t color) {
    fake::g.brushColors[1] = color;
    fake::g.brushesCreated++;
    fake::g.brushesFreed++;
}

void FillRectangle(PaintCanvas*, const Rect& rect, BrushRole brush) {
    fake::g.fillCount++;
    if (fake::g.recordFills) fake::g.fills.push_back({rect, brush});
    const Rect& c = fake::g.clip;
    const int64_t width = int64_t{std::min(rect.right, c.right)} - std::max(rect.left, c.left);
    const int64_t height = int64_t{std::min(rect.bottom, c.bottom)} - std::max(rect.top, c.top);
    if (width <= 0 || height <= 0) return;
    fake::g.fillsInClip++;
    fake::g.pixelsInClip += width * height;
}

bool GetExecutablePath(wchar_t* buffer, size_t capacity) {
    if (capacity == 0) return false;
    if (!fake::g.executablePathAvailable || fake::g.executablePath.size() + 1 > capacity) {
        buffer[0] = L'\0';
        return false;
    }
    fake::g.executablePath.copy(buffer, fake::g.executablePath.size());
    buffer[fake::g.executablePath.size()] = L'\0';
    return true;
}

const wchar_t* GetCommandLineText() { return fake::g.commandLine.c_str(); }

SettingsNameRule PlatformSettingsNameRule() { return fake::g.settingsNameRule; }

void ChooseSettingsFiles(const wchar_t* besideProgram, wchar_t* writePath, wchar_t* readPath,
                         size_t capacity) {
    std::wcsncpy(writePath, besideProgram, capacity - 1);
    writePath[capacity - 1] = L'\0';
    std::wcscpy(readPath, writePath);
}
