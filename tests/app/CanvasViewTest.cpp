// The canvas view driven as a person drives it: components placed from the palette, moved,
// resized and nudged with the mouse and the keys, every step undone and redone, the selection
// deleted and brought back, the grid, and the preview of the movie.

#include "tests/app/AppFixture.h"

#include <algorithm>
#include <fstream>

#include "platform/dialogs/PrintService.h"
#include "app/canvas/ComponentObj.h"
#include "app/panels/ComponentPalette.h"
#include "app/panels/GridDlg.h"
#include "app/canvas/ObjectBrowserDlg.h"
#include "app/canvas/ViewStyle.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/CellBinding.h"
#include "model/ComponentDef.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/Png.h"
#include "platform/window/CmdUI.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/StyleSheet.h"
#include "propui/StylesPage.h"
#include "publish/BaseMovie.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"

namespace {

using Call = CFakeFlashPlayer::Call;

// The stage's picture as the stage movie paints it: each component a labelled box where the
// canvas object stands (hidden ones left out). Symbols measure as the table below says.
class PaintingStagePlayer : public CFakeFlashPlayer {
public:
    PaintingStagePlayer()
    {
        OnLabel("GetComponentBounds", [](CFakeFlashPlayer& player, const std::string&) {
            const std::string symbol = player.Variable("_root.__compType");
            std::string size = "0 100 0 60";
            if (symbol.find("Slider") != std::string::npos)
                size = "0 160 0 40";
            else if (symbol.find("Chart") != std::string::npos)
                size = "0 240 0 160";
            return std::vector<Command>{{"GetBounds", symbol + " " + size}};
        });
    }
    void Draw(CDC& dc, const CRect& rect) override
    {
        CFakeFlashPlayer::Draw(dc, rect);
        // The preview player plays the generated movie, not the stage.
        if (LayerMovie(0).find("gen") != std::string::npos)
            return;
        CDrawView* view = GetActiveDrawView();
        if (view == nullptr || view->GetDocument() == nullptr)
            return;
        for (CDrawObj* obj : view->GetDocument()->GetObjects()) {
            auto* component = dynamic_cast<CComponentObj*>(obj);
            if (component == nullptr || !component->m_bShown)
                continue;
            dc.FillSolidRect(component->m_position, RGB(0xC8, 0xDC, 0xF0));
            CPen pen(PS_SOLID, 0, RGB(0x30, 0x50, 0x90));
            CBrush none;
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&none);
            dc.Rectangle(component->m_position);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(RGB(0x20, 0x30, 0x60));
            CRect label = component->m_position;
            label.DeflateRect(100, 100);
            dc.DrawText(component->GetName(), &label, DT_NOPREFIX | DT_SINGLELINE);
        }
    }
};

class CanvasViewTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        host = &InstallRasterWindowHost();
        SetFlashPlayerFactory([] { return std::make_unique<PaintingStagePlayer>(); });
        SkipWelcome();
    }

    // Starts the program with the frame at a known size.
    CDrawView& StartDesigner()
    {
        EXPECT_TRUE(Start());
        Frame().ShowWindow(SW_SHOWNORMAL);
        Frame().MoveWindow(0, 0, 1280, 900);
        PumpUntilIdle();
        CDrawView* view = GetActiveDrawView();
        EXPECT_NE(view, nullptr);
        EXPECT_NE(view->GetStage(), nullptr);
        return *view;
    }
    CFakeFlashPlayer& StagePlayer(CDrawView& view)
    {
        return *dynamic_cast<CFakeFlashPlayer*>(view.GetStage()->GetPlayer());
    }
    std::vector<std::string> Labels(CDrawView& view)
    {
        std::vector<std::string> labels;
        for (const Call& call : StagePlayer(view).CallsOf("TCallLabel"))
            labels.push_back(call.args.at(1));
        return labels;
    }
    long CountLabel(CDrawView& view, const std::string& label)
    {
        const std::vector<std::string> labels = Labels(view);
        return std::count(labels.begin(), labels.end(), label);
    }
    // Clicks the symbol's icon in the palette (in whichever category holds it).
    bool ChooseInPalette(CDrawView& view, const std::string& symbol)
    {
        CComponentPalette* palette = view.GetPalette();
        if (palette == nullptr)
            return false;
        for (int c = 0; c < palette->Categories().GetCount(); ++c) {
            palette->Categories().SetCurSel(c);
            palette->FillList();
            CListCtrl& list = palette->List();
            for (int i = 0; i < list.GetItemCount(); ++i) {
                const auto* def = reinterpret_cast<const CComponentDef*>(list.GetItemData(i));
                if (def != nullptr && def->GetName() == symbol) {
                    list.UserClick(i);
                    return true;
                }
            }
        }
        return false;
    }
    // Places a component with a click at a canvas point (pixels from the canvas's corner).
    CComponentObj* Place(CDrawView& view, const std::string& symbol, CPoint canvasPixel)
    {
        EXPECT_TRUE(ChooseInPalette(view, symbol)) << symbol;
        EXPECT_EQ(view.GetToolState().shape, CDrawToolState::ComponentShape);
        const std::size_t before = Doc().GetObjects().size();
        CUserInput::Click(view, At(view, canvasPixel));
        PumpUntilIdle();
        EXPECT_EQ(Doc().GetObjects().size(), before + 1);
        return Doc().GetObjects().empty() ? nullptr : dynamic_cast<CComponentObj*>(Doc().GetObjects().back());
    }
    // A canvas pixel in the view's client coordinates.
    static CPoint At(CDrawView& view, CPoint canvasPixel) { return view.DocToClient(CPoint(canvasPixel.x * 20, canvasPixel.y * 20)); }
    void Snapshot(const std::string& name)
    {
        PumpUntilIdle();
        EXPECT_TRUE(WritePng(artefacts / name, host->Snapshot(Frame())));
    }

    CRasterWindowHost* host = nullptr;
};

