#pragma once
// Control ids of WipeFreeSpaceDialog (range 4700-4799); "Cancel"/"Close" is IDCANCEL.
#define IDD_WipeFreeSpaceDialog 4700
#define IDC_Wipe_DriveLabel 4701
#define IDC_Wipe_Drive 4702
#define IDC_Wipe_Note 4703
#define IDC_Wipe_Progress 4704
#define IDC_Wipe_Status 4705
#define IDC_Wipe_Start 4706
