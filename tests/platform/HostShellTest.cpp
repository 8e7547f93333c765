#include "platform/Shell.h"
#include "platform/Utf.h"
#include "platform/host/CommandLineWords.h"
#include "platform/host/ConsoleBackend.h"
#include "platform/host/HostShell.h"
#include "platform/host/ProgramName.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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
    // Without a screen the shell has no box: its line is all.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ShellExecute(missing));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ProgramName() + ": cannot start \"/no/such/program.exe\": no such file\n");
    EXPECT_FALSE(missing.process);
}

namespace {

// The boxes the shell shows, answered at once.
class RecordedBoxes final : public Dialogs {
public:
    struct Box {
        WindowHandle owner;
        std::u16string text;
        std::u16string caption;
        uint32_t flags = 0;
    };

    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override
    {
        shown.push_back({ owner, std::u16string(text), std::u16string(caption), flags });
        return BoxResult::Ok;
    }

    std::vector<Box> shown;
};

bool WaitFor(std::function<bool()> const& done, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    auto const end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// What the box says about `file`, built piece by piece.
std::u16string BoxTextFor(std::string const& file, std::u16string_view reason)
{
    std::u16string text = u"„";
    text += FromUtf8(file);
    text += u"“ kann nicht geöffnet werden:\n";
    text += reason;
    return text;
}

// A process that has ended but was not reaped still has its /proc entry, in state Z.
bool IsGone(pid_t pid)
{
    return !std::filesystem::exists("/proc/" + std::to_string(pid));
}

class HostShellOnItsOwn : public ::testing::Test {
protected:
    HostShellOnItsOwn()
    {
        char pattern[] = "/tmp/hostshell.XXXXXX";
        folder_ = mkdtemp(pattern) ? pattern : "";
        savedName_ = ProgramName();
        SetProgramName("tester");
    }
    ~HostShellOnItsOwn() override
    {
        SetProgramName(savedName_);
        std::filesystem::remove_all(folder_);
    }

    std::string Path(std::string const& name) const { return folder_ + "/" + name; }

    void WriteFile(std::string const& name, std::string const& text, std::filesystem::perms mode)
    {
        std::ofstream(Path(name)) << text;
        std::filesystem::permissions(Path(name), mode);
    }

    // Starts `sh -c SCRIPT`; SCRIPT may write its pid with "echo $$ > pid".
    ProcessHandle StartShell(std::string const& script, uint32_t mask = kExecuteReturnProcess)
    {
        std::u16string parameters = u"-c \"" + FromUtf8(script) + u"\"";
        ShellExecuteInfo info;
        info.mask = mask;
        info.file = u"/bin/sh";
        info.parameters = parameters.c_str();
        EXPECT_TRUE(shell_.Execute(info));
        return info.process;
    }

    // The pid a started shell wrote, once it has written all of it.
    pid_t PidWritten(std::string const& name = "pid")
    {
        std::string text;
        WaitFor([&] {
            std::ifstream in(Path(name));
            text.assign(std::istreambuf_iterator<char>(in), {});
            return text.ends_with('\n');
        });
        return pid_t(std::atoi(text.c_str()));
    }

    // Starts `file`, which must fail: the line written on standard error.
    std::string FailedStartLine(std::u16string const& file, uint32_t mask = kExecuteReturnProcess)
    {
        ShellExecuteInfo info;
        info.mask = mask;
        info.owner = WindowHandle { 7 };
        info.file = file.c_str();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(shell_.Execute(info));
        std::string line = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(info.process);
        return line;
    }

    std::string folder_;
    std::string savedName_;
    RecordedBoxes boxes_;
    HostShell shell_ { &boxes_ };
};

}

TEST_F(HostShellOnItsOwn, AHeldHandleKeepsTheExitCodeOfAChildReapedBeforeAnyoneAsked)
{
    ProcessHandle exited = StartShell("echo $$ > " + Path("pid") + "; exit 7");
    ProcessHandle killed = StartShell("echo $$ > " + Path("pid2") + "; kill -9 $$");
    pid_t const first = PidWritten();
    pid_t const second = PidWritten("pid2");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_TRUE(WaitFor([&] { return IsGone(first) && IsGone(second); })) << "an ended child was not reaped";

    uint32_t code = 0;
    EXPECT_TRUE(shell_.ExitCode(exited, code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(shell_.ExitCode(killed, code));
    EXPECT_EQ(code, 128u + 9u);
    EXPECT_TRUE(shell_.Close(exited));
    EXPECT_FALSE(shell_.ExitCode(exited, code));
}

TEST_F(HostShellOnItsOwn, AChildWhoseHandleIsClosedOrNeverGivenIsReapedWhenItEnds)
{
    ProcessHandle held = StartShell("echo $$ > " + Path("pid") + "; exec sleep 0.3");
    EXPECT_TRUE(shell_.Close(held));
    EXPECT_FALSE(StartShell("echo $$ > " + Path("pid2") + "; exec sleep 0.3", 0));
    pid_t const closed = PidWritten();
    pid_t const unheld = PidWritten("pid2");
    ASSERT_GT(closed, 0);
    ASSERT_GT(unheld, 0);
    EXPECT_FALSE(IsGone(closed)) << "it was to run on after its handle was closed";
    EXPECT_TRUE(WaitFor([&] { return IsGone(closed) && IsGone(unheld); })) << "a child was left as a zombie";
}

TEST_F(HostShellOnItsOwn, TerminateEndsAProgramThatIgnoresTheRequestAfterTheGrace)
{
    using namespace std::chrono;
    ProcessHandle stubborn = StartShell("trap '' TERM; echo $$ > " + Path("pid") + "; exec sleep 30");
    pid_t const pid = PidWritten();
    ASSERT_GT(pid, 0);
    auto const start = steady_clock::now();
    EXPECT_TRUE(shell_.Terminate(stubborn, 5));
    auto const took = steady_clock::now() - start;
    EXPECT_GE(took, HostShell::kTerminateGrace - milliseconds(50));
    EXPECT_LT(took, HostShell::kTerminateGrace + seconds(3));
    EXPECT_TRUE(IsGone(pid)) << "Terminate returned before the program was ended and reaped";
    uint32_t code = 0;
    EXPECT_TRUE(shell_.ExitCode(stubborn, code));
    EXPECT_EQ(code, 5u);
    EXPECT_FALSE(shell_.Terminate(stubborn, 6));
    EXPECT_TRUE(shell_.ExitCode(stubborn, code));
    EXPECT_EQ(code, 5u);

    // One that heeds the request ends without waiting for the grace.
    ProcessHandle willing = StartShell("echo $$ > " + Path("pid2") + "; exec sleep 30");
    ASSERT_GT(PidWritten("pid2"), 0);
    auto const again = steady_clock::now();
    EXPECT_TRUE(shell_.Terminate(willing, 0));
    EXPECT_LT(steady_clock::now() - again, HostShell::kTerminateGrace / 2);
}

TEST_F(HostShellOnItsOwn, AFailedStartShowsTheBoxUnlessSilencedAndAlwaysWritesOneLine)
{
    std::string const line = "tester: cannot start \"\\fehlt\\prog.exe\": no such file\n";
    EXPECT_EQ(FailedStartLine(u"\\fehlt\\prog.exe"), line);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].caption, u"Fehler");
    EXPECT_EQ(boxes_.shown[0].text, BoxTextFor("\\fehlt\\prog.exe", u"Die Datei wurde nicht gefunden."));
    EXPECT_EQ(boxes_.shown[0].flags, Box::Ok | Box::IconError);
    EXPECT_EQ(boxes_.shown[0].owner, WindowHandle { 7 });

    // The launcher's mask.
    EXPECT_EQ(FailedStartLine(u"\\fehlt\\prog.exe", kExecuteNoErrorUi | kExecuteReturnProcess), line);
    EXPECT_EQ(boxes_.shown.size(), 1u);

    // Without a screen there is no box; the line is the same.
    HostShell console;
    ShellExecuteInfo info;
    info.file = u"\\fehlt\\prog.exe";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(console.Execute(info));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line);

