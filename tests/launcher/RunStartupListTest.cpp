#include "launcher/RunStartupList.h"
#include "platform/headless/HeadlessDevice.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using launcher::RunStartupList;
using testing_support::EventsAre;
using testing_support::ParseTrace;
using testing_support::TestDevice;
using testing_support::TraceEvent;
using testing_support::TraceValue;
using namespace std::string_view_literals;

namespace {

platform::DeviceSettings ProgramFile(std::u16string exe)
{
    platform::DeviceSettings settings;
    settings.exe = std::move(exe);
    return settings;
}

// The event of one execute call as the launcher makes it; no process when the
// shell could not start the file.
TraceEvent Started(std::string file, std::string params, int64_t show, std::optional<int64_t> process)
{
    return { { "t", 0 }, { "event", "shell" }, { "verb", "open" }, { "file", std::move(file) },
        { "params", std::move(params) }, { "dir", "" }, { "show", show }, { "mask", 1088 }, { "owner", false },
        { "process", process ? TraceValue(*process) : TraceValue(nullptr) } };
}

constexpr std::string_view kToolRunList = "[RUN]\r\n1=\\Windows\\tool.exe\r\n";
TraceEvent const kToolStarted = Started(R"(\Windows\tool.exe)", "", 1, 1);

}

TEST(RunStartupList, StartsEveryUsableEntryOfTheRunSectionInFileOrder)
{
    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    device.WriteBytes("Windows/tool.exe", "");
    device.WriteBytes("Windows/demo.exe", "");
    device.WriteBytes("Windows/other.EXE", "");
    device.WriteBytes("Talvok.ini",
        "[Run]\r\n0=\\Windows\\tool.exe\r\n"
        "[RUN]\r\n1=\\Windows\\tool.exe\r\n2=\\Windows\\demo.exe -s 'a b',hide\r\n"
        "[Other]\r\n9=\\Windows\\tool.exe\r\n"
        "[RUN]\r\nStart=\\Windows\\other.EXE\r\n");

    RunStartupList(u"");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({
        kToolStarted,
        Started(R"(\Windows\demo.exe)", R"(-s "a b")", 6, 2),
        Started(R"(\Windows\other.EXE)", "", 1, 3),
    }));
}

TEST(RunStartupList, ProgramArgumentsAndOptionsSplitAtExeAndComma)
{
    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    device.WriteBytes("Windows/a.exe", "");
    device.WriteBytes("Windows/run.exe", "");
    device.WriteBytes("Program Files/b.exe", "");
    device.WriteBytes("Talvok.ini",
        "[RUN]\r\n"
        "skipped1=.exe\r\n"
        "skipped2=\\My Documents\\readme.txt\r\n"
        "comma=\\Windows\\a.exe,x y\r\n"
        "hide=\\Windows\\a.exe ,hide\r\n"
        "upper=\\Windows\\a.exe -v,HIDE\r\n"
        "inside=\\Windows\\a.exe -v,xhidex\r\n"
        "other=\\Windows\\a.exe -v,max\r\n"
        "blanks=   \\Program Files\\b.exe   x  \r\n"
        "quotes=\"\\Program Files\\b.exe\" \"q\" 'r s'\r\n"
        "two=\\Windows\\run.exe \\Windows\\a.exe,hide\r\n"
        "case=\\Windows\\A.Exe\r\n");

    RunStartupList(u"");
    // The name goes to the shell as written, found or not as the host's files are.
    std::optional<int64_t> const otherCase = device.HostIgnoresCase() ? std::optional<int64_t>(9) : std::nullopt;
    EXPECT_THAT(device.ParsedTrace(), EventsAre({
        Started(R"(\Windows\a.exe)", ",x y", 1, 1),
        Started(R"(\Windows\a.exe)", "", 6, 2),
        Started(R"(\Windows\a.exe)", "-v", 6, 3),
        Started(R"(\Windows\a.exe)", "-v", 6, 4),
        Started(R"(\Windows\a.exe)", "-v", 1, 5),
        Started(R"(\Program Files\b.exe)", "x  ", 1, 6),
        // The quote that closes the program is the first character of the arguments,
        // so it goes after their leading blanks were removed.
        Started(R"(\Program Files\b.exe)", R"( q "r s")", 1, 7),
        Started(R"(\Windows\run.exe)", R"(\Windows\a.exe)", 6, 8),
        Started(R"(\Windows\A.Exe)", "", 1, otherCase),
    }));
}

TEST(RunStartupList, WesternEuropeanBytesReachTheShellAsTheirCharacters)
{
    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    device.WriteBytes("Programme/Grüße.exe", "");
    // 0xC4 must lower-case without moving the ".EXE" it precedes.
    device.WriteBytes("Talvok.ini", "[RUN]\n1=\\Programme\\Gr\xFC\xDF" "e.exe \x80 '\xE4',\xC4hide\n2=\\\xC4.EXE\n");

    RunStartupList(u"");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({
        Started(R"(\Programme\Grüße.exe)", R"(€ "ä")", 6, 1),
        Started(R"(\Ä.EXE)", "", 1, std::nullopt),
    }));
}

TEST(RunStartupList, CommandLineNamesTheFileWithoutItsDoubleQuotes)
{
    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    device.WriteBytes("Windows/tool.exe", "");
    device.WriteBytes("Talvok.ini", "[RUN]\n1=\\Windows\\other.exe\n");
    device.WriteBytes("My Files/Start Up.ini", kToolRunList);

    RunStartupList(u"\"\\My Files\\Start Up.ini\"");
    RunStartupList(u"\\My\" Files\\\"Start Up.ini");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted, Started(R"(\Windows\tool.exe)", "", 1, 2) }));

    // A named file that is missing is not replaced by the one beside the program.
    RunStartupList(u"\\Missing.ini");
    EXPECT_EQ(device.Trace().size(), 2u);
}

