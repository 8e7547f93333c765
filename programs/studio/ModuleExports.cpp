// The studio module's entry points, called from the page's JavaScript: a run
// gives its result as JSON, the screen's pixels stay in the module's memory
// until the next run.

#include "panel/core/ObjectFactory.h"
#include "platform/Utf.h"
#include "programs/studio/DeviceRun.h"
#include "programs/studio/SectionKeys.h"

#include <emscripten/emscripten.h>

namespace {

studio::RunResult lastRun;
std::string lastJson;
std::string sectionKeysJson;

std::vector<std::string> Arguments(char const* lines)
{
    std::vector<std::string> arguments;
    std::string text = lines ? lines : "";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

}

extern "C" {

// `arguments`: cesim's command line, one argument a line; `script`: the event script.
EMSCRIPTEN_KEEPALIVE char const* studio_run(char const* arguments, char const* script)
{
    lastRun = studio::RunOnDevice(Arguments(arguments), script ? script : "");
    lastJson = studio::ToJson(lastRun);
    return lastJson.c_str();
}

// The last run's screen, width x height x 4 bytes (RGBA), or null.
EMSCRIPTEN_KEEPALIVE uint8_t const* studio_pixels()
{
    return lastRun.pixels.empty() ? nullptr : lastRun.pixels.data();
}

// Every section keyword of the panel's layout files and of the daemon's
// binding files with the keys it takes, as one JSON object of arrays; the
// panel's keywords in the order of its own table.
EMSCRIPTEN_KEEPALIVE char const* studio_section_keys()
{
    auto quoted = [](std::u16string_view name) { return "\"" + platform::ToUtf8(name) + "\""; };
    std::vector<studio::SectionKeys> sections;
    for (std::u16string_view keyword : panel::SectionKeywords()) {
        for (studio::SectionKeys const& section : studio::PanelSectionKeys()) {
            if (section.keyword == keyword)
                sections.push_back(section);
        }
    }
    for (studio::SectionKeys const& section : studio::DaemonSectionKeys())
        sections.push_back(section);
    sectionKeysJson = "{";
    for (studio::SectionKeys const& section : sections) {
        sectionKeysJson += (sectionKeysJson.size() > 1 ? "," : "") + quoted(section.keyword) + ":[";
        for (size_t i = 0; i < section.keys.size(); ++i)
            sectionKeysJson += (i ? "," : "") + quoted(section.keys[i]);
        sectionKeysJson += "]";
    }
    sectionKeysJson += "}";
    return sectionKeysJson.c_str();
}

}