// Placing, moving, resizing and nudging, each undone and redone: the document and the stage
// come back to what they were.
TEST_F(CanvasViewTest, PlaceMoveResizeAndNudgeUndoAndRedoEachStep)
{
    CDrawView& view = StartDesigner();
    CFakeFlashPlayer& stage = StagePlayer(view);

    stage.ClearCalls();
    CComponentObj* slider = Place(view, "KVSliderHSymbol", {40, 30});
    ASSERT_NE(slider, nullptr);
    // The press point is the top-left corner and the measured size the natural size.
    EXPECT_EQ(slider->m_position, CRect(800, 600, 800 + 3200, 600 + 800));
    EXPECT_EQ(slider->GetInstance(0)->GetRect().left, 800);
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{slider});
    EXPECT_EQ(view.GetToolState().shape, CDrawToolState::SelectShape);
    EXPECT_NE(slider->GetName().find(" 1"), std::string::npos) << slider->GetName();
    EXPECT_EQ(CountLabel(view, "AddComponent"), 1);
    EXPECT_TRUE(view.GetUndoHistory().CanUndo());

    CComponentObj* chart = Place(view, "KVColumnChartSymbol", {300, 40});
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->m_position, CRect(6000, 800, 6000 + 4800, 800 + 3200));
    EXPECT_EQ(view.GetUndoHistory().GetCount(), 2);

    // Move the slider 100 pixels right and 50 down by dragging its middle.
    const CRect before = slider->m_position;
    stage.ClearCalls();
    CUserInput::Drag(view, At(view, {120, 40}), At(view, {220, 90}));
    PumpUntilIdle();
    CRect moved = before;
    moved.OffsetRect(2000, 1000);
    EXPECT_EQ(slider->m_position, moved);
    EXPECT_EQ(slider->GetInstance(0)->GetRect().left, moved.left);
    EXPECT_EQ(Labels(view), std::vector<std::string>{"MoveComp"});
    EXPECT_EQ(view.GetUndoHistory().GetCount(), 3);

    stage.ClearCalls();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(slider->m_position, before);
    EXPECT_EQ(slider->GetInstance(0)->GetRect().left, before.left);
    EXPECT_EQ(Labels(view), std::vector<std::string>{"MoveComp"});
    EXPECT_EQ(stage.Variable("_root.__x"), "40");
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_REDO));
    EXPECT_EQ(slider->m_position, moved);
    EXPECT_FALSE(view.GetUndoHistory().CanRedo());

    // Resize the chart by its bottom-right handle: 60 pixels wider, 20 taller.
    CUserInput::Click(view, At(view, {320, 60}));
    ASSERT_EQ(view.GetSelection(), std::vector<CDrawObj*>{chart});
    const CRect chartBefore = chart->m_position;
    stage.ClearCalls();
    CUserInput::Drag(view, view.DocToClient(chartBefore.BottomRight()),
                     view.DocToClient(CPoint(chartBefore.right + 1200, chartBefore.bottom + 400)));
    PumpUntilIdle();
    EXPECT_EQ(chart->m_position, CRect(chartBefore.left, chartBefore.top, chartBefore.right + 1200, chartBefore.bottom + 400));
    EXPECT_EQ(CountLabel(view, "ResizeComp") + CountLabel(view, "FastResizeComp"), 1);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(chart->m_position, chartBefore);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_REDO));
    EXPECT_EQ(chart->m_position.right, chartBefore.right + 1200);

    // Three presses of the right arrow: three pixels; each press is its own undo step, and an
    // undo moves the chart back without rebuilding it on the stage.
    const CRect beforeNudge = chart->m_position;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(CUserInput::PressKey(VK_RIGHT));
    EXPECT_EQ(chart->m_position.left, beforeNudge.left + 60);
    stage.ClearCalls();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(chart->m_position.left, beforeNudge.left + 40);
    EXPECT_EQ(Labels(view), std::vector<std::string>{"MoveComp"});
    // A burst with a repeat count moves by the count in one step.
    view.SendMessage(WM_KEYDOWN, VK_DOWN, 3);
    view.SendMessage(WM_KEYUP, VK_DOWN, 1);
    EXPECT_EQ(chart->m_position.top, beforeNudge.top + 60);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(chart->m_position.top, beforeNudge.top);

    view.Invalidate();
    Snapshot("canvas-placed-selected.png");

    // Undoing the placements takes the components off the stage; redo brings back the same
    // objects.
    while (view.GetUndoHistory().CanUndo())
        ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_TRUE(Doc().GetObjects().empty());
    EXPECT_TRUE(view.GetSelection().empty());
    stage.ClearCalls();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_REDO));
    ASSERT_EQ(Doc().GetObjects().size(), 1u);
    EXPECT_EQ(Doc().GetObjects().front(), slider);
    EXPECT_EQ(CountLabel(view, "AddComponent"), 1);
}

