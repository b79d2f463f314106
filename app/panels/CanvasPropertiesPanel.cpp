#include "app/canvas/CanvasPropertiesPanel.h"

#include "pages/ExternalFileImport.h"
#include "pages/PageRegistry.h"
#include "publish/ProgramContext.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/canvas/MultiSelectObj.h"
#include "model/Component.h"
#include "publish/BaseMovie.h"
#include "sheet/host/ExcelHost.h"

// What the pages need of a canvas object.
class CCanvasPropertiesPanel::Owner : public IPropertyOwner {
public:
    explicit Owner(CDrawObj* object) : m_object(object), m_component(dynamic_cast<CComponentObj*>(object)) {}

    void Refresh(int flag) override { m_object->Refresh(flag); }
    void MarkDocumentChanged() override
    {
        if (CDrawDoc* doc = m_object->GetDocument())
            doc->SetModifiedFlag();
    }
    std::string GetTitleName() const override { return m_component != nullptr ? m_component->GetName() : ""; }
    std::string GetComponentTypeName() const override
    {
        return m_component != nullptr ? m_component->GetTypeName() : std::string();
    }
    CPropertyMap* GetFirstPropertyMap() override
    {
        CComponent* first = m_component != nullptr ? m_component->GetInstance(0) : nullptr;
        return first != nullptr ? &first->GetPropertyMap() : nullptr;
    }
    int GetComponentCount() const override { return m_component != nullptr ? m_component->GetInstanceCount() : 0; }

private:
    CDrawObj* m_object;
    CComponentObj* m_component;
};

CCanvasPropertiesPanel::CCanvasPropertiesPanel(const CPropertyPageContext* context)
{
    m_panel.SetContext(context);
}

CCanvasPropertiesPanel::~CCanvasPropertiesPanel()
{
    // The sheet's pages still point at the owner adapter while the window closes.
    m_panel.DestroySheet();
}

void CCanvasPropertiesPanel::SetTitle(const std::string& title)
{
    m_panel.SetTitle(title);
}

void CCanvasPropertiesPanel::SaveWindowRect(const IPropertiesPanel& from)
{
    if (const auto* other = dynamic_cast<const CCanvasPropertiesPanel*>(&from)) {
        m_panel.SaveWindowRect(other->m_panel);
        m_takeOver = true;
    }
}

void CCanvasPropertiesPanel::ShowProperties(CParameterSet* parameters, CDrawObj* owner)
{
    if (owner == nullptr)
        return;
    if (!m_panel.IsOpen())
        m_owner = std::make_unique<Owner>(owner);
    const bool takeOver = m_takeOver;
    m_takeOver = false;
    m_panel.ShowProperties(parameters, false, m_owner.get(), takeOver);
}

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
