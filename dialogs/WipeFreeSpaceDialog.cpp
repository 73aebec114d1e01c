#include "dialogs/WipeFreeSpaceDialog.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "dialogs/DialogTexts.h"
#include "dialogs/WipeFreeSpaceDialogRes.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/WideText.h"

namespace {

constexpr UINT ProgressMessage = WM_APP + 40;
constexpr UINT FinishedMessage = WM_APP + 41;
constexpr ULONGLONG ProgressIntervalMs = 100;
constexpr int ProgressSteps = 1000;

std::string Size(ULONGLONG bytes) {
    if (bytes >= 1024ULL * 1024 * 1024)
        return FormatText(IDS_Dlg_WipeSizeGB, OneDecimal(static_cast<double>(bytes) / (1024.0 * 1024 * 1024)));
    return FormatText(IDS_Dlg_WipeSizeMB, bytes / (1024 * 1024));
}

std::string TimeLeft(ULONGLONG seconds) {
    if (seconds < 60) return Text(IDS_Dlg_WipeLessThanMinute);
    if (seconds < 3600) return FormatText(IDS_Dlg_WipeMinutesLeft, (seconds + 59) / 60);
    return FormatText(IDS_Dlg_WipeHoursLeft, seconds / 3600, seconds % 3600 / 60);
}

}  // namespace

WipeFreeSpaceDialog::WipeFreeSpaceDialog() : Form(IDD_WipeFreeSpaceDialog) { HelpContext = 70; }

WipeFreeSpaceDialog::~WipeFreeSpaceDialog() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

std::vector<std::string> WipeFreeSpaceDialog::WipeableDrives() {
    std::vector<std::string> drives;
    for (int i = 0; i < 26; ++i) {
        std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
        if (WipeRefusal(root).empty()) drives.push_back(root);
    }
    return drives;
}

void WipeFreeSpaceDialog::FormCreate() {
    HWND combo = Control(IDC_Wipe_Drive);
    char system[MAX_PATH] = "C:\\";
    GetWindowsDirectoryA(system, MAX_PATH);
    std::string wanted = Drive.empty() ? std::string(system, 3) : Drive;
    roots_ = WipeableDrives();
    for (const auto& root : roots_) {
        ULARGE_INTEGER free{};
        GetDiskFreeSpaceExA(root.c_str(), &free, nullptr, nullptr);
        std::wstring row = Widen(FormatText(IDS_Dlg_WipeDriveRow, root, Size(free.QuadPart)));
        int index = static_cast<int>(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str())));
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, root.c_str(), -1, wanted.c_str(), -1) == CSTR_EQUAL)
            SendMessageA(combo, CB_SETCURSEL, index, 0);
    }
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) == CB_ERR) SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SendMessageA(Control(IDC_Wipe_Progress), PBM_SETRANGE32, 0, ProgressSteps);
    Outcome.Error.clear();
    OnClick(IDC_Wipe_Start, [this] { OnStart(); });
    OnClick(IDCANCEL, [this] { OnCancel(); });
}

