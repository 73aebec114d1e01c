#pragma once
// Control ids of TFormPreviewFolder (range 1300-1399).
#define IDD_TFormPreviewFolder 1300
#define IDC_PreviewFolder_CheckListBoxPreviewFolder 1301
#define IDC_PreviewFolder_btnSelectall 1302
#define IDC_PreviewFolder_btnUnselectAll 1303
#define IDC_PreviewFolder_btnwasher 1304
#define IDC_PreviewFolder_SpeedButton1 1305
