#pragma once
// Control ids of PreviewAllDialog (range 1600-1699).
#define IDD_PreviewAllDialog 1600
#define IDC_PreviewAll_Tabs 1601
#define IDC_PreviewAll_Specials 1602
#define IDC_PreviewAll_SelectAllSpecials 1603
#define IDC_PreviewAll_UnselectAllSpecials 1604
#define IDC_PreviewAll_Files 1605
#define IDC_PreviewAll_SelectAllFiles 1606
#define IDC_PreviewAll_UnselectAllFiles 1607
#define IDC_PreviewAll_Registry 1608
#define IDC_PreviewAll_SelectAllRegistry 1609
#define IDC_PreviewAll_UnselectAllRegistry 1610
#define IDC_PreviewAll_Wash 1611
#define IDC_PreviewAll_Close 1612
#define IDC_PreviewAll_SpecialTotals 1613
#define IDC_PreviewAll_FileTotals 1614
#define IDC_PreviewAll_RegistryTotals 1615
#define IDC_PreviewAll_Summary 1616

// Template texts (range 11600-11699); their English is in PreviewAllDialog.rc.
#define IDS_PreviewAll_Caption 11601
#define IDS_PreviewAll_Wash 11602
#define IDS_PreviewAll_Close 11603
