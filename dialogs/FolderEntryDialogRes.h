#pragma once
// Control ids of FolderEntryDialog (range 2200-2299); Save and Cancel are IDOK and IDCANCEL.
#define IDD_FolderEntryDialog 2200
#define IDC_FolderEntry_Name 2201
#define IDC_FolderEntry_Active 2202
#define IDC_FolderEntry_SingleFile 2203
#define IDC_FolderEntry_FilePath 2204
#define IDC_FolderEntry_SelectFile 2205
#define IDC_FolderEntry_FolderMask 2206
#define IDC_FolderEntry_Mask 2207
#define IDC_FolderEntry_SelectByWildcard 2208
#define IDC_FolderEntry_FromRegistry 2209
#define IDC_FolderEntry_KeyName 2210
#define IDC_FolderEntry_Regedit 2211
#define IDC_FolderEntry_ValueName 2212
#define IDC_FolderEntry_IncludeSubfolders 2213
#define IDC_FolderEntry_Help 2214
#define IDC_FolderEntry_OlderThanHours 2215
#define IDC_FolderEntry_Save IDOK
#define IDC_FolderEntry_Cancel IDCANCEL

// Template texts (range 12200-12299); their English is in FolderEntryDialog.rc.
#define IDS_FolderEntry_Caption 12201
#define IDS_FolderEntry_NameLabel 12202
#define IDS_FolderEntry_Active 12203
#define IDS_FolderEntry_SingleFile 12204
#define IDS_FolderEntry_SelectFile 12205
#define IDS_FolderEntry_FolderMask 12206
#define IDS_FolderEntry_SelectByWildcard 12207
#define IDS_FolderEntry_FromRegistry 12208
#define IDS_FolderEntry_KeyNameLabel 12209
#define IDS_FolderEntry_Regedit 12210
#define IDS_FolderEntry_ValueNameLabel 12211
#define IDS_FolderEntry_IncludeSubfolders 12212
#define IDS_FolderEntry_Help 12213
#define IDS_FolderEntry_Save 12214
#define IDS_FolderEntry_Cancel 12215
#define IDS_FolderEntry_OlderThanLabel 12216
