// Arranges a dashboard in the designer as a person would and publishes it: a gauge, a slider
// and a column chart placed with the component tool, aligned on the gauge's left edge, spaced
// evenly down, the gauge brought to the front and the chart sent to the back, all through the
// Format menu. app_layout.test.mjs plays the movie and checks where each component stands and
// in which order they stack.
//
// Output: layout.swf, layout.json:
//   {"width": w, "height": h, "components": [{"name": instance, "rect": [l, t, r, b] pixels}, ...]}
//   (components bottom first, as the canvas stacks them)

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/core/AppIds.h"
#include "app/shell/KVApp.h"
#include "app/shell/MainFrm.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/WinApp.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

// The stage movie's measurements: each symbol answers with the bounds the catalogue holds for
// it, so that the canvas gives components their drawn sizes.
class MeasuringPlayer : public CFakeFlashPlayer {
public:
    MeasuringPlayer()
    {
        OnLabel("GetComponentBounds", [](CFakeFlashPlayer& player, const std::string&) {
            const std::string symbol = player.Variable("_root.__compType");
            const CComponentDef* def = GetComponentCatalog()->FindDefinition(symbol);
            std::array<double, 4> b{0, 100, 0, 60};
            if (def != nullptr && def->GetBounds()[1] > def->GetBounds()[0])
                b = def->GetBounds();
            char size[128];
            std::snprintf(size, sizeof size, "%g %g %g %g", b[0] / 20, b[1] / 20, b[2] / 20, b[3] / 20);
            return std::vector<Command>{{"GetBounds", symbol + " " + size}};
        });
    }
};

void Require(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(what);
}

CComponentObj* Place(CDrawView& view, const char* symbol, CPoint pixel)
{
    CComponentDef* def = GetComponentCatalog()->FindDefinition(symbol);
    Require(def != nullptr, "a symbol is missing from the catalogue");
    view.GetToolState().definition = def;
    view.GetToolState().shape = CDrawToolState::ComponentShape;
    CUserInput::Click(view, view.DocToClient(CPoint(pixel.x * 20, pixel.y * 20)));
    PumpUntilIdle();
    return dynamic_cast<CComponentObj*>(view.GetDocument()->GetObjects().back());
}

void ClickOn(CDrawView& view, CDrawObj* obj, bool add)
{
    if (!add) {
        // An empty spot first (the canvas's far corner): a click on a selected object keeps
        // the selection for a drag.
        const CDrawDoc& doc = *view.GetDocument();
        CUserInput::Click(view, view.DocToClient(CPoint((doc.GetCanvasWidth() - 3) * 20, (doc.GetCanvasHeight() - 3) * 20)));
        PumpUntilIdle();
    }
    const CPoint corner(obj->m_position.left + 60, obj->m_position.top + 50);
    CUserInput::Click(view, view.DocToClient(corner), add ? CUserInput::Control : CUserInput::None);
    PumpUntilIdle();
}

void Choose(CWnd& frame, UINT id)
{
    if (!CUserInput::ChooseMenuItem(frame, id))
        throw std::runtime_error("the Format command " + std::to_string(id) + " was not available with " +
                                 std::to_string(GetActiveDrawView()->GetSelection().size()) + " selected");
    PumpUntilIdle();
}

std::string Pixels(const CRect& r)
{
    char text[96];
    std::snprintf(text, sizeof text, "[%g, %g, %g, %g]", r.left / 20.0, r.top / 20.0, r.right / 20.0, r.bottom / 20.0);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    try {
        const std::filesystem::path settings = folder / "settings";
        const std::filesystem::path temp = folder / "temp";
        std::filesystem::create_directories(settings);
        std::filesystem::create_directories(temp);
        CScriptedMessageBoxes& boxes = UseScriptedMessageBoxes();
        InstallRasterWindowHost();
        UseRecordingShell();
        GetPlatformServices().SetAppDataFolder(settings);
        GetPlatformServices().SetTempFolder(temp);
        GetPlatformServices().SetModuleFileName(testsupport::InstallDir() / "vantorel");
        SetFlashPlayerFactory([] { return std::make_unique<MeasuringPlayer>(); });
        RegisterFlashPlayerObject(GetObjectFactory());
        RegisterProgramObjects(GetObjectFactory());
        ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); });

        auto app = std::make_unique<CKVApp>();
        Require(app->InitInstance() != FALSE, "the designer did not start");
        PumpUntilIdle();
        CMainFrame& frame = *app->MainFrame();
        frame.ShowWindow(SW_SHOWNORMAL);
        frame.MoveWindow(0, 0, 1000, 760);
        PumpUntilIdle();
        CDrawView* view = GetActiveDrawView();
        Require(view != nullptr && view->GetStage() != nullptr, "no canvas view with a stage");
        CDrawDoc& doc = *view->GetDocument();
        Require(doc.SetCanvasSize(640, 480), "the canvas size was refused");
        PumpUntilIdle();

        CComponentObj* gauge = Place(*view, "KVGaugeSymbol", {40, 30});
        CComponentObj* slider = Place(*view, "KVSliderHSymbol", {260, 150});
        CComponentObj* chart = Place(*view, "KVColumnChartSymbol", {150, 280});
        Require(gauge && slider && chart, "a component was not placed");

        // The gauge first: it is the reference of the alignment.
        ClickOn(*view, gauge, false);
        ClickOn(*view, slider, true);
        ClickOn(*view, chart, true);
        Require(view->GetSelection().size() == 3, "the selection is not three components");
        Choose(frame, ID_ALIGN_LEFT);
        Choose(frame, ID_SPACE_DOWN);
        ClickOn(*view, gauge, false);
        Choose(frame, ID_BRING_TO_FRONT);
        ClickOn(*view, chart, false);
        Choose(frame, ID_SEND_TO_BACK);

        const std::filesystem::path movie = folder / "layout.swf";
        if (!doc.GenerateSwf(movie.string(), 0, 0))
            throw std::runtime_error("the movie was not generated: " + doc.GetGenerationError());
        if (!boxes.Unexpected().empty())
            throw std::runtime_error("a message box came unasked: " + boxes.Unexpected().front().text);

        std::string components;
        for (CDrawObj* obj : doc.GetObjects()) {
            auto* component = dynamic_cast<CComponentObj*>(obj);
            if (component == nullptr)
                continue;
            components += std::string(components.empty() ? "" : ",\n  ") + "{\"name\": " +
                          playertest::JsonText(component->GetInstance(0)->GetName()) +
                          ", \"rect\": " + Pixels(component->m_position) + "}";
        }
        std::ofstream(folder / "layout.json") << "{\"width\": " << doc.GetCanvasWidth()
                                              << ", \"height\": " << doc.GetCanvasHeight() << ",\n \"components\": [\n  "
                                              << components << "]}\n";
        app.reset();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
