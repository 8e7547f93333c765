#pragma once

// Formats a time or a date by a picture string: runs of one letter stand for
// a field ("HH", "dddd"), text in single quotes is copied as it is ('' is a
// quote), everything else too. A time picture knows h H m s t; a date
// picture d M y g; the other letters are copied.

#include "platform/SystemStatus.h"
#include "platform/locale/LocaleData.h"

#include <string>
#include <string_view>

namespace platform {

enum class PictureKind { Time, Date };

std::u16string FormatPicture(PictureKind kind, std::u16string_view picture, SystemTime const& time, LocaleData const& locale);

}
