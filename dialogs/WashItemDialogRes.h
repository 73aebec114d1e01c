#pragma once
// Control ids of WashItemDialog (range 2100-2199); Save and Cancel are IDOK and IDCANCEL.
#define IDD_WashItemDialog 2100
#define IDC_WashItem_Name 2101
#define IDC_WashItem_Active 2102
#define IDC_WashItem_File 2103
#define IDC_WashItem_Save IDOK
#define IDC_WashItem_Cancel IDCANCEL

// Template texts (range 12100-12199); their English is in WashItemDialog.rc.
#define IDS_WashItem_Caption 12101
#define IDS_WashItem_NameLabel 12102
#define IDS_WashItem_Active 12103
#define IDS_WashItem_FileLabel 12104
#define IDS_WashItem_Save 12105
#define IDS_WashItem_Cancel 12106
