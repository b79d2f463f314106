#pragma once

// The generic tab of a group without a page of its own: every parameter as a row of name and
// value, edited in place. The tab carries the group's name. In a modeless sheet each edit is
// written at once and the component republished; in a modal one the edits wait for OK.

#include "propui/ParameterListPage.h"

class CNameValuePage : public CParameterListPage {
public:
    // Tab titles longer than this are cut.
    static constexpr std::size_t kMaxTitle = 63;

    using CParameterListPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    // Fills the page with the list; the name column takes a third of the width, less the room
    // of a scroll bar when the rows do not all fit.
    void OnSheetSize() override;
    BOOL OnSetActive() override;
    BOOL OnInitDialog() override;
    // The modal sheet's OK (and Apply): the rows edited are written into their parameters.
    void OnOK() override;
};
