#include "platform/x11/X11Backend.h"

namespace platform {

std::unique_ptr<X11Backend> X11Backend::Open(std::string& error)
{
    auto connection = X11Connection::Open(error);
    if (!connection)
        return nullptr;
    return std::unique_ptr<X11Backend>(new X11Backend(std::move(connection)));
}

X11Backend::X11Backend(std::unique_ptr<X11Connection> connection)
    : connection_(std::move(connection))
    , tray_(*connection_, Windows())
    , screen_(*connection_, Windows(), tray_, services_)
    , keys_(*connection_, tray_)
    , dialogs_(*connection_, screen_)
{
}

}
