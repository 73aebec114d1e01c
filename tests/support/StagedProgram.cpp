#include "tests/support/StagedProgram.h"

#include <sstream>

void StagedProgramTest::SetUp() {
    dir = temp.Path() + folder_ + "\\";
    CopyStagedProgram(dir);
    programDir_ = std::make_unique<ProgramDirScope>(dir);
    ASSERT_TRUE(FileExists(dir + "varnolt.exe")) << StagedProgramDir();
}

void StagedProgramTest::WriteItems(const std::string& system, const std::string& user) const {
    WriteTextFile(dir + "const\\system.txt", system);
    WriteTextFile(dir + "const\\user.txt", user);
}

void StagedProgramTest::WriteSettings(const std::string& text) const { WriteTextFile(dir + "wildcard.ini", text); }

int StagedProgramTest::Run(const std::string& arguments) const {
    return RunVarnolt(dir, arguments, temp.Path() + "console.txt");
}

std::string StagedProgramTest::Console() const { return ReadTextFile(temp.Path() + "console.txt"); }

std::set<std::string> LinesOf(const std::string& text, bool whole) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find_first_of(whole ? "\r" : "\t\r"));
        if (!line.empty() && (whole || line != "Total")) lines.insert(line);
    }
    return lines;
}
