#pragma once
// Control ids of TFormDetect (range 2500-2599); "Can&cel" is IDCANCEL.
#define IDD_TFormDetect 2500
#define IDC_Detect_Label1 2501
#define IDC_Detect_Label2 2502
#define IDC_Detect_RxCheckListBox1 2503
#define IDC_Detect_SpeedButton3 2504
#define IDC_Detect_SpeedButton4 2505
#define IDC_Detect_Status 2506
#define IDC_Detect_CheckBox1 2507
#define IDC_Detect_SpeedButton1 2508
#define IDC_Detect_SpeedButton2 IDCANCEL
