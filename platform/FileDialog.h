#pragma once
// The common file open and save dialogs.
#include <windows.h>

#include <string>

struct FileDialogRequest {
    bool save = false;
    std::string title;
    // Pairs of description and mask, each part ended by "|": "TXT file (*.TXT)|*.TXT".
    std::string filter;
    std::string defaultExt;
    DWORD flags = 0;  // OFN_ flags besides OFN_EXPLORER
};

// Shows the dialog; the chosen file's full path, or empty when the user cancelled.
std::string ShowFileDialog(HWND owner, const FileDialogRequest& request);
