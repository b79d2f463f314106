#pragma once

// The Grid dialog: shows and snaps to a window's grid (the canvas view's) and sets its spacing
// in pixels.

#include "platform/dialogs/Dialog.h"
#include "platform/drawing/Font.h"

class CSpinEdit;

// A grid as the dialog edits it: shown, snapped to, and its steps in twips.
struct CanvasGrid {
    bool shown = false;
    bool snap = false;
    int stepX = 0;
    int stepY = 0;
};

// The window whose grid the dialog edits.
class IGridHost {
public:
    virtual ~IGridHost() = default;
    // The dialog's owner; it is repainted when the dialog closes.
    virtual CWnd& GridWindow() = 0;
    virtual CanvasGrid GetGrid() const = 0;
    virtual void SetGrid(const CanvasGrid& grid) = 0;
    // The dialog has closed; the host may delete it once the dialog's handler has returned.
    virtual void OnGridDlgClosed() = 0;
};

class CGridDlg : public CDialog {
public:
    static constexpr int kMinSpacing = 5;
    static constexpr int kMaxSpacing = 10000;
    static DialogTemplate MakeTemplate();

    explicit CGridDlg(IGridHost& host);
    ~CGridDlg() override;

    // Modeless over the host's window, initialised from its grid.
    using CDialog::Create;
    BOOL Create();
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    CSpinEdit* SpacingX() const;
    CSpinEdit* SpacingY() const;
    int m_nX = 0;
    int m_nY = 0;

private:
    IGridHost& m_host;
    CFont m_font;
};
