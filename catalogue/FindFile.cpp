#include "catalogue/FindFile.h"

#include <cstring>

#include "platform/Text.h"

namespace {
bool IsDotName(const char* name) { return name[0] == '.'; }

bool IsEnterableFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Closes a directory listing when it goes out of scope.
class FindHandle {
public:
    FindHandle(const char* pattern, WIN32_FIND_DATAA& data)
        : handle_(FindFirstFileExA(pattern, FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0)) {}
    ~FindHandle() {
        if (Valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != 0; }

private:
    HANDLE handle_;
};

std::string AbsolutePath(const std::string& path) {
    char buffer[MAX_PATH];
    DWORD n = path.empty() ? GetCurrentDirectoryA(MAX_PATH, buffer)
                           : GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH) return path;
    return std::string(buffer, n);
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

}  // namespace

void TFindFile::SetFilename(const std::string& value) {
    if (!ExtractFilePath(value).empty())
        throw EFindFileError(value + "\n\rInvalid filename specified");
    filename_ = value;
}

void TFindFile::SetLocation(const std::string& value) {
    if (value.find_first_of("*?") != std::string::npos)
        throw EFindFileError(value + "\n\rlocation cannot to be contained wildcards");
    location_ = value;
}

std::vector<std::string> TFindFile::MakeTargets() const {
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

void TFindFile::Execute() {
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

void TFindFile::SearchTarget(const std::string& target) {
    std::string folder = ExtractFilePath(target);
    if (folder.empty()) return;
    std::string mask = target.substr(folder.size());
    path_ = WithBackslash(AbsolutePath(folder));
    wholeFolder_ = IsWholeFolderMask(mask.c_str());
    subfolders_.clear();
    Scan(mask.c_str());
}

bool TFindFile::Accepts(const WIN32_FIND_DATAA& entry) const {
    const DWORD a = entry.dwFileAttributes;
    TFileAttributes mapped = 0;
    if (a & FILE_ATTRIBUTE_ARCHIVE) mapped |= ffArchive;
    if (a & FILE_ATTRIBUTE_READONLY) mapped |= ffReadonly;
    if (a & FILE_ATTRIBUTE_HIDDEN) mapped |= ffHidden;
    if (a & FILE_ATTRIBUTE_SYSTEM) mapped |= ffSystem;
    if (a & FILE_ATTRIBUTE_DIRECTORY) mapped |= ffDirectory;
    bool passes = ExactAttribute ? mapped == Attributes : mapped == 0 || (mapped & Attributes) != 0;
    return passes && !Excluded(entry.cFileName);
}

bool TFindFile::Excluded(const char* name) const {
    for (const auto& mask : masks_)
        if (mask.Matches(path_.data(), path_.size(), name)) return true;
    return false;
}

void TFindFile::Report(const WIN32_FIND_DATAA& entry) {
    if (OnFound) OnFound(*this, folder_, entry);
}

void TFindFile::Scan(const char* mask) {
    const size_t base = path_.size();
    // The reported folder drops the final "\" except for a drive root such as C:\.
    bool driveRoot = base == 3 && path_[1] == ':';
    folder_.assign(path_, 0, driveRoot ? base : base - 1);

    WIN32_FIND_DATAA data;
    if (wholeFolder_ && Subfolders) {
        // One listing serves both the matches and the descent; subfolder names wait on a stack.
        const size_t first = subfolders_.size();
        path_ += '*';
        {
            FindHandle find(path_.c_str(), data);
            path_.resize(base);
            for (bool more = find.Valid(); more && !aborted_; more = find.Next(data)) {
                if (IsDotName(data.cFileName)) continue;
                if (Accepts(data)) Report(data);
                if (IsEnterableFolder(data.dwFileAttributes)) {
                    subfolders_.append(data.cFileName);
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
        FindHandle find(path_.c_str(), data);
        path_.resize(base);
        for (bool more = find.Valid(); more && !aborted_; more = find.Next(data))
            if (!IsDotName(data.cFileName) && Accepts(data)) Report(data);
    }
    if (!Subfolders || aborted_) return;
    path_ += "*";
    FindHandle find(path_.c_str(), data);
    path_.resize(base);
    for (bool more = find.Valid(); more && !aborted_; more = find.Next(data)) {
        if (IsDotName(data.cFileName) || !IsEnterableFolder(data.dwFileAttributes)) continue;
        path_ += data.cFileName;
        path_ += '\\';
        Scan(mask);
        path_.resize(base);
    }
}
