#pragma once

// A component page opened the way the Component Properties sheet opens it: on the shipped
// default parameters of a real component, with an owner that counts what it is told, a
// workbook imported for range picks (scripted through the range picker), and a window to live
// in. Pictures of the page go to <build>/artefacts/pages.

#include "model/DefaultParameters.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/ComponentPage.h"
#include "propui/PropertyOwner.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/host/ExcelHostWindow.h"
#include "tests/support/ScriptedRangePicker.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <memory>
#include <string>

namespace pagetest {

class CountingOwner : public IPropertyOwner {
public:
    void Refresh(int flag) override { refreshes.push_back(flag); }
    void MarkDocumentChanged() override { ++marked; }
    std::string GetTitleName() const override { return type; }
    std::string GetComponentTypeName() const override { return type; }
    CPropertyMap* GetFirstPropertyMap() override { return &properties; }
    int GetComponentCount() const override { return 1; }

    std::vector<int> refreshes;
    int marked = 0;
    std::string type;
    CPropertyMap properties;
};

class QuietHostWindow : public sheet::IExcelHostWindow {
public:
    void PostImportMessage(sheet::ImportCode, long) override {}
    void EnableMainWindow(bool) override {}
    void ShowWarning(const std::string&, const std::string&) override {}
};

inline std::filesystem::path DefaultsFile(const std::string& symbol)
{
    return testsupport::SourceDir() / "assets" / "component" / "default" / (symbol + ".xml");
}

class PageTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        files = &UseScriptedCommonDialogs();
        ResetDialogTemplates();
        host = &InstallRasterWindowHost();
        // Room for a page laid out in the interface font's dialog units.
        ASSERT_TRUE(parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 720, 560), nullptr, 0));
        context.mainWindow = &parent;
        context.customColors = customColors;
        context.currentHost = [this]() { return workbook.get(); };
        context.cellModel = [this]() -> const CCellModel* { return &cells; };
        context.variableTable = [this]() { return &table; };
    }
    void TearDown() override
    {
        page.reset();
        parent.DestroyWindow();
        if (workbook)
            workbook->StopWorker();
        ResetCommonDialogService();
        ResetDialogTemplates();
        UiTest::TearDown();
    }

    // Imports the test workbook, so that ranges can be picked.
    void ImportWorkbook()
    {
        workbook = std::make_unique<CExcelHost>(
            &hostWindow, (testsupport::SourceDir() / "tests" / "data" / "workbooks" / "model.xlsx").string());
        workbook->StartWorker(&cells);
        ASSERT_TRUE(workbook->WaitForWorker(10000));
        auto scripted = std::make_unique<sheet::CScriptedRangePicker>();
        picker = scripted.get();
        workbook->SetRangePicker(std::move(scripted));
    }

    // Loads the component's default parameters; the page edits the named group (or, for the
    // pages of components with hand-made pages, the whole set when group is empty).
    CParameterSet* Load(const std::string& symbol, const std::string& group)
    {
        defaults = model::ReadDefaultParametersFile(DefaultsFile(symbol).string());
        owner.type = symbol;
        CParameterSet* root = defaults.parameters.get();
        if (group.empty())
            return root;
        CParameter* found = root->FindParameter(group);
        return found != nullptr ? found->GetSet() : nullptr;
    }

    template <class Page> Page& Open(CParameterSet* group, const std::string& title = "General")
    {
        return Show(std::make_unique<Page>(), group, title, defaults.parameters.get());
    }

    // Creates the page made by the test over the group and root, opens it in the parent window
    // and activates it; the fixture keeps it.
    template <class Page>
    Page& Show(std::unique_ptr<Page> made, CParameterSet* group, const std::string& title, CParameterSet* root)
    {
        made->SetContext(&context);
        made->Create(group, title, false, &owner, root);
        EXPECT_TRUE(made->CreatePage(&parent));
        // The page keeps the size its template gives it in the dialog font.
        made->SetWindowPos(nullptr, 8, 8, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        made->ShowWindow(SW_SHOW);
        made->OnSetActive();
        Page& result = *made;
        page = std::move(made);
        return result;
    }

    CParameter* Param(CParameterSet* set, const char* key) { return set->FindParameter(key); }

    // A dialog item, or the in-place edit that stands in for it.
    CWnd* Item(int id)
    {
        if (CWnd* item = page->GetDlgItem(id))
            return item;
        for (CWnd* child : page->GetChildren())
            if (auto* edit = dynamic_cast<CInPlaceEdit*>(child); edit != nullptr && edit->GetStandsFor() == id)
                return edit;
        return nullptr;
    }
    bool Enabled(int id) { return Item(id) != nullptr && Item(id)->IsWindowEnabled() != FALSE; }
    bool Visible(int id) { return Item(id) != nullptr && Item(id)->IsWindowVisible() != FALSE; }
    bool Checked(int id) { return page->IsDlgButtonChecked(id) == BST_CHECKED; }
    std::string Text(int id) { return Item(id)->GetWindowText(); }
    void Click(int id) { CUserInput::Click(*Item(id), CPoint(3, 3)); }
    // Types into an edit over its whole text and presses Enter, as a person would.
    void TypeInto(int id, const std::string& text)
    {
        auto* edit = static_cast<CEdit*>(Item(id));
        edit->SetFocus();
        edit->SetSel(0, -1);
        CUserInput::PressKey(VK_DELETE);
        edit->Type(text);
        CUserInput::PressKey(VK_RETURN);
    }
    void Choose(int id, int index) { static_cast<CComboBox*>(Item(id))->UserSelect(index); }
    int Notified() const { return static_cast<int>(owner.refreshes.size()); }

    void Picture(const std::string& name)
    {
        parent.UpdateWindow();
        PumpPaint();
        const CBitmap picture = host->Snapshot(parent);
        EXPECT_TRUE(WritePng(testsupport::ArtefactDir("pages") / (name + ".png"), picture));
    }
    static void PumpPaint()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
    }

    CScriptedCommonDialogs* files = nullptr;
    CRasterWindowHost* host = nullptr;
    CWnd parent;
    COLORREF customColors[16] = {};
    CPropertyPageContext context;
    CountingOwner owner;
    ComponentDefaults defaults;
    QuietHostWindow hostWindow;
    CCellModel cells;
    CVariableTable table;
    std::unique_ptr<CExcelHost> workbook;
    sheet::CScriptedRangePicker* picker = nullptr;
    std::unique_ptr<CComponentPage> page;
};

} // namespace pagetest
