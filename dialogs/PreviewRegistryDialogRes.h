#pragma once
// Control ids of PreviewRegistryDialog (range 1400-1499).
#define IDD_PreviewRegistryDialog 1400
#define IDC_PreviewRegistry_Rows 1401
#define IDC_PreviewRegistry_SelectAll 1402
#define IDC_PreviewRegistry_UnselectAll 1403
#define IDC_PreviewRegistry_Wash 1404
#define IDC_PreviewRegistry_Close 1405
#define IDC_PreviewRegistry_Note 1406
#define IDC_PreviewRegistry_Totals 1407

// Template texts (range 11400-11499); their English is in PreviewRegistryDialog.rc.
#define IDS_PreviewRegistry_Caption 11401
#define IDS_PreviewRegistry_Wash 11402
#define IDS_PreviewRegistry_Close 11403
