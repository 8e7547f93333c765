#include "platform/host/ProgramArguments.h"

#include "platform/Utf.h"
#include "platform/host/HostShell.h"

#include <climits>
#include <cstdlib>

#include <unistd.h>

namespace platform {

static std::string AsTyped(std::string const& word)
{
    std::string path = HostPathOf(FromUtf8(word));
    if (path.empty() || path[0] == '/' || access(path.c_str(), F_OK) != 0)
        return word;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : word;
}

std::u16string CommandLineFromArguments(std::span<std::string const> words)
{
    std::u16string text;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += u' ';
        text += FromUtf8(AsTyped(words[i]));
    }
    return text;
}

}
