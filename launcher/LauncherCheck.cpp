#include "launcher/LauncherCheck.h"

#include "launcher/IniFile.h"
#include "launcher/RunStartupList.h"
#include "launcher/StartupEntry.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/SourcePlace.h"

#include <map>
#include <string>

namespace launcher {

namespace {

// The line of each key of the RUN sections; a key given again counts where it was given last.
std::map<std::string, uint32_t> RunKeyLines(std::u16string_view path)
{
    std::string text;
    platform::File file = platform::File::OpenForReading(path);
    char chunk[4096];
    for (size_t length; (length = file.Read(chunk, sizeof chunk)) > 0;)
        text.append(chunk, length);
    std::map<std::string, uint32_t> lines;
    bool inRun = false;
    uint32_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with('[')) {
            inRun = line.starts_with("[RUN]");
        } else if (size_t equals = line.find('='); inRun && equals != std::string::npos) {
            lines[line.substr(0, equals)] = number;
        }
    }
    return lines;
}

}

void CheckTalvokFiles(std::u16string_view commandLine)
{
    std::u16string const path = IniPathOf(commandLine);
    platform::ReadingPlace const place(path);
    IniFile file;
    if (!file.Load(path)) {
        platform::Warn(u"the file cannot be read, so nothing is started");
        return;
    }
    int32_t const section = file.FindSection("RUN");
    if (section == 0) {
        platform::Warn(u"the file has no [RUN] section, so nothing is started");
        return;
    }
    std::map<std::string, uint32_t> const lines = RunKeyLines(path);
    for (int32_t i = 1; i <= file.GetEntryCount(section); ++i) {
        char const* key = nullptr;
        std::u16string const value = platform::AnsiToWide(file.GetEntry(section, i, key));
        auto const found = lines.find(key);
        uint32_t const line = found == lines.end() ? 0 : found->second;
        auto entry = ParseStartupEntry(value);
        if (!entry)
            platform::Warn(u"the entry \"" + value + u"\" names no .exe program, so it is skipped", line);
        else if (!platform::CanExecute(entry->program))
            platform::Warn(u"the program " + platform::UserPathOf(entry->program) + u" does not exist", line);
    }
}

}
