// Wiping the free space of a volume with files of zeros, then the file table with small files.
#include "engine/FreeSpaceWiper.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/WideText.h"

// RemoveWipeLeftovers without asking whether a wipe runs.
static bool RemoveLeftoverFiles(const std::string& root);

namespace {

constexpr DWORD FillChunkSize = 1024 * 1024;
// Below the 4 GiB limit of FAT32, so every file system takes a whole fill file.
constexpr ULONGLONG MaxFillFileBytes = 4095ULL * 1024 * 1024;
// Resident data of an NTFS file record: a small file of this size covers what a deleted one held.
constexpr DWORD SmallFileBytes = 700;
constexpr int MaxSmallFiles = 2000000;
// The first small files stay open, delete-on-close like the fill files: they go with their handle,
// however the process ends, without a deletion by name. The rest are closed and deleted by name.
constexpr size_t MaxHeldSmallFiles = 1024;

std::atomic<int> RunningWipes{0};
std::atomic<bool> CancelAll{false};
// The thread StartRemovingWipeLeftovers began, if any.
std::atomic<HANDLE> LeftoverRemoval{nullptr};

DWORD WINAPI RemoveLeftoversThread(void*) {
    RemoveAllWipeLeftovers();
    return 0;
}

// A wipe must not meet the removal of leftovers in its own folder.
void WaitForLeftoverRemoval() {
    if (HANDLE thread = LeftoverRemoval.load()) WaitForSingleObject(thread, INFINITE);
}

struct RunningWipe {
    RunningWipe() { ++RunningWipes; }
    ~RunningWipe() { --RunningWipes; }
};

std::wstring WipeFolder(const std::string& root) { return Widen(root) + Widen(WipeFolderName); }

std::wstring NumberedName(const wchar_t* prefix, int number) {
    wchar_t name[32];
    swprintf(name, 32, L"%ls%07d.tmp", prefix, number);
    return name;
}

std::string ErrorText(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = text ? Narrow(text) : FormatText(IDS_SystemErrorCode, error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

// "fill0000123.tmp" or "s0000123.tmp": the names NumberedName gives.
bool IsWipeFileName(const std::wstring& name) {
    size_t digits = name.rfind(L"fill", 0) == 0 ? 4 : name.rfind(L"s", 0) == 0 ? 1 : 0;
    if (!digits || name.size() != digits + 11 || name.compare(digits + 7, 4, L".tmp") != 0) return false;
    for (size_t i = digits; i < digits + 7; ++i)
        if (name[i] < L'0' || name[i] > L'9') return false;
    return true;
}

std::string WipeMutexName(const std::string& root) { return std::string("Local\\Varnolt.Wipe.") + root[0]; }

bool IsDiskFull(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

// The files of one wipe; the destructor removes every one of them and the folder.
class WipeFiles {
public:
    explicit WipeFiles(std::wstring folder) : folder_(std::move(folder)) {}
    ~WipeFiles() { Remove(); }
    WipeFiles(const WipeFiles&) = delete;
    WipeFiles& operator=(const WipeFiles&) = delete;

    bool CreateFolder() { return made_ = CreateDirectoryW(folder_.c_str(), nullptr) != FALSE; }
    const std::wstring& Folder() const { return folder_; }
    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    HANDLE NewFillFile() {
        HANDLE file = CreateFileW(Path(NumberedName(L"fill", static_cast<int>(fill_.size()))).c_str(), GENERIC_WRITE,
                                  0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file != INVALID_HANDLE_VALUE) fill_.push_back(file);
        return file;
    }
    bool FlushFillFiles() const {
        for (HANDLE file : fill_)
            if (!FlushFileBuffers(file)) return false;
        return true;
    }
    // Makes the next small file; false when the volume refuses it.
    bool NewSmallFile(const char* zeros) {
        const bool hold = heldSmall_.size() < MaxHeldSmallFiles && heldSmall_.size() == static_cast<size_t>(small_);
        HANDLE file = CreateFileW(Path(NumberedName(L"s", small_)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | (hold ? FILE_FLAG_DELETE_ON_CLOSE : 0), nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        ++small_;
        DWORD written = 0;
        if (WriteFile(file, zeros, SmallFileBytes, &written, nullptr) && written) FlushFileBuffers(file);
        if (hold) heldSmall_.push_back(file);
        else CloseHandle(file);
        return true;
    }
    int SmallFiles() const { return small_; }

    void Remove() {
        for (HANDLE file : heldSmall_) CloseHandle(file);
        for (int i = static_cast<int>(heldSmall_.size()); i < small_; ++i)
            DeleteFileW(Path(NumberedName(L"s", i)).c_str());
        heldSmall_.clear();
        small_ = 0;
        for (HANDLE file : fill_) CloseHandle(file);
        fill_.clear();
        if (made_) RemoveDirectoryW(folder_.c_str());
        made_ = false;
    }

private:
    std::wstring folder_;
    std::vector<HANDLE> fill_;
    std::vector<HANDLE> heldSmall_;  // small files 0 .. size()-1
    int small_ = 0;
    bool made_ = false;
};

struct ZeroBuffer {
    ZeroBuffer() : data(static_cast<char*>(VirtualAlloc(nullptr, FillChunkSize, MEM_COMMIT, PAGE_READWRITE))) {}
    ~ZeroBuffer() {
        if (data) VirtualFree(data, 0, MEM_RELEASE);
    }
    char* data;
};

class ProgressReport {
public:
    explicit ProgressReport(const std::function<bool(const WipeProgress&)>& call) : call_(call) {}
    // False when the wipe is to stop.
    bool Tell(const WipeProgress& progress) { return !CancelAll && (!call_ || call_(progress)); }

private:
    const std::function<bool(const WipeProgress&)>& call_;
};

// Fills the free space with zeros; Done when the volume is full.
WipeResult FillFreeSpace(WipeFiles& files, WipeProgress& progress, ProgressReport& report, std::string& error) {
    ZeroBuffer zeros;
    if (!zeros.data) {
        error = ErrorText(GetLastError());
        return WipeResult::Failed;
    }
    DWORD chunk = FillChunkSize;
    HANDLE file = INVALID_HANDLE_VALUE;
    ULONGLONG inFile = 0;
    for (;;) {
        if (!report.Tell(progress)) return WipeResult::Cancelled;
        if (file == INVALID_HANDLE_VALUE || inFile + chunk > MaxFillFileBytes) {
            file = files.NewFillFile();
            inFile = 0;
            if (file == INVALID_HANDLE_VALUE) {
                DWORD code = GetLastError();
                if (IsDiskFull(code)) return WipeResult::Done;
                error = FormatText(IDS_PathError, Narrow(files.Folder()), ErrorText(code));
                return WipeResult::Failed;
            }
        }
        DWORD written = 0;
        if (WriteFile(file, zeros.data, chunk, &written, nullptr) && written > 0) {
            progress.Written += written;
            inFile += written;
            continue;
        }
        DWORD code = GetLastError();
        if (IsDiskFull(code) || (written == 0 && code == ERROR_SUCCESS)) {
            // The last clusters take smaller writes; a single byte refused means the volume is full.
            if (chunk == 1) return WipeResult::Done;
            chunk /= 2;
        } else if (code == ERROR_FILE_TOO_LARGE && inFile > 0) {
            file = INVALID_HANDLE_VALUE;
        } else {
            error = FormatText(IDS_PathError, Narrow(files.Folder()), ErrorText(code));
            return WipeResult::Failed;
        }
    }
}

}  // namespace

std::string VolumeRoot(const std::string& text) {
    std::string drive = text;
    if (drive.size() == 3 && (drive[2] == '\\' || drive[2] == '/')) drive.pop_back();
    if (drive.size() == 2 && drive[1] == ':') drive.pop_back();
    if (drive.size() != 1) return {};
    char letter = drive[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z') return {};
    return std::string(1, letter) + ":\\";
}

std::string WipeRefusal(const std::string& root) {
    UINT type = GetDriveTypeW(Widen(root).c_str());
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) return FormatText(IDS_WipeNoDrive, root.substr(0, 2));
    if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE && type != DRIVE_RAMDISK)
        return FormatText(IDS_WipeNotLocal, root.substr(0, 2));
    ULARGE_INTEGER free;
    UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    bool ready = GetDiskFreeSpaceExW(Widen(root).c_str(), &free, nullptr, nullptr) != FALSE;
    SetErrorMode(mode);
    if (!ready) return FormatText(IDS_WipeNotReady, root.substr(0, 2));
    return {};
}

WipeOutcome WipeFreeSpace(const std::string& root, const std::function<bool(const WipeProgress&)>& progress) {
    RunningWipe running;
    WaitForLeftoverRemoval();
    WipeOutcome outcome;
    outcome.Error = WipeRefusal(root);
    if (!outcome.Error.empty()) return outcome;
    // One wipe per volume: a second would take the first one's folder for a leftover.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, WipeMutexName(root).c_str());
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex) CloseHandle(mutex);
        outcome.Error = FormatText(IDS_WipeRunning, root.substr(0, 2));
        return outcome;
    }
    std::unique_ptr<void, decltype(&CloseHandle)> mutexHolder(mutex, &CloseHandle);
    if (!RemoveLeftoverFiles(root)) {
        outcome.Error = FormatText(IDS_WipeFolderNotOurs, Narrow(WipeFolder(root)));
        return outcome;
    }
    WipeProgress state;
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(Widen(root).c_str(), &available, nullptr, nullptr)) {
        outcome.Error = FormatText(IDS_PathError, root, ErrorText(GetLastError()));
        return outcome;
    }
    state.Total = available.QuadPart;
    WipeFiles files(WipeFolder(root));
    if (!files.CreateFolder()) {
        outcome.Error = FormatText(IDS_PathError, Narrow(files.Folder()), ErrorText(GetLastError()));
        return outcome;
    }
    ProgressReport report(progress);
    outcome.Result = FillFreeSpace(files, state, report, outcome.Error);
    if (outcome.Result == WipeResult::Done && !files.FlushFillFiles()) {
        outcome.Error = FormatText(IDS_PathError, Narrow(files.Folder()), ErrorText(GetLastError()));
        outcome.Result = WipeResult::Failed;
    }
    if (outcome.Result == WipeResult::Done) {
        state.FillingTable = true;
        std::vector<char> zeros(SmallFileBytes, 0);
        while (state.SmallFiles < MaxSmallFiles && files.NewSmallFile(zeros.data())) {
            state.SmallFiles = files.SmallFiles();
            if (!report.Tell(state)) {
                outcome.Result = WipeResult::Cancelled;
                break;
            }
        }
    }
    outcome.Written = state.Written;
    outcome.SmallFiles = files.SmallFiles();
    files.Remove();
    if (outcome.Result == WipeResult::Done && progress) progress(state);
    return outcome;
}

bool RemoveWipeLeftovers(const std::string& root) {
    // A wipe of this volume running in another process owns the folder.
    HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, WipeMutexName(root).c_str());
    if (running) {
        CloseHandle(running);
        return false;
    }
    return RemoveLeftoverFiles(root);
}