// A rubber band selects both components; Delete takes them off the canvas and the stage, and
// Undo puts the same objects back in their places, in the stage's order too.
TEST_F(CanvasViewTest, RubberBandSelectsDeleteAndUndoRestoreTheSameObjects)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVSliderHSymbol", {40, 30});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {100, 40});
    CComponentObj* c = Place(view, "KVColumnChartSymbol", {400, 200});
    ASSERT_TRUE(a && b && c);

    // From an empty spot, around the first two only.
    CUserInput::Drag(view, At(view, {20, 10}), At(view, {260, 150}));
    PumpUntilIdle();
    EXPECT_EQ(view.GetSelection().size(), 2u);
    EXPECT_TRUE(view.IsSelected(a) && view.IsSelected(b) && !view.IsSelected(c));

    // Ctrl-click on a selected one leaves it out.
    CUserInput::Click(view, At(view, {110, 50}), CUserInput::Control);
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{a});
    CUserInput::Click(view, At(view, {110, 50}), CUserInput::Control);
    ASSERT_EQ(view.GetSelection().size(), 2u);

    CFakeFlashPlayer& stage = StagePlayer(view);
    stage.ClearCalls();
    ASSERT_TRUE(CUserInput::PressKey(VK_DELETE));
    EXPECT_EQ(Doc().GetObjects(), std::vector<CDrawObj*>{c});
    EXPECT_EQ(CountLabel(view, "DeleteComponent"), 2);
    EXPECT_TRUE(view.GetSelection().empty());

    stage.ClearCalls();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_TRUE(view.IsSelected(a) && view.IsSelected(b));
    // Each comes back on top of the stage and is swapped below what lies above it.
    std::vector<std::string> swaps;
    for (const Call& call : stage.Calls()) {
        if (call.op == "SetVariable" && call.args[0] == "_root.__compB")
            swaps.push_back(call.args[1]);
    }
    EXPECT_EQ(swaps, (std::vector<std::string>{c->GetInstance(0)->GetName(), c->GetInstance(0)->GetName(),
                                               b->GetInstance(0)->GetName()}));

    // Redo deletes them again; the objects stay alive for the history until it lets go.
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_REDO));
    EXPECT_EQ(Doc().GetObjects(), std::vector<CDrawObj*>{c});
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects().size(), 3u);
}

// The canvas is centred in a larger window and a click lands on the twips under it, also
// after the window changed size; a smaller window scrolls instead.
TEST_F(CanvasViewTest, ClicksMapToTheCanvasWhereverItStands)
{
    CDrawView& view = StartDesigner();
    ASSERT_TRUE(Doc().ResizeCanvas(800, 600, 0, 0));
    view.MoveWindow(0, 0, 1000, 700);
    EXPECT_EQ(view.GetCanvasOffset(), CPoint(100, 50));
    EXPECT_EQ(view.ClientToDoc(CPoint(150, 80)), CPoint(1000, 600));
    EXPECT_EQ(view.DocToClient(CPoint(1000, 600)), CPoint(150, 80));

    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {50, 30});
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->m_position.TopLeft(), CPoint(1000, 600));

    view.MoveWindow(0, 0, 600, 500);
    EXPECT_EQ(view.GetCanvasOffset(), CPoint(0, 0));
    view.ScrollToPosition(CPoint(40, 20));
    EXPECT_EQ(view.ClientToDoc(CPoint(10, 10)), CPoint(1000, 600));
    // The press lands on the gauge's corner and selects it.
    CUserInput::Click(view, CPoint(0, 0));
    CUserInput::Click(view, CPoint(12, 12));
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{gauge});
    // A press outside the canvas does nothing, not even on a handle.
    view.ScrollToPosition(CPoint(0, 0));
    view.MoveWindow(0, 0, 1000, 700);
    CUserInput::Click(view, CPoint(20, 20));
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{gauge});
}

// Dragging with snapping on: the selection's left edge jumps to a grid line only when within
// reach, and a hidden component cannot be clicked.
TEST_F(CanvasViewTest, SnappingAndHiddenComponents)
{
    struct Case {
        int step, edge, expected;
    } cases[] = {
        {200, 1230, 1200}, // 10 pixels: a threshold of 50 twips
        {200, 1260, 1260}, // out of reach
        {100, 1050, 1100}, // equal distance: the later line
        {4000, 7810, 8000}, // 200 pixels: 200 twips
        {4000, 7790, 7790},
    };
    for (const Case& c : cases) {
        const CPoint offset = CSelectTool::SnapOffset(CRect(c.edge, c.edge, c.edge + 100, c.edge + 100), c.step,
                                                      c.step, 32600, 32600);
        EXPECT_EQ(c.edge + offset.x, c.expected) << c.step << " " << c.edge;
        EXPECT_EQ(c.edge + offset.y, c.expected) << c.step << " " << c.edge;
    }

    CDrawView& view = StartDesigner();
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {41, 41});
    view.m_bSnapToGrid = true;
    view.m_nGridX = view.m_nGridY = 2000;
    CUserInput::Click(view, At(view, {0, 0}));
    CUserInput::Drag(view, At(view, {60, 60}), At(view, {118, 118}));
    EXPECT_EQ(gauge->m_position.TopLeft(), CPoint(2000, 2000));
    // A drag back to where it was leaves no record.
    const int records = view.GetUndoHistory().GetCount();
    view.m_bSnapToGrid = false;
    CUserInput::Press(view, At(view, {130, 130}));
    CUserInput::MoveTo(view, At(view, {160, 140}));
    CUserInput::MoveTo(view, At(view, {130, 130}));
    CUserInput::Release(view, At(view, {130, 130}));
    EXPECT_EQ(gauge->m_position.TopLeft(), CPoint(2000, 2000));
    EXPECT_EQ(view.GetUndoHistory().GetCount(), records);

    gauge->m_bShown = false;
    CUserInput::Click(view, At(view, {0, 0}));
    CUserInput::Click(view, At(view, {120, 120}));
    EXPECT_TRUE(view.GetSelection().empty());
}

