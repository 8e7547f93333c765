#include "programs/check/FileCheck.h"

#include "platform/File.h"
#include "platform/Utf.h"
#include "platform/check/CheckBackend.h"
#include "programs/check/Explanations.h"

#include <algorithm>

namespace check {

using platform::Finding;

namespace {

// A finding is one line: the box's line breaks become blanks.
std::string OneLine(std::u16string_view text)
{
    std::string line = platform::ToUtf8(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

void Print(std::string& out, Finding const& finding, std::string_view programName)
{
    if (finding.place)
        out += platform::ToUtf8(platform::UserPathOf(finding.place->file)) + ':' + std::to_string(finding.place->line) + ": ";
    else
        (out += programName) += ": ";
    if (finding.kind == Finding::Kind::Warning) {
        out += "warning: " + OneLine(finding.text) + '\n';
        return;
    }
    out += "error: " + OneLine(finding.caption) + ' ' + OneLine(finding.text) + " -- ";
    (out += ExplanationOf(finding.caption, finding.text)) += '\n';
}

}

int CheckFiles(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check, std::u16string_view commandLine,
    std::string_view programName, std::string& report)
{
    platform::CheckBackend backend(services, hasKey);
    platform::ScopedBackend installed(backend);
    check(commandLine);
    for (Finding const& finding : backend.Findings())
        Print(report, finding, programName);
    return backend.Findings().empty() ? 0 : 1;
}

}
