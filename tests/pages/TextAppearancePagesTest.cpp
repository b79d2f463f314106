// The Appearance tabs of the label and the text inputs on their shipped parameters: the
// label's border sides and its "All Sides" record, wrapping that gives up horizontal
// scrolling, and the scroll colour that only counts while a scroll bar can show.

#include "pages/InputTextAppearancePage.h"
#include "pages/LabelAppearancePage.h"
#include "pages/PageKit.h"
#include "tests/pages/PageFixture.h"

#include <array>

namespace {

const char* const kEdges[] = {"BEdgeBot", "BEdgeLt", "BEdgeRt", "BEdgeTop"};

class TextAppearancePagesTest : public pagetest::PageTest {
protected:
    CParameterSet* Group(const char* name) { return Param(defaults.parameters.get(), name)->GetSet(); }
    CParameter* Edge(const char* stem, const char* part)
    {
        return Param(format, (std::string(stem) + part).c_str());
    }
    void SetChoice(CParameterSet* set, const char* key, const char* text)
    {
        ASSERT_TRUE(pages::SetChoiceText(Param(set, key), text));
    }
    // Opens the label's Appearance tab with the right edge drawn green and 3 pixels wide, the
    // others as shipped.
    CLabelAppearancePage& OpenLabel()
    {
        CParameterSet* group = Load("KVLabelCompSymbol", "Appearance");
        format = Param(group, "formatValue")->GetSet();
        Edge("BEdgeRt", "Color")->SetColor(0x00AA00);
        Edge("BEdgeRt", "Weight")->SetInt(3);
        Edge("BEdgeTop", "Color")->SetColor(0x0000CC);
        return Open<CLabelAppearancePage>(group, "Appearance");
    }

