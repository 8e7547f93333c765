#include "launcher/RunStartupList.h"

#include "launcher/IniFile.h"
#include "launcher/StartupEntry.h"
#include "launcher/WideText.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/Shell.h"

#include <string>

namespace launcher {

// The program's own path is read into a buffer of this many units, terminator included.
constexpr size_t kMaxPath = 260;

static bool FileExists(std::u16string_view path)
{
    return platform::File::OpenForReading(path).IsOpen();
}

// Every ".exe", in any case, becomes ".ini"; false when there was none.
static bool ReplaceExtensions(std::u16string& path)
{
    constexpr std::u16string_view kFrom = u".exe";
    std::u16string const lower = LowerCase(path);
    bool replaced = false;
    for (size_t at = lower.find(kFrom); at != std::u16string::npos; at = lower.find(kFrom, at + kFrom.size())) {
        path.replace(at, kFrom.size(), u".ini");
        replaced = true;
    }
    return replaced;
}

std::u16string IniPathOf(std::u16string_view commandLine)
{
    if (!commandLine.empty()) {
        std::u16string path(commandLine);
        RemoveAll(path, u'"');
        return path;
    }

    std::u16string path = platform::ProgramPath().value_or(u"");
    if (path.size() > kMaxPath - 1)
        path.resize(kMaxPath - 1);
    // A program file without ".exe" would otherwise be read as its own INI file.
    if (ReplaceExtensions(path) && FileExists(path))
        return path;

    size_t folderEnd = path.find_last_of(u"\\/");
    path.resize(folderEnd == std::u16string::npos ? 0 : folderEnd + 1);
    return path + u"Talvok.ini";
}

static void Start(StartupEntry const& entry)
{
    platform::ShellExecuteInfo info;
    info.mask = platform::kExecuteNoErrorUi | platform::kExecuteReturnProcess;
    info.verb = u"open";
    info.file = entry.program.c_str();
    info.parameters = entry.arguments.c_str();
    info.show = entry.hide ? platform::kShowMinimized : platform::kShowNormal;
    platform::ShellExecute(info);
}

void RunStartupList(std::u16string_view commandLine)
{
    IniFile file;
    if (!file.Load(IniPathOf(commandLine)))
        return;

    int32_t section = file.FindSection("RUN");
    for (int32_t i = 1; i <= file.GetEntryCount(section); ++i) {
        char const* key = nullptr;
        char const* value = file.GetEntry(section, i, key);
        if (auto entry = ParseStartupEntry(platform::AnsiToWide(value)))
            Start(*entry);
    }
}

int32_t TalvokMain(std::u16string_view commandLine)
{
    RunStartupList(commandLine);
    return 0;
}

}