    // A start that works says nothing.
    testing::internal::CaptureStderr();
    ProcessHandle started = StartShell("exit 0", 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(started);
    EXPECT_EQ(boxes_.shown.size(), 1u);
}

TEST_F(HostShellOnItsOwn, TheReasonSaysWhatIsWrong)
{
    using std::filesystem::perms;
    perms const executable = perms::owner_all | perms::group_read | perms::group_exec | perms::others_read | perms::others_exec;
    perms const readable = perms::owner_read | perms::owner_write | perms::group_read | perms::others_read;
    WriteFile("interpreter", "not a program\n", readable);
    WriteFile("denied.sh", "#!" + Path("interpreter") + "\n", executable);
    WriteFile("garbage", "hello world\n", executable);
    WriteFile("orphan.sh", "#!" + Path("no-such-interpreter") + "\n", executable);
    WriteFile("letter.txt", "Liebe Grüße\n", readable);

    struct Case {
        std::string file;
        std::string line;
        std::u16string box;
    } const cases[] = {
        { Path("nothing-here"), "no such file", u"Die Datei wurde nicht gefunden." },
        { "no-such-program-along-path", "no such file", u"Die Datei wurde nicht gefunden." },
        { Path("denied.sh"), "permission denied", u"Zugriff verweigert." },
        { Path("garbage"), "not an executable program", u"Die Datei ist kein ausführbares Programm." },
        { Path("orphan.sh"), "the program that runs it was not found",
            u"Das Programm, das diese Datei ausführt, wurde nicht gefunden." },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.file);
        boxes_.shown.clear();
        EXPECT_EQ(FailedStartLine(FromUtf8(c.file)), "tester: cannot start \"" + c.file + "\": " + c.line + "\n");
        ASSERT_EQ(boxes_.shown.size(), 1u);
        EXPECT_EQ(boxes_.shown[0].text, BoxTextFor(c.file, c.box));
    }

    // A document, and no opener along PATH.
    std::string const savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", folder_.c_str(), 1);
    boxes_.shown.clear();
    std::string const line = FailedStartLine(FromUtf8(Path("letter.txt")));
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(line, "tester: cannot start \"" + Path("letter.txt") + "\": no program to open it with\n");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, BoxTextFor(Path("letter.txt"), u"Kein Programm zum Öffnen dieser Datei."));
}
