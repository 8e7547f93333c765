#pragma once

// Apply functions of the common keys of a key table: the value parsed into
// one field of the object, named by a pointer to it. Integers take the
// field's own type.

#include "config/Dialect.h"
#include "config/Values.h"

#include <string_view>
#include <type_traits>

namespace config {

template<auto Field>
bool SetInteger(auto& object, std::u16string_view value)
{
    using Integer = std::remove_cvref_t<decltype(object.*Field)>;
    object.*Field = Integer(ParseInt(value));
    return true;
}
template<auto Field>
bool SetColor(auto& object, std::u16string_view value)
{
    object.*Field = ReadColor(value);
    return true;
}
template<auto Field, Dialect const& dialect>
bool SetBoolean(auto& object, std::u16string_view value)
{
    object.*Field = ParseBool(dialect, value);
    return true;
}
// A boolean that switches `Bits` of a field of flags on or off.
template<auto Field, auto Bits, Dialect const& dialect>
bool SetBits(auto& object, std::u16string_view value)
{
    using Flags = std::remove_cvref_t<decltype(object.*Field)>;
    if (ParseBool(dialect, value))
        object.*Field = Flags(object.*Field | Bits);
    else
        object.*Field = Flags(object.*Field & Flags(~Bits));
    return true;
}
// The whole value, up to the end of the line.
template<auto Field>
bool SetText(auto& object, std::u16string_view value)
{
    object.*Field = value;
    return true;
}

}
