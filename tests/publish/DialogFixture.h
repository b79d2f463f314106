#pragma once

#include "platform/controls/Button.h"
#include "platform/services/Clock.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/controls/Edit.h"
#include "platform/window/Input.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/MessageQueue.h"
#include "platform/docview/Resources.h"
#include "platform/window/Screen.h"
#include "platform/window/WindowHost.h"
#include "platform/window/Wnd.h"

#include <gtest/gtest.h>

// A clean user interface for each dialog test: no windows or hooks, scripted message boxes and
// file dialogs that fail the test when one comes unasked, and an owner window.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWindows();
        ResetMessageQueue();
        UseManualClock(1000);
        boxes = &UseScriptedMessageBoxes();
        files = &UseScriptedCommonDialogs();
        ResetInputState();
        ResetResources();
        ResetScreenMetrics();
        ResetWindowHost();
        ResetDialogTemplates();
        ui::ResetDialogHooks();
        ASSERT_TRUE(
            owner.CreateEx(0, "Owner", "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        EXPECT_TRUE(boxes->Unexpected().empty()) << "unexpected message box: " << boxes->Unexpected()[0].text;
        EXPECT_TRUE(files->Unexpected().empty()) << "unexpected file dialog";
        EXPECT_TRUE(ui::UnansweredDialogs().empty()) << "a dialog nobody answered";
        ui::ResetDialogHooks();
        ResetDialogTemplates();
        ResetCommonDialogService();
        ResetMessageBoxService();
        ResetWindows();
        ResetMessageQueue();
        ResetClock();
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
    CScriptedMessageBoxes* boxes = nullptr;
    CScriptedCommonDialogs* files = nullptr;
};
