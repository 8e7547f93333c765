#pragma once

// The loop shared by the sectioned files: a bare keyword opens a section,
// the key lines after it belong to it, an empty line or the end of the file
// ends it. Comment lines are skipped without ending anything.

#include "config/Dialect.h"
#include "platform/File.h"

#include <cstddef>

namespace config {

class SectionHandler {
public:
    virtual ~SectionHandler() = default;
    // A line outside a section; false when its keyword is unknown.
    virtual bool OpenSection(char16_t const* line, size_t length) = 0;
    virtual void KeyLine(char16_t const* line, size_t length) = 0;
    virtual void CloseSection() { }
};

bool IsCommentLine(char16_t first);

// Reads `file` from its position to its end; unknown keywords are reported.
void ReadSections(Dialect const& dialect, platform::File& file, SectionHandler& handler);

}
