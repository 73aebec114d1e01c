#pragma once
// Control ids of TFormPreviewAll (range 1600-1699).
#define IDD_TFormPreviewAll 1600
#define IDC_PreviewAll_PageControl1 1601
#define IDC_PreviewAll_CheckListBoxSpecial 1602
#define IDC_PreviewAll_AllbtnSelectall 1603
#define IDC_PreviewAll_AllbtnUnselectAll 1604
#define IDC_PreviewAll_CheckListBoxPreviewFolder 1605
#define IDC_PreviewAll_btnSelectall 1606
#define IDC_PreviewAll_btnUnselectAll 1607
#define IDC_PreviewAll_CheckListBoxPreviewregister 1608
#define IDC_PreviewAll_NewbtnSelectall 1609
#define IDC_PreviewAll_NewbtnUnselectAll 1610
#define IDC_PreviewAll_btnWashAll 1611
#define IDC_PreviewAll_SpeedButton2 1612
