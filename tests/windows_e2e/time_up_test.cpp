// The end of a countdown: the alarm message, and the quit when asked.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

HWND WaitForBox(const Program& p, int timeoutMs = 6000) {
    HWND box = nullptr;
    WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }, timeoutMs);
    return box;
}

TEST(TimeUp, TheAlarmMessageCarriesTheTitleAsCaption) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:1 -start -alarmMessage=\"Tea is ready\""));
    HWND box = WaitForBox(p);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Timer (1 sec)");
    EXPECT_EQ(BoxText(box), L"Tea is ready");
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    PressBoxButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
    ASSERT_TRUE(p.Settle());
    EXPECT_TRUE(p.Running());
    // Start counts the full countdown again.
    p.Key(VK_SPACE);
    EXPECT_NE(WaitForBox(p), nullptr);
}

TEST(TimeUp, QuitAfterTimeUpEndsAfterTheMessageAndWritesNothing) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:1 -start -quitAfterTimeUp"));
    HWND box = WaitForBox(p);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"Time is up!");
    ASSERT_TRUE(p.Running());
    PressBoxButton(box, IDOK);
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_EQ(p.ReadSettings(), "");
}

TEST(TimeUp, NoAlarmWithQuitEndsSilently) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:1 -start -noAlarm -quitAfterTimeUp"));
    bool boxSeen = false;
    const bool ended = WaitFor(
        [&] {
            if (p.OwnedBox() != nullptr) boxSeen = true;
            return !p.Running();
        },
        6000);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(boxSeen);
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_EQ(p.ReadSettings(), "");
}

TEST(TimeUp, NoAlarmAloneShowsZeroAndGoesOn) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:1 -start -noAlarm"));
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    Sleep(300);
    EXPECT_EQ(p.OwnedBox(), nullptr);
    EXPECT_TRUE(p.Running());
    // The title keeps the running form.
    EXPECT_EQ(p.Title(), L"Timer (1 sec)");
}

}  // namespace
}  // namespace e2e
