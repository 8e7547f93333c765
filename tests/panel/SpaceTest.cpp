#include "panel/displays/Space.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

using namespace panel;

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
    auto boxes = device.Events("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find(R"("caption":"Space - Ignoriere Fehler:","text":"Space=")"), std::string::npos);
    EXPECT_NE(boxes[1].find(R"("caption":"DesktopObject - Ignoriere unbekannten Wert:","text":"Colour=FF0000")"), std::string::npos);
}

}
