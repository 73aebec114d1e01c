#include "dialogs/PreviewCommon.h"

#include <commctrl.h>

#include "engine/SpecialItems.h"
#include "platform/BusyCursor.h"
#include "platform/Dpi.h"
#include "platform/Error.h"
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
    return SplitRegistryRow(row, keyPath, valueName) ? keyPath : ReadRowValueText(row);
}

void ShowAsRegistryList(CheckList& list) {
    list.RowColours = [&list](int index, bool selected, COLORREF& text, COLORREF& back) {
        return DrawRegistryRow(list.Text(index), selected, text, back);
    };
    list.DisplayText = [&list](int index) { return RegistryRowText(list.Text(index)); };
}

void ShowAsSpecialList(CheckList& list) {
    list.RowColours = [](int, bool, COLORREF& text, COLORREF&) {
        text = SpecialRowColour;
        return true;
    };
}

void AppendRows(CheckList& list, std::vector<std::string>&& rows) { list.Model().AddRows(std::move(rows)); }

void PreviewPages::Attach(HWND tabControl, HWND dialog) {
    tab_ = tabControl;
    dialog_ = dialog;
}

void PreviewPages::AddPage(const char* caption, std::vector<int> controlIds) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    TabCtrl_InsertItem(tab_, static_cast<int>(pages_.size()), &item);
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
    const SpecificFileList& specificFiles = Context.SpecificFiles ? *Context.SpecificFiles : noSpecificFiles;
    bool writeLog = options.WriteToLog;
    if (writeLog) OpenWashLog();
    try {
        if (files) {
            int success = 0, fails = 0;
            WashFileList(files->Model(), options.QuickDelete, writeLog, specificFiles, success, fails);
            if (Context.ShowFileCounts) Context.ShowFileCounts(success, fails);
        }
        if (registry) {
            int success = 0, fails = 0;
            WashRegistryList(registry->Model(), writeLog, success, fails);
            if (Context.ShowRegistryCounts) Context.ShowRegistryCounts(success, fails);
        }
        if (writeLog) CloseWashLog();
    } catch (...) {
        AbandonWashLog();
        throw;
    }
    if (specials) {
        for (int i = 0; i < specials->Count(); ++i)
            if (specials->Checked(i)) WashSpecialItem(specials->Text(i), options.WriteToLog, Context.Owner);
    }
    Close(mrOK);
}

void PreviewDialogBase::AttachList(CheckList& list, int id) {
    list.Attach(Control(id));
    lists_.push_back(&list);
}

void PreviewDialogBase::SetCheckButtonImages(int selectId, int unselectId) {
    imageButtons_.emplace_back(selectId, ICO_CHECKALL);
    imageButtons_.emplace_back(unselectId, ICO_UNCHECKALL);
    ShowButtonImages();
}

void PreviewDialogBase::ShowButtonImages() {
    for (auto [id, icon] : imageButtons_) {
        HICON image = LoadIconSized(icon, Scale(16));
        SendMessageA(Control(id), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
    }
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
