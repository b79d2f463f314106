#pragma once

// The plain page: every parameter of a group in a name/value list, edited in place. It stands
// in for any page class the program does not have.

#include "propui/ComponentPage.h"

#include <memory>

class CPropertyListCtrl;

class CParameterListPage : public CComponentPage {
public:
    static constexpr int kListId = 1001;

    CParameterListPage();
    ~CParameterListPage() override;

    using CComponentPage::Create;

    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override;
    BOOL OnInitDialog() override;

    CPropertyListCtrl* GetList() const { return m_list.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillList();
    void LayoutList();

    std::unique_ptr<CPropertyListCtrl> m_list;
};
