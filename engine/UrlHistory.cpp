#include "engine/UrlHistory.h"

#include <windows.h>
#include <objbase.h>
#include <urlhist.h>

#include <string>

#include "engine/EngineTexts.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/WideText.h"

namespace {

const CLSID UrlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID UrlHistoryStg2Interface = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

// The system's message as UTF-8, as every text of the program (an ANSI message would not be).
std::string ComErrorText(HRESULT hr) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (n && text) message = Narrow(text, n);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (message.empty()) {
        char code[16];
        wsprintfA(code, "%08X", static_cast<unsigned>(hr));
        message = FormatText(IDS_OleErrorCode, code);
    }
    return message;
}

}  // namespace

void ClearUrlHistory() {
    IUnknown* object = nullptr;
    HRESULT hr = CoCreateInstance(UrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) throw AppError(ComErrorText(hr));
    IUrlHistoryStg2* history = nullptr;
    hr = object->QueryInterface(UrlHistoryStg2Interface, reinterpret_cast<void**>(&history));
    if (FAILED(hr) || !history) {
        object->Release();
        throw AppError(ComErrorText(FAILED(hr) ? hr : E_NOINTERFACE));
    }
    history->ClearHistory();
    history->Release();
    object->Release();
}
