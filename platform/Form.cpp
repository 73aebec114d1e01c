#include "platform/Form.h"

#include <commctrl.h>

#include "platform/Help.h"

#include <algorithm>

#include "platform/DialogTemplate.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/UiFont.h"
#include "platform/WideText.h"

Form::~Form() {
    if (handle_ && !modal_) DestroyWindow(handle_);
}

int Form::ShowModal(HWND owner) {
    modal_ = true;
    modalResult_ = mrNone;
    INT_PTR r = CreateFromTemplate(owner);
    handle_ = nullptr;
    return r < 0 ? mrCancel : static_cast<int>(r);
}

HWND Form::CreateModeless(HWND owner) {
    modal_ = false;
    CreateFromTemplate(owner);
    return handle_;
}

INT_PTR Form::CreateFromTemplate(HWND owner) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    // A form laid out at a size of its own is made bare; WM_INITDIALOG makes its controls in place.
    DialogTemplate layout;
    if (size96_.cx <= 0 || !layout.Load(instance, templateId_)) {
        if (modal_) return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId_), owner, DialogProc, self);
        CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId_), owner, DialogProc, self);
        return 0;
    }
    spread_ = &layout;
    INT_PTR r = 0;
    if (modal_) r = DialogBoxIndirectParamW(instance, layout.Header(), owner, DialogProc, self);
    else CreateDialogIndirectParamW(instance, layout.Header(), owner, DialogProc, self);
    spread_ = nullptr;
    return r;
}

void Form::Close(int result) {
    modalResult_ = result;
    if (!handle_) return;
    if (modal_) EndDialog(handle_, result);
    else DestroyWindow(handle_);
}

std::string Form::ControlText(int id) const {
    HWND control = Control(id);
    int n = GetWindowTextLengthW(control);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(control, text.data(), n + 1);
    text.resize(wcslen(text.c_str()));
    return Narrow(text);
}

void Form::SetControlText(int id, const std::string& text) { SetWindowTextW(Control(id), Widen(text).c_str()); }

void Form::ShowHelp() {
    if (HelpFile.empty() || HelpContext == 0) return;
    ShowHelpContext(HelpFile, HelpContext);
}

void Form::AddHint(HWND control, const std::string& text) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    std::wstring wide = Widen(text);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = handle_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Form::AddHints() {
    if (hintsAdded_ || !handle_) return;
    hintsAdded_ = true;
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (id <= 0) continue;
        std::string hint = Text(static_cast<UINT>(id));
        if (!hint.empty()) AddHint(child, hint);
    }
}

// The template's English caption and control texts in the language in use.
void Form::TranslateTemplate() {
    auto translate = [](HWND window) {
        wchar_t text[1024];
        int n = GetWindowTextW(window, text, 1024);
        if (n <= 0) return;
        std::string english = Narrow(text, static_cast<size_t>(n));
        std::string shown = TranslateUiText(english);
        if (shown != english) SetWindowTextW(window, Widen(shown).c_str());
    };
    translate(handle_);
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32];
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Edit") != 0) translate(child);
    }
}

void Form::SetButtonIcon(int id, int iconId, int pixels) {
    buttonIcons_.Set(Control(id), LoadIconSized(iconId, pixels), IconSizeFor(pixels));
}

namespace {
// The top left corner of a window of w x h centred on the desktop's work area.
POINT CentredOnWorkArea(int w, int h) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2};
}
}  // namespace

