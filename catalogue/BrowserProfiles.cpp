#include "catalogue/BrowserProfiles.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <tuple>

#include "catalogue/BrowserProfileText.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
// Larger files are no settings file of a browser.
constexpr size_t MaxLocalState = 32u << 20;
constexpr size_t MaxProfilesIni = 1u << 20;

bool IsPlainFolder(const std::string& path) {
    const DWORD attributes = NativeFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = NativeFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The whole file; false when it can't be read or is larger than limit.
bool ReadSmallFile(const std::string& path, size_t limit, std::string& bytes) {
    NativeFileSystem native;
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= limit;
    std::string content;
    if (read) {
        content.resize(static_cast<size_t>(size.QuadPart));
        DWORD done = 0;
        size_t at = 0;
        while (read && at < content.size()) {
            read = ReadFile(file, content.data() + at, static_cast<DWORD>(content.size() - at), &done, nullptr) && done;
            at += done;
        }
    }
    CloseHandle(file);
    if (read) bytes.swap(content);
    return read;
}

std::string ShellFolder(REFKNOWNFOLDERID id) {
    PWSTR found = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found)) && found && found[0])
        path = Narrow(found, wcslen(found));
    CoTaskMemFree(found);
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// A name that stays one folder below its parent, spelled as the system keeps it (a final blank
// or dot would name the same folder twice).
bool IsPlainName(const std::string& name) {
    if (name.empty() || name.back() == ' ' || name.back() == '.') return false;
    for (unsigned char c : name)
        if (c < ' ' || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    return true;
}

// A relative path of plain names: it stays below the folder it is taken from.
bool IsPlainRelativePath(const std::string& path) {
    size_t start = 0;
    while (true) {
        const size_t end = path.find('\\', start);
        if (!IsPlainName(path.substr(start, end == std::string::npos ? std::string::npos : end - start))) return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

// "C:\folder..." or "\\server\share\folder...", below its root and without "." or "..".
bool IsPlainAbsolutePath(const std::string& path) {
    std::string rest;
    if (path.size() > 3 && path[1] == ':' && path[2] == '\\' && isalpha(static_cast<unsigned char>(path[0])))
        rest = path.substr(3);
    else if (path.size() > 2 && path.compare(0, 2, "\\\\") == 0) rest = path.substr(2);
    else return false;
    return IsPlainRelativePath(rest);
}

// Sorts "Default" first, then "Profile <n>" by n, then the other names.
std::tuple<int, size_t, std::string> OrderKey(const std::string& name) {
    if (SameText(name, "Default")) return {0, 0, {}};
    const std::string prefix = "PROFILE ";
    const std::string upper = UpperCase(name);
    if (upper.size() > prefix.size() && upper.compare(0, prefix.size(), prefix) == 0 &&
        upper.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
        std::string number = upper.substr(prefix.size());
        number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
        return {1, number.size(), number};
    }
    return {2, 0, upper};
}

const char* ChromiumUserData(BrowserKind browser) {
    switch (browser) {
        case BrowserKind::Chrome:
            return "Google\\Chrome\\User Data";
        case BrowserKind::Edge:
            return "Microsoft\\Edge\\User Data";
        case BrowserKind::Brave:
            return "BraveSoftware\\Brave-Browser\\User Data";
        case BrowserKind::Chromium:
            return "Chromium\\User Data";
        default:
            return nullptr;
    }
}
}  // namespace

std::string BrowserName(BrowserKind browser) {
    switch (browser) {
        case BrowserKind::Chrome:
            return "Chrome";
        case BrowserKind::Edge:
            return "Edge";
        case BrowserKind::Brave:
            return "Brave";
        case BrowserKind::Chromium:
            return "Chromium";
        case BrowserKind::Firefox:
            return "Firefox";
    }
    return {};
}

std::string BrowserProfile::Label() const {
    const std::string head = BrowserName(Browser) + " \xE2\x80\x94 ";
    if (Browser == BrowserKind::Firefox) return head + (Name.empty() ? FolderName : Name);
    if (Name.empty() || Name == FolderName) return head + FolderName;
    return head + Name + " (" + FolderName + ")";
}

std::vector<BrowserProfile> FindChromiumProfiles(BrowserKind browser, const std::string& userData) {
    std::vector<BrowserProfile> profiles;
    if (!IsPlainFolder(userData)) return profiles;
    auto add = [&](const std::string& folderName, const std::string& name) {
        if (!IsPlainName(folderName) || SameText(folderName, "System Profile")) return;
        for (auto& profile : profiles)
            if (SameText(profile.FolderName, folderName)) return;
        const std::string folder = userData + "\\" + folderName;
        if (!IsPlainFolder(folder)) return;
        BrowserProfile profile;
        profile.Browser = browser;
        profile.Folder = profile.LocalFolder = folder;
        profile.FolderName = folderName;
        profile.Name = name;
        profile.LockFile = userData + "\\lockfile";
        profiles.push_back(std::move(profile));
    };
    std::string localState;
    std::vector<LocalStateProfile> named;
    if (ReadSmallFile(userData + "\\Local State", MaxLocalState, localState)) ReadLocalStateProfiles(localState, named);
    for (const auto& profile : named) add(profile.Folder, profile.Name);

    WIN32_FIND_DATAW data;
    HANDLE find = NativeFindFirstFile(userData + "\\*", data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            const std::string name = Narrow(data.cFileName, wcslen(data.cFileName));
            if (IsPlainName(name) && IsFile(userData + "\\" + name + "\\Preferences")) add(name, {});
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    std::stable_sort(profiles.begin(), profiles.end(), [](const BrowserProfile& a, const BrowserProfile& b) {
        return OrderKey(a.FolderName) < OrderKey(b.FolderName);
    });
    return profiles;
}

std::vector<BrowserProfile> FindFirefoxProfiles(const std::string& roamingRoot, const std::string& localRoot) {
    std::vector<BrowserProfile> profiles;
    std::string ini;
    if (!ReadSmallFile(roamingRoot + "\\profiles.ini", MaxProfilesIni, ini)) return profiles;
    for (const auto& entry : ReadProfilesIni(ini)) {
        std::string path = entry.Path;
        std::replace(path.begin(), path.end(), '/', '\\');
        while (path.size() > 1 && path.back() == '\\') path.pop_back();
        BrowserProfile profile;
        profile.Browser = BrowserKind::Firefox;
        if (entry.IsRelative) {
            if (!IsPlainRelativePath(path)) continue;
            profile.Folder = roamingRoot + "\\" + path;
            profile.LocalFolder = localRoot + "\\" + path;
        } else {
            if (!IsPlainAbsolutePath(path)) continue;
            profile.Folder = profile.LocalFolder = path;
        }
        if (!IsPlainFolder(profile.Folder)) continue;
        if (std::any_of(profiles.begin(), profiles.end(),
                        [&](const BrowserProfile& known) { return SameText(known.Folder, profile.Folder); }))
            continue;
        profile.FolderName = ExtractFileName(profile.Folder);
        profile.Name = entry.Name;
        profile.LockFile = profile.Folder + "\\parent.lock";
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

std::vector<BrowserProfile> FindBrowserProfiles(BrowserKind browser) {
    if (browser == BrowserKind::Firefox) {
        const std::string roaming = ShellFolder(FOLDERID_RoamingAppData), local = ShellFolder(FOLDERID_LocalAppData);
        if (roaming.empty() || local.empty()) return {};
        return FindFirefoxProfiles(roaming + "\\Mozilla\\Firefox", local + "\\Mozilla\\Firefox");
    }
    const char* userData = ChromiumUserData(browser);
    const std::string local = ShellFolder(FOLDERID_LocalAppData);
    if (!userData || local.empty()) return {};
    return FindChromiumProfiles(browser, local + "\\" + userData);
}

std::vector<BrowserProfile> FindAllBrowserProfiles() {
    std::vector<BrowserProfile> all;
    for (BrowserKind browser :
         {BrowserKind::Chrome, BrowserKind::Edge, BrowserKind::Brave, BrowserKind::Chromium, BrowserKind::Firefox}) {
        std::vector<BrowserProfile> profiles = FindBrowserProfiles(browser);
        all.insert(all.end(), profiles.begin(), profiles.end());
    }
    return all;
}
