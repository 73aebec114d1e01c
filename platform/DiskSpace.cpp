#include "platform/DiskSpace.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/PlatformTexts.h"
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
    if (bytes == 1) return Text(IDS_SpaceOneByte);
    if (bytes < 1024) return FormatText(IDS_SpaceBytes, std::to_string(bytes));
    const UINT units[] = {IDS_SpaceKB, IDS_SpaceMB, IDS_SpaceGB, IDS_SpaceTB};
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    return FormatText(units[unit], OneDecimal(value));
}

std::string OneDecimal(double value) {
    char number[32];
    std::snprintf(number, sizeof(number), "%.1f", value);
    // The decimal sign of the language in use ("12,5" in German).
    wchar_t sign[4];
    if (GetLocaleInfoW(MAKELCID(LanguageInUse(), SORT_DEFAULT), LOCALE_SDECIMAL, sign, 4) == 2 && sign[0] < 0x80)
        for (char& c : number)
            if (c == '.') c = static_cast<char>(sign[0]);
    return number;
}
