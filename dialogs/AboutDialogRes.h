#pragma once
// Control ids of AboutDialog (range 4000-4099); its OK button is IDOK.
#define IDD_AboutDialog 4000
#define IDC_About_Icon 4001
#define IDC_About_ProductName 4002
#define IDC_About_Version 4003
#define IDC_About_Comments 4004
#define IDC_About_Rules 4005
#define IDC_About_Language 4006
#define IDC_About_Sqlite 4007

// Template texts (range 14000-14099); their English is in AboutDialog.rc.
#define IDS_About_Caption 14001
#define IDS_About_ProductName 14002
#define IDS_About_Version 14003
#define IDS_About_Comments 14004
#define IDS_About_Ok 14005
