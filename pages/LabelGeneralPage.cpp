#include "pages/LabelGeneralPage.h"

#include "pages/HelpMovieDialog.h"
#include "pages/PageKit.h"

using namespace pages;

DialogTemplate CLabelGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Data", IDC_DATA_GROUP, 7, 7, 241, 150, kGroupStyle)
        .Add("Button", "Link To Cell", IDC_LINK_MODE, 14, 21, 80, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Enter Text", IDC_TEXT_MODE, 14, 56, 80, 10, kRadioStyle)
        .Add("Edit", "", IDC_RANGE, 24, 35, 190, 13, kRangeStyle)
        .Add("Button", "...", IDC_LINK, 218, 35, 16, 13, kTab)
        .Add("Edit", "", IDC_TEXT, 24, 70, 210, 80,
             kTab | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL)
        .Add("Button", "?", IDC_HELP_MOVIE, 226, 166, 22, 20, kTab);
    return t;
}

namespace {

void ShowHelpMovie(CFieldPage& page)
{
    // Every kind of label explains itself with the label's movies.
    CHelpMovieDialog help(&page);
    help.SetComponent(page.GetRootSet(), "KVLabelCompSymbol");
    help.DoModal();
}

std::vector<ParamField> Rows()
{
    using Page = CLabelGeneralPage;
    ParamField text = TextOrCellRow(
        {Page::IDC_LINK_MODE, Page::IDC_TEXT_MODE, Page::IDC_RANGE, Page::IDC_LINK, Page::IDC_TEXT},
        "labelValue");
    text.keys.push_back("text");
    return {text, CommandRow(Page::IDC_HELP_MOVIE, ShowHelpMovie)};
}

} // namespace

CLabelGeneralPage::CLabelGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(1415))
{
}
