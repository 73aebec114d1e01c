#pragma once
// Control ids of PreviewFilesDialog (range 1300-1399).
#define IDD_PreviewFilesDialog 1300
#define IDC_PreviewFiles_Files 1301
#define IDC_PreviewFiles_SelectAll 1302
#define IDC_PreviewFiles_UnselectAll 1303
#define IDC_PreviewFiles_Wash 1304
#define IDC_PreviewFiles_Close 1305
#define IDC_PreviewFiles_Totals 1306
#define IDC_PreviewFiles_Note 1307

// Template texts (range 11300-11399); their English is in PreviewFilesDialog.rc.
#define IDS_PreviewFiles_Caption 11301
#define IDS_PreviewFiles_Wash 11302
#define IDS_PreviewFiles_Close 11303
