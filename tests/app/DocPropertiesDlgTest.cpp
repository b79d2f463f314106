#include "tests/app/AppFixture.h"

#include "app/canvas/ComponentObj.h"
#include "app/core/AppIds.h"
#include "app/dialogs/DocPropertiesDlg.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ScrollBar.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"

namespace {

using Dlg = CDocPropertiesDlg;

class DocPropertiesTest : public AppTest {
protected:
    // Opens Document Properties from the File menu's command, lets the script act on the dialog
    // and returns after the dialog ended.
    void Run(const std::function<void(CDialog&)>& script)
    {
        ui::SetDialogHook(Dlg::IDD, script);
        Frame().SendMessage(WM_COMMAND, ID_FILE_PROPERTIES, 0);
    }
    static CEdit& Edit(CDialog& dlg, int id) { return *static_cast<CEdit*>(dlg.GetDlgItem(id)); }
    static CScrollBar& Bar(CDialog& dlg, int id) { return *static_cast<CScrollBar*>(dlg.GetDlgItem(id)); }
    static CComboBox& Presets(CDialog& dlg) { return *static_cast<CComboBox*>(dlg.GetDlgItem(Dlg::IDC_PRESET)); }
    static void Retype(CDialog& dlg, int id, const std::string& text)
    {
        Edit(dlg, id).SetSel(0, -1);
        Edit(dlg, id).Type(text);
    }
};

// The dialog shows the document's size, colour and description; typed sides are held within
// 1..1630 and move the arrows; presets write their sizes; OK resizes the canvas without moving
// the objects and takes the colour and description over.
TEST_F(DocPropertiesTest, EditsTheCanvasSizeColourAndDescription)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    SkipWelcome();
    ASSERT_TRUE(Start());
    CDrawDoc& doc = Doc();
    ASSERT_TRUE(doc.SetCanvasSize(640, 480));
    doc.SetDescription("Sales by region");
    auto* obj = new CComponentObj(CRect(1000, 2000, 3000, 3000), std::vector<CComponent*>{}, "Free");
    doc.Add(obj);
    doc.SetModifiedFlag(FALSE);
    UseScriptedCommonDialogs().AnswerColour(RGB(200, 220, 255));

    Run([&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_WIDTH), "640");
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_HEIGHT), "480");
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_DESCRIPTION_EDIT), "Sales by region");
        EXPECT_EQ(Presets(dlg).GetCurSel(), 2) << "640 x 480";
        int low = 0, high = 0;
        Bar(dlg, Dlg::IDC_WIDTH_SPIN).GetScrollRange(&low, &high);
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 1630);
        EXPECT_EQ(Bar(dlg, Dlg::IDC_WIDTH_SPIN).GetScrollPos(), 640);

        // Typed sides outside the limits are held at them; the arrows follow.
        const struct {
            const char* typed;
            const char* shown;
            int pos;
        } typed[] = {{"0", "1", 1}, {"1631", "1630", 1630}, {"99999", "1630", 1630}, {"1630", "1630", 1630},
                     {"1", "1", 1}, {"700", "700", 700}};
        for (const auto& t : typed) {
            SCOPED_TRACE(t.typed);
            Retype(dlg, Dlg::IDC_WIDTH, t.typed);
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_WIDTH), t.shown);
            EXPECT_EQ(Bar(dlg, Dlg::IDC_WIDTH_SPIN).GetScrollPos(), t.pos);
        }
        // The arrows step by one within the limits.
        Bar(dlg, Dlg::IDC_WIDTH_SPIN).UserScroll(SB_LINEUP);
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_WIDTH), "701");
        Bar(dlg, Dlg::IDC_WIDTH_SPIN).UserScroll(SB_LINEDOWN);
        Bar(dlg, Dlg::IDC_WIDTH_SPIN).UserScroll(SB_LINEDOWN);
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_WIDTH), "699");
        Retype(dlg, Dlg::IDC_HEIGHT, "1630");
        Bar(dlg, Dlg::IDC_HEIGHT_SPIN).UserScroll(SB_LINEUP);
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_HEIGHT), "1630");

        // A preset writes both sides.
        Presets(dlg).UserSelect(3);
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_WIDTH), "800");
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_HEIGHT), "600");
        EXPECT_EQ(Bar(dlg, Dlg::IDC_HEIGHT_SPIN).GetScrollPos(), 600);
        EXPECT_EQ(Presets(dlg).GetCurSel(), 3);
        Retype(dlg, Dlg::IDC_WIDTH, "1024");
        Retype(dlg, Dlg::IDC_HEIGHT, "768");
        EXPECT_EQ(Presets(dlg).GetCurSel(), 4) << "typed sides name their preset";
        Retype(dlg, Dlg::IDC_HEIGHT, "700");
        EXPECT_EQ(Presets(dlg).GetCurSel(), -1);

        static_cast<CButton*>(dlg.GetDlgItem(Dlg::IDC_COLOR))->Click();
        Retype(dlg, Dlg::IDC_DESCRIPTION_EDIT, "Sales by region and quarter");
        PumpUntilIdle();
        EXPECT_TRUE(WritePng(artefacts / "document-properties.png", host.Snapshot(dlg)));
        static_cast<CButton*>(dlg.GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(doc.GetCanvasWidth(), 1024);
    EXPECT_EQ(doc.GetCanvasHeight(), 700);
    EXPECT_EQ(doc.GetPaperColor(), RGB(200, 220, 255));
    EXPECT_EQ(doc.GetDescription(), "Sales by region and quarter");
    EXPECT_EQ(obj->m_position, CRect(1000, 2000, 3000, 3000)) << "objects stay where they are";
    EXPECT_TRUE(doc.IsModified());

    // A size without a preset selects none; Cancel changes nothing.
    ASSERT_TRUE(doc.SetCanvasSize(500, 500));
    Run([&](CDialog& dlg) {
        EXPECT_EQ(Presets(dlg).GetCurSel(), -1);
        Retype(dlg, Dlg::IDC_WIDTH, "300");
        static_cast<CButton*>(dlg.GetDlgItem(IDCANCEL))->Click();
    });
    EXPECT_EQ(doc.GetCanvasWidth(), 500);
}

} // namespace
