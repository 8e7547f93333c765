#include "panel/core/GlobalSettings.h"

#include "config/Paths.h"
#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "platform/Windowing.h"

#include <algorithm>

namespace panel {

using platform::Rect;

GlobalSettings::~GlobalSettings()
{
    for (auto& object : objects_)
        object.reset();
}

static bool Is(char16_t const* line, std::u16string_view key)
{
    return config::StartsWith(line, key);
}

bool GlobalSettings::ReadValue(char16_t const* line, size_t length, bool report)
{
    using namespace config;
    auto value = [&](size_t minimum) { return ValueOf(line, length, minimum); };
    auto bad = [&] {
        if (report)
            ReportBadValue(kPanelDialect, u"GlobalSetting", { line, length });
        return false;
    };
    auto integer = [&](int32_t& field) {
        char16_t const* v = value(kMinimumValue);
        if (!v)
            return bad();
        field = ParseInt(v);
        return true;
    };
    auto unsignedInteger = [&](uint32_t& field) {
        int32_t parsed = 0;
        if (!integer(parsed))
            return false;
        field = uint32_t(parsed);
        return true;
    };
    auto boolean = [&](bool& field) {
        char16_t const* v = value(kMinimumValue);
        if (!v)
            return bad();
        field = ParseBool(kPanelDialect, v);
        return true;
    };
    auto offset = [&](int32_t& field, char16_t letter) {
        char16_t const* v = value(kMinimumValue);
        if (!v)
            return bad();
        field = (*v == letter || *v == letter - u'a' + u'A') ? -1 : ParseInt(v);
        return true;
    };

    if (Is(line, u"BackgroundColor")) {
        char16_t const* v = value(kMinimumColorValue);
        if (!v)
            return bad();
        backgroundColor = ParseColor(v);
        return true;
    }
    if (Is(line, u"BackgroundBitmap")) {
        char16_t const* v = value(5);
        if (!v)
            return bad();
        char16_t resolved[kPathCapacity] = {};
        size_t resolvedLength = ResolveLayoutPath(v, resolved, kPathCapacity);
        backgroundBitmap.assign(resolved, resolvedLength);
        return true;
    }
    if (Is(line, u"BitmapOffsetX"))
        return offset(bitmapOffsetX, u'x');
    if (Is(line, u"BitmapOffsetY"))
        return offset(bitmapOffsetY, u'y');
    if (line[0] == u'X' || line[0] == u'x')
        return integer(x);
    if (line[0] == u'Y' || line[0] == u'y')
        return integer(y);
    if (Is(line, u"Border"))
        return integer(border);
    if (Is(line, u"Distance"))
        return integer(distance);
    if (Is(line, u"Width"))
        return integer(width);
    if (Is(line, u"Height"))
        return integer(height);
    if (Is(line, u"Arrange")) {
        char16_t const* v = value(kMinimumValue);
        if (v && Is(v, u"Vertical"))
            arrange = Arrangement::Vertical;
        else if (v && Is(v, u"Horizontal"))
            arrange = Arrangement::Horizontal;
        else if (v && Is(v, u"No"))
            arrange = Arrangement::None;
        else
            return bad();
        return true;
    }
    if (Is(line, u"Refresh"))
        return unsignedInteger(refresh);
    if (Is(line, u"QuitOnDoubleClick"))
        return boolean(quitOnDoubleClick);
    // An unknown animation name, or none, leaves the field as it was, unreported.
    if (Is(line, u"StartUpAnimation") || Is(line, u"ShutDownAnimation")) {
        int32_t& field = Is(line, u"StartUpAnimation") ? startUpAnimation : shutDownAnimation;
        char16_t const* v = value(kMinimumValue);
        return v && ParseAnimation(v, field);
    }
    if (Is(line, u"Accelerated"))
        return boolean(accelerated);
    if (Is(line, u"AnimationTime"))
        return unsignedInteger(animationTime);
    if (Is(line, u"TopMost"))
        return boolean(topMost);
    if (Is(line, u"ShowMessage"))
        return boolean(showMessage);
    if (report)
        ReportUnknownValue(kPanelDialect, u"GlobalSettings", { line, length });
    return false;
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
