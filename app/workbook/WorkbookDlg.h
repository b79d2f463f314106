#pragma once

#include "app/workbook/WorkbookGrid.h"
#include "platform/controls/ScrollBar.h"
#include "platform/dialogs/Dialog.h"
#include "sheet/host/RangePicker.h"

#include <string>

// The workbook window: the imported workbook's sheets as a grid, in which the user selects
// cells with the pointer or types a reference, and OK or Cancel. The reference box shows the
// selection as the text the range pickers hand back ('Sheet1'!$A$1:$B$4,'Sheet1'!$D$2); the
// formula bar beside it shows the active cell's formula, or its value as stored. OK takes the
// reference box as it stands: typed text is checked against the workbook first, and a
// reference to a sheet or a cell the workbook does not have is refused with a message. An
// empty box clears the selection.
class CWorkbookDlg : public CDialog {
public:
    enum { IDD = 702 };
    enum : int {
        IDC_WB_REFERENCE = 7021,
        IDC_WB_FORMULA = 7022,
        IDC_WB_GRID = 7023,
        IDC_WB_TABS = 7024,
        IDC_WB_VSCROLL = 7025,
        IDC_WB_HSCROLL = 7026,
        IDC_WB_FX = 7027,
    };
    static constexpr const char* kCaption = "Select Cells";
    // OK on an empty reference: the link there was goes only when the user says so, and
    // there is nothing to take when there was none.
    static constexpr const char* kRemoveLinkText = "The reference is empty. Remove the link to ";
    static constexpr const char* kNoReferenceText = "Please select the cells to link, or choose Cancel.";

    // The workbook is borrowed; title names it (usually its file name). The window starts
    // on startText when it names cells of the workbook, else on the first cell of the first
    // sheet with an empty reference box.
    CWorkbookDlg(CWnd* parent, const sheet::xlsx::Workbook& book, std::string title, std::string startText);

    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // A refused reference: the box keeps the focus with its text selected for retyping.
    void FocusReference();

    // How the window was answered: picked (with the text), cleared or cancelled.
    const sheet::RangePickAnswer& GetAnswer() const { return m_answer; }

    CWorkbookGrid& Grid() { return m_grid; }
    CSheetTabs& Tabs() { return m_tabs; }
    CScrollBar& VerticalBar() { return m_vertical; }
    CScrollBar& HorizontalBar() { return m_horizontal; }
    // The reference that the current selection gives.
    std::string SelectionText() const;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnGridChange(UINT code);
    void OnTabSelect();
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    void OnHScroll(UINT code, UINT pos, CWnd* bar);
    void OnGridCommand(UINT id);
    // A reference the user types that names cells selects them, so the formula bar shows the
    // cell the reference names rather than the last one clicked.
    void OnReferenceTyped();
    void ShowSelection();
    void UpdateScrollBars();
    void ShowFormula();

    const sheet::xlsx::Workbook& m_book;
    std::string m_title;
    std::string m_startText;
    CWorkbookGrid m_grid;
    CSheetTabs m_tabs;
    CScrollBar m_vertical;
    CScrollBar m_horizontal;
    sheet::RangePickAnswer m_answer;
};
