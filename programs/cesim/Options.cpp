#include "programs/cesim/Options.h"

#include "platform/Utf.h"
#include "programs/Documentation.h"
#include "programs/cesim/Numbers.h"
#include "programs/cesim/Programs.h"

#include <cstdio>
#include <string_view>

namespace cesim {

namespace {

// The options read so far.
struct Parsing {
    Options options;
    bool exeGiven = false;
};

void ParseScreen(Parsing& parsing, std::string const& text)
{
    size_t x = text.find('x');
    auto width = x == std::string::npos ? std::nullopt : ParseNumber<int32_t>(text.substr(0, x));
    auto height = x == std::string::npos ? std::nullopt : ParseNumber<int32_t>(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 8192 || *height > 8192)
        throw UsageError { "--screen wants WxH, not '" + text + "'" };
    parsing.options.device.screenWidth = *width;
    parsing.options.device.screenHeight = *height;
}

void ParseUntil(Parsing& parsing, std::string const& text)
{
    auto until = ParseNumber<uint64_t>(text);
    if (!until)
        throw UsageError { "--until wants milliseconds" };
    parsing.options.device.until = *until;
}

void ParseTick(Parsing& parsing, std::string const& text)
{
    auto tick = ParseNumber<uint32_t>(text);
    if (!tick)
        throw UsageError { "--tick wants a number from 0 to 4294967295" };
    parsing.options.device.tick = *tick;
}

void ParseClock(Parsing& parsing, std::string const& text)
{
    platform::ClockStart time;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &time.year, &time.month, &time.day, &time.hour,
            &time.minute, &time.second, &tail) != 6
        || text.size() != 19 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23
        || time.minute > 59 || time.second > 59 || time.year < 1601)
        throw UsageError { "--clock wants YYYY-MM-DDTHH:MM:SS, not '" + text + "'" };
    parsing.options.device.clock = time;
}

void ParseLocale(Parsing& parsing, std::string const& locale)
{
    if (locale != "de-DE" && locale != "en-US")
        throw UsageError { "unknown locale '" + locale + "' (de-DE or en-US)" };
    parsing.options.device.locale = locale;
}

struct OptionEntry {
    std::string_view name;
    // The word the usage shows for the option's value.
    std::string_view value;
    std::string_view help;
    // Shown in brackets after the help; empty for none.
    std::string_view shownDefault;
    void (*apply)(Parsing& parsing, std::string const& value);
};

constexpr OptionEntry kOptions[] = {
    { "--root", "DIR", "host folder that stands for the device's root folder", ".",
        [](Parsing& parsing, std::string const& value) { parsing.options.device.root = value; } },
    { "--exe", "PATH", "device path of the program file", "\\Vessarine.exe, ...",
        [](Parsing& parsing, std::string const& value) {
            parsing.options.device.exe = platform::FromUtf8(value);
            parsing.exeGiven = true;
        } },
    { "--screen", "WxH", "screen size", "480x272", ParseScreen },
    { "--script", "F", "event script; - reads standard input", "",
        [](Parsing& parsing, std::string const& value) { parsing.options.script = value; } },
    { "--until", "MS", "stop after this much virtual time", "3600000", ParseUntil },
    { "--trace", "F", "where the trace goes", "standard output",
        [](Parsing& parsing, std::string const& value) { parsing.options.trace = value; } },
    { "--shot", "F", "write a PNG of the screen when the run ends", "",
        [](Parsing& parsing, std::string const& value) { parsing.options.shot = value; } },
    { "--tick", "N", "tick count at the start", "0", ParseTick },
    { "--clock", "YYYY-MM-DDTHH:MM:SS", "local time at the start", "2026-01-15T09:30:00", ParseClock },
    { "--locale", "L", "de-DE or en-US", "de-DE", ParseLocale },
};

// --help and --version stand anywhere among cesim's own words.
std::optional<Request> InformationRequest(std::string const& word)
{
    if (word == "--help")
        return Request::Help;
    if (word == "--version")
        return Request::Version;
    return std::nullopt;
}

OptionEntry const& OptionNamed(std::string const& name)
{
    for (OptionEntry const& option : kOptions) {
        if (option.name == name)
            return option;
    }
    throw UsageError { "unknown option '" + name + "'" };
}

// A usage line: the word and its value in a column of their own, then what it means.
std::string UsageLine(std::string const& word, std::string_view help)
{
    constexpr size_t kColumn = 13;
    std::string line = "  " + word;
    line.append(word.size() < kColumn ? kColumn - word.size() : 2, ' ');
    return line.append(help) + "\n";
}

}

std::string Usage()
{
    std::string usage = "usage: cesim PROGRAM [OPTIONS] [-- COMMAND-LINE TEXT...]\n"
                        "Runs a program of the suite on the simulated device and writes what it does\n"
                        "as a trace (JSON Lines).\n\n";
    usage += UsageLine("PROGRAM", ProgramNames());
    for (OptionEntry const& option : kOptions) {
        std::string help(option.help);
        if (!option.shownDefault.empty())
            help += " (" + std::string(option.shownDefault) + ")";
        usage += UsageLine(std::string(option.name) + " " + std::string(option.value), help);
    }
    usage += UsageLine("--check", "read the program's files as it would at start-up, run nothing, and print\n"
                                  "               one line per finding (exit status 0: none, 1: some)");
    usage += UsageLine("--help", "print this help and exit");
    usage += UsageLine("--version", "print the version and exit");
    usage += UsageLine("--", "the words after it are the program's command-line text");
    return usage + "\nExit status: 0 after a run, whatever the program's exit code; 2 for a mistake\n"
                   "on the command line or in the script.\n"
        + programs::DocumentationLines("cesim", "  cesim.md     options, script commands, the trace\n");
}

Options ParseOptions(std::vector<std::string> const& arguments)
{
    if (arguments.empty())
        throw UsageError { "no program given" };
    Parsing parsing;
    Options& options = parsing.options;
    if (auto request = InformationRequest(arguments[0])) {
        options.request = *request;
        return options;
    }
    options.program = arguments[0];
    Program const* program = FindProgram(options.program);
    if (!program)
        throw UsageError { "unknown program '" + options.program + "'" };
    options.entry = program->entry;
    options.check = program->check;

    size_t i = 1;
    for (; i < arguments.size() && arguments[i] != "--"; ++i) {
        if (auto request = InformationRequest(arguments[i])) {
            options.request = *request;
            return options;
        }
        if (arguments[i] == "--check") {
            options.request = Request::Check;
            continue;
        }
        OptionEntry const& option = OptionNamed(arguments[i]);
        if (i + 1 >= arguments.size())
            throw UsageError { arguments[i] + " needs a value" };
        option.apply(parsing, arguments[++i]);
    }
    for (size_t first = ++i; i < arguments.size(); ++i) {
        if (i > first)
            options.commandLine += u' ';
        options.commandLine += platform::FromUtf8(arguments[i]);
    }
    if (!parsing.exeGiven)
        options.device.exe = program->defaultExe;
    return options;
}

}
