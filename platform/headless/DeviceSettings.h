#pragma once

// How a simulated device starts: its root folder and program path, screen
// size, first tick, wall clock and locale, and when the run ends.

#include <cstdint>
#include <string>

namespace platform {

struct ClockStart {
    int32_t year = 2026, month = 1, day = 15, hour = 9, minute = 30, second = 0;
};

struct DeviceSettings {
    std::string root = ".";
    std::u16string exe;
    int32_t screenWidth = 480;
    int32_t screenHeight = 272;
    uint32_t tick = 0;
    ClockStart clock;
    std::string locale = "de-DE";
    uint64_t until = 3600000;
};

}
