#include "config/ConfigFile.h"

#include "config/FileEncoding.h"
#include "config/Reports.h"

#include "platform/SourcePlace.h"

#include <cstdint>
#include <optional>

namespace config {

// A file in another encoding would read as nonsense: the check says which
// one it likely is and how to convert it.
static void WarnOfEncoding(platform::File& file)
{
    file.SeekRelative(-int64_t(file.Position()));
    uint8_t start[4096];
    size_t const length = file.Read(start, sizeof start);
    std::string_view const encoding = GuessEncoding({ start, length });
    if (encoding.empty())
        return;
    std::u16string const userPath = platform::UserPathOf(file.Path());
    platform::Warn(userPath + u" looks like " + std::u16string(encoding.begin(), encoding.end())
        + u" text, but the programs read only UTF-16 that begins with its byte-order mark; convert it with: "
        + ConversionCommand(encoding, userPath));
}

platform::File OpenConfigFile(Dialect const& dialect, std::u16string_view path, std::u16string_view notFoundCaption)
{
    // A file no other file names is the subject of its own reports.
    std::optional<platform::ReadingPlace> itself;
    if (!platform::CurrentSourcePlace())
        itself.emplace(path);
    auto file = platform::File::OpenForReading(path);
    if (!file.IsOpen()) {
        ReportFileNotFound(dialect, notFoundCaption, path);
        return file;
    }
    uint8_t mark[2] = {};
    if (file.Read(mark, sizeof mark) != sizeof mark || mark[0] != 0xFF || mark[1] != 0xFE) {
        ReportNotUnicode(dialect, path);
        WarnOfEncoding(file);
        file.Close();
    }
    return file;
}

}
