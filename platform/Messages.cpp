#include "platform/Messages.h"
#include "platform/WideText.h"

bool AskQuestion(HWND owner, const std::string& text) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

int AskYesNoCancel(HWND owner, const std::string& text) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
}

void ShowRefusal(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle).c_str(), MB_OK | MB_ICONERROR);
}

void ShowMissingChoice(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void ShowNote(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}
