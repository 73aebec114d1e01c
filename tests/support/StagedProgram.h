#pragma once
// The end-to-end tests' fixture: the staged program copied into a temp folder of the test's own,
// its data files written there, run as a command or started with its window. The in-process
// program folder points at the copy while the test runs and is restored after it.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

class StagedProgramTest : public testing::Test {
protected:
    // folder: the name of the program folder inside the test's temp folder.
    explicit StagedProgramTest(std::string folder = "Varnolt") : folder_(std::move(folder)) {}
    void SetUp() override;

    // const\system.txt and const\user.txt, the user's file empty unless given.
    void WriteItems(const std::string& system, const std::string& user = "") const;
    // wildcard.ini, the settings file.
    void WriteSettings(const std::string& text) const;
    // Runs varnolt.exe with arguments; returns its exit code, its output in Console().
    int Run(const std::string& arguments) const;
    std::string Console() const;

    TempDir temp;
    std::string dir;  // the program folder, with a trailing backslash

private:
    std::string folder_;
    std::unique_ptr<ProgramDirScope> programDir_;
};

// The non-empty rows of a /list file: its paths and keys, without their space and the total line
// unless whole.
std::set<std::string> LinesOf(const std::string& text, bool whole = false);
