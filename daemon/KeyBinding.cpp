#include "daemon/KeyBinding.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"

namespace brellum {

namespace {

constexpr std::u16string_view kClassName = u"Brellum";
constexpr size_t kMinimumPath = 5;

}

bool KeyBinding::ReadValue(char16_t const* line, size_t length, bool report)
{
    enum class Target { KeyCode, CommandLong, Command, NewIni, Disable };
    struct Key {
        std::u16string_view name;
        size_t minimum;
        Target target;
    };
    // Longer keys that share a prefix come first.
    static constexpr Key kKeys[] = {
        { u"KeyCode", config::kMinimumValue, Target::KeyCode },
        { u"CommandLong", kMinimumPath, Target::CommandLong },
        { u"Command", kMinimumPath, Target::Command },
        { u"NewIni", kMinimumPath, Target::NewIni },
        { u"Disable", config::kMinimumValue, Target::Disable },
    };
    for (Key const& key : kKeys) {
        if (!config::StartsWith(line, key.name))
            continue;
        char16_t const* value = config::ValueOf(line, length, key.minimum);
        if (!value) {
            if (report)
                config::ReportBadValue(config::kDaemonDialect, kClassName, { line, length });
            return false;
        }
        std::u16string text(value, config::StringLength(value));
        switch (key.target) {
        case Target::KeyCode: keyCode = config::ParseInt(value); break;
        case Target::CommandLong: commandLong = std::move(text); break;
        case Target::Command: command = std::move(text); break;
        case Target::NewIni: newIni = std::move(text); break;
        case Target::Disable: disableAfter = config::ParseBool(config::kDaemonDialect, value); break;
        }
        return true;
    }
    if (report)
        config::ReportUnknownValue(config::kDaemonDialect, kClassName, { line, length });
    return false;
}

}
