#include "platform/Help.h"

#include <windows.h>
#include <htmlhelp.h>

void ShowHelpContext(const std::string& helpFile, int context) {
    if (HelpViewerHook) {
        HelpViewerHook(helpFile, context);
        return;
    }
    HtmlHelpA(GetDesktopWindow(), helpFile.c_str(), HH_HELP_CONTEXT, static_cast<DWORD_PTR>(context));
}
