// varnolt.exe /shred PATH...: Explorer's "Shred with Varnolt". The files are shown in a preview
// and destroyed by secure delete only after the user's "&Wash". Explorer starts one process per
// selected item: the first one collects the paths of the others (WM_COPYDATA to its collector
// window) before it shows the preview, and takes late ones into the open preview.
#include <windows.h>

#include <string>
#include <vector>

#include "app/AppTexts.h"
#include "app/CommandLine.h"
#include "dialogs/PreviewFilesDialog.h"
#include "engine/ShredTargets.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

namespace {

const wchar_t* const CollectorClass = L"VarnoltShredCollector";
const char* const CollectorMutex = "Local\\Varnolt.Shred";
// How long the first process waits for the paths of the others after the last one arrived.
constexpr DWORD GatherQuietMs = 400;
constexpr DWORD GatherLongestMs = 4000;
// Posted before the preview opens: its loop then gives it the verb's name as its caption.
constexpr UINT CaptionMessage = WM_APP + 1;

struct Collector {
    std::vector<std::string> Paths;
    // The rows shown: a late path adds only what is not there yet.
    ShredRows Shown;
    ULONGLONG LastArrival = 0;
    // Set while the preview is open: late paths go straight into it.
    PreviewFilesDialog* Dialog = nullptr;
};

void TakeLatePaths(Collector& collector, std::vector<std::string>&& paths) {
    if (!collector.Dialog) {
        for (auto& path : paths) collector.Paths.push_back(std::move(path));
        return;
    }
    ShredRows& rows = collector.Shown;
    for (const auto& refusal : CollectShredRows(paths, rows)) ShowRefusal(collector.Dialog->Handle(), refusal);
    CheckList& list = collector.Dialog->FileList;
    list.BeginUpdate();
    list.Model().AddRows(std::move(rows.Rows), true, &rows.Spaces);
    list.EndUpdate();
    rows.Rows.clear();
    rows.Spaces.clear();
}

LRESULT CALLBACK CollectorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto* collector = reinterpret_cast<Collector*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!collector || data->dwData != 1) return FALSE;
        std::wstring text(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        std::vector<std::string> paths;
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find(L'\0', start);
            if (end == std::wstring::npos) end = text.size();
            if (end > start) paths.push_back(Narrow(text.substr(start, end - start)));
            start = end + 1;
        }
        collector->LastArrival = GetTickCount64();
        TakeLatePaths(*collector, std::move(paths));
        return TRUE;
    }
    if (msg == CaptionMessage) {
        auto* collector = reinterpret_cast<Collector*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (collector && collector->Dialog && collector->Dialog->Handle())
            SetWindowTextW(collector->Dialog->Handle(), Widen(Text(IDS_ShredCaption)).c_str());
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Hands the paths to the process that collects them; false when there is none.
bool SendToCollector(const std::vector<std::wstring>& paths) {
    HWND collector = nullptr;
    for (ULONGLONG end = GetTickCount64() + 3000; !collector && GetTickCount64() < end; Sleep(20))
        collector = FindWindowExW(HWND_MESSAGE, nullptr, CollectorClass, nullptr);
    if (!collector) return false;
    std::wstring text;
    for (const auto& path : paths) text += path + L'\0';
    COPYDATASTRUCT data{1, static_cast<DWORD>(text.size() * sizeof(wchar_t)), text.data()};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(collector, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &answer) &&
           answer;
}

HWND CreateCollector(Collector& collector) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CollectorProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = CollectorClass;
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, CollectorClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&collector));
    return window;
}

void GatherPaths(Collector& collector) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        ULONGLONG now = GetTickCount64();
        if (now - collector.LastArrival >= GatherQuietMs || now - start >= GatherLongestMs) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

}  // namespace

int RunShredCommand(const std::vector<std::wstring>& paths) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, CollectorMutex);
    bool first = mutex && GetLastError() != ERROR_ALREADY_EXISTS;
    if (!first && SendToCollector(paths)) {
        CloseHandle(mutex);
        return ExitWashed;
    }
    Collector collector;
    for (const auto& path : paths) collector.Paths.push_back(Narrow(path));
    collector.LastArrival = GetTickCount64();
    HWND window = CreateCollector(collector);
    GatherPaths(collector);

    PreviewFilesDialog dialog;
    ShredRows& rows = collector.Shown;
    for (const auto& refusal : CollectShredRows(collector.Paths, rows)) ShowRefusal(nullptr, refusal);
    int code = ExitFailed;
    if (!rows.Rows.empty()) {
        OptionsRecord options;
        ReadOptionsAtStartup(SettingsFilePath(), options);
        options.QuickDelete = false;  // shredding is secure delete, whatever the setting
        int fails = -1;
        dialog.Context.Options = &options;
        dialog.Context.ShowFileCounts = [&](int, int failed) { fails = failed; };
        AppendRows(dialog.FileList, std::move(rows.Rows), &rows.Spaces);
        rows.Rows.clear();
        rows.Spaces.clear();
        dialog.OnSelectAll();
        collector.Dialog = &dialog;
        if (window) PostMessageW(window, CaptionMessage, 0, 0);
        dialog.ShowModal(nullptr);
        collector.Dialog = nullptr;
        if (fails > 0)
            ShowRefusal(nullptr, FormatText(fails == 1 ? IDS_FileNotShredded : IDS_FilesNotShredded, fails));
        code = fails == 0 ? ExitWashed : ExitFailed;
    }
    if (window) DestroyWindow(window);
    if (mutex) CloseHandle(mutex);
    return code;
}