// The palette lists the catalogue in icon order, the Object Browser hides and selects, and
// the Grid dialog sets the grid within its limits.
TEST_F(CanvasViewTest, PaletteObjectBrowserAndGridDialog)
{
    EXPECT_EQ(CComponentPalette::IconIndex("FScrollEditSymbol"), 0);
    EXPECT_EQ(CComponentPalette::IconIndex("KVGaugeSymbol"), 12);
    EXPECT_EQ(CComponentPalette::IconIndex("KVRemoteScenarioSymbol"), 49);
    EXPECT_EQ(CComponentPalette::IconIndex("KVSomethingNewSymbol"), 0);

    CDrawView& view = StartDesigner();
    CComponentPalette* palette = view.GetPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->IsWindowVisible());
    std::string title;
    palette->GetWindowText(title);
    EXPECT_EQ(title, "Components - default");
    ASSERT_GT(palette->List().GetItemCount(), 0);
    // Choosing an item shows its movie in the preview and makes the component tool current.
    ASSERT_TRUE(ChooseInPalette(view, "KVGaugeSymbol"));
    // Each item shows its symbol's picture of the installation's icon strip.
    const int chosen = palette->List().GetNextItem(-1, LVNI_SELECTED);
    EXPECT_EQ(palette->List().GetItemImage(chosen), 12);
    // Its tip says what the component does, not its symbol's name.
    CRect item;
    palette->List().GetItemRect(chosen, &item, LVIR_ICON);
    const std::string tip = palette->List().ToolTipAt(item.CenterPoint(), nullptr);
    EXPECT_FALSE(tip.empty());
    EXPECT_EQ(tip.find("Symbol"), std::string::npos) << tip;
    ASSERT_NE(palette->List().GetImageList(LVSIL_NORMAL), nullptr);
    EXPECT_EQ(palette->List().GetImageList(LVSIL_NORMAL)->GetImageCount(), 50);
    auto* preview = dynamic_cast<CFakeFlashPlayer*>(palette->Preview()->GetPlayer());
    EXPECT_NE(preview->LayerMovie(0).find("KVGaugeSymbol"), std::string::npos);
    EXPECT_TRUE(WritePng(artefacts / "palette.png", host->Snapshot(*palette)));

    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVSliderHSymbol", {300, 40});
    CObjectBrowserDlg* browser = view.GetObjectBrowser();
    ASSERT_NE(browser, nullptr);
    CListCtrl& rows = browser->List();
    ASSERT_EQ(rows.GetItemCount(), 2);
    EXPECT_EQ(rows.GetItemText(0, 0), a->GetName());
    EXPECT_TRUE(rows.GetItemState(1, LVIS_SELECTED) & LVIS_SELECTED);

    // Checking a row hides its object on the stage; its row cannot then be selected.
    rows.UserToggleCheck(0);
    EXPECT_FALSE(a->m_bShown);
    EXPECT_EQ(StagePlayer(view).Variable("_root.__compName"), a->GetInstance(0)->GetName());
    rows.UserClick(0);
    EXPECT_FALSE(view.IsSelected(a));
    rows.UserToggleCheck(0);
    EXPECT_TRUE(a->m_bShown);
    rows.UserClick(0);
    EXPECT_TRUE(view.IsSelected(a));
    // Checking a selected row hides every selected object and empties the selection.
    view.Select(b, true);
    rows.UserToggleCheck(1);
    EXPECT_FALSE(a->m_bShown);
    EXPECT_FALSE(b->m_bShown);
    EXPECT_TRUE(view.GetSelection().empty());
    // A row's label renames its object; an empty name is refused.
    ASSERT_NE(rows.EditLabel(0), nullptr);
    rows.GetEditControl()->SetWindowText("Sales gauge");
    rows.EndLabelEdit(false);
    EXPECT_EQ(a->GetName(), "Sales gauge");
    ASSERT_NE(rows.EditLabel(0), nullptr);
    rows.GetEditControl()->SetWindowText("");
    rows.EndLabelEdit(false);
    EXPECT_EQ(a->GetName(), "Sales gauge");
    EXPECT_EQ(rows.GetItemText(0, 0), "Sales gauge");
    // Closing only hides the window; its rows stay.
    browser->SendMessage(WM_CLOSE);
    EXPECT_FALSE(browser->IsWindowVisible());
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_OBJECT_BROWSER));
    EXPECT_TRUE(browser->IsWindowVisible());
    EXPECT_EQ(rows.GetItemCount(), 2);

    // The Grid dialog: spacing clamped to 5..10000 pixels; Cancel changes nothing.
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_GRID));
    CGridDlg* grid = view.GetGridDlg();
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(grid->SpacingX(), nullptr);
    EXPECT_EQ(grid->SpacingX()->GetText(), "100");
    grid->SpacingX()->SetText("3");
    grid->SpacingX()->CommitTyped();
    EXPECT_EQ(grid->m_nX, 5);
    grid->SpacingY()->SetText("20000");
    grid->SpacingY()->CommitTyped();
    EXPECT_EQ(grid->m_nY, 10000);
    grid->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(view.m_nGridX, 2000);
    EXPECT_EQ(view.GetGridDlg(), nullptr);

    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_GRID));
    grid = view.GetGridDlg();
    grid->CheckDlgButton(IDC_GRID_SHOW, BST_CHECKED);
    grid->SpacingX()->SetText("50");
    grid->SpacingX()->CommitTyped();
    grid->SpacingY()->UpArrow()->SendMessage(WM_COMMAND, 0); // no effect: not a click
    ui::ClickWindow(*grid->SpacingY()->DownArrow());
    EXPECT_EQ(grid->m_nY, 99);
    EXPECT_TRUE(WritePng(artefacts / "grid-dialog.png", host->Snapshot(*grid)));
    EXPECT_TRUE(WritePng(artefacts / "object-browser.png", host->Snapshot(*browser)));
    grid->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(view.m_bGrid);
    EXPECT_EQ(view.m_nGridX, 1000);
    EXPECT_EQ(view.m_nGridY, 1980);
    view.Invalidate();
    Snapshot("canvas-grid.png");
}

