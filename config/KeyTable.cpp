#include "config/KeyTable.h"

#include "config/Reports.h"

namespace config {

bool Settle(KeyVerdict verdict, std::u16string_view line, KeyReading const& reading)
{
    std::u16string_view const caption = verdict.caption.empty() ? reading.caption : verdict.caption;
    switch (verdict.kind) {
    case KeyVerdict::Taken:
        return true;
    case KeyVerdict::BadValue:
        if (reading.report)
            ReportBadValue(reading.dialect, caption, line);
        return false;
    case KeyVerdict::UnknownKey:
        if (reading.report)
            ReportUnknownValue(reading.dialect, caption, line);
        return false;
    case KeyVerdict::Ignored:
        return false;
    }
    return false;
}

std::optional<std::u16string_view> KeyValue(std::u16string_view line, size_t minimum)
{
    if (minimum == 0)
        return std::u16string_view();
    return ValueOf(line, minimum);
}

}
