#include "panel/core/GlobalSettings.h"
#include "panel/core/LayoutReader.h"
#include "panel/displays/Space.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace panel;
using testing_support::BoxSaying;
using testing_support::EventsHave;
using testing_support::TraceEvent;
using testing_support::TestDevice;

namespace {

void AddSpace(GlobalSettings& settings, int32_t size)
{
    auto space = std::make_unique<Space>();
    space->SetSpaceSize(size);
    space->Prepare({});
    settings.AppendObject(std::move(space));
}

class GlobalSettingsTest : public ::testing::Test {
protected:
    TestDevice device_;
    GlobalSettings settings_;
};

TEST_F(GlobalSettingsTest, KeysInTheirOrderWithTheirReports)
{
    EXPECT_TRUE(settings_.ReadValue(u"BackgroundColor=0000FF"));
    EXPECT_EQ(settings_.backgroundColor, 0x00FF0000u);
    EXPECT_FALSE(settings_.ReadValue(u"BackgroundColor=FFF"));
    EXPECT_EQ(settings_.backgroundColor, 0x00FF0000u);
    EXPECT_TRUE(settings_.ReadValue(u"xpos=20"));
    EXPECT_TRUE(settings_.ReadValue(u"Yoffset=-3"));
    EXPECT_EQ(settings_.x, 20);
    EXPECT_EQ(settings_.y, -3);
    EXPECT_TRUE(settings_.ReadValue(u"BitmapOffsetX=x"));
    EXPECT_TRUE(settings_.ReadValue(u"BitmapOffsetY=Y"));
    EXPECT_EQ(settings_.bitmapOffsetX, -1);
    EXPECT_EQ(settings_.bitmapOffsetY, -1);
    EXPECT_TRUE(settings_.ReadValue(u"BitmapOffsetX=12"));
    EXPECT_EQ(settings_.bitmapOffsetX, 12);
    EXPECT_FALSE(settings_.ReadValue(u"Arrange=Diagonal"));
    EXPECT_EQ(settings_.arrange, Arrangement::Vertical);
    EXPECT_TRUE(settings_.ReadValue(u"Arrange=Horizontal please"));
    EXPECT_EQ(settings_.arrange, Arrangement::Horizontal);
    EXPECT_TRUE(settings_.ReadValue(u"Arrange=No"));
    EXPECT_EQ(settings_.arrange, Arrangement::None);
    // Unknown animation names are ignored without a word; NoAnimation switches it off.
    EXPECT_FALSE(settings_.ReadValue(u"StartUpAnimation=Spiral"));
    EXPECT_EQ(settings_.startUpAnimation, FlyRight);
    EXPECT_TRUE(settings_.ReadValue(u"StartUpAnimation=NoAnimation"));
    EXPECT_EQ(settings_.startUpAnimation, NoAnimation);
    EXPECT_TRUE(settings_.ReadValue(u"ShutDownAnimation=FlyDiagLeftUp"));
    EXPECT_EQ(settings_.shutDownAnimation, FlyDiagLeftUp);
    EXPECT_TRUE(settings_.ReadValue(u"Accelerated=nein"));
    EXPECT_FALSE(settings_.accelerated);
    EXPECT_TRUE(settings_.ReadValue(u"TopMost=ja"));
    EXPECT_TRUE(settings_.topMost);
    EXPECT_TRUE(settings_.ReadValue(u"AnimationTime=-1"));
    EXPECT_EQ(settings_.animationTime, 0xFFFFFFFFu);
    EXPECT_FALSE(settings_.ReadValue(u"Colour=1"));
    EXPECT_FALSE(settings_.ReadValue(u"Border="));

    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("GlobalSetting - Ignoriere Fehler:", "BackgroundColor=FFF"),
        BoxSaying("GlobalSetting - Ignoriere Fehler:", "Arrange=Diagonal"),
        TraceEvent { { "caption", "GlobalSettings - Ignoriere unbekannten Wert:" }, { "text", "Colour=1" },
            { "icon", "warning" }, { "buttons", "ok" }, { "owner", false }, { "foreground", true } },
        TraceEvent { { "text", "Border=" } },
    }));
}