// Preview without a model says so and stays in edit mode; with one it builds the movie, plays
// it over the canvas with the tool windows put away, and edit mode brings everything back.
TEST_F(CanvasViewTest, PreviewPlaysTheMovieAndEditModeComesBack)
{
    CDrawView& view = StartDesigner();
    Place(view, "KVGaugeSymbol", {40, 40});
    for (int i = 0; i < 2; ++i) {
        boxes->Answer(IDOK);
        ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
        EXPECT_FALSE(view.IsPreview());
    }
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log().back().text, "Not Done Importing");

    // A model with one cell stands for an imported workbook.
    GetBaseMovie()->GetVariableTable().AddCell("Sheet1", 1, 1);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    ASSERT_TRUE(view.IsPreview());
    auto* player = dynamic_cast<CFakeFlashPlayer*>(view.GetPreviewPlayer()->GetPlayer());
    const std::string movie = player->LayerMovie(0);
    ASSERT_NE(movie.find("gen"), std::string::npos) << movie;
    std::ifstream in(movie, std::ios::binary);
    char magic[3] = {};
    in.read(magic, 3);
    EXPECT_EQ(std::string(magic, 3), "CWS");
    EXPECT_TRUE(view.GetPreviewPlayer()->IsWindowVisible());
    EXPECT_FALSE(view.GetPalette()->IsWindowVisible());
    // The preview command toggles (the menus holding the edit command are greyed in preview,
    // so its button is the way back); edit commands are off in preview.
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    EXPECT_FALSE(view.IsPreview());
    EXPECT_TRUE(view.GetPalette()->IsWindowVisible());
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    EXPECT_TRUE(view.IsPreview());
    EXPECT_FALSE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_CUT));
    Snapshot("canvas-preview.png");

    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
    EXPECT_FALSE(view.IsPreview());
    EXPECT_EQ(player->LayerMovie(0), "");
    EXPECT_TRUE(view.GetPalette()->IsWindowVisible());

    // With the tool windows closed, the keyboard that a click in the movie gave the player
    // comes back to the canvas: it does not stay with the hidden player.
    view.GetPalette()->ShowWindow(SW_HIDE);
    if (view.GetObjectBrowser() != nullptr)
        view.GetObjectBrowser()->ShowWindow(SW_HIDE);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    view.GetPreviewPlayer()->SetFocus();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    EXPECT_FALSE(view.IsPreview());
    EXPECT_EQ(CWnd::GetFocus(), &view);
}

// What the dashboard names by relative addresses (a data connection's file) comes from beside
// the document: the stage follows the document into each folder it is saved in, and so does
// the preview.
TEST_F(CanvasViewTest, TheStageAndPreviewLoadFromTheFolderTheDocumentWasSavedIn)
{
    CDrawView& view = StartDesigner();
    Place(view, "KVGaugeSymbol", {40, 40});
    testsupport::TempDir out;
    for (const char* folder : {"first", "second"}) {
        std::filesystem::create_directories(out / folder);
        const std::filesystem::path path = out / folder / "dashboard.vtd";
        UseScriptedCommonDialogs().AnswerFile(path.string());
        ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_SAVE_AS));
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        const std::vector<Call> bases = StagePlayer(view).CallsOf("Base");
        ASSERT_FALSE(bases.empty());
        EXPECT_EQ(bases.back().args, std::vector<std::string>{(out / folder).string()});
    }
    GetBaseMovie()->GetVariableTable().AddCell("Sheet1", 1, 1);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    ASSERT_TRUE(view.IsPreview());
    auto* preview = dynamic_cast<CFakeFlashPlayer*>(view.GetPreviewPlayer()->GetPlayer());
    const std::vector<Call> bases = preview->CallsOf("Base");
    ASSERT_FALSE(bases.empty());
    EXPECT_EQ(bases.back().args, std::vector<std::string>{(out / "second").string()});
}

// A person's path: a new document, a workbook's model, three components placed, one moved
// and the move undone, then the preview; the canvas is printed as it stands.
TEST_F(CanvasViewTest, NewDocumentPlaceThreeMoveUndoAndPreview)
{
    CDrawView& view = StartDesigner();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_NEW));
    PumpUntilIdle();
    ASSERT_EQ(GetActiveDrawView(), &view);
    EXPECT_TRUE(Doc().GetObjects().empty());
    EXPECT_FALSE(view.GetUndoHistory().CanUndo());
    // The workbook's model, as an import leaves it: its cells are the movie's variables.
    CVariableTable& cells = GetBaseMovie()->GetVariableTable();
    cells.AddCell("Inputs", 2, 2);
    cells.AddCell("Inputs", 3, 2);

    CComponentObj* slider = Place(view, "KVSliderHSymbol", {40, 40});
    CComponentObj* chart = Place(view, "KVColumnChartSymbol", {260, 40});
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {40, 140});
    ASSERT_TRUE(slider && chart && gauge);
    const CRect gaugeAt = gauge->m_position;
    CUserInput::Drag(view, At(view, {60, 160}), At(view, {90, 300}));
    EXPECT_EQ(gauge->m_position.top, gaugeAt.top + 140 * 20);
    Snapshot("path-moved.png");
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_UNDO));
    EXPECT_EQ(gauge->m_position, gaugeAt);
    EXPECT_EQ(gauge->GetInstance(0)->GetRect().top, gaugeAt.top);
    Snapshot("path-undone.png");

    // Printed: the components without the selection's handles, at the canvas's size.
    const std::filesystem::path printed = artefacts / "path-printed.png";
    ASSERT_TRUE(view.PrintToPng(printed.string()));
    EXPECT_TRUE(std::filesystem::file_size(printed) > 0);
    // Print and Print Preview hand that picture to the print service (the screen's dialog).
    struct Printer : IPrintService {
        std::vector<std::pair<std::uintmax_t, bool>> pages;
        bool PrintPicture(CWnd*, const std::string& path, const std::string&, bool preview, std::string&) override
        {
            pages.emplace_back(std::filesystem::file_size(path), preview);
            return true;
        }
    };
    auto owned = std::make_unique<Printer>();
    Printer& printer = *owned;
    SetPrintService(std::move(owned));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_PRINT));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_PRINT_PREVIEW));
    PumpUntilIdle();
    const std::vector<std::pair<std::uintmax_t, bool>> printedPages{{std::filesystem::file_size(printed), false},
                                                                   {std::filesystem::file_size(printed), true}};
    EXPECT_EQ(printer.pages, printedPages);
    SetPrintService(nullptr);

    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    ASSERT_TRUE(view.IsPreview());
    auto* player = dynamic_cast<CFakeFlashPlayer*>(view.GetPreviewPlayer()->GetPlayer());
    EXPECT_EQ(player->CallsOf("LoadMovie").size(), 2u);
    EXPECT_EQ(player->CallsOf("LoadMovie").front().args.at(1), "loadblank");
    // In preview the canvas takes no clicks: nothing gets selected or moved.
    CUserInput::Drag(view, At(view, {60, 60}), At(view, {90, 90}));
    EXPECT_EQ(gauge->m_position, gaugeAt);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
    EXPECT_FALSE(view.IsPreview());
}

