#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/TextFormat.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/FontDataCtrl.h"
#include "propui/PropertyOwner.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

using model::ParamType;

namespace {

struct CountingOwner : IPropertyOwner {
    int refreshed = 0;
    void Refresh(int) override { ++refreshed; }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return "Gauge_1"; }
    std::string GetComponentTypeName() const override { return "KVGaugeSymbol"; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
};

// A page that counts the choosers' change messages.
class Page : public CWnd {
public:
    std::vector<WPARAM> changes;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CFontChooserBase::kChangedMessage) {
            changes.push_back(wParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class FontChooserTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        host = &InstallRasterWindowHost();
        dialogs = &UseScriptedCommonDialogs();
        ASSERT_TRUE(page.CreateEx(0, "Owner", "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 60), nullptr, 0));
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs->Unexpected().empty()) << "a colour dialog nobody expected";
        page.DestroyWindow();
        ResetCommonDialogService();
        UiTest::TearDown();
    }
    template <class C> void Place(C& chooser, int id)
    {
        ASSERT_TRUE(chooser.CreateEx(0, C::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 32), &page,
                                     static_cast<UINT>(id)));
    }
    void Click(CWnd& w) { ASSERT_TRUE(CUserInput::Click(w, CPoint(3, 3))); }

    CRasterWindowHost* host = nullptr;
    CScriptedCommonDialogs* dialogs = nullptr;
    Page page;
    CountingOwner owner;
};

} // namespace

TEST_F(FontChooserTest, BindsATextFormatAndWritesEveryChangeTellingTheParent)
{
    // A text format without the underline key.
    CParameterSet group;
    group.Add(std::make_unique<CParameter>("font", ParamType::Text))->SetString("Verdana");
    group.Add(std::make_unique<CParameter>("size", ParamType::Integer))->SetInt(11);
    group.Add(std::make_unique<CParameter>("bold", ParamType::Boolean))->SetBool(true);
    group.Add(std::make_unique<CParameter>("italic", ParamType::Boolean))->SetBool(false);
    group.Add(std::make_unique<CParameter>("color", ParamType::Color))->SetColor(0x336699);
    CFontDataCtrl chooser;
    Place(chooser, 317);
    ASSERT_TRUE(chooser.Create(&group, nullptr, false, nullptr));
    EXPECT_EQ(chooser.GetRectInParent(), CRect(10, 10, 290, 32)) << "back on its placeholder";
    EXPECT_EQ(chooser.FontBox().GetCount(), 1);
    EXPECT_EQ(chooser.FontBox().GetLBText(chooser.FontBox().GetCurSel()), "Verdana");
    EXPECT_EQ(chooser.SizeBox().GetCount(), 16) << "a size missing from the list is added";
    EXPECT_EQ(chooser.SizeBox().GetLBText(chooser.SizeBox().GetCurSel()), "11");
    EXPECT_EQ(chooser.Toggle(CFontChooserBase::IdBold).GetCheck(), BST_CHECKED);
    EXPECT_FALSE(chooser.Toggle(CFontChooserBase::IdUnderline).IsWindowEnabled()) << "no underline key";
    EXPECT_EQ(chooser.ColorButton().GetColor(), RGB(0x33, 0x66, 0x99));
    WritePng(testsupport::ArtefactDir("propui") / "font-chooser.png", host->Snapshot(page));

    Click(chooser.Toggle(CFontChooserBase::IdItalic));
    EXPECT_TRUE(group.FindParameter("italic")->GetBool());
    chooser.SizeBox().UserSelect(chooser.SizeBox().FindStringExact(-1, "24"));
    EXPECT_EQ(group.FindParameter("size")->GetInt(), 24);
    EXPECT_EQ(page.changes, (std::vector<WPARAM>{317, 317})) << "without an owner the page is told";

    // The colour dialog: Cancel changes and tells nothing; OK stores 0xRRGGBB.
    dialogs->AnswerColour(std::nullopt);
    Click(chooser.ColorButton());
    EXPECT_EQ(group.FindParameter("color")->GetColor(), 0x336699u);
    EXPECT_EQ(page.changes.size(), 2u);
    dialogs->AnswerColour(RGB(0x10, 0x20, 0x30));
    Click(chooser.ColorButton());
    EXPECT_EQ(group.FindParameter("color")->GetColor(), 0x102030u);
    EXPECT_EQ(page.changes.size(), 3u);

    // Another group loaded under it shows its own font, not the first one's.
    CTextFormat other("Arial", 9, 0);
    chooser.Create(&other, &owner, false, nullptr);
    EXPECT_EQ(chooser.FontBox().GetLBText(chooser.FontBox().GetCurSel()), "Arial");
    Click(chooser.Toggle(CFontChooserBase::IdUnderline));
    EXPECT_TRUE(other.GetUnderline());
    EXPECT_EQ(owner.refreshed, 1);
    EXPECT_EQ(page.changes.size(), 3u) << "with an owner the page is not told";
}

TEST_F(FontChooserTest, TheSecondChooserWritesTheCombinedStyleAndTellsOnlyItsOwner)
{
    CParameterSet group;
    auto add = [&](const char* key, ParamType type) {
        return group.Add(std::make_unique<CParameter>(key, type));
    };
    add("FontName", ParamType::Text)->SetString("Tahoma");
    add("FontSize", ParamType::Integer)->SetInt(11);
    add("FontStyle", ParamType::Text)->SetString("bold");
    add("FUnderline", ParamType::Boolean)->SetBool(false);
    add("FontColor", ParamType::Color)->SetColor(0xFF0000);
    CFontData2Ctrl chooser;
    Place(chooser, 500);
    ASSERT_TRUE(chooser.Create(&group, &owner, false, nullptr));
    EXPECT_EQ(chooser.SizeBox().GetCount(), 15);
    EXPECT_EQ(chooser.SizeBox().GetCurSel(), -1) << "a size missing from the list is not added";
    EXPECT_EQ(chooser.Toggle(CFontChooserBase::IdBold).GetCheck(), BST_UNCHECKED) << "styles compare exactly";

    Click(chooser.Toggle(CFontChooserBase::IdItalic));
    EXPECT_EQ(group.FindParameter("FontStyle")->GetString(), "Italic");
    Click(chooser.Toggle(CFontChooserBase::IdBold));
    EXPECT_EQ(group.FindParameter("FontStyle")->GetString(), "Bold Italic");
    Click(chooser.Toggle(CFontChooserBase::IdBold));
    EXPECT_EQ(group.FindParameter("FontStyle")->GetString(), "Italic");
    Click(chooser.Toggle(CFontChooserBase::IdUnderline));
    EXPECT_TRUE(group.FindParameter("FUnderline")->GetBool());
    EXPECT_EQ(owner.refreshed, 4);
    EXPECT_TRUE(page.changes.empty());

    CFontData2Ctrl unbound;
    Place(unbound, 501);
    unbound.Create(nullptr, nullptr, false, nullptr);
    EXPECT_FALSE(unbound.SizeBox().IsWindowEnabled());
    EXPECT_FALSE(unbound.ColorButton().IsWindowEnabled());
}
