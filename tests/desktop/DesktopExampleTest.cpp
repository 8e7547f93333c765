// The desktop example as a user runs it: from its own folder, every button
// and key starts a program of the desktop; and device paths below --root.

#include "tests/desktop/XvfbSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string ReadFile(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

void WriteFile(fs::path const& path, std::string const& text, bool executable = false)
{
    std::ofstream(path, std::ios::binary) << text;
    if (executable)
        chmod(path.c_str(), 0755);
}

// The binding file's UTF-16LE form with byte-order mark; the lines are ASCII.
std::string Utf16(std::string const& text)
{
    std::string bytes = "\xFF\xFE";
    for (char c : text)
        bytes += { c, '\0' };
    return bytes;
}

struct StartedProgram {
    int pid = 0;
    std::vector<std::string> words;
};

// The processes whose parent is `parent`, with their command lines.
std::vector<StartedProgram> ChildrenOf(int parent)
{
    std::vector<StartedProgram> children;
    std::error_code error;
    for (auto const& entry : fs::directory_iterator("/proc", error)) {
        if (!std::isdigit(static_cast<unsigned char>(entry.path().filename().native().front())))
            continue;
        std::string stat = testing_support::ReadProcessFile(entry.path() / "stat");
        size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) != 2 || ppid != parent || state == 'Z')
            continue;
        StartedProgram child { std::atoi(entry.path().filename().c_str()), {} };
        std::string line = testing_support::ReadProcessFile(entry.path() / "cmdline");
        for (size_t start = 0; start < line.size();) {
            size_t end = line.find('\0', start);
            child.words.push_back(line.substr(start, end - start));
            start = end == std::string::npos ? line.size() : end + 1;
        }
        children.push_back(std::move(child));
    }
    return children;
}

bool EndsWith(std::string const& text, std::string const& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class ExampleOnDesktop : public testing::Test {
protected:
    XvfbSession x;
    fs::path folder = fs::temp_directory_path() / ("desktop-example-" + std::to_string(::getpid()));

    void SetUp() override
    {
        fs::remove_all(folder);
        fs::copy(DESKTOP_EXAMPLE_DIR, folder, fs::copy_options::recursive);
        // xdg-open ends at once, handing the file on to whatever the desktop
        // picks; a stand-in earlier on PATH notes what it was asked instead.
        fs::create_directory(folder / "bin");
        WriteFile(folder / "bin/xdg-open", "#!/bin/sh\necho \"$PWD $*\" >> \"" + (folder / "opened").string() + "\"\n", true);
    }

    void TearDown() override { fs::remove_all(folder); }

    // A program of ours started in the example's folder, as scripts/example does.
    std::unique_ptr<ChildProcess> StartInFolder(std::string const& program, std::vector<std::string> arguments)
    {
        std::vector<std::string> words { "-c", "cd \"$0\" && PATH=\"$0/bin:$PATH\" exec \"$@\"", folder.string(), program };
        words.insert(words.end(), arguments.begin(), arguments.end());
        return std::make_unique<ChildProcess>("/bin/sh", words);
    }

    // A program `parent` started whose first word ends in one of `names`; it
    // is ended here, so that its window covers no page.
    bool Started(ChildProcess& parent, std::vector<std::string> const& names)
    {
        return XvfbSession::WaitUntil([&] {
            for (StartedProgram const& child : ChildrenOf(parent.Pid())) {
                bool named = std::any_of(names.begin(), names.end(),
                    [&](std::string const& name) { return !child.words.empty() && EndsWith(child.words.front(), name); });
                if (named) {
                    ::kill(child.pid, SIGTERM);
                    return true;
                }
            }
            return false;
        }, 5s);
    }

    std::string Opened() { return ReadFile(folder / "opened"); }

    XId PanelWindowAt(Geometry where)
    {
        XId found = 0;
        XvfbSession::WaitUntil([&] {
            for (XId window : x.WindowsOfClass("vessarine")) {
                if (x.IsShown(window) && x.GeometryOf(window) == where)
                    found = window;
            }
            return found != 0;
        });
        return found;
    }

    // Taps until `answered` holds: a page ignores taps until its opening animation is over.
    bool TapUntil(Geometry page, int x0, int y0, std::function<bool()> const& answered)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            x.Xdotool({ "mousemove", std::to_string(page.x + x0), std::to_string(page.y + y0), "click", "1" });
            if (answered())
                return true;
        }
        return false;
    }

    std::string DaemonTitle()
    {
        for (XId window : x.WindowsOfClass("brellum")) {
            if (std::string title = x.TitleOf(window); title.starts_with("Brellum"))
                return title;
        }
        return {};
    }

    void HoldKey(char const* key, std::chrono::milliseconds time)
    {
        x.Xdotool({ "keydown", key, "sleep", std::to_string(double(time.count()) / 1000.0), "keyup", key });
    }
};

