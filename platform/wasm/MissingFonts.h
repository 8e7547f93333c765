#pragma once

// The page loads only the font files its layouts use: a run tells which
// files it asked for and did not find, and the page fetches them and runs again.

#include <string>
#include <vector>

namespace platform {

// The file names asked for since the last call that were not there, each once.
std::vector<std::string> TakeMissingFonts();

}
