#pragma once

// Root of everything built from a section of a layout file.

#include <cstddef>
#include <string_view>

namespace panel {

class IniObject {
public:
    virtual ~IniObject() = default;

    // One key line of the object's section, the whole line; true when it was
    // taken. With `report`, a line that is not taken is reported. Every
    // override keeps this default. The root takes every line silently.
    virtual bool ReadValue(std::u16string_view line, bool report = true);
    // The object's section has ended: a chance to warn of what its lines
    // leave undone.
    virtual void EndSection() { }

    // The folder of the layout file being read, with its trailing separator;
    // set only while the object's key lines are read.
    void SetFolder(char16_t const* folder) { folder_ = folder; }
    char16_t const* Folder() const { return folder_; }

    // A file name of a key line (up to its first NUL): absolute names stay,
    // others count from the layout file's folder. 0 outside the reading of the
    // layout file.
    size_t ResolveLayoutPath(std::u16string_view value, char16_t* destination, size_t capacity) const;

private:
    char16_t const* folder_ = nullptr;
};

}
