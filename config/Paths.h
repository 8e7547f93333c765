#pragma once

// File names in configuration files are relative to a folder: the program's
// or the configuration file's. Results always fit the destination's capacity.

#include "config/Dialect.h"

#include <cstddef>

namespace config {

// Path buffers hold 259 units and the terminator.
constexpr size_t kPathCapacity = 260;

bool IsPathSeparator(char16_t unit);
// Begins at a root: a separator, or on Windows a drive ("C:\").
bool IsAbsolutePath(char16_t const* path);

// Length of the folder part: up to and including the last separator; 0 when
// the path has none.
size_t FolderLength(char16_t const* path);

// Appends `relative` to `folder` (adding a separator when the folder lacks
// one); a leading separator of `relative` is dropped and each leading "..\"
// goes up one folder. Returns the length of the result.
size_t JoinPath(char16_t* destination, size_t capacity, char16_t const* relative, char16_t const* folder);

// `relative` joined to the folder of the program file. When the program's
// path cannot be determined the "Fehler" box is shown, the destination is
// left empty and 0 is returned.
size_t ResolveProgramPath(Dialect const& dialect, char16_t* destination, size_t capacity, char16_t const* relative);

// An absolute value is copied unchanged, any other is joined to `folder`. Without a folder (null) the destination is left alone and 0 returned.
size_t ResolveInFolder(char16_t* destination, size_t capacity, char16_t const* value, char16_t const* folder);

}
