#include "tests/support/BrowserFixtures.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Profile.h"
#include "platform/WideText.h"
#include "tests/support/Json.h"
#include "tests/support/TempDir.h"

namespace {

std::string WithBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

std::string Backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Every folder of path, from the drive down.
bool MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryW(WidePath(path.substr(0, at)).c_str(), nullptr);
    CreateDirectoryW(WidePath(path).c_str(), nullptr);
    return GetFileAttributesW(WidePath(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY;
}

JsonValue Object() {
    JsonValue value;
    value.kind = JsonValue::Kind::Object;
    return value;
}

JsonValue Text(const std::string& text) {
    JsonValue value;
    value.kind = JsonValue::Kind::String;
    value.text = text;
    return value;
}

JsonValue ReadJsonFile(const std::string& path) {
    JsonValue value;
    std::string error;
    if (!ParseJson(ReadTextFile(path), value, error)) ADD_FAILURE() << path << ": " << error;
    return value;
}

bool CopyAll(const std::string& from, const std::string& to) {
    DWORD attributes = GetFileAttributesW(WidePath(from).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        size_t slash = to.find_last_of('\\');
        if (slash != std::string::npos) MakeFolders(to.substr(0, slash));
        return CopyFileW(WidePath(from).c_str(), WidePath(to).c_str(), FALSE);
    }
    if (!MakeFolders(to)) return false;
    bool copied = true;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(WithBackslash(from) + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        std::string name = Narrow(data.cFileName, wcslen(data.cFileName));
        if (name == "." || name == "..") continue;
        copied = CopyAll(WithBackslash(from) + name, WithBackslash(to) + name) && copied;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return copied;
}

}  // namespace

std::string FixtureFile(const std::string& relative) {
    return Backslashed("Z:" VARNOLT_FIXTURE_DIR "/" + relative);
}

bool SeedFixture(const std::string& relative, const std::string& to) {
    std::string target = to;
    if (!target.empty() && target.back() == '\\') target.pop_back();
    return CopyAll(FixtureFile(relative), target);
}

void SeedChromiumProfile(const std::string& userDataDir, const std::string& profileFolder,
                         const std::string& profileName) {
    std::string dir = WithBackslash(userDataDir);
    if (!SeedFixture("chromium/Default", dir + profileFolder))
        ADD_FAILURE() << "could not copy the Chromium fixture to " << dir + profileFolder;

    JsonValue fixture = ReadJsonFile(FixtureFile("chromium/Local State"));
    std::string statePath = dir + "Local State";
    JsonValue state = fixture;
    if (FileExists(statePath)) state = ReadJsonFile(statePath);
    else state.members["profile"].members.erase("info_cache");
    JsonValue& profile = state.members["profile"];
    if (profile.kind != JsonValue::Kind::Object) profile = Object();
    JsonValue& cache = profile.members["info_cache"];
    if (cache.kind != JsonValue::Kind::Object) cache = Object();

    JsonValue entry = fixture["profile"]["info_cache"]["Default"];
    if (entry.kind != JsonValue::Kind::Object) entry = Object();
    entry.members["name"] = Text(profileName);
    entry.members["is_using_default_name"].kind = JsonValue::Kind::Bool;
    entry.members["is_using_default_name"].boolean = false;
    cache.members[profileFolder] = entry;

    // The order of the profile menu: every cached profile once.
    JsonValue order;
    order.kind = JsonValue::Kind::Array;
    for (const auto& [name, unused] : cache.members) order.items.push_back(Text(name));
    profile.members["profiles_order"] = order;
    WriteTextFile(statePath, WriteJson(state));
}

void SeedFirefoxProfile(const std::string& profilesIni, const std::string& profileFolder, bool relative) {
    std::string folder = profileFolder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (!SeedFixture("firefox", folder)) ADD_FAILURE() << "could not copy the Firefox fixture to " << folder;

    std::string iniFolder = profilesIni.substr(0, profilesIni.find_last_of('\\') + 1);
    std::string path = folder;
    if (relative) {
        if (_strnicmp(folder.c_str(), iniFolder.c_str(), iniFolder.size()) != 0) {
            ADD_FAILURE() << folder << " is not below " << iniFolder;
            return;
        }
        path = folder.substr(iniFolder.size());
        for (char& c : path)
            if (c == '\\') c = '/';
    }
    MakeFolders(iniFolder.substr(0, iniFolder.size() - 1));
    ProfileFile ini(profilesIni);
    if (!ini.SectionExists("General")) {
        ini.WriteInteger("General", "StartWithLastProfile", 1);
        ini.WriteInteger("General", "Version", 2);
    }
    int n = 0;
    while (ini.SectionExists("Profile" + std::to_string(n))) ++n;
    std::string section = "Profile" + std::to_string(n);
    std::string leaf = folder.substr(folder.find_last_of('\\') + 1);
    size_t dot = leaf.find('.');
    ini.WriteString(section, "Name", dot == std::string::npos ? leaf : leaf.substr(dot + 1));
    ini.WriteInteger(section, "IsRelative", relative ? 1 : 0);
    ini.WriteString(section, "Path", path);
    if (n == 0) ini.WriteInteger(section, "Default", 1);
}

bool FileHasBytes(const std::string& path, const std::string& text) {
    return ReadTextFile(path).find(text) != std::string::npos;
}
