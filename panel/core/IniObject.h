#pragma once

// Root of everything built from a section of a layout file.

#include <cstddef>

namespace panel {

class IniObject {
public:
    virtual ~IniObject() = default;

    // One key line of the object's section; true when the line was taken.
    // The root takes every line silently.
    virtual bool ReadValue(char16_t const* line, size_t length, bool report);

    // The folder of the layout file being read, with its trailing separator;
    // set only while the object's key lines are read.
    void SetFolder(char16_t const* folder) { folder_ = folder; }
    char16_t const* Folder() const { return folder_; }

    // A file name of a key line: absolute names stay, others count from the
    // layout file's folder. 0 outside the reading of the layout file.
    size_t ResolveLayoutPath(char16_t const* value, char16_t* destination, size_t capacity) const;

private:
    char16_t const* folder_ = nullptr;
};

}
