#pragma once
// Form base: a dialog template from the resources plus a class that binds control events to
// named handlers, shows hints as tooltips (the string resource with the control's id) and opens
// the help file at the form's help context on F1.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/DrawnIcons.h"

class DialogTemplate;

enum ModalResult { mrNone = 0, mrOK = IDOK, mrCancel = IDCANCEL };

class Form {
public:
    explicit Form(int templateId) : templateId_(templateId) {}
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return handle_; }
    HWND Control(int id) const { return GetDlgItem(handle_, id); }

    // Modal: runs its own message loop and returns the modal result.
    int ShowModal(HWND owner);
    // Modeless (the main window): created hidden; the caller shows it.
    HWND CreateModeless(HWND owner);
    // Ends a modal form with a result, or destroys a modeless one.
    void Close(int result = mrCancel);
    int ModalResultValue() const { return modalResult_; }

    // The dpi the form is laid out for, and a length at 96 dpi scaled to it.
    int Dpi() const { return dpi_; }
    int Scale(int length96) const { return MulDiv(length96, dpi_, 96); }

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
    // A form made at its size (CreateAtSize96) calls this just before it makes its controls: one
    // whose control classes are registered elsewhere waits for them here.
    virtual void ControlsWanted() {}
    // Called after the form was laid out again for a new dpi (Dpi() tells it): sizes the form
    // sets in code (images, list fonts and columns) follow here.
    virtual void DpiChanged() {}

    void ShowHelp();
    void AddHint(HWND control, const std::string& text);
    // A picture button's icon (one of the program's) at pixels, drawn by the form over its face.
    void SetButtonIcon(int id, int iconId, int pixels);
    void CentreOnDesktop();
    void SetClientSize(int width, int height);
    // A client area of a size given at 96 dpi, scaled: where the template's controls take less
    // room at this dpi they are spread over it, where they take more the window grows.
    void FitClientSize96(int width96, int height96);
    // Set before the form is created: FitClientSize96's layout from the start, each control made
    // at its place rather than made and then moved.
    void CreateAtSize96(int width96, int height96) { size96_ = {width96, height96}; }
    // Set before the form is created: the hints wait for AddHints, for a form whose first screen
    // must come quickly (a tip shows only under a resting mouse).
    void AddHintsLater() { hintsLater_ = true; }
    // The hints of every control that has one, once.
    void AddHints();

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void TranslateTemplate();
    INT_PTR CreateFromTemplate(HWND owner);
    bool CreateSpreadControls(const DialogTemplate& layout);

    int templateId_;
    SIZE size96_{0, 0};
    bool hintsLater_ = false;
    bool hintsAdded_ = false;
    const DialogTemplate* spread_ = nullptr;
    HWND handle_ = nullptr;
    HWND tooltip_ = nullptr;
    DrawnIcons buttonIcons_;
    bool modal_ = false;
    int dpi_ = 96;
    HFONT scaledFont_ = nullptr;
    int modalResult_ = mrNone;
    std::map<std::pair<int, int>, std::function<void()>> commands_;
};

// Registers the window class of a modeless form's template (the template names it with CLASS).
void RegisterFormClass(const char* className, HICON icon);
