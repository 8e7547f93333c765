#include "platform/host/DeviceRootFolder.h"

#include <utility>

namespace platform {

namespace {

std::string& Root()
{
    static std::string root;
    return root;
}

}

void SetDeviceRoot(std::string folder)
{
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    Root() = std::move(folder);
}

std::string const& DeviceRoot()
{
    return Root();
}

}
