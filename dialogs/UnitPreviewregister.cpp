#include "dialogs/UnitPreviewregister.h"

#include "catalogue/ListUtils.h"
#include "dialogs/UnitPreviewregisterRes.h"

TFormPreviewregister::TFormPreviewregister() : TFormPreview(IDD_TFormPreviewregister) {
    HelpContext = 62;
    ShowAsRegistryList(CheckListBoxPreviewregister);
}

void TFormPreviewregister::FormCreate() {
    TFormPreview::FormCreate();
    AttachList(CheckListBoxPreviewregister, IDC_PreviewRegister_CheckListBoxPreviewregister);
    SetCheckButtonImages(IDC_PreviewRegister_btnSelectall, IDC_PreviewRegister_btnUnselectAll);
    OnClick(IDC_PreviewRegister_btnSelectall, [this] { btnSelectallClick(); });
    OnClick(IDC_PreviewRegister_btnUnselectAll, [this] { btnUnselectAllClick(); });
    BindWash(IDC_PreviewRegister_btnwasher, [this] { btnwasherClick(); });
    OnClick(IDC_PreviewRegister_SpeedButton1, [this] { SpeedButton1Click(); });
    SetControlText(IDC_PreviewRegister_LabNote, Note);
}

void TFormPreviewregister::btnSelectallClick() { CheckAll(CheckListBoxPreviewregister.Model(), 1); }

void TFormPreviewregister::btnUnselectAllClick() { CheckAll(CheckListBoxPreviewregister.Model(), 0); }

void TFormPreviewregister::btnwasherClick() { WashLists(nullptr, &CheckListBoxPreviewregister, nullptr); }

void TFormPreviewregister::SpeedButton1Click() { Close(mrCancel); }
