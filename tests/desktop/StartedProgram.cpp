#include "tests/desktop/StartedProgram.h"

#include <fstream>

namespace desktop_tests {

std::unique_ptr<testing_support::ChildProcess> StartProgram(std::string const& path, ProgramStart const& start)
{
    std::vector<std::string> words = start.environment;
    words.push_back(path);
    words.insert(words.end(), start.arguments.begin(), start.arguments.end());
    if (start.errorFile.empty())
        return std::make_unique<testing_support::ChildProcess>("env", words);
    words.insert(words.begin(), { "-c", "exec env \"$@\" 2>\"$0\"", start.errorFile });
    return std::make_unique<testing_support::ChildProcess>("/bin/sh", words);
}

std::vector<std::string> Lines(std::string const& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}