static bool RemoveLeftoverFiles(const std::string& root) {
    std::wstring folder = WipeFolder(root);
    UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD attrs = GetFileAttributesW(folder.c_str());
    SetErrorMode(mode);
    if (attrs == INVALID_FILE_ATTRIBUTES) return true;
    // A file, or a link, of that name is not ours to touch.
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY) || (attrs & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            bool ours = !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
                        IsWipeFileName(data.cFileName);
            if (ours) DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return RemoveDirectoryW(folder.c_str()) || GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void RemoveAllWipeLeftovers() {
    // Every letter is asked: a drive mapped a moment ago may be missing from GetLogicalDrives.
    for (int i = 0; i < 26; ++i) {
        std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
        UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_RAMDISK) RemoveWipeLeftovers(root);
    }
}

void StartRemovingWipeLeftovers() {
    if (LeftoverRemoval.load()) return;
    HANDLE thread = CreateThread(nullptr, 0, RemoveLeftoversThread, nullptr, 0, nullptr);
    if (thread) LeftoverRemoval = thread;
    else RemoveAllWipeLeftovers();
}

void CancelRunningWipes(DWORD timeoutMs) {
    CancelAll = true;
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (RunningWipes > 0 && GetTickCount64() < end) Sleep(10);
    CancelAll = false;
}
