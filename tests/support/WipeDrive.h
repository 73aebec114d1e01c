#pragma once
// The small scratch volume that tests/e2e/wipe-volume.sh mounts and maps to a drive letter
// (VARNOLT_WIPE_DRIVE, such as "W:"), as "W:\"; empty when the test runs without one. Tests that
// wipe free space use this drive only: never a drive of the machine.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

inline std::string WipeTestDrive() {
    const char* drive = std::getenv("VARNOLT_WIPE_DRIVE");
    if (!drive || std::strlen(drive) != 2 || drive[1] != ':') return {};
    return std::string(drive) + "\\";
}

inline ULONGLONG FreeBytesOf(const std::string& root) {
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExA(root.c_str(), &free, nullptr, nullptr);
    return free.QuadPart;
}

#define REQUIRE_WIPE_DRIVE(root)                                                                       \
    const std::string root = WipeTestDrive();                                                          \
    if (root.empty()) GTEST_SKIP() << "runs in the test wipe, on a loop-mounted volume (VARNOLT_WIPE_DRIVE)"
