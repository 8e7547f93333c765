#pragma once

// Where the device's own paths lie on this machine. A device path begins
// with a backslash (\Windows\pword.exe); on the desktop it names the same
// path below the device root, which is the file system's root unless the
// user gave another folder.

#include <string>

namespace platform {

// `folder` without a trailing slash; empty for the file system's root.
void SetDeviceRoot(std::string folder);
std::string const& DeviceRoot();

}
