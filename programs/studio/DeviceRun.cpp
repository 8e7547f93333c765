#include "programs/studio/DeviceRun.h"

#include "platform/Backend.h"
#include "platform/draw/PixelColor.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/wasm/MissingFonts.h"
#include "programs/cesim/Options.h"
#include "programs/cesim/Script.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace studio {

namespace {

RunResult Failure(std::string message)
{
    RunResult result;
    result.status = 2;
    result.error = std::move(message);
    return result;
}

std::vector<std::string> Lines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

void TakePicture(platform::Surface const& screen, RunResult& result)
{
    result.width = screen.Width();
    result.height = screen.Height();
    result.pixels.resize(size_t(result.width) * size_t(result.height) * 4);
    uint8_t* out = result.pixels.data();
    for (int32_t y = 0; y < screen.Height(); ++y) {
        uint32_t const* row = screen.Row(y);
        for (int32_t x = 0; x < screen.Width(); ++x) {
            *out++ = uint8_t(platform::RedOf(row[x]));
            *out++ = uint8_t(platform::GreenOf(row[x]));
            *out++ = uint8_t(platform::BlueOf(row[x]));
            *out++ = 255;
        }
    }
}

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            (out += '\\') += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

}

RunResult RunOnDevice(std::vector<std::string> const& arguments, std::string const& script)
{
    cesim::Options options;
    try {
        options = cesim::ParseOptions(arguments);
    } catch (cesim::UsageError const& error) {
        return Failure(error.message);
    }
    if (options.request == cesim::Request::Help || options.request == cesim::Request::Version)
        return Failure("the studio runs programs; it shows no help or version");
    cesim::Script events;
    try {
        std::istringstream input(script);
        events = cesim::Script::Parse(input);
    } catch (cesim::ScriptError const& error) {
        return Failure(error.message);
    }
    if (!std::filesystem::is_directory(options.device.root))
        return Failure("the root folder '" + options.device.root + "' does not exist");

    RunResult result;
    if (options.request == cesim::Request::Check) {
        platform::HeadlessDevice device(options.device);
        result.findings = check::FindingsOf(device.Services(), nullptr, options.check, options.commandLine);
        result.status = result.findings.empty() ? 0 : 1;
        return result;
    }

    std::ostringstream trace;
    {
        platform::HeadlessDevice device(options.device);
        platform::ScopedBackend installed(device);
        device.GetTrace().SetOutput(&trace);
        device.TakeAtEnd([&result](platform::Surface const& screen) { TakePicture(screen, result); });
        if (options.shot)
            device.ShootAtEnd(*options.shot);
        device.TraceStart(options.program, options.commandLine);
        events.Apply(device, [&device](std::string const& path) { device.WriteShot(path); });
        int32_t exitCode = options.entry(options.commandLine);
        if (!device.RunEnded())
            device.TraceExit(exitCode);
    }
    result.trace = Lines(trace.str());
    result.missingFonts = platform::TakeMissingFonts();
    return result;
}

std::string ToJson(RunResult const& result)
{
    std::string json = "{\"status\":" + std::to_string(result.status) + ",\"error\":" + Quoted(result.error)
        + ",\"width\":" + std::to_string(result.width) + ",\"height\":" + std::to_string(result.height) + ",\"trace\":[";
    for (size_t i = 0; i < result.trace.size(); ++i)
        (json += i ? "," : "") += result.trace[i];
    json += "],\"findings\":[";
    for (size_t i = 0; i < result.findings.size(); ++i) {
        check::Reported const& finding = result.findings[i];
        json += i ? ",{" : "{";
        json += "\"kind\":" + Quoted(finding.warning ? "warning" : "error");
        json += ",\"file\":" + (finding.file ? Quoted(*finding.file) : std::string("null"));
        json += ",\"line\":" + std::to_string(finding.line);
        json += ",\"caption\":" + Quoted(finding.caption) + ",\"text\":" + Quoted(finding.text);
        json += ",\"explanation\":" + Quoted(finding.explanation) + "}";
    }
    json += "],\"missingFonts\":[";
    for (size_t i = 0; i < result.missingFonts.size(); ++i)
        (json += i ? "," : "") += Quoted(result.missingFonts[i]);
    return json + "]}";
}

}
