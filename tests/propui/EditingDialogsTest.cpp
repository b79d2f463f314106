#include "PropUiFixture.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/EditingDialogs.h"
#include "propui/ParameterListPage.h"
#include "propui/PropertyListCtrl.h"

namespace {

// A list of numbers and a file reference, edited from the rows' buttons of the plain list.
class EditingDialogsTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        auto group = std::make_unique<CParameter>("General", model::ParamType::Group);
        items = group->GetSet()->Add(std::make_unique<CParameter>("items", model::ParamType::List));
        items->GetSet()->SetElementTemplate(std::make_unique<CParameter>("0", model::ParamType::Integer));
        for (int v : {5, 6, 7})
            items->InsertTemplateElement(items->GetElementCount())->SetInt(v);
        media = group->GetSet()->Add(std::make_unique<CParameter>("media", model::ParamType::Group));
        media->GetSet()->SetPageKind(model::kPageExternalFile);
        media->GetSet()->Add(std::make_unique<CParameter>("fileName", model::ParamType::Text))->SetString("a.jpg");
        media->GetSet()->Add(std::make_unique<CParameter>("embed", model::ParamType::Boolean));
        root.Add(std::move(group));
        sheet.SetContext(&context);
        ASSERT_EQ(sheet.BuildPages(&root, false, &owner), 1);
        ASSERT_TRUE(sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
        list = dynamic_cast<CParameterListPage*>(sheet.GetComponentPage(0))->GetList();
        PumpUntilIdle();
    }
    void TearDown() override
    {
        sheet.DestroyWindow();
        EXPECT_TRUE(ui::UnansweredDialogs().empty());
        PropUiTest::TearDown();
    }
    void OpenRow(const char* name)
    {
        for (int i = 0; i < list->GetRowCount(); ++i)
            if (list->GetRowInfo(i)->name == name) {
                const CRect square = list->GetSquareRect(i);
                CUserInput::Click(*list, square.CenterPoint());
                return;
            }
        ADD_FAILURE() << "no row " << name;
    }
    static void Press(CDialog& dlg, int id) { static_cast<CButton*>(dlg.GetDlgItem(id))->Click(); }
    std::vector<int> Values() const
    {
        std::vector<int> out;
        for (int i = 0; i < items->GetElementCount(); ++i)
            out.push_back(items->GetElement(i)->IsUndefined() ? -1 : items->GetElement(i)->GetInt());
        return out;
    }

    CParameterSet root;
    CParameter* items = nullptr;
    CParameter* media = nullptr;
    CComponentPropertySheet sheet;
    CPropertyListCtrl* list = nullptr;
};

TEST_F(EditingDialogsTest, TheArrayDialogAddsRemovesAndEditsElementsAndCancelPutsThemBack)
{
    ui::SetDialogHookByCaption("items", [&](CDialog& dlg) {
        auto& array = static_cast<CArrayDlg&>(dlg);
        EXPECT_EQ(array.GetList()->GetRowCount(), 3);
        Press(dlg, CArrayDlg::kAddId);
        EXPECT_EQ(Values(), (std::vector<int>{5, 6, 7, 3}));
        EXPECT_EQ(items->GetElement(3)->GetLabel(), "Label 4");
        EXPECT_EQ(array.GetList()->GetRowCount(), 4);
        // The person types 42 over the first value and empties the second.
        CPropertyListCtrl& rows = *array.GetList();
        for (auto [row, text] : {std::pair{0, "42"}, std::pair{1, ""}}) {
            const CRect cell = rows.GetCellRect(row, 1);
            CUserInput::Click(rows, CPoint(cell.left + 6, cell.CenterPoint().y));
            CUserInput::PressKey(VK_DELETE);
            if (*text != '\0')
                CUserInput::TypeText(text);
            CUserInput::PressKey(VK_RETURN);
        }
        Press(dlg, IDOK);
    });
    OpenRow("items");
    EXPECT_EQ(Values(), (std::vector<int>{42, -1, 7, 3}));
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));

    ui::SetDialogHookByCaption("items", [&](CDialog& dlg) {
        Press(dlg, CArrayDlg::kAddId);
        Press(dlg, CArrayDlg::kAddId);
        Press(dlg, CArrayDlg::kRemoveId);
        EXPECT_EQ(items->GetElementCount(), 5);
        Press(dlg, IDCANCEL);
    });
    OpenRow("items");
    EXPECT_EQ(Values(), (std::vector<int>{42, -1, 7, 3}));
    EXPECT_EQ(owner.refreshes.size(), 1u); // a cancelled dialog changes nothing

    // The last element stays.
    while (items->GetElementCount() > 1)
        items->RemoveElementAt(items->GetElementCount() - 1);
    ui::SetDialogHookByCaption("items", [&](CDialog& dlg) {
        Press(dlg, CArrayDlg::kRemoveId);
        EXPECT_EQ(items->GetElementCount(), 1);
        Press(dlg, IDOK);
    });
    OpenRow("items");
    EXPECT_EQ(Values(), (std::vector<int>{42}));
}

TEST_F(EditingDialogsTest, TheExternalFileDialogWritesThePathAndTheEmbedChoiceOnOk)
{
    ui::SetDialogHookByCaption("External File", [&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(CExternalFileDlg::kFileId), "a.jpg");
        Press(dlg, CExternalFileDlg::kBrowseId); // answered with cancel: the text stays
        EXPECT_EQ(dlg.GetDlgItemText(CExternalFileDlg::kFileId), "a.jpg");
        Press(dlg, CExternalFileDlg::kBrowseId);
        EXPECT_EQ(dlg.GetDlgItemText(CExternalFileDlg::kFileId), "/pictures/logo.png");
        Press(dlg, CExternalFileDlg::kEmbedId);
        Press(dlg, IDOK);
    });
    dialogs->AnswerFile(std::nullopt);
    dialogs->AnswerFile("/pictures/logo.png");
    OpenRow("media");
    EXPECT_EQ(media->GetSet()->FindParameter("fileName")->GetString(), "/pictures/logo.png");
    EXPECT_TRUE(media->GetSet()->FindParameter("embed")->GetBool());
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));

    ui::SetDialogHookByCaption("External File", [&](CDialog& dlg) {
        dlg.SetDlgItemText(CExternalFileDlg::kFileId, "ignored.png");
        Press(dlg, IDCANCEL);
    });
    OpenRow("media");
    EXPECT_EQ(media->GetSet()->FindParameter("fileName")->GetString(), "/pictures/logo.png");
    EXPECT_EQ(owner.refreshes.size(), 1u);
}

} // namespace
