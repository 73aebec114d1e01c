#pragma once
// The steps of a secure delete on a file opened for writing and deletion (FileWasher.cpp's
// SecureDeleteFile runs them in this order, then deletes the file): overwrite the content and
// every alternate data stream, then hide the size and the name.
#include <windows.h>

#include <string>

// Writes whole chunks of OverwriteChunkSize bytes from offset 0 until the old end of the file
// is covered. A write that fails or writes nothing gives false.
bool OverwriteOpenFile(HANDLE file, const char* chunk);
// Overwrites each alternate data stream of the open file (path names it) and empties it. True
// when there is none, or the file system has none.
bool OverwriteFileStreams(HANDLE file, const std::string& path, const char* chunk);
// Flushes what was written to the disk, truncates the file to 0 bytes and renames it to a random
// name of the same length and extension in the same folder; newPath receives the new name's full path.
bool EmptyAndRenameFile(HANDLE file, const std::string& path, std::string& newPath);
// A random name of length characters (letters and digits, never a device name).
std::wstring RandomFileName(size_t length);
