#pragma once

// Bounded helpers on NUL-terminated UTF-16 strings, counted in units.
// They never allocate.

#include <cstddef>
#include <string_view>

namespace config {

size_t StringLength(char16_t const* string);

// Compares n units: 0 when equal, positive when a's unit is the greater at the
// first difference. A string shorter than n never equals a longer one.
int CompareN(char16_t const* a, char16_t const* b, size_t n);

// Whether `string` begins with `prefix`, which holds no NUL.
bool StartsWith(char16_t const* string, std::u16string_view prefix);

// The part of `string` before its first NUL unit; all of it when it has none.
std::u16string_view BeforeNul(std::u16string_view string);

// Copies at most capacity - 1 units and always terminates (unless capacity is 0).
// Returns the number of units copied.
size_t CopyString(char16_t const* source, char16_t* destination, size_t capacity);

// The first of the n units equal to `unit`, or null.
char16_t const* FindChar(char16_t const* string, char16_t unit, size_t n);

// The first of the n units that is not a space, tab, LF or CR; if all are,
// the position just after them.
char16_t const* SkipBlanks(char16_t const* string, size_t n);

}
