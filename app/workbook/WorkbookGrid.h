#pragma once

#include "app/workbook/WorkbookSelection.h"
#include "platform/controls/ControlWnd.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <string>

// The grid of one sheet of a workbook: column letters and row numbers, the cells' values as
// their formats show them, the selection shaded and the active cell framed. Columns and rows
// have one size each, so a point maps to a cell by arithmetic and a paint visits only the
// cells that show, however large the sheet. The user selects with the pointer: a press picks
// a cell (Shift extends from the anchor, Ctrl adds an area), a drag spans an area, a header
// press takes whole columns or rows; the arrow keys move the active cell (Shift extends).
// The parent hears of every change of the selection or of the scroll position.
class CWorkbookGrid : public ui::ControlWnd {
public:
    // WM_COMMAND codes sent to the parent.
    enum : UINT { GN_SELCHANGE = 1, GN_SCROLLED = 2 };
    static constexpr int kColumnWidth = 72;
    static constexpr int kRowHeight = 20;
    static constexpr int kHeaderHeight = 20;

    BOOL Create(const CRect& rect, CWnd* parent, UINT id);

    // The workbook is borrowed and must outlive the grid.
    void SetWorkbook(const sheet::xlsx::Workbook* book);
    const sheet::xlsx::Workbook* GetWorkbook() const { return m_book; }
    const sheet::xlsx::Sheet* GetSheet() const;

    workbook::CWorkbookSelection& Selection() { return m_selection; }
    const workbook::CWorkbookSelection& Selection() const { return m_selection; }
    // Shows another sheet, its first cell selected.
    void ShowSheet(int sheet);
    // Takes a selection made elsewhere (a typed reference) and scrolls its active cell into view.
    void Select(int sheet, std::vector<workbook::Area> areas);

    // The first row and column that show; scrolling repaints the grid.
    std::uint32_t GetTopRow() const { return m_topRow; }
    std::uint32_t GetLeftColumn() const { return m_leftColumn; }
    void ScrollTo(std::uint32_t topRow, std::uint32_t leftColumn);
    void EnsureVisible(workbook::CellPlace cell);
    // Rows and columns that show at least in part, and those that show whole.
    std::uint32_t VisibleRows() const;
    std::uint32_t VisibleColumns() const;
    // How far the scroll bars reach: past the used range by a screenful, within the sheet.
    std::uint32_t RowExtent() const;
    std::uint32_t ColumnExtent() const;

    // The client rectangle of a cell; the cell under a client point (none on the headers).
    CRect CellRect(std::uint32_t row, std::uint32_t column) const;
    CPoint CellCentre(std::uint32_t row, std::uint32_t column) const { return CellRect(row, column).CenterPoint(); }
    int RowHeaderWidth() const;

    // How many cell values the last paint drew.
    int CellsPainted() const { return m_cellsPainted; }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    enum class Hit { Cell, ColumnHeader, RowHeader, Corner };
    Hit HitTest(CPoint point, workbook::CellPlace& cell) const;
    void OnPress(CPoint point, UINT flags);
    void OnDrag(CPoint point);
    void OnKey(UINT vk);
    void Changed();

    const sheet::xlsx::Workbook* m_book = nullptr;
    workbook::CWorkbookSelection m_selection;
    std::uint32_t m_topRow = 0;
    std::uint32_t m_leftColumn = 0;
    bool m_dragging = false;
    Hit m_dragKind = Hit::Cell;
    int m_cellsPainted = 0;
};

// The sheet tabs under the grid, with two arrows that scroll them when they do not all fit.
class CSheetTabs : public ui::ControlWnd {
public:
    enum : UINT { TN_SELECT = 1 };
    static constexpr int kArrowWidth = 16;

    BOOL Create(const CRect& rect, CWnd* parent, UINT id);
    void SetWorkbook(const sheet::xlsx::Workbook* book);
    int GetCurSel() const { return m_current; }
    void SetCurSel(int sheet);
    // The client rectangle of a sheet's tab; empty when it is scrolled away.
    CRect TabRect(int sheet) const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    int TabWidth(int sheet) const;

    const sheet::xlsx::Workbook* m_book = nullptr;
    int m_current = 0;
    int m_first = 0;
};
