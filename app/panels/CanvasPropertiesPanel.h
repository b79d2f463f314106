#pragma once

// The holder of a component object's Component Properties sheet, as the canvas objects see it,
// and the program's property editing: the page classes the sheets choose from and the services
// their pages use.

#include <functional>
#include <memory>
#include <string>

#include "propui/PageFactory.h"
#include "propui/PropertiesPanel.h"
#include "propui/PropertyOwner.h"
#include "publish/CustomColors.h"

class CDrawObj;
class CParameterSet;
class CWnd;

class IPropertiesPanel {
public:
    virtual ~IPropertiesPanel() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual bool IsSheetOpen() const = 0;
    virtual void CloseSheet() = 0;
    // Takes over the screen rectangle of another panel's open sheet, so a sheet that follows
    // the selection stays where the user put it.
    virtual void SaveWindowRect(const IPropertiesPanel& from) = 0;
    // Shows the sheet for a parameter set; owner is refreshed after every change.
    virtual void ShowProperties(CParameterSet* parameters, CDrawObj* owner) = 0;
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
    void ShowProperties(CParameterSet* parameters, CDrawObj* owner) override;

    CPropertiesPanel& Panel() { return m_panel; }
    const CPropertiesPanel& Panel() const { return m_panel; }

private:
    class Owner;
    CPropertiesPanel m_panel;
    std::unique_ptr<Owner> m_owner;
    bool m_takeOver = false;
};

// The page classes and the services every properties panel of the program is made with. While
// it lives, new component objects get panels that use it.
class CPropertyEditing {
public:
    // importModel runs the Import Model dialog for a range pick made without a model.
    CPropertyEditing(CWnd* mainWindow, std::function<bool()> importModel);
    ~CPropertyEditing();
    CPropertyEditing(const CPropertyEditing&) = delete;
    CPropertyEditing& operator=(const CPropertyEditing&) = delete;

    // The libraries with page classes register them here.
    CPageClassRegistry& Pages() { return m_pages; }
    CPropertyPageContext& Context() { return m_context; }

private:
    CPageClassRegistry m_pages;
    CPropertyPageContext m_context;
    publish::CustomColorTable m_fallbackColors{};
};
