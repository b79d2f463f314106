// The Format and Edit commands driven as a person drives them: components placed from the
// palette, selected with clicks, arranged with the menus and the keys, each command undone and
// redone. The stage's stacking is replayed from the player's call log and must match the
// document's order after every command.

#include "tests/app/AppFixture.h"

#include <algorithm>

#include "app/canvas/ComponentObj.h"
#include "app/panels/ComponentPalette.h"
#include "app/canvas/LayoutCommands.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentDef.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/drawing/Png.h"
#include "platform/services/Clipboard.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"

namespace {

using Call = CFakeFlashPlayer::Call;

// The stage movie as far as these commands reach it: symbols measure by kind, and each
// component paints as a labelled box where its canvas object stands.
class BoxStagePlayer : public CFakeFlashPlayer {
public:
    BoxStagePlayer()
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
        CDrawView* view = GetActiveDrawView();
        if (view == nullptr || view->GetDocument() == nullptr)
            return;
        static const COLORREF kFills[] = {RGB(0xC8, 0xDC, 0xF0), RGB(0xF0, 0xDC, 0xC8), RGB(0xD0, 0xF0, 0xC8)};
        int n = 0;
        for (CDrawObj* obj : view->GetDocument()->GetObjects()) {
            auto* component = dynamic_cast<CComponentObj*>(obj);
            if (component == nullptr || !component->m_bShown)
                continue;
            for (CComponent* instance : component->GetInstances()) {
                const ComponentRect r = instance->GetRect();
                const CRect box(r.left, r.top, r.right, r.bottom);
                dc.FillSolidRect(box, kFills[n++ % 3]);
                CPen pen(PS_SOLID, 0, RGB(0x30, 0x50, 0x90));
                CBrush none;
                CPen* oldPen = dc.SelectObject(&pen);
                CBrush* oldBrush = dc.SelectObject(&none);
                dc.Rectangle(box);
                dc.SelectObject(oldPen);
                dc.SelectObject(oldBrush);
            }
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(RGB(0x20, 0x30, 0x60));
            CRect label = component->m_position;
            label.DeflateRect(100, 100);
            dc.DrawText(component->GetName(), &label, DT_NOPREFIX | DT_SINGLELINE);
        }
    }
};

class LayoutCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        host = &InstallRasterWindowHost();
        SetFlashPlayerFactory([] { return std::make_unique<BoxStagePlayer>(); });
        SkipWelcome();
    }

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
    CFakeFlashPlayer& Stage(CDrawView& view) { return *dynamic_cast<CFakeFlashPlayer*>(view.GetStage()->GetPlayer()); }
    std::vector<std::string> Labels(CDrawView& view)
    {
        std::vector<std::string> labels;
        for (const Call& call : Stage(view).CallsOf("TCallLabel"))
            labels.push_back(call.args.at(1));
        return labels;
    }
    // The (compA, compB) pairs of every depth swap in the call log.
    std::vector<std::pair<std::string, std::string>> Swaps(CDrawView& view, std::size_t from)
    {
        std::vector<std::pair<std::string, std::string>> swaps;
        std::string a;
        const std::vector<Call>& calls = Stage(view).Calls();
        for (std::size_t i = from; i < calls.size(); ++i) {
            const Call& call = calls[i];
            if (call.op == "SetVariable" && call.args[0] == "_root.__compA")
                a = call.args[1];
            else if (call.op == "SetVariable" && call.args[0] == "_root.__compB")
                swaps.emplace_back(a, call.args[1]);
        }
        return swaps;
    }
    // The stage's stacking, bottom first, replayed from every call the stage movie received.
    std::vector<std::string> StageStacking(CDrawView& view)
    {
        std::vector<std::string> order;
        std::map<std::string, std::string> vars;
        for (const Call& call : Stage(view).Calls()) {
            if (call.op == "SetVariable") {
                vars[call.args[0]] = call.args[1];
                continue;
            }
            if (call.op != "TCallLabel")
                continue;
            const std::string& label = call.args.at(1);
            if (label == "AddComponent") {
                order.push_back(vars["_root.__compName"]);
            } else if (label == "DeleteComponent") {
                order.erase(std::remove(order.begin(), order.end(), vars["_root.__compName"]), order.end());
            } else if (label == "SwapDepths") {
                auto a = std::find(order.begin(), order.end(), vars["_root.__compA"]);
                auto b = std::find(order.begin(), order.end(), vars["_root.__compB"]);
                if (a != order.end() && b != order.end())
                    std::iter_swap(a, b);
            }
        }
        return order;
    }
    // The document's components, bottom first, as the stage should stack them.
    std::vector<std::string> DocumentStacking()
    {
        std::vector<std::string> order;
        for (CDrawObj* obj : Doc().GetObjects())
            if (auto* component = dynamic_cast<CComponentObj*>(obj))
                for (CComponent* instance : component->GetInstances())
                    order.push_back(instance->GetName());
        return order;
    }
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
    CComponentObj* Place(CDrawView& view, const std::string& symbol, CPoint canvasPixel)
    {
        EXPECT_TRUE(ChooseInPalette(view, symbol)) << symbol;
        CUserInput::Click(view, At(view, canvasPixel));
        PumpUntilIdle();
        return Doc().GetObjects().empty() ? nullptr : dynamic_cast<CComponentObj*>(Doc().GetObjects().back());
    }
    static CPoint At(CDrawView& view, CPoint canvasPixel)
    {
        return view.DocToClient(CPoint(canvasPixel.x * 20, canvasPixel.y * 20));
    }
    // Clicks an object just inside its top-left corner (what lies above stands further right
    // and down); with Ctrl it joins the selection.
    void ClickOn(CDrawView& view, CDrawObj* obj, bool add = false)
    {
        const CPoint corner(obj->m_position.left + 60, obj->m_position.top + 50);
        CUserInput::Click(view, view.DocToClient(corner), add ? CUserInput::Control : CUserInput::None);
        PumpUntilIdle();
    }
    void SelectInOrder(CDrawView& view, const std::vector<CDrawObj*>& objects)
    {
        // An empty spot first: the far corner of the canvas.
        CUserInput::Click(view, At(view, {Doc().GetCanvasWidth() - 3, Doc().GetCanvasHeight() - 3}));
        for (std::size_t i = 0; i < objects.size(); ++i)
            ClickOn(view, objects[i], i > 0);
        ASSERT_EQ(view.GetSelection(), objects);
    }
    bool Menu(UINT id)
    {
        const bool chosen = CUserInput::ChooseMenuItem(Frame(), id);
        PumpUntilIdle();
        return chosen;
    }
    // Gives an object a rectangle as a finished drag would.
    static void PutAt(CDrawObj* obj, const CRect& r)
    {
        obj->m_position = r;
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
    }
    void Snapshot(const std::string& name)
    {
        PumpUntilIdle();
        EXPECT_TRUE(WritePng(artefacts / name, host->Snapshot(Frame())));
    }

    CRasterWindowHost* host = nullptr;
};

