#include "config/Strings.h"

namespace config {

size_t StringLength(char16_t const* string)
{
    size_t length = 0;
    while (string[length] != u'\0')
        ++length;
    return length;
}

int CompareN(char16_t const* a, char16_t const* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return int(a[i]) - int(b[i]);
        // Both strings end here: nothing beyond their terminators is read.
        if (a[i] == u'\0')
            return 0;
    }
    return 0;
}

bool StartsWith(char16_t const* string, std::u16string_view prefix)
{
    return CompareN(string, prefix.data(), prefix.size()) == 0;
}

std::u16string_view BeforeNul(std::u16string_view string)
{
    return string.substr(0, string.find(u'\0'));
}

size_t CopyString(char16_t const* source, char16_t* destination, size_t capacity)
{
    if (capacity == 0)
        return 0;
    size_t count = 0;
    while (count + 1 < capacity && source[count] != u'\0') {
        destination[count] = source[count];
        ++count;
    }
    destination[count] = u'\0';
    return count;
}

char16_t const* FindChar(char16_t const* string, char16_t unit, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (string[i] == unit)
            return string + i;
    }
    return nullptr;
}

static bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r';
}

char16_t const* SkipBlanks(char16_t const* string, size_t n)
{
    size_t i = 0;
    while (i < n && IsBlank(string[i]))
        ++i;
    return string + i;
}

}
