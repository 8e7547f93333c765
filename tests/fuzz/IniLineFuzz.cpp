// The UTF-16 INI dialect: byte-order mark check, the section loop and every
// value parser on every key line, plus the settings file's shorter lines.

#include "config/ConfigFile.h"
#include "config/LineReader.h"
#include "config/Paths.h"
#include "config/SectionReader.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "platform/headless/HeadlessDevice.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Small on purpose, so that truncation is exercised.
constexpr size_t kSmallPath = 16;

class ParsingHandler final : public config::SectionHandler {
public:
    bool OpenSection(char16_t const* line, size_t) override
    {
        for (char16_t const* keyword : { u"TEXT", u"BRELLUM", u"SETTINGS", u"GLOBALSETTINGS" }) {
            if (config::CompareN(keyword, line, config::StringLength(keyword)) == 0)
                return true;
        }
        return false;
    }

    void KeyLine(char16_t const* line, size_t length) override
    {
        sink_ += config::CompareN(u"Color", line, 5) == 0;
        sink_ += config::FindChar(line, u'=', length) != nullptr;
        sink_ += size_t(config::SkipBlanks(line, length) - line);
        if (auto value = config::ValueOf({ line, length }, config::kMinimumValue)) {
            // The value's units end with the line's terminator.
            char16_t const* text = value->data();
            sink_ += uint32_t(config::ParseInt(*value));
            sink_ += uint32_t(config::ParseInt(text));
            sink_ += config::ParseBool(config::kPanelDialect, *value);
            sink_ += config::ParseBool(config::kDaemonDialect, text);
            char16_t path[kSmallPath];
            sink_ += config::JoinPath(path, kSmallPath, text, u"\\Storage Card\\panel\\");
            sink_ += config::JoinPath(path, kSmallPath, text, line);
            sink_ += config::ResolveInFolder(path, kSmallPath, text, u"\\a\\");
            sink_ += config::CopyString(text, path, kSmallPath);
            sink_ += config::FolderLength(text);
        }
        if (auto color = config::ValueOf({ line, length }, config::kMinimumColorValue))
            sink_ += config::ParseColor(*color);
        sink_ += config::ParseColor(line);
    }

private:
    uint64_t sink_ = 0;
};

platform::File FileOf(uint8_t const* data, size_t size)
{
    return platform::File(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(data, data + size)));
}

}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    platform::HeadlessDevice device({});
    platform::ScopedBackend scope(device);

    auto file = FileOf(data, size);
    uint8_t mark[2] = {};
    if (file.Read(mark, sizeof mark) == sizeof mark && mark[0] == 0xFF && mark[1] == 0xFE) {
        ParsingHandler handler;
        config::ReadSections(size % 2 ? config::kDaemonDialect : config::kPanelDialect, file, handler);
    }

    auto settings = FileOf(data, size);
    char16_t line[config::kSettingsLineCapacity];
    config::ForEachLine(settings, line, config::kSettingsLineCapacity, [](size_t) { });
    return 0;
}
