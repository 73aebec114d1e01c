#include "dialogs/PreviewItemDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/PreviewItemDialogRes.h"
#include "engine/DatabaseRows.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/RowGuard.h"
#include "platform/Text.h"

PreviewItemDialog::PreviewItemDialog() : PreviewDialogBase(IDD_PreviewItemDialog) {
    HelpContext = 63;
    ShowAsRegistryList(RegistryList);
    ShowAsFileList(FileList);
    DatabaseList.ShowSpaceColumn();
    // Room for what goes: "1,234 visits of 456 sites".
    DatabaseList.NoteWidth = 150;
    // "History, Chrome — Work (Profile 1) (C:\...\Profile 1\)": the file's name first, where a
    // narrow column still shows it, then the profile and the folder, which the row's tip shows whole.
    DatabaseList.DisplayText = [this](int index) {
        const std::string path = Unguarded(DatabaseList.Text(index));
        auto row = databaseRows_.find(path);
        if (row == databaseRows_.end()) return path;
        return ExtractFileName(path) + ", " + row->second.Label + " (" + ExtractFilePath(path) + ")";
    };
    DatabaseList.SpaceText = [this](int index) { return FormatSpace(DatabaseList.Model().Space(index)); };
    DatabaseList.NoteText = [this](int index) {
        auto row = databaseRows_.find(Unguarded(DatabaseList.Text(index)));
        return row == databaseRows_.end() ? std::string() : row->second.Text;
    };
    // A database's mark says what the item's wash does with it; it is not chosen one by one.
    DatabaseList.OnClickCheck = [this](int index) {
        DatabaseList.SetChecked(index, GuardOf(DatabaseList.Text(index)) == RowGuard::None);
    };
}

void PreviewItemDialog::SetDatabaseRows(const std::vector<DatabaseRow>& rows) {
    databaseRows_.clear();
    DatabaseList.Clear();
    for (const DatabaseRow& row : rows) {
        databaseRows_[row.Path] = row;
        const bool ready = row.State == DatabaseState::Ready;
        DatabaseList.Model().Add(ready ? row.Path : row.Path + RefusedRowMarker, ready, DatabaseFilesSize(row.Path));
    }
}

void PreviewItemDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(FileList, IDC_PreviewItem_Files, IDC_PreviewItem_FileTotals);
    AttachList(RegistryList, IDC_PreviewItem_Registry, IDC_PreviewItem_RegistryTotals);
    AttachList(DatabaseList, IDC_PreviewItem_Databases, IDC_PreviewItem_DatabaseTotals);
    SetCheckButtonImages(IDC_PreviewItem_SelectAllFiles, IDC_PreviewItem_UnselectAllFiles);
    SetCheckButtonImages(IDC_PreviewItem_SelectAllRegistry, IDC_PreviewItem_UnselectAllRegistry);

    Pages.Attach(Control(IDC_PreviewItem_Tabs), Handle());
    if (!DatabaseItem.empty()) {
        // A database item has no entries: its databases are the only page.
        for (int id : {IDC_PreviewItem_Files, IDC_PreviewItem_FileTotals, IDC_PreviewItem_FileNote,
                       IDC_PreviewItem_SelectAllFiles, IDC_PreviewItem_UnselectAllFiles, IDC_PreviewItem_Registry,
                       IDC_PreviewItem_RegistryTotals, IDC_PreviewItem_SelectAllRegistry,
                       IDC_PreviewItem_UnselectAllRegistry})
            ShowWindow(Control(id), SW_HIDE);
        Pages.AddPage(Text(IDS_Dlg_TabDatabases), {IDC_PreviewItem_Databases, IDC_PreviewItem_DatabaseTotals});
        Pages.Show(0);
        BindWash(IDC_PreviewItem_Wash, [this] { OnWash(); });
        OnClick(IDC_PreviewItem_Close, [this] { OnClose(); });
        return;
    }
    ShowWindow(Control(IDC_PreviewItem_Databases), SW_HIDE);
    ShowWindow(Control(IDC_PreviewItem_DatabaseTotals), SW_HIDE);
    Pages.AddPage(Text(IDS_Dlg_TabWasherFolder), {IDC_PreviewItem_Files, IDC_PreviewItem_FileTotals, IDC_PreviewItem_FileNote,
                                    IDC_PreviewItem_SelectAllFiles, IDC_PreviewItem_UnselectAllFiles});
    Pages.AddPage(Text(IDS_Dlg_TabWasherRegister), {IDC_PreviewItem_Registry, IDC_PreviewItem_RegistryTotals,
                                      IDC_PreviewItem_SelectAllRegistry, IDC_PreviewItem_UnselectAllRegistry});
    Pages.Show(0);

    OnClick(IDC_PreviewItem_SelectAllFiles, [this] { OnSelectAllFiles(); });
    OnClick(IDC_PreviewItem_UnselectAllFiles, [this] { OnUnselectAllFiles(); });
    OnClick(IDC_PreviewItem_SelectAllRegistry, [this] { OnSelectAllRegistry(); });
    OnClick(IDC_PreviewItem_UnselectAllRegistry, [this] { OnUnselectAllRegistry(); });
    BindWash(IDC_PreviewItem_Wash, [this] { OnWash(); });
    OnClick(IDC_PreviewItem_Close, [this] { OnClose(); });
    SetControlText(IDC_PreviewItem_FileNote, FileNote);
}

void PreviewItemDialog::OnSelectAllFiles() { CheckAll(FileList.Model(), 1); }

void PreviewItemDialog::OnUnselectAllFiles() { CheckAll(FileList.Model(), 0); }

void PreviewItemDialog::OnSelectAllRegistry() { CheckAll(RegistryList.Model(), 1); }

void PreviewItemDialog::OnUnselectAllRegistry() { CheckAll(RegistryList.Model(), 0); }

void PreviewItemDialog::OnWash() {
    if (DatabaseItem.empty()) {
        WashLists(&FileList, &RegistryList, nullptr);
        return;
    }
    CheckList items;
    items.Add(DatabaseItem, DatabaseList.Model().CheckedCount() > 0);
    WashLists(nullptr, nullptr, &items);
}

void PreviewItemDialog::OnClose() { Close(mrCancel); }
