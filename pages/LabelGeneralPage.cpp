#include "pages/LabelGeneralPage.h"

#include "pages/HelpMovieDialog.h"
#include "pages/PageKit.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CLabelGeneralPage, CComponentPage)
    .Command(IDC_LINK_MODE, &CLabelGeneralPage::OnLinkMode)
    .Command(IDC_TEXT_MODE, &CLabelGeneralPage::OnTextMode)
    .Command(IDC_LINK, &CLabelGeneralPage::OnLinkButton)
    .Control(EN_CHANGE, IDC_TEXT, &CLabelGeneralPage::OnTextChanged)
    .Command(IDC_HELP_MOVIE, &CLabelGeneralPage::OnHelpMovie) END_MESSAGE_MAP()

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

BOOL CLabelGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "General");
    m_value.Attach(*this, FindFirst(group, {"labelValue", "text"}),
                   {IDC_LINK_MODE, IDC_TEXT_MODE, IDC_RANGE, IDC_LINK, IDC_TEXT});
    return TRUE;
}

void CLabelGeneralPage::OnHelpMovie()
{
    // Every kind of label explains itself with the label's movies.
    CHelpMovieDialog help(this);
    help.SetComponent(GetRootSet(), "KVLabelSymbol");
    help.DoModal();
}
