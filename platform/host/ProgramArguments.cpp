#include "platform/host/ProgramArguments.h"

#include "platform/Utf.h"

#include <climits>
#include <cstdlib>

#include <unistd.h>

namespace platform {

static std::string AsTyped(char const* word)
{
    if (word[0] == '/' || access(word, F_OK) != 0)
        return word;
    char resolved[PATH_MAX];
    return realpath(word, resolved) ? std::string(resolved) : std::string(word);
}

std::u16string CommandLineFromArguments(int argc, char** argv)
{
    std::u16string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += u' ';
        text += FromUtf8(AsTyped(argv[i]));
    }
    return text;
}

}
