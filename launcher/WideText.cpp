#include "launcher/WideText.h"

#include <algorithm>

namespace launcher {

void RemoveAll(std::u16string& text, char16_t unit)
{
    text.erase(std::remove(text.begin(), text.end(), unit), text.end());
}

void RemoveLeadingBlanks(std::u16string& text)
{
    text.erase(0, std::min(text.find_first_not_of(u' '), text.size()));
}

}
