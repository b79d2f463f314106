#pragma once

// A component page laid out entirely by its class's own MakeTemplate(): it is created from that
// template and keeps its size when the sheet is resized. Pages that need nothing else at
// creation derive from it instead of each writing the same Create.

#include "propui/ComponentPage.h"

#include <string>

namespace pages {

template <class Page, class Base = CComponentPage>
class CTemplatePage : public Base {
public:
    using Base::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override
    {
        Base::Create(group, title, modal, owner, root);
        this->Construct(Page::MakeTemplate());
        return TRUE;
    }
    void OnSheetSize() override {}
};

} // namespace pages
