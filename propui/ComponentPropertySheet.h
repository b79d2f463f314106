#pragma once

// The Component Properties sheet: the pages of one canvas object's component (or multiple
// selection), built afresh each time the sheet opens, and the page it was left on.

#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/PropertySheet.h"
#include "propui/PropertyOwner.h"

class CComponentPage;
class CParameterSet;

class CComponentPropertySheet : public CPropertySheet {
public:
    static constexpr const char* kActivePageKey = "Active Page";
    static constexpr int kIconId = 3;

    explicit CComponentPropertySheet(const char* title);
    CComponentPropertySheet();
    ~CComponentPropertySheet() override;

    // The services handed to every page; borrowed, must outlive the sheet's pages.
    void SetContext(const CPropertyPageContext* context) { m_context = context; }
    const CPropertyPageContext* GetContext() const { return m_context; }

    // Builds the pages for the root set and chooses the start page (the component's remembered
    // page, within the pages made). Returns the number of pages; 0 means there is nothing to
    // show. Called once per opening, before the window exists. The owner is required.
    int BuildPages(CParameterSet* set, bool modal, IPropertyOwner* owner);
    // The given General page and a new behaviour page.
    void AddPagesWithBehavior(std::unique_ptr<CComponentPage> page, CParameterSet* set, bool modal,
                              IPropertyOwner* owner);
    // General, a new behaviour page, Appearance.
    void AddTwoPagesWithBehavior(std::unique_ptr<CComponentPage> general, std::unique_ptr<CComponentPage> appearance,
                                 CParameterSet* set, bool modal, IPropertyOwner* owner);

    int GetComponentPageCount() const { return static_cast<int>(m_pages.size()); }
    CComponentPage* GetComponentPage(int index) const;
    int GetRememberedPage() const { return m_activePage; }
    CParameterSet* GetRootSet() const { return m_root; }

    BOOL OnInitDialog();

protected:
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    // Constructs, creates and adds one page; a class nobody registered gets the plain page.
    bool AddPage(const std::string& className, int variant, CParameterSet* group, const std::string& title,
                 bool modal, IPropertyOwner* owner);
    bool AddPage(std::unique_ptr<CComponentPage> page, CParameterSet* group, const std::string& title, bool modal,
                 IPropertyOwner* owner);
    void DeletePages();

    CParameterSet* m_root = nullptr;
    std::vector<std::unique_ptr<CComponentPage>> m_pages;
    // Pages of a closing sheet, deleted once its window (and theirs) is gone.
    std::vector<std::unique_ptr<CComponentPage>> m_closing;
    int m_activePage = 0;
    IPropertyOwner* m_owner = nullptr;
    const CPropertyPageContext* m_context = nullptr;
};

// Tab titles are at most 127 characters, cut on a character boundary.
std::string MakeTabTitle(const std::string& name);
