#pragma once

// A small program built on the window layer the way the real one is: an application with one
// single-document template, a frame with two toolbars and a status bar, a document and a view.
// Every handler that runs writes its name into the shared log.

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/Document.h"
#include "platform/docview/Frame.h"
#include "platform/docview/StatusBar.h"
#include "platform/docview/ToolBar.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"

namespace shelltest {

enum : UINT {
    IDR_MAIN = 3,
    IDR_TOOLS = 2,
    IDR_IMPORT = 320,
    IDS_MODEL_STATE = 111,
    ID_TOOL_SELECT = 32770,
    ID_TOOL_COMPONENT = 32772,
    ID_IMPORT_MODEL = 32848,
    ID_PROPERTIES = 32837,
    ID_SHARED = 33000, // handled by view, document, frame and application
    ID_DOC_ONLY = 33001,
    ID_FRAME_ONLY = 33002,
    ID_APP_ONLY = 33003,
    ID_NOBODY = 33004,
};

std::vector<std::string>& Log();

class TestDoc : public CDocument {
public:
    BOOL OnOpenDocument(const char* path) override;
    void DeleteContents() override { Log().push_back("doc:delete-contents"); }
    void OnShared() { Log().push_back("doc:shared"); }
    void OnDocOnly() { Log().push_back("doc:only"); }
    void OnUpdateSave(CCmdUI* ui) { ui->Enable(FALSE); }

    DECLARE_MESSAGE_MAP()
};

class TestView : public CView {
public:
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnShared() { Log().push_back("view:shared"); }
    int initialUpdates = 0;

    DECLARE_MESSAGE_MAP()
};

class TestFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs);
    void OnShared() { Log().push_back("frame:shared"); }
    void OnFrameOnly() { Log().push_back("frame:only"); }
    void OnProperties() { Log().push_back("frame:properties"); }
    void OnToolSelect()
    {
        Log().push_back("frame:select");
        selectChosen = true;
    }
    void OnUpdateToolSelect(CCmdUI* ui) { ui->SetCheck(selectChosen ? 1 : 0); }
    void OnImport() { Log().push_back("frame:import"); }
    void OnUpdateImport(CCmdUI* ui) { ui->Enable(importEnabled); }

    CToolBar tools;
    CToolBar import;
    CStatusBar status;
    bool importEnabled = true;
    bool selectChosen = false;

    DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Vantorel") {}
    BOOL InitInstance() override;
    void OnShared() { Log().push_back("app:shared"); }
    void OnAppOnly() { Log().push_back("app:only"); }

    DECLARE_MESSAGE_MAP()
};

// Registers the menu, strings, accelerators and toolbars of the test program.
void RegisterResources();

} // namespace shelltest
