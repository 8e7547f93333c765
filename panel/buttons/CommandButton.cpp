#include "panel/buttons/CommandButton.h"

#include "config/Paths.h"
#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "panel/core/AnimationKind.h"

#include <string_view>
#include <utility>

namespace panel {

static constexpr std::u16string_view kClassName = u"CommandButton";

enum class CommandButton::Key { Command, NewIni, QuitOnExecute, ExitCode, ShutDownAnimation };

CommandButton::CommandButton(platform::WindowHandle window)
    : action_(std::make_unique<ButtonCommand>(window))
{
}

bool CommandButton::ReadValue(char16_t const* line, size_t length, bool report)
{
    // Prefixes of the line, tried in this order.
    static constexpr std::pair<std::u16string_view, Key> kKeys[] = {
        { u"Command", Key::Command },
        { u"NewIni", Key::NewIni },
        { u"QuitOnExecute", Key::QuitOnExecute },
        { u"ExitCode", Key::ExitCode },
        { u"ShutDownAnimation", Key::ShutDownAnimation },
    };
    for (auto const& [name, key] : kKeys) {
        if (config::CompareN(line, name.data(), name.size()) != 0)
            continue;
        char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
        if (value && Apply(key, value))
            return true;
        if (report)
            config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
        return false;
    }
    return DesktopObject::ReadValue(line, length, report);
}

bool CommandButton::Apply(Key key, char16_t const* value)
{
    switch (key) {
    case Key::Command:
        action_->SetCommand(value);
        return true;
    case Key::NewIni: {
        char16_t path[config::kPathCapacity] = {};
        // Outside the reading of a layout file there is no folder to resolve against.
        if (ResolveLayoutPath(value, path, config::kPathCapacity) == 0)
            return false;
        action_->SetCommand(path);
        return true;
    }
    case Key::QuitOnExecute:
        action_->SetQuitOnExecute(config::ParseBool(config::kPanelDialect, value));
        return true;
    case Key::ExitCode:
        action_->SetExitCode(config::ParseInt(value));
        return true;
    case Key::ShutDownAnimation: {
        int32_t kind = NoAnimation;
        if (!ParseAnimation(value, kind))
            return false;
        action_->SetShutDownAnimation(kind);
        return true;
    }
    }
    return false;
}

void CommandButton::Draw(ScratchBitmap&, int32_t, int32_t)
{
}

bool CommandButton::OnPress(int32_t, int32_t)
{
    pressed_ = true;
    return true;
}

bool CommandButton::OnRelease(int32_t x, int32_t y)
{
    if (!pressed_)
        return false;
    pressed_ = false;
    if (x >= 0 && x < width_ && y >= 0 && y < height_ && action_)
        action_->Execute();
    return true;
}

}
