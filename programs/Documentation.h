#pragma once

// Where a program's --help sends its reader: the manual page and the reference
// pages, installed beside the program (PREFIX/share/doc/vessarine/ for
// PREFIX/bin/PROGRAM), or the source tree's for a program run from its build.

#include <string>
#include <string_view>

namespace programs {

// The closing lines of `program`'s --help: a heading that says where the
// documentation is, then `pages`, one "  FILE  what it tells" line each.
std::string DocumentationLines(std::string_view program, std::string_view pages);

}
