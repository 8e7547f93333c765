#include "panel/core/IniObject.h"

#include "config/Paths.h"

namespace panel {

bool IniObject::ReadValue(char16_t const*, size_t, bool)
{
    return true;
}

size_t IniObject::ResolveLayoutPath(char16_t const* value, char16_t* destination, size_t capacity) const
{
    return config::ResolveInFolder(destination, capacity, value, folder_);
}

}