    CParameterSet* format = nullptr;
};

TEST_F(TextAppearancePagesTest, AllSidesAppliesWhatItShowsToEveryEdge)
{
    using Page = CLabelAppearancePage;
    Page& label = OpenLabel();
    EXPECT_EQ(static_cast<CComboBox*>(Item(Page::IDC_SIDE))->GetCurSel(), Page::AllSides);
    EXPECT_FALSE(Checked(Page::IDC_SHOW_BORDER));
    // The swatch shows the colour "All Sides" will apply: the right edge's it starts from.
    EXPECT_EQ(SwapRedBlue(static_cast<CColorButton*>(Item(Page::IDC_BORDER_COLOR))->GetColor()), 0x00AA00u);
    EXPECT_EQ(Text(Page::IDC_WEIGHT), "3");
    Picture("label-appearance");

    Click(Page::IDC_SHOW_BORDER);
    for (const char* stem : kEdges) {
        SCOPED_TRACE(stem);
        EXPECT_TRUE(Edge(stem, "LineStyle")->GetBool());
        EXPECT_EQ(Edge(stem, "Color")->GetColor(), 0x00AA00u);
        EXPECT_EQ(Edge(stem, "Weight")->GetInt(), 3);
    }
    EXPECT_EQ(Notified(), 1);

    // The weight is copied to every edge before the label is republished.
    TypeInto(Page::IDC_WEIGHT, "500");
    for (const char* stem : kEdges)
        EXPECT_EQ(Edge(stem, "Weight")->GetInt(), 100) << stem;
    files->AnswerColour(RGB(0x11, 0x22, 0x33));
    Click(Page::IDC_BORDER_COLOR);
    for (const char* stem : kEdges)
        EXPECT_EQ(Edge(stem, "Color")->GetColor(), 0x112233u) << stem;
    EXPECT_EQ(Notified(), 3);
    EXPECT_EQ(label.GetChosenSide(), Page::AllSides);
}

TEST_F(TextAppearancePagesTest, ASingleSideShowsAndChangesOnlyItsOwnEdge)
{
    using Page = CLabelAppearancePage;
    OpenLabel();
    Edge("BEdgeTop", "LineStyle")->SetBool(true);
    Choose(Page::IDC_SIDE, Page::Top);
    EXPECT_TRUE(Checked(Page::IDC_SHOW_BORDER));
    EXPECT_EQ(SwapRedBlue(static_cast<CColorButton*>(Item(Page::IDC_BORDER_COLOR))->GetColor()), 0x0000CCu);
    TypeInto(Page::IDC_WEIGHT, "5");
    EXPECT_EQ(Edge("BEdgeTop", "Weight")->GetInt(), 5);
    for (const char* stem : {"BEdgeBot", "BEdgeLt"})
        EXPECT_EQ(Edge(stem, "Weight")->GetInt(), 1) << stem;
    EXPECT_EQ(Edge("BEdgeRt", "Weight")->GetInt(), 3);
    Click(Page::IDC_SHOW_BORDER);
    EXPECT_FALSE(Edge("BEdgeTop", "LineStyle")->GetBool());
    EXPECT_FALSE(Edge("BEdgeBot", "LineStyle")->GetBool());

    // Back on "All Sides" the swatch shows what will be applied, not the last side's colour.
    Choose(Page::IDC_SIDE, Page::AllSides);
    EXPECT_EQ(SwapRedBlue(static_cast<CColorButton*>(Item(Page::IDC_BORDER_COLOR))->GetColor()), 0x00AA00u);
    Choose(Page::IDC_SIDE, Page::Left);
    // Each time the tab is shown it starts again from "All Sides".
    page->OnSetActive();
    EXPECT_EQ(static_cast<CComboBox*>(Item(Page::IDC_SIDE))->GetCurSel(), Page::AllSides);
}

TEST_F(TextAppearancePagesTest, AFormatWithoutEveryEdgeHasNoBorderControls)
{
    using Page = CLabelAppearancePage;
    CParameterSet* group = Load("KVLabelCompSymbol", "Appearance");
    format = Param(group, "formatValue")->GetSet();
    for (int i = 0; i < format->GetCount(); ++i)
        if (format->GetAt(i)->GetName() == "BEdgeLtWeight")
            format->RemoveAt(i);
    Open<Page>(group, "Appearance");
    for (int id : {Page::IDC_SIDE, Page::IDC_SHOW_BORDER, Page::IDC_BORDER_COLOR, Page::IDC_WEIGHT})
        EXPECT_FALSE(Enabled(id)) << id;
    page->SendMessage(WM_COMMAND, Page::IDC_SHOW_BORDER, 0);
    EXPECT_FALSE(Edge("BEdgeTop", "LineStyle")->GetBool());
    // The rest of the format is still edited.
    Click(Page::IDC_SHOW_FILL);
    EXPECT_TRUE(Param(format, "Pattern")->GetBool());
}

TEST_F(TextAppearancePagesTest, AnAllSidesWeightWithoutRangeKeepsWithinOneToAHundred)
{
    using Page = CLabelAppearancePage;
    CParameterSet* group = Load("KVLabelCompSymbol", "Appearance");
    format = Param(group, "formatValue")->GetSet();
    Edge("BEdgeRt", "Weight")->SetRange(std::nullopt);
    Open<Page>(group, "Appearance");
    TypeInto(Page::IDC_WEIGHT, "0");
    for (const char* stem : kEdges)
        EXPECT_EQ(Edge(stem, "Weight")->GetInt(), 1) << stem;
}

TEST_F(TextAppearancePagesTest, TheLabelsWrapAndFillReachTheFormat)
{
    using Page = CLabelAppearancePage;
    OpenLabel();
    CParameterSet* behavior = Group("Behavior");
    SetChoice(behavior, "hScrollBarBehavior", "enabled");
    Click(Page::IDC_WRAP);
    EXPECT_TRUE(Param(format, "AWrapText")->GetBool());
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "hScrollBarBehavior")), "disabled");
    // Unwrapping leaves the horizontal behaviour as it is.
    SetChoice(behavior, "hScrollBarBehavior", "autoHide");
    Click(Page::IDC_WRAP);
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "hScrollBarBehavior")), "autoHide");

    Click(Page::IDC_SHOW_FILL);
    files->AnswerColour(RGB(0xFF, 0xEE, 0x00));
    Click(Page::IDC_FILL_COLOR);
    EXPECT_TRUE(Param(format, "Pattern")->GetBool());
    EXPECT_EQ(Param(format, "InteriorColor")->GetColor(), 0xFFEE00u);
    Choose(Page::IDC_HALIGN, 2);
    EXPECT_EQ(pages::ChoiceText(Param(format, "HAlign")), "right");
    EXPECT_EQ(Notified(), 5);
}

TEST_F(TextAppearancePagesTest, TheScrollColourCountsOnlyWhileAScrollBarCanShow)
{
    using Page = CLabelAppearancePage;
    struct Case {
        const char* horizontal;
        const char* vertical;
        bool custom;
        bool boxEnabled;
        bool swatchEnabled;
    };
    const Case cases[] = {{"disabled", "disabled", true, false, false},
                          {"enabled", "disabled", true, true, true},
                          {"disabled", "autoHide", false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.horizontal) + "/" + c.vertical);
        page.reset(); // the last case's page goes before its parameters do
        CParameterSet* group = Load("KVLabelCompSymbol", "Appearance");
        SetChoice(Group("Behavior"), "hScrollBarBehavior", c.horizontal);
        SetChoice(Group("Behavior"), "vScrollBarBehavior", c.vertical);
        Param(group, "useCustomScrollBarColor")->SetBool(c.custom);
        Open<Page>(group, "Appearance");
        EXPECT_EQ(Enabled(Page::IDC_USE_SCROLL_COLOR), c.boxEnabled);
        EXPECT_EQ(Enabled(Page::IDC_SCROLL_COLOR), c.swatchEnabled);
    }
    Click(Page::IDC_USE_SCROLL_COLOR);
    EXPECT_TRUE(Enabled(Page::IDC_SCROLL_COLOR));
    EXPECT_TRUE(Param(Group("Appearance"), "useCustomScrollBarColor")->GetBool());

    const std::pair<int, int> help[] = {{Page::IDC_HALIGN, 1445},
                                        {Page::IDC_SIDE, 1435},
                                        {Page::IDC_USE_SCROLL_COLOR, 1446},
                                        {Page::IDC_TEXT_GROUP, 1430}};
    for (auto [focus, topic] : help) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

