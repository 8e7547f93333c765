// The example panel: from nothing to its first complete picture (reading the
// layout, fonts, background picture, drawing every object), and a refresh
// tick, with every object due and with none due.

#include "panel/core/PanelEntry.h"
#include "panel/core/PanelWindow.h"
#include "platform/Windowing.h"
#include "platform/headless/HeadlessDevice.h"

#include <benchmark/benchmark.h>

using namespace panel;
using namespace platform;

namespace {

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

void StartUpToFirstPicture(benchmark::State& state)
{
    for (auto _ : state) {
        ShownExamplePanel shown;
        benchmark::DoNotOptimize(PanelOf(shown.window));
    }
}
BENCHMARK(StartUpToFirstPicture)->Unit(benchmark::kMicrosecond);

void RefreshTick(benchmark::State& state, bool everyObjectDue)
{
    ShownExamplePanel shown;
    PanelWindow& panel = *PanelOf(shown.window);
    DeviceContext dc = GetDC(shown.window);
    for (auto _ : state) {
        // A tick redraws the due objects over their restored background and copies them out.
        if (everyObjectDue) {
            for (auto& object : panel.settings->Objects())
                panel.RedrawObject(*object, dc);
        } else {
            panel.UpdateDueObjects(dc);
        }
    }
    ReleaseDC(shown.window, dc);
}
BENCHMARK_CAPTURE(RefreshTick, every_object_due, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RefreshTick, nothing_due, false)->Unit(benchmark::kMicrosecond);

}
