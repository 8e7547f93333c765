#include "launcher/StartupEntry.h"

#include "launcher/WideText.h"

#include <algorithm>

namespace launcher {

std::optional<StartupEntry> ParseStartupEntry(std::u16string_view value)
{
    constexpr std::u16string_view kExtension = u".exe";
    size_t extension = LowerCase(value).find(kExtension);
    if (extension == std::u16string_view::npos || extension == 0)
        return std::nullopt;

    size_t programLength = extension + kExtension.size();
    StartupEntry entry;
    entry.program = value.substr(0, programLength);
    entry.arguments = value.substr(programLength);

    // A comma right after ".exe" belongs to the arguments, not to the options.
    size_t comma = entry.arguments.find(u',');
    if (comma != std::u16string::npos && comma >= 1) {
        entry.hide = LowerCase(std::u16string_view(entry.arguments).substr(comma + 1)).find(u"hide") != std::u16string::npos;
        entry.arguments.resize(comma);
    }

    RemoveAll(entry.program, u'"');
    RemoveLeadingBlanks(entry.program);

    RemoveLeadingBlanks(entry.arguments);
    RemoveAll(entry.arguments, u'"');
    std::replace(entry.arguments.begin(), entry.arguments.end(), u'\'', u'"');
    return entry;
}

}
