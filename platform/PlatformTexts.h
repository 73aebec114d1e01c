#pragma once
// Ids of the texts that platform/ code shows or writes (range 30000-30999); English in PlatformTexts.rc,
// other languages in resources/lang/.
#define IDS_UnableToWriteTo 30000
#define IDS_InvalidDataType 30001
#define IDS_FailedToSetData 30002
#define IDS_OutOfMemory 30003
#define IDS_UnknownError 30004
#define IDS_ListColumnName 30005
#define IDS_ListColumnSize 30006
#define IDS_ListColumnNote 30007
#define IDS_SpaceOneByte 30008
#define IDS_SpaceBytes 30009
#define IDS_SpaceKB 30010
#define IDS_SpaceMB 30011
#define IDS_SpaceGB 30012
#define IDS_SpaceTB 30013
// Why a stored INI file can't be read as it is.
#define IDS_StoredTextNotText 30014
#define IDS_StoredTextUnmarkedUtf16 30015
