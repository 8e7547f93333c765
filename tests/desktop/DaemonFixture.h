#pragma once

// A test of the daemon on its own X server: binding files whose commands
// leave marker files, the daemon started on them, its windows, and the
// user's keys.

#include "tests/desktop/StartedProgram.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace desktop_tests {

constexpr int kKeyA = 0x41;
constexpr int kKeyB = 0x42;

class DaemonFixture : public testing::Test {
protected:
    XvfbSession x;
    testing_support::TestDevice device;

    // The path of a file in the device folder.
    std::string Marker(std::string const& name) { return device.Root() + "/" + name; }
    std::string ReadText(std::string const& name);

    // A binding whose short press leaves a file named `marker`.
    std::u16string Binding(int keyCode, std::string const& marker);
    static std::u16string BindingFile(std::u16string const& bindings);

    // Started with `bindings` in the file `name`, after `options`; with
    // `errors`, what it writes on standard error goes to that file of the device folder.
    std::unique_ptr<ChildProcess> StartDaemon(std::u16string const& bindings, std::vector<std::string> options = {},
        std::string const& name = "Brellum.ini", std::string const& errors = "");

    // The daemon's own window, shown or not.
    XId DaemonWindow();
    // The daemon's windows with the title `title`, of every daemon running.
    std::vector<XId> DaemonWindowsTitled(std::string const& title);
    // The tray icon beside the daemon's `window`, once it is docked and shown.
    XId DockedIcon(XId window);

    void ClickAt(int screenX, int screenY);
    void ClickInto(Geometry place) { ClickAt(place.x + place.width / 2, place.y + place.height / 2); }
    void HoldKey(char const* key, std::chrono::milliseconds time);

    // A window of the test's own that has the keyboard focus and notes the keys it gets.
    XId FocusedWindow();
    int KeyPressesIn(XId window);
};

}
