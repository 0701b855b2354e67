// The about box: a modal dialog whose only control shows the about text.
#include "app/about_text.h"
#include "app/shell_services.h"
#include "platform/win32/win32_program.h"
#include "resources/resource_ids.h"

const wchar_t kBuildTools[] = L"C++20, MinGW-w64";

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextW(dialog, ID_ABOUT_TEXT, AboutText());
            SetFocus(GetDlgItem(dialog, ID_ABOUT_TEXT));
            return FALSE;  // the focus has been set by hand
        case WM_COMMAND:
            // Esc and the caption's close button; there is no OK button, so
            // Enter does not end the dialog.
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, static_cast<INT_PTR>(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(WindowHandle window) {
    DialogBoxParamW(g_win32.instance, MAKEINTRESOURCEW(ID_ABOUTDIALOG), ToHwnd(window), AboutProc,
                    0);
}
