#pragma once
// Control ids of TFormPreviewregister (range 1400-1499).
#define IDD_TFormPreviewregister 1400
#define IDC_PreviewRegister_CheckListBoxPreviewregister 1401
#define IDC_PreviewRegister_btnSelectall 1402
#define IDC_PreviewRegister_btnUnselectAll 1403
#define IDC_PreviewRegister_btnwasher 1404
#define IDC_PreviewRegister_SpeedButton1 1405
#define IDC_PreviewRegister_LabNote 1406
