#pragma once
// Ids of the texts that catalogue/ code shows or writes (range 32000-33999); English in CatalogueTexts.rc,
// other languages in resources/lang/.

// A file row of a folder that goes when empty; why a registry entry lists nothing.
#define IDS_FolderRemovedWhenEmpty 32000
#define IDS_EntryNamesNoKey 32001
#define IDS_EntryRootUnknown 32002
#define IDS_EntryWholeRootKey 32003
// The files a folder entry's age limit leaves.
#define IDS_EntryAgeLimit 32004

// A file search given a name or folder it can't take.
#define IDS_SearchInvalidFilename 32010
#define IDS_SearchLocationWildcards 32011

// A plug-in file refused on import, and what its entry would clean.
#define IDS_PluginNoWashItem 32020
#define IDS_PluginRefused 32021
#define IDS_PluginPathNotAbsolute 32022
#define IDS_PluginFolderWithSubfolders 32023
#define IDS_PluginFolderFromUnknownRoot 32024
#define IDS_PluginKeyUnknownRoot 32025
#define IDS_PluginWholeKey 32026

// A winapp2.ini key refused, and why.
#define IDS_Winapp2Refused 32040
#define IDS_Winapp2NoPath 32041
#define IDS_Winapp2MaskWithFolder 32042
#define IDS_Winapp2UnknownVariable 32043
#define IDS_Winapp2UnknownRoot 32044
#define IDS_Winapp2RootOrFirstLevel 32045
#define IDS_Winapp2RegistryRoot 32046
#define IDS_UnsafeNotAbsolute 32047
#define IDS_UnsafeDots 32048
#define IDS_UnsafeDriveRoot 32049
#define IDS_UnsafeSystemFolder 32050
#define IDS_UnsafeWindowsFolder 32051

// A stored file that is kept as it is because it can't be read.
#define IDS_StoredFileKept 32060
// A keep list of sites that can't be read.
#define IDS_SiteListUnreadable 32061
