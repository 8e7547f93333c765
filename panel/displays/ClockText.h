#pragma once

// A text that shows the current time or date: before every measuring and
// every drawing its words are replaced by the platform's formatting of now,
// in the user's locale, by the layout's picture or the locale's default.

#include "panel/displays/Text.h"
#include "platform/SystemStatus.h"

#include <optional>
#include <string>
#include <string_view>

namespace panel {

class ClockText : public Text {
public:
    // Format and Interval, reported under the class name the object was made
    // with; then those of Text.
    static config::KeyTable<ClockText> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    void Prepare(platform::DeviceContext dc) override;

protected:
    // GetTimeFormat or GetDateFormat, as the platform declares them.
    using FormatCall = int32_t (*)(uint32_t locale, uint32_t flags, platform::SystemTime const* time,
        char16_t const* picture, char16_t* buffer, int32_t capacity);
    ClockText(std::u16string_view className, FormatCall format, uint32_t interval);

private:
    // Text that cannot be formatted (a bad picture, or too long) leaves the last one shown.
    void UpdateText();

    std::u16string_view className_;
    FormatCall formatCall_;
    // None: the locale's default format.
    std::optional<std::u16string> format_;
};

}
