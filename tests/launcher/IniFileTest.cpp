#include "launcher/IniFile.h"
#include "platform/FileStream.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <string>

using launcher::IniFile;

namespace {

bool LoadBytes(IniFile& ini, std::string_view bytes)
{
    platform::File file(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    return ini.Load(file);
}

// Every section and entry, in order: "[name]" ("[]" none) and "<key>=<value>".
std::string Content(IniFile const& ini)
{
    std::string text;
    for (int32_t n = 1; n <= ini.GetSectionCount(); ++n) {
        char const* name = ini.GetSectionName(n);
        if (name)
            text.append("[").append(name).append("]\n");
        else
            text += "(none)\n";
        for (int32_t i = 1; i <= ini.GetEntryCount(n); ++i) {
            char const* key = nullptr;
            char const* value = ini.GetEntry(n, i, key);
            text.append("<").append(key).append(">=<").append(value).append(">\n");
        }
    }
    return text;
}

std::string Parsed(std::string_view bytes)
{
    IniFile ini;
    LoadBytes(ini, bytes);
    return Content(ini);
}

}

TEST(IniFile, EntryLinesSplitAtTheFirstEqualsSignAfterTheFirstCharacter)
{
    EXPECT_EQ(Parsed("[S]\n"
                     "a=b=c\n"
                     "==x\n"
                     "=k=v\n"
                     "=alone\n"
                     " blank=1\n"
                     "blank =2\n"
                     "empty=\n"
                     "spaced= v \n"
                     ";comment=3\n"
                     "no equals sign\n"
                     "\n"),
        "[S]\n"
        "<a>=<b=c>\n"
        "<=>=<x>\n"
        "<=k>=<v>\n"
        "< blank>=<1>\n"
        "<blank >=<2>\n"
        "<empty>=<>\n"
        "<spaced>=< v >\n"
        "<;comment>=<3>\n");

    IniFile ini;
    LoadBytes(ini, "[S]\n blank=1\nblank =2\n");
    EXPECT_EQ(ini.FindKey(1, "blank"), 0);
    EXPECT_EQ(ini.FindKey(1, "blank "), 2);
}

TEST(IniFile, LastLineCountsWithoutLineEnd)
{
    EXPECT_EQ(Parsed("[S]\na=1\nb=2"), "[S]\n<a>=<1>\n<b>=<2>\n");
    EXPECT_EQ(Parsed("[S]"), "[S]\n");
    // The file ends exactly where a full buffer ends, in the middle of its last line.
    std::string exact = "[S]\na=" + std::string(IniFile::kBufferSize - 1 - 6, 'x');
    ASSERT_EQ(exact.size(), IniFile::kBufferSize - 1);
    EXPECT_EQ(Parsed(exact), "[S]\n<a>=<" + exact.substr(6) + ">\n");
}

TEST(IniFile, CarriageReturnsBeforeTheLineEndAndAtTheLineStartAreDropped)
{
    std::string lf = "[RUN]\n1=\\Windows\\tool.exe\n2=x y\n[Other]\nk=v\n";
    std::string crlf = "[RUN]\r\n1=\\Windows\\tool.exe\r\n2=x y\r\n[Other]\r\nk=v\r\n";
    EXPECT_EQ(Parsed(crlf), Parsed(lf));
    EXPECT_EQ(Parsed(lf), "[RUN]\n<1>=<\\Windows\\tool.exe>\n<2>=<x y>\n[Other]\n<k>=<v>\n");
    // Only one at each end; one inside the line is kept.
    EXPECT_EQ(Parsed("[S]\r\n\ra=1\r\r\nb=x\ry\n"), "[S]\n<a>=<1\r>\n<b>=<x\ry>\n");
}

TEST(IniFile, HeadersOpenOrReopenSectionsByExactName)
{
    EXPECT_EQ(Parsed("[RUN]\na=1\n[Run]\nb=2\n[RUN]\nc=3\na=4\n"),
        "[RUN]\n<a>=<4>\n<c>=<3>\n"
        "[Run]\n<b>=<2>\n");

    IniFile ini;
    LoadBytes(ini, "[RUN]\na=1\n[Run]\nb=2\n");
    EXPECT_EQ(ini.FindSection("RUN"), 1);
    EXPECT_EQ(ini.FindSection("Run"), 2);
    EXPECT_EQ(ini.FindSection("run"), 0);

    // Blanks and '=' belong to the name; an empty name is a name.
    EXPECT_EQ(Parsed("[ a=b ]\nk=v\n[]\nx=y\n"), "[ a=b ]\n<k>=<v>\n[]\n<x>=<y>\n");
}

TEST(IniFile, MalformedHeadersChangeNothing)
{
    // No ']': the line is ignored and entries stay in the section before it.
    EXPECT_EQ(Parsed("[A]\n[B\nk=v\n"), "[A]\n<k>=<v>\n");
    EXPECT_EQ(Parsed("[B=1\n"), "");
    // Text after the ']' is ignored and does not become an entry.
    EXPECT_EQ(Parsed("[A] trailing x=y\r\nk=v\n"), "[A]\n<k>=<v>\n");
    EXPECT_EQ(Parsed("[A]]\n"), "[A]\n");
}

TEST(IniFile, EntriesBeforeAnyHeaderGetAnUnnamedSectionEach)
{
    IniFile ini;
    EXPECT_TRUE(LoadBytes(ini, "a=1\nb=2\n"));
    EXPECT_EQ(Content(ini), "(none)\n<a>=<1>\n(none)\n<b>=<2>\n");
    EXPECT_EQ(ini.FindSection(""), 0);
    EXPECT_EQ(ini.FindSection(nullptr), 0);

    EXPECT_FALSE(LoadBytes(ini, ""));
    EXPECT_EQ(ini.GetSectionCount(), 0);
    EXPECT_EQ(ini.FindSection("RUN"), 0);
    EXPECT_FALSE(LoadBytes(ini, "\n\r\njust text\n"));
}

TEST(IniFile, LinesCrossingBufferBoundariesAreReadWhole)
{
    std::string text = "[S]\n";
    std::string expected = "[S]\n";
    for (int i = 0; i < 300; ++i) {
        std::string key = "key" + std::to_string(i);
        std::string value = "value " + std::string(size_t(i % 17), char('a' + i % 26)) + std::to_string(i);
        text += key + "=" + value + (i % 2 ? "\r\n" : "\n");
        expected += "<" + key + ">=<" + value + ">\n";
    }
    ASSERT_GT(text.size(), 4 * IniFile::kBufferSize);
    EXPECT_EQ(Parsed(text), expected);

    // An entry spanning offset 1023, and the longest line that fits: 1022 bytes and its LF.
    std::string before = "[S]\nfill=" + std::string(1000, 'f') + "\n";
    std::string longest = "k=" + std::string(1020, 'v');
    EXPECT_EQ(Parsed(before + "cross=" + std::string(100, 'c') + "\n" + longest + "\nlast=1"),
        "[S]\n<fill>=<" + std::string(1000, 'f') + ">\n<cross>=<" + std::string(100, 'c') + ">\n<k>=<"
            + std::string(1020, 'v') + ">\n<last>=<1>\n");
}

TEST(IniFile, OverLongLinesAreSkippedWhole)
{
    std::string tooLong = "long=" + std::string(1995, 'x');
    EXPECT_EQ(Parsed("[S]\na=1\n" + tooLong + "\nb=2\n"), "[S]\n<a>=<1>\n<b>=<2>\n");
    EXPECT_EQ(Parsed("[S]\n" + std::string(5000, '=') + "\r\nb=2\n"), "[S]\n<b>=<2>\n");
    // One byte over: 1023 bytes before the LF.
    EXPECT_EQ(Parsed("[S]\nk=" + std::string(1021, 'v') + "\nb=2\n"), "[S]\n<b>=<2>\n");
    // An over-long header opens no section; an over-long last line ends the file.
    EXPECT_EQ(Parsed("[A]\n[" + std::string(2000, 'B') + "]\nb=2\n"), "[A]\n<b>=<2>\n");
    EXPECT_EQ(Parsed("[S]\na=1\n" + tooLong), "[S]\n<a>=<1>\n");
}

TEST(IniFile, ZeroBytesEndTheTextTheyAreIn)
{
    using namespace std::string_literals;
    EXPECT_EQ(Parsed("[R\0UN]\nk\0ey=val\0ue\n\0=x\nb=2\n"s), "[R]\n<k>=<val>\n<>=<x>\n<b>=<2>\n");
    EXPECT_EQ(Parsed("\0\0\0\n[S]\na=\0"s), "[S]\n<a>=<>\n");
}

TEST(IniFile, EightBitTextIsKeptByteForByte)
{
    EXPECT_EQ(Parsed("[\xC4nderung]\nk=\xE4\x80\xFF\n"), "[\xC4nderung]\n<k>=<\xE4\x80\xFF>\n");
}

TEST(IniFile, LookupsOutsideTheContentFindNothing)
{
    IniFile ini;
    LoadBytes(ini, "[A]\nk=v\n[B]\n");
    EXPECT_EQ(ini.GetSectionName(0), nullptr);
    EXPECT_STREQ(ini.GetSectionName(2), "B");
    EXPECT_EQ(ini.GetSectionName(3), nullptr);
    EXPECT_EQ(ini.GetEntryCount(0), 0);
    EXPECT_EQ(ini.GetEntryCount(2), 0);
    EXPECT_EQ(ini.GetEntryCount(3), 0);

    char const* untouched = "before";
    char const* key = untouched;
    EXPECT_EQ(ini.GetEntry(1, 0, key), nullptr);
    EXPECT_EQ(ini.GetEntry(1, 2, key), nullptr);
    EXPECT_EQ(ini.GetEntry(0, 1, key), nullptr);
    EXPECT_EQ(key, untouched);
    EXPECT_STREQ(ini.GetEntry(1, 1, key), "v");
    EXPECT_STREQ(key, "k");

    EXPECT_EQ(ini.GetKey(1, 2), nullptr);
    EXPECT_EQ(ini.GetKey(-1, 1), nullptr);
    EXPECT_EQ(ini.FindKey(1, "K"), 0);
    EXPECT_EQ(ini.FindKey(1, nullptr), 0);
    EXPECT_EQ(ini.FindKey(4, "k"), 0);
}

TEST(IniFile, SetValueAndAddSectionKeepNamesAndKeysUnique)
{
    IniFile ini;
    EXPECT_TRUE(ini.AddSection("A"));
    EXPECT_TRUE(ini.AddSection("A"));
    EXPECT_TRUE(ini.SetValue("B", "k", "1"));
    EXPECT_TRUE(ini.SetValue("A", "k", "2"));
    EXPECT_TRUE(ini.SetValue("B", "k", "3"));
    EXPECT_TRUE(ini.SetValue("B", "j", "4"));
    EXPECT_TRUE(ini.SetValue(nullptr, "n", "5"));
    EXPECT_TRUE(ini.SetValue(nullptr, "n", "6"));
    EXPECT_FALSE(ini.SetValue("A", nullptr, "7"));
    EXPECT_FALSE(ini.SetValue("A", "k", nullptr));
    EXPECT_EQ(Content(ini), "[A]\n<k>=<2>\n[B]\n<k>=<3>\n<j>=<4>\n(none)\n<n>=<5>\n(none)\n<n>=<6>\n");
    EXPECT_EQ(ini.FindSection("B"), 2);
    EXPECT_EQ(ini.FindKey(2, "k"), 1);
    EXPECT_EQ(ini.FindKey(2, "j"), 2);

    // Strings the file handed out may be passed back in.
    EXPECT_TRUE(ini.SetValue(ini.GetSectionName(2), ini.GetKey(2, 1), ini.GetKey(2, 1)));
    char const* key = nullptr;
    EXPECT_STREQ(ini.GetEntry(2, 1, key), "k");
    EXPECT_STREQ(key, "k");

    ini.Clear();
    EXPECT_EQ(ini.GetSectionCount(), 0);
}

TEST(IniFile, LoadFromADevicePathReplacesTheContentOnlyWhenTheFileOpens)
{
    testing_support::TestDevice device;
    device.WriteBytes("Conf/Talvok.ini", "[RUN]\r\n1=a.exe\r\n");
    device.WriteBytes("Empty.ini", "");

    IniFile ini;
    EXPECT_TRUE(ini.Load(u"\\Conf\\Talvok.ini"));
    EXPECT_EQ(Content(ini), "[RUN]\n<1>=<a.exe>\n");
    EXPECT_FALSE(ini.Load(u"\\Conf\\Missing.ini"));
    EXPECT_EQ(Content(ini), "[RUN]\n<1>=<a.exe>\n");
    EXPECT_FALSE(ini.Load(u"\\Conf"));
    EXPECT_EQ(Content(ini), "[RUN]\n<1>=<a.exe>\n");
    EXPECT_FALSE(ini.Load(u"/Empty.ini"));
    EXPECT_EQ(ini.GetSectionCount(), 0);
}
