// Holds a hidden window so that Wine keeps its desktop process alive between tests. A file
// named on the command line is made once the window (and with it the desktop process) exists.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    HWND window = CreateWindowExA(0, "STATIC", "varnolt-test-keeper", 0, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    std::string ready = commandLine ? commandLine : "";
    if (ready.size() >= 2 && ready.front() == '"' && ready.back() == '"') ready = ready.substr(1, ready.size() - 2);
    if (!ready.empty()) {
        HANDLE file = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
