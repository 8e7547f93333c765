// The check of the files, mistake by mistake: each finding names its file,
// its line and its kind, and the exit status says whether anything was found.
// The files lie on a simulated device, checked from its root folder.

#include "daemon/DaemonCheck.h"
#include "launcher/LauncherCheck.h"
#include "panel/core/PanelCheck.h"
#include "programs/check/FileCheck.h"
#include "tests/support/IconWriter.h"
#include "tests/support/TestDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing_support::TestDevice;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

struct Checked {
    int status = 0;
    std::vector<std::string> lines;
};

class FileCheck : public testing::Test {
protected:
    FileCheck()
        : before_(std::filesystem::current_path())
    {
        std::filesystem::current_path(device_.Root());
    }
    ~FileCheck() override { std::filesystem::current_path(before_); }

    Checked Run(CheckEntry check, std::u16string_view commandLine, bool (*hasKey)(uint32_t) = nullptr)
    {
        std::ostringstream out;
        Checked checked;
        checked.status = check::CheckFiles(device_.Device().Services(), hasKey, check, commandLine, "test", out);
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);)
            checked.lines.push_back(line);
        return checked;
    }

    TestDevice device_;

private:
    std::filesystem::path before_;
};

bool OnlyLetterKeys(uint32_t virtualKey)
{
    return virtualKey >= 0x41 && virtualKey <= 0x5A;
}

}

TEST_F(FileCheck, ACleanPanelFindsNothing)
{
    device_.WriteUtf16("VessarineSettings.ini", u"main.ini\r\n");
    device_.WriteUtf16("main.ini", u"GLOBALSETTINGS\r\nBackgroundColor=203040\r\n\r\nTEXT\r\nText=Hallo\r\nFont=Tahoma\r\nCreateFont\r\n");
    Checked checked = Run(panel::CheckVessarineFiles, u"\\VessarineSettings.ini");
    EXPECT_EQ(checked.status, 0);
    EXPECT_THAT(checked.lines, ElementsAre());
}

TEST_F(FileCheck, PanelValuesTheDeviceTakesSilently)
{
    device_.WriteUtf16("VessarineSettings.ini", u"; one layout\r\nmain.ini\r\n");
    device_.WriteUtf16("main.ini",
        u"GLOBALSETTINGS\r\n"           // 1
        u"BackgroundColor=#203040\r\n"  // 2
        u"StartUpAnimation=None\r\n"    // 3
        u"Width=100\r\n"                // 4
        u"Arrange=No\r\n"               // 5
        u"Height=50\r\n"                // 6
        u"\r\n"
        u"TEXT\r\n"                     // 8
        u"Align=Centre\r\n"             // 9
        u"Size=20\r\n"                  // 10
        u"Color=ff0000\r\n"             // 11
        u"\r\n"
        u"SPACE\r\n"                    // 13
        u"x=90\r\n"
        u"Space=40\r\n");
    Checked checked = Run(panel::CheckVessarineFiles, u"\\VessarineSettings.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre(HasSubstr("main.ini:2: warning: the colour \"#203040\" is not six hexadecimal digits RRGGBB in upper case, and is read as 020304"),
            HasSubstr("main.ini:3: warning: the animation \"None\" is not one the panel knows, so it keeps FlyRight"),
            HasSubstr("main.ini:9: warning: the alignment \"Centre\" is not Left, Center or Right"),
            HasSubstr("main.ini:11: warning: the colour \"ff0000\""),
            HasSubstr("main.ini:10: warning: Font, Size or Weight without a CreateFont line"),
            HasSubstr("main.ini:13: warning: the object reaches outside its panel")));
}

TEST_F(FileCheck, PanelButtonsAndTheFilesTheyName)
{
    device_.WriteUtf16("VessarineSettings.ini", u"main.ini\r\n");
    device_.WriteBytes("Windows/calc.exe", "");
    device_.WriteUtf16("main.ini",
        u"GLOBALSETTINGS\r\nArrange=No\r\nWidth=200\r\nHeight=100\r\n\r\n"  // 1-5
        u"BUTTON\r\nWidth=50\r\nHeight=20\r\nCommand=\\Windows\\calc.exe\r\n\r\n"  // 6-10
        u"TEXT\r\nWidth=50\r\nHeight=20\r\nText=Rechner\r\n\r\n"  // 11-15
        u"BUTTON\r\ny=30\r\nWidth=50\r\nHeight=20\r\nCommand=\\Windows\\nothing.exe\r\n\r\n"  // 16-21, the command on 20
        u"BUTTON\r\ny=60\r\nWidth=50\r\nHeight=20\r\nCommand=\"\\Windows\\calc.exe\r\n\r\n"  // 22-27, the command on 26
        u"BUTTON\r\nx=100\r\nWidth=50\r\nHeight=20\r\nNewIni=next.ini\r\nShutDownAnimation=FlyLeft\r\n\r\n"  // 28-34, NewIni on 32
        u"BITMAPBUTTON\r\nx=100\r\ny=40\r\nBitmapNormal=none.bmp\r\n");  // 35-38
    Checked checked = Run(panel::CheckVessarineFiles, u"\\VessarineSettings.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre(HasSubstr("main.ini:38: warning: the bitmap file none.bmp does not exist"),
            HasSubstr("main.ini:6: warning: the button is drawn over by the object of line 11"),
            HasSubstr("main.ini:20: warning: the command's program or file Windows/nothing.exe does not exist"),
            "main.ini:26: error: Fehlendes \" im Command: \"\\Windows\\calc.exe -- "
            "The command opens a double quote and never closes it; add the closing quote.",
            HasSubstr("main.ini:32: warning: the layout file next.ini to switch to does not exist")));
}

