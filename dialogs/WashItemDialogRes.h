#pragma once
// Control ids of WashItemDialog (range 2100-2199); Save and Cancel are IDOK and IDCANCEL.
#define IDD_WashItemDialog 2100
#define IDC_WashItem_Name 2101
#define IDC_WashItem_Active 2102
#define IDC_WashItem_File 2103
#define IDC_WashItem_Save IDOK
#define IDC_WashItem_Cancel IDCANCEL
