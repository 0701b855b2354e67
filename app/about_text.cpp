// The about text: the same on both programs but for what built them, which
// each program's window layer names.
#include "app/about_text.h"

#include <cwchar>
#include <iterator>

namespace {

constexpr wchar_t kAboutHead[] =
    L"Version:\t\t1.9.0.0\r\n"
    L"Author:\t\t\tThe Mox team\r\n"
    L"Website:\t\tnone\r\n"
    L"Language:\t\t";

constexpr wchar_t kAboutBody[] =
    L"\r\n"
    L"\r\n"
    L"\r\n"
    L"MOUSE and KEYBOARD:\r\n"
    L"\r\n"
    L"Left Double Click:\tHide/Show titlebar\r\n"
    L"Middle Click:\t\tStart/Stop\r\n"
    L"Space:\t\t\tStart/Stop\r\n"
    L"F1:\t\t\tAbout\r\n"
    L"F11:\t\t\tFull screen\r\n"
    L"\r\n"
    L"\r\n"
    L"COMMAND LINES:\r\n"
    L"\r\n"
    L"-mode=timer:90\t\tCount down 90 seconds\r\n"
    L"-start\t\t\tStart timer immediately\r\n"
    L"\r\n"
    L"-precision=second\tSelect precision\r\n"
    L"-color=orange\t\tSelect color\r\n"
    L"-style=straight\t\tSelect style\r\n"
    L"\r\n"
    L"-position=100,0,100,20\tCustomize window x,y position, width and height\r\n"
    L"-noTitleBar\t\t\r\n"
    L"-noTaskBarIcon\t\t\r\n"
    L"-fullScreen\t\t\r\n"
    L"\r\n"
    L"-noAlarm\t\tDoes not show alarm message or play sound \r\n"
    L"-alarmFile=\"D:\\a.wav\"\tCustomize alarm WAV file\r\n"
    L"-alarmMessage=\"YourMsg\"\tCustomize alarm message\r\n"
    L"-quitAfterTimeUp\t\t\r\n";

constexpr size_t kBuildToolsCapacity = 64;
wchar_t aboutText[std::size(kAboutHead) + kBuildToolsCapacity + std::size(kAboutBody)];

}  // namespace

// Put together at each call: it is asked for only when the about box opens
// (and by --help), on the UI thread. A function-local static would bring the
// thread-safe initialization guard, and with it the exception support of the
// C++ runtime, into the Windows program: twice its size.
const wchar_t* AboutText() {
    std::wcscpy(aboutText, kAboutHead);
    std::wcsncat(aboutText, kBuildTools, kBuildToolsCapacity - 1);
    std::wcscat(aboutText, kAboutBody);
    return aboutText;
}