TEST_F(TextAppearancePagesTest, TheTextAreaFillsWrapsAndColoursItsScrollBar)
{
    using Page = CInputTextAppearancePage;
    CParameterSet* group = Load("KVTextAreaInputSymbol", "Appearance");
    CParameterSet* behavior = Group("Behavior");
    Open<Page>(group, "Appearance");
    EXPECT_TRUE(Checked(Page::IDC_SHOW_FILL));
    EXPECT_TRUE(Enabled(Page::IDC_FILL_COLOR));
    EXPECT_TRUE(Checked(Page::IDC_WRAP));
    // The vertical bar hides itself when not needed, so a scroll colour can show.
    EXPECT_TRUE(Enabled(Page::IDC_USE_SCROLL_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_SCROLL_COLOR));
    Picture("text-area-appearance");

    Click(Page::IDC_SHOW_FILL);
    EXPECT_FALSE(Param(group, "useCustomColor")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_FILL_COLOR));
    Click(Page::IDC_SHOW_FILL);
    files->AnswerColour(RGB(0xDD, 0xEE, 0xFF));
    Click(Page::IDC_FILL_COLOR);
    EXPECT_EQ(Param(group, "customColor")->GetColor(), 0xDDEEFFu);
    TypeInto(Page::IDC_TRANSPARENCY, "40");
    EXPECT_EQ(Param(group, "backTrans")->GetInt(), 40);

    Click(Page::IDC_WRAP);
    EXPECT_FALSE(Param(group, "wordWrap")->GetBool());
    SetChoice(behavior, "hScrollBarBehavior", "enabled");
    Click(Page::IDC_WRAP);
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "hScrollBarBehavior")), "disabled");

    Click(Page::IDC_USE_SCROLL_COLOR);
    EXPECT_TRUE(Enabled(Page::IDC_SCROLL_COLOR));
    Choose(Page::IDC_ALIGNMENT, 1);
    EXPECT_EQ(pages::ChoiceText(Param(group, "labelAlignment")), "center");
    EXPECT_EQ(Notified(), 8);

    // With both bars disabled there is no scroll bar to colour; a component without a
    // vertical behaviour has no vertical bar.
    SetChoice(behavior, "vScrollBarBehavior", "disabled");
    page->OnSetActive();
    EXPECT_FALSE(Enabled(Page::IDC_USE_SCROLL_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_SCROLL_COLOR));
    for (int i = 0; i < behavior->GetCount(); ++i)
        if (behavior->GetAt(i)->GetName() == "vScrollBarBehavior")
            behavior->RemoveAt(i);
    page->OnSetActive();
    EXPECT_FALSE(Enabled(Page::IDC_USE_SCROLL_COLOR));

    const std::pair<int, int> help[] = {{Page::IDC_TRANSPARENCY, 2801},
                                        {Page::IDC_WRAP, 2803},
                                        {Page::IDC_ALIGNMENT, 2803},
                                        {Page::IDC_TEXT_GROUP, 2800}};
    for (auto [focus, topic] : help) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

TEST_F(TextAppearancePagesTest, TheInputHidesWhatItDoesNotHave)
{
    using Page = CInputTextAppearancePage;
    CParameterSet* group = Load("KVInputTextSymbol", "Appearance");
    Open<Page>(group, "Appearance");
    EXPECT_FALSE(Visible(Page::IDC_WRAP)); // its wrapping is a Behavior
    EXPECT_FALSE(Enabled(Page::IDC_TRANSPARENCY));
    // A single line never scrolls: the shipped input has no scroll colour to offer.
    EXPECT_FALSE(Visible(Page::IDC_USE_SCROLL_COLOR));
    Picture("input-text-appearance");

    // Without scroll colours the whole group goes.
    for (const char* key : {"useCustomScrollBarColor", "customScrollBarColor", "labelTextFormat"})
        for (int i = 0; i < group->GetCount(); ++i)
            if (group->GetAt(i)->GetName() == key)
                group->RemoveAt(i);
    Open<Page>(group, "Appearance");
    for (int id : {Page::IDC_USE_SCROLL_COLOR, Page::IDC_SCROLL_COLOR, Page::IDC_SCROLL_GROUP})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_FALSE(Item(Page::IDC_FONT)->GetDlgItem(CFontDataCtrl::IdFont)->IsWindowEnabled());
}

} // namespace
