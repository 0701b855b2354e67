// The end of a countdown, and the settings file the program leaves beside
// itself when it closes.
#include <algorithm>
#include <sstream>

#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

// The lines of a text file without their line ends and the empty lines at
// its end.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(TimeUp, TheMessageTheQuitAndTheSilentEnd) {
    struct Case {
        const wchar_t* args;
        const wchar_t* message;  // null: no box
        bool quits;
    };
    const Case cases[] = {
        {L"-alarmMessage=\"Tea is ready\"", L"Tea is ready", false},
        {L"-quitAfterTimeUp", L"Time is up!", true},
        {L"-noAlarm -quitAfterTimeUp", nullptr, true},
        {L"-noAlarm", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.args));
        Program p;
        ASSERT_TRUE(p.Start(std::wstring(L"-mode=timer:1 -start ") + c.args));
        if (c.message != nullptr) {
            HWND box = p.WaitForBox(6000);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(WindowText(box), L"Timer (1 sec)");
            EXPECT_EQ(BoxText(box), c.message);
            EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
            EXPECT_TRUE(p.Running());  // until the box is dismissed
            PressBoxButton(box, IDOK);
        } else if (c.quits) {
            bool boxSeen = false;
            EXPECT_TRUE(
                WaitFor([&] { return (boxSeen |= p.OwnedBox() != nullptr), !p.Running(); }, 6000));
            EXPECT_FALSE(boxSeen);
        } else {
            EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
            Sleep(300);
            EXPECT_EQ(p.OwnedBox(), nullptr);
            EXPECT_EQ(p.Title(), L"Timer (1 sec)");  // the running form stays
        }
        if (c.quits) {
            EXPECT_EQ(p.WaitForExit(), 0);
            EXPECT_EQ(p.ReadSettings(), "");
            continue;
        }
        ASSERT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
        ASSERT_TRUE(p.Settle());
        EXPECT_TRUE(p.Running());
        if (c.message == nullptr) continue;
        p.Key(VK_SPACE);  // the full countdown again
        EXPECT_NE(p.WaitForBox(6000), nullptr);
    }
}

TEST(Settings, CloseWritesThirteenKeysInOrder) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=150,120,120,30"));
    p.Post(WM_CLOSE);
    ASSERT_EQ(p.WaitForExit(), 0);
    const std::vector<std::string> expected = {"[MOX_Timer]",
                                               "-mode=stopwatch",
                                               "-precision=second",
                                               "-color=green",
                                               "-style=rounded",
                                               "-position=150,120,120,30",
                                               "-start=0",
                                               "-noTitleBar=0",
                                               "-noTaskBarIcon=0",
                                               "-fullScreen=0",
                                               "-noAlarm=0",
                                               "-quitAfterTimeUp=0",
                                               "-alarmFile=alarm.wav",
                                               "-alarmMessage=Time is up!"};
    EXPECT_EQ(Lines(p.ReadSettings()), expected);
}

TEST(Settings, ExitWritesTheRunTimeStateAndKeepsOtherSections) {
    Program p;
    ASSERT_TRUE(p.Start(L"-noAlarm",
                        "[Other]\r\nkeep=this\r\n[MOX_Timer]\r\n-extra=5\r\n-noTitleBar=2\r\n"
                        "-position=200,150,120,30\r\n"));
    // A one-hour countdown running, a new color, and the title bar back.
    ASSERT_TRUE(p.ChooseFromMenu(L"co"));
    p.Post(WM_COMMAND, 3600);
    p.Key(VK_SPACE);
    ASSERT_TRUE(Becomes([&] { return p.Title(); }, L"Timer (3600 sec)"));
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & WS_CAPTION) != 0; }));
    ASSERT_TRUE(p.Settle());
    const std::string position = "-position=" + std::to_string(p.Outer().left) + "," +
                                 std::to_string(p.Outer().top) + ",120,30";
    ASSERT_TRUE(p.ChooseFromMenu(L"x"));  // E&xit
    ASSERT_EQ(p.WaitForExit(), 0);
    const std::string text = p.ReadSettings();
    const std::vector<std::string> lines = Lines(text);
    for (const char* line : {"[Other]", "keep=this", "-extra=5", "-mode=timer:3600",
                             "-color=orange", "-noTitleBar=0", "-noAlarm=1", position.c_str()}) {
        EXPECT_TRUE(Has(lines, line)) << line << " in\n" << text;
    }
    EXPECT_LT(text.find("[Other]"), text.find("[MOX_Timer]"));
}

TEST(Settings, FullScreenKeepsTheFilesPositionAndEndOfSessionWrites) {
    Program p;
    ASSERT_TRUE(p.Start(L"-fullScreen", "[MOX_Timer]\r\n-position=10,20,130,40\r\n"));
    ASSERT_TRUE(p.InFullScreen());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(p.Window(), WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &ignored);
    const std::vector<std::string> lines = Lines(p.ReadSettings());
    EXPECT_EQ(lines.size(), 14u);
    EXPECT_TRUE(Has(lines, "-position=10,20,130,40"));
    EXPECT_TRUE(Has(lines, "-fullScreen=1"));
}

}  // namespace
}  // namespace e2e
