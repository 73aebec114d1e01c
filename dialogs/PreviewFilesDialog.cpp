#include "dialogs/PreviewFilesDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/PreviewFilesDialogRes.h"

PreviewFilesDialog::PreviewFilesDialog() : PreviewDialogBase(IDD_PreviewFilesDialog) {
    HelpContext = 61;
    ShowAsFileList(FileList);
}

void PreviewFilesDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(FileList, IDC_PreviewFiles_Files, IDC_PreviewFiles_Totals);
    SetCheckButtonImages(IDC_PreviewFiles_SelectAll, IDC_PreviewFiles_UnselectAll);
    OnClick(IDC_PreviewFiles_SelectAll, [this] { OnSelectAll(); });
    OnClick(IDC_PreviewFiles_UnselectAll, [this] { OnUnselectAll(); });
    BindWash(IDC_PreviewFiles_Wash, [this] { OnWash(); });
    OnClick(IDC_PreviewFiles_Close, [this] { OnClose(); });
    SetControlText(IDC_PreviewFiles_Note, Note);
}

void PreviewFilesDialog::OnSelectAll() { CheckAll(FileList.Model(), 1); }

void PreviewFilesDialog::OnUnselectAll() { CheckAll(FileList.Model(), 0); }

void PreviewFilesDialog::OnWash() { WashLists(&FileList, nullptr, nullptr); }

void PreviewFilesDialog::OnClose() { Close(mrCancel); }