void WipeFreeSpaceDialog::OnStart() {
    if (Running()) return;
    // The combo has no sort style: its rows are in the order of roots_.
    int chosen = static_cast<int>(SendMessageA(Control(IDC_Wipe_Drive), CB_GETCURSEL, 0, 0));
    Drive = chosen >= 0 && chosen < static_cast<int>(roots_.size()) ? roots_[chosen] : std::string();
    std::string refusal = VolumeRoot(Drive).empty() ? Text(IDS_Dlg_WipeChooseDrive) : WipeRefusal(Drive);
    if (!refusal.empty()) {
        ShowRefusal(Handle(), refusal);
        return;
    }
    cancel_ = false;
    written_ = 0;
    total_ = 0;
    smallFiles_ = 0;
    fillingTable_ = false;
    started_ = GetTickCount64();
    EnableControl(IDC_Wipe_Start, false);
    EnableControl(IDC_Wipe_Drive, false);
    SetControlText(IDCANCEL, Text(IDS_Dlg_WipeCancel));
    SetControlText(IDC_Wipe_Status, FormatText(IDS_Dlg_WipeWiping, Drive));
    SendMessageA(Control(IDC_Wipe_Progress), PBM_SETPOS, 0, 0);
    HWND window = Handle();
    std::string root = Drive;
    worker_ = std::thread([this, window, root] {
        ULONGLONG lastPost = 0;
        WipeOutcome outcome = WipeFreeSpace(root, [&](const WipeProgress& progress) {
            written_ = progress.Written;
            total_ = progress.Total;
            smallFiles_ = progress.SmallFiles;
            fillingTable_ = progress.FillingTable;
            ULONGLONG now = GetTickCount64();
            if (now - lastPost >= ProgressIntervalMs) {
                lastPost = now;
                PostMessageA(window, ProgressMessage, 0, 0);
            }
            return !cancel_;
        });
        Outcome = outcome;
        PostMessageA(window, FinishedMessage, 0, 0);
    });
}

void WipeFreeSpaceDialog::ShowProgress() {
    if (!Running()) return;
    ULONGLONG written = written_, total = total_;
    int position = total ? static_cast<int>(std::min<ULONGLONG>(written, total) * ProgressSteps / total) : 0;
    std::string status;
    if (cancel_) {
        status = Text(IDS_Dlg_WipeCancelling);
    } else if (fillingTable_) {
        position = ProgressSteps;
        status = FormatText(IDS_Dlg_WipeFileTable, smallFiles_.load());
    } else {
        ULONGLONG elapsed = (GetTickCount64() - started_) / 1000;
        if (written > 0 && total > written)
            status = FormatText(IDS_Dlg_WipeProgressTimeLeft, Size(written), Size(total),
                                TimeLeft(elapsed * (total - written) / written));
        else
            status = FormatText(IDS_Dlg_WipeProgress, Size(written), Size(total));
    }
    SendMessageA(Control(IDC_Wipe_Progress), PBM_SETPOS, position, 0);
    SetControlText(IDC_Wipe_Status, status);
}

void WipeFreeSpaceDialog::Finished() {
    if (worker_.joinable()) worker_.join();
    EnableControl(IDC_Wipe_Start, true);
    EnableControl(IDC_Wipe_Drive, true);
    SetControlText(IDCANCEL, Text(IDS_Dlg_WipeClose));
    SendMessageA(Control(IDC_Wipe_Progress), PBM_SETPOS, Outcome.Result == WipeResult::Done ? ProgressSteps : 0, 0);
    switch (Outcome.Result) {
        case WipeResult::Done:
            SetControlText(IDC_Wipe_Status,
                           FormatText(IDS_Dlg_WipeDone, Drive, Size(Outcome.Written), Outcome.SmallFiles));
            break;
        case WipeResult::Cancelled:
            SetControlText(IDC_Wipe_Status, Text(IDS_Dlg_WipeCancelled));
            break;
        case WipeResult::Failed:
            SetControlText(IDC_Wipe_Status, Text(IDS_Dlg_WipeFailed));
            if (!closeWhenDone_) ShowRefusal(Handle(), Outcome.Error);
            break;
    }
    if (closeWhenDone_) Close(mrCancel);
}

// Cancel while a wipe runs stops it and keeps the dialog open; otherwise it closes.
void WipeFreeSpaceDialog::OnCancel() {
    if (!Running()) {
        Close(mrCancel);
        return;
    }
    cancel_ = true;
    ShowProgress();
}

// The close box while a wipe runs: the dialog closes once the wipe's files are gone.
void WipeFreeSpaceDialog::CloseQuery() {
    if (Running()) closeWhenDone_ = true;
    OnCancel();
}

bool WipeFreeSpaceDialog::Message(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg == ProgressMessage) {
        ShowProgress();
    } else if (msg == FinishedMessage) {
        Finished();
    } else {
        return false;
    }
    result = 0;
    return true;
}
