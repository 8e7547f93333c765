#include "panel/core/IniObject.h"

#include "config/Paths.h"
#include "config/Strings.h"

#include <string>

namespace panel {

bool IniObject::ReadValue(std::u16string_view, bool)
{
    return true;
}

size_t IniObject::ResolveLayoutPath(std::u16string_view value, char16_t* destination, size_t capacity) const
{
    std::u16string const name(config::BeforeNul(value));
    return config::ResolveInFolder(destination, capacity, name.c_str(), folder_);
}

}
