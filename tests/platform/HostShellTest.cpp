#include "platform/Shell.h"
#include "platform/host/CommandLineWords.h"
#include "platform/host/ConsoleBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace platform;

using Words = std::vector<std::u16string>;

TEST(CommandLineWords, BlanksSeparateQuotesGroupAndBackslashesEscapeOnlyBeforeQuotes)
{
    EXPECT_EQ(CommandLineWords(u""), Words {});
    EXPECT_EQ(CommandLineWords(u"  -s \t \"a b\"  c"), (Words { u"-s", u"a b", u"c" }));
    EXPECT_EQ(CommandLineWords(u"x\"y z\"w"), (Words { u"xy zw" }));
    EXPECT_EQ(CommandLineWords(u"\\Windows\\a b\\"), (Words { u"\\Windows\\a", u"b\\" }));
    EXPECT_EQ(CommandLineWords(u"a\\\"b"), (Words { u"a\"b" }));         // 1 backslash: literal quote
    EXPECT_EQ(CommandLineWords(u"a\\\\\"b c\""), (Words { u"a\\b c" }));  // 2 backslashes: one, and grouping
    EXPECT_EQ(CommandLineWords(u"\"a \"\"b\"\" c\""), (Words { u"a \"b\" c" }));
    EXPECT_EQ(CommandLineWords(u"\"open"), (Words { u"open" }));
    EXPECT_EQ(CommandLineWords(u"$(rm -rf x) ; |"), (Words { u"$(rm", u"-rf", u"x)", u";", u"|" }));
}

class HostShellTest : public ::testing::Test {
protected:
    ConsoleBackend backend_;
    ScopedBackend installed_ { backend_ };

    static uint32_t WaitForExit(ProcessHandle process)
    {
        uint32_t code = kStillActive;
        for (int i = 0; i < 500 && code == kStillActive; ++i) {
            EXPECT_TRUE(GetExitCodeProcess(process, code));
            if (code == kStillActive)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return code;
    }
};

TEST_F(HostShellTest, StartsProgramsDirectlyWithTheirWordsAndReportsTheirExitCode)
{
    // The words reach the program unchanged: no shell interprets them on the way.
    ShellExecuteInfo info;
    info.mask = kExecuteReturnProcess | kExecuteNoErrorUi;
    info.verb = u"open";
    info.file = u"\\bin\\sh";
    info.parameters = u"-c \"test \\\"$0\\\" = '$(x)' && exit 3\" $(x)";
    ASSERT_TRUE(ShellExecute(info));
    ASSERT_TRUE(info.process);
    EXPECT_EQ(WaitForExit(info.process), 3u);
    EXPECT_TRUE(CloseHandle(info.process));
    EXPECT_FALSE(CloseHandle(info.process));
}

TEST_F(HostShellTest, TerminatesARunningProgramAndFailsForMissingFiles)
{
    ShellExecuteInfo info;
    info.mask = kExecuteReturnProcess;
    info.file = u"sleep"; // found along PATH
    info.parameters = u"30";
    ASSERT_TRUE(ShellExecute(info));
    uint32_t code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.process, code));
    EXPECT_EQ(code, kStillActive);
    EXPECT_TRUE(TerminateProcess(info.process, 0));
    EXPECT_TRUE(GetExitCodeProcess(info.process, code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(TerminateProcess(info.process, 0));
    CloseHandle(info.process);

    ShellExecuteInfo missing;
    missing.mask = kExecuteReturnProcess;
    missing.file = u"/no/such/program.exe";
    EXPECT_FALSE(ShellExecute(missing));
    EXPECT_FALSE(missing.process);
}
