#include "programs/desktop/CommandLine.h"

#include <optional>
#include <vector>

namespace desktop {

static CommandLineRequest Mistake(std::string what)
{
    return { .action = Action::Mistake, .mistake = std::move(what) };
}

static std::string Quoted(std::vector<std::string> const& names)
{
    std::string text;
    for (std::string const& name : names)
        text += (text.empty() ? "'" : ", '") + name + "'";
    return text;
}

CommandLineRequest ReadCommandLine(std::span<char* const> words, ProgramUsage const& usage)
{
    bool check = false;
    bool watch = false;
    bool optionsEnded = false;
    std::optional<std::string> root;
    std::vector<std::string> files;
    for (size_t i = 0; i < words.size(); ++i) {
        std::string const word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            files.push_back(word);
        } else if (word == "--root" || word.starts_with("--root=")) {
            if (root)
                return Mistake("--root given twice");
            if (word == "--root" && i + 1 == words.size())
                return Mistake("--root needs a folder");
            root = word == "--root" ? std::string(words[++i]) : word.substr(7);
            if (root->empty())
                return Mistake("--root needs a folder");
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help") {
            return { .action = Action::Help };
        } else if (word == "--version") {
            return { .action = Action::Version };
        } else if (word == "--check") {
            if (check)
                return Mistake("--check given twice");
            check = true;
        } else if (word == "--watch" && usage.watches) {
            if (watch)
                return Mistake("--watch given twice");
            watch = true;
        } else {
            return Mistake("unknown option '" + word + "'");
        }
    }
    if (files.size() > 1)
        return Mistake("more than one " + std::string(usage.fileRole) + ": " + Quoted(files));
    // A check reads once and shows nothing: there is nothing to reload.
    if (check && watch)
        return Mistake("--check and --watch do not go together");
    CommandLineRequest request { .action = check ? Action::Check : Action::Run, .root = root, .watch = watch };
    if (!files.empty())
        request.file = files.front();
    return request;
}

}
