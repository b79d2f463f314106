#include "app/workbook/WorkbookGrid.h"

#include "app/workbook/CellText.h"
#include "platform/drawing/DC.h"
#include "sheet/workbook/XlsxAddress.h"

#include <algorithm>

using workbook::Area;
using workbook::CellPlace;

namespace {

constexpr COLORREF kGridLine = RGB(218, 220, 224);
constexpr COLORREF kHeaderFace = RGB(240, 240, 240);
constexpr COLORREF kHeaderSelected = RGB(211, 218, 230);
constexpr COLORREF kSelection = RGB(204, 224, 255);
constexpr COLORREF kActiveFrame = RGB(26, 115, 232);
constexpr std::uint32_t kLastRow = sheet::xlsx::kMaxRows - 1;
constexpr std::uint32_t kLastColumn = sheet::xlsx::kMaxColumns - 1;

bool IsNumberLike(const sheet::xlsx::Cell& cell)
{
    return cell.type == CellType::Number || cell.type == CellType::DateTime;
}

} // namespace

BOOL CWorkbookGrid::Create(const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("WorkbookGrid", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, rect, parent, id);
}

void CWorkbookGrid::SetWorkbook(const sheet::xlsx::Workbook* book)
{
    m_book = book;
    m_selection = workbook::CWorkbookSelection();
    m_topRow = m_leftColumn = 0;
    Invalidate(FALSE);
}

const sheet::xlsx::Sheet* CWorkbookGrid::GetSheet() const
{
    if (m_book == nullptr)
        return nullptr;
    const int index = m_selection.GetSheet();
    return index >= 0 && index < static_cast<int>(m_book->sheets.size()) ? &m_book->sheets[index] : nullptr;
}

void CWorkbookGrid::ShowSheet(int sheet)
{
    if (m_book == nullptr || sheet < 0 || sheet >= static_cast<int>(m_book->sheets.size()))
        return;
    m_selection.SelectSheet(sheet);
    m_topRow = m_leftColumn = 0;
    Invalidate(FALSE);
    Changed();
}

void CWorkbookGrid::Select(int sheet, std::vector<Area> areas)
{
    const bool otherSheet = sheet != m_selection.GetSheet();
    m_selection.SetAreas(sheet, std::move(areas));
    if (otherSheet)
        m_topRow = m_leftColumn = 0;
    EnsureVisible(m_selection.GetActive());
    Invalidate(FALSE);
}

int CWorkbookGrid::RowHeaderWidth() const
{
    // Room for the largest row number that shows, never narrower than four digits.
    const std::string widest = std::to_string(std::max<std::uint32_t>(m_topRow + VisibleRows(), 1000));
    return static_cast<int>(widest.size()) * 7 + 12;
}

std::uint32_t CWorkbookGrid::VisibleRows() const
{
    CRect client;
    GetClientRect(&client);
    const int height = std::max(0, client.Height() - kHeaderHeight);
    return static_cast<std::uint32_t>((height + kRowHeight - 1) / kRowHeight);
}

std::uint32_t CWorkbookGrid::VisibleColumns() const
{
    CRect client;
    GetClientRect(&client);
    const int width = std::max(0, client.Width() - RowHeaderWidth());
    return static_cast<std::uint32_t>((width + kColumnWidth - 1) / kColumnWidth);
}

std::uint32_t CWorkbookGrid::RowExtent() const
{
    std::uint32_t used = 0;
    if (const auto* sheet = GetSheet(); sheet != nullptr && sheet->usedRange)
        used = sheet->usedRange->lastRow + 1;
    used = std::max(used, m_selection.GetActive().row + 1);
    return std::min<std::uint32_t>(std::max(used, m_topRow + 1) + VisibleRows(), kLastRow + 1);
}

std::uint32_t CWorkbookGrid::ColumnExtent() const
{
    std::uint32_t used = 0;
    if (const auto* sheet = GetSheet(); sheet != nullptr && sheet->usedRange)
        used = sheet->usedRange->lastColumn + 1;
    used = std::max(used, m_selection.GetActive().column + 1);
    return std::min<std::uint32_t>(std::max(used, m_leftColumn + 1) + VisibleColumns(), kLastColumn + 1);
}