// Align, Make Same Size, Space Evenly and Center in Document from the Format menu: each moves
// what it must, tells the stage, and one Undo puts every object back.
TEST_F(LayoutCommandsTest, ArrangingCommandsMoveTheSelectionAndUndoAsOne)
{
    CDrawView& view = StartDesigner();
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* slider = Place(view, "KVSliderHSymbol", {300, 90});
    CComponentObj* chart = Place(view, "KVColumnChartSymbol", {120, 220});
    ASSERT_TRUE(gauge && slider && chart);
    PutAt(gauge, CRect(800, 800, 2800, 2000));
    PutAt(slider, CRect(6000, 1800, 9200, 2600));
    PutAt(chart, CRect(2400, 4400, 7200, 7600));

    struct Case {
        UINT command;
        CRect gauge, slider, chart;
        const char* stageLabel;
    } cases[] = {
        // The reference is the first selected object: the slider.
        {ID_ALIGN_LEFT, {6000, 800, 8000, 2000}, {6000, 1800, 9200, 2600}, {6000, 4400, 10800, 7600}, "MoveComp"},
        {ID_ALIGN_RIGHT, {7200, 800, 9200, 2000}, {6000, 1800, 9200, 2600}, {4400, 4400, 9200, 7600}, "MoveComp"},
        {ID_ALIGN_TOP, {800, 1800, 2800, 3000}, {6000, 1800, 9200, 2600}, {2400, 1800, 7200, 5000}, "MoveComp"},
        {ID_ALIGN_BOTTOM, {800, 1400, 2800, 2600}, {6000, 1800, 9200, 2600}, {2400, -600, 7200, 2600}, "MoveComp"},
        {ID_ALIGN_CENTER_HORZ, {6600, 800, 8600, 2000}, {6000, 1800, 9200, 2600}, {5200, 4400, 10000, 7600}, "MoveComp"},
        {ID_ALIGN_CENTER_VERT, {800, 1600, 2800, 2800}, {6000, 1800, 9200, 2600}, {2400, 600, 7200, 3800}, "MoveComp"},
        {ID_SAME_WIDTH, {800, 800, 4000, 2000}, {6000, 1800, 9200, 2600}, {2400, 4400, 5600, 7600}, nullptr},
        {ID_SAME_HEIGHT, {800, 800, 2800, 1600}, {6000, 1800, 9200, 2600}, {2400, 4400, 7200, 5200}, nullptr},
        {ID_SAME_BOTH, {800, 800, 4000, 1600}, {6000, 1800, 9200, 2600}, {2400, 4400, 5600, 5200}, nullptr},
        // Bounds 800..7600 down: step (6800 - 600 - 1600) / 2 = 2300; only the middle (slider) moves.
        {ID_SPACE_DOWN, {800, 800, 2800, 2000}, {6000, 3300, 9200, 4100}, {2400, 4400, 7200, 7600}, "MoveComp"},
        // Across, lowest left first: gauge, chart, slider; bounds 800..9200, step (8400-1000-1600)/2 = 2900.
        {ID_SPACE_ACROSS, {800, 800, 2800, 2000}, {6000, 1800, 9200, 2600}, {2300, 4400, 7100, 7600}, "MoveComp"},
        // The block 800..9200 x 800..7600 centred on 1280 x 900 pixels (the canvas fits the window).
        {ID_CENTER_BOTH, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, "MoveComp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const CRect g0 = gauge->m_position, s0 = slider->m_position, c0 = chart->m_position;
        SelectInOrder(view, {slider, gauge, chart});
        Stage(view).ClearCalls();
        ASSERT_TRUE(Menu(c.command));
        if (c.command == ID_CENTER_BOTH) {
            const CSize canvas = Doc().GetStageSizeTwips();
            const int dx = canvas.cx / 2 - (800 + 9200) / 2, dy = canvas.cy / 2 - (800 + 7600) / 2;
            CRect g = g0, s = s0, ch = c0;
            g.OffsetRect(dx, dy);
            s.OffsetRect(dx, dy);
            ch.OffsetRect(dx, dy);
            EXPECT_EQ(gauge->m_position, g);
            EXPECT_EQ(slider->m_position, s);
            EXPECT_EQ(chart->m_position, ch);
        } else {
            EXPECT_EQ(gauge->m_position, c.gauge);
            EXPECT_EQ(slider->m_position, c.slider);
            EXPECT_EQ(chart->m_position, c.chart);
        }
        // The components follow on the stage, once for each object that changed.
        EXPECT_EQ(gauge->GetInstance(0)->GetRect().left, gauge->m_position.left);
        EXPECT_EQ(chart->GetInstance(0)->GetRect().bottom, chart->m_position.bottom);
        const std::vector<std::string> labels = Labels(view);
        int changed = (gauge->m_position != g0) + (slider->m_position != s0) + (chart->m_position != c0);
        if (c.stageLabel != nullptr) {
            EXPECT_EQ(std::count(labels.begin(), labels.end(), c.stageLabel), changed);
        } else {
            EXPECT_EQ(std::count(labels.begin(), labels.end(), "ResizeComp") +
                          std::count(labels.begin(), labels.end(), "FastResizeComp"),
                      changed);
        }
        // One record, newly pushed: the single Undo below puts everything back.
        EXPECT_FALSE(view.GetUndoHistory().CanRedo());
        if (c.command == ID_ALIGN_LEFT)
            Snapshot("layout-aligned-left.png");

        ASSERT_TRUE(Menu(ID_EDIT_UNDO));
        EXPECT_EQ(gauge->m_position, g0);
        EXPECT_EQ(slider->m_position, s0);
        EXPECT_EQ(chart->m_position, c0);
        EXPECT_EQ(chart->GetInstance(0)->GetRect().left, c0.left);
        ASSERT_TRUE(Menu(ID_EDIT_REDO));
        ASSERT_TRUE(Menu(ID_EDIT_UNDO));
        EXPECT_EQ(gauge->m_position, g0);
    }
}

// Cases where nothing moves leave no undo record; odd sizes and equal keys come out fixed.
TEST_F(LayoutCommandsTest, ArrangingEdgeCases)
{
    CDrawView& view = StartDesigner();
    ASSERT_TRUE(Doc().SetCanvasSize(800, 600));
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {200, 40});
    CComponentObj* c = Place(view, "KVGaugeSymbol", {400, 40});
    ASSERT_TRUE(a && b && c);
    CLayoutCommands& layout = view.GetLayoutCommands();
    const int base = view.GetUndoHistory().GetCount();

    // One object: the menu is off, and the command itself changes nothing.
    SelectInOrder(view, {a});
    EXPECT_FALSE(Menu(ID_ALIGN_LEFT));
    layout.Align(CLayoutCommands::Edge::Left);
    EXPECT_EQ(view.GetUndoHistory().GetCount(), base);

    // Centred on itself, an odd height loses a twip; centred in the 600-pixel canvas it keeps
    // its size.
    PutAt(a, CRect(0, 0, 2000, 301));
    layout.Align(CLayoutCommands::Edge::CenterVertical);
    EXPECT_EQ(a->m_position, CRect(0, 0, 2000, 300));
    PutAt(a, CRect(0, 0, 2000, 301));
    ASSERT_TRUE(Menu(ID_CENTER_VERT));
    EXPECT_EQ(a->m_position, CRect(0, 5850, 2000, 6151));

    // Two objects spaced: nothing moves, nothing is recorded.
    PutAt(a, CRect(0, 0, 2000, 1000));
    PutAt(b, CRect(0, 5000, 2000, 6000));
    SelectInOrder(view, {a, b});
    const int before = view.GetUndoHistory().GetCount();
    ASSERT_TRUE(Menu(ID_SPACE_DOWN));
    EXPECT_EQ(view.GetUndoHistory().GetCount(), before);

    // Equal tops keep the order they were selected in, whichever way the sort goes.
    PutAt(a, CRect(0, 0, 1000, 1000));
    PutAt(b, CRect(5000, 0, 6000, 1000));
    PutAt(c, CRect(5000, 0, 6000, 1000));
    // One lies on the other: chosen as the Object Browser would.
    view.Select(a);
    view.Select(c, true);
    view.Select(b, true);
    ASSERT_TRUE(Menu(ID_SPACE_ACROSS));
    // Step (6000 - 500 - 500) / 2 = 2500: the second selected of the two equal ones moves.
    EXPECT_EQ(c->m_position, CRect(2500, 0, 3500, 1000));
    EXPECT_EQ(b->m_position, CRect(5000, 0, 6000, 1000));
    PutAt(c, CRect(5000, 0, 6000, 1000));
    view.Select(a);
    view.Select(b, true);
    view.Select(c, true);
    ASSERT_TRUE(Menu(ID_SPACE_ACROSS));
    EXPECT_EQ(b->m_position, CRect(2500, 0, 3500, 1000));
    EXPECT_EQ(c->m_position, CRect(5000, 0, 6000, 1000));

    // Make Same Size is off for a group.
    SelectInOrder(view, {a, b});
    ASSERT_TRUE(Menu(ID_GROUP));
    SelectInOrder(view, {c});
    ClickOn(view, Doc().GetObjects().front(), true);
    ASSERT_EQ(view.GetSelection().size(), 2u);
    EXPECT_FALSE(Menu(ID_SAME_BOTH));
    EXPECT_TRUE(Menu(ID_ALIGN_TOP));
}

