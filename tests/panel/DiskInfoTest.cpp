#include "panel/displays/DiskInfo.h"
#include "tests/panel/GaugePicture.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using namespace gauge_test;
using namespace testing_support;

namespace {

class DiskInfoTest : public GaugeObjectTest<DiskInfo, 300> {
protected:
    static std::unique_ptr<BackBuffer> ErrorText(std::u16string_view text, Rect area, int32_t height = 120)
    {
        return TextAlone(kPaper, text, area, TextFormat::WordBreak, 300, height);
    }
};

TEST_F(DiskInfoTest, AFolderShowsItsPathItsSpaceAndACoolBar)
{
    device_.MakeFolder("Storage Card");
    auto disk = Read({ u"Folder=\\Storage Card", u"x=10", u"y=5", u"Width=120" });
    int32_t const line = LineHeight();
    EXPECT_EQ(disk->ShowFlags(), 0x2F);
    EXPECT_EQ(disk->GetInterval(), 600000u);
    EXPECT_EQ(disk->GetHeight(), 3 * line + 4);

    auto picture = Drawn(*disk);
    auto expected = LinesAlone(kPaper, { { u"\\Storage Card", Rect::FromSize(10, 5, 120, line) },
        { u"512.00MB / 1024.00MB", Rect::FromSize(10, 5 + line + 2, 120, line) } }, 300);
    int32_t const barTop = 5 + 2 * (line + 2);
    EXPECT_TRUE(picture->SamePixelsIn(*expected, { 0, 0, 300, barTop }));
    EXPECT_TRUE(HasBarRing(*picture, barTop, line));
    EXPECT_EQ(picture->At(10 + 60, barTop + line / 2), 0u); // the end of half the fill
    EXPECT_EQ(picture->Changed().bottom, barTop + line);
}

TEST_F(DiskInfoTest, AMissingFolderShowsTheErrorUntilItAppears)
{
    auto disk = Read({ u"Folder=\\Speicherkarte\\Daten", u"Width=120", u"Color=FFFFFF" });
    Rect const area = Rect::FromSize(10, 5, 120, disk->GetHeight());
    auto error = Drawn(*disk);
    // Word-wrapped into the object's rectangle, in the context's colour, not the gauge's.
    EXPECT_TRUE(error->SamePixels(*ErrorText(u"Fehler: \"\\Speicherkarte\\Daten\"", area)));
    Rect ink = error->Changed();
    EXPECT_GE(ink.left, area.left);
    EXPECT_GE(ink.top, area.top);
    EXPECT_LE(ink.right, area.right);
    EXPECT_LE(ink.bottom, area.bottom);
    EXPECT_GT(ink.bottom - ink.top, LineHeight());
    int dark = 0;
    error->ForEach([&](int32_t x, int32_t y) { dark += error->At(x, y) == 0; });
    EXPECT_GT(dark, 0);

    device_.MakeFolder("Speicherkarte/Daten");
    auto recovered = Drawn(*disk);
    int32_t const line = LineHeight();
    // The gauge again, its border in the colour of the section.
    bool whiteRing = true;
    for (int32_t x = 10; x < 130; ++x)
        whiteRing = whiteRing && recovered->At(x, 5 + 2 * (line + 2)) == 0xFFFFFF;
    EXPECT_TRUE(whiteRing);

    // A query that fails for an existing folder turns the gauge back into the error.
    device_.Device().State().disks.push_back({ u"\\Speicherkarte", true, 0, 0 });
    EXPECT_TRUE(Drawn(*disk)->SamePixels(*error));
}

TEST_F(DiskInfoTest, TheErrorTextIsCutAfter323Characters)
{
    std::u16string path = u"\\Karte";
    while (path.size() < 400)
        path += u" Ordner";
    auto disk = Read({ u"Folder=" + path, u"Width=280", u"ShowPath=0", u"Value=0", u"CoolBar=0" });
    EXPECT_EQ(disk->GetHeight(), 0);
    disk->SetHeight(290);
    std::u16string const cut = (u"Fehler: \"" + path).substr(0, 323);
    Rect const area = Rect::FromSize(10, 5, 280, 290);
    auto picture = Drawn(*disk, 300);
    EXPECT_TRUE(picture->SamePixels(*ErrorText(cut, area, 300)));
    EXPECT_FALSE(picture->SamePixels(*ErrorText(cut + u"X", area, 300)));
    EXPECT_LT(picture->Changed().bottom, 200); // all of it is in sight
}

TEST_F(DiskInfoTest, CoolBarOffRemovesTheBarAndBarBringsBackAPlainOne)
{
    int32_t const line = LineHeight();
    EXPECT_EQ(Read({ u"CoolBar=0" })->ShowFlags(), 0x0D);
    EXPECT_EQ(Read({ u"CoolBar=0" })->GetHeight(), 2 * line + 4);
    EXPECT_EQ(Read({ u"CoolBar=0", u"Bar=1" })->ShowFlags(), 0x0F);
    EXPECT_EQ(Read({ u"CoolBar=0", u"CoolBar=j" })->ShowFlags(), 0x2F);
    EXPECT_EQ(Read({ u"ShowPath=0", u"Value=0", u"Percent=0", u"CenterValue=1" })->ShowFlags(), 0x32);
    EXPECT_EQ(Read({ u"ShowPath=0", u"Value=0", u"Percent=0", u"CenterValue=1" })->GetHeight(), line);

    device_.MakeFolder("Temp");
    auto plain = Read({ u"Folder=\\Nowhere", u"Folder=\\Temp", u"Width=120", u"CoolBar=0", u"Bar=1", u"Percent=0",
        u"ShowPath=0", u"Value=0", u"BackgroundColorHigh=0000FF" });
    auto picture = Drawn(*plain);
    EXPECT_TRUE(HasBarRing(*picture, 5, line));
    EXPECT_EQ(picture->At(11, 6), 0x0000FFu);
    EXPECT_EQ(picture->At(69, 6), 0x0000FFu);
    EXPECT_EQ(picture->At(70, 6), kPaper);

    // Storage beyond 32 bits: 1 TB of 5 TB is 204 / 1024, under a quarter.
    device_.Device().State().disks.push_back({ u"\\Temp", false, uint64_t(5) << 40, uint64_t(1) << 40 });
    auto large = Read({ u"Folder=\\Temp", u"Width=120", u"CoolBar=0", u"Bar=1", u"ShowPath=0", u"Percent=0" });
    auto largePicture = Drawn(*large);
    auto expected = LinesAlone(kPaper, { { u"1024.00GB / 5.00TB", Rect::FromSize(10, 5, 120, line) } }, 300);
    EXPECT_TRUE(largePicture->SamePixelsIn(*expected, { 0, 0, 300, 5 + line + 2 }));
    EXPECT_EQ(largePicture->At(11, 5 + line + 3), 0xFF0000u);
    EXPECT_EQ(largePicture->At(32, 5 + line + 3), 0xFF0000u);
    EXPECT_EQ(largePicture->At(33, 5 + line + 3), kPaper);
}

TEST_F(DiskInfoTest, NothingShownMeansNoHeightAndNoDrawing)
{
    auto none = Read({ u"Folder=\\Nowhere", u"ShowPath=0", u"Bar=0", u"Value=0", u"Percent=0", u"CoolBar=0", u"Width=100" });
    EXPECT_EQ(none->ShowFlags(), 0);
    EXPECT_EQ(none->GetHeight(), 0);
    EXPECT_TRUE(Drawn(*none)->Untouched());

    // Without a folder the label is empty and the platform's answer for no folder is shown.
    auto noFolder = Read({ u"Width=120", u"Interval=5000" });
    EXPECT_EQ(noFolder->GetInterval(), 5000u);
    auto picture = Drawn(*noFolder);
    EXPECT_FALSE(picture->Untouched());
    EXPECT_GE(picture->Changed().top, 5);
    EXPECT_LE(picture->Changed().bottom, 5 + noFolder->GetHeight());
}

TEST_F(DiskInfoTest, BadValuesAreReportedUnderTheDiskInfoCaption)
{
    auto disk = std::make_unique<DiskInfo>();
    for (std::u16string_view line : { u"Folder=", u"LightColor=12", u"CoolBar=", u"Interval=" })
        EXPECT_FALSE(disk->ReadValue(line));
    EXPECT_FALSE(disk->ReadValue(u"PhysMemBar=1"));
    std::string const caption = "DiskInfo - Ignoriere Fehler:";
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(caption, "Folder="),
        BoxEvent(caption, "LightColor=12"),
        BoxEvent(caption, "CoolBar="),
        BoxEvent(caption, "Interval="),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "PhysMemBar=1"),
    }));
    EXPECT_EQ(disk->ShowFlags(), 0x2F);
    EXPECT_EQ(disk->Colors().lightColor, 0xFFFFFFu);
}

}
