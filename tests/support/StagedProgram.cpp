#include "tests/support/StagedProgram.h"

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