// The context menu selects what lies under the pointer; asking to save a changed style keeps
// the window open unless the style was saved or dropped.
TEST_F(CanvasViewTest, ContextMenuAndTheStyleQuestion)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {240, 40});
    ASSERT_EQ(view.GetSelection(), std::vector<CDrawObj*>{b});
    std::vector<std::string> items;
    SetPopupMenuHook([&](CMenu& menu, CPoint, CWnd*) {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            std::string text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            if (!text.empty())
                items.push_back(text);
        }
        return UINT(ID_EDIT_CLEAR);
    });
    CUserInput::RightClick(view, At(view, {60, 60}));
    PumpUntilIdle();
    EXPECT_EQ(items.size(), 11u);
    // The gauge under the pointer was selected, and Delete from the menu took it away.
    EXPECT_EQ(Doc().GetObjects(), std::vector<CDrawObj*>{b});
    (void)a;

    struct Saver : IStyleSaver {
        bool IsStyleChanged() const override { return changed; }
        bool SaveStyleAs() override
        {
            ++saves;
            return saved;
        }
        bool changed = true, saved = false;
        int saves = 0;
    } saver;
    view.SetStyleSaver(&saver);
    struct Case {
        int answer;
        bool saved;
        bool closes;
    } cases[] = {{IDCANCEL, false, false}, {IDNO, false, true}, {IDYES, true, true}, {IDYES, false, false}};
    for (const Case& c : cases) {
        saver.saved = c.saved;
        boxes->Answer(c.answer);
        EXPECT_EQ(view.QuerySaveStyle(), c.closes) << c.answer << c.saved;
        EXPECT_EQ(boxes->Log().back().text, "Save changes to current style?");
    }
    EXPECT_EQ(saver.saves, 2);
    saver.changed = false;
    const std::size_t asked = boxes->Log().size();
    EXPECT_TRUE(view.QuerySaveStyle());
    EXPECT_EQ(boxes->Log().size(), asked);
    view.SetStyleSaver(nullptr);
}

// Properties of several objects are edited together: of one kind when they share their
// definition (lines of either direction count as one kind), else only what all share.
TEST_F(CanvasViewTest, ASelectionIsOfOneKindWhenItsComponentsAre)
{
    CDrawView& view = StartDesigner();
    CComponentObj* gauge1 = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* gauge2 = Place(view, "KVGaugeSymbol", {200, 40});
    CComponentObj* line = Place(view, "KVLineSymbol", {40, 200});
    CComponentObj* lineV = Place(view, "KVLineSymbolV", {300, 200});
    struct Case {
        std::vector<CComponentObj*> selected;
        bool sameKind;
    } cases[] = {{{gauge1, gauge2}, true}, {{gauge1, line}, false}, {{line, lineV}, true}, {{lineV, gauge2}, false}};
    for (const Case& c : cases) {
        view.Select(nullptr);
        for (CComponentObj* obj : c.selected)
            view.Select(obj, true);
        EXPECT_TRUE(view.CanEditProperties());
        EXPECT_EQ(view.IsSameKind(), c.sameKind) << c.selected.front()->GetName() << " + " << c.selected.back()->GetName();
    }
    // One object alone, or nothing, or another tool: no shared pages to work out.
    view.Select(gauge1);
    EXPECT_TRUE(view.CanEditProperties());
    view.Select(nullptr);
    EXPECT_FALSE(view.CanEditProperties());
    view.Select(gauge1);
    view.GetToolState().shape = CDrawToolState::ComponentShape;
    EXPECT_FALSE(view.CanEditProperties());
}


