#include "app/shell/PropertyEditing.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawView.h"
#include "app/canvas/MultiSelectObj.h"
#include "app/panels/CanvasPropertiesPanel.h"
#include "pages/ExternalFileImport.h"
#include "pages/PageRegistry.h"
#include "publish/BaseMovie.h"
#include "publish/ProgramContext.h"
#include "sheet/host/ExcelHost.h"

CPropertyEditing::CPropertyEditing(CWnd* mainWindow, std::function<bool()> importModel)
{
    InitCustomColorTable(m_fallbackColors);
    m_context.pages = &m_pages;
    m_context.mainWindow = mainWindow;
    m_context.currentHost = [] { return CExcelHost::GetCurrent(); };
    m_context.cellModel = []() -> const CCellModel* {
        CBaseMovie* base = GetBaseMovie();
        return base != nullptr ? &base->GetCellModel() : nullptr;
    };
    m_context.variableTable = []() -> CVariableTable* {
        CBaseMovie* base = GetBaseMovie();
        return base != nullptr ? &base->GetVariableTable() : nullptr;
    };
    m_context.importModel = std::move(importModel);
    // The multiple selection lives as long as its sheet: once that sheet closes, the next
    // edit starts from the view's selection again. Other sheets closing (one taking the place
    // of another) leave it alone.
    m_context.sheetClosed = [] {
        CDrawView* view = GetActiveDrawView();
        if (view == nullptr)
            return;
        CMultiSelectObj& multi = view->GetMultiSelect();
        if (CComponentObj::GetCurrentPanel() == &multi.GetPanel())
            multi.Clear();
    };
    publish::CustomColorTable* colors = GetCustomColorTable();
    m_context.customColors = colors != nullptr ? colors->data() : m_fallbackColors.data();
    CComponentObj::SetPanelFactory([this] { return std::make_unique<CCanvasPropertiesPanel>(&m_context); });
    // The component pages; the movies and pictures they import are copied among the program's
    // temporary files.
    if (CProgramContext* program = CProgramContext::Current())
        pages::RegisterComponentPages(m_pages, program->GetTempFiles(), pages::GetActiveSwfTip());
}

CPropertyEditing::~CPropertyEditing()
{
    CComponentObj::SetPanelFactory(nullptr);
}
