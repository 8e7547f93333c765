#include "platform/window/Window.h"

#include "platform/window/Messages.h"

namespace platform {

bool Window::HasCaption() const
{
    return (style & Style::Caption) == Style::Caption;
}

}
