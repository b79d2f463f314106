#pragma once

// The "Control Panel Limits" dialog: a minimum and a maximum typed or stepped in two spin
// edits, kept apart by at least one (the one not just changed gives way) and within 0 to 999.
// The alert control opens it from its limits button.

#include "model/Parameter.h"
#include "platform/dialogs/Dialog.h"
#include "platform/drawing/Font.h"
#include "propui/PropertyOwner.h"

class CSpinEdit;

class CLimitsDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 231;
    static constexpr int kMaximumLabelId = 511;
    static constexpr int kMinimumId = 257;
    static constexpr int kMaximumId = 179;
    static constexpr int kLowest = 0;
    static constexpr int kHighest = 999;

    explicit CLimitsDlg(CWnd* parent = nullptr);
    ~CLimitsDlg() override;

    // With the maximum fixed only the minimum can be changed. Each committed spin change
    // refreshes the owner, as every spin edit bound for a component does.
    void SetValues(int minimum, int maximum, bool maximumFixed, IPropertyOwner* owner);
    int GetMinimum() const { return m_minimum.GetInt(); }
    int GetMaximum() const { return m_maximum.GetInt(); }

    CSpinEdit* MinimumEdit() const;
    CSpinEdit* MaximumEdit() const;

    static DialogTemplate MakeTemplate();
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    LRESULT OnSpinChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void KeepApart(int changedId);

    CParameter m_minimum;
    CParameter m_maximum;
    IPropertyOwner* m_owner = nullptr;
    bool m_maximumFixed = false;
    CFont m_font;
};
