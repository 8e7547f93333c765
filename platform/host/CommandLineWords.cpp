#include "platform/host/CommandLineWords.h"

namespace platform {

std::vector<std::u16string> CommandLineWords(std::u16string_view text)
{
    std::vector<std::u16string> words;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
        if (i >= text.size())
            return words;
        std::u16string word;
        bool quoted = false;
        while (i < text.size() && (quoted || (text[i] != u' ' && text[i] != u'\t'))) {
            size_t backslashes = 0;
            while (i < text.size() && text[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == u'"') {
                // 2n backslashes and a quote: n backslashes, the quote toggles grouping;
                // 2n+1: n backslashes and a literal quote.
                word.append(backslashes / 2, u'\\');
                if (backslashes % 2) {
                    word.push_back(u'"');
                } else if (quoted && i + 1 < text.size() && text[i + 1] == u'"') {
                    word.push_back(u'"'); // "" inside quotes is one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            word.append(backslashes, u'\\');
            if (backslashes == 0 && i < text.size())
                word.push_back(text[i++]);
        }
        words.push_back(std::move(word));
    }
}

}
