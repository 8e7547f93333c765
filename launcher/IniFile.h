#pragma once

// The launcher's INI file: 8-bit text in the device's ANSI code page,
// bracketed section headers, key=value entries, no comments. Sections and
// entries keep the order in which they first appear; names and keys match
// byte for byte, case-sensitively. Indices count from 1; 0 means none.

#include "launcher/IniSection.h"
#include "platform/File.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace launcher {

class IniFile {
public:
    IniFile() = default;
    virtual ~IniFile();
    IniFile(IniFile const&) = delete;
    IniFile& operator=(IniFile const&) = delete;

    // False, with the content unchanged, when the file does not open.
    // Otherwise the content is replaced by the file's; true when it holds a section.
    bool Load(std::u16string_view path);
    bool Load(platform::File& file);
    void Clear();

    int32_t GetSectionCount() const { return int32_t(sections_.size()); }
    // Null for a section without a name, and for 0 or beyond the count.
    char const* GetSectionName(int32_t section) const;
    int32_t FindSection(char const* name) const;

    int32_t GetEntryCount(int32_t section) const;
    // The value, and the key through `key`; null (and `key` untouched) when
    // there is no such entry.
    char const* GetEntry(int32_t section, int32_t entry, char const*& key) const;
    char const* GetKey(int32_t section, int32_t entry) const;
    int32_t FindKey(int32_t section, char const* key) const;

    // A null section name never matches, so it always appends a section.
    // False only for a null key or value.
    bool SetValue(char const* section, char const* key, char const* value);
    bool AddSection(char const* name);

    // A read fills all but the last byte, which keeps the zero terminator. A
    // line that does not fit, with its line end, is skipped whole.
    static constexpr size_t kBufferSize = 1024;

private:
    IniSection const* Section(int32_t section) const;
    bool HasEntry(int32_t section, int32_t entry) const;
    int32_t AppendSection(char const* name);
    void ParseLine(char* line, char* end, int32_t& currentSection);

    std::vector<IniSection> sections_;
    // Names to their 1-based index, so that large files do not load in quadratic time.
    std::unordered_map<std::string_view, int32_t> sectionIndex_;
    // Zero-terminated after the valid bytes.
    std::array<char, kBufferSize> buffer_ {};
    int32_t bufferPosition_ = 0;
    int32_t bufferLength_ = 0;
};

}
