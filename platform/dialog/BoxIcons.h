#pragma once

// The four message-box icons, drawn by code: a red disc with a white cross
// for errors, a blue disc with a white question mark, a yellow triangle with
// a black exclamation mark for warnings, a blue disc with a white "i".

#include "platform/Types.h"

namespace platform {

constexpr int32_t kBoxIconSize = 32;

bool HasBoxIcon(uint32_t flags);
// The icon of the flag word, its top-left corner at `topLeft`, over the button face.
void DrawBoxIcon(DeviceContext dc, Point topLeft, uint32_t flags);

}
