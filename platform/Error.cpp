#include "platform/Error.h"

#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/PlatformTexts.h"
#include "platform/WideText.h"

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxW(owner, Widen(message).c_str(), Widen(AppTitle).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool RunGuarded(HWND owner, const std::function<void()>& command,
                const std::function<void()>& cleanup) {
    std::string failure = RunCaught(command, cleanup);
    if (failure.empty()) return true;
    ShowErrorBox(owner, failure);
    return false;
}

std::string RunCaught(const std::function<void()>& command, const std::function<void()>& cleanup) {
    std::string failure;
    try {
        command();
    } catch (const std::bad_alloc&) {
        // Looking the text up may fail alike: the English then.
        try {
            failure = Text(IDS_OutOfMemory);
        } catch (const std::bad_alloc&) {
            failure = "Out of memory";
        }
    } catch (const std::exception& e) {
        failure = e.what();
        if (failure.empty()) failure = Text(IDS_UnknownError);
    }
    if (cleanup) cleanup();
    return failure;
}
