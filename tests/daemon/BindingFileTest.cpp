#include "daemon/BindingSet.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

using brellum::BindingSet;
using testing_support::BoxSaying;
using testing_support::EventsHave;
using testing_support::HasFields;
using testing_support::TestDevice;

namespace {

// Loads `text` as \b.ini.
struct Loaded {
    explicit Loaded(std::u16string_view text)
    {
        device.WriteUtf16("b.ini", text);
        ok = set.LoadBindingFile(u"\\b.ini");
    }

    brellum::KeyBinding const& Binding(size_t index) { return *set.Bindings().at(index); }

    TestDevice device;
    BindingSet set;
    bool ok = false;
};

}

TEST(BindingFile, ReadsBindingsAndSettingsOfAWholeFile)
{
    Loaded file(
        u"; first binding\r\n"
        u"BRELLUM\r\n"
        u"KeyCode=193\r\n"
        u"Command=\\Windows\\prog1.exe\r\n"
        u"CommandLong=\\Windows\\prog2.exe\r\n"
        u"\r\n"
        u"BRELLUM\r\n"
        u"KeyCode=194\r\n"
        u"CommandShort=\\Windows\\prog3.exe\r\n"
        u"NewIni=\\other.ini\r\n"
        u"Disable=1\r\n"
        u"\r\n"
        u"SETTINGS\r\n"
        u"ElapseTime=800\r\n"
        u"ElapseTimeLong=1500\r\n"
        u"CheckIntervall=50\r\n"
        u"QueryTermination=0\r\n");
    ASSERT_TRUE(file.ok);
    EXPECT_TRUE(file.device.ParsedEvents("msgbox").empty());
    ASSERT_EQ(file.set.Count(), 2u);
    EXPECT_EQ(file.Binding(0).keyCode, 193);
    EXPECT_EQ(file.Binding(0).command, u"\\Windows\\prog1.exe");
    EXPECT_EQ(file.Binding(0).commandLong, u"\\Windows\\prog2.exe");
    EXPECT_FALSE(file.Binding(0).newIni);
    EXPECT_FALSE(file.Binding(0).disableAfter);
    EXPECT_EQ(file.Binding(1).keyCode, 194);
    EXPECT_EQ(file.Binding(1).command, u"\\Windows\\prog3.exe");
    EXPECT_FALSE(file.Binding(1).commandLong);
    EXPECT_EQ(file.Binding(1).newIni, u"\\other.ini");
    EXPECT_TRUE(file.Binding(1).disableAfter);
    EXPECT_EQ(file.set.Settings().elapseTime, 800u);
    EXPECT_EQ(file.set.Settings().elapseTimeLong, 1500u);
    EXPECT_EQ(file.set.Settings().checkInterval, 50u);
    EXPECT_FALSE(file.set.Settings().queryTermination);
}

TEST(BindingFile, SettingsAloneAndRepeatedSettings)
{
    Loaded file(
        u"SETTINGS\n"
        u"ElapseTimeShort=700\n"
        u"ElapseTimeLong=-1\n"
        u"CheckIntervall=-100\n"
        u"\n"
        u"SETTINGS\n"
        u"ElapseTime=900\n"
        u"QueryTermination=y\n");
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.set.Count(), 0u);
    // A negative time is a very long one.
    EXPECT_EQ(file.set.Settings().elapseTimeLong, 0xFFFFFFFFu);
    EXPECT_EQ(file.set.Settings().checkInterval, uint32_t(-100));
    EXPECT_EQ(file.set.Settings().elapseTime, 900u);
    EXPECT_TRUE(file.set.Settings().queryTermination);

    Loaded shortSpelling(u"SETTINGS\nElapseTimeShort=700\n");
    Loaded plainSpelling(u"SETTINGS\nElapseTime=700\n");
    EXPECT_EQ(shortSpelling.set.Settings().elapseTime, 700u);
    EXPECT_EQ(plainSpelling.set.Settings().elapseTime, 700u);
}