// The z-order commands move the first selected object in the list and on the stage, with the
// exact depth swaps; a group neighbour swaps instance by instance and keeps its own stacking.
TEST_F(LayoutCommandsTest, ZOrderCommandsKeepTheStageInStep)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVSliderHSymbol", {200, 40});
    CComponentObj* c = Place(view, "KVColumnChartSymbol", {400, 40});
    ASSERT_TRUE(a && b && c);
    const std::string an = a->GetInstance(0)->GetName(), bn = b->GetInstance(0)->GetName(),
                      cn = c->GetInstance(0)->GetName();

    SelectInOrder(view, {a});
    std::size_t mark = Stage(view).Calls().size();
    ASSERT_TRUE(Menu(ID_BRING_TO_FRONT));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{b, c, a}));
    EXPECT_EQ(Swaps(view, mark), (std::vector<std::pair<std::string, std::string>>{{an, bn}, {an, cn}}));
    mark = Stage(view).Calls().size();
    ASSERT_TRUE(Menu(ID_SEND_BACK));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{b, a, c}));
    // The one that was lower is named first.
    EXPECT_EQ(Swaps(view, mark), (std::vector<std::pair<std::string, std::string>>{{cn, an}}));
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{b, c, a}));
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());

    // At the back already: nothing moves, nothing is recorded.
    const int records = view.GetUndoHistory().GetCount();
    ASSERT_TRUE(Menu(ID_SEND_TO_BACK));
    EXPECT_EQ(view.GetUndoHistory().GetCount(), records);
    ASSERT_TRUE(Menu(ID_BRING_FORWARD));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{b, a, c}));
    // Two or more selected: the z-order commands are off.
    ClickOn(view, c, true);
    EXPECT_FALSE(Menu(ID_BRING_FORWARD));

    // b and c grouped (the group stands where c stood); a passes the group both ways.
    SelectInOrder(view, {b, c});
    ASSERT_TRUE(Menu(ID_GROUP));
    CDrawObj* group = Doc().GetObjects().back();
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{a, group}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    SelectInOrder(view, {a});
    ASSERT_TRUE(Menu(ID_BRING_TO_FRONT));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{group, a}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_SEND_TO_BACK));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{group, a}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    SelectInOrder(view, {group});
    ASSERT_TRUE(Menu(ID_BRING_TO_FRONT));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{a, group}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
}

