#include "config/ConfigFile.h"
#include "config/Reports.h"
#include "config/SectionReader.h"
#include "config/Strings.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace config;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::TestDevice;

namespace {

// Knows TEXT and GLOBALSETTINGS, and writes down what the loop hands it.
class RecordingHandler final : public SectionHandler {
public:
    bool OpenSection(char16_t const* line, size_t length) override
    {
        for (char16_t const* keyword : { u"TEXT", u"GLOBALSETTINGS" }) {
            if (CompareN(keyword, line, StringLength(keyword)) == 0) {
                calls.push_back(u"open " + std::u16string(line, length));
                return true;
            }
        }
        return false;
    }
    void KeyLine(char16_t const* line, size_t length) override { calls.push_back(u"key " + std::u16string(line, length)); }
    void CloseSection() override { calls.push_back(u"close"); }

    std::vector<std::u16string> calls;
};

using Calls = std::vector<std::u16string>;

Calls Read(TestDevice& device, std::u16string_view text, Dialect const& dialect = kPanelDialect)
{
    device.WriteUtf16("layout.ini", text);
    auto file = OpenConfigFile(dialect, u"\\layout.ini", kFileNotFoundCaption);
    EXPECT_TRUE(file.IsOpen());
    RecordingHandler handler;
    ReadSections(dialect, file, handler);
    return handler.calls;
}

}

TEST(SectionReader, EmptyLinesEndSectionsAndCommentsDoNot)
{
    TestDevice device;
    auto calls = Read(device,
        u"; a layout\r\n"
        u"TEXT\r\n"
        u"Text=a\r\n"
        u"# comment\r\n"
        u"'comment\r\n"
        u"(comment\r\n"
        u"/comment\r\n"
        u";comment\r\n"
        u"Color=FF0000\r\n"
        u"\r\n"
        u"\r\n"
        u"GLOBALSETTINGS and more\r\n"
        u"Width=100");
    EXPECT_EQ(calls, (Calls { u"open TEXT", u"key Text=a", u"key Color=FF0000", u"close", u"open GLOBALSETTINGS and more", u"key Width=100", u"close" }));
    EXPECT_TRUE(device.Events("msgbox").empty());
}

TEST(SectionReader, KeyLinesReachTheSectionUnchanged)
{
    TestDevice device;
    std::u16string longLine = u"Text=" + std::u16string(295, u'x');
    auto calls = Read(device,
        u"TEXT\n"
        u" Color=1\n"
        u"TIME\n"
        u"   \n"
        + longLine + u"\n");
    EXPECT_EQ(calls, (Calls { u"open TEXT", u"key  Color=1", u"key TIME", u"key    ", u"key " + longLine.substr(0, 259), u"key " + longLine.substr(259), u"close" }));
    EXPECT_TRUE(device.Events("msgbox").empty());
}

TEST(SectionReader, UnknownHeadersAreReportedLineByLine)
{
    TestDevice device;
    auto calls = Read(device,
        u"[TEXT]\r\n"
        u"Text=a\r\n"
        u"# comment\r\n"
        u"Text\r\n"
        u"\r\n"
        u"TEXT\r\n"
        u"Text=b\r\n");
    EXPECT_EQ(calls, (Calls { u"open TEXT", u"key Text=b", u"close" }));
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        AtLine(BoxEvent("Vessarine - Ignoriere unbekannten Typ:", "[TEXT]", "warning", true), "\\layout.ini", 1),
        AtLine(BoxEvent("Vessarine - Ignoriere unbekannten Typ:", "Text=a", "warning", true), "\\layout.ini", 2),
        AtLine(BoxEvent("Vessarine - Ignoriere unbekannten Typ:", "Text", "warning", true), "\\layout.ini", 4),
    }));

    TestDevice daemon;
    Read(daemon, u"[BRELLUM]\n", kDaemonDialect);
    EXPECT_THAT(daemon.ParsedEvents("msgbox"), EventsAre({
        AtLine(BoxEvent("Brellum - Ignoriere unbekannten Typ:", "[BRELLUM]", "warning", false), "\\layout.ini", 1),
    }));
}

TEST(SectionReader, ALineOfExactlyTheBufferLessTwoEndsItsSection)
{
    TestDevice device;
    std::u16string line = u"Text=" + std::u16string(253, u'x');
    auto calls = Read(device, u"TEXT\r\n" + line + u"\r\nColor=1\r\n");
    EXPECT_EQ(calls, (Calls { u"open TEXT", u"key " + line, u"close" }));
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        AtLine(BoxEvent("Vessarine - Ignoriere unbekannten Typ:", "Color=1", "warning", true), "\\layout.ini", 3),
    }));
}

// A piece of a long line and a CR LF split by the buffer keep the line they belong to.
TEST(SectionReader, BoxesNameThePhysicalLine)
{
    TestDevice device;
    std::u16string const longLine = u"Bad=" + std::u16string(300, u'x');
    std::u16string const splitEnd = u"Text=" + std::u16string(253, u'x');
    Read(device, u"X\r\n\r\n" + longLine + u"\n\rTEXT\r\n" + splitEnd + u"\r\nY\r\n");
    EXPECT_THAT(device.ParsedEvents("msgbox"), testing_support::EventsHave({
        testing_support::TraceEvent { { "text", "X" }, { "line", 1 } },
        testing_support::TraceEvent { { "text", "Bad=" + std::string(255, 'x') }, { "line", 3 } },
        testing_support::TraceEvent { { "text", std::string(45, 'x') }, { "line", 3 } },
        testing_support::TraceEvent { { "text", "Y" }, { "line", 7 } },
    }));
}

TEST(SectionReader, AFailingReadEndsTheLoop)
{
    // Claims bytes it never delivers.
    class BrokenStream final : public platform::FileStream {
    public:
        size_t Read(void*, size_t) override { return 0; }
        bool SeekRelative(int64_t) override { return false; }
        uint64_t Position() const override { return 2; }
        uint64_t Size() const override { return 100; }
    };
    platform::File file(std::make_unique<BrokenStream>());
    RecordingHandler handler;
    ReadSections(kPanelDialect, file, handler);
    EXPECT_TRUE(handler.calls.empty());
}
