// What Explorer shows of varnolt.exe: its version resource and its icon at every size.
#include <gtest/gtest.h>

#include <windows.h>

#include "resources/icons.h"
#include "tests/support/Program.h"

namespace {
using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

// Width of the image stored in an RT_ICON resource: a BITMAPINFOHEADER, or a PNG (256 px).
int StoredIconWidth(HMODULE module, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */);
    if (!found) return 0;
    auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    if (!data || SizeofResource(module, found) < 24) return 0;
    if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G')
        return data[16] << 24 | data[17] << 16 | data[18] << 8 | data[19];
    return reinterpret_cast<const BITMAPINFOHEADER*>(data)->biWidth;
}
}  // namespace

TEST(ProgramResources, VersionNamesTheProductAndTheIconHasEverySize) {
    std::string exe = StagedProgramDir() + "varnolt.exe";
    HMODULE version = LoadLibraryA("version.dll");
    ASSERT_NE(version, nullptr);
    auto size = reinterpret_cast<SizeFunction>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoSizeA")));
    auto info = reinterpret_cast<InfoFunction>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoA")));
    auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(GetProcAddress(version, "VerQueryValueA")));
    DWORD handle = 0, bytes = size(exe.c_str(), &handle);
    ASSERT_GT(bytes, 0u);
    std::string block(bytes, '\0');
    ASSERT_TRUE(info(exe.c_str(), 0, bytes, block.data()));
    auto text = [&](const char* name) {
        char* value = nullptr;
        UINT length = 0;
        std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
        return query(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value ? std::string(value)
                                                                                                   : std::string();
    };
    EXPECT_EQ(text("ProductName"), "Varnolt");
    EXPECT_EQ(text("ProductVersion"), "1.02");
    EXPECT_EQ(text("OriginalFilename"), "varnolt.exe");
    EXPECT_FALSE(text("FileDescription").empty());
    FreeLibrary(version);

    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(ICO_APP), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<PBYTE>(LockResource(LoadResource(module, group)));
    // Each size has an image of its own, not one scaled by the system.
    for (int px : {16, 24, 32, 48, 256}) {
        int id = LookupIconIdFromDirectoryEx(directory, TRUE, px, px, LR_DEFAULTCOLOR);
        EXPECT_EQ(StoredIconWidth(module, id), px);
    }
    FreeLibrary(module);
}
