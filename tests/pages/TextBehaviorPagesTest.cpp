// The Behavior tabs of the label and the text inputs on their shipped parameters: the scroll
// radio buttons, the wrap rule that takes the horizontal choice away, and what the movie's user
// may type.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/InputTextBehaviorPage.h"
#include "pages/LabelBehaviorPage.h"
#include "pages/PageKit.h"
#include "tests/pages/PageFixture.h"

namespace {

// Removes a parameter from a set, as a component without it has it.
std::unique_ptr<CParameter> Drop(CParameterSet* set, const char* key)
{
    for (int i = 0; i < set->GetCount(); ++i)
        if (set->GetAt(i)->GetName() == key)
            return set->Detach(i);
    return nullptr;
}

class TextBehaviorPagesTest : public pagetest::PageTest {
protected:
    std::string Choice(CParameterSet* set, const char* key) { return pages::ChoiceText(Param(set, key)); }
    void SetChoice(CParameterSet* set, const char* key, const char* text)
    {
        ASSERT_TRUE(pages::SetChoiceText(Param(set, key), text));
    }
};

TEST_F(TextBehaviorPagesTest, TheLabelChecksTheRadioOfEachStoredBehaviour)
{
    using Page = CLabelBehaviorPage;
    // Only the exact texts "enabled" and "disabled" have buttons of their own.
    const std::pair<const char*, int> cases[] = {{"enabled", Page::IDC_V_ENABLE},
                                                 {"disabled", Page::IDC_V_DISABLE},
                                                 {"autoHide", Page::IDC_V_AUTOHIDE},
                                                 {"Enabled", Page::IDC_V_AUTOHIDE},
                                                 {"", Page::IDC_V_AUTOHIDE}};
    for (auto [stored, checked] : cases) {
        SCOPED_TRACE(stored);
        page.reset(); // the last case's page goes before its parameters do
        CParameterSet* group = Load("KVLabelCompSymbol", "Behavior");
        SetChoice(group, "vScrollBarBehavior", stored);
        SetChoice(group, "hScrollBarBehavior", stored);
        Open<Page>(group, "Behavior");
        for (int id : {Page::IDC_V_ENABLE, Page::IDC_V_DISABLE, Page::IDC_V_AUTOHIDE}) {
            EXPECT_EQ(Checked(id), id == checked) << id;
            EXPECT_EQ(Checked(id - Page::IDC_V_ENABLE + Page::IDC_H_ENABLE), id == checked) << id;
        }
        EXPECT_EQ(Notified(), 0);
    }
}

TEST_F(TextBehaviorPagesTest, TheLabelStoresEachClickAndWrappedTextHasNoHorizontalChoice)
{
    using Page = CLabelBehaviorPage;
    CParameterSet* group = Load("KVLabelCompSymbol", "Behavior");
    CParameterSet* format =
        Param(defaults.parameters.get(), "Appearance")->GetSet()->FindParameter("formatValue")->GetSet();
    Open<Page>(group, "Behavior");
    EXPECT_TRUE(Enabled(Page::IDC_H_AUTOHIDE));
    Picture("label-behavior");

    Click(Page::IDC_H_AUTOHIDE);
    Click(Page::IDC_V_ENABLE);
    EXPECT_EQ(Choice(group, "hScrollBarBehavior"), "autoHide");
    EXPECT_EQ(Choice(group, "vScrollBarBehavior"), "enabled");
    EXPECT_TRUE(Checked(Page::IDC_V_ENABLE));
    EXPECT_FALSE(Checked(Page::IDC_V_DISABLE));
    // The checked button clicked again is stored again and republished.
    Click(Page::IDC_V_ENABLE);
    EXPECT_EQ(Notified(), 3);

    // "Wrap Text" is on the Appearance tab: the horizontal group follows it when shown again.
    format->FindParameter("AWrapText")->SetBool(true);
    SetChoice(group, "hScrollBarBehavior", "disabled");
    page->OnSetActive();
    EXPECT_TRUE(Checked(Page::IDC_H_DISABLE));
    for (int id : {Page::IDC_H_ENABLE, Page::IDC_H_DISABLE, Page::IDC_H_AUTOHIDE, Page::IDC_H_GROUP})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(Page::IDC_V_AUTOHIDE));

