// What the example script says about the desktop programs its example starts
// when some of them are not on this machine.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The lines the script writes with only the programs in `present` along PATH.
std::vector<std::string> SaidWith(std::vector<std::string> const& present)
{
    fs::path bin = fs::temp_directory_path() / ("missing-programs-" + std::to_string(getpid()));
    fs::remove_all(bin);
    fs::create_directories(bin);
    for (std::string const& program : present) {
        std::ofstream(bin / program) << "#!/bin/sh\n";
        fs::permissions(bin / program, fs::perms::owner_all);
    }
    std::string command = "env PATH='" + bin.string() + "' /bin/bash '" MISSING_PROGRAMS_SCRIPT "'";
    std::vector<std::string> lines;
    if (FILE* out = popen(command.c_str(), "r")) {
        char line[512];
        while (fgets(line, sizeof line, out))
            lines.emplace_back(line);
        EXPECT_EQ(pclose(out), 0);
    }
    fs::remove_all(bin);
    return lines;
}

TEST(MissingDesktopPrograms, OneLineWithItsPackageForEachProgramThisMachineLacks)
{
    EXPECT_EQ(SaidWith({ "x-terminal-emulator", "xdg-open", "xclock", "xeyes" }), std::vector<std::string> {});
    EXPECT_EQ(SaidWith({ "xdg-open", "xeyes" }),
        (std::vector<std::string> {
            "missing: x-terminal-emulator, for the Terminal button and F9 held long: install it with 'sudo apt-get install xterm'\n",
            "missing: xclock, for the Uhr button and F9: install it with 'sudo apt-get install x11-apps'\n" }));
    std::vector<std::string> none = SaidWith({});
    ASSERT_EQ(none.size(), 4u);
    EXPECT_NE(none[1].find("missing: xdg-open, for the Notizen and Ordner buttons and F10"), std::string::npos);
    EXPECT_NE(none[1].find("'sudo apt-get install xdg-utils'"), std::string::npos);
    EXPECT_NE(none[3].find("missing: xeyes, for the dial of the second page"), std::string::npos);
}

}
