// A stand-in for a running program that holds a file: opens the file named on its command line
// without sharing, shows a top-level window, and ends when that window is closed.
#include <windows.h>
#include <shellapi.h>

namespace {
LRESULT CALLBACK HolderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 2) return 2;
    HANDLE file = CreateFileW(args[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HolderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VarnoltTestHolder";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"holder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                    instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    CloseHandle(file);
    return 0;
}
