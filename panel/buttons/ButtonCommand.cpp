#include "panel/buttons/ButtonCommand.h"

#include "panel/core/PanelMessages.h"
#include "platform/MessageBox.h"
#include "platform/File.h"
#include "platform/Shell.h"
#include "platform/SourcePlace.h"
#include "platform/Windowing.h"

#include <optional>

namespace panel {

using namespace platform;

namespace {

struct ShellCall {
    std::u16string file;
    std::u16string parameters;
};

// Only a quoted first word is split off: an unquoted command with blanks
// names a file with blanks. None when the opening quote is never closed.
std::optional<ShellCall> SplitCommand(std::u16string const& command)
{
    if (command[0] != u'"')
        return ShellCall { command, {} };
    size_t const closingQuote = command.find(u'"', 1);
    if (closingQuote == std::u16string::npos)
        return std::nullopt;
    ShellCall call { command.substr(1, closingQuote - 1), {} };
    size_t const firstParameter = command.find_first_not_of(u' ', closingQuote + 1);
    if (firstParameter != std::u16string::npos)
        call.parameters = command.substr(firstParameter);
    return call;
}

void StartThroughShell(WindowHandle owner, ShellCall const& call)
{
    ShellExecuteInfo info;
    info.mask = kExecuteReturnProcess;
    info.owner = owner;
    info.verb = u"Open";
    info.file = call.file.c_str();
    info.parameters = call.parameters.c_str();
    info.show = kShow;
    // The panel neither waits for the program nor reports a failure to start it.
    ShellExecute(info);
    if (info.process)
        CloseHandle(info.process);
}

}

ButtonCommand::ButtonCommand(WindowHandle window)
    : window_(window)
{
}

void ButtonCommand::SetCommand(std::u16string_view text)
{
    command_ = text;
    SourcePlace const* place = CurrentSourcePlace();
    commandLine_ = place ? place->line : 0;
}

std::optional<std::u16string> ButtonCommand::CheckTarget() const
{
    if (command_.empty())
        return std::nullopt;
    if (switchLayout_) {
        if (File::OpenForReading(command_).IsOpen())
            return command_;
        Warn(u"the layout file " + UserPathOf(command_) + u" to switch to does not exist", commandLine_);
        return std::nullopt;
    }
    auto call = SplitCommand(command_);
    if (!call) {
        ReadingPlace const naming(CurrentSourcePlace() ? CurrentSourcePlace()->file : u"", commandLine_);
        MessageBox(window_, command_, u"Fehlendes \" im Command:", Box::IconError | Box::SetForeground);
    } else if (!CanExecute(call->file)) {
        Warn(u"the command's program or file " + UserPathOf(call->file) + u" does not exist", commandLine_);
    }
    return std::nullopt;
}

void ButtonCommand::Execute()
{
    if (!command_.empty()) {
        if (switchLayout_) {
            PostMessage(window_, SwitchLayoutMessage, reinterpret_cast<WParam>(command_.c_str()),
                LParam(shutDownAnimation_));
        } else {
            auto call = SplitCommand(command_);
            if (!call) {
                MessageBox(window_, command_, u"Fehlendes \" im Command:", Box::IconError | Box::SetForeground);
                return;
            }
            StartThroughShell(window_, *call);
        }
    }
    if (quitOnExecute_)
        PostMessage(window_, Msg::Close, WParam(uint32_t(exitCode_)), 0);
}

}
