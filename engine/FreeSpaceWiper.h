#pragma once
// Wiping the free space of a volume: files of zeros fill it in the folder VarnoltWipe at its
// root and go again; then small files take the free records of the file table until the volume
// refuses more, and go too. The fill files and the first small files are created delete-on-close,
// so the system removes them however the process ends; further small files left by a crash go at
// the next start (RemoveWipeLeftovers).
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

inline constexpr const char* WipeFolderName = "VarnoltWipe";

struct WipeProgress {
    ULONGLONG Written = 0;  // bytes of zeros written so far
    ULONGLONG Total = 0;    // free bytes when the wipe began
    int SmallFiles = 0;     // small files made so far (second phase)
    bool FillingTable = false;
};

enum class WipeResult { Done, Cancelled, Failed };

struct WipeOutcome {
    WipeResult Result = WipeResult::Failed;
    std::string Error;  // Failed only: what went wrong, naming the path
    ULONGLONG Written = 0;
    int SmallFiles = 0;
};

// "D:", "d:\", "D" -> "D:\"; empty when text names no drive letter.
std::string VolumeRoot(const std::string& text);
// Empty when the drive can be wiped (a local fixed or removable volume, mounted), or why not.
std::string WipeRefusal(const std::string& root);
// Wipes the free space of the volume at root ("D:\"). progress is called on the calling thread
// after each chunk and each small file; it returns false to cancel. CancelRunningWipes ends the
// wipe too.
// Every file of the wipe is gone when it returns, whatever the result.
WipeOutcome WipeFreeSpace(const std::string& root, const std::function<bool(const WipeProgress&)>& progress);
// Removes the wipe folder that an ended process left at root: only the files the wipe makes go,
// then the folder when it is empty. True when none is left.
bool RemoveWipeLeftovers(const std::string& root);
// RemoveWipeLeftovers on every local fixed or removable drive.
void RemoveAllWipeLeftovers();
// RemoveAllWipeLeftovers on a thread of its own, for the start of the program: the window need
// not wait until every drive has answered. A wipe started meanwhile waits until it is done.
void StartRemovingWipeLeftovers();
// Cancels every running wipe of the process and waits (up to timeoutMs) until they have
// removed their files: for exit and the end of the session.
void CancelRunningWipes(DWORD timeoutMs = 10000);
