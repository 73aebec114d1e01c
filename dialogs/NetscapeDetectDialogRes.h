#pragma once
// Control ids of NetscapeDetectDialog (range 2500-2599); "Can&cel" is IDCANCEL.
#define IDD_NetscapeDetectDialog 2500
#define IDC_NetscapeDetect_IntroLine1 2501
#define IDC_NetscapeDetect_IntroLine2 2502
#define IDC_NetscapeDetect_Folders 2503
#define IDC_NetscapeDetect_Auto 2504
#define IDC_NetscapeDetect_Manual 2505
#define IDC_NetscapeDetect_Status 2506
#define IDC_NetscapeDetect_DontShowAgain 2507
#define IDC_NetscapeDetect_Ok 2508
#define IDC_NetscapeDetect_Cancel IDCANCEL

// Template texts (range 12500-12599); their English is in NetscapeDetectDialog.rc.
#define IDS_NetscapeDetect_Caption 12501
#define IDS_NetscapeDetect_IntroLine1 12502
#define IDS_NetscapeDetect_IntroLine2 12503
#define IDS_NetscapeDetect_Auto 12504
#define IDS_NetscapeDetect_Manual 12505
#define IDS_NetscapeDetect_DontShowAgain 12506
#define IDS_NetscapeDetect_Ok 12507
#define IDS_NetscapeDetect_Cancel 12508
