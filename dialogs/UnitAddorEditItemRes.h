#pragma once
// Control ids of TFormAddEditItem (range 2100-2199); Save and Cancel are IDOK and IDCANCEL.
#define IDD_TFormAddEditItem 2100
#define IDC_AddEditItem_Edititemname 2101
#define IDC_AddEditItem_Chisactive 2102
#define IDC_AddEditItem_LabelStore 2103
#define IDC_AddEditItem_btnSave IDOK
#define IDC_AddEditItem_btncancel IDCANCEL
