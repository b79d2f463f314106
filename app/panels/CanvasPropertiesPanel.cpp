#include "app/panels/CanvasPropertiesPanel.h"

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

void CCanvasPropertiesPanel::ShowProperties(CParameterSet* parameters, IPropertyOwner& owner)
{
    if (!m_panel.IsOpen())
        m_owner = &owner;
    const bool takeOver = m_takeOver;
    m_takeOver = false;
    m_panel.ShowProperties(parameters, false, m_owner, takeOver);
}
