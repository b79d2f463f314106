#pragma once

// The designer started as a person starts it: from its installation folder, with a user's
// settings folder and temporary folder of the test's own, a recording player (or none) and
// scripted message boxes, dialogs and file prompts.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/shell/KVApp.h"
#include "app/shell/MainFrm.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/drawing/Bitmap.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/UserInput.h"
#include "platform/window/WindowClass.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

class AppTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        startDir = std::filesystem::current_path();
        // Before the program moves the current directory into its installation.
        artefacts = testsupport::ArtefactDir("app");
        ResetPlatformServices();
        ResetObjectFactory();
        ResetDialogTemplates();
        ResetImageResources();
        ui::ResetDialogHooks();
        ResetFileNamePrompt();
        shell = &UseRecordingShell();
        GetPlatformServices().SetAppDataFolder(settings.path());
        GetPlatformServices().SetTempFolder(temp.path());
        GetPlatformServices().OverrideEnv("MY_SOFT", std::nullopt);
        InstallAt(testsupport::InstallDir());
        UsePlayer(kHeadlessFlashVersion);
        RegisterFlashPlayerObject(GetObjectFactory());
        RegisterProgramObjects(GetObjectFactory());
    }
    void TearDown() override
    {
        app.reset();
        ResetFlashPlayerFactory();
        ResetObjectFactory();
        ResetCommonDialogService();
        ResetFileNamePrompt();
        ui::ResetDialogHooks();
        ResetShellService();
        ResetPlatformServices();
        std::filesystem::current_path(startDir);
        UiTest::TearDown();
    }

    // The program file lies in the installation folder, as the build puts it.
    void InstallAt(const std::filesystem::path& folder)
    {
        GetPlatformServices().SetModuleFileName(folder / "vantorel");
    }
    // A player reporting this version; 0 takes the player away.
    void UsePlayer(long version)
    {
        if (version == 0) {
            ResetFlashPlayerFactory();
            return;
        }
        SetFlashPlayerFactory([version] { return std::make_unique<CFakeFlashPlayer>(version); });
    }
    // The Welcome dialog is answered (closed) unless a test says otherwise.
    CKVApp& Make(std::vector<std::string> args = {})
    {
        app.reset(); // one application at a time
        app = std::make_unique<CKVApp>();
        app->SetCommandLine(std::move(args));
        return *app;
    }
    bool Start(std::vector<std::string> args = {})
    {
        Make(std::move(args));
        const bool started = app->InitInstance() != FALSE;
        PumpUntilIdle();
        return started;
    }
    void SkipWelcome()
    {
        ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); });
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CDrawDoc& Doc() { return *GetActiveDrawView()->GetDocument(); }
    std::filesystem::path Sample(const std::string& name) const
    {
        return testsupport::InstallDir() / "samples" / "Dashboards" / (name + ".vtd");
    }
    // File > Open by its keys, the file dialog answered with path.
    void OpenByKeys(const std::filesystem::path& path)
    {
        UseScriptedCommonDialogs().AnswerFile(path.string());
        ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
        ASSERT_EQ(Doc().GetPathName(), path.string());
    }

    testsupport::TempDir settings;
    testsupport::TempDir temp;
    std::filesystem::path startDir;
    std::filesystem::path artefacts;
    CRecordingShell* shell = nullptr;
    std::unique_ptr<CKVApp> app;
};
