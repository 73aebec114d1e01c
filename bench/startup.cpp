// Start-up time seen from outside: starts a program, waits until its main window is visible
// with the wash item list filled, closes it, and prints the fastest and the median run in seconds.
//   bench_startup.exe <exe> <runs>            the main window (class "TFormMainVRNT")
//   bench_startup.exe self <runs>             a minimal Win32 window, for reference
//   bench_startup.exe listview <runs>         a bare window with one list view of one row, for reference
//   bench_startup.exe template <exe> <runs>   the program's own main window template made by the system's
//                                             dialog manager, with the program's common controls, its
//                                             first list given one row, and nothing else: the least a
//                                             window of the same controls costs
//   bench_startup.exe wash <exe> <log>        a start-up wash: program start to the closed log
// The child is started with the same arguments plus "window" when measuring the reference.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Pumps the window's messages until it is closed or hidden.
int RunUntilClosed(HWND w) {
    MSG msg;
    while (IsWindow(w) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message == WM_CLOSE || !IsWindowVisible(w)) break;
    }
    return 0;
}

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

int MinimalWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchMinimalWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowA(wc.lpszClassName, "minimal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                           nullptr, nullptr, wc.hInstance, nullptr);
    return RunUntilClosed(w);
}

// A bare window with one report-mode list view holding one row: the least a window showing a
// filled list costs.
int ListViewWindow() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "BenchListWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowA(wc.lpszClassName, "list view", WS_OVERLAPPEDWINDOW, 0, 0, 566, 421, nullptr, nullptr,
                           wc.hInstance, nullptr);
    HWND list = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 8, 8, 300, 360, w,
                              nullptr, wc.hInstance, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 280;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("row");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ShowWindow(w, SW_SHOWNORMAL);
    return RunUntilClosed(w);
}

INT_PTR CALLBACK BareDialog(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The main window's template (id 1000) out of exe, under exe's manifest (the common controls of
// version 6, as the program has them).
int TemplateWindow(const char* exe) {
    ACTCTXA context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe;
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE actCtx = CreateActCtxA(&context);
    ULONG_PTR cookie = 0;
    if (actCtx != INVALID_HANDLE_VALUE) ActivateActCtx(actCtx, &cookie);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE resources = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS;  // the template names it from another module
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TFormMainVRNT";
    RegisterClassA(&wc);
    HWND w = CreateDialogParamA(resources, MAKEINTRESOURCEA(1000), nullptr, BareDialog, 0);
    if (!w) return 1;
    HWND list = FindWindowExA(w, nullptr, WC_LISTVIEWA, nullptr);
    SendMessageA(list, LVM_SETITEMCOUNT, 1, 0);
    ShowWindow(w, SW_SHOWNORMAL);
    return RunUntilClosed(w);
}

struct Search {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindTop(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64];
    GetClassNameA(w, cls, sizeof(cls));
    if (pid == s->pid && IsWindowVisible(w) && !strcmp(cls, s->cls)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindList(HWND w, LPARAM p) {
    char cls[64];
    GetClassNameA(w, cls, sizeof(cls));
    if (!strcmp(cls, WC_LISTVIEWA)) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;  // the wash item list comes first in the template
    }
    return TRUE;
}

// Seconds from CreateProcess to the visible window (with a filled list when wantList).
double RunOnce(const std::string& commandLine, const char* cls, bool wantList) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    double start = Now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    double seen = -1;
    while (seen < 0 && Now() - start < 60) {
        Search s{pi.dwProcessId, cls, nullptr};
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            HWND list = nullptr;
            if (wantList) EnumChildWindows(s.found, FindList, reinterpret_cast<LPARAM>(&list));
            if (!wantList || (list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0)) {
                seen = Now() - start;
                PostMessageA(s.found, WM_CLOSE, 0, 0);
                break;
            }
        }
        Sleep(1);
    }
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seen;
}

// True when the file ends with the closing line of a log block.
bool LogClosed(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char tail[10] = {};
    DWORD got = 0;
    LARGE_INTEGER size{};
    bool closed = GetFileSizeEx(file, &size) && size.QuadPart >= 10 &&
                  SetFilePointer(file, -10, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                  ReadFile(file, tail, 10, &got, nullptr) && got == 10 && !memcmp(tail, "</table>\r\n", 10);
    CloseHandle(file);
    return closed;
}

// A start-up wash seen from outside: from starting the program until its log's block is closed
// (the last row written); then the program is closed. Prints the seconds.
int StartupWash(const std::string& exe, const std::string& log) {
    DeleteFileA(log.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    double start = Now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    double done = -1;
    while (done < 0 && Now() - start < 600) {
        if (LogClosed(log)) done = Now() - start;
        else Sleep(5);
    }
    Search s{pi.dwProcessId, "TFormMainVRNT", nullptr};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
    if (s.found) PostMessageA(s.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (done < 0) return 1;
    std::printf("%.4f\n", done);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && !strcmp(argv[1], "window")) return MinimalWindow();
    if (argc == 2 && !strcmp(argv[1], "listwindow")) return ListViewWindow();
    if (argc == 4 && !strcmp(argv[1], "wash")) return StartupWash(argv[2], argv[3]);
    if (argc == 3 && !strcmp(argv[1], "templatewindow")) return TemplateWindow(argv[2]);
    const bool bareTemplate = argc == 4 && !strcmp(argv[1], "template");
    if (bareTemplate) {
        argv[1] = argv[2];
        argv[2] = argv[3];
        argc = 3;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_startup <exe>|self|listview|template <exe> <runs>\n");
        return 2;
    }
    std::string target = argv[1];
    const bool self = target == "self", listView = target == "listview";
    char me[MAX_PATH];
    GetModuleFileNameA(nullptr, me, MAX_PATH);
    std::string command = bareTemplate ? "\"" + std::string(me) + "\" templatewindow \"" + target + "\""
                          : self       ? "\"" + std::string(me) + "\" window"
                          : listView ? "\"" + std::string(me) + "\" listwindow"
                                     : "\"" + target + "\"";
    const char* cls = self ? "BenchMinimalWindow" : listView ? "BenchListWindow" : "TFormMainVRNT";
    std::vector<double> times;
    for (int i = 0; i < std::atoi(argv[2]); ++i) {
        double t = RunOnce(command, cls, !self);
        if (t < 0) {
            std::fprintf(stderr, "no window from %s\n", command.c_str());
            return 1;
        }
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    // The fastest run and the median: on a shared machine the fastest is the steadier figure.
    std::printf("%.4f %.4f\n", times.front(), times[times.size() / 2]);
    return 0;
}
