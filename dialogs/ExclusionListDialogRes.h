#pragma once
// Control ids of ExclusionListDialog (range 3400-3499).
#define IDD_ExclusionListDialog 3400
#define IDC_ExclusionList_Label 3401
#define IDC_ExclusionList_List 3402
#define IDC_ExclusionList_AddByWildcard 3403
#define IDC_ExclusionList_AddByFileName 3404
#define IDC_ExclusionList_MoveUp 3405
#define IDC_ExclusionList_MoveDown 3406
#define IDC_ExclusionList_Delete 3407
#define IDC_ExclusionList_DeleteAll 3408
#define IDC_ExclusionList_Apply 3409
#define IDC_ExclusionList_Cancel IDCANCEL
#define IDC_ExclusionList_Help 3410

// Template texts (range 13400-13499); their English is in ExclusionListDialog.rc.
#define IDS_ExclusionList_Caption 13401
#define IDS_ExclusionList_Label 13402
#define IDS_ExclusionList_Apply 13403
#define IDS_ExclusionList_Cancel 13404
#define IDS_ExclusionList_Help 13405
