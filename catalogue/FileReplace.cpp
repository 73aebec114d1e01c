#include "catalogue/FileReplace.h"

#include <windows.h>

#include <vector>

#include "catalogue/CatalogueTexts.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/StoredText.h"
#include "platform/WideText.h"

namespace {
// A fresh name for every copy: the profile functions cache files by name and write time, so a
// reused name could show them the content of an earlier copy.
std::string CopyPathFor(const std::string& path) {
    static unsigned counter = 0;
    return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
           std::to_string(++counter) + ".tmp";
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// Copies the bytes; the copy gets a write time of its own.
bool CopyContent(const std::string& from, const std::string& to) {
    Handle source(CreateFileW(WidePath(from).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.valid()) return false;
    Handle target(CreateFileW(WidePath(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.valid()) return false;
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
        if (got == 0) return true;
        DWORD put = 0;
        if (!WriteFile(target.get(), buffer.data(), got, &put, nullptr) || put != got) return false;
    }
}

class RemoveOnExit {
public:
    explicit RemoveOnExit(std::string path) : path_(std::move(path)) {}
    ~RemoveOnExit() {
        SetFileAttributesW(WidePath(path_).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(WidePath(path_).c_str());
    }
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;

private:
    std::string path_;
};
}  // namespace

void RewriteThroughCopy(const std::string& path, const std::function<void(const std::string& copyPath)>& write,
                        OldText oldText) {
    const std::string refusal = FormatText(IDS_UnableToWriteTo, path);
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) throw AppError(refusal);
    const bool keepOld = exists && oldText == OldText::Kept;
    if (keepOld) {
        const std::string problem = PrepareStoredText(path);
        if (!problem.empty()) throw AppError(FormatText(IDS_StoredFileKept, path, problem));
    }

    std::string copy = CopyPathFor(path);
    RemoveOnExit cleanup(copy);
    if (keepOld && !CopyContent(path, copy)) throw AppError(refusal);
    try {
        write(copy);
    } catch (const AppError&) {
        throw AppError(refusal);
    }
    if (GetFileAttributesW(WidePath(copy).c_str()) == INVALID_FILE_ATTRIBUTES) return;  // nothing was written
    if (!MoveFileExW(WidePath(copy).c_str(), WidePath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw AppError(refusal);
}
