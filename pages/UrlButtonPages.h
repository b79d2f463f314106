#pragma once

// The General and Appearance tabs of the URL button: the label and address it opens (typed or
// linked), the window it opens in, and how the button looks.

#include "pages/FieldPage.h"
#include "pages/PageBlocks.h"
#include "propui/ComponentPage.h"
#include "propui/FontDataCtrl.h"

class CUrlButtonGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 290,
        IDC_LABEL_GROUP = 1500,
        IDC_LABEL = 1501,
        IDC_LABEL_LINK = 1502,
        IDC_URL_GROUP = 1503,
        IDC_URL = 1504,
        IDC_URL_LINK = 1505,
        IDC_WINDOW_GROUP = 1506,
        IDC_NEW_WINDOW = 1507,
        IDC_THIS_WINDOW = 1508,
        IDC_NAMED_WINDOW = 1509,
        IDC_WINDOW_NAME = 1510,
    };
    static DialogTemplate MakeTemplate();

    CUrlButtonGeneralPage();
    ~CUrlButtonGeneralPage() override;
    BOOL OnInitDialog() override;

    void OnNewWindow();
    void OnThisWindow();
    void OnNamedWindow();
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void SetWindow(const char* target);

    CInPlaceEdit m_windowName;
};

class CUrlButtonAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 360,
        IDC_ALIGNMENT_LABEL = 1550,
        IDC_ALIGNMENT = 1551,
        IDC_FONT_LABEL = 1552,
        IDC_FONT = 1553,
        IDC_BACKGROUND_GROUP = 1554,
        IDC_SHOW_ART = 1555,
        IDC_USE_COLOR = 1556,
        IDC_COLOR = 1557,
    };
    static DialogTemplate MakeTemplate();

    CUrlButtonAppearancePage();

    // The chooser of the label's text format ("labelTextFormat").
    CFontDataCtrl& FontChooser() { return *FontOf(IDC_FONT); }
};
