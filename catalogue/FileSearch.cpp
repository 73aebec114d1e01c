#include "catalogue/FileSearch.h"

#include <cstring>

#include "catalogue/CatalogueTexts.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
bool IsDotName(const wchar_t* name) { return name[0] == L'.'; }

bool IsEnterableFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Closes a directory listing when it goes out of scope.
class FindHandle {
public:
    // pattern: a UTF-8 folder path and mask; a long one is passed with the "\\?\" prefix.
    FindHandle(const std::string& pattern, WIN32_FIND_DATAW& data)
        : handle_(Open(pattern, data)) {}
    ~FindHandle() {
        if (Valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != 0; }

private:
    // The basic information (no short names) in large fetches, as Windows 7 and later give it;
    // the standard form where the system refuses them.
    static HANDLE Open(const std::string& pattern, WIN32_FIND_DATAW& data) {
        NativeFileSystem native;
        const std::wstring path = WidePath(pattern);
        HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
            find = FindFirstFileExW(path.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
        return find;
    }

    HANDLE handle_;
};

std::string AbsolutePath(const std::string& path) {
    std::wstring wide = Widen(path);
    DWORD size = path.empty() ? GetCurrentDirectoryW(0, nullptr) : GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring buffer(size, L'\0');
    DWORD n = path.empty() ? GetCurrentDirectoryW(size, buffer.data())
                           : GetFullPathNameW(wide.c_str(), size, buffer.data(), nullptr);
    if (n == 0 || n >= size) return path;
    buffer.resize(n);
    return Narrow(buffer);
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

}  // namespace

void FileSearch::SetFilename(const std::string& value) {
    if (!ExtractFilePath(value).empty())
        throw FileSearchError(FormatText(IDS_SearchInvalidFilename, value));
    filename_ = value;
}

void FileSearch::SetLocation(const std::string& value) {
    if (value.find_first_of("*?") != std::string::npos)
        throw FileSearchError(FormatText(IDS_SearchLocationWildcards, value));
    location_ = value;
}

std::vector<std::string> FileSearch::MakeTargets() const {
    if (!IncludeFiles.empty()) return IncludeFiles;
    std::string mask = filename_.empty() ? "*.*" : filename_;
    if (mask.find('.') == std::string::npos) mask += ".*";
    std::vector<std::string> targets;
    size_t start = 0;
    for (;;) {
        size_t end = location_.find(';', start);
        std::string part = location_.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string target = WithBackslash(AbsolutePath(part)) + mask;
        bool known = false;
        for (const auto& t : targets) known = known || SameText(t, target);
        if (!known) targets.push_back(target);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return targets;
}

void FileSearch::Execute() {
    if (busy_) return;
    busy_ = true;
    aborted_ = false;
    try {
        masks_.clear();
        for (const auto& text : ExcludeFiles) masks_.emplace_back(text);
        for (const auto& target : MakeTargets()) {
            SearchTarget(target);
            if (aborted_) break;
        }
    } catch (...) {
        aborted_ = true;
    }
    busy_ = false;
}

void FileSearch::SearchTarget(const std::string& target) {
    std::string folder = ExtractFilePath(target);
    if (folder.empty()) return;
    std::string mask = target.substr(folder.size());
    path_ = WithBackslash(AbsolutePath(folder));
    wholeFolder_ = IsWholeFolderMask(mask.c_str());
    subfolders_.clear();
    Scan(mask.c_str());
}

// The entry's name in UTF-8, into a buffer reused from entry to entry.
const std::string& FileSearch::EntryName(const WIN32_FIND_DATAW& entry) {
    const size_t length = wcsnlen(entry.cFileName, MAX_PATH);
    name_.resize(length * 3);
    int n = length ? WideCharToMultiByte(CP_UTF8, 0, entry.cFileName, static_cast<int>(length), name_.data(),
                                         static_cast<int>(name_.size()), nullptr, nullptr)
                   : 0;
    name_.resize(n > 0 ? n : 0);
    return name_;
}

bool FileSearch::Accepts(const WIN32_FIND_DATAW& entry) const {
    const DWORD a = entry.dwFileAttributes;
    FileAttributeSet mapped = 0;
    if (a & FILE_ATTRIBUTE_ARCHIVE) mapped |= AttrArchive;
    if (a & FILE_ATTRIBUTE_READONLY) mapped |= AttrReadOnly;
    if (a & FILE_ATTRIBUTE_HIDDEN) mapped |= AttrHidden;
    if (a & FILE_ATTRIBUTE_SYSTEM) mapped |= AttrSystem;
    if (a & FILE_ATTRIBUTE_DIRECTORY) mapped |= AttrDirectory;
    bool passes = ExactAttribute ? mapped == Attributes : mapped == 0 || (mapped & Attributes) != 0;
    return passes && !Excluded(name_.c_str());
}

bool FileSearch::Excluded(const char* name) const {
    for (const auto& mask : masks_)
        if (mask.Matches(path_.data(), path_.size(), name)) return true;
    return false;
}

void FileSearch::Report(const WIN32_FIND_DATAW& entry) {
    if (!OnFound) return;
    WIN32_FIND_DATAA found{};
    found.dwFileAttributes = entry.dwFileAttributes;
    found.ftCreationTime = entry.ftCreationTime;
    found.ftLastAccessTime = entry.ftLastAccessTime;
    found.ftLastWriteTime = entry.ftLastWriteTime;
    found.nFileSizeHigh = entry.nFileSizeHigh;
    found.nFileSizeLow = entry.nFileSizeLow;
    // A name too long for the fixed field is left empty there, never cut: FoundName has it.
    if (name_.size() < sizeof(found.cFileName)) memcpy(found.cFileName, name_.c_str(), name_.size() + 1);
    OnFound(*this, folder_, found);
}

void FileSearch::Scan(const char* mask) {
    const size_t base = path_.size();
    // The reported folder drops the final "\" except for a drive root such as C:\.
    bool driveRoot = base == 3 && path_[1] == ':';
    folder_.assign(path_, 0, driveRoot ? base : base - 1);

    WIN32_FIND_DATAW data;
    if (wholeFolder_ && Subfolders) {
        // One listing serves both the matches and the descent; subfolder names wait on a stack.
        const size_t first = subfolders_.size();
        path_ += '*';
        {
            FindHandle find(path_, data);
            path_.resize(base);
            for (bool more = find.Valid(); more && !aborted_; more = find.Next(data)) {
                if (IsDotName(data.cFileName)) continue;
                EntryName(data);
                if (Accepts(data)) Report(data);
                if (IsEnterableFolder(data.dwFileAttributes)) {
                    subfolders_.append(name_);
                    subfolders_ += '\0';
                }
            }
        }
        for (size_t at = first; at < subfolders_.size() && !aborted_;) {
            size_t len = strlen(subfolders_.c_str() + at);
            path_.append(subfolders_, at, len);
            path_ += '\\';
            Scan(mask);
            path_.resize(base);
            at += len + 1;
        }
        subfolders_.resize(first);
        return;
    }

    path_ += mask;
    {
        FindHandle find(path_, data);
        path_.resize(base);
        for (bool more = find.Valid(); more && !aborted_; more = find.Next(data)) {
            if (IsDotName(data.cFileName)) continue;
            EntryName(data);
            if (Accepts(data)) Report(data);
        }
    }
    if (!Subfolders || aborted_) return;
    path_ += "*";
    FindHandle find(path_, data);
    path_.resize(base);
    for (bool more = find.Valid(); more && !aborted_; more = find.Next(data)) {
        if (IsDotName(data.cFileName) || !IsEnterableFolder(data.dwFileAttributes)) continue;
        path_ += EntryName(data);
        path_ += '\\';
        Scan(mask);
        path_.resize(base);
    }
}
