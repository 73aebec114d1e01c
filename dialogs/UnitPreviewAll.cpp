#include "dialogs/UnitPreviewAll.h"

#include "catalogue/ListUtils.h"
#include "dialogs/UnitPreviewAllRes.h"

TFormPreviewAll::TFormPreviewAll() : TFormPreview(IDD_TFormPreviewAll) {
    HelpContext = 64;
    ShowAsSpecialList(CheckListBoxSpecial);
    ShowAsRegistryList(CheckListBoxPreviewregister);
}

void TFormPreviewAll::FormCreate() {
    TFormPreview::FormCreate();
    AttachList(CheckListBoxSpecial, IDC_PreviewAll_CheckListBoxSpecial);
    AttachList(CheckListBoxPreviewFolder, IDC_PreviewAll_CheckListBoxPreviewFolder);
    AttachList(CheckListBoxPreviewregister, IDC_PreviewAll_CheckListBoxPreviewregister);
    SetCheckButtonImages(IDC_PreviewAll_AllbtnSelectall, IDC_PreviewAll_AllbtnUnselectAll);
    SetCheckButtonImages(IDC_PreviewAll_btnSelectall, IDC_PreviewAll_btnUnselectAll);
    SetCheckButtonImages(IDC_PreviewAll_NewbtnSelectall, IDC_PreviewAll_NewbtnUnselectAll);

    Pages.Attach(Control(IDC_PreviewAll_PageControl1), Handle());
    Pages.AddPage("Clean Special", {IDC_PreviewAll_CheckListBoxSpecial, IDC_PreviewAll_AllbtnSelectall,
                                    IDC_PreviewAll_AllbtnUnselectAll});
    Pages.AddPage("Clean Folder/File", {IDC_PreviewAll_CheckListBoxPreviewFolder, IDC_PreviewAll_btnSelectall,
                                        IDC_PreviewAll_btnUnselectAll});
    Pages.AddPage("Clean Registry Entry", {IDC_PreviewAll_CheckListBoxPreviewregister,
                                           IDC_PreviewAll_NewbtnSelectall, IDC_PreviewAll_NewbtnUnselectAll});
    Pages.Show(1);

    OnClick(IDC_PreviewAll_AllbtnSelectall, [this] { AllbtnSelectallClick(); });
    OnClick(IDC_PreviewAll_AllbtnUnselectAll, [this] { AllbtnUnselectAllClick(); });
    OnClick(IDC_PreviewAll_btnSelectall, [this] { btnSelectallClick(); });
    OnClick(IDC_PreviewAll_btnUnselectAll, [this] { btnUnselectAllClick(); });
    OnClick(IDC_PreviewAll_NewbtnSelectall, [this] { NewbtnSelectallClick(); });
    OnClick(IDC_PreviewAll_NewbtnUnselectAll, [this] { NewbtnUnselectAllClick(); });
    BindWash(IDC_PreviewAll_btnWashAll, [this] { btnWashAllClick(); });
    OnClick(IDC_PreviewAll_SpeedButton2, [this] { SpeedButton2Click(); });
}

void TFormPreviewAll::AllbtnSelectallClick() { CheckAll(CheckListBoxSpecial.Model(), 1); }

void TFormPreviewAll::AllbtnUnselectAllClick() { CheckAll(CheckListBoxSpecial.Model(), 0); }

void TFormPreviewAll::btnSelectallClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 1); }

void TFormPreviewAll::btnUnselectAllClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 0); }

void TFormPreviewAll::NewbtnSelectallClick() { CheckAll(CheckListBoxPreviewregister.Model(), 1); }

void TFormPreviewAll::NewbtnUnselectAllClick() { CheckAll(CheckListBoxPreviewregister.Model(), 0); }

void TFormPreviewAll::btnWashAllClick() {
    WashLists(&CheckListBoxPreviewFolder, &CheckListBoxPreviewregister, &CheckListBoxSpecial);
}

void TFormPreviewAll::SpeedButton2Click() { Close(mrCancel); }
