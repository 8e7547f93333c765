// The example panel: from nothing to its first complete picture (reading the
// layout, fonts, background picture, drawing every object), and a refresh
// tick, with every object due and with none due; each with the heap
// allocations it makes.

#include "bench/AllocationCounter.h"
#include "bench/RatioHarness.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelWindow.h"
#include "platform/Windowing.h"
#include "platform/headless/HeadlessDevice.h"

#include <cstdio>
#include <vector>

using namespace panel;
using namespace platform;

namespace {

constexpr int kRounds = 101;

DeviceSettings Examples()
{
    DeviceSettings settings;
    settings.root = EXAMPLES_DIR;
    return settings;
}

// The example panel on a simulated device of its own, shown and drawn once;
// gone again with the device.
struct ShownExamplePanel {
    ShownExamplePanel()
    {
        RegisterPanelClass();
        window = program.CreateLayoutWindow(u"\\main.ini");
        ShowPanel(window);
        UpdateWindow(window);
    }
    ~ShownExamplePanel() { program.RemoveAndDestroyWindow(window); }

    HeadlessDevice device { Examples() };
    ScopedBackend installed { device };
    PanelProgram program;
    WindowHandle window;
};

// Allocations per call, over a few calls after the first.
template<typename Call>
double AllocationsPerCall(Call call)
{
    constexpr int kCalls = 20;
    call();
    uint64_t const before = bench::AllocationCount();
    for (int i = 0; i < kCalls; ++i)
        call();
    return double(bench::AllocationCount() - before) / kCalls;
}

void Print(char const* kind, char const* name, double seconds, double allocations)
{
    std::printf("%s %s %s, %g allocations\n", kind, name, bench::Microseconds(seconds).c_str(), allocations);
    std::fflush(stdout);
}

void StartUp()
{
    auto start = [] {
        ShownExamplePanel shown;
        bench::Escape(PanelOf(shown.window));
    };
    std::vector<bench::Contender> contenders { bench::Repeated("start-up", start) };
    bench::RoundTimes const times = bench::TimeInRounds(contenders, kRounds);
    Print("start-up", "first_picture", bench::Median(times[0]), AllocationsPerCall(start));
}

void RefreshTicks()
{
    ShownExamplePanel shown;
    PanelWindow* const panel = PanelOf(shown.window);
    DeviceContext const dc = GetDC(shown.window);
    // A tick redraws the due objects over their restored background and copies them out.
    auto everyObject = [=] {
        for (auto& object : panel->settings->Objects())
            panel->RedrawObject(*object, dc);
    };
    auto dueObjects = [=] { panel->UpdateDueObjects(dc); };
    std::vector<bench::Contender> contenders { bench::Repeated("every_object_due", everyObject),
        bench::Repeated("nothing_due", dueObjects) };
    bench::RoundTimes const times = bench::TimeInRounds(contenders, kRounds);
    Print("tick", "every_object_due", bench::Median(times[0]), AllocationsPerCall(everyObject));
    Print("tick", "nothing_due", bench::Median(times[1]), AllocationsPerCall(dueObjects));
    ReleaseDC(shown.window, dc);
}

}

int main()
{
    StartUp();
    RefreshTicks();
    return 0;
}
