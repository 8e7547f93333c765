#include "tests/desktop/StartedProgram.h"

#include <fstream>

namespace desktop_tests {

namespace {

// A word for the shell, as it is.
std::string Quoted(std::string const& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}

std::unique_ptr<testing_support::ChildProcess> StartProgram(std::string const& path, ProgramStart const& start)
{
    std::vector<std::string> words = start.environment;
    words.push_back(path);
    words.insert(words.end(), start.arguments.begin(), start.arguments.end());
    if (start.errorFile.empty() && start.folder.empty())
        return std::make_unique<testing_support::ChildProcess>("env", words);
    std::string script = "exec env \"$@\"";
    if (!start.errorFile.empty())
        script += " 2>" + Quoted(start.errorFile);
    if (!start.folder.empty())
        script = "cd " + Quoted(start.folder) + " && " + script;
    // The shell's own name, then the words.
    words.insert(words.begin(), { "-c", script, "sh" });
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
