#include "dialogs/PreviewCommon.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <unordered_map>

#include "catalogue/ProtectedPlaces.h"
#include "catalogue/WashItem.h"
#include "dialogs/DialogTexts.h"
#include "engine/DatabaseRows.h"
#include "engine/EngineTexts.h"
#include "engine/SpecialItems.h"
#include "platform/DiskSpace.h"
#include "platform/BusyCursor.h"
#include "platform/Dpi.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "resources/icons.h"

namespace {
const COLORREF KeyRowColour = RGB(0, 0, 128);
const COLORREF SelectedKeyBack = RGB(10, 95, 137);
const COLORREF SelectedKeyText = RGB(255, 255, 255);
const COLORREF SpecialRowColour = RGB(255, 0, 0);

const OptionsRecord& OptionsOf(const WashContext& context) {
    static const OptionsRecord defaults;
    return context.Options ? *context.Options : defaults;
}
}  // namespace

bool DrawRegistryRow(const std::string& row, bool selected, COLORREF& text, COLORREF& back) {
    std::string keyPath, valueName;
    if (!SplitRegistryRow(row, keyPath, valueName)) return false;
    if (selected) {
        text = SelectedKeyText;
        back = SelectedKeyBack;
    } else {
        text = KeyRowColour;
        back = GetSysColor(COLOR_WINDOW);
    }
    return true;
}

std::string RegistryRowText(const std::string& row) {
    std::string keyPath, valueName;
    std::string text = SplitRegistryRow(row, keyPath, valueName) ? keyPath : ReadRowValueText(row);
    switch (GuardOf(row)) {
        case RowGuard::Refused: return "(" + Text(IDS_Protected) + ") " + text;
        case RowGuard::Held: return "(" + Text(IDS_ProtectedOwn) + ") " + text;
        default: return text;
    }
}

void ShowAsRegistryList(CheckList& list) {
    list.RowColours = [&list](int index, bool selected, COLORREF& text, COLORREF& back) {
        return DrawRegistryRow(list.Text(index), selected, text, back);
    };
    list.DisplayText = [&list](int index) { return RegistryRowText(list.Text(index)); };
}

void ShowAsSpecialList(CheckList& list) {
    // The rows keep the stored names the wash looks for. The Recycle Bin with an age limit says
    // what would go and stay, looked at once, when its row first shows.
    auto binNote = std::make_shared<std::optional<std::string>>();
    list.DisplayText = [&list, binNote](int index) {
        const std::string name = TranslateUiText(list.Text(index));
        if (list.Text(index) != RecycleBinItem) return name;
        if (!binNote->has_value()) *binNote = RecycleBinPreviewNote();
        return (*binNote)->empty() ? name : name + " (" + **binNote + ")";
    };
    list.RowColours = [](int, bool, COLORREF& text, COLORREF&) {
        text = SpecialRowColour;
        return true;
    };
}

void ShowAsFileList(CheckList& list) {
    list.ShowSpaceColumn();
    list.DisplayText = [&list](int index) { return FileRowText(list.Text(index)); };
    list.SpaceText = [&list](int index) {
        return EndsWithFolderMarker(list.Text(index)) ? std::string() : FormatSpace(list.Model().Space(index));
    };
    // Looked at once per file while the dialog is open, when the row first shows.
    auto notes = std::make_shared<std::unordered_map<std::string, std::string>>();
    list.NoteText = [&list, notes](int index) {
        const std::string& row = list.Text(index);
        switch (GuardOf(row)) {
            case RowGuard::Refused: return Text(DatabaseOfJournal(row).empty() ? IDS_Protected : IDS_Db_JournalStays);
            case RowGuard::Held: return Text(IDS_ProtectedOwn);
            default: break;
        }
        if (EndsWithFolderMarker(row)) return std::string();
        auto known = notes->find(row);
        if (known == notes->end()) known = notes->emplace(row, FileBlockedReason(row)).first;
        return known->second;
    };
}

std::string ListTotalsText(const CheckListModel& list, bool withSpace) {
    if (!withSpace) return FormatText(IDS_Dlg_Totals, list.Count(), list.CheckedCount());
    return FormatText(IDS_Dlg_TotalsWithSpace, list.Count(), FormatSpace(list.TotalSpace()), list.CheckedCount(),
                      FormatSpace(list.CheckedSpace()));
}

void AppendRows(CheckList& list, std::vector<std::string>&& rows, const std::vector<uint64_t>* spaces) {
    list.Model().AddRows(std::move(rows), false, spaces);
}

void PreviewPages::Attach(HWND tabControl, HWND dialog) {
    tab_ = tabControl;
    dialog_ = dialog;
}

