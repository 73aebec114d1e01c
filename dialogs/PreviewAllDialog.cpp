#include "dialogs/PreviewAllDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/PreviewAllDialogRes.h"

PreviewAllDialog::PreviewAllDialog() : PreviewDialogBase(IDD_PreviewAllDialog) {
    HelpContext = 64;
    ShowAsSpecialList(SpecialList);
    ShowAsRegistryList(RegistryList);
}

void PreviewAllDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(SpecialList, IDC_PreviewAll_Specials);
    AttachList(FileList, IDC_PreviewAll_Files);
    AttachList(RegistryList, IDC_PreviewAll_Registry);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllSpecials, IDC_PreviewAll_UnselectAllSpecials);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllFiles, IDC_PreviewAll_UnselectAllFiles);
    SetCheckButtonImages(IDC_PreviewAll_SelectAllRegistry, IDC_PreviewAll_UnselectAllRegistry);

    Pages.Attach(Control(IDC_PreviewAll_Tabs), Handle());
    Pages.AddPage("Clean Special", {IDC_PreviewAll_Specials, IDC_PreviewAll_SelectAllSpecials,
                                    IDC_PreviewAll_UnselectAllSpecials});
    Pages.AddPage("Clean Folder/File", {IDC_PreviewAll_Files, IDC_PreviewAll_SelectAllFiles,
                                        IDC_PreviewAll_UnselectAllFiles});
    Pages.AddPage("Clean Registry Entry", {IDC_PreviewAll_Registry,
                                           IDC_PreviewAll_SelectAllRegistry, IDC_PreviewAll_UnselectAllRegistry});
    Pages.Show(1);

    OnClick(IDC_PreviewAll_SelectAllSpecials, [this] { OnSelectAllSpecials(); });
    OnClick(IDC_PreviewAll_UnselectAllSpecials, [this] { OnUnselectAllSpecials(); });
    OnClick(IDC_PreviewAll_SelectAllFiles, [this] { OnSelectAllFiles(); });
    OnClick(IDC_PreviewAll_UnselectAllFiles, [this] { OnUnselectAllFiles(); });
    OnClick(IDC_PreviewAll_SelectAllRegistry, [this] { OnSelectAllRegistry(); });
    OnClick(IDC_PreviewAll_UnselectAllRegistry, [this] { OnUnselectAllRegistry(); });
    BindWash(IDC_PreviewAll_Wash, [this] { OnWash(); });
    OnClick(IDC_PreviewAll_Close, [this] { OnClose(); });
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
