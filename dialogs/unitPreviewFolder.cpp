#include "dialogs/unitPreviewFolder.h"

#include "catalogue/ListUtils.h"
#include "dialogs/unitPreviewFolderRes.h"

TFormPreviewFolder::TFormPreviewFolder() : TFormPreview(IDD_TFormPreviewFolder) { HelpContext = 61; }

void TFormPreviewFolder::FormCreate() {
    TFormPreview::FormCreate();
    AttachList(CheckListBoxPreviewFolder, IDC_PreviewFolder_CheckListBoxPreviewFolder);
    SetCheckButtonImages(IDC_PreviewFolder_btnSelectall, IDC_PreviewFolder_btnUnselectAll);
    OnClick(IDC_PreviewFolder_btnSelectall, [this] { btnSelectallClick(); });
    OnClick(IDC_PreviewFolder_btnUnselectAll, [this] { btnUnselectAllClick(); });
    BindWash(IDC_PreviewFolder_btnwasher, [this] { btnwasherClick(); });
    OnClick(IDC_PreviewFolder_SpeedButton1, [this] { SpeedButton1Click(); });
}

void TFormPreviewFolder::btnSelectallClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 1); }

void TFormPreviewFolder::btnUnselectAllClick() { CheckAll(CheckListBoxPreviewFolder.Model(), 0); }

void TFormPreviewFolder::btnwasherClick() { WashLists(&CheckListBoxPreviewFolder, nullptr, nullptr); }

void TFormPreviewFolder::SpeedButton1Click() { Close(mrCancel); }
