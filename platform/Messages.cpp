#include "platform/Messages.h"

bool AskQuestion(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), AppTitle, MB_YESNO | MB_ICONWARNING) == IDYES;
}

void ShowRefusal(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), AppTitle, MB_OK | MB_ICONERROR);
}

void ShowMissingChoice(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), AppTitle, MB_OK | MB_ICONWARNING);
}

void ShowNote(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), AppTitle, MB_OK | MB_ICONINFORMATION);
}
