#pragma once

// The numeric field with up and down arrows used for every number of the property and style
// pages and the Grid dialog: an edit part and two auto-repeating arrows. It is bound to a
// numeric parameter or to an integer variable, writes each committed change straight into it,
// clamps to its range and tells its parent with WM_SPINEDIT_CHANGED (wParam: its id).

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"

class CFont;
class CParameter;

constexpr UINT WM_SPINEDIT_CHANGED = 0x4C8;
// An arrow's repeat step (lParam: 1 up, 2 down) and the edit part's commit.
constexpr UINT WM_SPINEDIT_STEP = 0x4CA;
constexpr UINT WM_SPINEDIT_COMMIT = 0x401;

// An arrow of the spin edit: a click steps once, holding repeats after 500 ms every 100 ms.
class CSpinArrowButton : public CButton {
public:
    static constexpr std::uintptr_t kRepeatTimer = 1;
    static constexpr std::uintptr_t kDelayTimer = 2;
    bool IsRepeating() const { return m_bRepeating; }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_bRepeating = false;
};

class CSpinEdit : public CWnd {
public:
    static constexpr const char* kClassName = "SpinEdit";
    static constexpr int kArrowWidth = 14;
    // Makes "SpinEdit" items of dialog templates spin edits.
    static void RegisterClass();

    CSpinEdit();
    ~CSpinEdit() override;

    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Parameter mode. Without a parameter the control is disabled (and hidden when asked) and
    // the answer is false. `changed` is told after every typed commit and arrow step.
    bool BindParameter(CParameter* parameter, std::function<void()> changed, CFont* font, bool hide, bool negate);
    // Variable mode on an integer, always clamped to [minimum, maximum].
    void BindInt(int* variable, CFont* font, int minimum, int maximum, int step, bool negate);
    void EnableControl(bool enable);
    void SetValue(double value);
    void SetText(const std::string& text);
    void LimitText(int count);
    void UpdateText();
    std::string GetText() const;

    void Increment();
    void Decrement();
    void CommitTyped();

    double GetMinimum() const { return m_min; }
    double GetMaximum() const { return m_max; }
    double GetStep() const { return m_step; }
    CEdit* EditPart() const { return m_edit.get(); }
    CSpinArrowButton* UpArrow() const { return m_up.get(); }
    CSpinArrowButton* DownArrow() const { return m_down.get(); }

    bool m_bEditable = true;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout(CFont* font);
    void Step(bool up);
    double Clamp(double value) const;
    bool IsDoubleParameter() const;
    double CurrentValue() const;
    void Store(double value, bool clamp);
    void Notify();

    CParameter* m_pParameter = nullptr;
    std::function<void()> m_changed;
    int* m_pInt = nullptr;
    std::unique_ptr<CEdit> m_edit;
    std::unique_ptr<CSpinArrowButton> m_up;
    std::unique_ptr<CSpinArrowButton> m_down;
    double m_min = 0.0;
    double m_max = 9.9;
    double m_step = 0.1;
    bool m_bNegate = false;
    bool m_bParameterMode = true;
};
