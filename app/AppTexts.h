#pragma once
// Ids of the texts that app/ code shows or writes (range 38000-40999); English in AppTexts.rc,
// other languages in resources/lang/.

// The tray: its menu, the "&Wash" submenu's first row, its tip; the space freed beside the counters.
#define IDS_TrayOpenMainWindow 38000
#define IDS_TrayWash 38001
#define IDS_TrayWipeFreeSpace 38002
#define IDS_TrayHelp 38003
#define IDS_TrayExit 38004
#define IDS_WashAllChecked 38005
#define IDS_TrayFreed 38006
#define IDS_FreedSpace 38007
#define IDS_TrayCookies 38008

// Questions and messages of the main window.
#define IDS_ConfirmClean 38020
#define IDS_EntrySubject 38021
#define IDS_ItemSubject 38022
#define IDS_ConfirmWashAll 38023
#define IDS_BrowserRunning 38024
#define IDS_LogNotWritten 38025
#define IDS_ConfirmDeleteLog 38026
#define IDS_LogDeleted 38027
#define IDS_LogNotDeleted 38028
#define IDS_Winapp2ItemReadOnly 38030
#define IDS_Winapp2Warning 38031
#define IDS_Winapp2AlreadyThere 38032
#define IDS_FileExistsOverwrite 38033
#define IDS_UnableToCopy 38034
#define IDS_Winapp2Summary 38035
#define IDS_StoredFileUnreadable 38036
#define IDS_OrderFileUnreadable 38037

// Plug-in export and import.
#define IDS_PluginFilter 38040
#define IDS_UnableToWrite 38041
#define IDS_ExportTitle 38042
#define IDS_ExportOwnFile 38043
#define IDS_ExportNote 38044
#define IDS_ExportSkipped 38045
#define IDS_ImportTitle 38046
#define IDS_PluginAlreadyThere 38047
#define IDS_PluginNotTxt 38048
#define IDS_UnableToCreateFolder 38049
#define IDS_UnableToCopyBecause 38050
#define IDS_SystemError 38051
#define IDS_SystemErrorHex 38052

// Wash items and their entries.
#define IDS_NameExists 38060
#define IDS_ReservedName 38061
#define IDS_ItemUnlisted 38062
#define IDS_AddWashItem 38063
#define IDS_EditWashItem 38064
#define IDS_NewItem 38065
#define IDS_ConfirmDelete 38066
#define IDS_ConfirmDeleteEntry 38067
#define IDS_AddFolderEntry 38068
#define IDS_EditFolderEntry 38069
#define IDS_AddRegistryEntry 38070
#define IDS_EditRegistryEntry 38071
#define IDS_EntryExists 38072
#define IDS_EntryGone 38073

// The session's end and the log rows of automatic washes that failed.
#define IDS_ShutdownReason 38080
#define IDS_TimedWash 38081
#define IDS_WashAtShutdown 38082
#define IDS_BrowserClosedWash 38083

// /shred
#define IDS_FileNotShredded 38090
#define IDS_FilesNotShredded 38091
// The preview's caption: the name of Explorer's verb (settings/ShredVerb.h) in the language in use.
#define IDS_ShredCaption 38092

// The command line.
#define IDS_Usage 38100
#define IDS_UnknownOption 38101
#define IDS_TooManyArguments 38102
#define IDS_ReportNeedsFile 38103
#define IDS_ShredNeedsPath 38104
#define IDS_WipeNeedsDrive 38105
#define IDS_ListNeedsFile 38106
#define IDS_UnableToWriteFile 38107
#define IDS_NotWashed 38108
#define IDS_WashCounts 38109
#define IDS_WashSummaryLine 38110
#define IDS_AlreadyRunning 38111
#define IDS_ItemNeedsName 38112
#define IDS_UnknownItem 38113

// /wipe
#define IDS_NoDriveLetter 38120
#define IDS_WipingFreeSpace 38121
#define IDS_WipeSsdNote 38122
#define IDS_WipePercent 38123
#define IDS_WipeDone 38124
#define IDS_Megabytes 38125
#define IDS_WipeCancelled 38126
#define IDS_WipeFailed 38127

// Files a wash left in use, deleted when Windows restarts.
#define IDS_RestartDeleteOne 38130
#define IDS_RestartDeleteMany 38131
#define IDS_RestartNeedsAdministrator 38132
#define IDS_RestartMarked 38133
#define IDS_BrowserRunningDatabases 38180
