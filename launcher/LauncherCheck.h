#pragma once

// `talvok --check`: the launcher reads its INI file as it would and looks
// over its RUN entries without starting anything. The launcher itself says
// nothing of what fails, so all it finds are warnings.

#include <string_view>

namespace launcher {

void CheckTalvokFiles(std::u16string_view commandLine);

}