void CWorkbookGrid::ScrollTo(std::uint32_t topRow, std::uint32_t leftColumn)
{
    topRow = std::min(topRow, kLastRow);
    leftColumn = std::min(leftColumn, kLastColumn);
    if (topRow == m_topRow && leftColumn == m_leftColumn)
        return;
    m_topRow = topRow;
    m_leftColumn = leftColumn;
    Invalidate(FALSE);
    NotifyParent(GN_SCROLLED);
}

void CWorkbookGrid::EnsureVisible(CellPlace cell)
{
    std::uint32_t top = m_topRow;
    std::uint32_t left = m_leftColumn;
    // Whole rows and columns only: the last one that shows may be cut by the edge.
    const std::uint32_t rows = std::max<std::uint32_t>(VisibleRows(), 2) - 1;
    const std::uint32_t columns = std::max<std::uint32_t>(VisibleColumns(), 2) - 1;
    if (cell.row < top)
        top = cell.row;
    else if (cell.row >= top + rows)
        top = cell.row - rows + 1;
    if (cell.column < left)
        left = cell.column;
    else if (cell.column >= left + columns)
        left = cell.column - columns + 1;
    ScrollTo(top, left);
}

CRect CWorkbookGrid::CellRect(std::uint32_t row, std::uint32_t column) const
{
    const int x = RowHeaderWidth() + (static_cast<int>(column) - static_cast<int>(m_leftColumn)) * kColumnWidth;
    const int y = kHeaderHeight + (static_cast<int>(row) - static_cast<int>(m_topRow)) * kRowHeight;
    return CRect(x, y, x + kColumnWidth, y + kRowHeight);
}

CWorkbookGrid::Hit CWorkbookGrid::HitTest(CPoint point, CellPlace& cell) const
{
    const int headerWidth = RowHeaderWidth();
    const long long column = point.x < headerWidth ? -1 : (point.x - headerWidth) / kColumnWidth;
    const long long row = point.y < kHeaderHeight ? -1 : (point.y - kHeaderHeight) / kRowHeight;
    cell.column = static_cast<std::uint32_t>(std::clamp<long long>(m_leftColumn + std::max(column, 0LL), 0, kLastColumn));
    cell.row = static_cast<std::uint32_t>(std::clamp<long long>(m_topRow + std::max(row, 0LL), 0, kLastRow));
    if (column < 0 && row < 0)
        return Hit::Corner;
    if (row < 0)
        return Hit::ColumnHeader;
    if (column < 0)
        return Hit::RowHeader;
    return Hit::Cell;
}

void CWorkbookGrid::Changed()
{
    NotifyParent(GN_SELCHANGE);
}

void CWorkbookGrid::OnPress(CPoint point, UINT flags)
{
    if (GetSheet() == nullptr)
        return;
    SetFocus();
    CellPlace cell;
    const Hit hit = HitTest(point, cell);
    const bool extend = (flags & MK_SHIFT) != 0;
    const bool add = (flags & MK_CONTROL) != 0 && !extend;
    if (hit == Hit::Corner) {
        m_selection.SetAreas(m_selection.GetSheet(), {Area{0, 0, kLastRow, kLastColumn}});
    } else {
        // A header press works on the first cell of its column or row, the area then
        // stretched over the whole sheet.
        if (hit == Hit::ColumnHeader)
            cell.row = 0;
        if (hit == Hit::RowHeader)
            cell.column = 0;
        m_selection.Press(cell, extend, add);
        m_dragKind = hit;
        OnDrag(point);
        m_dragging = true;
        SetCapture();
    }
    Invalidate(FALSE);
    Changed();
}

void CWorkbookGrid::OnDrag(CPoint point)
{
    CellPlace cell;
    HitTest(point, cell);
    CRect client;
    GetClientRect(&client);
    // Past an edge the grid scrolls a step, so a drag can reach cells that do not show.
    if (m_dragging) {
        std::uint32_t top = m_topRow, left = m_leftColumn;
        if (point.y >= client.bottom)
            ++top;
        else if (point.y < kHeaderHeight && m_dragKind != Hit::ColumnHeader && top > 0)
            --top;
        if (point.x >= client.right)
            ++left;
        else if (point.x < RowHeaderWidth() && m_dragKind != Hit::RowHeader && left > 0)
            --left;
        ScrollTo(top, left);
        HitTest(point, cell);
    }
    const CellPlace anchor = m_selection.GetAnchor();
    CellPlace from = anchor;
    if (m_dragKind == Hit::ColumnHeader) {
        from.row = 0;
        cell.row = kLastRow;
    } else if (m_dragKind == Hit::RowHeader) {
        from.column = 0;
        cell.column = kLastColumn;
    }
    auto areas = m_selection.GetAreas();
    if (areas.empty())
        return;
    areas.back() = Area{std::min(from.row, cell.row), std::min(from.column, cell.column),
                        std::max(from.row, cell.row), std::max(from.column, cell.column)};
    if (m_dragKind == Hit::Cell)
        m_selection.DragTo(cell);
    else
        m_selection.SetLastArea(areas.back());
}

