#pragma once

// The "General" tabs of the text inputs: the default text (typed or from a cell) and the cell
// the typed text goes into. The single-line input and the text area differ only in how the
// default text is entered.

#include "pages/FieldPage.h"

// What both pages share: the "Insert Data" group.
class CInsertDataPage : public pages::CFieldPage {
public:
    enum : int {
        IDC_INSERT_GROUP = 1800,
        IDC_INSERT_ON_LOAD = 1801,
        IDC_INSERT_LABEL = 1802,
        IDC_INSERT_RANGE = 1803,
        IDC_INSERT_LINK = 1804,
        IDC_DEFAULT_GROUP = 1805,
    };

protected:
    // rows: the default text's; insertTopic: the group's help topic.
    CInsertDataPage(TemplateMaker makeTemplate, std::vector<pages::ParamField> rows, int insertTopic,
                    HelpTopic defaultHelp);
    static void AddInsertData(DialogTemplate& t, int top);
};

class CInputTextGeneralPage : public CInsertDataPage {
public:
    enum : int { IDD = 549, IDC_DEFAULT = 1820, IDC_DEFAULT_LINK = 1821 };
    static DialogTemplate MakeTemplate();

    CInputTextGeneralPage();
};

class CTextAreaGeneralPage : public CInsertDataPage {
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

    CTextAreaGeneralPage();
};
