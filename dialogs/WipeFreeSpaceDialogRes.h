#pragma once
// Control ids of WipeFreeSpaceDialog (range 4700-4799); "Cancel"/"Close" is IDCANCEL.
#define IDD_WipeFreeSpaceDialog 4700
#define IDC_Wipe_DriveLabel 4701
#define IDC_Wipe_Drive 4702
#define IDC_Wipe_Note 4703
#define IDC_Wipe_Progress 4704
#define IDC_Wipe_Status 4705
#define IDC_Wipe_Start 4706

// Template texts (range 14700-14799); their English is in WipeFreeSpaceDialog.rc.
#define IDS_Wipe_Caption 14701
#define IDS_Wipe_DriveLabel 14702
#define IDS_Wipe_Note 14703
#define IDS_Wipe_Start 14704
#define IDS_Wipe_Close 14705
