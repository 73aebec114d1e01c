// The least a wash costs through the system: a bare program that lists a tree (FindFirstFileExW,
// basic information, large fetch) and calls DeleteFileW on every file, with nothing else (no
// list kept for the user, no log), from one or more threads. Timed from outside as a new process
// it is the floor of a start-up wash; its own time covers the deletions alone. With "guarded", each
// file is deleted the least way that never goes through a link Wine follows by itself: the name
// opened as itself, the name of the file the system opened asked for once and compared, the file
// marked for deletion, closed (four calls where DeleteFileW makes two).
//   bench_deletefloor.exe <tree folder> <threads> [guarded]
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

using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
QueryObject queryObject;

bool GuardedDelete(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    struct Name {
        USHORT Length, MaximumLength;
        wchar_t* Buffer;
    };
    alignas(Name) char buffer[sizeof(Name) + 2048];
    ULONG needed = 0;
    const auto* name = reinterpret_cast<const Name*>(buffer);
    // Under Wine "\??\" and the path; a link followed names its target.
    bool same = queryObject(file, 1, buffer, sizeof(buffer), &needed) == 0 && name->Length / 2 == path.size() + 4 &&
                _wcsnicmp(name->Buffer + 4, path.c_str(), path.size()) == 0;
    FILE_DISPOSITION_INFO disposition{TRUE};
    same = same && SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition));
    return CloseHandle(file) && same;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: bench_deletefloor <tree> <threads> [guarded]\n");
        return 2;
    }
    wchar_t tree[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, tree, MAX_PATH);
    const bool guarded = argc == 4 && std::string(argv[3]) == "guarded";
    queryObject = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
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
                if (guarded ? GuardedDelete(files[i]) : DeleteFileW(files[i].c_str()) != FALSE) ++deleted;
        });
    for (auto& thread : pool) thread.join();
    QueryPerformanceCounter(&end);
    std::printf("%d %.3f\n", deleted.load(),
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return deleted == static_cast<int>(files.size()) ? 0 : 1;
}
