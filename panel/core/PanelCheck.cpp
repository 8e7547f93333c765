#include "panel/core/PanelCheck.h"

#include "panel/buttons/CommandButton.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelWindow.h"
#include "platform/MessageBox.h"
#include "platform/SourcePlace.h"
#include "platform/Utf.h"

#include <set>
#include <string>

namespace panel {

using platform::Rect;

namespace {

Rect BoundsOf(DesktopObject const& object)
{
    return Rect::FromSize(object.GetX(), object.GetY(), object.GetWidth(), object.GetHeight());
}

void WarnIfOutside(DesktopObject const& object, PanelWindow const& panel)
{
    Rect const bounds = BoundsOf(object);
    if (bounds.left >= 0 && bounds.top >= 0 && bounds.right <= panel.windowWidth && bounds.bottom <= panel.windowHeight)
        return;
    platform::Warn(u"the object reaches outside its panel: it covers x " + platform::DecimalText(bounds.left) + u" to " + platform::DecimalText(bounds.right)
            + u" and y " + platform::DecimalText(bounds.top) + u" to " + platform::DecimalText(bounds.bottom) + u", the panel is " + platform::DecimalText(panel.windowWidth)
            + u"x" + platform::DecimalText(panel.windowHeight),
        object.SectionLine());
}

// A pressed button is drawn again over the background alone: whatever a
// later object drew over it is gone until the next full repaint.
void WarnIfDrawnOver(size_t index, std::vector<std::unique_ptr<DesktopObject>> const& objects)
{
    Rect const button = BoundsOf(*objects[index]);
    for (size_t later = index + 1; later < objects.size(); ++later) {
        Rect const other = BoundsOf(*objects[later]);
        if (other.left < button.right && button.left < other.right && other.top < button.bottom && button.top < other.bottom) {
            platform::Warn(u"the button is drawn over by the object of line " + platform::DecimalText(objects[later]->SectionLine())
                    + u"; pressing the button erases that object until the panel is drawn whole again",
                objects[index]->SectionLine());
            return;
        }
    }
}

}

void CheckVessarineFiles(std::u16string_view commandLine)
{
    RegisterPanelClass();
    PanelProgram program;
    program.ReadSettingsFile(commandLine);
    std::set<std::u16string> read;
    for (platform::WindowHandle window : program.Windows()) {
        if (PanelWindow const* panel = PanelOf(window))
            read.insert(panel->settings->path);
    }
    // The windows a switch opens are appended, and looked over in turn.
    for (size_t i = 0; i < program.Windows().size(); ++i) {
        PanelWindow const* panel = PanelOf(program.Windows()[i]);
        if (!panel)
            continue;
        platform::ReadingPlace const layout(panel->settings->path);
        auto const& objects = panel->settings->Objects();
        for (size_t index = 0; index < objects.size(); ++index) {
            WarnIfOutside(*objects[index], *panel);
            auto const* button = dynamic_cast<CommandButton const*>(objects[index].get());
            if (!button)
                continue;
            WarnIfDrawnOver(index, objects);
            if (auto target = button->Action().CheckTarget(); target && read.insert(*target).second)
                program.CreateLayoutWindow(*target);
        }
    }
}

}
