// The reference lists every key a file can hold in a table row of its page,
// in backticks, and names every section keyword: a key added to a table in the code and not to the page
// fails here, naming the key.

#include "daemon/BindingSet.h"
#include "daemon/KeyBinding.h"
#include "panel/core/ObjectFactory.h"
#include "tests/panel/PanelKeyChains.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Names = testing_support::KeyNames;

std::string Ascii(std::u16string_view text)
{
    return std::string(text.begin(), text.end());
}

// The names in backticks on the table rows of a page, or on any line.
std::set<std::string> QuotedNames(std::string const& page, bool tableRowsOnly = true)
{
    std::ifstream file(std::string(DOCS_DIR) + "/" + page);
    EXPECT_TRUE(file) << page;
    std::set<std::string> names;
    for (std::string line; std::getline(file, line);) {
        if (tableRowsOnly && !line.starts_with("|"))
            continue;
        for (size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open + 1)) {
            size_t const close = line.find('`', open + 1);
            if (close == std::string::npos)
                break;
            names.insert(line.substr(open + 1, close - open - 1));
            open = close;
        }
    }
    return names;
}

std::vector<std::string> Missing(std::set<std::string> const& tabled, std::vector<Names> const& tables)
{
    std::vector<std::string> missing;
    for (Names const& names : tables) {
        for (std::u16string_view name : names) {
            if (!tabled.contains(Ascii(name)))
                missing.push_back(Ascii(name));
        }
    }
    return missing;
}

}

TEST(ReferenceKeys, EveryPanelKeyAndKeywordHasARow)
{
    EXPECT_EQ(Missing(QuotedNames("panel.md", false), { panel::SectionKeywords() }), std::vector<std::string> {});
    EXPECT_EQ(Missing(QuotedNames("panel.md"), testing_support::PanelKeyChains()), std::vector<std::string> {});
}

TEST(ReferenceKeys, EveryDaemonKeyAndKeywordHasARow)
{
    EXPECT_EQ(Missing(QuotedNames("daemon.md", false), { { brellum::kBindingKeyword, brellum::kSettingsKeyword } }),
        std::vector<std::string> {});
    EXPECT_EQ(Missing(QuotedNames("daemon.md"),
                  {
                      brellum::KeyBinding::Keys().Names(),
                      brellum::BindingSet::SettingsSection::Keys().Names(),
                  }),
        std::vector<std::string> {});
}

TEST(ReferenceKeys, AMissingKeyIsNamed)
{
    EXPECT_EQ(Missing({ "Text", "Color" }, { { u"Text", u"Colour", u"Color" } }), std::vector<std::string> { "Colour" });
}
