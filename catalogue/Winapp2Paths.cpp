// Variables, wildcard folders and unsafe targets of winapp2.ini paths.
#include "catalogue/Winapp2Paths.h"

#include <windows.h>
#include <shlobj.h>

#include <cctype>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/RootKeys.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

std::string Environment(const char* name) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableW(Widen(name).c_str(), buffer, MAX_PATH * 4);
    if (n == 0 || n >= MAX_PATH * 4) return {};
    return Narrow(buffer, n);
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The shell folder, unless the environment's profile has one of that name (a test profile).
std::string UserFolder(const char* subfolder, int csidl) {
    std::string profile = Environment("USERPROFILE");
    if (!profile.empty()) {
        std::string candidate = WithoutTrailingBackslash(profile) + "\\" + subfolder;
        DWORD attrs = NativeFileAttributes(candidate);
        if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK) return Narrow(path, wcslen(path));
    return {};
}

// Both program folders on a 64-bit system, the one folder otherwise.
std::vector<std::string> ProgramFolders(const char* native, const char* x86, const char* plain) {
    std::vector<std::string> folders;
    std::string first = Environment(native);
    std::string second = Environment(x86);
    if (first.empty()) first = Environment(plain);
    if (!first.empty()) folders.push_back(first);
    if (!second.empty() && !SameText(second, first)) folders.push_back(second);
    return folders;
}

std::vector<std::string> VariableValues(const std::string& name) {
    auto one = [](const std::string& value) {
        return value.empty() ? std::vector<std::string>{} : std::vector<std::string>{value};
    };
    if (SameText(name, "AppData")) return one(Environment("APPDATA"));
    if (SameText(name, "LocalAppData")) return one(Environment("LOCALAPPDATA"));
    if (SameText(name, "UserProfile")) return one(Environment("USERPROFILE"));
    if (SameText(name, "ProgramFiles")) return ProgramFolders("ProgramW6432", "ProgramFiles(x86)", "ProgramFiles");
    if (SameText(name, "CommonProgramFiles"))
        return ProgramFolders("CommonProgramW6432", "CommonProgramFiles(x86)", "CommonProgramFiles");
    if (SameText(name, "ProgramData") || SameText(name, "CommonAppData")) {
        std::string data = Environment("ProgramData");
        return one(data.empty() ? Environment("ALLUSERSPROFILE") : data);
    }
    if (SameText(name, "Public")) return one(Environment("PUBLIC"));
    if (SameText(name, "SystemDrive")) return one(Environment("SystemDrive"));
    if (SameText(name, "WinDir")) {
        std::string windows = Environment("windir");
        return one(windows.empty() ? Environment("SystemRoot") : windows);
    }
    if (SameText(name, "LocalLowAppData")) {
        std::string profile = Environment("USERPROFILE");
        return one(profile.empty() ? profile : WithoutTrailingBackslash(profile) + "\\AppData\\LocalLow");
    }
    if (SameText(name, "Documents")) return one(UserFolder("Documents", CSIDL_PERSONAL));
    if (SameText(name, "Music")) return one(UserFolder("Music", CSIDL_MYMUSIC));
    if (SameText(name, "Pictures")) return one(UserFolder("Pictures", CSIDL_MYPICTURES));
    if (SameText(name, "Video")) return one(UserFolder("Videos", CSIDL_MYVIDEO));
    return {};
}

bool IsFolder(DWORD attrs) {
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> SplitParts(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The length of the root part: "C:\" (3) or "\\server\share\" ; 0 when the path is not absolute.
size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path.rfind("\\\\", 0) == 0) {
        size_t server = path.find('\\', 2);
        if (server == std::string::npos || server == 2) return 0;
        size_t share = path.find('\\', server + 1);
        if (share == server + 1) return 0;
        return share == std::string::npos ? path.size() : share + 1;
    }
    return 0;
}

}  // namespace

std::vector<std::string> ExpandWinapp2Variables(const std::string& text, Winapp2VariableCache* cache) {
    std::vector<std::string> results{""};
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('%', pos);
        if (open == std::string::npos) {
            for (auto& r : results) r += text.substr(pos);
            break;
        }
        size_t close = text.find('%', open + 1);
        if (close == std::string::npos) return {};
        for (auto& r : results) r += text.substr(pos, open - pos);
        std::string name = text.substr(open + 1, close - open - 1);
        std::vector<std::string> values;
        if (cache) {
            auto known = cache->find(UpperCase(name));
            if (known == cache->end()) known = cache->emplace(UpperCase(name), VariableValues(name)).first;
            values = known->second;
        } else {
            values = VariableValues(name);
        }
        if (values.empty()) return {};
        std::vector<std::string> next;
        for (const auto& r : results)
            for (const auto& v : values) next.push_back(r + WithoutTrailingBackslash(v));
        results.swap(next);
        pos = close + 1;
    }
    return results;
}

