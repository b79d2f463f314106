#include "pages/InputTextGeneralPages.h"

#include "pages/PageKit.h"

using namespace pages;

// ---- the "Insert Data" group ----

namespace {

std::vector<ParamField> WithInsertData(std::vector<ParamField> rows, int topic)
{
    using Page = CInsertDataPage;
    FieldPolicy markOnly;
    // The stage does not show it; the document still has to be saved.
    markOnly.republish = false;
    rows.push_back(WithHelp(CheckRow(Page::IDC_INSERT_ON_LOAD, "insertLoad", markOnly), topic));
    // The cell shown is the cell the link changes. Components that also keep their label's
    // binding in "labelValue" insert into "insertInto", so that key comes first.
    rows.push_back(WithHelp(
        CellLinkRow(Page::IDC_INSERT_RANGE, Page::IDC_INSERT_LINK, {"insertInto", "labelValue"}), topic));
    return rows;
}

} // namespace

CInsertDataPage::CInsertDataPage(TemplateMaker makeTemplate, std::vector<ParamField> rows, int insertTopic,
                                 HelpTopic defaultHelp)
    : CFieldPage("General", std::move(makeTemplate), WithInsertData(std::move(rows), insertTopic),
                 std::move(defaultHelp))
{
}

void CInsertDataPage::AddInsertData(DialogTemplate& t, int top)
{
    t.Add("Button", "Insert Data", IDC_INSERT_GROUP, 7, top, 241, 50, kGroupStyle)
        .Add("Button", "Insert on Load", IDC_INSERT_ON_LOAD, 14, top + 14, 90, 10, kCheckStyle)
        .Add("Static", "Insert In:", IDC_INSERT_LABEL, 14, top + 32, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_INSERT_RANGE, 58, top + 30, 156, 13, kRangeStyle)
        .Add("Button", "...", IDC_INSERT_LINK, 218, top + 30, 16, 13, kTab);
}

// ---- single-line input ----

DialogTemplate CInputTextGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Default Data", IDC_DEFAULT_GROUP, 7, 7, 241, 34, kGroupStyle)
        .Add("Edit", "", IDC_DEFAULT, 14, 20, 200, 13, kEditStyle)
        .Add("Button", "...", IDC_DEFAULT_LINK, 218, 20, 16, 13, kTab);
    AddInsertData(t, 48);
    return t;
}

CInputTextGeneralPage::CInputTextGeneralPage()
    : CInsertDataPage([](const CFieldPage&) { return MakeTemplate(); },
                      {WithHelp(LinkedRow(IDC_DEFAULT, IDC_DEFAULT_LINK, "defaultText"), 2815)}, 2820,
                      Topic(2810))
{
}

// ---- text area ----

DialogTemplate CTextAreaGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Default Data", IDC_DEFAULT_GROUP, 7, 7, 241, 118, kGroupStyle)
        .Add("Button", "Default Text From Cell", IDC_FROM_CELL, 14, 20, 100, 10, kRadioStyle | WS_GROUP)
        .Add("Edit", "", IDC_DEFAULT_RANGE, 24, 33, 190, 13, kRangeStyle)
        .Add("Button", "...", IDC_DEFAULT_LINK, 218, 33, 16, 13, kTab)
        .Add("Button", "Enter Text", IDC_ENTER_TEXT, 14, 52, 100, 10, kRadioStyle)
        .Add("Edit", "", IDC_DEFAULT_TEXT, 24, 65, 210, 54,
             kTab | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
    AddInsertData(t, 132);
    return t;
}

CTextAreaGeneralPage::CTextAreaGeneralPage()
    : CInsertDataPage([](const CFieldPage&) { return MakeTemplate(); },
                      {WithHelp(TextOrCellRow({IDC_FROM_CELL, IDC_ENTER_TEXT, IDC_DEFAULT_RANGE,
                                               IDC_DEFAULT_LINK, IDC_DEFAULT_TEXT},
                                              "defaultText"),
                                2771)},
                      2772, Topic(2770))
{
}
