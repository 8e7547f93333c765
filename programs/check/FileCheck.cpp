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

void Print(std::string& out, Reported const& finding, std::string_view programName)
{
    if (finding.file)
        out += *finding.file + ':' + std::to_string(finding.line) + ": ";
    else
        (out += programName) += ": ";
    if (finding.warning) {
        out += "warning: " + finding.text + '\n';
        return;
    }
    out += "error: " + finding.caption + ' ' + finding.text + " -- " + finding.explanation + '\n';
}

}

std::vector<Reported> FindingsOf(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check,
    std::u16string_view commandLine)
{
    platform::CheckBackend backend(services, hasKey);
    platform::ScopedBackend installed(backend);
    check(commandLine);
    std::vector<Reported> reported;
    for (Finding const& finding : backend.Findings()) {
        Reported& entry = reported.emplace_back();
        entry.warning = finding.kind == Finding::Kind::Warning;
        if (finding.place) {
            entry.file = platform::ToUtf8(platform::UserPathOf(finding.place->file));
            entry.line = finding.place->line;
        }
        entry.text = OneLine(finding.text);
        if (!entry.warning) {
            entry.caption = OneLine(finding.caption);
            entry.explanation = ExplanationOf(finding.caption, finding.text);
        }
    }
    return reported;
}

int CheckFiles(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check, std::u16string_view commandLine,
    std::string_view programName, std::string& report)
{
    std::vector<Reported> findings = FindingsOf(services, hasKey, check, commandLine);
    for (Reported const& finding : findings)
        Print(report, finding, programName);
    return findings.empty() ? 0 : 1;
}

}
