// The launcher's INI reader on arbitrary bytes: loading and every look-up of
// what was loaded must stay within bounds and agree with one another.

#include "launcher/IniFile.h"
#include "platform/FileStream.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    platform::File file(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(data, data + size)));
    launcher::IniFile ini;
    if (ini.Load(file) != (ini.GetSectionCount() > 0))
        __builtin_trap();

    // Every stored byte comes from a distinct byte of the input.
    size_t stored = 0;
    for (int32_t n = 0; n <= ini.GetSectionCount() + 1; ++n) {
        char const* name = ini.GetSectionName(n);
        if (name && ini.FindSection(name) != n)
            __builtin_trap();
        for (int32_t i = 0; i <= ini.GetEntryCount(n) + 1; ++i) {
            char const* key = nullptr;
            char const* value = ini.GetEntry(n, i, key);
            if (!value)
                continue;
            if (key != ini.GetKey(n, i) || ini.FindKey(n, key) != i)
                __builtin_trap();
            stored += std::strlen(key) + std::strlen(value);
        }
    }
    if (stored > size)
        __builtin_trap();
    return 0;
}
