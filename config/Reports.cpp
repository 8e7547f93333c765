#include "config/Reports.h"

#include <algorithm>
#include <string>

namespace config {

static void Show(Dialect const& dialect, std::u16string_view text, std::u16string_view caption, uint32_t icon)
{
    platform::MessageBox({}, text, caption, platform::Box::Ok | icon | dialect.boxPlacement);
}

static void Warn(Dialect const& dialect, std::u16string_view subject, std::u16string_view suffix, std::u16string_view line)
{
    std::u16string caption(subject);
    caption += suffix;
    Show(dialect, line, caption, platform::Box::IconWarning);
}

void ReportUnknownValue(Dialect const& dialect, std::u16string_view className, std::u16string_view line)
{
    Warn(dialect, className, u" - Ignoriere unbekannten Wert:", line);
}

void ReportBadValue(Dialect const& dialect, std::u16string_view className, std::u16string_view line)
{
    Warn(dialect, className, u" - Ignoriere Fehler:", line);
}

void ReportUnknownType(Dialect const& dialect, std::u16string_view line)
{
    Warn(dialect, dialect.programWord, u" - Ignoriere unbekannten Typ:", line);
}

void ReportFileNotFound(Dialect const& dialect, std::u16string_view caption, std::u16string_view path)
{
    Show(dialect, path, caption, platform::Box::IconError);
}

void ReportNotUnicode(Dialect const& dialect, std::u16string_view path)
{
    std::u16string text(u"Die Datei ist leer oder nicht im Unicode Format:\n");
    text += path.substr(0, std::min(path.size(), dialect.notUnicodePathLimit));
    Show(dialect, text, u"Fehler", platform::Box::IconError);
}

void ReportError(Dialect const& dialect, std::u16string_view text)
{
    Show(dialect, text, u"Fehler", platform::Box::IconError);
}

}
