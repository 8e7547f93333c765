// cesim runs a program of the suite on the simulated device and writes what it
// did as a trace: the project's test harness and a way to preview a panel.

#include "platform/Backend.h"
#include "platform/headless/HeadlessDevice.h"
#include "programs/cesim/Options.h"
#include "programs/cesim/Script.h"
#include "programs/check/FileCheck.h"

#include <filesystem>
#include <fstream>
#include <iostream>

using namespace cesim;

static int UsageFailure(std::string const& message)
{
    std::cerr << "cesim: " << message << " (try 'cesim --help')\n";
    return 2;
}

// A file or folder that cannot be used, or a script line: the command line's form was right.
static int Failure(std::string const& message)
{
    std::cerr << "cesim: " << message << "\n";
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
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (UsageError const& error) {
        return UsageFailure(error.message);
    }
    if (options.request == Request::Help) {
        std::cout << Usage();
        return 0;
    }
    if (options.request == Request::Version) {
        std::cout << "cesim " << VESSARINE_VERSION << "\n";
        return 0;
    }
    Script script;
    try {
        script = ReadScript(options.script);
    } catch (ScriptError const& error) {
        return Failure(error.message);
    }
    if (!std::filesystem::is_directory(options.device.root))
        return Failure("the root folder '" + options.device.root + "' does not exist");

    if (options.request == Request::Check) {
        platform::HeadlessDevice device(options.device);
        return check::CheckFiles(device.Services(), nullptr, options.check, options.commandLine, options.program, std::cout);
    }

    std::ofstream traceFile;
    if (options.trace) {
        traceFile.open(*options.trace);
        if (!traceFile)
            return Failure("cannot write the trace '" + *options.trace + "'");
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
