// cesim runs a program of the suite on the simulated device and writes what it
// did as a trace: the project's test harness and a way to preview a panel.

#include "platform/Backend.h"
#include "platform/headless/HeadlessDevice.h"
#include "programs/cesim/Options.h"
#include "programs/cesim/Script.h"

#include <filesystem>
#include <fstream>
#include <iostream>

using namespace cesim;

static int UsageFailure(std::string const& message)
{
    std::cerr << "cesim: " << message << "\n" << Usage();
    return 2;
}

static Script ReadScript(std::optional<std::string> const& path)
{
    if (!path)
        return {};
    if (*path == "-")
        return Script::Parse(std::cin);
    std::ifstream file(*path);
    if (!file)
        throw ScriptError { "cannot read the script '" + *path + "'" };
    return Script::Parse(file);
}

int main(int argc, char** argv)
{
    Options options;
    Script script;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
        script = ReadScript(options.script);
    } catch (UsageError const& error) {
        return UsageFailure(error.message);
    } catch (ScriptError const& error) {
        std::cerr << "cesim: " << error.message << "\n";
        return 2;
    }
    if (!std::filesystem::is_directory(options.device.root))
        return UsageFailure("the root folder '" + options.device.root + "' does not exist");

    std::ofstream traceFile;
    if (options.trace) {
        traceFile.open(*options.trace);
        if (!traceFile)
            return UsageFailure("cannot write the trace '" + *options.trace + "'");
    }

    platform::HeadlessDevice device(options.device);
    platform::ScopedBackend installed(device);
    device.GetTrace().SetOutput(options.trace ? static_cast<std::ostream*>(&traceFile) : &std::cout);
    auto writeShot = [&device](std::string const& path) { device.WriteShot(path); };
    if (options.shot)
        device.ShootAtEnd(*options.shot);

    device.TraceStart(options.program, options.commandLine);
    script.Apply(device, writeShot);
    int32_t exitCode = options.entry(options.commandLine);
    if (!device.RunEnded())
        device.TraceExit(exitCode);
    return 0;
}
