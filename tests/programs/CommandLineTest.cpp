// The programs' command lines through the real executables, run without a
// display: help, version, mistakes, and the file a user names.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::RunTool;

struct Finished {
    int status = -1;
    std::string out;
    std::string error;
};

std::string Contents(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// A folder of its own per test, the current folder of the programs it runs.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(fs::temp_directory_path()
              / ("program-options-" + std::to_string(getpid()) + "-"
                  + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }

    fs::path const& Path() const { return path_; }

    void Write(std::string const& name, std::string const& bytes) const
    {
        fs::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

    // Runs `program` in this folder with DISPLAY unset.
    Finished Run(std::string const& program, std::vector<std::string> const& arguments) const
    {
        std::string folder = path_.string();
        std::vector<std::string> words { "-u", "DISPLAY", "sh", "-c",
            "cd '" + folder + "' && exec \"$0\" \"$@\" >'" + folder + "/out' 2>'" + folder + "/error'", program };
        words.insert(words.end(), arguments.begin(), arguments.end());
        Finished finished;
        finished.status = RunTool("env", words);
        finished.out = Contents(path_ / "out");
        finished.error = Contents(path_ / "error");
        return finished;
    }

private:
    fs::path path_;
};

struct DesktopProgram {
    std::string name;
    std::string path;
    std::string fileRole;
    std::string defaultFile;
    std::string documentation;
    bool needsDisplay;
    // It takes --watch.
    bool watches;
};

void PrintTo(DesktopProgram const& program, std::ostream* out)
{
    *out << program.name;
}

std::string PrintName(::testing::TestParamInfo<DesktopProgram> const& info)
{
    return info.param.name;
}

class DesktopProgramOptions : public ::testing::TestWithParam<DesktopProgram> {
protected:
    std::string Mistake(std::string const& what) const
    {
        std::string const& name = GetParam().name;
        return name + ": " + what + " (try '" + name + " --help')\n";
    }

    Finished Run(std::vector<std::string> const& arguments) const { return scratch.Run(GetParam().path, arguments); }

    ScratchFolder scratch;
};

TEST_P(DesktopProgramOptions, HelpNamesTheOptionsTheDefaultFileAndTheDocumentation)
{
    Finished help = Run({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.error, "");
    EXPECT_EQ(help.out.rfind("usage: " + GetParam().name + " [", 0), 0u) << help.out;
    for (std::string const& word : { std::string("--check"), std::string("--help"), std::string("--version"),
             GetParam().defaultFile, "docs/man/" + GetParam().name + ".1", "\n  " + GetParam().documentation + " " })
        EXPECT_NE(help.out.find(word), std::string::npos) << word << " missing from\n" << help.out;
    // Options after it are not read.
    EXPECT_EQ(Run({ "--help", "--bogus" }).out, help.out);
}

TEST_P(DesktopProgramOptions, VersionIsOneLineOfNameAndVersion)
{
    Finished version = Run({ "--version" });
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, GetParam().name + " " + VESSARINE_VERSION + "\n");
    EXPECT_EQ(version.error, "");
}

TEST_P(DesktopProgramOptions, AMistakeIsOneLineOnStandardErrorAndStatus2)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string what;
    };
    Case const cases[] = {
        { { "--bogus" }, "unknown option '--bogus'" },
        { { "-x", "a.ini" }, "unknown option '-x'" },
        { { "--check", "--check" }, "--check given twice" },
        { { "a.ini", "b.ini" }, "more than one " + GetParam().fileRole + ": 'a.ini', 'b.ini'" },
        { { "--check", "a.ini", "--", "b.ini" }, "more than one " + GetParam().fileRole + ": 'a.ini', 'b.ini'" },
        { { "--root" }, "--root needs a folder" },
        { { "--root=", "a.ini" }, "--root needs a folder" },
        { { "--root", "a", "--root=b" }, "--root given twice" },
    };
    for (Case const& mistake : cases) {
        Finished finished = Run(mistake.arguments);
        EXPECT_EQ(finished.status, 2) << mistake.what;
        EXPECT_EQ(finished.error, Mistake(mistake.what));
        EXPECT_EQ(finished.out, "");
    }
}

TEST_P(DesktopProgramOptions, AFileThatCannotBeOpenedIsNamedAsTyped)
{
    std::string const& name = GetParam().name;
    scratch.Write("sub/other.txt", "");
    struct Case {
        std::string typed;
        std::string why;
    };
    // After "--" a word beginning with '-' is a file, and so is a lone '-'.
    Case const cases[] = {
        { "nosuch.ini", "no such file" },
        { "-", "no such file" },
        { "--bogus", "no such file" },
        { "sub", "it is a folder" },
    };
    for (Case const& unreadable : cases) {
        Finished finished = Run({ "--", unreadable.typed });
        EXPECT_EQ(finished.status, 2) << unreadable.typed;
        EXPECT_EQ(finished.error, name + ": cannot open '" + unreadable.typed + "': " + unreadable.why + "\n");
    }
    EXPECT_EQ(Run({ "nosuch.ini" }).error, name + ": cannot open 'nosuch.ini': no such file\n");
    EXPECT_EQ(Run({ "-" }).error, name + ": cannot open '-': no such file\n");
}

