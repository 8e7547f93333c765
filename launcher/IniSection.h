#pragma once

// One section of the launcher's INI file: an optional name and its key/value
// entries in order of first appearance. Each entry is a single allocation
// holding the key, its terminator, the value and its terminator.

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace launcher {

class IniSection {
public:
    // `name` may be null: the section that collects an entry found before any header.
    explicit IniSection(char const* name);

    // Null for a section without a name.
    char const* GetName() const { return name_.get(); }

    int32_t GetEntryCount() const { return int32_t(keys_.size()); }
    // `index` counts from 0 and must be below GetEntryCount().
    char const* GetKey(int32_t index) const { return keys_[size_t(index)].get(); }
    char const* GetValue(int32_t index) const { return values_[size_t(index)]; }
    // 0-based index of the first entry with this key; -1 if none.
    int32_t FindKey(char const* key) const;

    // Replaces the value of an existing key, or appends the entry.
    void SetValue(char const* key, char const* value);

private:
    std::unique_ptr<char[]> name_;
    std::vector<std::unique_ptr<char[]>> keys_;
    std::vector<char const*> values_;
    // Keys to their index, so that large files do not load in quadratic time.
    std::unordered_map<std::string_view, int32_t> keyIndex_;
};

}
