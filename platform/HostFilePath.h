#pragma once

// A file of the machine the programs run on, named as its user would type it.

#include <string>

namespace platform {

// Relative to the current folder when the file lies below it; as given otherwise.
std::u16string UserPathOfHostFile(std::string const& hostPath);

}
