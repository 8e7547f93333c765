// The launcher on a real X server: it asks the shell for silence, so a
// program that cannot start shows no box there; it is named in one line on
// standard error, and the rest of the list still starts.

#include "tests/desktop/StartedProgram.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;

TEST(LauncherOnDesktop, AProgramThatCannotStartIsOneLineAndNoBox)
{
    XvfbSession x;
    ASSERT_TRUE(x.Ready());
    testing_support::TestDevice device;
    std::string const root = device.Root();
    device.WriteBytes("mark.exe", "#!/bin/sh\necho started > \"" + root + "/started\"\n");
    chmod((root + "/mark.exe").c_str(), 0755);
    device.WriteBytes("Talvok.ini", "[RUN]\r\n1=" + root + "/nichtda.exe\r\n2=" + root + "/mark.exe\r\n");

    ChildProcess talvok("sh", { "-c", std::string("exec ") + TALVOK_PATH + " " + root + "/Talvok.ini 2> " + root + "/error.txt" });
    EXPECT_EQ(talvok.WaitForExit(5s), std::optional<int>(0)) << "it waits for something: a box?";
    EXPECT_TRUE(x.WindowsOfClass("talvok").empty());
    EXPECT_EQ(Lines(root + "/error.txt"), std::vector<std::string> { "talvok: cannot start \"" + root + "/nichtda.exe\": no such file" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(root + "/started"); })) << "the next entry did not start";
}

}
}