TEST_F(ExampleOnDesktop, EveryButtonStartsItsProgramAndNoPageCoversTheTopRight)
{
    ASSERT_TRUE(x.Ready());
    auto panel = StartInFolder(VESSARINE_PATH, { "VessarineSettings.ini" });
    Geometry const start { 16, 16, 292, 196 }; // Width and the border on both sides
    ASSERT_NE(PanelWindowAt(start), 0u) << "no start page at its place";
    // Buttons 84x26 at columns 12, 102, 192 and rows 96, 128; tapped at their centres.
    EXPECT_TRUE(TapUntil(start, 54, 109, [&] { return Started(*panel, { "x-terminal-emulator", "xterm" }); })) << "Terminal";
    EXPECT_TRUE(TapUntil(start, 234, 109, [&] { return Started(*panel, { "xclock" }); })) << "Uhr";
    EXPECT_TRUE(TapUntil(start, 144, 109, [&] {
        return XvfbSession::WaitUntil([&] { return Opened().find(" Notizen.txt\n") != std::string::npos; }, 2s);
    })) << "Notizen";
    EXPECT_EQ(Opened(), folder.string() + " Notizen.txt\n") << "not opened in the example's folder";
    EXPECT_TRUE(TapUntil(start, 54, 141, [&] {
        return XvfbSession::WaitUntil([&] { return Opened().find(" .\n") != std::string::npos; }, 2s);
    })) << "Ordner";

    for (XId window : x.WindowsOfClass("vessarine")) {
        if (!x.IsShown(window))
            continue;
        Geometry g = x.GeometryOf(window);
        EXPECT_FALSE(g.x + g.width > XvfbSession::kWidth - 64 && g.y < 64) << "a page covers the top-right corner";
    }

    // "Mehr »" switches to the second page, where the dial starts xeyes.
    uint32_t const secondPage = 0xF4EEDC;
    EXPECT_TRUE(TapUntil(start, 144, 141, [&] {
        return XvfbSession::WaitUntil([&] { return x.Capture({ start.x + 250, start.y + 20, 1, 1 }).front() == secondPage; }, 2s);
    })) << "Mehr »";
    EXPECT_TRUE(TapUntil(start, 30, 72, [&] { return Started(*panel, { "xeyes" }); })) << "the dial";
    EXPECT_TRUE(panel->Running());
}

TEST_F(ExampleOnDesktop, TheDaemonsKeysStartProgramsAndSwitchBindings)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartInFolder(BRELLUM_PATH, { "Brellum.ini" });
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonTitle() == "Brellum v1.3 (3 aktiv)"; }));
    // Short presses last 800 to 1499 ms in the example, longer ones are long.
    HoldKey("F9", 1100ms);
    EXPECT_TRUE(Started(*daemon, { "xclock" })) << "F9";
    HoldKey("F9", 1800ms);
    EXPECT_TRUE(Started(*daemon, { "x-terminal-emulator", "xterm" })) << "F9 held long";
    HoldKey("F10", 1100ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Opened() == folder.string() + " Notizen.txt\n"; }, 3s))
        << "F10 did not open the notes: " << Opened();
    HoldKey("F11", 1100ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return DaemonTitle() == "Brellum v1.3 (2 aktiv)"; }, 3s))
        << "F11 did not load the night's bindings: " << DaemonTitle();
    HoldKey("F11", 1100ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return DaemonTitle() == "Brellum v1.3 (3 aktiv)"; }, 3s))
        << "F11 did not switch back to the day's bindings: " << DaemonTitle();
    EXPECT_TRUE(daemon->Running());
}

TEST_F(ExampleOnDesktop, DevicePathsLieBelowTheRootAndNewIniKeepsTheDaemonBound)
{
    ASSERT_TRUE(x.Ready());
    fs::path root = folder / "device";
    fs::create_directories(root / "Windows");
    WriteFile(root / "Windows/mark.sh", "#!/bin/sh\necho pressed > \"" + (folder / "marked").string() + "\"\n", true);
    WriteFile(root / "Brellum.ini", Utf16("BRELLUM\r\nKeyCode=120\r\nNewIni=\\BrellumNacht.ini\r\n\r\n"
                                          "SETTINGS\r\nElapseTime=300\r\nElapseTimeLong=3000\r\n"));
    WriteFile(root / "BrellumNacht.ini", Utf16("BRELLUM\r\nKeyCode=121\r\nCommand=\\Windows\\mark.sh\r\n\r\n"
                                               "BRELLUM\r\nKeyCode=122\r\nCommand=\\Windows\\mark.sh\r\n\r\n"
                                               "SETTINGS\r\nElapseTime=300\r\nElapseTimeLong=3000\r\n"));

    auto daemon = std::make_unique<ChildProcess>(BRELLUM_PATH, std::vector<std::string> { "--root", root.string(), "\\Brellum.ini" });
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonTitle() == "Brellum v1.3 (1 aktiv)"; }));
    HoldKey("F9", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return DaemonTitle() == "Brellum v1.3 (2 aktiv)"; }, 3s))
        << "\\BrellumNacht.ini was not loaded from below the root: " << DaemonTitle();
    HoldKey("F10", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return fs::exists(folder / "marked"); }, 3s))
        << "the new bindings do not run \\Windows\\mark.sh below the root";
    EXPECT_TRUE(daemon->Running());
}

}
}
