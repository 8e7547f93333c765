#pragma once

// Decimal numbers as cesim's command line and script write them.

#include <charconv>
#include <optional>
#include <string_view>

namespace cesim {

template<typename T>
std::optional<T> ParseNumber(std::string_view text)
{
    T value {};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}
