#include "panel/core/LayoutReader.h"

#include "config/ConfigFile.h"
#include "config/Paths.h"
#include "config/Reports.h"
#include "config/SectionReader.h"
#include "panel/core/ObjectFactory.h"
#include "platform/Drawing.h"
#include "platform/SourcePlace.h"

#include <string>

namespace panel {

namespace {

class LayoutSections final : public config::SectionHandler {
public:
    LayoutSections(GlobalSettings& settings, platform::WindowHandle window, char16_t const* folder)
        : settings_(settings)
        , window_(window)
        , folder_(folder)
    {
    }

    bool OpenSection(char16_t const* line, size_t) override
    {
        Section section = CreateSection(line, window_);
        switch (section.kind) {
        case SectionKind::Object:
            section.object->SetFolder(folder_);
            section.object->SetSectionLine(platform::CurrentSourcePlace()->line);
            current_ = section.object.get();
            settings_.AppendObject(std::move(section.object));
            return true;
        case SectionKind::GlobalSettings:
            current_ = &settings_;
            return true;
        case SectionKind::Unknown:
            return false;
        }
        return false;
    }

    void KeyLine(char16_t const* line, size_t length) override { current_->ReadValue({ line, length }); }
    void CloseSection() override { current_->EndSection(); }

private:
    GlobalSettings& settings_;
    platform::WindowHandle window_;
    char16_t const* folder_;
    IniObject* current_ = nullptr;
};

}

bool ReadLayoutFile(GlobalSettings& settings, std::u16string_view path, platform::WindowHandle window)
{
    std::u16string fullPath(path.substr(0, config::kPathCapacity - 1));
    platform::File file = config::OpenConfigFile(config::kPanelDialect, fullPath.c_str(), config::kFileNotFoundCaption);
    if (!file.IsOpen())
        return false;

    std::u16string folder = fullPath.substr(0, config::FolderLength(fullPath.c_str()));
    settings.path = fullPath;
    settings.SetFolder(folder.c_str());
    LayoutSections sections(settings, window, folder.c_str());
    config::ReadSections(config::kPanelDialect, file, sections);
    file.Close();
    settings.SetFolder(nullptr);

    platform::DeviceContext screen = platform::GetDC({});
    for (auto& object : settings.Objects()) {
        object->SetFolder(nullptr);
        object->Prepare(screen);
    }
    platform::ReleaseDC({}, screen);
    settings.ArrangeObjects();
    return true;
}

}
