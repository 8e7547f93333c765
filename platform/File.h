#pragma once

// Files, as the programs use them: opened for reading, read, sought, closed.
// Paths are device paths; '\' and '/' both separate folders.

#include "platform/FileStream.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class File {
public:
    File() = default;
    explicit File(std::unique_ptr<FileStream> stream);

    // An existing file, for reading, others may read too. Check IsOpen().
    static File OpenForReading(std::u16string_view path);

    bool IsOpen() const { return stream_ != nullptr; }
    // Bytes read; 0 at the end of the file, on an error or when not open.
    size_t Read(void* buffer, size_t bytes);
    bool SeekRelative(int64_t delta);
    uint64_t Position() const;
    uint64_t Size() const;
    void Close() { stream_.reset(); }

private:
    std::unique_ptr<FileStream> stream_;
};

// Full device path of the running program file; none when it cannot be determined.
std::optional<std::u16string> ProgramPath();

}