// What the menus and buttons offer, asked the way the frame asks before a menu opens: an
// update handler's answer, or, without one, whether anyone carries the command.
class CommandStateTest : public CanvasViewTest {
protected:
    bool Enabled(UINT id)
    {
        CCmdUIProbe probe;
        probe.m_nID = id;
        Frame().OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        if (probe.m_bEnableChanged)
            return probe.enabled;
        AFX_CMDHANDLERINFO info;
        return Frame().OnCmdMsg(id, CN_COMMAND, &probe, &info) != FALSE;
    }
    // The File menu's item that opens the Snapshot submenu, as it stands.
    bool SnapshotMenuEnabled()
    {
        CMenu* file = Frame().GetMenu()->GetSubMenu(0);
        for (int pos = 0; pos < file->GetMenuItemCount(); ++pos) {
            CMenu* sub = file->GetSubMenu(pos);
            if (sub != nullptr && sub->FindItem(ID_SNAPSHOT_SWF, nullptr) == sub)
                return (file->GetMenuState(static_cast<UINT>(pos), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        }
        ADD_FAILURE() << "no Snapshot submenu";
        return false;
    }
    // Whether the File menu, as it opens, offers any recent file.
    bool RecentFileEnabled()
    {
        CMenu* file = Frame().GetMenu()->GetSubMenu(0);
        Frame().SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        const UINT state = file->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND);
        return (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
};

// Every command of the canvas view's table, in and out of preview, with and without a model
// and components: enabled exactly as the table says.
TEST_F(CommandStateTest, TheUpdateTableHoldsInAndOutOfPreviewWithAndWithoutModelAndComponents)
{
    CDrawView& view = StartDesigner();
    app->AddToRecentFileList(Sample("regional-sales").string());
    struct State {
        bool preview, model, objects;
    };
    using Rule = std::function<bool(const State&)>;
    const Rule always = [](const State&) { return true; };
    const Rule outsidePreview = [](const State& s) { return !s.preview; };
    const Rule exportable = [](const State& s) { return s.model && s.objects; };
    struct Row {
        UINT id;
        const char* name;
        Rule enabled;
    };
    const std::vector<Row> table = {
        {ID_EXPORT_SWF, "Export SWF", exportable},
        {ID_EXPORT_HTML, "Export HTML", exportable},
        {ID_EXPORT_POWERPOINT, "Export PowerPoint", exportable},
        {ID_EXPORT_OUTLOOK, "Export Outlook", exportable},
        {ID_EXPORT_PORTAL, "Export Plumtree", exportable},
        {ID_SEND_POWERPOINT, "Send to Powerpoint", exportable},
        {ID_EXPORT_PREVIEW, "Export Preview", [](const State& s) { return s.model; }},
        // No workbook of this document is known, so preview leaves nothing to write back to.
        {ID_SNAPSHOT_EXCEL, "Back To Excel", outsidePreview},
        {ID_SNAPSHOT_SWF, "Snapshot SWF", always},
        {ID_SNAPSHOT_HTML, "Snapshot HTML", always},
        {ID_SNAPSHOT_POWERPOINT, "Snapshot PowerPoint", always},
        {ID_SNAPSHOT_OUTLOOK, "Snapshot Outlook", always},
        {ID_SEND_TO_OUTLOOK, "Send to Outlook", always},
        {ID_EXPORT_SETTINGS, "Export Settings", always},
        {ID_EXPORT_SCENARIO, "Export Scenario", [](const State& s) { return s.preview; }},
        {ID_FILE_NEW, "New", outsidePreview},
        {ID_FILE_OPEN, "Open", outsidePreview},
        {ID_FILE_NEW_FROM_TEMPLATE, "New From Template", outsidePreview},
        {ID_FILE_SAMPLES, "Samples", outsidePreview},
        {ID_FILE_PROPERTIES, "File Properties", outsidePreview},
        {ID_INCREASE_CANVAS, "Increase canvas", outsidePreview},
        {ID_DECREASE_CANVAS, "Decrease canvas", outsidePreview},
        {ID_FIT_TO_COMPONENTS, "Fit to components", outsidePreview},
        {ID_FIT_TO_WINDOW, "Fit to window", outsidePreview},
        {ID_DATA_IMPORT_MODEL, "Import Model", outsidePreview},
        {ID_CHANGE_STYLE, "Change Style", outsidePreview},
        {ID_HELP_WELCOME, "Welcome", outsidePreview},
        {ID_LINE_COLOR, "Line colour", always},
        {ID_FILL_COLOR, "Fill colour", always},
        {ID_TOOL_SELECT, "Select tool", outsidePreview},
        {ID_TOOL_COMPONENT, "Component tool", outsidePreview},
        {ID_EDIT_SELECT_ALL, "Select All", [](const State& s) { return s.objects; }},
        // What is placed is selected, and deleting it empties the selection.
        {ID_EDIT_CUT, "Cut", [](const State& s) { return !s.preview && s.objects; }},
        {ID_EDIT_COPY, "Copy", [](const State& s) { return !s.preview && s.objects; }},
        {ID_EDIT_CLEAR, "Delete", [](const State& s) { return s.objects; }},
    };
    auto check = [&](const State& s) {
        SCOPED_TRACE(testing::Message() << "preview " << s.preview << ", model " << s.model << ", components "
                                        << s.objects);
        ASSERT_EQ(view.IsPreview(), s.preview);
        for (const Row& row : table)
            EXPECT_EQ(Enabled(row.id), row.enabled(s)) << row.name;
        EXPECT_EQ(SnapshotMenuEnabled(), s.preview);
        EXPECT_EQ(RecentFileEnabled(), !s.preview);
    };

    check({false, false, false});
    Place(view, "KVGaugeSymbol", {40, 40});
    check({false, false, true});
    // The workbook's model, as an import leaves it.
    GetBaseMovie()->GetVariableTable().AddCell("Sheet1", 1, 1);
    GetBaseMovie()->GetCellModel().SetLoaded(true);
    check({false, true, true});
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    check({true, true, true});
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_SELECT_ALL));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_CLEAR));
    check({false, true, false});
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    check({true, true, false});
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
    check({false, true, false});
}

// The colour commands, which no menu carries, colour every selected object; Help > Welcome
// shows the start's dialog again.
TEST_F(CommandStateTest, ColourCommandsColourTheSelectionAndWelcomeComesBack)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {240, 40});
    CComponentObj* other = Place(view, "KVGaugeSymbol", {440, 40});
    view.Select(a);
    view.Select(b, true);
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs();
    files.AnswerColour(RGB(10, 20, 30));
    Frame().SendMessage(WM_COMMAND, ID_FILL_COLOR, 0);
    files.AnswerColour(RGB(40, 50, 60));
    Frame().SendMessage(WM_COMMAND, ID_LINE_COLOR, 0);
    for (CComponentObj* obj : {a, b}) {
        EXPECT_EQ(obj->m_logbrush.lbColor, RGB(10, 20, 30));
        EXPECT_EQ(obj->m_logpen.lopnColor, RGB(40, 50, 60));
    }
    EXPECT_NE(other->m_logbrush.lbColor, RGB(10, 20, 30));
    // A cancelled dialog colours nothing.
    files.AnswerColour(std::nullopt);
    Frame().SendMessage(WM_COMMAND, ID_FILL_COLOR, 0);
    EXPECT_EQ(a->m_logbrush.lbColor, RGB(10, 20, 30));

    int welcomes = 0;
    ui::SetDialogHook(309, [&](CDialog& dlg) {
        ++welcomes;
        dlg.EndDialog(IDOK);
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_HELP_WELCOME));
    EXPECT_EQ(welcomes, 1);
}

