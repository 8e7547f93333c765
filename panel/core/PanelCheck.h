#pragma once

// `vessarine --check`: the panel reads its settings file, every layout file
// it lists and every one its buttons switch to (each once), with the pictures
// and icons they name, exactly as at start-up but with nothing shown; then
// each layout is looked over for what the panel would take without a word.

#include <string_view>

namespace panel {

void CheckVessarineFiles(std::u16string_view commandLine);

}