void CWorkbookGrid::OnKey(UINT vk)
{
    if (GetSheet() == nullptr)
        return;
    const bool extend = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    CellPlace cell = m_selection.GetActive();
    // With Shift the far corner of the last area moves; otherwise the active cell.
    if (extend && !m_selection.GetAreas().empty()) {
        const Area& a = m_selection.GetAreas().back();
        const CellPlace anchor = m_selection.GetAnchor();
        cell.row = a.firstRow == anchor.row ? a.lastRow : a.firstRow;
        cell.column = a.firstColumn == anchor.column ? a.lastColumn : a.firstColumn;
    }
    const std::uint32_t page = std::max<std::uint32_t>(VisibleRows(), 2) - 1;
    switch (vk) {
    case VK_LEFT:
        cell.column -= cell.column > 0 ? 1 : 0;
        break;
    case VK_RIGHT:
        cell.column += cell.column < kLastColumn ? 1 : 0;
        break;
    case VK_UP:
        cell.row -= cell.row > 0 ? 1 : 0;
        break;
    case VK_DOWN:
        cell.row += cell.row < kLastRow ? 1 : 0;
        break;
    case VK_PRIOR:
        cell.row = cell.row > page ? cell.row - page : 0;
        break;
    case VK_NEXT:
        cell.row = std::min(cell.row + page, kLastRow);
        break;
    default:
        return;
    }
    if (extend)
        m_selection.DragTo(cell);
    else
        m_selection.Press(cell, false, false);
    EnsureVisible(cell);
    Invalidate(FALSE);
    Changed();
}

