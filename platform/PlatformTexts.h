#pragma once
// Ids of the texts that platform/ code shows or writes (range 30000-30999); English in PlatformTexts.rc,
// other languages in resources/lang/.
