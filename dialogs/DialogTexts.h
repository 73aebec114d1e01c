#pragma once
// Ids of the texts that dialogs/ code shows or writes (range 36000-37999); English in DialogTexts.rc,
// other languages in resources/lang/.

// Preferences
#define IDS_Dlg_PrefsTabRun 36000
#define IDS_Dlg_PrefsTabSchedule 36001
#define IDS_Dlg_PrefsTabHotKey 36002
#define IDS_Dlg_PrefsTabOptions 36003
#define IDS_Dlg_PrefsHotKeyConflict 36004
#define IDS_Dlg_PrefsLanguageLabel 36006
#define IDS_Dlg_PrefsLanguageAutomatic 36007
#define IDS_Dlg_PrefsLanguageNextStart 36008

// About
#define IDS_Dlg_AboutLanguage 36020

// Previews
#define IDS_Dlg_TotalsWithSpace 36040
#define IDS_Dlg_Totals 36041
#define IDS_Dlg_TabSummary 36042
#define IDS_Dlg_TabCleanSpecial 36043
#define IDS_Dlg_TabCleanFiles 36044
#define IDS_Dlg_TabCleanRegistry 36045
#define IDS_Dlg_TabWasherFolder 36046
#define IDS_Dlg_TabWasherRegister 36047
#define IDS_Dlg_SummaryWashItem 36048
#define IDS_Dlg_SummaryFiles 36049
#define IDS_Dlg_SummarySpace 36050
#define IDS_Dlg_SummaryRegistryRows 36051

// Editors and lists
#define IDS_Dlg_RelativePath 36060
#define IDS_Dlg_UnrootedKey 36061
#define IDS_Dlg_AllFilesFilter 36062
#define IDS_Dlg_SelectFilesByName 36063
#define IDS_Dlg_SelectFolderFirst 36064
#define IDS_Dlg_SelectItemFirst 36065

// Netscape detection
#define IDS_Dlg_NetscapeSearchAsk 36080
#define IDS_Dlg_NetscapeSearching 36081
#define IDS_Dlg_NetscapeSearchStopped 36082
#define IDS_Dlg_NetscapeBrowseTitle 36083
#define IDS_Dlg_NetscapeNoChoice 36084
#define IDS_Dlg_NetscapeNotProfile 36085
#define IDS_Dlg_NetscapeNoUser 36086

// Wipe free space
#define IDS_Dlg_WipeSizeGB 36100
#define IDS_Dlg_WipeSizeMB 36101
#define IDS_Dlg_WipeLessThanMinute 36102
#define IDS_Dlg_WipeMinutesLeft 36103
#define IDS_Dlg_WipeHoursLeft 36104
#define IDS_Dlg_WipeDriveRow 36105
#define IDS_Dlg_WipeChooseDrive 36106
#define IDS_Dlg_WipeCancel 36107
#define IDS_Dlg_WipeClose 36108
#define IDS_Dlg_WipeWiping 36109
#define IDS_Dlg_WipeCancelling 36110
#define IDS_Dlg_WipeFileTable 36111
#define IDS_Dlg_WipeProgress 36112
#define IDS_Dlg_WipeProgressTimeLeft 36113
#define IDS_Dlg_WipeDone 36114
#define IDS_Dlg_WipeCancelled 36115
#define IDS_Dlg_WipeFailed 36116
// A folder entry's age limit that is no whole number of hours.
#define IDS_Dlg_HoursNotNumber 36120
// The folder entry editor, on an entry that names a protected place.
#define IDS_Dlg_ProtectedPlace 36117
#define IDS_Dlg_TabDatabases 36180
#define IDS_Dlg_SummaryDatabases 36181
#define IDS_Dlg_AboutSqlite 36182

// The Cookies dialog.
#define IDS_Dlg_CookiesSite 36130
#define IDS_Dlg_CookiesCount 36131
#define IDS_Dlg_CookiesStorage 36132
#define IDS_Dlg_CookiesDeleteOne 36133
#define IDS_Dlg_CookiesDeleteMany 36134
#define IDS_Dlg_CookiesNotDeleted 36135
#define IDS_Dlg_CookiesRefusedLines 36136
#define IDS_Dlg_CookiesFileFilter 36137
#define IDS_Dlg_CookiesImportTitle 36138
#define IDS_Dlg_CookiesExportTitle 36139
