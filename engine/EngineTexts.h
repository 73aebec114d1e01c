#pragma once
// Ids of the texts that engine/ code shows or writes (range 34000-35999); English in EngineTexts.rc,
// other languages in resources/lang/.

// The wash log: the heading of a block, the words of a row, the summary after it.
#define IDS_LogType 34000
#define IDS_LogMode 34001
#define IDS_LogStatus 34002
#define IDS_LogItems 34003
#define IDS_LogNote 34004
#define IDS_LogFolderFile 34005
#define IDS_LogRegistryEntry 34006
#define IDS_LogSpecialItem 34007
#define IDS_LogQuick 34008
#define IDS_LogSecure 34009
#define IDS_LogSuccess 34010
#define IDS_LogFail 34011
#define IDS_LogNotOpen 34012
#define IDS_WashSummary 34013

// Why a file stayed.
#define IDS_SpecificFile 34020
#define IDS_InUseBy 34021
#define IDS_AccessDenied 34022
#define IDS_NotFound 34023
#define IDS_FileLocked 34024
// A row in a protected place: refused, or (the user's own items) washed only when checked by hand.
#define IDS_Protected 34025
#define IDS_ProtectedOwn 34026
// Files marked for deletion when Windows restarts, looked at after the restart.
#define IDS_DeletedAtRestart 34027
#define IDS_StillThereAfterRestart 34028
// A link in the Recycle Bin that keeps it from being emptied.
#define IDS_RecycleBinLinks 34029
// A name the system resolves to another file by itself: left alone.
#define IDS_LinkLeftAlone 34030
// The Recycle Bin emptied of items older than a number of days.
#define IDS_RecycleBinByAge 34031
#define IDS_RecycleBinItemStays 34032

// Wiping free space.
#define IDS_WipeNoDrive 34040
#define IDS_WipeNotLocal 34041
#define IDS_WipeNotReady 34042
#define IDS_WipeRunning 34043
#define IDS_WipeFolderNotOurs 34044
#define IDS_PathError 34045
#define IDS_SystemErrorCode 34046
#define IDS_OleErrorCode 34047

// Paths the shredder refuses.
#define IDS_ShredMissing 34060
#define IDS_ShredDrive 34061
#define IDS_ShredLink 34062
#define IDS_ShredWindows 34063
#define IDS_ShredProgramFiles 34064
#define IDS_ShredProfile 34065
// Cookies and site storage (34800-34899)
#define IDS_Ck_CookiesGo 34800
#define IDS_Ck_CookiesRemoved 34801
#define IDS_Ck_CookiesKept 34802
#define IDS_Ck_SitesGo 34810
#define IDS_Ck_SitesRemoved 34811
#define IDS_Ck_SitesLeft 34812
#define IDS_Ck_SitesKept 34813
#define IDS_Ck_StoreGoes 34820
#define IDS_Ck_StoreRemoved 34821
#define IDS_Ck_StoreLeft 34822
#define IDS_Ck_StoreKept 34823
#define IDS_Ck_StoreUnread 34824
#define IDS_Ck_LocalStorage 34830
#define IDS_Ck_SessionStorage 34831
#define IDS_Ck_ServiceWorkers 34832
// Browser databases (34900-34999)
#define IDS_Db_Missing 34900
#define IDS_Db_BrowserRunning 34901
#define IDS_Db_InUse 34902
#define IDS_Db_UnknownLayout 34903
#define IDS_Db_Damaged 34904
// What a history item washes in a database, and what compacting gives back.
#define IDS_Hist_Visits 34910
#define IDS_Hist_Kept 34911
#define IDS_Hist_Entries 34912
#define IDS_Hist_Unused 34913
#define IDS_Hist_GivenBack 34914
// Database items in a wash: the Summary page's counts, a journal that stays.
#define IDS_Db_Totals 34961
#define IDS_Db_LeftAlone 34962
#define IDS_Db_JournalStays 34963
