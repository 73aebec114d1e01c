// Time from creating the main window over a program directory until it is shown and painted:
// the catalogue loaded from its files (winapp2.ini among them when the folder holds one) and
// the lists filled. Prints the time in milliseconds and the number of wash item rows.
// Usage: bench_windowstartup.exe <program directory with a final "\">
#include <windows.h>

#include <cstdio>

#include "app/MainWindow.h"
#include "settings/AppPaths.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: bench_windowstartup <program directory>\n");
        return 2;
    }
    SetProgramDir(argv[1]);
    RegisterFormClass(MainWindowClass, nullptr);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int rows = 0;
    {
        MainWindow form;
        form.QuitOnDestroy = false;
        if (!form.CreateModeless(nullptr)) return 1;
        ShowWindow(form.Handle(), SW_SHOWNORMAL);
        UpdateWindow(form.Handle());
        QueryPerformanceCounter(&end);
        rows = form.ItemList.Count();
    }
    printf("%.1f ms %d rows\n", 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart, rows);
    return 0;
}
