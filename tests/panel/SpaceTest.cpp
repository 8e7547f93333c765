#include "panel/displays/Space.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace panel;
using testing_support::BoxSaying;
using testing_support::EventsHave;

namespace {

TEST(Space, ASquareOfItsOwnSizeWhateverWidthAndHeightSay)
{
    testing_support::TestDevice device;
    Space plain;
    plain.Prepare({});
    EXPECT_EQ(plain.GetWidth(), 4);
    EXPECT_EQ(plain.GetHeight(), 4);

    Space sized;
    EXPECT_TRUE(sized.ReadValue(u"Space=20"));
    EXPECT_TRUE(sized.ReadValue(u"Width=100"));
    EXPECT_FALSE(sized.ReadValue(u"Space="));
    EXPECT_FALSE(sized.ReadValue(u"Colour=FF0000"));
    sized.Prepare({});
    EXPECT_EQ(sized.GetWidth(), 20);
    EXPECT_EQ(sized.GetHeight(), 20);
    EXPECT_EQ(sized.GetInterval(), 0u);
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Space - Ignoriere Fehler:", "Space="),
        BoxSaying("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000"),
    }));
}

}
