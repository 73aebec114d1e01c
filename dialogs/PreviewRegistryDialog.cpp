#include "dialogs/PreviewRegistryDialog.h"

#include "catalogue/ListUtils.h"
#include "dialogs/PreviewRegistryDialogRes.h"

PreviewRegistryDialog::PreviewRegistryDialog() : PreviewDialogBase(IDD_PreviewRegistryDialog) {
    HelpContext = 62;
    ShowAsRegistryList(RegistryList);
}

void PreviewRegistryDialog::FormCreate() {
    PreviewDialogBase::FormCreate();
    AttachList(RegistryList, IDC_PreviewRegistry_Rows, IDC_PreviewRegistry_Totals);
    SetCheckButtonImages(IDC_PreviewRegistry_SelectAll, IDC_PreviewRegistry_UnselectAll);
    OnClick(IDC_PreviewRegistry_SelectAll, [this] { OnSelectAll(); });
    OnClick(IDC_PreviewRegistry_UnselectAll, [this] { OnUnselectAll(); });
    BindWash(IDC_PreviewRegistry_Wash, [this] { OnWash(); });
    OnClick(IDC_PreviewRegistry_Close, [this] { OnClose(); });
    SetControlText(IDC_PreviewRegistry_Note, Note);
}

void PreviewRegistryDialog::OnSelectAll() { CheckAll(RegistryList.Model(), 1); }

void PreviewRegistryDialog::OnUnselectAll() { CheckAll(RegistryList.Model(), 0); }

void PreviewRegistryDialog::OnWash() { WashLists(nullptr, &RegistryList, nullptr); }

void PreviewRegistryDialog::OnClose() { Close(mrCancel); }
