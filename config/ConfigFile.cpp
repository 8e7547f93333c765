#include "config/ConfigFile.h"

#include "config/Reports.h"

#include <cstdint>

namespace config {

platform::File OpenConfigFile(Dialect const& dialect, std::u16string_view path, std::u16string_view notFoundCaption)
{
    auto file = platform::File::OpenForReading(path);
    if (!file.IsOpen()) {
        ReportFileNotFound(dialect, notFoundCaption, path);
        return file;
    }
    uint8_t mark[2] = {};
    if (file.Read(mark, sizeof mark) != sizeof mark || mark[0] != 0xFF || mark[1] != 0xFE) {
        ReportNotUnicode(dialect, path);
        file.Close();
    }
    return file;
}

}