LRESULT CWorkbookGrid::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        OnPress(LParamToPoint(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging && (wParam & MK_LBUTTON) != 0) {
            OnDrag(LParamToPoint(lParam));
            Invalidate(FALSE);
            Changed();
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging) {
            m_dragging = false;
            if (GetCapture() == this)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        return 0;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(wParam));
        const std::uint32_t step = 3;
        if (delta < 0)
            ScrollTo(std::min(m_topRow + step, kLastRow), m_leftColumn);
        else if (delta > 0)
            ScrollTo(m_topRow > step ? m_topRow - step : 0, m_leftColumn);
        return 0;
    }
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CWorkbookGrid::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    m_cellsPainted = 0;
    dc.FillSolidRect(client, RGB(255, 255, 255));
    dc.SelectObject(GetFont());
    const sheet::xlsx::Sheet* sheet = GetSheet();
    const int headerWidth = RowHeaderWidth();
    const std::uint32_t rows = VisibleRows();
    const std::uint32_t columns = VisibleColumns();
    const std::uint32_t lastRow = std::min<std::uint32_t>(m_topRow + rows, kLastRow + 1);
    const std::uint32_t lastColumn = std::min<std::uint32_t>(m_leftColumn + columns, kLastColumn + 1);

    // The selection's shading, area by area, cut to what shows.
    const CRect cells(headerWidth, kHeaderHeight, client.right, client.bottom);
    for (const Area& a : m_selection.GetAreas()) {
        if (a.lastRow < m_topRow || a.firstRow >= lastRow || a.lastColumn < m_leftColumn ||
            a.firstColumn >= lastColumn)
            continue;
        CRect shade(CellRect(std::max(a.firstRow, m_topRow), std::max(a.firstColumn, m_leftColumn)).TopLeft(),
                    CellRect(std::min(a.lastRow, lastRow - 1), std::min(a.lastColumn, lastColumn - 1)).BottomRight());
        shade.IntersectRect(CRect(shade), cells);
        dc.FillSolidRect(shade, kSelection);
    }
    // Grid lines.
    for (std::uint32_t r = 0; r <= rows; ++r)
        dc.FillSolidRect(headerWidth, kHeaderHeight + static_cast<int>(r) * kRowHeight - 1,
                         client.Width() - headerWidth, 1, kGridLine);
    for (std::uint32_t c = 0; c <= columns; ++c)
        dc.FillSolidRect(headerWidth + static_cast<int>(c) * kColumnWidth - 1, kHeaderHeight, 1,
                         client.Height() - kHeaderHeight, kGridLine);

    // The values that show: each visible row is found by a search in the sheet's sorted cells.
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    if (sheet != nullptr) {
        const bool date1904 = m_book->date1904;
        auto it = sheet->cells.begin();
        for (std::uint32_t row = m_topRow; row < lastRow; ++row) {
            it = std::lower_bound(it, sheet->cells.end(), std::make_pair(row, m_leftColumn),
                                  [](const sheet::xlsx::Cell& cell, const std::pair<std::uint32_t, std::uint32_t>& at) {
                                      return std::make_pair(cell.row, cell.column) < at;
                                  });
            for (; it != sheet->cells.end() && it->row == row && it->column < lastColumn; ++it) {
                CRect box = CellRect(row, it->column);
                box.DeflateRect(3, 0);
                // A number too wide for its column is never cut: it shows fewer decimals or "###".
                const std::string text =
                    IsNumberLike(*it) ? workbook::FitNumberText(*it, date1904,
                                                                [&](const std::string& shown) {
                                                                    return dc.GetTextExtent(shown).cx <= box.Width();
                                                                })
                                      : workbook::FormatCellText(*it, date1904);
                if (text.empty())
                    continue;
                const bool right = IsNumberLike(*it) || it->type == CellType::Boolean || it->type == CellType::Error;
                if (!right) {
                    // A text runs on over the empty cells at its right, as a spreadsheet shows it.
                    std::uint32_t end = lastColumn;
                    for (auto next = std::next(it); next != sheet->cells.end() && next->row == row; ++next) {
                        if (next->type != CellType::Empty) {
                            end = std::min(end, next->column);
                            break;
                        }
                    }
                    if (end > it->column + 1)
                        box.right = CellRect(row, end - 1).right - 3;
                }
                dc.DrawText(text, box,
                            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (right ? DT_RIGHT : DT_LEFT) |
                                (it->type == CellType::Boolean || it->type == CellType::Error ? DT_CENTER : 0));
                ++m_cellsPainted;
            }
            if (it == sheet->cells.end())
                break;
        }
    }

    // Headers, shaded where the selection reaches.
    dc.FillSolidRect(0, 0, client.Width(), kHeaderHeight, kHeaderFace);
    dc.FillSolidRect(0, 0, headerWidth, client.Height(), kHeaderFace);
    dc.SetTextColor(RGB(60, 64, 67));
    for (std::uint32_t c = m_leftColumn; c < lastColumn; ++c) {
        CRect box = CellRect(0, c);
        box.top = 0;
        box.bottom = kHeaderHeight;
        bool selected = false;
        for (const Area& a : m_selection.GetAreas())
            selected = selected || (c >= a.firstColumn && c <= a.lastColumn);
        if (selected)
            dc.FillSolidRect(box, kHeaderSelected);
        dc.FillSolidRect(box.right - 1, 0, 1, kHeaderHeight, kGridLine);
        dc.DrawText(sheet::xlsx::ColumnLettersOf(c), box, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    for (std::uint32_t r = m_topRow; r < lastRow; ++r) {
        CRect box = CellRect(r, 0);
        box.left = 0;
        box.right = headerWidth;
        bool selected = false;
        for (const Area& a : m_selection.GetAreas())
            selected = selected || (r >= a.firstRow && r <= a.lastRow);
        if (selected)
            dc.FillSolidRect(box, kHeaderSelected);
        dc.FillSolidRect(0, box.bottom - 1, headerWidth, 1, kGridLine);
        dc.DrawText(std::to_string(r + 1), box, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    dc.FillSolidRect(headerWidth - 1, 0, 1, client.Height(), RGB(192, 192, 192));
    dc.FillSolidRect(0, kHeaderHeight - 1, client.Width(), 1, RGB(192, 192, 192));

    // The active cell's frame.
    const CellPlace active = m_selection.GetActive();
    if (active.row >= m_topRow && active.row < lastRow && active.column >= m_leftColumn &&
        active.column < lastColumn) {
        const CRect box = CellRect(active.row, active.column);
        dc.FillSolidRect(box.left - 1, box.top - 1, box.Width() + 1, 2, kActiveFrame);
        dc.FillSolidRect(box.left - 1, box.bottom - 2, box.Width() + 1, 2, kActiveFrame);
        dc.FillSolidRect(box.left - 1, box.top - 1, 2, box.Height() + 1, kActiveFrame);
        dc.FillSolidRect(box.right - 2, box.top - 1, 2, box.Height() + 1, kActiveFrame);
    }
}

BOOL CSheetTabs::Create(const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SheetTabs", "", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CSheetTabs::SetWorkbook(const sheet::xlsx::Workbook* book)
{
    m_book = book;
    m_current = m_first = 0;
    Invalidate(FALSE);
}

void CSheetTabs::SetCurSel(int sheet)
{
    if (m_book == nullptr || sheet < 0 || sheet >= static_cast<int>(m_book->sheets.size()))
        return;
    m_current = sheet;
    if (m_current < m_first)
        m_first = m_current;
    while (m_first < m_current && TabRect(m_current).IsRectEmpty())
        ++m_first;
    Invalidate(FALSE);
}

int CSheetTabs::TabWidth(int sheet) const
{
    return static_cast<int>(m_book->sheets[sheet].name.size()) * 7 + 20;
}

CRect CSheetTabs::TabRect(int sheet) const
{
    if (m_book == nullptr || sheet < m_first || sheet >= static_cast<int>(m_book->sheets.size()))
        return CRect();
    CRect client;
    GetClientRect(&client);
    int x = 2 * kArrowWidth + 4;
    for (int i = m_first; i < sheet; ++i)
        x += TabWidth(i);
    const CRect tab(x, 0, x + TabWidth(sheet), client.bottom);
    return tab.right <= client.right || sheet == m_first ? tab : CRect();
}

LRESULT CSheetTabs::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN && m_book != nullptr) {
        const CPoint point = LParamToPoint(lParam);
        if (point.x < kArrowWidth) {
            m_first = std::max(0, m_first - 1);
            Invalidate(FALSE);
        } else if (point.x < 2 * kArrowWidth) {
            if (!TabRect(static_cast<int>(m_book->sheets.size()) - 1).IsRectEmpty())
                return 0;
            m_first = std::min(m_first + 1, static_cast<int>(m_book->sheets.size()) - 1);
            Invalidate(FALSE);
        } else {
            for (int i = m_first; i < static_cast<int>(m_book->sheets.size()); ++i) {
                if (TabRect(i).PtInRect(point)) {
                    if (i != m_current) {
                        m_current = i;
                        Invalidate(FALSE);
                        NotifyParent(TN_SELECT);
                    }
                    break;
                }
            }
        }
        return 0;
    }
    return ControlWnd::DefWindowProc(message, wParam, lParam);
}

void CSheetTabs::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText("<", CRect(0, 0, kArrowWidth, client.bottom), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    dc.DrawText(">", CRect(kArrowWidth, 0, 2 * kArrowWidth, client.bottom), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (m_book == nullptr)
        return;
    for (int i = m_first; i < static_cast<int>(m_book->sheets.size()); ++i) {
        const CRect tab = TabRect(i);
        if (tab.IsRectEmpty())
            break;
        const bool current = i == m_current;
        dc.FillSolidRect(CRect(tab.left, 0, tab.right - 1, tab.bottom - 1),
                         current ? RGB(255, 255, 255) : RGB(225, 225, 225));
        dc.FillSolidRect(tab.right - 1, 0, 1, tab.bottom, RGB(160, 160, 160));
        dc.FillSolidRect(tab.left, tab.bottom - 1, tab.Width(), 1, RGB(160, 160, 160));
        if (current)
            dc.FillSolidRect(tab.left, tab.bottom - 3, tab.Width() - 1, 2, RGB(33, 115, 70));
        dc.SetTextColor(m_book->sheets[i].hidden ? RGB(128, 128, 128) : RGB(0, 0, 0));
        dc.DrawText(m_book->sheets[i].name, tab, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
}