TEST_F(FileCheck, PanelLayoutsAreReadOnceAndNamedWhereTheyAreNamed)
{
    device_.WriteUtf16("VessarineSettings.ini", u"main.ini\r\nmissing.ini\r\nutf8.ini\r\n");
    device_.WriteUtf16("main.ini",
        u"GLOBALSETTINGS\r\nBackgroundBitmap=none.bmp\r\n\r\n"
        u"BUTTON\r\nNewIni=second.ini\r\nShutDownAnimation=FlyLeft\r\n");
    device_.WriteUtf16("second.ini", u"TEXT\r\nColour=1\r\n\r\nBUTTON\r\nNewIni=main.ini\r\nShutDownAnimation=FlyUp\r\n");
    device_.WriteBytes("utf8.ini", "TEXT\nText=Grüße\n");
    Checked checked = Run(panel::CheckVessarineFiles, u"\\VessarineSettings.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre(HasSubstr("main.ini:2: error: Fehler Das Hintergrundbild kann nicht gefunden werden"),
            HasSubstr("VessarineSettings.ini:2: error: Datei nicht gefunden: \\missing.ini -- "),
            HasSubstr("VessarineSettings.ini:3: error: Fehler Die Datei ist leer oder nicht im Unicode Format: \\utf8.ini"),
            "VessarineSettings.ini:3: warning: utf8.ini looks like UTF-8 text, but the programs read only UTF-16 that begins "
            "with its byte-order mark; convert it with: iconv -f UTF-8 -t UTF-16 utf8.ini > NEW",
            HasSubstr("second.ini:2: error: DesktopObject - Ignoriere unbekannten Wert: Colour=1")));
}

TEST_F(FileCheck, IconFilesAreNamedAtTheirLines)
{
    using testing_support::IconFile;
    device_.WriteUtf16("VessarineSettings.ini", u"main.ini\r\n");
    device_.WriteBytes("broken.ico", "not an icon");
    device_.WriteBytes("empty.ico", IconFile().Bytes());
    device_.WriteBytes("small.ico", IconFile({ testing_support::SolidEntry(16, 0xFF00FF00) }).Bytes());
    device_.WriteUtf16("main.ini",
        u"ICONXPBUTTON\r\nIconNormal=broken.ico\r\n\r\n"  // 1-3
        u"ICONXPBUTTON\r\nIconNormal=empty.ico\r\n\r\n"  // 4-6
        u"ICONXPBUTTON\r\nSizeNormal=8\r\nIconNormal=small.ico\r\n");  // 7-9
    Checked checked = Run(panel::CheckVessarineFiles, u"\\VessarineSettings.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre(HasSubstr("main.ini:2: error: Keine gültige Icondatei: \\broken.ico -- "),
            HasSubstr("main.ini:5: error: Enthält keine Icons: \\empty.ico -- "),
            HasSubstr("main.ini:9: error: Kein 32Bit Icon gefunden: \\small.ico -- ")));
}

TEST_F(FileCheck, ASettingsFileThatCannotBeReadIsLineZero)
{
    Checked checked = Run(panel::CheckVessarineFiles, u"\\nosuch.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines, ElementsAre(HasSubstr("nosuch.ini:0: error: Datei kann nicht gefunden werden. \\nosuch.ini -- ")));
}

TEST_F(FileCheck, DaemonKeysTimesAndFiles)
{
    device_.WriteUtf16("Brellum.ini",
        u"BRELLUM\r\nKeyCode=65\r\nCommand=\\Windows\\none.exe\r\n\r\n"  // 1-4
        u"BRELLUM\r\nKeyCode=65\r\nNewIni=\\night.ini\r\n\r\n"  // 5-8
        u"BRELLUM\r\nKeyCode=193\r\nBad=1\r\n\r\n"  // 9-12
        u"SETTINGS\r\nCheckIntervall=500\r\nElapseTimeLong=400\r\n");  // 13-15
    Checked checked = Run(brellum::CheckBrellumFiles, u"\\Brellum.ini", OnlyLetterKeys);
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre(HasSubstr("Brellum.ini:11: error: Brellum - Ignoriere unbekannten Wert: Bad=1 -- "),
            HasSubstr("Brellum.ini:13: warning: CheckIntervall (500 ms) is not below ElapseTimeLong (400 ms)"),
            HasSubstr("Brellum.ini:1: warning: the command's program or file Windows/none.exe does not exist"),
            HasSubstr("Brellum.ini:5: warning: the key code 65 is bound already, at line 1; only that first binding is served"),
            HasSubstr("Brellum.ini:5: warning: the binding file night.ini named by NewIni does not exist"),
            HasSubstr("Brellum.ini:9: warning: no key of this keyboard gives the key code 193")));
}

TEST_F(FileCheck, LauncherEntries)
{
    device_.WriteBytes("Windows/calc.exe", "");
    device_.WriteBytes("Talvok.ini", "[RUN]\r\nA=\\Windows\\calc.exe,hide\r\nB=\\Windows\\notes.txt\r\nC=\\Windows\\gone.exe\r\n");
    Checked checked = Run(launcher::CheckTalvokFiles, u"\\Talvok.ini");
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.lines,
        ElementsAre("Talvok.ini:3: warning: the entry \"\\Windows\\notes.txt\" names no .exe program, so it is skipped",
            "Talvok.ini:4: warning: the program Windows/gone.exe does not exist"));

    device_.WriteBytes("Other.ini", "[START]\r\nA=x.exe\r\n");
    EXPECT_THAT(Run(launcher::CheckTalvokFiles, u"\\Other.ini").lines,
        ElementsAre("Other.ini:0: warning: the file has no [RUN] section, so nothing is started"));
}
