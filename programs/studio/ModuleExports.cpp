// The studio module's entry points, called from the page's JavaScript: a run
// gives its result as JSON, the screen's pixels stay in the module's memory
// until the next run.

#include "panel/core/ObjectFactory.h"
#include "platform/Utf.h"
#include "programs/studio/DeviceRun.h"

#include <emscripten/emscripten.h>

namespace {

studio::RunResult lastRun;
std::string lastJson;
std::string keywordsJson;

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

// The panel's section keywords as a JSON array of strings (plain capitals).
EMSCRIPTEN_KEEPALIVE char const* studio_section_keywords()
{
    keywordsJson = "[";
    for (std::u16string_view keyword : panel::SectionKeywords())
        keywordsJson += (keywordsJson.size() > 1 ? ",\"" : "\"") + platform::ToUtf8(keyword) + "\"";
    keywordsJson += "]";
    return keywordsJson.c_str();
}

}