TEST_P(DesktopProgramOptions, AFileFromTheCurrentFolderIsTakenAlsoWithBackslashes)
{
    // Only the launcher reads it here; the others stop at the display.
    scratch.Write("sub/given.ini", "[RUN]\r\n");
    for (std::string typed : { "sub/given.ini", "sub\\given.ini" }) {
        Finished finished = Run({ typed });
        if (GetParam().needsDisplay) {
            // Past the file, the program looks for the display.
            EXPECT_EQ(finished.status, 2) << typed;
            EXPECT_EQ(finished.error.rfind(GetParam().name + ": Kein Display", 0), 0u) << finished.error;
        } else {
            EXPECT_EQ(finished.status, 0) << typed;
            EXPECT_EQ(finished.error, "");
        }
    }
}

TEST_P(DesktopProgramOptions, DevicePathsLieBelowTheRootFolder)
{
    std::string const& name = GetParam().name;
    scratch.Write("device/sub/given.ini", "[RUN]\r\n");
    for (std::vector<std::string> arguments :
        { std::vector<std::string> { "--root", "device", "\\sub\\given.ini" }, { "--root=device/", "\\sub\\given.ini" } }) {
        Finished finished = Run(arguments);
        if (GetParam().needsDisplay) {
            EXPECT_EQ(finished.status, 2);
            EXPECT_EQ(finished.error.rfind(name + ": Kein Display", 0), 0u) << finished.error;
        } else {
            EXPECT_EQ(finished.status, 0);
            EXPECT_EQ(finished.error, "");
        }
    }
    // Without the root the same path lies below /.
    EXPECT_EQ(Run({ "\\sub\\given.ini" }).error, name + ": cannot open '\\sub\\given.ini': no such file\n");
    Finished noRoot = Run({ "--root", "nosuch", "given.ini" });
    EXPECT_EQ(noRoot.status, 2);
    EXPECT_EQ(noRoot.error, name + ": the device root 'nosuch' is not a folder\n");
}

TEST_P(DesktopProgramOptions, WatchIsForTheProgramsThatStayRunningAndNotForACheck)
{
    std::string const& name = GetParam().name;
    scratch.Write("given.ini", "[RUN]\r\n");
    Finished help = Run({ "--help" });
    EXPECT_EQ(help.out.find("--watch") != std::string::npos, GetParam().watches) << help.out;
    if (!GetParam().watches) {
        EXPECT_EQ(Run({ "--watch", "given.ini" }).error, Mistake("unknown option '--watch'"));
        return;
    }
    struct Case {
        std::vector<std::string> arguments;
        std::string what;
    };
    Case const cases[] = {
        { { "--watch", "--watch" }, "--watch given twice" },
        { { "--check", "--watch", "given.ini" }, "--check and --watch do not go together" },
        { { "--watch", "given.ini", "--check" }, "--check and --watch do not go together" },
    };
    for (Case const& mistake : cases) {
        Finished finished = Run(mistake.arguments);
        EXPECT_EQ(finished.status, 2) << mistake.what;
        EXPECT_EQ(finished.error, Mistake(mistake.what));
    }
    // Taken, the program goes on to the file and the display.
    Finished watching = Run({ "--watch", "given.ini" });
    EXPECT_EQ(watching.status, 2);
    EXPECT_EQ(watching.error.rfind(name + ": Kein Display", 0), 0u) << watching.error;
    EXPECT_EQ(Run({ "--watch", "nosuch.ini" }).error, name + ": cannot open 'nosuch.ini': no such file\n");
}

TEST_P(DesktopProgramOptions, CheckNeedsNoDisplayAndTakesAMissingFileAsAFinding)
{
    std::string const& name = GetParam().name;
    scratch.Write("sub/other.txt", "");
    for (std::string typed : { "nosuch.ini", "sub" }) {
        Finished finished = Run({ "--check", typed });
        EXPECT_EQ(finished.error.find("Kein Display"), std::string::npos) << finished.error;
        EXPECT_EQ(finished.error.find(name + ": cannot open"), std::string::npos) << finished.error;
    }
}

INSTANTIATE_TEST_SUITE_P(EachProgram, DesktopProgramOptions,
    ::testing::Values(
        DesktopProgram { "vessarine", VESSARINE_PATH, "settings file", "VessarineSettings.ini", "panel.md", true, true },
        DesktopProgram { "brellum", BRELLUM_PATH, "binding file", "Brellum.ini", "daemon.md", true, true },
        DesktopProgram { "talvok", TALVOK_PATH, "INI file", "Talvok.ini", "launcher.md", false, false }),
    PrintName);

