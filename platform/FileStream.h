#pragma once

// What a backend opens when a program opens a file: bytes with a position.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class FileStream {
public:
    virtual ~FileStream() = default;
    // Returns the number of bytes read; 0 at the end or on an error.
    virtual size_t Read(void* buffer, size_t bytes) = 0;
    // Moves relative to the current position; false leaves it where it was.
    virtual bool SeekRelative(int64_t delta) = 0;
    virtual uint64_t Position() const = 0;
    virtual uint64_t Size() const = 0;
};

// Bytes held in memory: embedded data and the fuzz targets read through it.
class MemoryFileStream final : public FileStream {
public:
    explicit MemoryFileStream(std::vector<uint8_t> bytes);
    size_t Read(void* buffer, size_t bytes) override;
    bool SeekRelative(int64_t delta) override;
    uint64_t Position() const override { return position_; }
    uint64_t Size() const override { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
    uint64_t position_ = 0;
};

}
