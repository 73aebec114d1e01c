#pragma once
// Space on disk: a file's size rounded up to its volume's cluster, and how it is shown.
#include <cstdint>
#include <string>

// The cluster size of the volume that holds path, read once per volume; 0 when unknown.
uint64_t ClusterSizeOf(const std::string& path);
// What the disk gets back when a file of this size goes: whole clusters, 0 for an empty file.
// A cluster of 0 (unknown) gives the size itself.
uint64_t SpaceOnDisk(uint64_t size, uint64_t cluster);
// "0 bytes", "512 bytes", "4.0 KB", "1.4 MB", "2.0 GB" (units of 1024).
std::string FormatSpace(uint64_t bytes);
// A number with one decimal, in the decimal sign of the language in use: "60.6", "60,6".
std::string OneDecimal(double value);