// Group takes two components into one object named after the session's groups, with their
// names; Ungroup gives them back in the same stacking; both undo and redo with the stage in step.
TEST_F(LayoutCommandsTest, GroupAndUngroupKeepNamesOrderAndStage)
{
    CDrawView& view = StartDesigner();
    CComponentObj* low = Place(view, "KVColumnChartSymbol", {300, 300});
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* middle = Place(view, "KVColumnChartSymbol", {500, 300});
    CComponentObj* slider = Place(view, "KVSliderHSymbol", {200, 60});
    CComponentObj* top = Place(view, "KVColumnChartSymbol", {300, 500});
    ASSERT_TRUE(low && gauge && middle && slider && top);
    const std::string gaugeName = gauge->GetName(), sliderName = slider->GetName();
    EXPECT_EQ(gaugeName, gauge->GetInstance(0)->GetDefinition()->GetDisplayName() + " 1");

    // Selected out of order; the group gathers them below the topmost and stands there.
    SelectInOrder(view, {slider, gauge});
    ASSERT_TRUE(Menu(ID_GROUP));
    ASSERT_EQ(Doc().GetObjects().size(), 4u);
    auto* group = dynamic_cast<CComponentObj*>(Doc().GetObjects()[2]);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{low, middle, group, top}));
    EXPECT_EQ(group->GetName(), "Group 1");
    EXPECT_EQ(group->GetNameAt(1), gaugeName);
    EXPECT_EQ(group->GetNameAt(2), sliderName);
    EXPECT_EQ(group->GetInstanceCount(), 2);
    CRect both = gauge->m_position;
    both.UnionRect(both, slider->m_position);
    EXPECT_EQ(group->m_position, both);
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{group});
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    Snapshot("layout-grouped.png");

    // Undo brings the same two objects back where they were.
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{low, gauge, middle, slider, top}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_EDIT_REDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{low, middle, group, top}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());

    // The group moves as a block.
    SelectInOrder(view, {group});
    ASSERT_TRUE(CUserInput::PressKey(VK_RIGHT));
    EXPECT_EQ(group->GetInstance(1)->GetRect().left, slider->m_position.left + 20);

    ASSERT_TRUE(Menu(ID_UNGROUP));
    ASSERT_EQ(Doc().GetObjects().size(), 5u);
    auto* first = dynamic_cast<CComponentObj*>(Doc().GetObjects()[2]);
    auto* second = dynamic_cast<CComponentObj*>(Doc().GetObjects()[3]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetName(), gaugeName);
    EXPECT_EQ(second->GetName(), sliderName);
    EXPECT_EQ(second->m_position.left, slider->m_position.left + 20);
    EXPECT_EQ(view.GetSelection().size(), 2u);
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{low, middle, group, top}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_EDIT_REDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{low, middle, first, second, top}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());

    // A group of a group and a component: the members' names follow in stacking order.
    SelectInOrder(view, {first, second});
    ASSERT_TRUE(Menu(ID_GROUP));
    CDrawObj* inner = view.GetSelection().front();
    SelectInOrder(view, {top, inner});
    ASSERT_TRUE(Menu(ID_GROUP));
    auto* outer = dynamic_cast<CComponentObj*>(view.GetSelection().front());
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->GetName(), "Group 3");
    EXPECT_EQ(outer->GetInstanceCount(), 3);
    EXPECT_EQ(outer->GetNameAt(1), gaugeName);
    EXPECT_EQ(outer->GetNameAt(2), sliderName);
    EXPECT_EQ(outer->GetNameAt(3), top->GetName());
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    ASSERT_TRUE(Menu(ID_UNGROUP));
    EXPECT_EQ(Doc().GetObjects().size(), 5u);
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    while (view.GetUndoHistory().CanUndo())
        ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_TRUE(Doc().GetObjects().empty());
    EXPECT_TRUE(StageStacking(view).empty());
}

