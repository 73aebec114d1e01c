#include "catalogue/ExclusionMask.h"

#include <cstring>

#include "platform/Text.h"

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Name part of the rule; the mask's name is already upper case.
bool MatchName(const char* pn, const std::string& xn) {
    size_t i = 0, j = 0;
    const size_t nLen = strlen(pn), xLen = xn.size();
    while (i < nLen && j < xLen) {
        char p = Upper(pn[i]);
        char x = xn[j];
        if (p == x || (p != '.' && x == '?')) {
            ++i;
            ++j;
        } else if (p == '.') {
            if (x == '?') {
                ++j;
            } else if (x == '*') {
                do ++j;
                while (j < xLen && xn[j] != '.');
            } else {
                return false;
            }
        } else if (x == '*') {
            ++i;
        } else {
            return false;
        }
    }
    while (j < xLen && (xn[j] == '*' || xn[j] == '?')) ++j;
    return i == nLen && j == xLen;
}

// Folder part of the rule: pf is the file's folder with its final "\".
bool MatchFolder(const char* pf, size_t pfLen, char drive, const std::string& xf) {
    if (drive && (pfLen == 0 || Upper(pf[0]) != drive)) return false;
    if (static_cast<long long>(xf.size()) > static_cast<long long>(pfLen) - 2) return false;
    const char* tail = pf + pfLen - xf.size();
    for (size_t k = 0; k < xf.size(); ++k)
        if (Upper(tail[k]) != xf[k]) return false;
    return true;
}
}  // namespace

bool IsWholeFolderMask(const char* mask) { return !strcmp(mask, "*") || !strcmp(mask, "*.*"); }

ExclusionMask::ExclusionMask(const std::string& text) {
    std::string upper = UpperCase(text);
    auto slash = upper.rfind('\\');
    hasFolder_ = slash != std::string::npos;
    name_ = hasFolder_ ? upper.substr(slash + 1) : upper;
    // "*" and "*.*" mean every file, names with and without an extension alike.
    if (IsWholeFolderMask(name_.c_str())) name_.clear();
    if (!hasFolder_) return;
    folder_ = upper.substr(0, slash + 1);
    if (folder_.size() >= 2 && folder_[1] == ':') {
        if (folder_[0] != '*' && folder_[0] != '?') drive_ = folder_[0];
        folder_.erase(0, 2);
    }
}

bool ExclusionMask::Matches(const char* folder, size_t folderLength, const char* name) const {
    if (hasFolder_ && !MatchFolder(folder, folderLength, drive_, folder_)) return false;
    return name_.empty() || MatchName(name, name_);
}

bool MatchesExclusion(const std::string& path, const std::string& mask) {
    auto slash = path.rfind('\\');
    size_t folderLength = slash == std::string::npos ? 0 : slash + 1;
    return ExclusionMask(mask).Matches(path.c_str(), folderLength, path.c_str() + folderLength);
}
