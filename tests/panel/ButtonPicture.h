#pragma once

// What the visible buttons' tests share: a panel window for the commands to
// report to, lines read into a button, the back buffer it draws into, and the
// trace lines the simulated device writes for message boxes and the shell.

#include "panel/core/DesktopObject.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using Picture = std::vector<std::string>;

inline platform::WindowHandle MakePanelWindow()
{
    platform::WindowClass panelClass;
    panelClass.name = u"Panel.ButtonTest";
    panelClass.procedure = platform::DefWindowProc;
    platform::RegisterClass(panelClass);
    return platform::CreateWindowEx(0, u"Panel.ButtonTest", u"", platform::Style::Popup, 0, 0, 100, 50, {}, {}, nullptr);
}

inline void PrepareOnScreen(panel::DesktopObject& object)
{
    platform::DeviceContext screen = platform::GetDC({});
    object.Prepare(screen);
    platform::ReleaseDC({}, screen);
}

// A panel back buffer of one colour, in the transparent mode the panel draws objects in.
class BackBuffer {
public:
    BackBuffer(int32_t width, int32_t height, uint32_t background)
        : bitmap_(width, height, true)
    {
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x)
                *bitmap_.CursorAt(x, y).pixel = background;
        }
        platform::SetBkMode(bitmap_.Dc(), platform::BackgroundMode::Transparent);
    }

    panel::ScratchBitmap& Surface() { return bitmap_; }
    // 0xRRGGBB of column x in row y, rows from the top.
    uint32_t At(int32_t x, int32_t y) const { return *bitmap_.CursorAt(x, y).pixel & 0xFFFFFF; }

    // One character a pixel: `legend` names the known colours, others show as '?'.
    Picture Look(std::map<uint32_t, char> const& legend) const
    {
        Picture rows;
        for (int32_t y = 0; y < bitmap_.Height(); ++y) {
            std::string row;
            for (int32_t x = 0; x < bitmap_.Width(); ++x) {
                auto known = legend.find(At(x, y));
                row.push_back(known == legend.end() ? '?' : known->second);
            }
            rows.push_back(row);
        }
        return rows;
    }

    // The smallest rectangle of the pixels for which `ink` holds; empty when none does.
    template<typename Ink>
    platform::Rect InkBounds(Ink ink) const
    {
        platform::Rect bounds { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
        for (int32_t y = 0; y < bitmap_.Height(); ++y) {
            for (int32_t x = 0; x < bitmap_.Width(); ++x) {
                if (!ink(At(x, y)))
                    continue;
                bounds = { std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                    std::max(bounds.bottom, y + 1) };
            }
        }
        return bounds.left == INT32_MAX ? platform::Rect {} : bounds;
    }

private:
    panel::ScratchBitmap bitmap_;
};

inline std::string ShellLine(std::string const& file, std::string const& process)
{
    return R"({"t":0,"event":"shell","verb":"Open","file":")" + file
        + R"(","params":"","dir":"","show":5,"mask":64,"owner":true,"process":)" + process + "}";
}

inline std::string WarningLine(std::string const& caption, std::string const& text)
{
    return R"({"t":0,"event":"msgbox","caption":")" + caption + R"(","text":")" + text
        + R"(","icon":"warning","buttons":"ok","owner":false,"foreground":true,"topmost":false,"answer":"ok"})";
}

}