// Closing the main window asks about a changed style: Cancel keeps the window, No closes it.
TEST_F(CanvasViewTest, ClosingTheWindowAsksToSaveAChangedStyle)
{
    CDrawView& view = StartDesigner();
    // As the Styles sheet leaves the view's record after an edit that was not saved.
    view.GetViewStyle().Record().modified = true;
    const HWND frame = Frame().GetSafeHwnd();
    boxes->Answer(IDCANCEL);
    Frame().SendMessage(WM_CLOSE);
    PumpUntilIdle();
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Save changes to current style?");
    EXPECT_EQ(boxes->Log()[0].caption, "Vantorel");
    ASSERT_TRUE(IsWindow(frame));

    boxes->Answer(IDNO);
    Frame().SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(boxes->Log().size(), 2u);
    EXPECT_FALSE(IsWindow(frame));
}

// A style chosen with Change Style reaches the components placed afterwards, and the palette
// names it.
TEST_F(CanvasViewTest, AComponentPlacedAfterChangeStyleTakesTheStyle)
{
    CDrawView& view = StartDesigner();
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs();
    const std::uint32_t teal = 0x1E8C8C;
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& first) {
        auto& page = static_cast<CStylesPage&>(first);
        files.AnswerColour(RGB(0x1E, 0x8C, 0x8C));
        page.Swatch(CStylesPage::IdFill).Click();
        files.AnswerFile((temp.path() / "Teal.vgs").string());
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdSaveAs))->Click();
        static_cast<CButton*>(page.GetSheet()->GetDlgItem(IDOK))->Click();
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_CHANGE_STYLE));
    PumpUntilIdle();
    ASSERT_EQ(view.GetViewStyle().Record().GetFillColor(), teal);
    std::string title;
    view.GetPalette()->GetWindowText(title);
    EXPECT_EQ(title, "Components - Teal");

    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {40, 40});
    ASSERT_NE(gauge, nullptr);
    int teals = 0;
    std::function<void(const CParameterSet&)> walk = [&](const CParameterSet& set) {
        for (int i = 0; i < set.GetCount(); ++i) {
            const CParameter* p = set.GetAt(i);
            if (p->GetName() == "fillColor" && p->GetType() == model::ParamType::Color && p->GetColor() == teal)
                ++teals;
            if (p->GetSet() != nullptr)
                walk(*p->GetSet());
        }
    };
    walk(*gauge->GetInstance(0)->GetParameters());
    EXPECT_EQ(teals, 1);
}

// The main window: the end of an import hands the workbook's named settings to the stage, and
// coming back to the program puts the keys in the Components palette.
TEST_F(CanvasViewTest, ImportDoneSetsTheNamedValuesAndActivationFocusesThePalette)
{
    CDrawView& view = StartDesigner();
    GetBaseMovie()->GetCellModel().SetNamedValue("kvDecimalSeparator", ",");
    StagePlayer(view).ClearCalls();
    Frame().SendMessage(WM_IMPORT_MODEL_PROGRESS, kImportDone, 0);
    EXPECT_EQ(StagePlayer(view).Variable("_root.kvDecimalSeparator"), ",");

    view.SetFocus();
    ASSERT_NE(view.GetPalette(), nullptr);
    CUserInput::SwitchApplication(false);
    CUserInput::SwitchApplication(true);
    PumpUntilIdle();
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == view.GetPalette() || view.GetPalette()->IsChild(focus));
}

// Editing several components together: a value typed into a shared cell binding reaches the
// bound value of every member, in a selection of one kind and in a mixed one.
TEST_F(CanvasViewTest, ASharedBindingWritesThroughToEveryMembersBoundValue)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {240, 40});
    CComponentObj* c = Place(view, "KVSliderVSymbol", {440, 40});
    ASSERT_TRUE(a && b && c);
    auto bound = [](CComponentObj* obj, const char* group, const char* name) -> CParameter& {
        CParameter* g = obj->GetInstance(0)->GetParameters()->FindParameter(group);
        return g->GetSet()->FindParameter(name)->GetBinding()->GetValue();
    };
    CMultiSelectObj& multi = view.GetMultiSelect();
    multi.Clear();
    multi.AddMember(a);
    multi.AddMember(b);
    multi.BuildSharedSet(true);
    CParameter* title = multi.GetSharedSet()->FindParameter("General")->GetSet()->FindParameter("title");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(title->GetBinding(), nullptr);
    EXPECT_TRUE(title->GetBinding()->GetValue().SetString("Both gauges"));
    EXPECT_EQ(bound(a, "General", "title").GetString(), "Both gauges");
    EXPECT_EQ(bound(b, "General", "title").GetString(), "Both gauges");

    multi.Clear();
    multi.AddMember(a);
    multi.AddMember(c);
    multi.BuildSharedSet(false);
    CParameter* status = multi.GetSharedSet()->FindParameter("Behavior")->GetSet()->FindParameter("displayStatus");
    ASSERT_NE(status, nullptr);
    ASSERT_NE(status->GetBinding(), nullptr);
    EXPECT_TRUE(status->GetBinding()->GetValue().SetInt(0));
    EXPECT_EQ(bound(a, "Behavior", "displayStatus").GetInt(), 0);
    EXPECT_EQ(bound(c, "Behavior", "displayStatus").GetInt(), 0);
    multi.Reset();
}

} // namespace