TEST_F(GlobalSettingsTest, ColumnsSizeTheWindowAndStretchTheirObjects)
{
    settings_.ReadValue(u"Width=200");
    settings_.ReadValue(u"Border=4");
    EXPECT_EQ(settings_.PanelHeight(), 8); // no objects: just the borders
    AddSpace(settings_, 20);
    AddSpace(settings_, 30);
    AddSpace(settings_, 40);
    settings_.ArrangeObjects();
    EXPECT_EQ(settings_.WindowWidth(), 208);
    EXPECT_EQ(settings_.PanelHeight(), 8 + 90 + 2 * 2);
    auto& objects = settings_.Objects();
    EXPECT_EQ(objects[0]->GetY(), 4);
    EXPECT_EQ(objects[1]->GetY(), 26);
    EXPECT_EQ(objects[2]->GetY(), 58);
    for (auto& object : objects) {
        EXPECT_EQ(object->GetX(), 4);
        EXPECT_EQ(object->GetWidth(), 192);
    }
}

TEST_F(GlobalSettingsTest, RowsAndFreePlacement)
{
    settings_.ReadValue(u"Arrange=Horizontal");
    settings_.ReadValue(u"Distance=0");
    for (int32_t size : { 50, 60, 70 })
        AddSpace(settings_, size);
    settings_.ArrangeObjects();
    EXPECT_EQ(settings_.Objects()[1]->GetX(), 50);
    EXPECT_EQ(settings_.Objects()[2]->GetX(), 110);
    EXPECT_EQ(settings_.Objects()[2]->GetY(), 0);
    EXPECT_EQ(settings_.WindowWidth(), 128);
    EXPECT_EQ(settings_.PanelHeight(), 70);

    GlobalSettings free;
    free.ReadValue(u"Arrange=No");
    free.ReadValue(u"Width=240");
    free.ReadValue(u"Height=40");
    AddSpace(free, 30);
    free.Objects()[0]->SetX(-1).SetY(-1);
    free.ArrangeObjects();
    EXPECT_EQ(free.Objects()[0]->GetX(), 209);
    EXPECT_EQ(free.Objects()[0]->GetY(), 9);
    EXPECT_EQ(free.PanelHeight(), 40);
}

TEST_F(GlobalSettingsTest, RefreshOnlyShortensTheShortestInterval)
{
    class Timed final : public DesktopObject {
    public:
        explicit Timed(uint32_t interval) { interval_ = interval; }
        void Draw(ScratchBitmap&, int32_t, int32_t) override { }
    };
    settings_.AppendObject(std::make_unique<Timed>(0));
    settings_.ReadValue(u"Refresh=1000");
    EXPECT_EQ(settings_.RefreshInterval(), 0u);
    settings_.AppendObject(std::make_unique<Timed>(600000));
    settings_.AppendObject(std::make_unique<Timed>(60000));
    EXPECT_EQ(settings_.RefreshInterval(), 1000u);
    settings_.ReadValue(u"Refresh=0");
    EXPECT_EQ(settings_.RefreshInterval(), 60000u);
    settings_.ReadValue(u"Refresh=90000");
    EXPECT_EQ(settings_.RefreshInterval(), 60000u);
}

TEST_F(GlobalSettingsTest, HugeValuesSaturateInsteadOfOverflowing)
{
    settings_.ReadValue(u"Width=2147483647");
    settings_.ReadValue(u"Border=2147483647");
    settings_.ReadValue(u"Distance=2147483647");
    AddSpace(settings_, 2147483647);
    AddSpace(settings_, 2147483647);
    settings_.ArrangeObjects();
    EXPECT_EQ(settings_.WindowWidth(), INT32_MAX);
    EXPECT_EQ(settings_.PanelHeight(), INT32_MAX);
    EXPECT_EQ(settings_.Objects()[1]->GetY(), INT32_MAX);
}

TEST_F(GlobalSettingsTest, ReadingALayoutFileSaysWhetherItCouldBeRead)
{
    device_.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nWidth=200\r\nBorder=3\r\n\r\nSPACE\r\nSpace=20\r\n");
    EXPECT_TRUE(ReadLayoutFile(settings_, u"\\a.ini", {}));
    EXPECT_EQ(settings_.width, 200);
    ASSERT_EQ(settings_.Objects().size(), 1u);
    EXPECT_EQ(settings_.Objects()[0]->GetY(), 3); // prepared and placed
    EXPECT_EQ(settings_.PanelHeight(), 26);

    GlobalSettings missing;
    EXPECT_FALSE(ReadLayoutFile(missing, u"\\missing.ini", {}));
    EXPECT_TRUE(missing.Objects().empty());
    EXPECT_EQ(missing.width, 128);
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsHave({ BoxSaying("Datei nicht gefunden:", "\\missing.ini") }));
}

}
