#include "config/Reports.h"
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

TEST(Reports, LineWarningsNameTheClassOrTheProgram)
{
    TestDevice device;
    ReportUnknownValue(kPanelDialect, u"DesktopObject", u" Width=3");
    ReportBadValue(kPanelDialect, u"GlobalSetting", u"Width=");
    ReportUnknownType(kPanelDialect, u"[TEXT]");
    ReportUnknownValue(kDaemonDialect, u"Settings", u"Elapse=1");
    ReportBadValue(kDaemonDialect, u"Brellum", u"Command=abc");
    ReportUnknownType(kDaemonDialect, u"[BRELLUM]");
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", " Width=3", "warning", true),
        BoxEvent("GlobalSetting - Ignoriere Fehler:", "Width=", "warning", true),
        BoxEvent("Vessarine - Ignoriere unbekannten Typ:", "[TEXT]", "warning", true),
        BoxEvent("Settings - Ignoriere unbekannten Wert:", "Elapse=1", "warning", false),
        BoxEvent("Brellum - Ignoriere Fehler:", "Command=abc", "warning", false),
        BoxEvent("Brellum - Ignoriere unbekannten Typ:", "[BRELLUM]", "warning", false),
    }));
}

TEST(Reports, NotUnicodeCutsThePathToTheMessageBuffer)
{
    TestDevice device;
    std::u16string path = u"\\" + std::u16string(299, u'p');
    ReportNotUnicode(kPanelDialect, path);
    ReportNotUnicode(kDaemonDialect, path);
    ReportNotUnicode(kPanelDialect, u"\\short.ini");
    ReportError(kDaemonDialect, u"Der Pfad zum Programm konnte nicht ermittelt werden.");
    std::string const prefix = "Die Datei ist leer oder nicht im Unicode Format:\n";
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("Fehler", prefix + "\\" + std::string(209, 'p'), "error", true),
        BoxEvent("Fehler", prefix + "\\" + std::string(258, 'p'), "error", false),
        BoxEvent("Fehler", prefix + "\\short.ini", "error", true),
        BoxEvent("Fehler", "Der Pfad zum Programm konnte nicht ermittelt werden.", "error", false),
    }));
}
