#include "launcher/IniFile.h"

#include <cstring>

namespace launcher {

IniFile::~IniFile()
{
    Clear();
}

void IniFile::Clear()
{
    sectionIndex_.clear();
    sections_.clear();
}

bool IniFile::Load(std::u16string_view path)
{
    platform::File file = platform::File::OpenForReading(path);
    if (!file.IsOpen())
        return false;
    return Load(file);
}

// The file is parsed in place, one buffer at a time. Only whole lines are
// parsed; the incomplete line at the end of a buffer moves to its start and
// is completed by the next read. At the end of the file an LF is appended, so
// that the last line counts even without a line end, also when the file ends
// exactly where a full buffer did.
bool IniFile::Load(platform::File& file)
{
    if (!file.IsOpen())
        return false;
    Clear();

    constexpr int32_t kCapacity = int32_t(kBufferSize) - 1;
    int32_t currentSection = 0;
    bool skippingLongLine = false;
    bufferLength_ = 0;
    for (;;) {
        int32_t wanted = kCapacity - bufferLength_;
        int32_t got = int32_t(file.Read(buffer_.data() + bufferLength_, size_t(wanted)));
        bufferLength_ += got;
        if (bufferLength_ == 0)
            break;
        if (got < wanted)
            buffer_[size_t(bufferLength_++)] = '\n';
        buffer_[size_t(bufferLength_)] = '\0';

        char* const buffer = buffer_.data();
        bufferPosition_ = 0;
        if (skippingLongLine) {
            auto* lineEnd = static_cast<char*>(std::memchr(buffer, '\n', size_t(bufferLength_)));
            if (!lineEnd) {
                bufferLength_ = 0;
                continue;
            }
            bufferPosition_ = int32_t(lineEnd - buffer) + 1;
            skippingLongLine = false;
        }

        int32_t parsedEnd = bufferLength_;
        while (parsedEnd > bufferPosition_ && buffer[parsedEnd - 1] != '\n')
            --parsedEnd;
        if (parsedEnd == 0) {
            // A full buffer without a line end: the line cannot be read whole,
            // so all of it is dropped, up to and including its LF.
            skippingLongLine = true;
            bufferLength_ = 0;
            continue;
        }

        while (bufferPosition_ < parsedEnd) {
            char* line = buffer + bufferPosition_;
            auto* lineEnd = static_cast<char*>(std::memchr(line, '\n', size_t(parsedEnd - bufferPosition_)));
            ParseLine(line, lineEnd, currentSection);
            bufferPosition_ = int32_t(lineEnd - buffer) + 1;
        }

        bufferLength_ -= parsedEnd;
        std::memmove(buffer, buffer + parsedEnd, size_t(bufferLength_));
    }
    return GetSectionCount() > 0;
}

// `end` points at the line's LF. Names, keys and values are cut in place with
// zero bytes; a zero byte inside the line therefore ends the text it is in.
void IniFile::ParseLine(char* line, char* end, int32_t& currentSection)
{
    if (line < end && *line == '\r')
        ++line;
    if (end > line && end[-1] == '\r')
        --end;
    if (line == end)
        return;

    if (*line == '[') {
        // A header without its ']' names nothing; text after the ']' is ignored.
        auto* close = static_cast<char*>(std::memchr(line + 1, ']', size_t(end - line - 1)));
        if (!close)
            return;
        *close = '\0';
        AddSection(line + 1);
        currentSection = FindSection(line + 1);
        return;
    }

    // The first character always belongs to the key, even when it is '='.
    auto* equals = static_cast<char*>(std::memchr(line + 1, '=', size_t(end - line - 1)));
    if (!equals)
        return;
    *equals = '\0';
    *end = '\0';
    SetValue(GetSectionName(currentSection), line, equals + 1);
}

IniSection const* IniFile::Section(int32_t section) const
{
    if (section < 1 || section > GetSectionCount())
        return nullptr;
    return &sections_[size_t(section - 1)];
}

bool IniFile::HasEntry(int32_t section, int32_t entry) const
{
    return entry >= 1 && entry <= GetEntryCount(section);
}

char const* IniFile::GetSectionName(int32_t section) const
{
    IniSection const* found = Section(section);
    return found ? found->GetName() : nullptr;
}

int32_t IniFile::FindSection(char const* name) const
{
    if (!name)
        return 0;
    auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? 0 : found->second;
}

int32_t IniFile::AppendSection(char const* name)
{
    sections_.emplace_back(name);
    int32_t index = GetSectionCount();
    if (char const* copy = sections_.back().GetName())
        sectionIndex_.emplace(copy, index);
    return index;
}

int32_t IniFile::GetEntryCount(int32_t section) const
{
    IniSection const* found = Section(section);
    return found ? found->GetEntryCount() : 0;
}

char const* IniFile::GetEntry(int32_t section, int32_t entry, char const*& key) const
{
    if (!HasEntry(section, entry))
        return nullptr;
    IniSection const& found = *Section(section);
    key = found.GetKey(entry - 1);
    return found.GetValue(entry - 1);
}

char const* IniFile::GetKey(int32_t section, int32_t entry) const
{
    if (!HasEntry(section, entry))
        return nullptr;
    return Section(section)->GetKey(entry - 1);
}

int32_t IniFile::FindKey(int32_t section, char const* key) const
{
    IniSection const* found = Section(section);
    return found ? found->FindKey(key) + 1 : 0;
}

bool IniFile::SetValue(char const* section, char const* key, char const* value)
{
    if (!key || !value)
        return false;
    int32_t index = FindSection(section);
    if (index == 0)
        index = AppendSection(section);
    sections_[size_t(index - 1)].SetValue(key, value);
    return true;
}

bool IniFile::AddSection(char const* name)
{
    if (FindSection(name) == 0)
        AppendSection(name);
    return true;
}

}
