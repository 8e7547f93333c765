#include "config/Reports.h"
#include "tests/support/BoxLine.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace config;
using testing_support::BoxLine;
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
    EXPECT_EQ(device.Events("msgbox"), (std::vector<std::string> {
        BoxLine("DesktopObject - Ignoriere unbekannten Wert:", " Width=3", "warning", true),
        BoxLine("GlobalSetting - Ignoriere Fehler:", "Width=", "warning", true),
        BoxLine("Vessarine - Ignoriere unbekannten Typ:", "[TEXT]", "warning", true),
        BoxLine("Settings - Ignoriere unbekannten Wert:", "Elapse=1", "warning", false),
        BoxLine("Brellum - Ignoriere Fehler:", "Command=abc", "warning", false),
        BoxLine("Brellum - Ignoriere unbekannten Typ:", "[BRELLUM]", "warning", false),
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
    std::string const prefix = "Die Datei ist leer oder nicht im Unicode Format:\\n";
    EXPECT_EQ(device.Events("msgbox"), (std::vector<std::string> {
        BoxLine("Fehler", prefix + "\\\\" + std::string(209, 'p'), "error", true),
        BoxLine("Fehler", prefix + "\\\\" + std::string(258, 'p'), "error", false),
        BoxLine("Fehler", prefix + "\\\\short.ini", "error", true),
        BoxLine("Fehler", "Der Pfad zum Programm konnte nicht ermittelt werden.", "error", false),
    }));
}
