#include "daemon/KeyBinding.h"

#include "config/KeySetters.h"
#include "config/Strings.h"
#include "config/Values.h"

namespace brellum {

namespace {

constexpr size_t kMinimumPath = 5;

// A command or file name: the value up to its first NUL.
template<std::optional<std::u16string> KeyBinding::*Field>
bool SetPath(KeyBinding& binding, std::u16string_view value)
{
    binding.*Field = std::u16string(config::BeforeNul(value));
    return true;
}

}

config::KeyTable<KeyBinding> const& KeyBinding::Keys()
{
    static constexpr config::Key<KeyBinding> kKeys[] = {
        { u"KeyCode", config::SetInteger<&KeyBinding::keyCode> },
        { u"CommandLong", SetPath<&KeyBinding::commandLong>, kMinimumPath },
        { u"Command", SetPath<&KeyBinding::command>, kMinimumPath },
        { u"NewIni", SetPath<&KeyBinding::newIni>, kMinimumPath },
        { u"Disable", config::SetBoolean<&KeyBinding::disableAfter, config::kDaemonDialect> },
    };
    static constexpr config::KeyTable<KeyBinding> kTable { .caption = u"Brellum", .keys = kKeys };
    return kTable;
}

bool KeyBinding::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kDaemonDialect, report });
}

}
