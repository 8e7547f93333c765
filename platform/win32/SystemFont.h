#pragma once

// A font the system chose for a face name, weight and slant, selected into a
// device context of its own so that its file's bytes can be read
// (GetFontData). A font is named by a key that holds the three, so that the
// same font can be chosen again where the bytes are read.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::win32 {

class SystemFont {
public:
    // None when the system has no outline font for the request.
    static std::unique_ptr<SystemFont> Choose(std::u16string_view face, int32_t weight, bool italic);
    static std::unique_ptr<SystemFont> FromKey(std::string_view key);
    ~SystemFont();
    SystemFont(SystemFont const&) = delete;
    SystemFont& operator=(SystemFont const&) = delete;

    // The face the system actually chose (a missing face is substituted).
    std::u16string FaceName() const;
    std::string Key() const;
    // Whether the font file itself is bold; the system draws bolder glyphs
    // from a regular file where a bold face is missing.
    bool FileIsBold() const;
    uint64_t FileSize() const;
    // Bytes of the font file from `offset`; how many were read.
    uint64_t ReadFile(uint64_t offset, void* buffer, uint64_t count) const;

private:
    struct Handles;
    explicit SystemFont(std::unique_ptr<Handles> handles, int32_t weight, bool italic);
    std::unique_ptr<Handles> handles_;
    int32_t weight_;
    bool italic_;
};

}
