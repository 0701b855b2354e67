// The settings file the program leaves beside itself when it closes.
#include <algorithm>
#include <sstream>

#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

// The lines of a text file, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string PositionLine(const Program& p) {
    const ScreenRect outer = p.Outer();
    const ScreenRect client = p.Client();
    return "-position=" + std::to_string(outer.left) + "," + std::to_string(outer.top) + "," +
           std::to_string(client.Width()) + "," + std::to_string(client.Height());
}

TEST(Settings, CloseWritesThirteenKeysInOrder) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=150,120,120,30"));
    const std::string position = PositionLine(p);
    EXPECT_EQ(position, "-position=150,120,120,30");
    p.Post(WM_CLOSE);
    ASSERT_EQ(p.WaitForExit(), 0);
    const std::vector<std::string> expected = {"[MOX_Timer]",
                                               "-mode=stopwatch",
                                               "-precision=second",
                                               "-color=green",
                                               "-style=rounded",
                                               position,
                                               "-start=0",
                                               "-noTitleBar=0",
                                               "-noTaskBarIcon=0",
                                               "-fullScreen=0",
                                               "-noAlarm=0",
                                               "-quitAfterTimeUp=0",
                                               "-alarmFile=alarm.wav",
                                               "-alarmMessage=Time is up!"};
    std::vector<std::string> lines = Lines(p.ReadSettings());
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    EXPECT_EQ(lines, expected);
}

TEST(Settings, CloseWritesTheRunTimeStateAndKeepsOtherSections) {
    Program p;
    ASSERT_TRUE(p.Start(L"-noAlarm",
                        "[Other]\r\nkeep=this\r\n[MOX_Timer]\r\n-extra=5\r\n-noTitleBar=2\r\n"
                        "-position=200,150,120,30\r\n"));
    // A one-hour countdown running, a new color, and the title bar back.
    ASSERT_TRUE(p.ChooseFromMenu(L"co"));
    p.Command(3600);
    p.Key(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return p.Title() == L"Timer (3600 sec)"; }));
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & 0x00C00000) != 0; }));
    ASSERT_TRUE(p.Settle());
    const std::string position = PositionLine(p);
    p.Command(32737);  // IDM_EXIT
    ASSERT_EQ(p.WaitForExit(), 0);
    const std::string text = p.ReadSettings();
    const std::vector<std::string> lines = Lines(text);
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("[Other]")) << text;
    EXPECT_TRUE(has("keep=this")) << text;
    EXPECT_TRUE(has("-extra=5")) << text;
    EXPECT_TRUE(has("-mode=timer:3600")) << text;
    EXPECT_TRUE(has("-color=orange")) << text;
    EXPECT_TRUE(has("-noTitleBar=0")) << text;
    EXPECT_TRUE(has("-noAlarm=1")) << text;
    EXPECT_TRUE(has(position)) << text;
    EXPECT_LT(text.find("[Other]"), text.find("[MOX_Timer]"));
}

TEST(Settings, FullScreenKeepsTheFilesPosition) {
    Program p;
    ASSERT_TRUE(p.Start(L"-fullScreen", "[MOX_Timer]\r\n-position=10,20,130,40\r\n"));
    ASSERT_TRUE(p.InFullScreen());
    p.Post(WM_CLOSE);
    ASSERT_EQ(p.WaitForExit(), 0);
    const std::vector<std::string> lines = Lines(p.ReadSettings());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "-position=10,20,130,40"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "-fullScreen=1"), lines.end());
}

TEST(Settings, EndOfSessionWritesTheFileAsACloseDoes) {
    Program p;
    ASSERT_TRUE(p.Start(L"-color=cyan"));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(p.Window(), WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &ignored);
    const std::vector<std::string> lines = Lines(p.ReadSettings());
    EXPECT_EQ(lines.size(), 14u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "-color=cyan"), lines.end());
}

}  // namespace
}  // namespace e2e
