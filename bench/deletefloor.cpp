// The least a wash costs through the system: a bare program that lists a tree (FindFirstFileExW,
// basic information, large fetch) and calls DeleteFileW on every file, with nothing else (no
// list kept for the user, no log), from one or more threads. Timed from outside as a new process
// it is the floor of a start-up wash; its own time covers the deletions alone.
//   bench_deletefloor.exe <tree folder> <threads>
// Prints the files deleted and the seconds the deletions took.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

void ListFiles(const std::wstring& folder, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(folder + L"\\" + name, files);
        else files.push_back(folder + L"\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_deletefloor <tree> <threads>\n");
        return 2;
    }
    wchar_t tree[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, tree, MAX_PATH);
    std::vector<std::wstring> files;
    ListFiles(tree, files);
    const int threads = std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 1;
    std::atomic<size_t> next{0};
    std::atomic<int> deleted{0};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            for (size_t i; (i = next++) < files.size();)
                if (DeleteFileW(files[i].c_str())) ++deleted;
        });
    for (auto& thread : pool) thread.join();
    QueryPerformanceCounter(&end);
    std::printf("%d %.3f\n", deleted.load(),
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return deleted == static_cast<int>(files.size()) ? 0 : 1;
}
