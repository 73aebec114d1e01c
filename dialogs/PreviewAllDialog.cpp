#include "dialogs/PreviewAllDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "platform/Language.h"

PreviewAllDialog::PreviewAllDialog() : PreviewDialogBase(IDD_PreviewAllDialog) {
    HelpContext = 64;
    ShowAsSpecialList(SpecialList);
    ShowAsRegistryList(RegistryList);
    ShowAsFileList(FileList);
}

void PreviewAllDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(SpecialList, IDC_PreviewAll_Specials, IDC_PreviewAll_SpecialTotals);
    AttachList(FileList, IDC_PreviewAll_Files, IDC_PreviewAll_FileTotals);
    AttachList(RegistryList, IDC_PreviewAll_Registry, IDC_PreviewAll_RegistryTotals);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllSpecials, IDC_PreviewAll_UnselectAllSpecials);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllFiles, IDC_PreviewAll_UnselectAllFiles);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllRegistry, IDC_PreviewAll_UnselectAllRegistry);

    Summary.Attach(Control(IDC_PreviewAll_Summary), Dpi());

    Pages.Attach(Control(IDC_PreviewAll_Tabs), Handle());
    Pages.AddPage(Text(IDS_Dlg_TabSummary), {IDC_PreviewAll_Summary});
    Pages.AddPage(Text(IDS_Dlg_TabCleanSpecial), {IDC_PreviewAll_Specials, IDC_PreviewAll_SpecialTotals, IDC_PreviewAll_SelectAllSpecials,
                                    IDC_PreviewAll_UnselectAllSpecials});
    Pages.AddPage(Text(IDS_Dlg_TabCleanFiles), {IDC_PreviewAll_Files, IDC_PreviewAll_FileTotals, IDC_PreviewAll_SelectAllFiles,
                                        IDC_PreviewAll_UnselectAllFiles});
    Pages.AddPage(Text(IDS_Dlg_TabCleanRegistry), {IDC_PreviewAll_Registry, IDC_PreviewAll_RegistryTotals,
                                           IDC_PreviewAll_SelectAllRegistry, IDC_PreviewAll_UnselectAllRegistry});
    Pages.Show(0);

    OnClick(IDC_PreviewAll_SelectAllSpecials, [this] { OnSelectAllSpecials(); });
    OnClick(IDC_PreviewAll_UnselectAllSpecials, [this] { OnUnselectAllSpecials(); });
    OnClick(IDC_PreviewAll_SelectAllFiles, [this] { OnSelectAllFiles(); });
    OnClick(IDC_PreviewAll_UnselectAllFiles, [this] { OnUnselectAllFiles(); });
    OnClick(IDC_PreviewAll_SelectAllRegistry, [this] { OnSelectAllRegistry(); });
    OnClick(IDC_PreviewAll_UnselectAllRegistry, [this] { OnUnselectAllRegistry(); });
    BindWash(IDC_PreviewAll_Wash, [this] { OnWash(); });
    OnClick(IDC_PreviewAll_Close, [this] { OnClose(); });
}

bool PreviewAllDialog::Notify(NMHDR* header, LRESULT& result) {
    return Summary.HandleNotify(header, result) || PreviewDialogBase::Notify(header, result);
}

void PreviewAllDialog::DpiChanged() {
    PreviewDialogBase::DpiChanged();
    Summary.SetDpi(Dpi());
}

void PreviewAllDialog::OnSelectAllSpecials() { CheckAll(SpecialList.Model(), 1); }

void PreviewAllDialog::OnUnselectAllSpecials() { CheckAll(SpecialList.Model(), 0); }

void PreviewAllDialog::OnSelectAllFiles() { CheckAll(FileList.Model(), 1); }

void PreviewAllDialog::OnUnselectAllFiles() { CheckAll(FileList.Model(), 0); }

void PreviewAllDialog::OnSelectAllRegistry() { CheckAll(RegistryList.Model(), 1); }

void PreviewAllDialog::OnUnselectAllRegistry() { CheckAll(RegistryList.Model(), 0); }

void PreviewAllDialog::OnWash() {
    WashLists(&FileList, &RegistryList, &SpecialList);
}

void PreviewAllDialog::OnClose() { Close(mrCancel); }
