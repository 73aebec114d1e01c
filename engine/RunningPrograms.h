#pragma once
// Running browsers that may hold the files a wash removes, and closing them the way their own
// close button does.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/CheckListModel.h"

struct RunningBrowser {
    std::string Name;        // "Google Chrome"
    std::string ImageName;   // "chrome.exe"
    std::vector<DWORD> ProcessIds;
};

// Ids of the processes holding any of the files, as the Restart Manager lists them; false when
// the system offers no such list.
bool RestartManagerHolders(const std::vector<std::wstring>& paths, std::vector<DWORD>& ids);
// The image file name of a running process ("chrome.exe"), or empty.
std::string ProcessImageName(DWORD processId);

// The browsers running now (Chrome, Edge, Brave, Firefox), found by their image names.
std::vector<RunningBrowser> FindRunningBrowsers();

// The image name of the browser a supplied wash item belongs to, by the item's name ("Google
// Chrome Cookies" is chrome.exe's, "Firefox Cache" firefox.exe's); empty for any other item.
std::string BrowserOfItem(const std::string& itemName);
// "Google Chrome" for "chrome.exe"; an unknown image name as it is.
std::string BrowserNameOfImage(const std::string& imageName);
// True while a process of that image name runs.
bool BrowserRunning(const std::string& imageName);

// Of the running browsers, those holding a checked file of the list. The Restart Manager names
// the holders where the system offers it; where it names nobody, a checked file held open
// without delete sharing counts against every running browser.
std::vector<RunningBrowser> BrowsersHoldingFiles(const CheckListModel& files);

// Sends WM_CLOSE to every top-level window of the browser's processes and waits up to
// timeoutMs for them to end; never ends a process itself. True when all have ended.
bool CloseBrowser(const RunningBrowser& browser, DWORD timeoutMs);
