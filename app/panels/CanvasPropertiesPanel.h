#pragma once

// The holder of a component object's Component Properties sheet, as the canvas objects see it.
// The object hands in what the pages need of it (IPropertyOwner); the panel knows nothing else
// of the canvas.

#include <string>

#include "propui/PropertiesPanel.h"
#include "propui/PropertyOwner.h"

class CParameterSet;

class IPropertiesPanel {
public:
    virtual ~IPropertiesPanel() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual bool IsSheetOpen() const = 0;
    virtual void CloseSheet() = 0;
    // Takes over the screen rectangle of another panel's open sheet, so a sheet that follows
    // the selection stays where the user put it.
    virtual void SaveWindowRect(const IPropertiesPanel& from) = 0;
    // Shows the sheet for a parameter set; owner is refreshed after every change and must
    // outlive the panel's open sheet.
    virtual void ShowProperties(CParameterSet* parameters, IPropertyOwner& owner) = 0;
};

// A canvas object's panel: the sheet opens modeless, docked at the right of the main window,
// or where the sheet it takes over from stood.
class CCanvasPropertiesPanel : public IPropertiesPanel {
public:
    // Without a context the pages get no program services (no range picks, no help owner).
    explicit CCanvasPropertiesPanel(const CPropertyPageContext* context = nullptr);
    ~CCanvasPropertiesPanel() override;

    void SetTitle(const std::string& title) override;
    bool IsSheetOpen() const override { return m_panel.IsOpen(); }
    void CloseSheet() override { m_panel.Close(false); }
    void SaveWindowRect(const IPropertiesPanel& from) override;
    void ShowProperties(CParameterSet* parameters, IPropertyOwner& owner) override;

    CPropertiesPanel& Panel() { return m_panel; }
    const CPropertiesPanel& Panel() const { return m_panel; }

private:
    CPropertiesPanel m_panel;
    IPropertyOwner* m_owner = nullptr;
    bool m_takeOver = false;
};
