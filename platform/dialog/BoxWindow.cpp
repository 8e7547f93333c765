#include "platform/dialog/BoxWindow.h"

#include "platform/Backend.h"
#include "platform/Drawing.h"
#include "platform/SolidDrawing.h"
#include "platform/Windowing.h"
#include "platform/dialog/BoxIcons.h"
#include "platform/dialog/BoxLayout.h"

#include <algorithm>
#include <optional>
#include <string>

namespace platform {

namespace {

constexpr std::u16string_view kBoxClassName = u"Platform.MessageBox";
// Colours of the classic scheme that Drawing.h does not name.
constexpr int32_t kActiveCaptionColor = 2;
constexpr int32_t kWindowFrameColor = 6;
constexpr int32_t kCaptionTextColor = 9;
constexpr uint32_t kEnterKey = 0x0D;
constexpr uint32_t kEscapeKey = 0x1B;
constexpr uint32_t kLabelFormat = TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine | TextFormat::NoPrefix;
constexpr uint32_t kTitleFormat = TextFormat::VerticalCenter | TextFormat::SingleLine | TextFormat::NoPrefix;

// Lives on the stack of RunBoxWindow; the window keeps a pointer to it.
struct BoxState {
    BoxLayout layout;
    std::u16string caption;
    uint32_t flags = 0;
    FontHandle captionFont;
    std::optional<size_t> pressed;
    std::optional<BoxResult> answer;
};

BoxState* StateOf(WindowHandle window)
{
    return reinterpret_cast<BoxState*>(GetWindowLong(window, 0));
}

void PaintButton(DeviceContext dc, BoxButton const& button, bool isDefault, bool pushed)
{
    Rect face = button.rect;
    if (isDefault) {
        FillSolid(dc, face, GetSysColor(kWindowFrameColor));
        face = { face.left + 1, face.top + 1, face.right - 1, face.bottom - 1 };
    }
    DrawFrameControl(dc, face, FrameControl::Button,
        FrameControl::PushButton | FrameControl::AdjustRect | (pushed ? FrameControl::Pushed : 0));
    // A pushed label sinks with its button.
    if (pushed)
        face = { face.left + 1, face.top + 1, face.right + 1, face.bottom + 1 };
    DrawText(dc, button.label.data(), CountOf(button.label), face, kLabelFormat);
}

void OnPaint(WindowHandle window, BoxState const& state)
{
    PaintStruct paint;
    DeviceContext dc = BeginPaint(window, paint);
    BoxLayout const& layout = state.layout;
    // The raised edges of a push button are the classic dialog frame as well.
    Rect whole = GetClientRect(window);
    DrawFrameControl(dc, whole, FrameControl::Button, FrameControl::PushButton);
    FillSolid(dc, layout.caption, GetSysColor(kActiveCaptionColor));

    SetBkMode(dc, BackgroundMode::Transparent);
    SetTextColor(dc, GetSysColor(kCaptionTextColor));
    FontHandle previous = SelectObject(dc, state.captionFont);
    Rect title = layout.title;
    DrawText(dc, state.caption.data(), CountOf(state.caption), title, kTitleFormat);
    SelectObject(dc, previous);

    DrawBoxIcon(dc, { layout.icon.left, layout.icon.top }, state.flags);
    SetTextColor(dc, GetSysColor(SystemColor::ButtonText));
    Rect text = layout.text;
    DrawText(dc, layout.lines.data(), CountOf(layout.lines), text, kBoxTextFormat);
    for (size_t i = 0; i < layout.buttons.size(); ++i)
        PaintButton(dc, layout.buttons[i], i == 0, state.pressed == i);
    EndPaint(window, paint);
}

std::optional<size_t> ButtonAt(BoxLayout const& layout, LParam lParam)
{
    // Captured, the pen can be released left of or above the window.
    Point point { int16_t(LowWord(uintptr_t(lParam))), int16_t(HighWord(uintptr_t(lParam))) };
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        if (layout.buttons[i].rect.Contains(point))
            return i;
    }
    return std::nullopt;
}

void OnPress(WindowHandle window, BoxState& state, LParam lParam)
{
    state.pressed = ButtonAt(state.layout, lParam);
    if (!state.pressed)
        return;
    SetCapture(window);
    InvalidateRect(window, &state.layout.buttons[*state.pressed].rect, false);
}

void OnRelease(WindowHandle window, BoxState& state, LParam lParam)
{
    if (!state.pressed)
        return;
    BoxButton const& button = state.layout.buttons[*state.pressed];
    if (ButtonAt(state.layout, lParam) == state.pressed)
        state.answer = button.result;
    state.pressed.reset();
    ReleaseCapture();
    InvalidateRect(window, &button.rect, false);
}

LResult BoxProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == Msg::Create) {
        auto const* create = reinterpret_cast<CreateParameters const*>(lParam);
        SetWindowLong(window, 0, reinterpret_cast<intptr_t>(create->parameter));
        return 0;
    }
    BoxState* state = StateOf(window);
    if (!state)
        return DefWindowProc(window, message, wParam, lParam);
    switch (message) {
    case Msg::Paint:
        OnPaint(window, *state);
        return 0;
    case Msg::EraseBackground:
        return 1; // painting covers every pixel
    case Msg::LeftButtonDown:
        OnPress(window, *state, lParam);
        return 0;
    case Msg::LeftButtonUp:
        OnRelease(window, *state, lParam);
        return 0;
    case Msg::KeyDown:
        if (wParam == kEnterKey)
            state->answer = state->layout.buttons.front().result;
        else if (wParam == kEscapeKey && EscapeAnswer(state->flags))
            state->answer = EscapeAnswer(state->flags);
        return 0;
    case Msg::Close:
        // Closed from outside, as Escape would close it; RunBoxWindow destroys it.
        if (EscapeAnswer(state->flags))
            state->answer = EscapeAnswer(state->flags);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

}

BoxResult RunBoxWindow(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    WindowSystem& windows = CurrentBackend().Windows();
    if (windows.RunOver())
        return ClosingAnswer(flags);
    // Refused once the class exists, which leaves it as it is.
    RegisterClass({ std::u16string(kBoxClassName), 0, BoxProcedure, sizeof(int32_t), {} });

    BoxState state { LayOutBox(text, caption, flags), std::u16string(caption), flags, CreateFontIndirect(BoxCaptionFont()), {}, {} };
    WindowHandle focusBefore = windows.Focus();
    Rect const at = state.layout.window;
    WindowHandle box = CreateWindowEx(ExStyle::TopMost, kBoxClassName, caption, Style::Popup | Style::Visible, at.left, at.top,
        at.Width(), at.Height(), owner, {}, &state);
    if (box) {
        // Until it is answered, the program's other windows take no taps.
        WindowHandle modalBefore = windows.ModalWindow();
        windows.SetModalWindow(box);
        SetForegroundWindow(box);
        windows.RunModalLoopUntil([&] { return state.answer.has_value() || !IsWindow(box); });
        DestroyWindow(box);
        windows.SetModalWindow(IsWindow(modalBefore) ? modalBefore : WindowHandle {});
    }
    DeleteObject(state.captionFont);

    // Unless another window has taken the focus meanwhile, it goes back.
    WindowHandle focusAfter = IsWindow(focusBefore) ? focusBefore : owner;
    if (!windows.Focus() && IsWindow(focusAfter))
        SetForegroundWindow(focusAfter);
    return state.answer.value_or(ClosingAnswer(flags));
}

}
