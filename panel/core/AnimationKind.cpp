#include "panel/core/AnimationKind.h"


#include <string_view>

namespace panel {

namespace {

// Tested in this order, as prefixes: the first that matches wins.
struct Named {
    std::u16string_view name;
    AnimationKind kind;
};
constexpr Named kNames[] = {
    { u"FlyRight", FlyRight }, { u"FlyDown", FlyDown }, { u"FlyLeft", FlyLeft }, { u"FlyUp", FlyUp },
    { u"FlyDiagRightDown", FlyDiagRightDown }, { u"FlyDiagRightUp", FlyDiagRightUp },
    { u"FlyDiagLeftDown", FlyDiagLeftDown }, { u"FlyDiagLeftUp", FlyDiagLeftUp }, { u"RollDown", RollDown },
    { u"NoAnimation", NoAnimation },
};

}

std::u16string_view AnimationName(int32_t kind)
{
    for (auto const& named : kNames) {
        if (named.kind == kind)
            return named.name;
    }
    return u"?";
}

bool ParseAnimation(std::u16string_view text, int32_t& kind)
{
    for (auto const& named : kNames) {
        if (text.starts_with(named.name)) {
            kind = named.kind;
            return true;
        }
    }
    return false;
}

}
