#pragma once

// One run of a program of the suite on the simulated device, as the studio
// page asks for it: cesim's command line and event script in, the trace, the
// screen at the end and the check's findings out.

#include "programs/check/FileCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace studio {

struct RunResult {
    // 0 after a run or a check with nothing found, 1 for a check that found
    // something, 2 when the command line, the script or the root folder is wrong.
    int status = 0;
    std::string error;
    // The trace's lines, each a JSON object.
    std::vector<std::string> trace;
    // The screen as the run ended, 4 bytes a pixel (red, green, blue, 255), rows top-down.
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
    std::vector<check::Reported> findings;
    // Font files the run asked for that the module's font folder lacks.
    std::vector<std::string> missingFonts;
};

// `arguments` as cesim takes them, the program's name first; `--check` asks
// for the findings instead of a run.
RunResult RunOnDevice(std::vector<std::string> const& arguments, std::string const& script);

// The result without its pixels, as one JSON object.
std::string ToJson(RunResult const& result);

}
