#pragma once

// A file of the host system, opened for reading.

#include "platform/FileStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class HostFileStream final : public FileStream {
public:
    // None when the path does not name a readable regular file.
    static std::unique_ptr<HostFileStream> Open(std::string const& hostPath);
    ~HostFileStream() override;

    size_t Read(void* buffer, size_t bytes) override;
    // Reads are positioned, so a seek only moves the position.
    bool SeekRelative(int64_t delta) override
    {
        if (delta < 0 && uint64_t(-delta) > position_)
            return false;
        position_ = uint64_t(int64_t(position_) + delta);
        return true;
    }
    uint64_t Position() const override { return position_; }
    uint64_t Size() const override;

private:
    explicit HostFileStream(std::intptr_t file) : file_(file) { }
    std::intptr_t file_; // a descriptor; on Windows a file handle
    uint64_t position_ = 0;
};

bool HostFileExists(std::string const& hostPath);

}
