#pragma once

// What a layout file says about its panel window as a whole: place and size,
// background, spacing and arrangement of the objects, refresh cap,
// double-click and top-most behaviour, animations; and the objects it lists,
// which it owns. Nothing here changes while the panel runs: that is
// PanelWindow's.

#include "panel/core/AnimationKind.h"
#include "panel/core/DesktopObject.h"
#include "panel/core/IniObject.h"
#include "platform/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace panel {

enum class Arrangement : int32_t { Vertical = 0, Horizontal = 1, None = 2 };

class GlobalSettings : public IniObject {
public:
    // Objects go in list order.
    ~GlobalSettings() override;

    static config::KeyTable<GlobalSettings> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;

    // The window height: the objects' for a row or column, `height` for free placement.
    int32_t PanelHeight() const;
    int32_t WindowWidth() const;
    // The period of the refresh timer; 0 for none.
    uint32_t RefreshInterval() const;
    // Where the window stands on the screen: negative positions count from the
    // right and bottom screen edges, with or without an animation.
    platform::Point ScreenPosition(int32_t windowWidth, int32_t windowHeight) const;
    // Places the objects as the arrangement says, after they are prepared.
    void ArrangeObjects();

    std::vector<std::unique_ptr<DesktopObject>>& Objects() { return objects_; }
    void AppendObject(std::unique_ptr<DesktopObject> object) { objects_.push_back(std::move(object)); }

    int32_t x = 0;
    int32_t y = 0;
    int32_t distance = 2;
    Arrangement arrange = Arrangement::Vertical;
    int32_t width = 128;
    int32_t height = 0;
    int32_t border = 0;
    uint32_t refresh = 0;
    platform::ColorRef backgroundColor = 0;
    std::u16string path; // of the layout file
    std::u16string backgroundBitmap; // empty: none
    uint32_t backgroundBitmapLine = 0; // of the layout file, that names it
    int32_t bitmapOffsetX = 0;
    int32_t bitmapOffsetY = 0;
    bool showMessage = true;
    bool quitOnDoubleClick = true;
    bool topMost = true;
    int32_t startUpAnimation = FlyRight;
    int32_t shutDownAnimation = FlyDown;
    bool accelerated = true;
    uint32_t animationTime = 800;

private:
    std::vector<std::unique_ptr<DesktopObject>> objects_;
};

}
