// Runs the cleaning engine the way a wash does, for the benchmark scripts.
//   bench_wash.exe quick  <program folder> <tree folder>   expand "*.*" with subfolders, quick delete
//   bench_wash.exe secure <program folder> <tree folder>   the same with secure delete
//   bench_wash.exe log    <program folder> <rows>          write a log block of that many rows
//   bench_wash.exe lines  <source file> <target file>      copy a text file with one checked
//                                                          write per line (an unbuffered log)
// Prints what it did; the exit code is 0 only when every file went or every row was written.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/WashItem.h"
#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"

namespace {

int WashTree(const std::string& folder, bool quick) {
    std::string tree = folder;
    if (!tree.empty() && tree.back() != '\\') tree += '\\';
    FolderEntry entry;
    entry.Category = CategoryFolderMask;
    entry.FolderMask = tree + "*.*";
    entry.IncludeSubfolders = true;
    std::vector<std::string> files;
    entry.ListFiles(files);
    CheckListModel list;
    list.Reserve(files.size());
    for (const auto& file : files) list.Add(file, true);
    int success = 0, fail = 0;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    WashFileList(list, quick, false, {}, success, fail);
    QueryPerformanceCounter(&end);
    std::printf("%u files, %d deleted, %d failed; washing took %.3f s\n", static_cast<unsigned>(files.size()), success,
                fail, static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    return fail == 0 && success == static_cast<int>(files.size()) ? 0 : 1;
}

int WriteLog(int rows) {
    DeleteFileA(LogFilePath().c_str());
    OpenWashLog();
    std::string folder = "C:\\Documents and Settings\\user\\Local Settings\\Temporary Internet Files\\";
    for (int i = 0; i < rows; ++i) {
        std::string item = folder + "d" + std::to_string(i / 5000) + "\\s" + std::to_string(i / 100 % 50) +
                           "\\file" + std::to_string(i % 100) + ".tmp";
        switch (i % 4) {
            case 0: WriteWashLogRow(WashRowKind::FolderFile, true, true, item, ""); break;
            case 1: WriteWashLogRow(WashRowKind::FolderFile, false, false, item, "File Locked"); break;
            case 2: WriteWashLogRow(WashRowKind::RegistryEntry, false, true, "HKEY_CURRENT_USER\\Software\\" + item, ""); break;
            default: WriteWashLogRow(WashRowKind::FolderFile, true, true, item + " & <more>", ""); break;
        }
    }
    CloseWashLog();
    std::printf("%d rows\n", rows);
    return 0;
}

int CopyLines(const std::string& source, const std::string& target) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) return 1;
    HANDLE out = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        std::fclose(in);
        return 1;
    }
    char line[4096];
    int lines = 0;
    bool ok = true;
    while (ok && std::fgets(line, sizeof(line), in)) {
        DWORD size = static_cast<DWORD>(std::strlen(line)), written = 0;
        ok = WriteFile(out, line, size, &written, nullptr) && written == size;
        ++lines;
    }
    CloseHandle(out);
    std::fclose(in);
    std::printf("%d lines\n", lines);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_wash quick|secure|log|lines <folder or file> <tree folder|rows|file>\n");
        return 2;
    }
    std::string mode = argv[1];
    if (mode == "lines") return CopyLines(argv[2], argv[3]);
    SetProgramDir(argv[2]);
    try {
        if (mode == "quick" || mode == "secure") return WashTree(argv[3], mode == "quick");
        if (mode == "log") return WriteLog(std::atoi(argv[3]));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
