#include "programs/cesim/Options.h"

#include "platform/Utf.h"
#include "programs/cesim/Numbers.h"

#include <cstdio>

namespace cesim {

char const* const kUsage =
    "usage: cesim PROGRAM [OPTIONS] [-- COMMAND-LINE TEXT...]\n"
    "  PROGRAM      vessarine, brellum or talvok\n"
    "  --root DIR   host folder that stands for the device's root folder (.)\n"
    "  --exe PATH   device path of the program file (\\Vessarine.exe, ...)\n"
    "  --screen WxH screen size (480x272)\n"
    "  --script F   event script; - reads standard input\n"
    "  --until MS   stop after this much virtual time (3600000)\n"
    "  --trace F    where the trace goes (standard output)\n"
    "  --shot F     write a PNG of the screen when the run ends\n"
    "  --tick N     tick count at the start (0)\n"
    "  --clock YYYY-MM-DDTHH:MM:SS  local time at the start (2026-01-15T09:30:00)\n"
    "  --locale L   de-DE or en-US (de-DE)\n";

static std::u16string DefaultExe(std::string const& program)
{
    if (program == "vessarine")
        return u"\\Vessarine.exe";
    if (program == "brellum")
        return u"\\Brellum.exe";
    return u"\\Talvok.exe";
}

static platform::ClockStart ParseClock(std::string const& text)
{
    platform::ClockStart time;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &time.year, &time.month, &time.day, &time.hour,
            &time.minute, &time.second, &tail) != 6
        || text.size() != 19 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23
        || time.minute > 59 || time.second > 59 || time.year < 1601)
        throw UsageError { "--clock wants YYYY-MM-DDTHH:MM:SS, not '" + text + "'" };
    return time;
}

Options ParseOptions(std::vector<std::string> const& arguments)
{
    if (arguments.empty())
        throw UsageError { "no program given" };
    Options options;
    options.program = arguments[0];
    if (options.program != "vessarine" && options.program != "brellum" && options.program != "talvok")
        throw UsageError { "unknown program '" + options.program + "'" };

    bool exeGiven = false;
    size_t i = 1;
    auto value = [&](std::string const& option) -> std::string const& {
        if (i + 1 >= arguments.size())
            throw UsageError { option + " needs a value" };
        return arguments[++i];
    };
    for (; i < arguments.size(); ++i) {
        std::string const& option = arguments[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (option == "--root") {
            options.device.root = value(option);
        } else if (option == "--exe") {
            options.device.exe = platform::FromUtf8(value(option));
            exeGiven = true;
        } else if (option == "--screen") {
            std::string const& text = value(option);
            size_t x = text.find('x');
            auto width = x == std::string::npos ? std::nullopt : ParseNumber<int32_t>(text.substr(0, x));
            auto height = x == std::string::npos ? std::nullopt : ParseNumber<int32_t>(text.substr(x + 1));
            if (!width || !height || *width < 1 || *height < 1 || *width > 8192 || *height > 8192)
                throw UsageError { "--screen wants WxH, not '" + text + "'" };
            options.device.screenWidth = *width;
            options.device.screenHeight = *height;
        } else if (option == "--script") {
            options.script = value(option);
        } else if (option == "--until") {
            auto until = ParseNumber<uint64_t>(value(option));
            if (!until)
                throw UsageError { "--until wants milliseconds" };
            options.device.until = *until;
        } else if (option == "--trace") {
            options.trace = value(option);
        } else if (option == "--shot") {
            options.shot = value(option);
        } else if (option == "--tick") {
            auto tick = ParseNumber<uint32_t>(value(option));
            if (!tick)
                throw UsageError { "--tick wants a number from 0 to 4294967295" };
            options.device.tick = *tick;
        } else if (option == "--clock") {
            options.device.clock = ParseClock(value(option));
        } else if (option == "--locale") {
            std::string const& locale = value(option);
            if (locale != "de-DE" && locale != "en-US")
                throw UsageError { "unknown locale '" + locale + "' (de-DE or en-US)" };
            options.device.locale = locale;
        } else {
            throw UsageError { "unknown option '" + option + "'" };
        }
    }
    for (size_t first = i; i < arguments.size(); ++i) {
        if (i > first)
            options.commandLine += u' ';
        options.commandLine += platform::FromUtf8(arguments[i]);
    }
    if (!exeGiven)
        options.device.exe = DefaultExe(options.program);
    return options;
}

}
