#include "platform/DialogTemplate.h"

#include <algorithm>
#include <string>

namespace {
// Reads a template's words, each string or ordinal where the format has one.
class WordReader {
public:
    WordReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return at_; }
    void Skip(size_t bytes) { Need(bytes) ? void(at_ += bytes) : void(); }
    void AlignTo(size_t bytes) { Skip((bytes - at_ % bytes) % bytes); }
    WORD Word() { return Read<WORD>(); }
    DWORD DoubleWord() { return Read<DWORD>(); }
    short Short() { return static_cast<short>(Read<WORD>()); }
    const BYTE* Here() const { return data_ + at_; }

    // A string, or an ordinal (0xFFFF and a word) given back as {0xFFFF, ordinal}.
    std::wstring StringOrOrdinal() {
        WORD first = Word();
        if (first == 0xFFFF) return std::wstring{wchar_t(0xFFFF), wchar_t(Word())};
        std::wstring text;
        for (WORD c = first; ok_ && c != 0; c = Word()) text += static_cast<wchar_t>(c);
        return text;
    }

private:
    bool Need(size_t bytes) {
        if (at_ + bytes > size_) ok_ = false;
        return ok_;
    }
    template <class T>
    T Read() {
        T value{};
        if (Need(sizeof(T))) {
            memcpy(&value, data_ + at_, sizeof(T));
            at_ += sizeof(T);
        }
        return value;
    }

    const BYTE* data_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

const wchar_t* const ClassOrdinals[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
}  // namespace

bool DialogTemplate::Load(HINSTANCE instance, int templateId) {
    header_.clear();
    controls_.clear();
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!data) return false;
    WordReader in(data, SizeofResource(instance, found));
    if (in.Word() != 1 || in.Word() != 0xFFFF) return false;
    in.Skip(8);  // help id, extended style
    const DWORD style = in.DoubleWord();
    const size_t countAt = in.Offset();
    const WORD count = in.Word();
    in.Skip(8);  // x, y, cx, cy
    in.StringOrOrdinal();  // menu
    in.StringOrOrdinal();  // class
    in.StringOrOrdinal();  // caption
    style_ = style;
    if (style & DS_SETFONT) {
        in.Skip(6);  // point size, weight, italic, charset
        in.StringOrOrdinal();
    }
    in.AlignTo(sizeof(DWORD));
    if (!in.Ok()) return false;
    header_.assign(reinterpret_cast<const WORD*>(data), reinterpret_cast<const WORD*>(data) + in.Offset() / 2);
    header_[countAt / 2] = 0;

    for (WORD i = 0; i < count && in.Ok(); ++i) {
        in.AlignTo(sizeof(DWORD));
        DialogControl control;
        in.Skip(4);  // help id
        control.ExStyle = in.DoubleWord();
        control.Style = in.DoubleWord();
        control.X = in.Short();
        control.Y = in.Short();
        control.Cx = in.Short();
        control.Cy = in.Short();
        control.Id = in.DoubleWord();
        control.ClassName = in.StringOrOrdinal();
        if (control.ClassName.size() == 2 && control.ClassName[0] == 0xFFFF) {
            const size_t ordinal = control.ClassName[1] - 0x80u;
            if (ordinal >= std::size(ClassOrdinals)) return false;
            control.ClassName = ClassOrdinals[ordinal];
        }
        control.Text = in.StringOrOrdinal();
        const BYTE* extra = in.Here();
        const WORD extraSize = in.Word();
        if (extraSize > 0) {
            control.Data = extra;
            in.Skip(extraSize);
        }
        controls_.push_back(std::move(control));
    }
    return in.Ok();
}

bool CreateControlsSpread(HWND dialog, const DialogTemplate& dialogTemplate, int width, int height) {
    // The dialog manager's own arithmetic: a control's left edge and width each from dialog units,
    // then FitClientSize96's spread of its edges.
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    RECT client;
    GetClientRect(dialog, &client);
    if (client.right <= 0 || client.bottom <= 0) return false;
    width = std::max<int>(width, client.right);
    height = std::max<int>(height, client.bottom);
    auto spread = [&](const RECT& rc) {
        return RECT{MulDiv(rc.left, width, client.right), MulDiv(rc.top, height, client.bottom),
                    MulDiv(rc.right, width, client.right), MulDiv(rc.bottom, height, client.bottom)};
    };
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    for (const DialogControl& c : dialogTemplate.Controls()) {
        // As the dialog manager does: a bordered control takes the sunken edge instead.
        const DWORD style = (c.Style & ~WS_BORDER) | WS_CHILD;
        const DWORD exStyle = c.ExStyle | WS_EX_NOPARENTNOTIFY | (c.Style & WS_BORDER ? WS_EX_CLIENTEDGE : 0);
        auto make = [&](const RECT& rc) {
            return CreateWindowExW(exStyle, c.ClassName.c_str(), c.Text.c_str(), style, rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.Id)), instance,
                                   const_cast<void*>(c.Data));
        };
        const int left = MulDiv(c.X, units.right, 4), top = MulDiv(c.Y, units.bottom, 8);
        const RECT unspread{left, top, left + MulDiv(c.Cx, units.right, 4), top + MulDiv(c.Cy, units.bottom, 8)};
        const RECT place = spread(unspread);
        HWND control = make(place);
        if (!control) return false;
        RECT made;
        GetWindowRect(control, &made);
        if (made.right - made.left != place.right - place.left || made.bottom - made.top != place.bottom - place.top) {
            // A control that sizes itself when made (an etched line): made at the template's size
            // and moved, as the dialog manager and FitClientSize96 did.
            DestroyWindow(control);
            if (!(control = make(unspread))) return false;
            GetWindowRect(control, &made);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&made), 2);
            const RECT moved = spread(made);
            SetWindowPos(control, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.ClassName == L"Button" && (c.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            SendMessageW(dialog, DM_SETDEFID, c.Id, 0);
    }
    return true;
}
