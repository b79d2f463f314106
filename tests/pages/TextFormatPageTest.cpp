// A text-format group on its own tab: the URL button's label font.

#include "pages/TextFormatPage.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CTextFormatPage;

class TextFormatPageTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        format = Param(Load("KVUrlButtonSymbol", "Appearance"), "labelTextFormat")->GetSet();
    }
    CParameterSet* format = nullptr;
};

TEST_F(TextFormatPageTest, TheTabTakesTheGroupNameAndMissingKeysGreyTheirControls)
{
    Open<Page>(format, "Label Font");
    EXPECT_EQ(page->GetTitle(), "Label Font");
    EXPECT_EQ(Text(Page::IDC_FONT), "Verdana");
    EXPECT_EQ(Text(Page::IDC_SIZE), "11");
    EXPECT_FALSE(Enabled(Page::IDC_ALIGN)); // the label font has no alignment
    EXPECT_TRUE(Enabled(Page::IDC_COLOR));
    EXPECT_EQ(Notified(), 0); // opening writes nothing
    Picture("text-format");
}

TEST_F(TextFormatPageTest, SizesAreKeptBetweenOneAndAHundred)
{
    Open<Page>(format, "Font");
    const std::pair<const char*, int> cases[] = {{"0", 1}, {"250", 100}, {"14", 14}, {"-3", 1}};
    for (auto [typed, stored] : cases) {
        TypeInto(Page::IDC_SIZE, typed);
        EXPECT_EQ(Param(format, "size")->GetInt(), stored) << typed;
        EXPECT_EQ(Text(Page::IDC_SIZE), std::to_string(stored)) << typed;
    }
}

TEST_F(TextFormatPageTest, EveryKeystrokeOfTheFontIsWritten)
{
    Open<Page>(format, "Font");
    Item(Page::IDC_FONT)->SetFocus();
    static_cast<CEdit*>(Item(Page::IDC_FONT))->SetSel(0, -1);
    CUserInput::TypeText("Ar");
    EXPECT_EQ(Param(format, "font")->GetString(), "Ar");
    EXPECT_EQ(Notified(), 2);

    Click(Page::IDC_UNDERLINE);
    EXPECT_TRUE(Param(format, "underline")->GetBool());
    files->AnswerColour(RGB(0, 0x80, 0xFF));
    Click(Page::IDC_COLOR);
    EXPECT_EQ(Param(format, "color")->GetColor(), 0x0080FFu);
}

TEST_F(TextFormatPageTest, ASizeOfAnotherTypeIsNotEdited)
{
    Param(format, "size")->SetDouble(11.5, true);
    Open<Page>(format, "Font");
    EXPECT_FALSE(Enabled(Page::IDC_SIZE));
    EXPECT_FALSE(Enabled(Page::IDC_SIZE_ARROWS));
    EXPECT_EQ(static_cast<Page*>(page.get())->GetPresent() & Page::kSize, 0u);
}

} // namespace
