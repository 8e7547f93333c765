#include "panel/core/GlobalSettings.h"

#include "config/KeySetters.h"
#include "config/Paths.h"
#include "config/Reports.h"
#include "config/Values.h"
#include "platform/MessageBox.h"
#include "platform/SourcePlace.h"
#include "platform/Windowing.h"

#include <algorithm>
#include <utility>

namespace panel {

using platform::Rect;

GlobalSettings::~GlobalSettings()
{
    for (auto& object : objects_)
        object.reset();
}

namespace {

bool SetBackgroundBitmap(GlobalSettings& settings, std::u16string_view value)
{
    char16_t resolved[config::kPathCapacity] = {};
    size_t const length = settings.ResolveLayoutPath(value, resolved, config::kPathCapacity);
    settings.backgroundBitmap.assign(resolved, length);
    if (platform::SourcePlace const* place = platform::CurrentSourcePlace())
        settings.backgroundBitmapLine = place->line;
    return true;
}

// The letter of the axis, in either case, stands for -1.
template<int32_t GlobalSettings::*Field, char16_t Letter>
bool SetBitmapOffset(GlobalSettings& settings, std::u16string_view value)
{
    bool const isLetter = value[0] == Letter || value[0] == Letter - u'a' + u'A';
    settings.*Field = isLetter ? -1 : config::ParseInt(value);
    return true;
}

bool SetArrangement(GlobalSettings& settings, std::u16string_view value)
{
    static constexpr std::pair<std::u16string_view, Arrangement> kWords[] = {
        { u"Vertical", Arrangement::Vertical },
        { u"Horizontal", Arrangement::Horizontal },
        { u"No", Arrangement::None },
    };
    for (auto const& [word, arrangement] : kWords) {
        if (value.starts_with(word)) {
            settings.arrange = arrangement;
            return true;
        }
    }
    return false;
}

template<int32_t GlobalSettings::*Field>
bool SetAnimation(GlobalSettings& settings, std::u16string_view value)
{
    if (ParseAnimation(value, settings.*Field))
        return true;
    platform::Warn(u"the animation \"" + std::u16string(value) + u"\" is not one the panel knows, so it keeps "
        + std::u16string(AnimationName(settings.*Field)) + u" (NoAnimation turns the animation off)");
    return false;
}

}

config::KeyTable<GlobalSettings> const& GlobalSettings::Keys()
{
    using config::kPanelDialect;
    using config::SetBoolean;
    using config::SetInteger;
    static constexpr config::Key<GlobalSettings> kKeys[] = {
        { u"BackgroundColor", config::SetColor<&GlobalSettings::backgroundColor>, config::kMinimumColorValue },
        { u"BackgroundBitmap", SetBackgroundBitmap, 5 },
        { u"BitmapOffsetX", SetBitmapOffset<&GlobalSettings::bitmapOffsetX, u'x'> },
        { u"BitmapOffsetY", SetBitmapOffset<&GlobalSettings::bitmapOffsetY, u'y'> },
        // Decided by the first letter alone: xpos and Yoffset count too.
        { u"X", SetInteger<&GlobalSettings::x> },
        { u"x", SetInteger<&GlobalSettings::x> },
        { u"Y", SetInteger<&GlobalSettings::y> },
        { u"y", SetInteger<&GlobalSettings::y> },
        { u"Border", SetInteger<&GlobalSettings::border> },
        { u"Distance", SetInteger<&GlobalSettings::distance> },
        { u"Width", SetInteger<&GlobalSettings::width> },
        { u"Height", SetInteger<&GlobalSettings::height> },
        { u"Arrange", SetArrangement },
        { u"Refresh", SetInteger<&GlobalSettings::refresh> },
        { u"QuitOnDoubleClick", SetBoolean<&GlobalSettings::quitOnDoubleClick, kPanelDialect> },
        // An unknown animation name, or none, leaves the field as it was, unreported.
        { u"StartUpAnimation", SetAnimation<&GlobalSettings::startUpAnimation>, config::kMinimumValue, true },
        { u"ShutDownAnimation", SetAnimation<&GlobalSettings::shutDownAnimation>, config::kMinimumValue, true },
        { u"Accelerated", SetBoolean<&GlobalSettings::accelerated, kPanelDialect> },
        { u"AnimationTime", SetInteger<&GlobalSettings::animationTime> },
        { u"TopMost", SetBoolean<&GlobalSettings::topMost, kPanelDialect> },
        { u"ShowMessage", SetBoolean<&GlobalSettings::showMessage, kPanelDialect> },
    };
    // "GlobalSetting" without the s for bad values is intended, as users have always seen it.
    static constexpr config::KeyTable<GlobalSettings> kTable {
        .caption = u"GlobalSetting", .keys = kKeys, .unknownCaption = u"GlobalSettings"
    };
    return kTable;
}

bool GlobalSettings::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

int32_t GlobalSettings::WindowWidth() const
{
    return Rect::Saturate(int64_t(width) + 2 * int64_t(border));
}

// Sums of file values are taken wide and saturated: a layout can hold any numbers.
int32_t GlobalSettings::PanelHeight() const
{
    int64_t computed = 2 * int64_t(border);
    switch (arrange) {
    case Arrangement::Vertical:
        for (auto const& object : objects_)
            computed += object->GetHeight();
        if (!objects_.empty())
            computed += int64_t(distance) * int64_t(objects_.size() - 1);
        break;
    case Arrangement::Horizontal: {
        int64_t tallest = 0;
        for (auto const& object : objects_)
            tallest = std::max<int64_t>(tallest, object->GetHeight());
        computed += tallest;
        break;
    }
    case Arrangement::None:
        return height;
    }
    return Rect::Saturate(computed);
}

uint32_t GlobalSettings::RefreshInterval() const
{
    uint32_t shortest = 0;
    for (auto const& object : objects_) {
        uint32_t interval = object->GetInterval();
        if (interval != 0 && (shortest == 0 || interval < shortest))
            shortest = interval;
    }
    if (refresh != 0 && shortest >= refresh)
        return refresh;
    return shortest;
}

platform::Point GlobalSettings::ScreenPosition(int32_t windowWidth, int32_t windowHeight) const
{
    using namespace platform;
    int64_t left = x < 0 ? int64_t(x) + GetSystemMetrics(Metric::ScreenWidth) - windowWidth : x;
    int64_t top = y < 0 ? int64_t(y) + GetSystemMetrics(Metric::ScreenHeight) - windowHeight : y;
    return { Rect::Saturate(left), Rect::Saturate(top) };
}

void GlobalSettings::ArrangeObjects()
{
    int64_t position = border;
    for (auto& object : objects_) {
        switch (arrange) {
        case Arrangement::Vertical:
            object->SetX(border).SetY(Rect::Saturate(position)).SetWidth(Rect::Saturate(int64_t(width) - 2 * int64_t(border)));
            position += int64_t(object->GetHeight()) + distance;
            break;
        case Arrangement::Horizontal:
            object->SetX(Rect::Saturate(position)).SetY(border);
            position += int64_t(object->GetWidth()) + distance;
            break;
        case Arrangement::None:
            if (object->GetX() < 0)
                object->SetX(Rect::Saturate(int64_t(object->GetX()) + width - object->GetWidth()));
            if (object->GetY() < 0)
                object->SetY(Rect::Saturate(int64_t(object->GetY()) + height - object->GetHeight()));
            break;
        }
    }
}

}
