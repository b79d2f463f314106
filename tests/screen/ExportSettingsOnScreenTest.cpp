#include "ScreenFixture.h"

#include "platform/docview/Frame.h"
#include "app/dialogs/ExportSettingsDlg.h"

namespace {

using Dlg = CExportSettingsDlg;

class ExportSettingsOnScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(owner.Create(nullptr, "Vantorel", WS_OVERLAPPEDWINDOW, CRect(30, 30, 730, 530)));
        owner.ShowWindow(SW_SHOW);
        gtkscreen::Flush();
    }
    static void ClickItem(CDialog& dlg, int id)
    {
        CWnd* item = dlg.GetDlgItem(id);
        ASSERT_NE(item, nullptr) << id;
        CRect r;
        item->GetClientRect(&r);
        // Buttons and boxes are clicked on their left part, where their box or text is.
        ASSERT_TRUE(gtkscreen::SimulateClick(*item, CPoint(std::min(8, r.Width() / 2), r.Height() / 2))) << id;
    }
    // Replaces the text of an edit as a user does: click, go to the end, rub out, type.
    static void Retype(CDialog& dlg, int id, const std::string& text)
    {
        ClickItem(dlg, id);
        ASSERT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(id));
        gtkscreen::SimulateKey("End");
        for (std::size_t i = dlg.GetDlgItemText(id).size(); i > 0; --i) {
            gtkscreen::SimulateKey("BackSpace");
        }
        gtkscreen::SimulateTyping(text);
    }

    CFrameWnd owner;
    CExportSettings record;
};

TEST_F(ExportSettingsOnScreenTest, ADataSourceTypedIntoTheDialogIsStored)
{
    record.refreshSeconds = 10;
    ui::SetDialogHook(Dlg::IDD, [&](CDialog& dlg) {
        EXPECT_FALSE(dlg.GetDlgItem(Dlg::IDC_URL)->IsWindowEnabled());
        ClickItem(dlg, Dlg::IDC_USE_WEB_SERVICE);
        EXPECT_EQ(dlg.GetCheckedRadioButton(Dlg::IDC_USE_CURRENT_DATA, Dlg::IDC_USE_WEB_SERVICE),
                  Dlg::IDC_USE_WEB_SERVICE);
        ASSERT_TRUE(dlg.GetDlgItem(Dlg::IDC_URL)->IsWindowEnabled());
        Retype(dlg, Dlg::IDC_URL, "http://example.com/sales.xml");
        ClickItem(dlg, Dlg::IDC_REFRESH);
        ASSERT_TRUE(dlg.GetDlgItem(Dlg::IDC_REFRESH_SECONDS)->IsWindowEnabled());
        Retype(dlg, Dlg::IDC_REFRESH_SECONDS, "45");
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "http://example.com/sales.xml");
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_REFRESH_SECONDS), "45");
        Shot(dlg, "export-settings");
        ClickItem(dlg, IDOK);
    });
    Dlg dlg(&owner, record);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(record.edited);
    EXPECT_EQ(record.mode, DataSourceMode::WebService);
    EXPECT_EQ(record.url, "http://example.com/sales.xml");
    EXPECT_TRUE(record.refresh);
    EXPECT_EQ(record.refreshSeconds, 45);
}

TEST_F(ExportSettingsOnScreenTest, EscapeLeavesTheRecordAsItWas)
{
    record.url = "http://example.com/kept.xml";
    record.mode = DataSourceMode::WebService;
    ui::SetDialogHook(Dlg::IDD, [&](CDialog& dlg) {
        Retype(dlg, Dlg::IDC_URL, "http://example.com/dropped.xml");
        gtkscreen::SimulateKey("Escape", false);
    });
    Dlg dlg(&owner, record);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(record.edited);
    EXPECT_EQ(record.url, "http://example.com/kept.xml");
}

} // namespace
