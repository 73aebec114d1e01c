#pragma once
// Ids of the texts that app/ code shows or writes (range 38000-40999); English in AppTexts.rc,
// other languages in resources/lang/.
