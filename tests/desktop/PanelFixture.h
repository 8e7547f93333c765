#pragma once

// A test of the panel on its own X server: the device folder its files are
// written to, the panel started on them, and the user's taps on its pages.

#include "tests/desktop/StartedProgram.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace desktop_tests {

class PanelFixture : public testing::Test {
protected:
    explicit PanelFixture(XvfbSession::Network network = XvfbSession::Network::LocalOnly)
        : x(network)
    {
    }

    XvfbSession x;
    testing_support::TestDevice device { Until(2000) };

    static platform::DeviceSettings Until(uint64_t until);

    // The panel on the device folder's VessarineSettings.ini, after the options in `start`.
    std::unique_ptr<ChildProcess> StartPanel(ProgramStart start = {});

    // The panel's shown window once it stands at `where`; 0 after `timeout`.
    XId WaitForWindowAt(Geometry where, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // A shown window of the panel with that title, such as a message box.
    XId WaitForTitle(std::string const& title, std::chrono::milliseconds timeout);
    uint32_t PixelAt(int x0, int y0);

    void Click(Geometry window, int x0, int y0, int count = 1);
    // A page ignores taps until its opening animation has taken the step after
    // arriving, a moment later: tap again (a few times) until `answered` holds.
    bool TapUntil(Geometry window, int x0, int y0, int count, std::function<bool()> const& answered);
};

}
