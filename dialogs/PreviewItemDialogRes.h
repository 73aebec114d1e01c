#pragma once
// Control ids of PreviewItemDialog (range 1500-1599).
#define IDD_PreviewItemDialog 1500
#define IDC_PreviewItem_Tabs 1501
#define IDC_PreviewItem_Files 1502
#define IDC_PreviewItem_SelectAllFiles 1503
#define IDC_PreviewItem_UnselectAllFiles 1504
#define IDC_PreviewItem_Registry 1505
#define IDC_PreviewItem_SelectAllRegistry 1506
#define IDC_PreviewItem_UnselectAllRegistry 1507
#define IDC_PreviewItem_Wash 1508
#define IDC_PreviewItem_Close 1509
#define IDC_PreviewItem_FileTotals 1510
#define IDC_PreviewItem_RegistryTotals 1511
#define IDC_PreviewItem_FileNote 1512
#define IDC_PreviewItem_Databases 1513
#define IDC_PreviewItem_DatabaseTotals 1514

// Template texts (range 11500-11599); their English is in PreviewItemDialog.rc.
#define IDS_PreviewItem_Caption 11501
#define IDS_PreviewItem_Wash 11502
#define IDS_PreviewItem_Close 11503
