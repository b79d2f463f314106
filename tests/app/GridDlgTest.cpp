#include "DialogFixture.h"

#include "app/core/AppIds.h"
#include "app/panels/GridDlg.h"
#include "platform/controls/SpinEdit.h"

namespace {

// A window with a grid, as the Grid dialog sees it: no canvas view needed.
class GridHost : public IGridHost {
public:
    explicit GridHost(CWnd& window) : m_window(window) {}
    CWnd& GridWindow() override { return m_window; }
    CanvasGrid GetGrid() const override { return grid; }
    void SetGrid(const CanvasGrid& value) override
    {
        grid = value;
        ++sets;
    }
    void OnGridDlgClosed() override { ++closes; }

    CanvasGrid grid{false, true, 400, 1000};
    int sets = 0;
    int closes = 0;

private:
    CWnd& m_window;
};

class GridDlgTest : public DialogTest {};

// The dialog starts from the host's grid in pixels, gives it back only on OK, and tells the
// host it closed either way, so the host can let it go.
TEST_F(GridDlgTest, OkGivesTheGridBackAndCancelLeavesIt)
{
    GridHost host(owner);
    {
        CGridDlg dlg(host);
        ASSERT_TRUE(dlg.Create());
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_GRID_SHOW), BST_UNCHECKED);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_GRID_SNAP), BST_CHECKED);
        EXPECT_EQ(dlg.SpacingX()->GetText(), "20");
        EXPECT_EQ(dlg.SpacingY()->GetText(), "50");
        dlg.SpacingX()->SetText("70");
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
    }
    EXPECT_EQ(host.sets, 0);
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.grid.stepX, 400);

    CGridDlg dlg(host);
    ASSERT_TRUE(dlg.Create());
    dlg.CheckDlgButton(IDC_GRID_SHOW, BST_CHECKED);
    dlg.CheckDlgButton(IDC_GRID_SNAP, BST_UNCHECKED);
    // Typed but not yet committed: OK takes it as typed.
    dlg.SpacingX()->SetText("70");
    dlg.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(host.sets, 1);
    EXPECT_EQ(host.closes, 2);
    EXPECT_TRUE(host.grid.shown);
    EXPECT_FALSE(host.grid.snap);
    EXPECT_EQ(host.grid.stepX, 1400);
    EXPECT_EQ(host.grid.stepY, 1000);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

} // namespace
