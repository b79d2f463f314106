#pragma once

// The Grid dialog: shows and snaps to the canvas view's grid and sets its spacing in pixels.

#include "platform/dialogs/Dialog.h"
#include "platform/drawing/Font.h"

class CDrawView;
class CSpinEdit;

class CGridDlg : public CDialog {
public:
    static constexpr int kMinSpacing = 5;
    static constexpr int kMaxSpacing = 10000;
    static DialogTemplate MakeTemplate();

    explicit CGridDlg(CDrawView& view);
    ~CGridDlg() override;

    // Modeless over the view, initialised from the view's grid.
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
    CDrawView& m_view;
    CFont m_font;
};
