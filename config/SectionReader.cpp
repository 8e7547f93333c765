#include "config/SectionReader.h"

#include "config/LineReader.h"
#include "config/Reports.h"

namespace config {

bool IsCommentLine(char16_t first)
{
    return first == u'#' || first == u'\'' || first == u'(' || first == u'/' || first == u';';
}

void ReadSections(Dialect const& dialect, platform::File& file, SectionHandler& handler)
{
    char16_t line[kLineCapacity];
    bool inSection = false;
    ForEachLine(file, line, kLineCapacity, [&](size_t length) {
        if (IsCommentLine(line[0]))
            return;
        if (line[0] == u'\0') {
            if (inSection)
                handler.CloseSection();
            inSection = false;
        } else if (inSection) {
            handler.KeyLine(line, length);
        } else if (handler.OpenSection(line, length)) {
            inSection = true;
        } else {
            ReportUnknownType(dialect, line);
        }
    });
    if (inSection)
        handler.CloseSection();
}

}