TEST(BindingFile, KeyCodeAndDisableValues)
{
    Loaded file(
        u"BRELLUM\nKeyCode=abc\n\n"
        u"BRELLUM\nKeyCode=\nKeyCode=  42x\n\n"
        u"BRELLUM\nDisable=1\n\nBRELLUM\nDisable=yes\n\nBRELLUM\nDisable=j\n\n"
        u"BRELLUM\nDisable=0\n\nBRELLUM\nDisable=Y\n\nBRELLUM\nDisable=1\nDisable=\n");
    ASSERT_EQ(file.set.Count(), 8u);
    EXPECT_EQ(file.Binding(0).keyCode, 0);
    EXPECT_EQ(file.Binding(1).keyCode, 42);
    bool const disabled[] = { true, true, false, false, false, true };
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(file.Binding(2 + i).disableAfter, disabled[i]) << "binding " << 2 + i;
    EXPECT_THAT(file.device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Brellum - Ignoriere Fehler:", "KeyCode="),
        BoxSaying("Brellum - Ignoriere Fehler:", "Disable="),
    }));
}

TEST(BindingFile, StringValuesAndTheirMinimumLength)
{
    Loaded file(
        u"BRELLUM\n"
        u"Command=\\a.e\n"
        u"Command=  \\ab.e  \n"
        u"CommandLong=\\long.exe\n"
        u"CommandLong=\\x\n"
        u"NewIni=\\b.i\n"
        u"NewIni=\\n.ini\n"
        u"NewIni=\\m.ini\n"
        u"CommandShort=\\short.exe\n");
    ASSERT_EQ(file.set.Count(), 1u);
    // Leading blanks go, trailing blanks stay; the later line wins.
    EXPECT_EQ(file.Binding(0).command, u"\\short.exe");
    EXPECT_EQ(file.Binding(0).commandLong, u"\\long.exe");
    EXPECT_EQ(file.Binding(0).newIni, u"\\m.ini");
    EXPECT_THAT(file.device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Brellum - Ignoriere Fehler:", "Command=\\a.e"),
        BoxSaying("Brellum - Ignoriere Fehler:", "CommandLong=\\x"),
        BoxSaying("Brellum - Ignoriere Fehler:", "NewIni=\\b.i"),
    }));

    Loaded blanks(u"BRELLUM\nCommand=  \\ab.e  \n");
    EXPECT_EQ(blanks.Binding(0).command, u"\\ab.e  ");
}

TEST(BindingFile, UnknownTypesKeysAndMissingSeparators)
{
    Loaded file(
        u"[BRELLUM]\n"
        u"Brellum\n"
        u"\n"
        u"BRELLUM first\n"
        u" KeyCode=1\n"
        u"KeyCode=5\n"
        u"# a comment does not end the section\n"
        u"Command=\\first.exe\n"
        u"BRELLUM\n"
        u"KeyCode=6\n"
        u"\n"
        u"SETTINGS\n"
        u"Elapse=3\n"
        u"ElapseTime=\n"
        u"BRELLUM\n"
        u"CheckIntervall=20\n");
    ASSERT_EQ(file.set.Count(), 1u);
    EXPECT_EQ(file.Binding(0).keyCode, 6);
    EXPECT_EQ(file.Binding(0).command, u"\\first.exe");
    EXPECT_EQ(file.set.Settings().checkInterval, 20u);
    EXPECT_EQ(file.set.Settings().elapseTime, 1000u);
    EXPECT_THAT(file.device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Brellum - Ignoriere unbekannten Typ:", "[BRELLUM]"),
        BoxSaying("Brellum - Ignoriere unbekannten Typ:", "Brellum"),
        BoxSaying("Brellum - Ignoriere unbekannten Wert:", " KeyCode=1"),
        BoxSaying("Brellum - Ignoriere unbekannten Wert:", "BRELLUM"),
        BoxSaying("Settings - Ignoriere unbekannten Wert:", "Elapse=3"),
        BoxSaying("Settings - Ignoriere Fehler:", "ElapseTime="),
        BoxSaying("Settings - Ignoriere unbekannten Wert:", "BRELLUM"),
    }));
}

