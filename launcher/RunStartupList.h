#pragma once

// The whole work of the start-up launcher: find its INI file, start every
// program of the RUN section in file order without waiting for any, and
// report nothing, whatever fails. Start reading here; the INI reading is in
// IniFile, the entries in StartupEntry.

#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// `commandLine` names the INI file (double quotes allowed); when it is empty
// the file sits beside the program file.
void RunStartupList(std::u16string_view commandLine);
// The INI file the command line names.
std::u16string IniPathOf(std::u16string_view commandLine);

// The launcher as a program: runs the list and ends with 0.
int32_t TalvokMain(std::u16string_view commandLine);

}
