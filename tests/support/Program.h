#pragma once
// Runs the staged varnolt.exe from a program directory of the test's own.
#include <windows.h>

#include <functional>
#include <string>

// The staged program directory of the build, as a Windows path with a trailing backslash; the
// environment variable VARNOLT_STAGE (a host path) names another.
std::string StagedProgramDir();
// Copies the files of a folder tree (folders created as needed).
void CopyTree(const std::string& from, const std::string& to);
// The staged program copied to a folder as it ships: without the order file and log a run of
// the staged program in place leaves there.
void CopyStagedProgram(const std::string& to);
// Calls create (a CreateProcess) and, when it fails, calls it once more and says so in the test's
// output and properties: Wine's process creation has failed at random on a loaded machine,
// before the program ran.
bool StartWithRetry(const std::string& exe, const std::function<bool()>& create);
// Runs programDir\varnolt.exe with arguments, its standard output and error into outputFile;
// returns the exit code, or -1 when it did not end in time.
int RunVarnolt(const std::string& programDir, const std::string& arguments, const std::string& outputFile);

class RunningProgram {
public:
    RunningProgram() = default;
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts programDir + "varnolt.exe"; false when it could not start.
    bool Start(const std::string& programDir);
    // The process's visible main window, or nullptr after the timeout.
    HWND WaitForMainWindow(int timeoutMs = 20000) const;
    // Start and WaitForMainWindow: the window, or nullptr when either failed.
    HWND Open(const std::string& programDir);
    // Asks the window to close and waits for the process to end; true when it did.
    bool Close(HWND window, int timeoutMs = 20000);
    // True when the process ended within the timeout.
    bool WaitExit(int timeoutMs = 20000);
    DWORD ExitCode() const;
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};
