#include "daemon/DaemonCheck.h"

#include "daemon/BindingSet.h"
#include "platform/File.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/SourcePlace.h"
#include "platform/Utf.h"

#include <deque>
#include <set>
#include <string>

namespace brellum {

namespace {

void CheckKey(BindingSet const& set, size_t index)
{
    KeyBinding const& binding = *set.Bindings()[index];
    if (binding.keyCode < 1 || binding.keyCode > 255 || !platform::KeyExists(uint32_t(binding.keyCode))) {
        platform::Warn(u"no key of this keyboard gives the key code " + platform::DecimalText(binding.keyCode) + u"; the binding is never used",
            binding.sectionLine);
        return;
    }
    for (size_t earlier = 0; earlier < index; ++earlier) {
        KeyBinding const& first = *set.Bindings()[earlier];
        if (first.keyCode == binding.keyCode) {
            platform::Warn(u"the key code " + platform::DecimalText(binding.keyCode) + u" is bound already, at line " + platform::DecimalText(first.sectionLine)
                    + u"; only that first binding is served",
                binding.sectionLine);
            return;
        }
    }
}

void CheckCommand(std::optional<std::u16string> const& command, uint32_t line)
{
    if (command && !platform::CanExecute(*command))
        platform::Warn(u"the command's program or file " + platform::UserPathOf(*command) + u" does not exist", line);
}

// The files its NewIni keys name that exist.
std::vector<std::u16string> CheckBindingSet(BindingSet const& set)
{
    platform::ReadingPlace const file(set.Path());
    BindingSet::SettingsSection const& times = set.Settings();
    if (times.checkInterval >= times.elapseTimeLong)
        platform::Warn(u"CheckIntervall (" + platform::DecimalText(times.checkInterval) + u" ms) is not below ElapseTimeLong ("
                + platform::DecimalText(times.elapseTimeLong) + u" ms): a key is looked at too seldom to tell a short press from a long one",
            set.SettingsLine());
    std::vector<std::u16string> next;
    for (size_t index = 0; index < set.Bindings().size(); ++index) {
        KeyBinding const& binding = *set.Bindings()[index];
        CheckKey(set, index);
        CheckCommand(binding.command, binding.sectionLine);
        CheckCommand(binding.commandLong, binding.sectionLine);
        if (!binding.newIni)
            continue;
        if (platform::File::OpenForReading(*binding.newIni).IsOpen())
            next.push_back(*binding.newIni);
        else
            platform::Warn(u"the binding file " + platform::UserPathOf(*binding.newIni) + u" named by NewIni does not exist",
                binding.sectionLine);
    }
    return next;
}

}

void CheckBrellumFiles(std::u16string_view commandLine)
{
    BindingSet first;
    if (!first.LocateBindingFile(commandLine))
        return;
    std::set<std::u16string> read { first.Path() };
    std::deque<std::u16string> waiting;
    for (auto& path : CheckBindingSet(first))
        waiting.push_back(std::move(path));
    while (!waiting.empty()) {
        std::u16string const path = waiting.front();
        waiting.pop_front();
        if (!read.insert(path).second)
            continue;
        BindingSet set;
        if (!set.LoadBindingFile(path))
            continue;
        for (auto& target : CheckBindingSet(set))
            waiting.push_back(std::move(target));
    }
}

}
