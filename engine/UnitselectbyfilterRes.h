#pragma once
// Control ids of TFormselectbyfilter (range 3600-3699).
#define IDD_TFormselectbyfilter 3600
#define IDC_selectbyfilter_Label4 3601
#define IDC_selectbyfilter_labFolder 3602
#define IDC_selectbyfilter_ShellTree1 3603
#define IDC_selectbyfilter_Label3 3604
#define IDC_selectbyfilter_ComboBox1 3605
#define IDC_selectbyfilter_SpeedButton1 3606
#define IDC_selectbyfilter_Button1 3607
#define IDC_selectbyfilter_Button2 IDCANCEL
