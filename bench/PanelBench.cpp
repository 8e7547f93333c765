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

void StartUpToFirstPicture(benchmark::State& state)
{
    for (auto _ : state) {
        HeadlessDevice device(Examples());
        ScopedBackend installed(device);
        RegisterPanelClass();
        PanelProgram program;
        WindowHandle window = program.CreateLayoutWindow(u"\\main.ini");
        ShowPanel(window);
        UpdateWindow(window);
        benchmark::DoNotOptimize(PanelOf(window));
        program.RemoveAndDestroyWindow(window);
    }
}
BENCHMARK(StartUpToFirstPicture)->Unit(benchmark::kMicrosecond);

void RefreshTick(benchmark::State& state, bool everyObjectDue)
{
    HeadlessDevice device(Examples());
    ScopedBackend installed(device);
    RegisterPanelClass();
    PanelProgram program;
    WindowHandle window = program.CreateLayoutWindow(u"\\main.ini");
    ShowPanel(window);
    UpdateWindow(window);
    PanelWindow& panel = *PanelOf(window);
    DeviceContext dc = GetDC(window);
    for (auto _ : state) {
        // A tick redraws the due objects over their restored background and copies them out.
        if (everyObjectDue) {
            for (auto& object : panel.settings->Objects())
                panel.RedrawObject(*object, dc);
        } else {
            panel.UpdateDueObjects(dc);
        }
    }
    ReleaseDC(window, dc);
    program.RemoveAndDestroyWindow(window);
}
BENCHMARK_CAPTURE(RefreshTick, every_object_due, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RefreshTick, nothing_due, false)->Unit(benchmark::kMicrosecond);

}
