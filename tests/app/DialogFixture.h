#pragma once

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "tests/support/UiTest.h"

// A clean user interface for each dialog test, with scripted file dialogs that fail the test
// when one comes unasked, no dialog hooks, and an owner window.
class DialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        files = &UseScriptedCommonDialogs();
        ResetDialogTemplates();
        ui::ResetDialogHooks();
        ASSERT_TRUE(
            owner.CreateEx(0, "Owner", "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        EXPECT_TRUE(files->Unexpected().empty()) << "unexpected file dialog";
        EXPECT_TRUE(ui::UnansweredDialogs().empty()) << "a dialog nobody answered";
        ui::ResetDialogHooks();
        ResetDialogTemplates();
        ResetCommonDialogService();
        UiTest::TearDown();
    }

    static CButton& Button(CDialog& dlg, int id) { return *static_cast<CButton*>(dlg.GetDlgItem(id)); }
    static CEdit& Edit(CDialog& dlg, int id) { return *static_cast<CEdit*>(dlg.GetDlgItem(id)); }
    static bool Enabled(CDialog& dlg, int id) { return dlg.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    static void Retype(CDialog& dlg, int id, const std::string& text)
    {
        Edit(dlg, id).SetSel(0, -1);
        Edit(dlg, id).Type(text);
    }

    CWnd owner;
    CScriptedCommonDialogs* files = nullptr;
};
