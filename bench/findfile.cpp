// Expands one folder/file entry ("*.*" with subfolders) the way a wash does and prints the
// number of files. Usage: bench_findfile.exe <program folder> <tree folder>
// The program folder holds the wildcard.ini whose exclusion list applies.
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/WashItem.h"
#include "settings/AppPaths.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_findfile <program folder> <tree folder>\n");
        return 2;
    }
    SetProgramDir(argv[1]);
    std::string tree = argv[2];
    if (!tree.empty() && tree.back() != '\\') tree += '\\';

    FolderEntry entry;
    entry.Category = CategoryFolderMask;
    entry.FolderMask = tree + "*.*";
    entry.IncludeSubfolders = true;
    std::vector<std::string> files;
    entry.ListFiles(files);
    std::printf("%u files\n", static_cast<unsigned>(files.size()));
    return files.empty() ? 1 : 0;
}
