#pragma once
// Control ids of TFormFolder (range 2200-2299); Save and Cancel are IDOK and IDCANCEL.
#define IDD_TFormFolder 2200
#define IDC_Folder_EditItemName 2201
#define IDC_Folder_Chisactive 2202
#define IDC_Folder_rbSingle 2203
#define IDC_Folder_EditSingle 2204
#define IDC_Folder_btnSelectFile 2205
#define IDC_Folder_rbFolder 2206
#define IDC_Folder_EditFolder 2207
#define IDC_Folder_btnAddWildcard 2208
#define IDC_Folder_rbRegister 2209
#define IDC_Folder_EditRegister 2210
#define IDC_Folder_SpeedButton3 2211
#define IDC_Folder_EditRegisterValue 2212
#define IDC_Folder_Chincludesubfolder 2213
#define IDC_Folder_SpeedButton4 2214
#define IDC_Folder_SpeedButton1 IDOK
#define IDC_Folder_SpeedButton2 IDCANCEL
