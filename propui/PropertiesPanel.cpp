#include "propui/PropertiesPanel.h"

#include <algorithm>

#include "model/ParameterSet.h"
#include "platform/dialogs/UiUtilities.h"
#include "propui/ComponentPropertySheet.h"

CPropertiesPanel::CPropertiesPanel() : m_sheet(std::make_unique<CComponentPropertySheet>(kDefaultTitle)) {}

CPropertiesPanel::CPropertiesPanel(const std::string& title) : m_sheet(std::make_unique<CComponentPropertySheet>())
{
    m_sheet->SetTitle(title, PSH_PROPTITLE);
}

CPropertiesPanel::~CPropertiesPanel()
{
    DestroySheet();
}

void CPropertiesPanel::DestroySheet()
{
    if (m_sheet && m_sheet->GetSafeHwnd() != nullptr)
        m_sheet->DestroyWindow();
    m_sheet.reset();
}

void CPropertiesPanel::SetTitle(const std::string& title)
{
    if (m_sheet)
        m_sheet->SetTitle(title, PSH_PROPTITLE);
}

std::string CPropertiesPanel::GetTitle() const
{
    return m_sheet ? m_sheet->GetTitle() : std::string();
}

bool CPropertiesPanel::IsOpen() const
{
    return m_sheet && m_sheet->GetSafeHwnd() != nullptr && m_sheet->IsWindowEnabled();
}

int CPropertiesPanel::DefaultWidthFor(int dpi)
{
    switch (dpi) {
    case 96:
        return 310;
    case 120:
        return 408;
    case 72:
        return 237;
    default:
        return static_cast<int>(dpi * 3.3);
    }
}

int CPropertiesPanel::MaxHeightFor(int dpi)
{
    switch (dpi) {
    case 96:
        return 641;
    case 120:
        return 785;
    default:
        return static_cast<int>(dpi * 6.7);
    }
}

int CPropertiesPanel::GetDefaultWidth()
{
    return DefaultWidthFor(GetHorizontalDpi());
}

int CPropertiesPanel::GetMaxHeight()
{
    return MaxHeightFor(GetVerticalDpi());
}

int CPropertiesPanel::ShowProperties(CParameterSet* set, bool modal, IPropertyOwner* owner, bool useRect)
{
    if (set == nullptr || set->GetCount() == 0)
        return 0;
    if (IsOpen())
        return 1;
    if (!m_sheet)
        m_sheet = std::make_unique<CComponentPropertySheet>(kDefaultTitle);
    // A window left disabled (by a modal dialog that went wrong) is not open; it goes before
    // the pages are built anew.
    if (m_sheet->GetSafeHwnd() != nullptr)
        m_sheet->DestroyWindow();
    m_modal = modal;
    m_sheet->SetContext(m_context);
    // A set whose groups give no page (only a play group named "General", say) has nothing to
    // show: a sheet without pages cannot be made.
    if (m_sheet->BuildPages(set, modal, owner) == 0)
        return 0;
    CWnd* active = CWnd::GetActiveWindow();
    // The sheet belongs to the program's main window, never to whatever window of another
    // program happens to be in front.
    CWnd* parent = m_context != nullptr ? m_context->mainWindow : nullptr;
    if (modal) {
        // The window is gone once the modal loop ends; there is nothing left to place.
        m_sheet->DoModal();
        return 1;
    }
    if (!m_sheet->Create(parent, kSheetStyle, 0))
        return 0;
    // A remembered rectangle that never was (zero width) would make the sheet invisible.
    const bool takeOver = useRect && HasWindowRect();
    Place(takeOver);
    if (takeOver && active != nullptr && CWnd::FromHandle(active->m_hWnd) == active)
        active->SetActiveWindow();
    return 1;
}

void CPropertiesPanel::Place(bool useRect)
{
    CRect natural;
    m_sheet->GetWindowRect(&natural);
    const int height = std::min(natural.Height(), GetMaxHeight());
    int x = 0;
    int y = kDockTop;
    // The docked width, or the pages' own where the screen's font makes them wider: a field
    // and its pick button are never cut off at the sheet's edge.
    int width = std::max(GetDefaultWidth(), natural.Width());
    if (useRect) {
        x = m_left;
        y = m_top;
        width = m_right - m_left;
    } else {
        CWnd* parent = m_sheet->GetParent();
        if (parent == nullptr && m_context != nullptr)
            parent = m_context->mainWindow;
        CRect client(0, 0, 0, 0);
        if (parent != nullptr) {
            parent->GetClientRect(&client);
            parent->ClientToScreen(&client);
        }
        x = client.right - width;
        y = client.top + kDockTop;
    }
    m_sheet->SetWindowPos(&wndTop, x, y, width, height, SWP_SHOWWINDOW);
    m_sheet->ShowWindow(SW_RESTORE);
}

void CPropertiesPanel::Close(bool force)
{
    if (m_sheet && m_sheet->GetSafeHwnd() != nullptr && (force || IsOpen()))
        m_sheet->DestroyWindow();
}

void CPropertiesPanel::Show()
{
    if (m_sheet && m_sheet->GetSafeHwnd() != nullptr)
        m_sheet->ShowWindow(SW_SHOW);
}

void CPropertiesPanel::Hide()
{
    if (m_sheet && m_sheet->GetSafeHwnd() != nullptr)
        m_sheet->ShowWindow(SW_HIDE);
}

void CPropertiesPanel::SaveWindowRect(const CPropertiesPanel& other)
{
    const CComponentPropertySheet* sheet = other.GetSheet();
    if (sheet == nullptr || sheet->GetSafeHwnd() == nullptr)
        return;
    // The window layer keeps a minimised window's restored rectangle as its rectangle.
    CRect rect;
    sheet->GetWindowRect(&rect);
    m_top = rect.top;
    m_left = rect.left;
    m_bottom = rect.bottom;
    m_right = rect.right;
}
