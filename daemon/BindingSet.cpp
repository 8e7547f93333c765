// Which of the loaded bindings the daemon serves.

#include "daemon/BindingSet.h"

namespace brellum {

bool BindingSet::IsServed(size_t index) const
{
    int32_t keyCode = bindings_[index]->keyCode;
    if (keyCode < 1 || keyCode > 255)
        return false;
    for (size_t earlier = 0; earlier < index; ++earlier) {
        if (bindings_[earlier]->keyCode == keyCode)
            return false;
    }
    return true;
}

std::optional<size_t> BindingSet::ServedIndex(platform::WParam id) const
{
    if (id < 1 || id > 255)
        return std::nullopt;
    for (size_t index = 0; index < bindings_.size(); ++index) {
        if (platform::WParam(bindings_[index]->keyCode) == id)
            return index;
    }
    return std::nullopt;
}

}