void Form::CentreOnDesktop() {
    RECT rc;
    GetWindowRect(handle_, &rc);
    const POINT at = CentredOnWorkArea(rc.right - rc.left, rc.bottom - rc.top);
    SetWindowPos(handle_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Form::SetClientSize(int width, int height) {
    RECT rc{0, 0, width, height};
    AdjustWindowRectForDpi(rc, handle_, dpi_);
    SetWindowPos(handle_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

bool Form::CreateSpreadControls(const DialogTemplate& layout) {
    ControlsWanted();
    RECT client;
    GetClientRect(handle_, &client);
    const int width = std::max<int>(Scale(size96_.cx), client.right);
    const int height = std::max<int>(Scale(size96_.cy), client.bottom);
    if (!CreateControlsSpread(handle_, layout, width, height)) return false;
    // Its size and, for a centred template, its place in one move (one that may activate: with
    // SWP_NOACTIVATE Wine shows the window inactive later).
    RECT frame{0, 0, width, height};
    AdjustWindowRectForDpi(frame, handle_, dpi_);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT now;
    GetWindowRect(handle_, &now);
    const POINT at = (layout.Style() & DS_CENTER) ? CentredOnWorkArea(w, h) : POINT{now.left, now.top};
    SetWindowPos(handle_, nullptr, at.x, at.y, w, h, SWP_NOZORDER);
    return true;
}

void Form::FitClientSize96(int width96, int height96) {
    RECT client;
    GetClientRect(handle_, &client);
    int width = std::max<int>(Scale(width96), client.right), height = std::max<int>(Scale(height96), client.bottom);
    if (client.right > 0 && client.bottom > 0 && (width > client.right || height > client.bottom)) {
        for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rc;
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&rc), 2);
            int left = MulDiv(rc.left, width, client.right), top = MulDiv(rc.top, height, client.bottom);
            SetWindowPos(child, nullptr, left, top, MulDiv(rc.right, width, client.right) - left,
                         MulDiv(rc.bottom, height, client.bottom) - top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SetClientSize(width, height);
}

INT_PTR CALLBACK Form::DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* form;
    if (msg == WM_INITDIALOG) {
        form = reinterpret_cast<Form*>(lParam);
        form->handle_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!form) return FALSE;
    INT_PTR r = form->Handle(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        form->handle_ = nullptr;
        form->tooltip_ = nullptr;
        form->buttonIcons_.Clear();
        form->hintsAdded_ = false;
        if (form->scaledFont_) DeleteObject(form->scaledFont_);
        form->scaledFont_ = nullptr;
    }
    return r;
}

INT_PTR Form::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (msg) {
        case WM_INITDIALOG:
            dpi_ = WindowDpi(handle_);
            TakeOverDialogScaling(handle_);
            if (spread_ && !CreateSpreadControls(*std::exchange(spread_, nullptr))) {
                Close(mrCancel);
                return FALSE;
            }
            UseLanguageFont(handle_, scaledFont_);
            TranslateTemplate();
            if (!hintsLater_) AddHints();
            FormCreate();
            return TRUE;
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            auto it = commands_.find({id, code});
            if (it != commands_.end()) {
                it->second();
                return TRUE;
            }
            if (id == IDCANCEL && code == BN_CLICKED && lParam == 0) {
                // Escape ends a modal form; it never closes the main window.
                if (modal_) CloseQuery();
                return TRUE;
            }
            break;
        }
        case WM_NOTIFY:
            if (buttonIcons_.HandleNotify(reinterpret_cast<NMHDR*>(lParam), result) ||
                Notify(reinterpret_cast<NMHDR*>(lParam), result)) {
                SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            break;
        case WM_HELP:
            ShowHelp();
            return TRUE;
        case WM_DPICHANGED: {
            int old = dpi_;
            dpi_ = LOWORD(wParam);
            RescaleWindow(handle_, old, dpi_, reinterpret_cast<const RECT*>(lParam), scaledFont_);
            DpiChanged();
            SetWindowLongPtrA(handle_, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        case WM_CLOSE:
            CloseQuery();
            return TRUE;
        case WM_DESTROY:
            FormDestroy();
            break;
        default:
            break;
    }
    if (Message(msg, wParam, lParam, result)) {
        // A colour message returns its brush itself.
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
        SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}

void RegisterFormClass(const char* className, HICON icon) {
    // A wide class: its controls then hold any text, not only the ANSI code page's.
    const std::wstring name = Widen(className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
}
