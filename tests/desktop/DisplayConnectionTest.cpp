// The panel and the daemon without a display, and when theirs goes away:
// one line on standard error, and exit code 2 or 1.

#include "tests/desktop/StartedProgram.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <ostream>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::TestDevice;

struct DisplayProgram {
    std::string name;
    std::string path;
    std::string file;
    // Its file; the program shows a window on it (the panel's page is page.ini).
    std::u16string text;
};

void PrintTo(DisplayProgram const& program, std::ostream* out)
{
    *out << program.name;
}

std::string NameOf(testing::TestParamInfo<DisplayProgram> const& program)
{
    return program.param.name;
}

class DisplayConnection : public testing::TestWithParam<DisplayProgram> {
protected:
    TestDevice device;

    std::string ErrorFile() const { return device.Root() + "/error.txt"; }

    std::unique_ptr<ChildProcess> Start(std::vector<std::string> environment)
    {
        device.WriteUtf16("page.ini", u"GLOBALSETTINGS\r\nWidth=100\r\nStartUpAnimation=NoAnimation\r\n");
        device.WriteUtf16(GetParam().file, GetParam().text);
        return StartProgram(GetParam().path,
            { .arguments = { device.Root() + "/" + GetParam().file }, .environment = environment, .errorFile = ErrorFile() });
    }
};

TEST_P(DisplayConnection, WithoutADisplayItSaysSoInOneLineAndEndsWithTwo)
{
    std::string const& name = GetParam().name;
    struct Case {
        std::vector<std::string> environment;
        std::string line;
    };
    for (Case const& c : {
             Case { { "-u", "DISPLAY" }, name + ": Kein Display: DISPLAY ist nicht gesetzt (ohne Display läuft das Programm mit cesim)." },
             Case { { "DISPLAY=:65000" }, name + ": Das Display \":65000\" ist nicht erreichbar." },
         }) {
        auto program = Start(c.environment);
        EXPECT_EQ(program->WaitForExit(5s), std::optional<int>(2)) << c.line;
        EXPECT_EQ(Lines(ErrorFile()), std::vector<std::string> { c.line });
    }
}

TEST_P(DisplayConnection, WhenItsDisplayGoesAwayItSaysSoAndEndsWithOne)
{
    XvfbSession x;
    ASSERT_TRUE(x.Ready());
    auto program = Start({});
    ASSERT_NE(x.WaitForWindow(GetParam().name, [](XId) { return true; }), 0u) << "no window";
    x.StopServer();
    EXPECT_EQ(program->WaitForExit(5s), std::optional<int>(1));
    // A sanitizer build may add its report after the line.
    std::vector<std::string> lines = Lines(ErrorFile());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), GetParam().name + ": Die Verbindung zum Display ist abgebrochen.");
}

INSTANTIATE_TEST_SUITE_P(PanelAndDaemon, DisplayConnection,
    testing::Values(DisplayProgram { "vessarine", VESSARINE_PATH, "VessarineSettings.ini", u"page.ini\r\n" },
        DisplayProgram { "brellum", BRELLUM_PATH, "Brellum.ini", u"SETTINGS\r\nElapseTime=300\r\n" }),
    NameOf);

}
}
