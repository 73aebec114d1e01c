#pragma once
// Control ids of TFormWildcard (range 3500-3599).
#define IDD_TFormWildcard 3500
#define IDC_Wildcard_Label1 3501
#define IDC_Wildcard_ListBox1 3502
#define IDC_Wildcard_Label2 3503
#define IDC_Wildcard_Edit1 3504
#define IDC_Wildcard_SpNew 3505
#define IDC_Wildcard_Button4 3506
#define IDC_Wildcard_SpeedButton1 3507
#define IDC_Wildcard_SpeedButton3 3508
#define IDC_Wildcard_SpeedButton2 3509
#define IDC_Wildcard_btnOk 3510
#define IDC_Wildcard_Button3 IDCANCEL
#define IDC_Wildcard_Button1 3511
