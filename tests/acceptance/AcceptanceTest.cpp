// Runs cesim on every case folder below this one and compares its trace with
// the expected one, line by line. A case folder holds:
//   args      cesim's arguments, one per line; @ROOT@ stands for the case's root/,
//             @EXAMPLES@ for the project's examples/
//   root/     the device's files
//   script    the event script (optional)
//   expected  the trace cesim must write
//   status    cesim's exit status when it is not 0 (optional)
//   expected.png  the screen when the run ends, every pixel (optional); a
//             mismatch leaves the run's screen beside it as expected.actual.png
// UPDATE_EXPECTED=1 rewrites `expected` and `expected.png` from what cesim wrote.

#include "tests/support/ChildProcess.h"
#include "tests/support/PictureCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using testing_support::ErrorOutput;
using testing_support::MatchesExpectedPicture;
using testing_support::Picture;
using testing_support::ReadPng;
using testing_support::RunTool;
using testing_support::UpdatingExpected;

namespace {

std::vector<std::string> ReadLines(fs::path const& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (auto const& entry : fs::recursive_directory_iterator(ACCEPTANCE_DIR)) {
        if (entry.is_regular_file() && entry.path().filename() == "args")
            names.push_back(fs::relative(entry.path().parent_path(), ACCEPTANCE_DIR).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Acceptance : public ::testing::TestWithParam<std::string> { };

TEST_P(Acceptance, TraceMatches)
{
    fs::path folder = fs::path(ACCEPTANCE_DIR) / GetParam();
    fs::path trace = fs::temp_directory_path() / ("cesim-" + std::to_string(getpid()) + ".trace");
    std::vector<std::string> arguments;
    for (std::string argument : ReadLines(folder / "args")) {
        for (size_t at; (at = argument.find("@ROOT@")) != std::string::npos;)
            argument.replace(at, 6, (folder / "root").string());
        for (size_t at; (at = argument.find("@EXAMPLES@")) != std::string::npos;)
            argument.replace(at, 10, EXAMPLES_DIR);
        arguments.push_back(argument);
    }
    if (fs::exists(folder / "script")) {
        arguments.insert(arguments.begin() + 1, { "--script", (folder / "script").string() });
    }
    arguments.insert(arguments.begin() + 1, { "--trace", trace.string() });
    fs::path picture = fs::path(trace).replace_extension(".png");
    bool comparesPicture = fs::exists(folder / "expected.png");
    if (comparesPicture)
        arguments.insert(arguments.begin() + 1, { "--shot", picture.string() });

    int expectedStatus = fs::exists(folder / "status") ? std::stoi(ReadLines(folder / "status").at(0)) : 0;
    EXPECT_EQ(RunTool(CESIM_PATH, arguments, ErrorOutput::Discarded, std::chrono::minutes(1)), expectedStatus);
    std::vector<std::string> actual = ReadLines(trace);
    fs::remove(trace);
    if (comparesPicture) {
        std::optional<Picture> screen = ReadPng(picture);
        fs::remove(picture);
        if (screen)
            EXPECT_TRUE(MatchesExpectedPicture(*screen, folder / "expected.png"));
        else
            ADD_FAILURE() << "cesim wrote no picture of the screen";
    }
    if (UpdatingExpected()) {
        std::ofstream out(folder / "expected");
        for (auto const& line : actual)
            out << line << '\n';
        return;
    }
    std::vector<std::string> expected = ReadLines(folder / "expected");
    for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(i < actual.size() ? actual[i] : "(no line)", i < expected.size() ? expected[i] : "(no line)")
            << "trace line " << i + 1;
    }
}

std::string CaseName(testing::TestParamInfo<std::string> const& info)
{
    std::string name = info.param;
    for (char& c : name) {
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cesim, Acceptance, ::testing::ValuesIn(CaseNames()), CaseName);

}