TEST(RunStartupList, WithoutCommandLineTheFileOfTheProgramsNameIsUsed)
{
    for (std::u16string exe : { u"\\Prog\\Start.exe", u"\\Prog\\Start.EXE", u"/Prog/Start.Exe" }) {
        TestDevice device(ProgramFile(exe));
        device.WriteBytes("Windows/tool.exe", "");
        device.WriteBytes("Prog/Start.ini", kToolRunList);
        device.WriteBytes("Prog/Talvok.ini", "[RUN]\n1=\\Windows\\tool.exe -fallback\n");
        RunStartupList(u"");
        EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
    }

    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    device.WriteBytes("Windows/tool.exe", "");
    device.WriteBytes("Talvok.ini", kToolRunList);
    RunStartupList(u"");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
}

TEST(RunStartupList, TalvokIniInTheProgramsFolderIsTheFallback)
{
    {
        TestDevice device(ProgramFile(u"\\Prog\\Start.exe"));
        device.WriteBytes("Windows/tool.exe", "");
        device.WriteBytes("Prog/Talvok.ini", kToolRunList);
        RunStartupList(u"");
        EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
    }
    {
        // ".exe" in a folder name is replaced too, so both paths lead into "Apps.ini".
        TestDevice device(ProgramFile(u"\\Apps.exe\\Start.exe"));
        device.WriteBytes("Windows/tool.exe", "");
        device.WriteBytes("Apps.exe/Start.ini", "[RUN]\n1=\\Windows\\tool.exe\n");
        device.WriteBytes("Apps.exe/Talvok.ini", "[RUN]\n1=\\Windows\\tool.exe\n");
        device.WriteBytes("Apps.ini/Talvok.ini", "[RUN]\n1=\\Windows\\tool.exe -fallback\n");
        RunStartupList(u"");
        device.WriteBytes("Apps.ini/Start.ini", "[RUN]\n1=\\Windows\\tool.exe -derived\n");
        RunStartupList(u"");
        EXPECT_THAT(device.ParsedTrace(), EventsAre({
            Started(R"(\Windows\tool.exe)", "-fallback", 1, 1),
            Started(R"(\Windows\tool.exe)", "-derived", 1, 2),
        }));
    }
    {
        // A host program file without ".exe" is not read as its own INI file.
        TestDevice device(ProgramFile(u"/opt/talvok"));
        device.WriteBytes("Windows/tool.exe", "");
        device.WriteBytes("opt/talvok", "[RUN]\n1=\\Windows\\tool.exe -self\n");
        device.WriteBytes("opt/Talvok.ini", kToolRunList);
        RunStartupList(u"");
        EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
    }
    {
        // Without a known program path the file is looked up from the root.
        TestDevice device;
        device.WriteBytes("Windows/tool.exe", "");
        device.WriteBytes("Talvok.ini", kToolRunList);
        RunStartupList(u"");
        EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
    }
}

TEST(RunStartupList, ProgramPathIsCutToItsBufferOf260Units)
{
    // 261 units; what is left of the file name has no ".exe".
    std::string folder(250, 'd');
    TestDevice device(ProgramFile(u"\\" + std::u16string(folder.begin(), folder.end()) + u"\\Start.exe"));
    device.WriteBytes("Windows/tool.exe", "");
    device.WriteBytes(folder + "/Start.ini", "[RUN]\n1=\\Windows\\tool.exe -whole\n");
    device.WriteBytes(folder + "/Talvok.ini", kToolRunList);
    RunStartupList(u"");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({ kToolStarted }));
}

TEST(RunStartupList, FailuresPassSilently)
{
    TestDevice device(ProgramFile(u"\\Talvok.exe"));
    RunStartupList(u"");
    RunStartupList(u"\\Missing.ini");
    device.WriteBytes("Empty.ini", "");
    RunStartupList(u"\\Empty.ini");
    device.WriteBytes("NoRun.ini", "[Run]\n1=\\Windows\\tool.exe\nx=\\Windows\\tool.exe\n");
    RunStartupList(u"\\NoRun.ini");
    device.WriteBytes("Unusable.ini", "[RUN]\n1=.exe\n2=notes.txt\n3=\n");
    RunStartupList(u"\\Unusable.ini");
    device.WriteBytes("Wide.ini", "\xFF\xFE[\0R\0U\0N\0]\0\r\0\n\0" "1\0=\0a\0.\0e\0x\0e\0"sv);
    RunStartupList(u"\\Wide.ini");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({}));

    // A program that is not there is asked for once, and nothing else happens.
    device.WriteBytes("Missing.ini", "[RUN]\n1=\\Windows\\gone.exe\n");
    RunStartupList(u"\\Missing.ini");
    EXPECT_THAT(device.ParsedTrace(), EventsAre({ Started(R"(\Windows\gone.exe)", "", 1, std::nullopt) }));
}

TEST(RunStartupList, ExampleConfigurationStartsItsPrograms)
{
    platform::DeviceSettings settings = ProgramFile(u"\\Talvok.exe");
    settings.root = VESSARINE_EXAMPLES;
    platform::HeadlessDevice device(settings);
    platform::ScopedBackend scope(device);

    RunStartupList(u"");
    EXPECT_THAT(ParseTrace(device.GetTrace().Lines()), EventsAre({
        Started(R"(\Windows\clock.exe)", "", 6, 1),
        Started(R"(\Windows\pword.exe)", R"("\My Documents\Einkäufe Woche.psw")", 1, 2),
        Started(R"(\Windows\calc.exe)", "", 1, 3),
    }));
}
