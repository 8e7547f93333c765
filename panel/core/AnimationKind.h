#pragma once

// The ten window animations, by number as the layout files name them.

#include <cstdint>
#include <string_view>

namespace panel {

enum AnimationKind : int32_t {
    NoAnimation = 0,
    FlyRight = 1,
    FlyDown = 2,
    FlyLeft = 3,
    FlyUp = 4,
    FlyDiagRightDown = 5,
    FlyDiagRightUp = 6,
    FlyDiagLeftDown = 7,
    FlyDiagLeftUp = 8,
    RollDown = 9,
};

// True when `text` begins with an animation's name; `kind` is left alone otherwise.
bool ParseAnimation(std::u16string_view text, int32_t& kind);
// The name a layout file gives the kind.
std::u16string_view AnimationName(int32_t kind);

}
