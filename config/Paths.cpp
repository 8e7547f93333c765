#include "config/Paths.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "platform/File.h"

namespace config {

bool IsPathSeparator(char16_t unit)
{
    return unit == u'\\' || unit == u'/';
}

size_t FolderLength(char16_t const* path)
{
    size_t length = StringLength(path);
    while (length > 1 && !IsPathSeparator(path[length - 1]))
        --length;
    if (length == 1 && !IsPathSeparator(path[0]))
        return 0;
    return length;
}

bool IsAbsolutePath(char16_t const* path)
{
    if (IsPathSeparator(path[0]))
        return true;
    bool const letter = (path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z');
    return letter && path[1] == u':' && IsPathSeparator(path[2]);
}

static bool StartsWithParentFolder(char16_t const* path)
{
    return path[0] == u'.' && path[1] == u'.' && IsPathSeparator(path[2]);
}

size_t JoinPath(char16_t* destination, size_t capacity, char16_t const* relative, char16_t const* folder)
{
    size_t length = CopyString(folder, destination, capacity);
    // The separator goes in only when it and the terminator still fit.
    if (length > 0 && !IsPathSeparator(destination[length - 1]) && length + 2 <= capacity)
        destination[length++] = u'\\';
    if (IsPathSeparator(relative[0]))
        ++relative;
    while (length > 0 && StartsWithParentFolder(relative)) {
        relative += 3;
        --length;
        while (length > 0 && !IsPathSeparator(destination[length - 1]))
            --length;
    }
    if (capacity == 0)
        return 0;
    return length + CopyString(relative, destination + length, capacity - length);
}

size_t ResolveProgramPath(Dialect const& dialect, char16_t* destination, size_t capacity, char16_t const* relative)
{
    auto programPath = platform::ProgramPath();
    if (!programPath) {
        ReportError(dialect, u"Der Pfad zum Programm konnte nicht ermittelt werden.");
        CopyString(u"", destination, capacity);
        return 0;
    }
    char16_t folder[kPathCapacity];
    CopyString(programPath->c_str(), folder, kPathCapacity);
    folder[FolderLength(folder)] = u'\0';
    return JoinPath(destination, capacity, relative, folder);
}

size_t ResolveInFolder(char16_t* destination, size_t capacity, char16_t const* value, char16_t const* folder)
{
    if (!folder)
        return 0;
    if (IsAbsolutePath(value))
        return CopyString(value, destination, capacity);
    return JoinPath(destination, capacity, value, folder);
}

}
