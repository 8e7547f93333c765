#include "platform/win32/Win32Shell.h"
#include "platform/host/DeviceRootFolder.h"
#include "platform/win32/WindowsPaths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// The child program lies beside the test program.
std::u16string ChildProgram()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string text(path, path + length);
    return text.substr(0, text.find_last_of(u'\\') + 1) + u"windows_test_child.exe";
}

// The exit code once the process has ended; none if it has not within 10 s.
std::optional<uint32_t> WaitForExit(Win32Shell& shell, ProcessHandle process)
{
    for (int i = 0; i < 1000; ++i) {
        uint32_t code = 0;
        if (!shell.ExitCode(process, code))
            return std::nullopt;
        if (code != kStillActive)
            return code;
        std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
}

ShellExecuteInfo Start(std::u16string const& file, char16_t const* parameters, uint32_t mask)
{
    ShellExecuteInfo info;
    info.mask = mask;
    info.file = file.c_str();
    info.parameters = parameters;
    return info;
}

}

TEST(Win32Shell, AStartedProgramIsKeptUntilClosedWithItsExitCode)
{
    Win32Shell shell;
    std::u16string const child = ChildProgram();
    ShellExecuteInfo info = Start(child, u"exit 7", kExecuteReturnProcess);
    ASSERT_TRUE(shell.Execute(info));
    ASSERT_TRUE(info.process);
    EXPECT_EQ(WaitForExit(shell, info.process), std::optional<uint32_t>(7));
    EXPECT_TRUE(shell.Close(info.process));
    uint32_t code = 0;
    EXPECT_FALSE(shell.ExitCode(info.process, code));
    EXPECT_FALSE(shell.Close(info.process));

    // Without the mask bit the caller gets no process to close.
    ShellExecuteInfo unkept = Start(child, u"exit 0", 0);
    EXPECT_TRUE(shell.Execute(unkept));
    EXPECT_FALSE(unkept.process);
}

TEST(Win32Shell, TerminationEndsTheProgramWithTheGivenCode)
{
    Win32Shell shell;
    std::u16string const child = ChildProgram();
    ShellExecuteInfo info = Start(child, u"sleep 30000", kExecuteReturnProcess);
    ASSERT_TRUE(shell.Execute(info));
    uint32_t code = 0;
    ASSERT_TRUE(shell.ExitCode(info.process, code));
    EXPECT_EQ(code, kStillActive);
    EXPECT_TRUE(shell.Terminate(info.process, 5));
    EXPECT_EQ(WaitForExit(shell, info.process), std::optional<uint32_t>(5));
    EXPECT_FALSE(shell.Terminate(ProcessHandle { 999 }, 1));
}

TEST(Win32Shell, AMissingFileStartsNothingAndIsNotFoundAlongThePath)
{
    Win32Shell shell;
    ShellExecuteInfo info = Start(u"Z:\\nowhere\\missing.exe", nullptr, kExecuteReturnProcess | kExecuteNoErrorUi);
    EXPECT_FALSE(shell.Execute(info));
    EXPECT_FALSE(info.process);
    EXPECT_FALSE(Win32Shell::CanExecute(u"Z:\\nowhere\\missing.exe"));
    EXPECT_TRUE(Win32Shell::CanExecute(ChildProgram()));
    // Found along the system's search path, without its extension.
    EXPECT_TRUE(Win32Shell::CanExecute(u"cmd"));
}

TEST(WindowsPaths, DevicePathsLieBelowTheDeviceRootWhenOneIsGiven)
{
    EXPECT_EQ(win32::SystemPathOf(u"\\Windows\\a.exe"), L"\\Windows\\a.exe");
    SetDeviceRoot("C:\\device");
    EXPECT_EQ(win32::SystemPathOf(u"\\Windows\\a.exe"), L"C:\\device\\Windows\\a.exe");
    // A network path, a drive path and a relative one are no device paths.
    EXPECT_EQ(win32::SystemPathOf(u"\\\\server\\share\\a"), L"\\\\server\\share\\a");
    EXPECT_EQ(win32::SystemPathOf(u"D:\\a.exe"), L"D:\\a.exe");
    EXPECT_EQ(win32::SystemPathOf(u"a.exe"), L"a.exe");
    SetDeviceRoot("");
}
