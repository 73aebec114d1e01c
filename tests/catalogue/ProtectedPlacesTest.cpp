// Which places no supplied item, plug-in, winapp2.ini key or shred may reach, by path text.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "catalogue/ProtectedPlaces.h"
#include "platform/WideText.h"

namespace {
std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR found = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found)) && found) path = Narrow(found);
    CoTaskMemFree(found);
    return path;
}

std::string WindowsFolder() {
    wchar_t path[MAX_PATH];
    return Narrow(path, GetWindowsDirectoryW(path, MAX_PATH));
}

std::string Lower(std::string text) {
    for (auto& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

TEST(ProtectedPlaces, ByPathText) {
    const std::string windows = WindowsFolder(), profile = KnownFolder(FOLDERID_Profile);
    const std::string users = KnownFolder(FOLDERID_UserProfiles);
    const std::string chrome = "C:\\Data\\Google\\Chrome\\User Data\\", firefox = "C:\\Data\\Firefox\\Profiles\\p.default\\";
    const DWORD folder = FILE_ATTRIBUTE_DIRECTORY, file = FILE_ATTRIBUTE_ARCHIVE;
    const struct {
        std::string path;
        DWORD attributes;
        bool protectedPlace;
    } rows[] = {
        {"C:\\", folder, true},
        {"D:", folder, true},
        {"\\\\server\\share", folder, true},
        {windows, folder, true},
        {Lower(windows) + "\\", folder, true},
        {windows + "\\System32\\kernel32.dll", file, true},
        {windows + "\\Installer\\1a2b.msi", file, true},
        {windows + "\\Temp", folder, true},
        {windows + "\\Temp\\setup.log", file, false},
        {windows + "\\temp\\sub\\x.tmp", file, false},
        {windows + "\\Prefetch\\APP.EXE-1234.pf", file, false},
        {windows + "\\Minidump\\1.dmp", file, false},
        {windows + "\\MEMORY.DMP", file, false},
        {windows + "\\SoftwareDistribution\\Download\\abc\\update.cab", file, false},
        {windows + "\\SoftwareDistribution\\DataStore\\DataStore.edb", file, true},
        {windows + "\\LiveKernelReports\\x.dmp", file, false},
        {windows + "\\TempSetup\\x.tmp", file, true},
        {KnownFolder(FOLDERID_ProgramFiles), folder, true},
        {KnownFolder(FOLDERID_ProgramFiles) + "\\App\\app.exe", file, false},
        {profile, folder, true},
        {users + "\\someone", folder, true},
        {users + "\\someone\\notes.txt", file, false},
        {KnownFolder(FOLDERID_Documents), folder, true},
        {KnownFolder(FOLDERID_Documents) + "\\letter.txt", file, true},
        {KnownFolder(FOLDERID_Desktop) + "\\Old\\notes.txt", file, true},
        {KnownFolder(FOLDERID_Desktop), folder, true},
        {KnownFolder(FOLDERID_Downloads), folder, true},
        {KnownFolder(FOLDERID_Pictures), folder, true},
        {KnownFolder(FOLDERID_Music), folder, true},
        {KnownFolder(FOLDERID_Videos), folder, true},
        {chrome + "Local State", file, true},
        {chrome + "Default\\Bookmarks", file, true},
        {chrome + "Profile 1\\Login Data", file, true},
        {chrome + "Default\\Secure Preferences", file, true},
        {chrome + "Default\\Extensions\\abc\\1.0\\manifest.json", file, true},
        {chrome + "Default\\Cache\\Cache_Data\\data_0", file, false},
        {chrome + "Default\\History", file, false},
        {"C:\\Data\\Bookmarks", file, false},
        {firefox + "logins.json", file, true},
        {firefox + "key4.db", file, true},
        {firefox + "places.sqlite", file, true},
        {firefox + "prefs.js", file, true},
        {firefox + "cache2\\entries\\ABC", file, false},
        {"C:\\Data\\prefs.js", file, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsProtectedPlace(row.path, row.attributes), row.protectedPlace) << row.path;
}

TEST(ProtectedPlaces, RegistryRows) {
    const std::string run = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
    const std::string exts = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
    const std::string session = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\";
    const struct {
        std::string key;
        const char* value;  // nullptr: a key row
        bool protectedPlace;
    } rows[] = {
        {session, "PendingFileRenameOperations", true},
        {session, nullptr, true},
        {"HKLM\\SYSTEM\\CurrentControlSet\\", nullptr, true},
        {"HKLM\\SYSTEM\\CurrentControlSet\\Services\\Example\\", nullptr, false},
        {run, "OtherProgram", true},
        {run, "Varnolt", false},
        {run, nullptr, true},
        {"HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\", "Setup", true},
        {"HKEY_USERS\\S-1-5-21-1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\", "Other", true},
        {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\", nullptr, true},
        {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\\", nullptr, false},
        {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\\", "MRUListEx", false},
        {exts + ".txt\\UserChoice\\", "ProgId", true},
        {exts + ".txt\\UserChoice\\", nullptr, true},
        {exts + ".txt\\", nullptr, true},
        {exts + ".txt\\OpenWithList\\", nullptr, false},
        {exts + ".txt\\OpenWithList\\", "a", false},
        {"HKCU\\Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice\\", "Hash", true},
        {"HKCR\\.txt\\", nullptr, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsProtectedRegistryPlace(row.key, row.value ? row.value : "", !row.value), row.protectedPlace)
            << row.key << (row.value ? row.value : "");
}
