#include "panel/buttons/CommandButton.h"

#include "config/Paths.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "panel/core/AnimationKind.h"

#include <string_view>

namespace panel {

static constexpr std::u16string_view kClassName = u"CommandButton";

CommandButton::CommandButton(platform::WindowHandle window)
    : action_(std::make_unique<ButtonCommand>(window))
{
}

config::KeyTable<CommandButton> const& CommandButton::Keys()
{
    static constexpr config::Key<CommandButton> kKeys[] = {
        { u"Command", [](CommandButton& button, std::u16string_view value) {
             button.action_->SetCommand(config::BeforeNul(value));
             return true;
         } },
        { u"NewIni", [](CommandButton& button, std::u16string_view value) {
             char16_t path[config::kPathCapacity] = {};
             // Outside the reading of a layout file there is no folder to resolve against.
             if (button.ResolveLayoutPath(value, path, config::kPathCapacity) == 0)
                 return false;
             button.action_->SetCommand(path);
             return true;
         } },
        { u"QuitOnExecute", [](CommandButton& button, std::u16string_view value) {
             button.action_->SetQuitOnExecute(config::ParseBool(config::kPanelDialect, value));
             return true;
         } },
        { u"ExitCode", [](CommandButton& button, std::u16string_view value) {
             button.action_->SetExitCode(config::ParseInt(value));
             return true;
         } },
        { u"ShutDownAnimation", [](CommandButton& button, std::u16string_view value) {
             int32_t kind = NoAnimation;
             if (!ParseAnimation(value, kind))
                 return false;
             button.action_->SetShutDownAnimation(kind);
             return true;
         } },
    };
    static config::KeyTable<CommandButton> const kTable { .caption = kClassName, .keys = kKeys, .base = DesktopObject::Keys() };
    return kTable;
}

bool CommandButton::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
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
