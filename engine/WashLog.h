#pragma once
// How often the wash log's buffer reaches the file while a wash goes on.
#include <windows.h>

// Rows older than ms are written at the next row (500 by default); returns the interval before.
// Tests shorten it to see rows reach the file without waiting.
DWORD SetWashLogFlushInterval(DWORD ms);
