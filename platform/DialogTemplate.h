#pragma once
// A DIALOGEX template read from the resources, so that a form can make its controls itself: at
// their place in a client area larger than the template's, instead of made there and moved.
#include <windows.h>

#include <string>
#include <vector>

struct DialogControl {
    DWORD ExStyle = 0;
    DWORD Style = 0;
    short X = 0, Y = 0, Cx = 0, Cy = 0;
    DWORD Id = 0;
    std::wstring ClassName;
    // The text, or {0xFFFF, resource id} for an image named by its id.
    std::wstring Text;
    // The template's creation data (its size word first), or null.
    const void* Data = nullptr;
};

class DialogTemplate {
public:
    // False when the resource is missing or not a DIALOGEX template.
    bool Load(HINSTANCE instance, int templateId);

    // The template without its controls, for CreateDialogIndirectParam.
    const DLGTEMPLATE* Header() const { return reinterpret_cast<const DLGTEMPLATE*>(header_.data()); }
    const std::vector<DialogControl>& Controls() const { return controls_; }
    DWORD Style() const { return style_; }

private:
    std::vector<WORD> header_;
    std::vector<DialogControl> controls_;
    DWORD style_ = 0;
};

// Makes the template's controls in dialog (created from its Header()) with the dialog's font, the
// template's layout spread over a client area of width x height (it never shrinks): each control
// where the dialog manager would have made it and Form::FitClientSize96 would then have moved it.
bool CreateControlsSpread(HWND dialog, const DialogTemplate& dialogTemplate, int width, int height);