bool WildcardMatch(const std::string& name, const std::string& mask) {
    size_t n = 0, m = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return toupper(static_cast<unsigned char>(a)) == toupper(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && same(mask[m], name[n])))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            star = m++;
            mark = n;
        } else if (star != std::string::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    // "*.*" matches a name without a dot, as the system's file search does.
    if (m + 2 == mask.size() && mask.compare(m, 2, ".*") == 0) return true;
    return m == mask.size();
}

bool HasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> MatchWildcardPath(const std::string& path, bool foldersOnly) {
    size_t root = RootLength(path);
    if (root == 0) return {};
    std::vector<std::string> parts = SplitParts(path.substr(root));
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
    std::vector<std::string> current{path.substr(0, root)};
    for (size_t i = 0; i < parts.size() && !current.empty(); ++i) {
        const bool last = i + 1 == parts.size();
        std::vector<std::string> next;
        for (const auto& base : current) {
            std::string prefix = base.back() == '\\' ? base : base + "\\";
            if (!HasWildcard(parts[i])) {
                std::string candidate = prefix + parts[i];
                DWORD attrs = NativeFileAttributes(candidate);
                if (attrs == INVALID_FILE_ATTRIBUTES) continue;
                if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) continue;
                if ((!last || foldersOnly) && !IsFolder(attrs)) continue;
                next.push_back(candidate);
                continue;
            }
            WIN32_FIND_DATAW data;
            HANDLE find = NativeFindFirstFile(prefix + "*", data);
            if (find == INVALID_HANDLE_VALUE) continue;
            do {
                if (data.cFileName[0] == L'.') continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
                bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                if ((!last || foldersOnly) && !folder) continue;
                const std::string name = Narrow(data.cFileName, wcslen(data.cFileName));
                if (WildcardMatch(name, parts[i])) next.push_back(prefix + name);
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        current.swap(next);
    }
    if (parts.empty() && !IsFolder(NativeFileAttributes(current[0]))) return {};
    return current;
}

std::string UnsafeFolderReason(const std::string& folder, bool subfolders) {
    size_t root = RootLength(folder);
    if (root == 0) return Text(IDS_UnsafeNotAbsolute);
    for (const auto& part : SplitParts(folder.substr(root)))
        if (part == "." || part == "..") return Text(IDS_UnsafeDots);
    // Parts that are wildcards alone sweep their whole parent.
    std::string fixed = WithoutTrailingBackslash(folder);
    while (fixed.size() > root) {
        size_t last = fixed.rfind('\\');
        std::string part = fixed.substr(last + 1);
        if (part.find_first_not_of("*?.") != std::string::npos) break;
        fixed = WithoutTrailingBackslash(fixed.substr(0, last + 1));
    }
    if (fixed.size() <= root) return Text(IDS_UnsafeDriveRoot);
    // The Windows and system folders hold the system's own files: never swept, not even
    // without their subfolders.
    wchar_t windows[MAX_PATH] = L"", system[MAX_PATH] = L"", system32on64[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    GetSystemWow64DirectoryW(system32on64, MAX_PATH);
    std::vector<std::string> guarded{Narrow(windows, wcslen(windows)), Narrow(system, wcslen(system))};
    if (system32on64[0]) guarded.push_back(Narrow(system32on64, wcslen(system32on64)));
    for (const auto& g : guarded)
        if (!g.empty() && SameText(WithoutTrailingBackslash(g), fixed))
            return Text(subfolders ? IDS_UnsafeSystemFolder : IDS_UnsafeWindowsFolder);
    if (!subfolders) return {};
    for (const char* name : {"ProgramFiles", "CommonProgramFiles", "UserProfile", "AppData", "LocalAppData",
                             "ProgramData", "Public", "Documents"})
        for (const auto& value : VariableValues(name)) guarded.push_back(value);
    std::string profile = Environment("USERPROFILE");
    if (!profile.empty()) guarded.push_back(ExtractFilePath(WithoutTrailingBackslash(profile)));
    for (const auto& g : guarded)
        if (!g.empty() && SameText(WithoutTrailingBackslash(g), fixed)) return Text(IDS_UnsafeSystemFolder);
    return {};
}

bool Winapp2RegistryKey(const std::string& text, std::string& fullName) {
    RegistryPath path = SplitRegistryPath(text);
    if (!path.root) return false;
    fullName = RootKeyFullName(path.root) + path.keyPath;
    return true;
}
