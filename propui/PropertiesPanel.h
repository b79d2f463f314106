#pragma once

// The holder of one canvas object's Component Properties sheet: it opens the sheet for a
// parameter set, docks it at the right of the main window (or where another object's sheet
// stood when this one takes over), and shows, hides and closes it.

#include <memory>
#include <string>

#include "platform/drawing/Geometry.h"
#include "platform/window/Messages.h"
#include "propui/PropertyOwner.h"

class CComponentPropertySheet;
class CParameterSet;
class CWnd;

class CPropertiesPanel {
public:
    static constexpr const char* kDefaultTitle = "Component Properties";
    static constexpr int kDockTop = 74;
    // WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | DS_CENTER.
    static constexpr DWORD kSheetStyle = 0x80CE0800;

    // The sheet titled "Component Properties".
    CPropertiesPanel();
    // The sheet titled "<title> Properties".
    explicit CPropertiesPanel(const std::string& title);
    ~CPropertiesPanel();
    CPropertiesPanel(const CPropertiesPanel&) = delete;
    CPropertiesPanel& operator=(const CPropertiesPanel&) = delete;

    // Borrowed; the services the pages use and the window the sheet is docked in.
    void SetContext(const CPropertyPageContext* context) { m_context = context; }

    void DestroySheet();
    void SetTitle(const std::string& title);
    std::string GetTitle() const;
    // The sheet window exists and is enabled.
    bool IsOpen() const;
    // Opens the sheet; 1 when it is (or already was) open, 0 when the set has nothing to show.
    // With useRect the sheet takes the remembered left, top and width (see SaveWindowRect).
    int ShowProperties(CParameterSet* set, bool modal, IPropertyOwner* owner, bool useRect);
    // Destroys the sheet window when it is open, or always with force.
    void Close(bool force);
    void Show();
    void Hide();
    // Remembers where another panel's sheet stands (a minimised sheet keeps its restored
    // rectangle).
    void SaveWindowRect(const CPropertiesPanel& other);
    // Whether a remembered rectangle can be used: a panel whose SaveWindowRect never found a
    // sheet has none and docks.
    bool HasWindowRect() const { return m_right - m_left > 0; }
    CRect GetRememberedRect() const { return CRect(m_left, m_top, m_right, m_bottom); }

    CComponentPropertySheet* GetSheet() const { return m_sheet.get(); }

    static int GetDefaultWidth();
    static int GetMaxHeight();
    static int DefaultWidthFor(int dpi);
    static int MaxHeightFor(int dpi);

private:
    void Place(bool useRect);

    std::unique_ptr<CComponentPropertySheet> m_sheet;
    bool m_modal = false;
    // Screen coordinates, in the order the panel keeps them.
    int m_top = 0;
    int m_left = 0;
    int m_bottom = 0;
    int m_right = 0;
    const CPropertyPageContext* m_context = nullptr;
};
