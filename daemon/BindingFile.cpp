// Finding and reading the daemon's INI file into a BindingSet.

#include "daemon/BindingSet.h"

#include "config/ConfigFile.h"
#include "config/Paths.h"
#include "config/Reports.h"
#include "config/SectionReader.h"
#include "config/Strings.h"
#include "config/KeySetters.h"
#include "platform/File.h"
#include "platform/SourcePlace.h"

#include <algorithm>

namespace brellum {

namespace {

constexpr std::u16string_view kDefaultFile = u"Brellum.ini";
// What the program's own path and the default name may take up.
constexpr size_t kProgramPathCapacity = 238;
constexpr size_t kDefaultNameCapacity = 22;

}

class BindingFileReader final : public config::SectionHandler {
public:
    explicit BindingFileReader(BindingSet& set)
        : set_(set)
    {
    }

    bool OpenSection(char16_t const* line, size_t) override
    {
        uint32_t const lineNumber = platform::CurrentSourcePlace()->line;
        if (config::StartsWith(line, kBindingKeyword)) {
            set_.bindings_.push_back(std::make_unique<KeyBinding>());
            set_.bindings_.back()->sectionLine = lineNumber;
            section_ = Section::Binding;
            return true;
        }
        if (config::StartsWith(line, kSettingsKeyword)) {
            set_.settingsLine_ = lineNumber;
            section_ = Section::Settings;
            return true;
        }
        return false;
    }

    void KeyLine(char16_t const* line, size_t length) override
    {
        if (section_ == Section::Binding && !set_.bindings_.empty()) {
            set_.bindings_.back()->ReadValue({ line, length }, true);
        } else if (section_ == Section::Settings) {
            BindingSet::SettingsSection::Keys().Read(set_.settings_, { line, length }, { config::kDaemonDialect });
        }
    }

private:
    enum class Section { Binding, Settings };

    BindingSet& set_;
    Section section_ = Section::Binding;
};

config::KeyTable<BindingSet::SettingsSection> const& BindingSet::SettingsSection::Keys()
{
    using config::SetInteger;
    static constexpr config::Key<SettingsSection> kKeys[] = {
        { u"CheckIntervall", SetInteger<&SettingsSection::checkInterval> },
        { u"ElapseTimeLong", SetInteger<&SettingsSection::elapseTimeLong> },
        { u"ElapseTime", SetInteger<&SettingsSection::elapseTime> },
        { u"QueryTermination", config::SetBoolean<&SettingsSection::queryTermination, config::kDaemonDialect> },
    };
    static constexpr config::KeyTable<SettingsSection> kTable { .caption = u"Settings", .keys = kKeys };
    return kTable;
}

bool BindingSet::LocateBindingFile(std::u16string_view commandLine)
{
    if (!commandLine.empty())
        return LoadBindingFile(commandLine);
    auto program = platform::ProgramPath();
    if (!program) {
        config::ReportError(config::kDaemonDialect, u"Der Pfad zum Programm konnte nicht ermittelt werden.");
        return false;
    }
    std::u16string path = program->substr(0, std::min(program->size(), kProgramPathCapacity - 1));
    size_t cut = path.size();
    while (cut > 1 && !config::IsPathSeparator(path[cut - 1]))
        --cut;
    path.resize(std::min(cut, path.size()));
    path += kDefaultFile.substr(0, kDefaultNameCapacity - 1);
    return LoadBindingFile(path);
}

bool BindingSet::LoadBindingFile(std::u16string_view path)
{
    // Nothing of the previous file stays, even when this one cannot be read.
    *this = {};
    path_ = path;
    platform::File file = config::OpenConfigFile(config::kDaemonDialect, path, config::kFileNotFoundCaption);
    if (!file.IsOpen())
        return false;
    BindingFileReader reader(*this);
    config::ReadSections(config::kDaemonDialect, file, reader);
    file.Close();
    return true;
}

}
