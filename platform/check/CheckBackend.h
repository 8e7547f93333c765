#pragma once

// A program reading its files for a check: the files are those of the
// services given (the desktop's or the simulated device's), nothing is shown
// and no key is grabbed, and every box and warning becomes a finding, in the
// order the program meets them. A box is answered as if closed.

#include "platform/Backend.h"
#include "platform/check/Finding.h"
#include "platform/console/ConsoleRoles.h"

#include <vector>

namespace platform {

class FindingDialogs final : public Dialogs {
public:
    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;
    void Warn(SourcePlace const* place, std::u16string_view text) override;

    std::vector<Finding> const& Findings() const { return findings_; }

private:
    std::vector<Finding> findings_;
};

class CheckBackend final : public Backend {
public:
    // `hasKey`: the keys of the keyboard the files are meant for; none: every real one.
    explicit CheckBackend(SystemServices& services, bool (*hasKey)(uint32_t) = nullptr)
        : services_(services)
        , keys_(Windows(), hasKey)
    {
    }

    SystemServices& Services() override { return services_; }
    platform::Screen& Screen() override { return screen_; }
    KeysAndTray& Keys() override { return keys_; }
    platform::Dialogs& Dialogs() override { return dialogs_; }

    std::vector<Finding> const& Findings() const { return dialogs_.Findings(); }

private:
    SystemServices& services_;
    NoScreen screen_ { services_ };
    NoKeysAndTray keys_;
    FindingDialogs dialogs_;
};

}
