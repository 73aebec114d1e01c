#pragma once
// Control ids of TFormExcludeFile (range 3400-3499).
#define IDD_TFormExcludeFile 3400
#define IDC_ExcludeFile_Label1 3401
#define IDC_ExcludeFile_TextListBox1 3402
#define IDC_ExcludeFile_Button6 3403
#define IDC_ExcludeFile_Button3 3404
#define IDC_ExcludeFile_btnUp 3405
#define IDC_ExcludeFile_btnDown 3406
#define IDC_ExcludeFile_Button5 3407
#define IDC_ExcludeFile_SpeedButton2 3408
#define IDC_ExcludeFile_SpeedButton1 3409
#define IDC_ExcludeFile_SpeedButton3 IDCANCEL
#define IDC_ExcludeFile_SpeedButton4 3410
