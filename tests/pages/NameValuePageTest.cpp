// The generic Name/Value tab in a modal sheet: what is typed waits for OK.

#include "pages/NameValuePage.h"
#include "platform/dialogs/PropertySheet.h"
#include "propui/PropertyListCtrl.h"
#include "tests/pages/PageFixture.h"

namespace {

using model::ParamType;

class NameValuePageTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        group.Add(std::make_unique<CParameter>("title", ParamType::Text))->SetString("Sales");
        group.Add(std::make_unique<CParameter>("count", ParamType::Integer))->SetInt(4);
        group.Add(std::make_unique<CParameter>("ratio", ParamType::Number))->SetDouble(0.123456789012345);
        group.Add(std::make_unique<CParameter>("limit", ParamType::Number))->SetUndefined(true);
        group.Add(std::make_unique<CParameter>("show", ParamType::Boolean))->SetBool(false);
    }
    // Runs a modal sheet with the tab on the group; `drive` acts in it.
    INT_PTR RunModal(const std::function<void(CNameValuePage&, CPropertySheet&)>& drive)
    {
        CNameValuePage tab;
        tab.SetContext(&context);
        tab.Create(&group, "General", true, &owner, &group);
        CPropertySheet sheet("Line Properties", &parent);
        sheet.AddPage(&tab);
        ui::SetDialogHookByCaption("Line Properties", [&](CDialog&) { drive(tab, sheet); });
        return sheet.DoModal();
    }
    static int Row(CPropertyListCtrl& list, const std::string& name)
    {
        for (int i = 0; i < list.GetRowCount(); ++i)
            if (list.GetRowInfo(i)->name == name)
                return i;
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    // Clicks into the value, rubs it out, types and presses Enter.
    static void Type(CPropertyListCtrl& list, const std::string& name, const std::string& text)
    {
        const CRect cell = list.GetCellRect(Row(list, name), 1);
        CUserInput::Click(list, CPoint(cell.left + 6, cell.CenterPoint().y));
        CUserInput::PressKey(VK_DELETE);
        if (!text.empty())
            CUserInput::TypeText(text);
        CUserInput::PressKey(VK_RETURN);
    }
    static void Press(CPropertySheet& sheet, int id) { static_cast<CButton*>(sheet.GetDlgItem(id))->Click(); }

    CParameterSet group;
};

TEST_F(NameValuePageTest, InAModalSheetEditsAreWrittenOnOkAndOnlyTheRowsEdited)
{
    const INT_PTR result = RunModal([&](CNameValuePage& tab, CPropertySheet& sheet) {
        CPropertyListCtrl& list = *tab.GetList();
        Type(list, "title", "Revenue");
        Type(list, "count", "");
        const CRect show = list.GetCellRect(Row(list, "show"), 1);
        CUserInput::Click(list, show.CenterPoint());
        EXPECT_EQ(list.GetRowValueText(Row(list, "title")), "Revenue") << "shown at once";
        EXPECT_EQ(group.FindParameter("title")->GetString(), "Sales") << "written only on OK";
        EXPECT_EQ(group.FindParameter("count")->GetInt(), 4);
        EXPECT_FALSE(group.FindParameter("show")->GetBool());
        EXPECT_TRUE(owner.refreshes.empty());
        WritePng(testsupport::ArtefactDir("pages") / "name-value-modal.png", host->Snapshot(sheet));
        Press(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(group.FindParameter("title")->GetString(), "Revenue");
    EXPECT_TRUE(group.FindParameter("count")->IsUndefined()) << "an emptied number is no number";
    EXPECT_TRUE(group.FindParameter("show")->GetBool());
    // Rows left alone keep their values exactly: a number the row shows rounded, one unset.
    EXPECT_EQ(group.FindParameter("ratio")->GetDouble(), 0.123456789012345);
    EXPECT_TRUE(group.FindParameter("limit")->IsUndefined());
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));
}

TEST_F(NameValuePageTest, CancellingAModalSheetWritesNothing)
{
    const INT_PTR result = RunModal([&](CNameValuePage& tab, CPropertySheet& sheet) {
        Type(*tab.GetList(), "title", "Revenue");
        Type(*tab.GetList(), "ratio", "2.5");
        Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(group.FindParameter("title")->GetString(), "Sales");
    EXPECT_EQ(group.FindParameter("ratio")->GetDouble(), 0.123456789012345);
    EXPECT_TRUE(owner.refreshes.empty());
}

} // namespace
