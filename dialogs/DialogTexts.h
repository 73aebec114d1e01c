#pragma once
// Ids of the texts that dialogs/ code shows or writes (range 36000-37999); English in DialogTexts.rc,
// other languages in resources/lang/.
