#pragma once

// The platform's numbers for window messages, styles and positioning flags.

#include <cstdint>

namespace platform {

namespace Msg {
constexpr uint32_t Create = 0x0001;
constexpr uint32_t Destroy = 0x0002;
constexpr uint32_t Move = 0x0003;
constexpr uint32_t Size = 0x0005;
constexpr uint32_t Paint = 0x000F;
constexpr uint32_t Close = 0x0010;
constexpr uint32_t Quit = 0x0012;
constexpr uint32_t EraseBackground = 0x0014;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t KeyUp = 0x0101;
constexpr uint32_t SystemCommand = 0x0112;
constexpr uint32_t Timer = 0x0113;
constexpr uint32_t LeftButtonDown = 0x0201;
constexpr uint32_t LeftButtonUp = 0x0202;
constexpr uint32_t LeftButtonDoubleClick = 0x0203;
constexpr uint32_t HotKey = 0x0312;
constexpr uint32_t App = 0x8000; // first private message of an application
}

// The command of a system-command message, in the word's high 12 bits.
namespace SystemCommand {
constexpr uintptr_t Mask = 0xFFF0;
constexpr uintptr_t Minimize = 0xF020;
}

// Key-state word of pen messages.
constexpr uint32_t kKeyStateLeftButton = 0x0001;

namespace ClassStyle {
constexpr uint32_t VerticalRedraw = 0x0001;
constexpr uint32_t HorizontalRedraw = 0x0002;
constexpr uint32_t DoubleClicks = 0x0008;
}

namespace Style {
constexpr uint32_t Popup = 0x80000000;
constexpr uint32_t Visible = 0x10000000;
constexpr uint32_t Caption = 0x00C00000;
constexpr uint32_t SystemMenu = 0x00080000;
constexpr uint32_t MinimizeBox = 0x00020000;
}

namespace ExStyle {
constexpr uint32_t TopMost = 0x00000008;
constexpr uint32_t ToolWindow = 0x00000080;
constexpr uint32_t NoAnimation = 0x04000000;
}

namespace PosFlag {
constexpr uint32_t NoSize = 0x0001;
constexpr uint32_t NoMove = 0x0002;
constexpr uint32_t NoZOrder = 0x0004;
constexpr uint32_t NoActivate = 0x0010;
constexpr uint32_t ShowWindow = 0x0040;
constexpr uint32_t HideWindow = 0x0080;
constexpr uint32_t NoOwnerZOrder = 0x0200;
}

namespace Metric {
constexpr int32_t ScreenWidth = 0;
constexpr int32_t ScreenHeight = 1;
constexpr int32_t CaptionHeight = 4;
}

}
