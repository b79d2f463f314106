#pragma once

// The "General" tabs of the text inputs: the default text (typed or from a cell) and the cell
// the typed text goes into. The single-line input and the text area differ only in how the
// default text is entered.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

// What both pages share: the "Insert Data" group.
class CInsertDataPage : public CComponentPage {
public:
    enum : int {
        IDC_INSERT_GROUP = 1800,
        IDC_INSERT_ON_LOAD = 1801,
        IDC_INSERT_LABEL = 1802,
        IDC_INSERT_RANGE = 1803,
        IDC_INSERT_LINK = 1804,
        IDC_DEFAULT_GROUP = 1805,
    };
    void OnSheetSize() override {}
    void OnInsertLink();
    void OnInsertOnLoad();

protected:
    static void AddInsertData(DialogTemplate& t, int top);
    void AttachInsertData();
    bool IsInsertDataControl(int id) const;
    CParameterSet* Group() const { return pages::PageGroup(*this, "General"); }

    DECLARE_MESSAGE_MAP()

private:
    CParameter* InsertTarget() const;
};

class CInputTextGeneralPage : public pages::CTemplatePage<CInputTextGeneralPage, CInsertDataPage> {
public:
    enum : int { IDD = 549, IDC_DEFAULT = 1820, IDC_DEFAULT_LINK = 1821 };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    int GetHelpContextId() override;
    void OnDefaultLink() { m_default.OnLink(); }
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    pages::CLinkedValueEdit m_default;
};

class CTextAreaGeneralPage : public pages::CTemplatePage<CTextAreaGeneralPage, CInsertDataPage> {
public:
    enum : int {
        IDD = 351,
        IDC_FROM_CELL = 1840,
        IDC_ENTER_TEXT = 1841,
        IDC_DEFAULT_RANGE = 1842,
        IDC_DEFAULT_LINK = 1843,
        IDC_DEFAULT_TEXT = 1844,
    };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    int GetHelpContextId() override;
    void OnFromCell() { m_default.OnLinkMode(); }
    void OnEnterText() { m_default.OnTextMode(); }
    void OnDefaultLink() { m_default.OnLink(); }
    void OnTextChanged() { m_default.OnTextChanged(); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    pages::CTextOrCell m_default;
};
