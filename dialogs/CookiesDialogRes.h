#pragma once
// Control ids of CookiesDialog (range 4800-4899).
#define IDD_CookiesDialog 4800
#define IDC_Cookies_SitesLabel 4801
#define IDC_Cookies_FilterLabel 4802
#define IDC_Cookies_Filter 4803
#define IDC_Cookies_Sites 4804
#define IDC_Cookies_Keep 4805
#define IDC_Cookies_Release 4806
#define IDC_Cookies_KeptLabel 4807
#define IDC_Cookies_Kept 4808
#define IDC_Cookies_Delete 4809
#define IDC_Cookies_DeleteAll 4810
#define IDC_Cookies_Import 4811
#define IDC_Cookies_Export 4812
#define IDC_Cookies_Held 4813
#define IDC_Cookies_OK IDOK
#define IDC_Cookies_Cancel IDCANCEL
#define IDC_Cookies_Help 4814

// Template texts (range 14800-14899); their English is in CookiesDialog.rc.
#define IDS_Cookies_Caption 14801
#define IDS_Cookies_SitesLabel 14802
#define IDS_Cookies_FilterLabel 14803
#define IDS_Cookies_Keep 14804
#define IDS_Cookies_Release 14805
#define IDS_Cookies_KeptLabel 14806
#define IDS_Cookies_Delete 14807
#define IDS_Cookies_DeleteAll 14808
#define IDS_Cookies_Import 14809
#define IDS_Cookies_Export 14810
#define IDS_Cookies_OK 14811
#define IDS_Cookies_Cancel 14812
#define IDS_Cookies_Help 14813
