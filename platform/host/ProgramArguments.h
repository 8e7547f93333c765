#pragma once

// The device hands a program one command-line text; a Linux shell hands it
// words. They are joined with blanks, and a word that names an existing file
// from the current folder (`\` read as `/`) becomes its absolute path: the
// programs resolve relative names against their own folder, as on the device.

#include <span>
#include <string>

namespace platform {

std::u16string CommandLineFromArguments(std::span<std::string const> words);

}
