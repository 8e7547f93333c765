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
    // The path it was opened with.
    std::u16string const& Path() const { return path_; }

private:
    std::unique_ptr<FileStream> stream_;
    std::u16string path_;
};

// The path as the user would type it: on the desktop the file system's path,
// relative to the current folder when the file lies below it.
std::u16string UserPathOf(std::u16string_view path);

// Full device path of the running program file; none when it cannot be determined.
std::optional<std::u16string> ProgramPath();

}
