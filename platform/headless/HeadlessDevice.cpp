#include "platform/headless/HeadlessDevice.h"

namespace platform {

HeadlessDevice::HeadlessDevice(DeviceSettings settings)
    : settings_(std::move(settings))
    , clock_(settings_.tick, settings_.until)
    , writer_(trace_, clock_, Windows())
    , services_(settings_, clock_, trace_)
    , screen_(settings_.screenWidth, settings_.screenHeight, Windows(), clock_, writer_)
    , keys_(Windows(), writer_)
    , dialogs_(Windows(), clock_, writer_)
{
}

void HeadlessDevice::TraceExit(int32_t exitCode)
{
    writer_.Exit(exitCode);
    screen_.RunClosed();
}

}
