// The Linux command line rebuilt from argv, and the executable's path.
#include "platform/posix/system_posix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
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

TEST_F(SystemPosixTest, ArgumentsAreJoinedAsOnWindows) {
    struct Case {
        std::vector<std::string> args;
        const wchar_t* line;
    };
    const Case cases[] = {
        {{"moxtimer"}, L"moxtimer"},
        {{"moxtimer", "-start", "-color=red"}, L"moxtimer -start -color=red"},
        {{"/opt/my mox/moxtimer", "-start"}, L"\"/opt/my mox/moxtimer\" -start"},
        {{"moxtimer", "-alarmMessage=Time for tea"}, L"moxtimer -alarmMessage=\"Time for tea\""},
        {{"moxtimer", "-alarmFile=", "-start"}, L"moxtimer -alarmFile=\"\" -start"},
        {{"moxtimer", "-alarmMessage=a=b c"}, L"moxtimer -alarmMessage=\"a=b c\""},
        {{"moxtimer", "just some words"}, L"moxtimer \"just some words\""},
        {{"moxtimer", "-alarmMessage=\"Time for tea\""},
         L"moxtimer -alarmMessage=\"Time for tea\""},
        {{"moxtimer", "-alarmMessage=say \"hi\""}, L"moxtimer -alarmMessage=say \"hi\""},
        {{"moxtimer", "-alarmMessage=tab\there"}, L"moxtimer -alarmMessage=tab\there"},
        {{"moxtimer",
          "-alarmMessage=Zeit ist \xC3\xBC"
          "ber"},
         L"moxtimer -alarmMessage=\"Zeit ist \u00fcber\""},
        // Quotes inside the program name would end its token early.
        {{"/opt/\"odd\" name/mox", "-start"}, L"\"/opt/odd name/mox\" -start"},
        {{"", "-start"}, L"\"\" -start"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Rebuild(c.args), c.line) << c.args.back();
    }
}

TEST_F(SystemPosixTest, InvalidBytesBecomeReplacementCharacters) {
    const std::wstring line = Rebuild({"moxtimer",
                                       "-alarmMessage=a\xFF"
                                       "b",
                                       "-color=\xC3", "-start"});
    EXPECT_EQ(line, L"moxtimer -alarmMessage=a\uFFFDb -color=\uFFFD -start");
}

TEST_F(SystemPosixTest, RebuiltLineReadsBackAsTyped) {
    const std::wstring line = Rebuild(
        {"/opt/my mox/moxtimer", "-alarmMessage=Time for tea", "-alarmFile=", "-color=blue"});
    const wchar_t* remainder = CommandLineRemainder(line.c_str());
    wchar_t token[128] = L"untouched";
    ExtractToken(FindOption(remainder, L"-alarmMessage="), token, 128);
    EXPECT_STREQ(token, L"Time for tea");
    ExtractToken(FindOption(remainder, L"-alarmFile="), token, 128);
    EXPECT_STREQ(token, L"");
    EXPECT_EQ(std::wstring(FindOption(remainder, L"-color=")), L"blue");
}

TEST_F(SystemPosixTest, VeryLongArguments) {
    const std::string message(100000, 'm');
    const std::wstring line = Rebuild({"moxtimer", "-alarmMessage=" + message, "-start"});
    EXPECT_EQ(line.size(), std::wstring(L"moxtimer -alarmMessage= -start").size() + 100000);
    EXPECT_NE(FindOption(CommandLineRemainder(line.c_str()), L"-start"), nullptr);
}

TEST_F(SystemPosixTest, ExecutablePathFromLink) {
    struct Case {
        std::string link;
        size_t capacity;
        const wchar_t* path;  // null: no path
    };
    const Case cases[] = {
        {"/opt/mox/moxtimer", 260, L"/opt/mox/moxtimer"},
        {"/opt/m\xC3\xB6x/moxtimer", 260, L"/opt/m\u00f6x/moxtimer"},
        {"/nonexistent/mox/moxtimer (deleted)", 260, nullptr},
        {"/opt/m\xFFx/moxtimer", 260, nullptr},
        {"/opt/mox/moxtimer", 18, L"/opt/mox/moxtimer"},
        {"/opt/mox/moxtimer", 17, nullptr},
    };
    for (const Case& c : cases) {
        wchar_t buffer[260] = L"untouched";
        const bool ok = ExecutablePathFromLink(c.link.c_str(), buffer, c.capacity);
        EXPECT_EQ(ok, c.path != nullptr) << c.link;
        EXPECT_STREQ(buffer, c.path ? c.path : L"") << c.link;
    }
}

TEST_F(SystemPosixTest, ExecutablePathOfThisProcess) {
    wchar_t path[4096];
    ASSERT_TRUE(GetExecutablePath(path, 4096));
    const std::wstring text = path;
    EXPECT_EQ(text.front(), L'/');
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(text), "/proc/self/exe"));
    wchar_t small[8] = L"x";
    EXPECT_FALSE(GetExecutablePath(small, 8));
    EXPECT_EQ(small[0], L'\0');
}

}  // namespace
