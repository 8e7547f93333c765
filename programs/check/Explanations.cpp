#include "programs/check/Explanations.h"

namespace check {

namespace {

struct Explanation {
    std::u16string_view caption;
    // For the captions several boxes share, how the text begins.
    std::u16string_view textStart;
    std::string_view english;
};

constexpr Explanation kExplanations[] = {
    { u"Datei kann nicht gefunden werden.", u"", "The settings file does not exist; check its name and the folder it is looked up in." },
    { u"Datei nicht gefunden:", u"", "The file does not exist; check the name and the folder it is looked up in." },
    { u"Fehler", u"Die Datei ist leer oder nicht im Unicode Format:", "The file is empty or not UTF-16LE with byte-order mark; save it as UTF-16 with BOM." },
    { u"Vessarine - Ignoriere unbekannten Typ:", u"", "No section keyword (upper case, no brackets), or an empty line ended the section before it." },
    { u"GlobalSettings - Ignoriere unbekannten Wert:", u"", "GLOBALSETTINGS has no such key; check spelling, case and blanks before the key." },
    { u"GlobalSetting - Ignoriere Fehler:", u"", "Value missing or invalid; a colour needs RRGGBB, Arrange Vertical, Horizontal or No." },
    { u"DesktopObject - Ignoriere unbekannten Wert:", u"", "No key of this section starts the line; check spelling, case, blanks, a missing empty line." },
    { u"DesktopObject - Ignoriere Fehler:", u"", "x, y, Width or Height (or a key starting with x or y) has no value; write a number." },
    { u"Text - Ignoriere Fehler:", u"", "A text key has no value, or a colour has fewer than six characters; complete the value." },
    { u"TimeInfo - Ignoriere Fehler:", u"", "Format or Interval has no value; write a time picture or milliseconds after the '='." },
    { u"DateInfo - Ignoriere Fehler:", u"", "Format or Interval has no value; write a date picture or milliseconds after the '='." },
    { u"MemoryInfo - Ignoriere Fehler:", u"", "A MEMORY key has no value, or a colour has fewer than six characters; complete it." },
    { u"DiskInfo - Ignoriere Fehler:", u"", "A DISKMEM key has no value, or a colour has fewer than six characters; complete it." },
    { u"Batterie - Ignoriere Fehler:", u"", "A BATTERY key has no value, or a colour has fewer than six characters; complete it." },
    { u"Space - Ignoriere Fehler:", u"", "Space has no value; write the size of the gap in pixels after the '='." },
    { u"CommandButton - Ignoriere Fehler:", u"", "A button key has no value, or ShutDownAnimation names none of the ten animations." },
    { u"ImageButton - Ignoriere Fehler:", u"", "Offset has no value; write how many pixels the pushed picture moves." },
    { u"BitmapButton - Ignoriere Fehler:", u"", "BitmapNormal or BitmapPushed has no value; write the bitmap file's name." },
    { u"IconXPButton - Ignoriere Fehler:", u"", "Unknown key, or a value missing or invalid; every bad line of ICONXPBUTTON gets this box." },
    { u"WindowsButton - Ignoriere Fehler:", u"", "ColorNormal or ColorPushed has fewer than six characters; write the colour as RRGGBB." },
    { u"Fehler", u"Das Hintergrundbild kann nicht gefunden werden oder es ist keine gültige Bitmapdatei:", "BackgroundBitmap names a missing file or no .bmp file; the plain colour is used instead." },
    { u"Keine gültige Icondatei:", u"", "The file is not an icon file or is damaged; save the picture as an .ico file." },
    { u"Enthält keine Icons:", u"", "The icon file holds no image; save it again with at least one 32-bit image." },
    { u"Kein 32Bit Icon gefunden:", u"", "No 32-bit image fits the wanted size; put SizeNormal/SizePushed above the Icon line." },
    { u"Fehler", u"LoadLibrary - \"coredll.dll\"", "A BATTERY section needs the system library coredll.dll; without it it shows empty." },
    { u"Fehler", u"GetProcAddress - \"GetSystemPowerStatusEx2\"", "This system has no battery status call; a BATTERY section shows an empty battery." },
    { u"System Power Status", u"", "Test=1 in a BATTERY section shows the battery's values; remove the line when done." },
    { u"Fehler", u"GetSystemPowerStatusEx2", "Test=1 asked for the battery's values and the system gave none." },
    { u"Fehlendes \" im Command:", u"", "The command opens a double quote and never closes it; add the closing quote." },
    { u"Brellum - Ignoriere unbekannten Typ:", u"", "Only BRELLUM and SETTINGS open sections (upper case, no brackets), or an empty line cut one." },
    { u"Brellum - Ignoriere unbekannten Wert:", u"", "No BRELLUM key: KeyCode, Command, CommandShort, CommandLong, NewIni or Disable." },
    { u"Brellum - Ignoriere Fehler:", u"", "Value missing or too short; a command or NewIni needs at least five characters." },
    { u"Settings - Ignoriere unbekannten Wert:", u"", "No SETTINGS key: CheckIntervall, ElapseTime, ElapseTimeLong or QueryTermination." },
    { u"Settings - Ignoriere Fehler:", u"", "The value is missing; write milliseconds, or 1 or y for QueryTermination." },
};

// Objects without a line of their own above share these.
constexpr Explanation kBySuffix[] = {
    { u" - Ignoriere unbekannten Wert:", u"", "No key of this section starts the line; check spelling, case and blanks." },
    { u" - Ignoriere Fehler:", u"", "The key's value is missing, too short or not accepted; complete it." },
    { u" - Ignoriere unbekannten Typ:", u"", "No section keyword (upper case, no brackets), or an empty line ended the section." },
};

}

std::string_view ExplanationOf(std::u16string_view caption, std::u16string_view text)
{
    for (Explanation const& explanation : kExplanations) {
        if (caption == explanation.caption && text.starts_with(explanation.textStart))
            return explanation.english;
    }
    for (Explanation const& explanation : kBySuffix) {
        if (caption.ends_with(explanation.caption))
            return explanation.english;
    }
    return "The program shows this box when it reads the file.";
}

}
