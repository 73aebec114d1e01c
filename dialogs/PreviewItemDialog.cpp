#include "dialogs/PreviewItemDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/PreviewItemDialogRes.h"
#include "platform/Language.h"

PreviewItemDialog::PreviewItemDialog() : PreviewDialogBase(IDD_PreviewItemDialog) {
    HelpContext = 63;
    ShowAsRegistryList(RegistryList);
    ShowAsFileList(FileList);
}

void PreviewItemDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(FileList, IDC_PreviewItem_Files, IDC_PreviewItem_FileTotals);
    AttachList(RegistryList, IDC_PreviewItem_Registry, IDC_PreviewItem_RegistryTotals);
    SetCheckButtonImages(IDC_PreviewItem_SelectAllFiles, IDC_PreviewItem_UnselectAllFiles);
    SetCheckButtonImages(IDC_PreviewItem_SelectAllRegistry, IDC_PreviewItem_UnselectAllRegistry);

    Pages.Attach(Control(IDC_PreviewItem_Tabs), Handle());
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
    WashLists(&FileList, &RegistryList, nullptr);
}

void PreviewItemDialog::OnClose() { Close(mrCancel); }
