// The Linux command line rebuilt from argv, and the executable's path.
#include "platform/posix/system_posix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/command_line.h"
#include "settings/options.h"

namespace {

std::wstring Rebuild(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    SetCommandLineFromArgs(static_cast<int>(args.size()), argv.data());
    return GetCommandLineText();
}

class SystemPosixTest : public ::testing::Test {
protected:
    // The conversions follow the locale of the environment.
    void SetUp() override { setenv("LC_ALL", "C.UTF-8", 1); }
};

// Joined so that the options read from the line are the arguments as given.
TEST_F(SystemPosixTest, ArgumentsAreJoinedAsOnWindows) {
    struct Case {
        std::vector<std::string> args;
        const wchar_t* line;
    };
    const Case cases[] = {
        {{"moxtimer", "-start", "-color=red"}, L"moxtimer -start -color=red"},
        {{"/opt/my mox/moxtimer", "-start"}, L"\"/opt/my mox/moxtimer\" -start"},
        {{"moxtimer", "-alarmMessage=a=b c"}, L"moxtimer -alarmMessage=\"a=b c\""},
        {{"moxtimer", "-alarmFile=", "-start"}, L"moxtimer -alarmFile=\"\" -start"},
        {{"moxtimer", "-alarmMessage=\"Time for tea\""},
         L"moxtimer -alarmMessage=\"Time for tea\""},
        {{"moxtimer", "-alarmMessage=tab\there"}, L"moxtimer -alarmMessage=tab\there"},
        {{"moxtimer",
          "-alarmMessage=Zeit ist \xC3\xBC"
          "ber"},
         L"moxtimer -alarmMessage=\"Zeit ist \u00fcber\""},
        // Invalid bytes become replacement characters; the rest survives.
        {{"moxtimer",
          "-alarmMessage=a\xFF"
          "b",
          "-color=\xC3", "-start"},
         L"moxtimer -alarmMessage=a\uFFFDb -color=\uFFFD -start"},
        // Quotes inside the program name would end its token early.
        {{"/opt/\"odd\" name/mox", "-start"}, L"\"/opt/odd name/mox\" -start"},
        {{"", "-start"}, L"\"\" -start"},
    };
    for (const Case& c : cases) EXPECT_EQ(Rebuild(c.args), c.line) << c.args.back();
}

TEST_F(SystemPosixTest, RebuiltLineReadsBackAsTyped) {
    const std::wstring line = Rebuild({"/opt/my mox/moxtimer", "-alarmMessage=Time for tea",
                                       "-alarmFile=", "-color=blue", std::string(100000, 'x')});
    const wchar_t* remainder = CommandLineRemainder(line.c_str());
    wchar_t token[128] = L"untouched";
    ExtractToken(FindOption(remainder, L"-alarmMessage="), token, 128);
    EXPECT_STREQ(token, L"Time for tea");
    ExtractToken(FindOption(remainder, L"-alarmFile="), token, 128);
    EXPECT_STREQ(token, L"");
    EXPECT_EQ(std::wstring(FindOption(remainder, L"-color=")).substr(0, 5), L"blue ");
    EXPECT_EQ(line.substr(line.size() - 100001), L" " + std::wstring(100000, L'x'));
}

TEST_F(SystemPosixTest, ExecutablePathFromLink) {
    struct Case {
        std::string link;
        size_t capacity;
        const wchar_t* path;  // null: no path
    };
    const Case cases[] = {
        {"/opt/m\xC3\xB6x/moxtimer", 260, L"/opt/m\u00f6x/moxtimer"},
        {"/nonexistent/mox/moxtimer (deleted)", 260, nullptr},
        {"/opt/m\xFFx/moxtimer", 260, nullptr},
        {"/opt/mox/moxtimer", 18, L"/opt/mox/moxtimer"},
        {"/opt/mox/moxtimer", 17, nullptr},
    };
    for (const Case& c : cases) {
        wchar_t buffer[260] = L"untouched";
        EXPECT_EQ(ExecutablePathFromLink(c.link.c_str(), buffer, c.capacity), c.path != nullptr)
            << c.link;
        EXPECT_STREQ(buffer, c.path ? c.path : L"") << c.link;
    }
    wchar_t path[4096];
    ASSERT_TRUE(GetExecutablePath(path, 4096));
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(path), "/proc/self/exe"));
    wchar_t small[8] = L"x";
    EXPECT_FALSE(GetExecutablePath(small, 8));
    EXPECT_EQ(small[0], L'\0');
}

}  // namespace
