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