void PreviewPages::AddPage(const std::string& caption, std::vector<int> controlIds) {
    std::wstring text = Widen(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tab_, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
    pages_.push_back(std::move(controlIds));
}

void PreviewPages::Show(int page) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return;
    TabCtrl_SetCurSel(tab_, page);
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
        for (int id : pages_[i]) ShowWindow(GetDlgItem(dialog_, id), i == page ? SW_SHOW : SW_HIDE);
}

int PreviewPages::Current() const { return tab_ ? TabCtrl_GetCurSel(tab_) : -1; }

bool PreviewPages::HandleNotify(NMHDR* header) {
    if (!tab_ || header->hwndFrom != tab_ || header->code != TCN_SELCHANGE) return false;
    Show(TabCtrl_GetCurSel(tab_));
    return true;
}

void PreviewDialogBase::WashLists(CheckList* files, CheckList* registry, CheckList* specials) {
    const OptionsRecord& options = OptionsOf(Context);
    static const SpecificFileList noSpecificFiles;
    static const CheckListModel noFiles;
    const SpecificFileList& specificFiles = Context.SpecificFiles ? *Context.SpecificFiles : noSpecificFiles;
    bool writeLog = options.WriteToLog;
    // The summary line follows the wash's last block: the special items' when any is checked.
    bool specialsFollow = false;
    std::vector<std::string> databaseItems;
    for (int i = 0; specials && i < specials->Count(); ++i) {
        if (!specials->Checked(i)) continue;
        specialsFollow = true;
        if (IsDatabaseItem(specials->Text(i))) databaseItems.push_back(specials->Text(i));
    }
    if (Context.BeforeWash && (files || !databaseItems.empty()) &&
        !Context.BeforeWash(Handle() ? Handle() : Context.Owner, files ? files->Model() : noFiles, databaseItems))
        return;
    Result = WashSummary();
    const bool lists = files || registry;
    if (writeLog && lists && !(Context.Ahead && WashLogIsOpen())) OpenWashLog();
    try {
        if (files) {
            WashFileList(files->Model(), options.QuickDelete, writeLog, specificFiles, Result.Files, Context.Ahead);
            if (Context.ShowFileCounts) Context.ShowFileCounts(Result.Files.Washed, Result.Files.Failed);
        }
        if (registry) {
            WashRegistryList(registry->Model(), writeLog, Result.Registry);
            if (Context.ShowRegistryCounts) Context.ShowRegistryCounts(Result.Registry.Washed, Result.Registry.Failed);
        }
        if (writeLog && lists && specialsFollow) CloseWashLog();
        else if (writeLog && lists) CloseWashLog(Result);
    } catch (...) {
        AbandonWashLog();
        throw;
    }
    if (specialsFollow) {
        WashSummary wash = Result;
        for (int i = 0; i < specials->Count(); ++i)
            if (specials->Checked(i)) WashSpecialItem(specials->Text(i), writeLog, Context.Owner, &wash);
        if (writeLog) WriteWashLogSummary(wash);
        // The space the databases gave back counts with the files', those left alone as failures.
        AddDatabaseRows(Result, wash.Databases);
    }
    if (Context.ShowSummary) Context.ShowSummary(Result);
    Close(mrOK);
}

void PreviewDialogBase::AttachList(CheckList& list, int id, int totalsId) {
    list.Attach(Control(id));
    lists_.push_back(&list);
    if (!totalsId) return;
    const bool withSpace = static_cast<bool>(list.SpaceText);
    list.OnRowsChanged = [this, &list, totalsId, withSpace] {
        SetControlText(totalsId, ListTotalsText(list.Model(), withSpace));
    };
    list.OnRowsChanged();
}

void PreviewDialogBase::SetCheckButtonImages(int selectId, int unselectId) {
    imageButtons_.emplace_back(selectId, ICO_CHECKALL);
    imageButtons_.emplace_back(unselectId, ICO_UNCHECKALL);
    ShowButtonImages();
}

void PreviewDialogBase::ShowButtonImages() {
    for (auto [id, icon] : imageButtons_) SetButtonIcon(id, icon, Scale(16));
}

void PreviewDialogBase::DpiChanged() {
    ShowButtonImages();
    for (CheckList* list : lists_) list->SetDpi(Dpi());
}

void PreviewDialogBase::BindWash(int id, std::function<void()> wash) {
    OnClick(id, [this, wash = std::move(wash)] {
        BusyCursor busy;
        RunGuarded(Handle(), wash);
    });
}

bool PreviewDialogBase::Notify(NMHDR* header, LRESULT& result) {
    if (Pages.HandleNotify(header)) {
        result = 0;
        return true;
    }
    for (CheckList* list : lists_)
        if (list->HandleNotify(header, result)) return true;
    return false;
}

void PreviewDialogBase::FormCreate() {
    lists_.clear();
    imageButtons_.clear();
    CentreOnDesktop();
}
