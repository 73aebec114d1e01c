#pragma once
// Ids of the texts that settings/ code shows or writes (range 31000-31999); English in SettingsTexts.rc,
// other languages in resources/lang/.
#define IDS_SetByAdministrator 31000
#define IDS_ShredVerb 31001
