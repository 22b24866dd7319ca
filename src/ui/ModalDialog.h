// What the program's modal dialogs share. A dialog is made from an empty
// in-memory template and adds its controls in code, at bounds designed at 96
// DPI and scaled to the dialog's; it opens centred over its owner with the
// system font on its controls, and its close box ends it with IDCANCEL. One
// dialog procedure serves every dialog, behind the shared exception boundary.
// Moved to a monitor of another scale, a dialog takes the rectangle the
// system proposes, makes its font again and lays its controls out again from
// their design. A dialog itself adds only its controls, its values and its
// commands.
#pragma once
#include <windows.h>

#include "ui/DialogLayout.h"
#include "ui/Handles.h"

namespace ui {

// A dialog as designed, before it has controls.
struct DialogDesign {
    const char* caption;  // UTF-8
    int clientWidth;      // at 96 DPI
    int clientHeight;
    int firstFocus;  // the control that has the focus when the dialog opens
};

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

protected:
    ModalDialog(HWND owner, const DialogDesign& design) : owner_(owner), design_(design) {}
    virtual ~ModalDialog() = default;

    // Shows the dialog modally over the owner. Returns the value given to
    // Close (-1 when the dialog could not be created).
    INT_PTR ShowModal();

    // Makes the controls, in tab order, with AddControl and Keep.
    virtual void CreateControls() = 0;
    // Gives the controls their fonts and images at Dpi(): once they are made,
    // and again whenever the DPI changes. By default every control, also
    // those inside groups, shows Font().
    virtual void StyleControls();
    // Fills the controls with the values the dialog opens with.
    virtual void Fill() {}
    // A command of a control, or IDOK and IDCANCEL from the dialog manager for
    // Enter and Escape. False leaves it to the dialog manager.
    virtual bool OnCommand(int id) = 0;

    // Bounds designed at 96 DPI, from the corner and the size.
    static constexpr RECT Bounds(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }

    HWND Handle() const { return hwnd_; }
    // The DPI the dialog is laid out at.
    UINT Dpi() const { return dpi_; }
    // The system font at Dpi(), shown by the dialog and its controls.
    HFONT Font() const { return font_.get(); }

    // A visible control of the dialog, or of a group inside it, with its UTF-8
    // text, at bounds designed at 96 DPI. Returns 0 on failure.
    HWND AddControl(HWND parent, const wchar_t* className, const char* utf8Text, DWORD style, int id,
                    const RECT& bounds, DWORD exStyle = 0);
    HWND AddControl(const wchar_t* className, const char* utf8Text, DWORD style, int id, const RECT& bounds,
                    DWORD exStyle = 0) {
        return AddControl(hwnd_, className, utf8Text, style, id, bounds, exStyle);
    }
    // Lays out a control made by other means (a slider, a group) again from the
    // bounds it was made at, designed at 96 DPI.
    HWND Keep(HWND control, const RECT& designed) { return layout_.Keep(control, designed); }
    // Ends the dialog; ShowModal returns the result.
    void Close(INT_PTR result) { EndDialog(hwnd_, result); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnInitDialog();
    void OnDpiChanged(UINT dpi, const RECT& proposed);

    HWND owner_;
    DialogDesign design_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 0;
    OwnedFont font_;
    DialogLayout layout_;
};

}  // namespace ui
