#pragma once

// `brellum --check`: the daemon reads its binding file and every file its
// NewIni keys name (each once) as it would, grabbing nothing; then each file
// is looked over for what the daemon would take without a word.

#include <string_view>

namespace brellum {

void CheckBrellumFiles(std::u16string_view commandLine);

}
