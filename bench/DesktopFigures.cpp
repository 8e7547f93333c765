// The programs' figures on a real X server (a private Xvfb): start to first
// picture, resident memory, wake-ups while idle, key press to command. Each
// figure is measured several times in one run; the median is printed.

#include "tests/desktop/XvfbSession.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace desktop_tests;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

fs::path g_folder;

void WriteUtf16(std::string const& name, std::string const& text)
{
    std::ofstream out(g_folder / name, std::ios::binary);
    out.write("\xFF\xFE", 2);
    for (char c : text) {
        out.put(c);
        out.put('\0');
    }
}

// A field of /proc/PID/status as a number.
long ProcessField(int pid, std::string const& field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string name;
    long value = -1;
    while (in >> name) {
        if (name == field + ":" && in >> value)
            return value;
        in.ignore(1 << 16, '\n');
    }
    return -1;
}

long ContextSwitches(int pid)
{
    return ProcessField(pid, "voluntary_ctxt_switches") + ProcessField(pid, "nonvoluntary_ctxt_switches");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Until the panel's page shows its background colour at its middle.
double StartToFirstPicture(XvfbSession& x)
{
    auto start = Clock::now();
    ChildProcess panel(VESSARINE_PATH, { (g_folder / "Static.ini").string() });
    XvfbSession::WaitUntil([&] {
        std::vector<uint32_t> pixel = x.Capture({ 100, 80, 1, 1 });
        return !pixel.empty() && pixel[0] == 0x306030;
    }, 10s);
    double elapsed = Milliseconds(Clock::now() - start);
    panel.Kill();
    XvfbSession::WaitUntil([&] { return x.Capture({ 100, 80, 1, 1 }) != std::vector<uint32_t> { 0x306030 }; }, 5s);
    return elapsed;
}

struct IdleFigures {
    long residentKilobytes = 0;
    double wakeUpsPerSecond = 0;
};

IdleFigures Idle(std::string const& program, std::string const& file, std::chrono::seconds span)
{
    ChildProcess child(program, { (g_folder / file).string() });
    std::this_thread::sleep_for(1500ms);
    long before = ContextSwitches(child.Pid());
    std::this_thread::sleep_for(span);
    long after = ContextSwitches(child.Pid());
    IdleFigures figures { ProcessField(child.Pid(), "VmRSS"), double(after - before) / double(span.count()) };
    child.Kill();
    return figures;
}

// From the key's release (sent through XTest, the server has it once XSync
// returns) to the command's first act: it writes the wall clock in nanoseconds.
double KeyToCommand(XvfbSession& x, int round)
{
    fs::path marker = g_folder / ("pressed-" + std::to_string(round));
    fs::path script = g_folder / ("mark-" + std::to_string(round) + ".sh");
    std::ofstream(script) << "#!/bin/sh\ndate +%s%N > \"" << marker.string() << "\"\n";
    chmod(script.c_str(), 0755);
    WriteUtf16("Keys.ini", "BRELLUM\r\nKeyCode=65\r\nCommand=" + script.string()
            + "\r\n\r\nSETTINGS\r\nElapseTime=100\r\nElapseTimeLong=5000\r\nCheckIntervall=20\r\n");
    ChildProcess daemon(BRELLUM_PATH, { (g_folder / "Keys.ini").string() });
    std::this_thread::sleep_for(800ms);
    Display* display = x.Display();
    unsigned keyCode = XKeysymToKeycode(display, XStringToKeysym("a"));
    XTestFakeKeyEvent(display, keyCode, True, CurrentTime);
    XSync(display, False);
    // Held a little longer each round, so that the releases fall at every
    // point of the daemon's 20 ms check interval rather than at one.
    std::this_thread::sleep_for(200ms + round * 2200us);
    XTestFakeKeyEvent(display, keyCode, False, CurrentTime);
    XSync(display, False);
    auto released = std::chrono::system_clock::now();
    XvfbSession::WaitUntil([&] {
        std::error_code error;
        return fs::exists(marker, error) && fs::file_size(marker, error) > 1;
    }, 5s);
    long long ran = 0;
    std::ifstream(marker) >> ran;
    auto commandTime = std::chrono::system_clock::time_point(std::chrono::nanoseconds(ran));
    return Milliseconds(commandTime - released);
}

}

int main()
{
    XvfbSession x;
    if (!x.Ready()) {
        std::fprintf(stderr, "desktop_figures: no Xvfb\n");
        return 1;
    }
    g_folder = fs::temp_directory_path() / ("desktop-figures-" + std::to_string(getpid()));
    fs::create_directories(g_folder);
    WriteUtf16("Static.ini", "panel.ini\r\n");
    WriteUtf16("panel.ini", "GLOBALSETTINGS\r\nx=40\r\ny=50\r\nWidth=160\r\nHeight=90\r\nArrange=No\r\nBackgroundColor=306030\r\n"
                            "StartUpAnimation=NoAnimation\r\n\r\nTEXT\r\nx=10\r\ny=10\r\nText=Ruhig\r\nColor=FFFFFF\r\n");
    WriteUtf16("Clock.ini", "clock.ini\r\n");
    WriteUtf16("clock.ini", "GLOBALSETTINGS\r\nx=40\r\ny=50\r\nWidth=160\r\nHeight=40\r\nArrange=No\r\nBackgroundColor=203050\r\n"
                            "StartUpAnimation=NoAnimation\r\n\r\nTIME\r\nx=10\r\ny=10\r\nFormat=HH:mm:ss\r\nInterval=1000\r\nColor=FFFFFF\r\n");
    WriteUtf16("Daemon.ini", "BRELLUM\r\nKeyCode=65\r\nCommand=/bin/true\r\n");

    std::vector<double> starts;
    for (int i = 0; i < 7; ++i)
        starts.push_back(StartToFirstPicture(x));
    std::printf("panel start to first picture: %.1f ms (median of %zu)\n", Median(starts), starts.size());

    IdleFigures still = Idle(VESSARINE_PATH, "Static.ini", 10s);
    IdleFigures clock = Idle(VESSARINE_PATH, "Clock.ini", 10s);
    IdleFigures daemon = Idle(BRELLUM_PATH, "Daemon.ini", 10s);
    std::printf("panel without timers: %ld kB resident, %.1f wake-ups/s\n", still.residentKilobytes, still.wakeUpsPerSecond);
    std::printf("panel with a seconds clock: %ld kB resident, %.1f wake-ups/s\n", clock.residentKilobytes, clock.wakeUpsPerSecond);
    std::printf("daemon at rest:       %ld kB resident, %.1f wake-ups/s\n", daemon.residentKilobytes, daemon.wakeUpsPerSecond);

    std::vector<double> latencies;
    for (int i = 0; i < 9; ++i)
        latencies.push_back(KeyToCommand(x, i));
    auto [fastest, slowest] = std::minmax_element(latencies.begin(), latencies.end());
    std::printf("key release to command: %.1f ms (median of %zu, %.1f to %.1f; checked every 20 ms)\n", Median(latencies),
        latencies.size(), *fastest, *slowest);
    fs::remove_all(g_folder);
    return 0;
}
