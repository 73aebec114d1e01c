#pragma once
// The browser's URL history.

// Clears the URL history through the system's URL history object. Raises AppError when the
// object can't be created or doesn't offer IUrlHistoryStg2; the result of the clearing itself
// is not reported. COM must be initialised on the calling thread.
void ClearUrlHistory();
