#pragma once
// Control ids of RegistryEntryDialog (range 2300-2399); Save and Cancel are IDOK and IDCANCEL.
#define IDD_RegistryEntryDialog 2300
#define IDC_RegistryEntry_Name 2301
#define IDC_RegistryEntry_Active 2302
#define IDC_RegistryEntry_KeyName 2303
#define IDC_RegistryEntry_Regedit 2304
#define IDC_RegistryEntry_CleanSingleValue 2305
#define IDC_RegistryEntry_ValueNameLabel 2306
#define IDC_RegistryEntry_ValueName 2307
#define IDC_RegistryEntry_CleanAllValues 2308
#define IDC_RegistryEntry_CleanWholeKey 2309
#define IDC_RegistryEntry_Help 2310
#define IDC_RegistryEntry_Save IDOK
#define IDC_RegistryEntry_Cancel IDCANCEL

// Template texts (range 12300-12399); their English is in RegistryEntryDialog.rc.
#define IDS_RegistryEntry_Caption 12301
#define IDS_RegistryEntry_NameLabel 12302
#define IDS_RegistryEntry_Active 12303
#define IDS_RegistryEntry_KeyNameLabel 12304
#define IDS_RegistryEntry_Regedit 12305
#define IDS_RegistryEntry_CleanSingleValue 12306
#define IDS_RegistryEntry_ValueNameLabel 12307
#define IDS_RegistryEntry_CleanAllValues 12308
#define IDS_RegistryEntry_CleanWholeKey 12309
#define IDS_RegistryEntry_Help 12310
#define IDS_RegistryEntry_Save 12311
#define IDS_RegistryEntry_Cancel 12312
