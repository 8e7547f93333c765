#include "config/Paths.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <string>

using namespace config;
using testing_support::BoxEvent;
using testing_support::EventsAre;

namespace {

// A destination with guard units behind its capacity, to catch writes past it.
struct Destination {
    static constexpr size_t kGuard = 8;
    explicit Destination(size_t size)
        : capacity(size)
        , units(size + kGuard, u'#')
    {
    }
    char16_t* data() { return units.data(); }
    std::u16string Text() const { return std::u16string(units.c_str()); }
    bool GuardIntact() const { return units.substr(capacity) == std::u16string(kGuard, u'#'); }

    size_t capacity;
    std::u16string units;
};

std::u16string Join(char16_t const* relative, char16_t const* folder, size_t capacity = kPathCapacity)
{
    Destination destination(capacity);
    size_t length = JoinPath(destination.data(), capacity, relative, folder);
    EXPECT_TRUE(destination.GuardIntact());
    EXPECT_EQ(length, destination.Text().size());
    return destination.Text();
}

}

TEST(Paths, JoinPathAppendsToTheFolderAndClimbsParentFolders)
{
    EXPECT_EQ(Join(u"..\\img\\a.bmp", u"\\Storage Card\\panel\\"), u"\\Storage Card\\img\\a.bmp");
    EXPECT_EQ(Join(u"\\a.bmp", u"\\Storage Card\\panel\\"), u"\\Storage Card\\panel\\a.bmp");
    EXPECT_EQ(Join(u"a.bmp", u"\\Storage Card\\panel\\"), u"\\Storage Card\\panel\\a.bmp");
    EXPECT_EQ(Join(u"\\a.bmp", u""), u"a.bmp");
    EXPECT_EQ(Join(u"a.bmp", u"\\Windows"), u"\\Windows\\a.bmp");
    EXPECT_EQ(Join(u"../x/a.bmp", u"/a/b/c/"), u"/a/b/x/a.bmp");
    EXPECT_EQ(Join(u"..\\..\\a.bmp", u"\\a\\b\\c\\"), u"\\a\\a.bmp");
    // At the root the climbing ends: what is left of the path is kept.
    EXPECT_EQ(Join(u"..\\..\\a.bmp", u"\\a\\"), u"a.bmp");
    EXPECT_EQ(Join(u"..\\a.bmp", u""), u"..\\a.bmp");
    EXPECT_EQ(Join(u"..a.bmp", u"\\a\\"), u"\\a\\..a.bmp");
    EXPECT_EQ(Join(u" a.bmp", u"\\a\\"), u"\\a\\ a.bmp");
}

TEST(Paths, JoinPathNeverWritesPastTheCapacity)
{
    EXPECT_EQ(Join(u"abcdef", u"\\ab\\", 8), u"\\ab\\abc");
    EXPECT_EQ(Join(u"abcdef", u"\\abcdefghij\\", 8), u"\\abcdef");
    // No room for the separator and the terminator both: the separator is left out.
    EXPECT_EQ(Join(u"x", u"\\abcdef", 8), u"\\abcdef");
    EXPECT_EQ(Join(u"x", u"\\abcde", 8), u"\\abcde\\");
    EXPECT_EQ(Join(u"x", u"\\ab\\", 1), u"");
    Destination none(0);
    EXPECT_EQ(JoinPath(none.data(), 0, u"x", u"\\ab\\"), 0u);
    EXPECT_TRUE(none.GuardIntact());

    std::u16string longName(400, u'n');
    std::u16string joined = Join(longName.c_str(), u"\\Storage Card\\");
    EXPECT_EQ(joined.size(), kPathCapacity - 1);
    EXPECT_EQ(joined.substr(0, 14), u"\\Storage Card\\");
}

TEST(Paths, FolderLengthEndsAtTheLastSeparator)
{
    EXPECT_EQ(FolderLength(u"\\Storage Card\\panel\\main.ini"), 20u);
    EXPECT_EQ(FolderLength(u"/a/b\\c"), 5u);
    EXPECT_EQ(FolderLength(u"\\a\\"), 3u);
    EXPECT_EQ(FolderLength(u"\\main.ini"), 1u);
    EXPECT_EQ(FolderLength(u"main.ini"), 0u);
    EXPECT_EQ(FolderLength(u"m"), 0u);
    EXPECT_EQ(FolderLength(u""), 0u);
}

TEST(Paths, ResolveInFolderKeepsAbsoluteValuesAndNeedsAFolder)
{
    Destination destination(kPathCapacity);
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"img\\a.bmp", nullptr), 0u);
    EXPECT_EQ(destination.units[0], u'#');

    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"\\img\\a.bmp", u"\\panel\\"), 10u);
    EXPECT_EQ(destination.Text(), u"\\img\\a.bmp");
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"/img/a.bmp", u""), 10u);
    EXPECT_EQ(destination.Text(), u"/img/a.bmp");
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"..\\img\\a.bmp", u"\\Storage Card\\panel\\"), 23u);
    EXPECT_EQ(destination.Text(), u"\\Storage Card\\img\\a.bmp");
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"a.bmp", u""), 5u);
    EXPECT_EQ(destination.Text(), u"a.bmp");
    // A Windows drive is a root too; a name with a colon elsewhere is not.
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"C:\\img\\a.bmp", u"\\panel\\"), 12u);
    EXPECT_EQ(destination.Text(), u"C:\\img\\a.bmp");
    EXPECT_EQ(ResolveInFolder(destination.data(), kPathCapacity, u"C:a.bmp", u"\\panel\\"), 14u);
    EXPECT_EQ(destination.Text(), u"\\panel\\C:a.bmp");

    Destination small(6);
    EXPECT_EQ(ResolveInFolder(small.data(), 6, u"\\img\\a.bmp", u"\\panel\\"), 5u);
    EXPECT_EQ(small.Text(), u"\\img\\");
    EXPECT_TRUE(small.GuardIntact());
}

TEST(Paths, ResolveProgramPathJoinsToTheProgramFolder)
{
    platform::DeviceSettings settings;
    settings.exe = u"\\Programme\\Vessarine\\Vessarine.exe";
    testing_support::TestDevice device(settings);
    Destination destination(kPathCapacity);
    EXPECT_EQ(ResolveProgramPath(kPanelDialect, destination.data(), kPathCapacity, u"VessarineSettings.ini"), 42u);
    EXPECT_EQ(destination.Text(), u"\\Programme\\Vessarine\\VessarineSettings.ini");
    ResolveProgramPath(kPanelDialect, destination.data(), kPathCapacity, u"..\\other\\x.ini");
    EXPECT_EQ(destination.Text(), u"\\Programme\\other\\x.ini");
    EXPECT_TRUE(device.Events("msgbox").empty());
}

TEST(Paths, ResolveProgramPathReportsAMissingProgramPath)
{
    for (auto const* dialect : { &kPanelDialect, &kDaemonDialect }) {
        testing_support::TestDevice device;
        Destination destination(kPathCapacity);
        EXPECT_EQ(ResolveProgramPath(*dialect, destination.data(), kPathCapacity, u"VessarineSettings.ini"), 0u);
        EXPECT_EQ(destination.Text(), u"");
        bool foreground = dialect == &kPanelDialect;
        EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
            BoxEvent("Fehler", "Der Pfad zum Programm konnte nicht ermittelt werden.", "error", foreground),
        }));
    }
}