// Copy and Paste give the copies the next names and place each Paste another 100 twips on;
// Cut keeps the names for one Paste; a clip pastes into the next document too.
TEST_F(LayoutCommandsTest, CutCopyAndPasteByMenuAndKeys)
{
    CDrawView& view = StartDesigner();
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* slider = Place(view, "KVSliderHSymbol", {200, 60});
    ASSERT_TRUE(gauge && slider);
    const std::string label = gauge->GetInstance(0)->GetDefinition()->GetDisplayName();
    EXPECT_FALSE(Menu(ID_EDIT_PASTE));

    SelectInOrder(view, {gauge});
    ASSERT_TRUE(CUserInput::PressKey('C', CUserInput::Control));
    ASSERT_TRUE(CUserInput::PressKey('V', CUserInput::Control));
    PumpUntilIdle();
    ASSERT_EQ(Doc().GetObjects().size(), 3u);
    auto* copy1 = dynamic_cast<CComponentObj*>(Doc().GetObjects().back());
    CRect at = gauge->m_position;
    at.OffsetRect(100, 100);
    EXPECT_EQ(copy1->m_position, at);
    EXPECT_EQ(copy1->GetInstance(0)->GetRect().left, at.left);
    EXPECT_EQ(copy1->GetName(), label + " 2");
    EXPECT_NE(copy1->GetInstance(0)->GetName(), gauge->GetInstance(0)->GetName());
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{copy1});
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    auto* copy2 = dynamic_cast<CComponentObj*>(Doc().GetObjects().back());
    at.OffsetRect(100, 100);
    EXPECT_EQ(copy2->m_position, at);
    EXPECT_EQ(copy2->GetName(), label + " 3");
    EXPECT_EQ(StageStacking(view), DocumentStacking());
    Snapshot("layout-pasted.png");

    // Undo takes the paste away; redo brings the same object back.
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects().size(), 3u);
    ASSERT_TRUE(Menu(ID_EDIT_REDO));
    EXPECT_EQ(Doc().GetObjects().back(), copy2);

    // Two objects copied paste in their stacking order, and redo keeps it.
    SelectInOrder(view, {slider, gauge});
    ASSERT_TRUE(Menu(ID_EDIT_COPY));
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    ASSERT_EQ(Doc().GetObjects().size(), 6u);
    auto* pastedGauge = dynamic_cast<CComponentObj*>(Doc().GetObjects()[4]);
    auto* pastedSlider = dynamic_cast<CComponentObj*>(Doc().GetObjects()[5]);
    EXPECT_EQ(pastedGauge->GetName(), label + " 4");
    EXPECT_EQ(pastedSlider->m_position.left, slider->m_position.left + 100);
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    ASSERT_TRUE(Menu(ID_EDIT_REDO));
    EXPECT_EQ(Doc().GetObjects()[4], pastedGauge);
    EXPECT_EQ(Doc().GetObjects()[5], pastedSlider);
    EXPECT_EQ(StageStacking(view), DocumentStacking());

    // Cut then Paste keeps the names once; the next Paste names copies anew.
    SelectInOrder(view, {slider});
    const std::string sliderName = slider->GetName();
    ASSERT_TRUE(CUserInput::PressKey('X', CUserInput::Control));
    EXPECT_FALSE(Doc().Contains(slider));
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    EXPECT_EQ(dynamic_cast<CComponentObj*>(Doc().GetObjects().back())->GetName(), sliderName);
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    EXPECT_NE(dynamic_cast<CComponentObj*>(Doc().GetObjects().back())->GetName(), sliderName);
    EXPECT_EQ(StageStacking(view), DocumentStacking());

    // A new document: the clip is still there and pastes into it. The pasted document is
    // given up unsaved.
    boxes->Answer(IDNO);
    ASSERT_TRUE(Menu(ID_FILE_NEW));
    EXPECT_EQ(boxes->Log().back().text.rfind("Save changes to ", 0), 0u);
    EXPECT_TRUE(Doc().GetObjects().empty());
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    ASSERT_EQ(Doc().GetObjects().size(), 1u);
    auto* carried = dynamic_cast<CComponentObj*>(Doc().GetObjects().front());
    EXPECT_EQ(carried->GetDocument(), &Doc());
    EXPECT_EQ(carried->GetInstanceCount(), 1);
    EXPECT_TRUE(GetClipboard().Holds(CCanvasClip::kFormat));

    // A pasted group keeps a group name of its own and renames its members.
    CComponentObj* x = Place(view, "KVGaugeSymbol", {300, 300});
    SelectInOrder(view, {carried, x});
    ASSERT_TRUE(Menu(ID_GROUP));
    auto* group = dynamic_cast<CComponentObj*>(view.GetSelection().front());
    ASSERT_TRUE(Menu(ID_EDIT_COPY));
    ASSERT_TRUE(Menu(ID_EDIT_PASTE));
    auto* pastedGroup = dynamic_cast<CComponentObj*>(Doc().GetObjects().back());
    EXPECT_EQ(pastedGroup->GetInstanceCount(), 2);
    EXPECT_NE(pastedGroup->GetName(), group->GetName());
    EXPECT_NE(pastedGroup->GetNameAt(2), group->GetNameAt(2));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
}