    // Choosing an entry effect republishes; the duration follows the choice.
    Choose(Page::IDC_EFFECT, 1);
    EXPECT_EQ(Param(group, "introStyle")->GetString(), "Fade-in");
    EXPECT_EQ(Notified(), 4);

    const std::pair<int, int> help[] = {{Page::IDC_H_ENABLE, 1447},
                                        {Page::IDC_V_AUTOHIDE, 1426},
                                        {Page::IDC_EFFECT, 890},
                                        {Page::IDC_KEY, -1}};
    for (auto [focus, topic] : help) {
        Item(focus)->EnableWindow(TRUE);
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

TEST_F(TextBehaviorPagesTest, AMissingVerticalBehaviourDisablesItsGroup)
{
    using Page = CLabelBehaviorPage;
    CParameterSet* group = Load("KVLabelCompSymbol", "Behavior");
    ASSERT_NE(Drop(group, "vScrollBarBehavior"), nullptr);
    Open<Page>(group, "Behavior");
    for (int id : {Page::IDC_V_ENABLE, Page::IDC_V_DISABLE, Page::IDC_V_AUTOHIDE, Page::IDC_V_GROUP})
        EXPECT_FALSE(Enabled(id)) << id;
    Click(Page::IDC_V_ENABLE);
    EXPECT_EQ(Notified(), 0);
    EXPECT_TRUE(Enabled(Page::IDC_H_ENABLE));
}

TEST_F(TextBehaviorPagesTest, EachInputLayoutShowsWhatItsComponentHas)
{
    using Page = CInputTextBehaviorPage;
    struct Case {
        const char* symbol;
        bool textArea;
        int optionsTopic;
        int otherTopic;
    };
    for (const Case& c :
         {Case{"KVTextAreaInputSymbol", true, 2791, 2790}, Case{"KVInputTextSymbol", false, 2826, 2825}}) {
        SCOPED_TRACE(c.symbol);
        page.reset(); // the last case's page goes before its parameters do
        CParameterSet* group = Load(c.symbol, "Behavior");
        Open<Page>(group, "Behavior");
        for (int id : {int(Page::IDC_HTML), int(Page::IDC_H_ENABLE), int(Page::IDC_V_AUTOHIDE),
                       int(Page::IDC_H_GROUP)})
            EXPECT_EQ(Visible(id), c.textArea) << id;
        for (int id :
             {Page::IDC_PASSWORD, Page::IDC_RESTRICT_LABEL, Page::IDC_RESTRICT, Page::IDC_RESTRICT_LINK})
            EXPECT_EQ(Visible(id), !c.textArea) << id;
        EXPECT_TRUE(Visible(Page::IDC_USE_MAX_CHARS));
        EXPECT_TRUE(Visible(Page::IDC_MAX_CHARS));
        Picture(c.textArea ? "text-area-behavior" : "input-text-behavior");

        const std::pair<int, int> help[] = {{Page::IDC_USE_MAX_CHARS, c.optionsTopic},
                                            {Page::IDC_EFFECT, 890},
                                            {Page::IDC_H_ENABLE, 2793},
                                            {Page::IDC_V_DISABLE, 2792},
                                            {Page::IDC_STATUS_LABEL, c.otherTopic}};
        for (auto [focus, topic] : help) {
            Item(focus)->ShowWindow(SW_SHOW);
            Item(focus)->EnableWindow(TRUE);
            Item(focus)->SetFocus();
            EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
        }
    }
}

TEST_F(TextBehaviorPagesTest, TheInputLimitsWhatIsTyped)
{
    using Page = CInputTextBehaviorPage;
    CParameterSet* group = Load("KVInputTextSymbol", "Behavior");
    Open<Page>(group, "Behavior");
    EXPECT_FALSE(Enabled(Page::IDC_MAX_CHARS)); // "useMaxChars" is off
    // The input has no scroll behaviours: their groups are there, disabled.
    EXPECT_FALSE(Enabled(Page::IDC_V_ENABLE));

    Click(Page::IDC_USE_MAX_CHARS);
    EXPECT_TRUE(Param(group, "useMaxChars")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_MAX_CHARS));
    TypeInto(Page::IDC_MAX_CHARS, "99999");
    EXPECT_EQ(Param(group, "maxChars")->GetInt(), 10000); // the parameter's own maximum
    Click(Page::IDC_USE_MAX_CHARS);
    EXPECT_FALSE(Enabled(Page::IDC_MAX_CHARS));
    EXPECT_EQ(Param(group, "maxChars")->GetInt(), 10000);

    Click(Page::IDC_PASSWORD);
    EXPECT_TRUE(Param(group, "password")->GetBool());
    // The shipped allowed characters are a cell binding: typed, they are its value.
    TypeInto(Page::IDC_RESTRICT, "0-9");
    EXPECT_EQ(Param(group, "restrict")->GetBinding()->GetValue().GetString(), "0-9");
    EXPECT_TRUE(Enabled(Page::IDC_RESTRICT_LINK));
    EXPECT_EQ(Notified(), 5);
}

TEST_F(TextBehaviorPagesTest, TypingAllowedCharactersRemovesTheirLinkAndACancelledPickKeepsIt)
{
    using Page = CInputTextBehaviorPage;
    ImportWorkbook();
    CParameterSet* group = Load("KVInputTextSymbol", "Behavior");
    // Allowed characters taken from a cell.
    ASSERT_NE(Drop(group, "restrict"), nullptr);
    auto linked = std::make_unique<CParameter>("restrict", model::ParamType::CellBinding);
    linked->GetBinding()->GetValue().SetString("abc", true);
    CParameter& restrict = *group->Add(std::move(linked));
    Open<Page>(group, "Behavior");
    EXPECT_EQ(Text(Page::IDC_RESTRICT), "abc");

    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$A$2");
    Click(Page::IDC_RESTRICT_LINK);
    ASSERT_TRUE(restrict.GetBinding()->IsBound());
    EXPECT_EQ(Text(Page::IDC_RESTRICT), "'Inputs'!$A$2");
    picker->Answer(sheet::RangePickOutcome::Cancelled, "");
    Click(Page::IDC_RESTRICT_LINK);
    EXPECT_TRUE(restrict.GetBinding()->IsBound());

    // A number cell leaves a number; the typed characters replace it as text, never dropped.
    restrict.GetBinding()->GetValue().SetDouble(5, true);
    const int before = Notified();
    TypeInto(Page::IDC_RESTRICT, "A-Z");
    EXPECT_EQ(Notified(), before + 1);
    EXPECT_FALSE(restrict.GetBinding()->IsBound());
    EXPECT_EQ(restrict.GetBinding()->GetValue().GetString(), "A-Z");
}

TEST_F(TextBehaviorPagesTest, TheTextAreaOffersHorizontalScrollingOnlyWithoutWrapping)
{
    using Page = CInputTextBehaviorPage;
    CParameterSet* group = Load("KVTextAreaInputSymbol", "Behavior");
    CParameter* wrap = Param(defaults.parameters.get(), "Appearance")->GetSet()->FindParameter("wordWrap");
    ASSERT_TRUE(wrap->GetBool());
    Open<Page>(group, "Behavior");
    EXPECT_FALSE(Enabled(Page::IDC_H_ENABLE));
    EXPECT_TRUE(Checked(Page::IDC_V_AUTOHIDE));

    wrap->SetBool(false);
    page->OnSetActive();
    EXPECT_TRUE(Enabled(Page::IDC_H_ENABLE));
    Click(Page::IDC_H_ENABLE);
    Click(Page::IDC_HTML);
    EXPECT_EQ(Choice(group, "hScrollBarBehavior"), "enabled");
    EXPECT_TRUE(Param(group, "html")->GetBool());
    EXPECT_EQ(Notified(), 2);
}

} // namespace
