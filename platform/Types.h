#pragma once

// Plain values shared by every role of the platform layer: handles, rectangles,
// colours and message parameters, with the platform's own layouts.

#include <cstdint>
#include <compare>

namespace platform {

// A handle is a small number that names something the platform owns; 0 is "none".
template<typename Tag>
struct Handle {
    uint32_t value = 0;

    constexpr explicit operator bool() const { return value != 0; }
    constexpr auto operator<=>(Handle const&) const = default;
};

using WindowHandle = Handle<struct WindowTag>;
using ProcessHandle = Handle<struct ProcessTag>;
using InstanceHandle = Handle<struct InstanceTag>;
using DeviceContext = Handle<struct DeviceContextTag>;
using BitmapHandle = Handle<struct BitmapTag>;
using BrushHandle = Handle<struct BrushTag>;
using PenHandle = Handle<struct PenTag>;
using FontHandle = Handle<struct FontTag>;

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    constexpr bool operator==(Point const&) const = default;
};

// Right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Sizes and corners saturate instead of overflowing: file values can be anything.
    constexpr int32_t Width() const { return Saturate(int64_t(right) - left); }
    constexpr int32_t Height() const { return Saturate(int64_t(bottom) - top); }
    static constexpr Rect FromSize(int32_t x, int32_t y, int32_t width, int32_t height)
    {
        return { x, y, Saturate(int64_t(x) + width), Saturate(int64_t(y) + height) };
    }
    static constexpr int32_t Saturate(int64_t v)
    {
        return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
    }
    constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // Every edge moved inwards by `by` (outwards when negative).
    constexpr Rect Inset(int32_t by) const
    {
        return { Saturate(int64_t(left) + by), Saturate(int64_t(top) + by), Saturate(int64_t(right) - by),
            Saturate(int64_t(bottom) - by) };
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr Rect Union(Rect const& other) const
    {
        if (other.IsEmpty())
            return *this;
        if (IsEmpty())
            return other;
        return { left < other.left ? left : other.left, top < other.top ? top : other.top,
            right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom };
    }
    constexpr bool operator==(Rect const&) const = default;
};

// Show states, as windows and started programs take them.
constexpr int32_t kShowHide = 0;
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowAsMinimized = 2;
constexpr int32_t kShowNormalNoActivate = 4;
constexpr int32_t kShow = 5;
constexpr int32_t kShowMinimized = 6;
constexpr int32_t kShowMinimizedNoActivate = 7;
constexpr int32_t kShowNoActivate = 8;

// Red in bits 0-7, green in 8-15, blue in 16-23.
using ColorRef = uint32_t;
constexpr ColorRef Rgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return ColorRef(red) | (ColorRef(green) << 8) | (ColorRef(blue) << 16);
}

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

constexpr uint16_t LowWord(uintptr_t v) { return uint16_t(v & 0xFFFF); }
constexpr uint16_t HighWord(uintptr_t v) { return uint16_t((v >> 16) & 0xFFFF); }
constexpr LParam MakeLParam(uint16_t low, uint16_t high) { return LParam(uint32_t(low) | (uint32_t(high) << 16)); }

}