// Delete then Undo puts objects back at their old places in the list and on the stage.
TEST_F(LayoutCommandsTest, DeleteAndUndoRestorePlaces)
{
    CDrawView& view = StartDesigner();
    CComponentObj* a = Place(view, "KVGaugeSymbol", {40, 40});
    CComponentObj* b = Place(view, "KVGaugeSymbol", {200, 40});
    CComponentObj* c = Place(view, "KVGaugeSymbol", {400, 40});
    CComponentObj* d = Place(view, "KVGaugeSymbol", {600, 40});
    SelectInOrder(view, {c, a});
    ASSERT_TRUE(Menu(ID_EDIT_CLEAR));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{b, d}));
    ASSERT_TRUE(Menu(ID_EDIT_UNDO));
    EXPECT_EQ(Doc().GetObjects(), (std::vector<CDrawObj*>{a, b, c, d}));
    EXPECT_EQ(StageStacking(view), DocumentStacking());
}

} // namespace

namespace {

// A published movie places components where the canvas shows them, and the stage keeps the
// symbol bounds it measures with.
TEST_F(LayoutCommandsTest, GenerationLeavesTheStagesBoundsAlone)
{
    CDrawView& view = StartDesigner();
    CComponentObj* gauge = Place(view, "KVGaugeSymbol", {300, 200});
    ASSERT_NE(gauge, nullptr);
    const std::array<double, 4> measured = gauge->GetInstance(0)->GetBounds();
    const std::filesystem::path movie = artefacts / "layout-generated.swf";
    ASSERT_TRUE(Doc().GenerateSwf(movie.string(), 0, 0));
    EXPECT_EQ(gauge->GetInstance(0)->GetBounds(), measured);
    // The stage goes on placing it from the measured bounds.
    SelectInOrder(view, {gauge});
    ASSERT_TRUE(CUserInput::PressKey(VK_RIGHT));
    EXPECT_EQ(Stage(view).Variable("_root.__x"), "301");
}

} // namespace
