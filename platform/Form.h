#pragma once
// Form base: a dialog template from the resources plus a class that binds control events to
// named handlers, shows hints as tooltips (the string resource with the control's id) and opens
// the help file at the form's help context on F1.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

enum ModalResult { mrNone = 0, mrOK = IDOK, mrCancel = IDCANCEL };

class TForm {
public:
    explicit TForm(int templateId) : templateId_(templateId) {}
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }
    HWND Control(int id) const { return GetDlgItem(handle_, id); }

    // Modal: runs its own message loop and returns the modal result.
    int ShowModal(HWND owner);
    // Modeless (the main window): created hidden; the caller shows it.
    HWND CreateModeless(HWND owner);
    // Ends a modal form with a result, or destroys a modeless one.
    void Close(int result = mrCancel);
    int ModalResultValue() const { return modalResult_; }

    int HelpContext = 0;
    // The help file opened on F1; shared by every form.
    static inline std::string HelpFile;

    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    void EnableControl(int id, bool enabled) { EnableWindow(Control(id), enabled); }
    bool ControlEnabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool IsChecked(int id) const { return IsDlgButtonChecked(handle_, id) == BST_CHECKED; }
    void SetChecked(int id, bool checked) {
        CheckDlgButton(handle_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

protected:
    // Binds a control notification (BN_CLICKED, LBN_SELCHANGE, ...) to a handler.
    void Bind(int id, int code, std::function<void()> handler) {
        commands_[{id, code}] = std::move(handler);
    }
    void OnClick(int id, std::function<void()> handler) { Bind(id, BN_CLICKED, std::move(handler)); }

    // Called once the window and its controls exist (WM_INITDIALOG).
    virtual void FormCreate() {}
    // WM_NOTIFY from a child; return true when handled, with the result in result.
    virtual bool Notify(NMHDR* header, LRESULT& result) { (void)header; (void)result; return false; }
    // Any other message; return true when handled.
    virtual bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)msg; (void)wParam; (void)lParam; (void)result;
        return false;
    }
    // The close box / Escape; default closes with mrCancel.
    virtual void CloseQuery() { Close(mrCancel); }
    // Called while the window is being destroyed.
    virtual void FormDestroy() {}

    void ShowHelp();
    void AddHint(HWND control, const std::string& text);
    void CentreOnDesktop();
    void SetClientSize(int width, int height);

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void InitHints();

    int templateId_;
    HWND handle_ = nullptr;
    HWND tooltip_ = nullptr;
    bool modal_ = false;
    int modalResult_ = mrNone;
    std::map<std::pair<int, int>, std::function<void()>> commands_;
};

// Registers the window class of a modeless form's template (the template names it with CLASS).
void RegisterFormClass(const char* className, HICON icon);
