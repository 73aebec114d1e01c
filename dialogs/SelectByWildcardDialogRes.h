#pragma once
// Control ids of SelectByWildcardDialog (range 3600-3699).
#define IDD_SelectByWildcardDialog 3600
#define IDC_SelectByWildcard_FolderLabel 3601
#define IDC_SelectByWildcard_Folder 3602
#define IDC_SelectByWildcard_Tree 3603
#define IDC_SelectByWildcard_MaskLabel 3604
#define IDC_SelectByWildcard_Mask 3605
#define IDC_SelectByWildcard_EditWildcards 3606
#define IDC_SelectByWildcard_Ok 3607
#define IDC_SelectByWildcard_Cancel IDCANCEL

// Template texts (range 13600-13699); their English is in SelectByWildcardDialog.rc.
#define IDS_SelectByWildcard_Caption 13601
#define IDS_SelectByWildcard_FolderLabel 13602
#define IDS_SelectByWildcard_MaskLabel 13603
#define IDS_SelectByWildcard_Ok 13604
#define IDS_SelectByWildcard_Cancel 13605
