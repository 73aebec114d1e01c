#include "app/CloseBrowsers.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>

#include <cstring>

#include "app/AppTexts.h"
#include "platform/Language.h"

namespace {
std::string SystemText(HRESULT hr) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (message.empty()) {
        char code[16];
        wsprintfA(code, "%08lX", static_cast<unsigned long>(hr));
        message = FormatText(IDS_SystemErrorHex, code);
    }
    return message;
}

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::string Narrow(BSTR text) {
    if (!text) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, s.data(), n, nullptr, nullptr);
    s.resize(strlen(s.c_str()));
    return s;
}

// A folder window shows a shell folder view as its document; a browser shows a page.
bool IsFolderWindow(IWebBrowser2* browser) {
    ComPtr<IDispatch> document;
    if (SUCCEEDED(browser->get_Document(&document)) && document.p) {
        ComPtr<IShellFolderViewDual> view;
        if (SUCCEEDED(document->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(&view))))
            return true;
    }
    BSTR fullName = nullptr;
    bool explorer = SUCCEEDED(browser->get_FullName(&fullName)) && IsFileExplorerHost(Narrow(fullName));
    SysFreeString(fullName);
    return explorer;
}
}  // namespace

bool IsFileExplorerHost(const std::string& fullName) {
    size_t slash = fullName.find_last_of("\\/");
    std::string name = slash == std::string::npos ? fullName : fullName.substr(slash + 1);
    return _stricmp(name.c_str(), "explorer.exe") == 0;
}

std::string HideBrowserWindows() {
    ComPtr<IShellWindows> windows;
    HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                  reinterpret_cast<void**>(&windows));
    if (FAILED(hr)) return SystemText(hr);
    long count = 0;
    hr = windows->get_Count(&count);
    if (FAILED(hr)) return SystemText(hr);
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<IDispatch> item;
        if (FAILED(windows->Item(index, &item)) || !item.p) continue;
        ComPtr<IWebBrowser2> browser;
        if (FAILED(item->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) continue;
        if (IsFolderWindow(browser.p)) continue;
        browser->Stop();
        browser->put_Visible(VARIANT_FALSE);
    }
    return {};
}
