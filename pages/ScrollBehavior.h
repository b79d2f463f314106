#pragma once

// The scroll bars of the text components (label, input text, text area): the Enable, Disable
// and Auto Hide radio buttons of "hScrollBarBehavior" and "vScrollBarBehavior", the rule that
// wrapped text has no horizontal scroll bar, and the rule that a custom scroll colour is only
// worth choosing while some scroll bar can show.

#include <optional>

class CComponentPage;
class CParameter;
class CParameterSet;

namespace pages {

inline constexpr const char* kScrollEnabled = "enabled";
inline constexpr const char* kScrollDisabled = "disabled";
inline constexpr const char* kScrollAutoHide = "autoHide";

// One behaviour's three radio buttons and the group box around them.
class CScrollRadios {
public:
    struct Ids {
        int enable;
        int disable;
        int autoHide;
        int group;
    };
    // Checks the radio button of the stored value; a missing behaviour disables the group.
    void Attach(CComponentPage& page, CParameter* behaviour, Ids ids);
    // Checks "Enable" for exactly "enabled", "Disable" for exactly "disabled" and "Auto Hide"
    // for anything else, the other two unchecked.
    void Load();
    // The group is usable only while the behaviour exists.
    void Enable(bool enable);
    // A radio button of the group was clicked: stores its text and tells the owner. False when
    // id is not one of this group's.
    bool OnClicked(int id);
    CParameter* Parameter() const { return m_behaviour; }
    bool Owns(int id) const { return id == m_ids.enable || id == m_ids.disable || id == m_ids.autoHide; }

private:
    CComponentPage* m_page = nullptr;
    CParameter* m_behaviour = nullptr;
    Ids m_ids{};
};

// Wrapping was switched on: text that wraps never needs a horizontal scroll bar, so the
// component's "hScrollBarBehavior" (when it has one) becomes "disabled".
void DisableHorizontalScroll(CParameterSet* root);

// Whether a scroll bar of the component can show, which is when a custom scroll colour means
// anything: none when the component has no "hScrollBarBehavior"; otherwise whether either
// behaviour is other than exactly "disabled" (a missing vertical one counts as disabled).
std::optional<bool> ScrollBarsCanShow(const CParameterSet* root);

} // namespace pages
