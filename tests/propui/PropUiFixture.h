#pragma once

// Property sheets, pages and their controls as a person uses them: a main window, scripted
// message boxes and colour dialogs, a canvas object that records what it is told, and the
// shipped components' parameters.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/DefaultParameters.h"
#include "model/PropertyMap.h"
#include "platform/controls/ControlWnd.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "platform/window/WindowClass.h"
#include "propui/PropertyOwner.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

// The canvas object whose component the pages edit.
class RecordingOwner : public IPropertyOwner {
public:
    void Refresh(int flag) override { refreshes.push_back(flag); }
    void MarkDocumentChanged() override { ++marks; }
    std::string GetTitleName() const override { return title; }
    std::string GetComponentTypeName() const override { return type; }
    CPropertyMap* GetFirstPropertyMap() override { return hasComponent ? &map : nullptr; }
    int GetComponentCount() const override { return hasComponent ? 1 : 0; }

    std::vector<int> refreshes;
    int marks = 0;
    std::string title = "Chart 1";
    std::string type = "KVColumnChartSymbol";
    CPropertyMap map;
    bool hasComponent = true;
};

class PropUiTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        raster = &InstallRasterWindowHost();
        ResetDialogTemplates();
        ui::ResetDialogHooks();
        ui::ResetBeepCount();
        dialogs = &UseScriptedCommonDialogs();
        artefacts = testsupport::ArtefactDir("propui");
        ASSERT_TRUE(main.CreateEx(0, "Main", "Vantorel", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0));
        context.mainWindow = &main;
        colours.fill(RGB(255, 255, 255));
        context.customColors = colours.data();
    }
    void TearDown() override
    {
        main.DestroyWindow();
        ResetCommonDialogService();
        ui::ResetDialogHooks();
        ResetDialogTemplates();
        UiTest::TearDown();
    }

    // The parameters a new instance of a shipped component starts with.
    static ComponentDefaults Shipped(const std::string& symbol)
    {
        return model::ReadDefaultParametersFile(
            (testsupport::SourceDir() / "assets/component/default" / (symbol + ".xml")).string());
    }

    CRasterWindowHost* raster = nullptr;
    CScriptedCommonDialogs* dialogs = nullptr;
    std::filesystem::path artefacts;
    CWnd main;
    CPropertyPageContext context;
    std::array<COLORREF, 16> colours{};
    RecordingOwner owner;
};