TEST(BindingFile, UnreadableFilesLeaveAnEmptyConfiguration)
{
    Loaded file(u"BRELLUM\nKeyCode=193\n\nSETTINGS\nElapseTime=5\nQueryTermination=0\n");
    ASSERT_EQ(file.set.Count(), 1u);

    file.device.WriteBytes("plain.ini", "BRELLUM\r\nKeyCode=193\r\n");
    file.device.WriteUtf16("bigendian.ini", u"", false);
    file.device.WriteBytes("bigendian.ini", "\xFE\xFF");
    file.device.WriteBytes("empty.ini", "");
    EXPECT_FALSE(file.set.LoadBindingFile(u"\\plain.ini"));
    EXPECT_EQ(file.set.Count(), 0u);
    EXPECT_EQ(file.set.Settings().elapseTime, 1000u);
    EXPECT_TRUE(file.set.Settings().queryTermination);
    EXPECT_FALSE(file.set.LoadBindingFile(u"\\bigendian.ini"));
    EXPECT_FALSE(file.set.LoadBindingFile(u"\\empty.ini"));
    EXPECT_FALSE(file.set.LoadBindingFile(u"\\missing.ini"));
    EXPECT_THAT(file.device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\plain.ini"),
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\bigendian.ini"),
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\empty.ini"),
        BoxSaying("Datei nicht gefunden:", "\\missing.ini"),
    }));
    for (auto const& box : file.device.ParsedEvents("msgbox"))
        EXPECT_THAT(box, HasFields({ { "icon", "error" }, { "foreground", false } }));

    // Only the byte-order mark: loaded, nothing in it, nothing reported.
    file.device.WriteUtf16("mark.ini", u"");
    EXPECT_TRUE(file.set.LoadBindingFile(u"\\mark.ini"));
    EXPECT_EQ(file.device.ParsedEvents("msgbox").size(), 4u);
}

TEST(BindingFile, LocatesTheFileByCommandLineOrBesideTheProgram)
{
    platform::DeviceSettings settings;
    settings.exe = u"\\Programme\\Tools/Brellum.exe";
    TestDevice device(settings);
    device.WriteUtf16("Programme/Tools/Brellum.ini", u"BRELLUM\nKeyCode=100\n");
    device.WriteUtf16("mine.ini", u"BRELLUM\nKeyCode=101\n\nBRELLUM\nKeyCode=102\n");
    BindingSet set;

    ASSERT_TRUE(set.LocateBindingFile(u""));
    EXPECT_EQ(set.Count(), 1u);
    ASSERT_TRUE(set.LocateBindingFile(u"\\mine.ini"));
    EXPECT_EQ(set.Count(), 2u);
    // The command line is the path as it stands: quotes and blanks stay.
    EXPECT_FALSE(set.LocateBindingFile(u"\"\\mine.ini\""));
    EXPECT_FALSE(set.LocateBindingFile(u"\\mine.ini "));
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Datei nicht gefunden:", "\"\\mine.ini\""),
        BoxSaying("Datei nicht gefunden:", "\\mine.ini "),
    }));
}

TEST(BindingFile, ProgramWithoutAFolderKeepsItsFirstCharacter)
{
    platform::DeviceSettings settings;
    settings.exe = u"X.exe";
    TestDevice device(settings);
    device.WriteUtf16("XBrellum.ini", u"BRELLUM\nKeyCode=100\n");
    BindingSet set;
    EXPECT_TRUE(set.LocateBindingFile(u""));
    EXPECT_EQ(set.Count(), 1u);
}
