// The URL button's General and Appearance tabs on its shipped parameters.

#include "model/CellBinding.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/UrlButtonPages.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;

class UrlButtonPagesTest : public pagetest::PageTest {
protected:
    CParameter* Key(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
};

TEST_F(UrlButtonPagesTest, GeneralShowsTheAddressAndTheWindow)
{
    using Page = CUrlButtonGeneralPage;
    Open<Page>(Load("KVUrlButtonSymbol", ""));
    EXPECT_EQ(Text(Page::IDC_LABEL), "Open");
    EXPECT_EQ(Text(Page::IDC_URL), "http://");
    EXPECT_TRUE(Checked(Page::IDC_NEW_WINDOW));
    EXPECT_FALSE(Visible(Page::IDC_NAMED_WINDOW));
    Picture("url-button-general");

    // An empty address is refused: the stored one shows again and nothing is told.
    TypeInto(Page::IDC_URL, "");
    EXPECT_EQ(Text(Page::IDC_URL), "http://");
    EXPECT_EQ(Notified(), 0);
    TypeInto(Page::IDC_URL, "https://example.org/report");
    EXPECT_EQ(Key("url")->GetBinding()->GetValue().GetString(), "https://example.org/report");
    // An empty label is a label.
    TypeInto(Page::IDC_LABEL, "");
    EXPECT_EQ(Key("label")->GetBinding()->GetValue().GetString(), "");
    EXPECT_EQ(Notified(), 2);

    Click(Page::IDC_THIS_WINDOW);
    EXPECT_EQ(Key("windowName")->GetString(), "_self");
    EXPECT_EQ(Notified(), 3);
}

TEST_F(UrlButtonPagesTest, AnEmptyAddressKeepsItsLinkAndClearingTheLinkEmptiesIt)
{
    using Page = CUrlButtonGeneralPage;
    ImportWorkbook();
    Open<Page>(Load("KVUrlButtonSymbol", ""));
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$4");
    Click(Page::IDC_URL_LINK);
    CCellBinding& url = *Key("url")->GetBinding();
    ASSERT_TRUE(url.IsBound());
    TypeInto(Page::IDC_URL, "");
    EXPECT_TRUE(url.IsBound());
    EXPECT_EQ(Text(Page::IDC_URL), "'Inputs'!$B$4");

    picker->Answer(RangePickOutcome::Cleared);
    Click(Page::IDC_URL_LINK);
    EXPECT_FALSE(url.IsBound());
    EXPECT_EQ(url.GetValue().GetType(), model::ParamType::Text);
    EXPECT_EQ(url.GetValue().GetString(), "");
}

TEST_F(UrlButtonPagesTest, AnOtherWindowNameChecksNeitherShownWindow)
{
    using Page = CUrlButtonGeneralPage;
    CParameterSet* root = Load("KVUrlButtonSymbol", "");
    Key("windowName")->SetString("report");
    Open<Page>(root);
    EXPECT_FALSE(Checked(Page::IDC_NEW_WINDOW));
    EXPECT_FALSE(Checked(Page::IDC_THIS_WINDOW));
}

TEST_F(UrlButtonPagesTest, AppearanceBackgroundGatesTheCustomColour)
{
    using Page = CUrlButtonAppearancePage;
    Open<Page>(Load("KVUrlButtonSymbol", ""), "Appearance");
    EXPECT_EQ(Text(Page::IDC_ALIGNMENT), "center");
    EXPECT_TRUE(Enabled(Page::IDC_USE_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    Click(Page::IDC_USE_COLOR);
    EXPECT_TRUE(Enabled(Page::IDC_COLOR));
    Picture("url-button-appearance");

    Click(Page::IDC_SHOW_ART);
    EXPECT_FALSE(Key("showArt")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_USE_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));

    Choose(Page::IDC_ALIGNMENT, 2);
    EXPECT_EQ(pages::ChoiceText(Key("labelAlignment")), "right");
    EXPECT_EQ(Notified(), 3);
}

TEST_F(UrlButtonPagesTest, TheLabelFontIsChosenInTheFontChooserAndEachChangeRepublishes)
{
    using Page = CUrlButtonAppearancePage;
    Page& page = Open<Page>(Load("KVUrlButtonSymbol", ""), "Appearance");
    CFontDataCtrl& font = page.FontChooser();
    CParameterSet* format = Key("labelTextFormat")->GetSet();
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(font.FontBox().GetLBText(font.FontBox().GetCurSel()), "Verdana");
    EXPECT_EQ(font.SizeBox().GetLBText(font.SizeBox().GetCurSel()), "11") << "a size missing from the list";
    Picture("url-button-appearance-font");

    // Bold, a larger size and a colour, as a person sets them.
    ASSERT_TRUE(CUserInput::Click(font.Toggle(CFontChooserBase::IdBold), CPoint(3, 3)));
    font.SizeBox().UserSelect(font.SizeBox().FindStringExact(-1, "18"));
    files->AnswerColour(RGB(0xCC, 0x22, 0x11));
    ASSERT_TRUE(CUserInput::Click(font.ColorButton(), CPoint(3, 3)));
    EXPECT_TRUE(format->FindParameter("bold")->GetBool());
    EXPECT_EQ(format->FindParameter("size")->GetInt(), 18);
    EXPECT_EQ(format->FindParameter("color")->GetColor(), 0xCC2211u);
    EXPECT_EQ(Notified(), 3);

    // A cancelled colour dialog changes and tells nothing.
    files->AnswerColour(std::nullopt);
    ASSERT_TRUE(CUserInput::Click(font.ColorButton(), CPoint(3, 3)));
    EXPECT_EQ(format->FindParameter("color")->GetColor(), 0xCC2211u);
    EXPECT_EQ(Notified(), 3);
}

} // namespace
