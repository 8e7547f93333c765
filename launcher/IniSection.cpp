#include "launcher/IniSection.h"

#include <cstring>

namespace launcher {

static std::unique_ptr<char[]> CopyOf(char const* text)
{
    if (!text)
        return nullptr;
    size_t size = std::strlen(text) + 1;
    auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), text, size);
    return copy;
}

IniSection::IniSection(char const* name)
    : name_(CopyOf(name))
{
}

int32_t IniSection::FindKey(char const* key) const
{
    if (!key)
        return -1;
    auto found = keyIndex_.find(key);
    return found == keyIndex_.end() ? -1 : found->second;
}

void IniSection::SetValue(char const* key, char const* value)
{
    size_t keySize = std::strlen(key) + 1;
    size_t valueSize = std::strlen(value) + 1;
    auto entry = std::make_unique<char[]>(keySize + valueSize);
    std::memcpy(entry.get(), key, keySize);
    std::memcpy(entry.get() + keySize, value, valueSize);
    char const* entryValue = entry.get() + keySize;

    int32_t index = GetEntryCount();
    if (auto existing = keyIndex_.find(key); existing != keyIndex_.end()) {
        index = existing->second;
        keyIndex_.erase(existing);
        keys_[size_t(index)] = std::move(entry);
        values_[size_t(index)] = entryValue;
    } else {
        keys_.push_back(std::move(entry));
        values_.push_back(entryValue);
    }
    keyIndex_.emplace(keys_[size_t(index)].get(), index);
}

}
