#pragma once
// Control ids of TFormRegister (range 2300-2399); Save and Cancel are IDOK and IDCANCEL.
#define IDD_TFormRegister 2300
#define IDC_Register_EditItemName 2301
#define IDC_Register_Chisactive 2302
#define IDC_Register_EditKeyName 2303
#define IDC_Register_SpeedButton3 2304
#define IDC_Register_rbdeleteSingleValue 2305
#define IDC_Register_lab 2306
#define IDC_Register_EditSingleRegisterValue 2307
#define IDC_Register_rbDeleteValue 2308
#define IDC_Register_rbdeleteKey 2309
#define IDC_Register_SpeedButton1 2310
#define IDC_Register_btnSave IDOK
#define IDC_Register_btnCancel IDCANCEL