TEST(TalvokOptions, DoubleQuotesAroundTheFileAreRemovedAsTheLauncherDoes)
{
    ScratchFolder scratch;
    scratch.Write("My Talvok.ini", "[RUN]\r\n");
    Finished quoted = scratch.Run(TALVOK_PATH, { "\"My Talvok.ini\"" });
    EXPECT_EQ(quoted.status, 0);
    EXPECT_EQ(quoted.error, "");
    Finished missing = scratch.Run(TALVOK_PATH, { "\"Other.ini\"" });
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.error, "talvok: cannot open '\"Other.ini\"': no such file\n");
}

// A binding file as the daemon reads it: UTF-16, little-endian, with its mark.
std::string BindingFileBytes(std::u16string const& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

TEST(BrellumOptions, ACheckFindsTheBindingFilesANewIniNamesBelowTheRoot)
{
    ScratchFolder scratch;
    scratch.Write("device/Brellum.ini", BindingFileBytes(u"BRELLUM\r\nKeyCode=65\r\nNewIni=\\Night.ini\r\n"));
    scratch.Write("device/Night.ini", BindingFileBytes(u"BRELLUM\r\nKeyCode=66\r\nNewIni=\\Brellum.ini\r\n"));
    Finished below = scratch.Run(BRELLUM_PATH, { "--check", "--root", "device", "\\Brellum.ini" });
    EXPECT_EQ(below.status, 0) << below.out;
    EXPECT_EQ(below.out, "");
    Finished atTop = scratch.Run(BRELLUM_PATH, { "--check", "device/Brellum.ini" });
    EXPECT_EQ(atTop.status, 1);
    EXPECT_NE(atTop.out.find("/Night.ini named by NewIni does not exist"), std::string::npos) << atTop.out;
}

class CesimOptions : public ::testing::Test {
protected:
    Finished Run(std::vector<std::string> const& arguments) const { return scratch.Run(CESIM_PATH, arguments); }

    ScratchFolder scratch;
};

TEST_F(CesimOptions, HelpNamesTheOptionsAndTheDocumentationWhereverItStands)
{
    Finished help = Run({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.error, "");
    EXPECT_EQ(help.out.rfind("usage: cesim PROGRAM [OPTIONS]", 0), 0u) << help.out;
    for (char const* word : { "--root", "--script", "--shot", "--locale", "--help", "--version", "docs/man/cesim.1",
             "\n  cesim.md " })
        EXPECT_NE(help.out.find(word), std::string::npos) << word << " missing from\n" << help.out;
    Finished afterOptions = Run({ "vessarine", "--root", "nosuch", "--script", "nosuch", "--help" });
    EXPECT_EQ(afterOptions.status, 0);
    EXPECT_EQ(afterOptions.out, help.out);
}

TEST_F(CesimOptions, VersionIsOneLine)
{
    for (auto const& arguments : { std::vector<std::string> { "--version" }, { "talvok", "--version" } }) {
        Finished version = Run(arguments);
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, std::string("cesim ") + VESSARINE_VERSION + "\n");
    }
}

TEST_F(CesimOptions, AMistakeIsOneLineWithAHint)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string what;
    };
    Case const cases[] = {
        { {}, "no program given" },
        { { "notepad" }, "unknown program 'notepad'" },
        { { "vessarine", "--bogus" }, "unknown option '--bogus'" },
        { { "vessarine", "--root" }, "--root needs a value" },
        { { "brellum", "--screen", "0x10" }, "--screen wants WxH, not '0x10'" },
        { { "talvok", "--locale", "fr-FR" }, "unknown locale 'fr-FR' (de-DE or en-US)" },
    };
    for (Case const& mistake : cases) {
        Finished finished = Run(mistake.arguments);
        EXPECT_EQ(finished.status, 2) << mistake.what;
        EXPECT_EQ(finished.error, "cesim: " + mistake.what + " (try 'cesim --help')\n");
        EXPECT_EQ(finished.out, "");
    }
}

TEST_F(CesimOptions, AFolderOrFileThatCannotBeUsedIsOneLineWithoutHint)
{
    Finished noRoot = Run({ "talvok", "--root", "nosuch" });
    EXPECT_EQ(noRoot.status, 2);
    EXPECT_EQ(noRoot.error, "cesim: the root folder 'nosuch' does not exist\n");
    Finished noScript = Run({ "talvok", "--script", "nosuch.cesim" });
    EXPECT_EQ(noScript.status, 2);
    EXPECT_EQ(noScript.error, "cesim: cannot read the script 'nosuch.cesim'\n");
}

}
