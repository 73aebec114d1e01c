#pragma once
// Control ids of WildcardListDialog (range 3500-3599).
#define IDD_WildcardListDialog 3500
#define IDC_WildcardList_ListLabel 3501
#define IDC_WildcardList_List 3502
#define IDC_WildcardList_AddLabel 3503
#define IDC_WildcardList_NewWildcard 3504
#define IDC_WildcardList_Add 3505
#define IDC_WildcardList_Delete 3506
#define IDC_WildcardList_DeleteAll 3507
#define IDC_WildcardList_MoveUp 3508
#define IDC_WildcardList_MoveDown 3509
#define IDC_WildcardList_Ok 3510
#define IDC_WildcardList_Cancel IDCANCEL
#define IDC_WildcardList_Help 3511

// Template texts (range 13500-13599); their English is in WildcardListDialog.rc.
#define IDS_WildcardList_Caption 13501
#define IDS_WildcardList_ListLabel 13502
#define IDS_WildcardList_AddLabel 13503
#define IDS_WildcardList_Ok 13504
#define IDS_WildcardList_Cancel 13505
#define IDS_WildcardList_Help 13506
