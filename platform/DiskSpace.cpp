#include "platform/DiskSpace.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "platform/NativeFileSystem.h"
#include "platform/WideText.h"

uint64_t ClusterSizeOf(const std::string& path) {
    static std::mutex lock;
    static std::map<std::wstring, uint64_t> clusters;
    std::wstring wide = Widen(path);
    wchar_t root[MAX_PATH + 1];
    {
        NativeFileSystem native;
        if (!GetVolumePathNameW(wide.c_str(), root, MAX_PATH)) return 0;
    }
    CharUpperW(root);
    std::lock_guard<std::mutex> guard(lock);
    auto known = clusters.find(root);
    if (known != clusters.end()) return known->second;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    uint64_t cluster = 0;
    if (GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        cluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    clusters.emplace(root, cluster);
    return cluster;
}

uint64_t SpaceOnDisk(uint64_t size, uint64_t cluster) {
    if (cluster == 0) return size;
    return (size + cluster - 1) / cluster * cluster;
}

std::string FormatSpace(uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* units[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f %s", value, units[unit]);
    return text;
}
