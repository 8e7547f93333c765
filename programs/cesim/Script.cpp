#include "programs/cesim/Script.h"

#include "platform/Utf.h"
#include "platform/window/Messages.h"
#include "programs/cesim/Numbers.h"

#include <sstream>
#include <string_view>

namespace cesim {

using platform::HeadlessDevice;

namespace {

using Action = Script::Action;
using ShotWriter = Script::ShotWriter;

std::vector<std::string> Words(std::string const& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

struct ScriptLine {
    int number;
    std::string text;
    std::vector<std::string> words;

    [[noreturn]] void Fail(std::string const& why) const
    {
        throw ScriptError { "script line " + std::to_string(number) + ": " + why };
    }

    void ExpectCount(size_t count) const
    {
        if (words.size() != count)
            Fail("'" + words[0] + "' wants " + std::to_string(count - 1) + " argument(s)");
    }

    template<typename T>
    T Number(size_t index, char const* what) const
    {
        auto value = ParseNumber<T>(words[index]);
        if (!value)
            Fail(std::string(what) + " '" + words[index] + "' is not a valid number");
        return *value;
    }

    platform::Point At(size_t index) const
    {
        return { Number<int32_t>(index, "x"), Number<int32_t>(index + 1, "y") };
    }
};

// What a line does, and how much virtual time passes before it does it.
struct Parsed {
    Action action;
    uint64_t wait = 0;
};

std::optional<platform::BoxAnswer> AnswerNamed(std::string const& word)
{
    using platform::BoxAnswer;
    static const std::pair<char const*, BoxAnswer> kAnswers[] = {
        { "ok", BoxAnswer::Ok }, { "cancel", BoxAnswer::Cancel }, { "abort", BoxAnswer::Abort },
        { "retry", BoxAnswer::Retry }, { "ignore", BoxAnswer::Ignore }, { "yes", BoxAnswer::Yes }, { "no", BoxAnswer::No },
    };
    for (auto const& [name, answer] : kAnswers) {
        if (word == name)
            return answer;
    }
    return std::nullopt;
}

Parsed Answer(ScriptLine const& line)
{
    if (line.words.size() < 2)
        line.Fail("'answer' wants at least one answer");
    std::vector<platform::BoxAnswer> answers;
    for (size_t i = 1; i < line.words.size(); ++i) {
        auto answer = AnswerNamed(line.words[i]);
        if (!answer)
            line.Fail("unknown answer '" + line.words[i] + "'");
        answers.push_back(*answer);
    }
    return { [answers](HeadlessDevice& device, ShotWriter const&) {
        for (auto answer : answers)
            device.QueueAnswer(answer);
    } };
}

Parsed BoxTime(ScriptLine const& line)
{
    line.ExpectCount(2);
    auto ms = line.Number<uint32_t>(1, "time");
    return { [ms](HeadlessDevice& device, ShotWriter const&) { device.SetBoxTime(ms); } };
}

Parsed Power(ScriptLine const& line)
{
    if (line.words.size() < 2)
        line.Fail("'power' wants FIELD=VALUE..., 'fail' or 'ok'");
    if (line.words.size() == 2 && (line.words[1] == "fail" || line.words[1] == "ok")) {
        bool fails = line.words[1] == "fail";
        return { [fails](HeadlessDevice& device, ShotWriter const&) { device.State().power.queryFails = fails; } };
    }
    platform::PowerState check;
    std::vector<std::pair<std::string, int64_t>> fields;
    for (size_t i = 1; i < line.words.size(); ++i) {
        std::string const& word = line.words[i];
        size_t equals = word.find('=');
        auto value = equals == std::string::npos ? std::nullopt : ParseNumber<int64_t>(word.substr(equals + 1));
        std::string field = word.substr(0, equals);
        if (!value || !check.Set(field, *value))
            line.Fail("'" + word + "' is no power field with a number");
        fields.emplace_back(field, *value);
    }
    return { [fields](HeadlessDevice& device, ShotWriter const&) {
        for (auto const& [field, value] : fields)
            device.State().power.Set(field, value);
    } };
}

Parsed PowerCall(ScriptLine const& line)
{
    line.ExpectCount(2);
    // "no-library": the platform library itself is missing, not only the call.
    if (line.words[1] != "absent" && line.words[1] != "no-library")
        line.Fail("'power-call' knows 'absent' and 'no-library'");
    bool library = line.words[1] == "no-library";
    return { [library](HeadlessDevice& device, ShotWriter const&) {
        device.State().power.callAbsent = true;
        device.State().power.libraryAbsent = library;
    } };
}

Parsed Memory(ScriptLine const& line)
{
    line.ExpectCount(5);
    platform::MemoryState memory { line.Number<uint64_t>(1, "total physical"), line.Number<uint64_t>(2, "available physical"),
        line.Number<uint64_t>(3, "total virtual"), line.Number<uint64_t>(4, "available virtual") };
    return { [memory](HeadlessDevice& device, ShotWriter const&) { device.State().memory = memory; } };
}

Parsed Disk(ScriptLine const& line)
{
    // The folder may hold blanks ("\Storage Card"): the numbers or "fail" come last.
    platform::DiskState disk;
    size_t folderWords = 0;
    if (line.words.size() >= 3 && line.words.back() == "fail") {
        disk.fails = true;
        folderWords = line.words.size() - 2;
    } else if (line.words.size() >= 4) {
        size_t n = line.words.size();
        disk.total = line.Number<uint64_t>(n - 2, "total");
        disk.available = line.Number<uint64_t>(n - 1, "available");
        folderWords = n - 3;
    } else {
        line.Fail("'disk' wants FOLDER TOTAL AVAIL or FOLDER fail");
    }
    std::string folder;
    for (size_t i = 1; i <= folderWords; ++i)
        folder += (i > 1 ? " " : "") + line.words[i];
    disk.folder = platform::FromUtf8(folder);
    return { [disk](HeadlessDevice& device, ShotWriter const&) { device.State().disks.push_back(disk); } };
}

// A step of its own even though it does nothing: the run goes on until its time.
Parsed Wait(ScriptLine const& line)
{
    line.ExpectCount(2);
    return { [](HeadlessDevice&, ShotWriter const&) { }, line.Number<uint64_t>(1, "time") };
}

Parsed Press(ScriptLine const& line)
{
    line.ExpectCount(3);
    platform::Point at = line.At(1);
    return { [at](HeadlessDevice& device, ShotWriter const&) { device.Windows().PenDown(at); } };
}

Parsed Release(ScriptLine const& line)
{
    line.ExpectCount(3);
    platform::Point at = line.At(1);
    return { [at](HeadlessDevice& device, ShotWriter const&) { device.Windows().PenUp(at); } };
}

Parsed Taps(ScriptLine const& line, int taps)
{
    line.ExpectCount(3);
    platform::Point at = line.At(1);
    return { [at, taps](HeadlessDevice& device, ShotWriter const&) {
        for (int i = 0; i < taps; ++i) {
            device.Windows().PenDown(at);
            device.Windows().PenUp(at);
        }
    } };
}

Parsed Tap(ScriptLine const& line)
{
    return Taps(line, 1);
}

Parsed DoubleClick(ScriptLine const& line)
{
    return Taps(line, 2);
}

Parsed Key(ScriptLine const& line)
{
    line.ExpectCount(3);
    auto vk = line.Number<uint32_t>(1, "key code");
    if (vk > 255)
        line.Fail("key code " + line.words[1] + " is above 255");
    if (line.words[2] != "down" && line.words[2] != "up")
        line.Fail("'key' wants 'down' or 'up'");
    bool down = line.words[2] == "down";
    return { [vk, down](HeadlessDevice& device, ShotWriter const&) { device.Windows().Key(vk, down); } };
}

Parsed TrayClick(ScriptLine const& line)
{
    line.ExpectCount(1);
    return { [](HeadlessDevice& device, ShotWriter const&) { device.TrayClick(); } };
}

Parsed Close(ScriptLine const& line)
{
    line.ExpectCount(1);
    return { [](HeadlessDevice& device, ShotWriter const&) {
        auto windows = device.Windows().Windows();
        if (!windows.empty())
            device.Windows().PostMessage(windows.front(), platform::Msg::Close, 0, 0);
    } };
}

Parsed ProcessExit(ScriptLine const& line)
{
    line.ExpectCount(3);
    auto process = line.Number<int32_t>(1, "process");
    if (process < 1)
        line.Fail("processes count from 1");
    auto code = line.Number<int64_t>(2, "exit code");
    if (code < INT32_MIN || code > UINT32_MAX)
        line.Fail("exit code out of range");
    return { [process, code](HeadlessDevice& device, ShotWriter const&) { device.Shell().End(process, uint32_t(code)); } };
}

// The file is the rest of the line, blanks inside it kept.
Parsed Shot(ScriptLine const& line)
{
    if (line.words.size() < 2)
        line.Fail("'shot' wants a file");
    std::string file = line.text.substr(line.text.find("shot") + 4);
    file = file.substr(file.find_first_not_of(" \t"));
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t'))
        file.pop_back();
    return { [file](HeadlessDevice&, ShotWriter const& writeShot) { writeShot(file); } };
}

struct Command {
    std::string_view word;
    // State lines before the first event apply before the program starts.
    bool setsState;
    Parsed (*parse)(ScriptLine const& line);
};

constexpr Command kCommands[] = {
    { "answer", true, Answer },
    { "boxtime", true, BoxTime },
    { "power", true, Power },
    { "power-call", true, PowerCall },
    { "memory", true, Memory },
    { "disk", true, Disk },
    { "wait", false, Wait },
    { "press", false, Press },
    { "release", false, Release },
    { "tap", false, Tap },
    { "dblclick", false, DoubleClick },
    { "key", false, Key },
    { "tray-click", false, TrayClick },
    { "close", false, Close },
    { "process-exit", false, ProcessExit },
    { "shot", false, Shot },
};

Command const& CommandOf(ScriptLine const& line)
{
    for (Command const& command : kCommands) {
        if (command.word == line.words[0])
            return command;
    }
    line.Fail("unknown command '" + line.words[0] + "'");
}

}

Script Script::Parse(std::istream& input)
{
    Script script;
    uint64_t cursor = 0;
    bool started = false;
    int number = 0;
    for (std::string text; std::getline(input, text);) {
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        ScriptLine line { number, text, Words(text) };
        if (line.words.empty() || line.words[0][0] == '#')
            continue;
        Command const& command = CommandOf(line);
        Parsed parsed = command.parse(line);
        cursor += parsed.wait;
        started = started || !command.setsState;
        script.steps_.push_back({ cursor, !started, std::move(parsed.action) });
    }
    return script;
}

void Script::Apply(HeadlessDevice& device, ShotWriter const& writeShot) const
{
    for (auto const& step : steps_) {
        if (step.beforeStart) {
            step.action(device, writeShot);
            continue;
        }
        device.Schedule(step.at, [&device, action = step.action, writeShot] { action(device, writeShot); });
    }
}

}
