#include "dialogs/UnitDeleteFolderReg.h"

#include "catalogue/ListUtils.h"
#include "dialogs/UnitDeleteFolderRegRes.h"

TFormPreviewFolderRegister::TFormPreviewFolderRegister() : TFormPreview(IDD_TFormPreviewFolderRegister) {
    HelpContext = 63;
    ShowAsRegistryList(CheckListBoxPreviewregister);
}

void TFormPreviewFolderRegister::FormCreate() {
    TFormPreview::FormCreate();
    AttachList(CheckListBoxPreviewFolder, IDC_PreviewFolderReg_CheckListBoxPreviewFolder);
    AttachList(CheckListBoxPreviewregister, IDC_PreviewFolderReg_CheckListBoxPreviewregister);
    SetCheckButtonImages(IDC_PreviewFolderReg_btnSelectall, IDC_PreviewFolderReg_btnUnselectAll);
    SetCheckButtonImages(IDC_PreviewFolderReg_NewbtnSelectall, IDC_PreviewFolderReg_NewbtnUnselectAll);

    Pages.Attach(Control(IDC_PreviewFolderReg_PageControl1), Handle());
    Pages.AddPage("Washer Folder", {IDC_PreviewFolderReg_CheckListBoxPreviewFolder,
                                    IDC_PreviewFolderReg_btnSelectall, IDC_PreviewFolderReg_btnUnselectAll});
    Pages.AddPage("Washer Register", {IDC_PreviewFolderReg_CheckListBoxPreviewregister,
                                      IDC_PreviewFolderReg_NewbtnSelectall, IDC_PreviewFolderReg_NewbtnUnselectAll});
    Pages.Show(0);

    OnClick(IDC_PreviewFolderReg_btnSelectall, [this] { btnSelectallClick(); });
    OnClick(IDC_PreviewFolderReg_btnUnselectAll, [this] { btnUnselectAllClick(); });
    OnClick(IDC_PreviewFolderReg_NewbtnSelectall, [this] { NewbtnSelectallClick(); });
    OnClick(IDC_PreviewFolderReg_NewbtnUnselectAll, [this] { NewbtnUnselectAllClick(); });
    BindWash(IDC_PreviewFolderReg_btnwasher, [this] { btnwasherClick(); });
    OnClick(IDC_PreviewFolderReg_SpeedButton1, [this] { SpeedButton1Click(); });
}

void TFormPreviewFolderRegister::btnSelectallClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 1); }

void TFormPreviewFolderRegister::btnUnselectAllClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 0); }

void TFormPreviewFolderRegister::NewbtnSelectallClick() { CheckAll(CheckListBoxPreviewregister.Model(), 1); }

void TFormPreviewFolderRegister::NewbtnUnselectAllClick() { CheckAll(CheckListBoxPreviewregister.Model(), 0); }

void TFormPreviewFolderRegister::btnwasherClick() {
    WashLists(&CheckListBoxPreviewFolder, &CheckListBoxPreviewregister, nullptr);
}

void TFormPreviewFolderRegister::SpeedButton1Click() { Close(mrCancel); }
