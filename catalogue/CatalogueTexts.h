#pragma once
// Ids of the texts that catalogue/ code shows or writes (range 32000-33999); English in CatalogueTexts.rc,
// other languages in resources/lang/.
