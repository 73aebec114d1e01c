#pragma once
// Ids of the texts that engine/ code shows or writes (range 34000-35999); English in EngineTexts.rc,
// other languages in resources/lang/.
