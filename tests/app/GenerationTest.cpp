#include "tests/app/AppFixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <zlib.h>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawView.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "pages/ExternalFileImport.h"
#include "publish/CustomColors.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "platform/window/UserInput.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/host/ExcelHostWindow.h"

namespace {

std::vector<char> Bytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The movie's tags as written, out of the compressed file; the identifier every build draws anew
// ("GUID" and its 36 characters) is blanked.
std::vector<char> MovieBody(const std::vector<char>& file)
{
    if (file.size() < 8 || file[0] != 'C')
        return {};
    const std::uint32_t length = static_cast<std::uint8_t>(file[4]) | static_cast<std::uint8_t>(file[5]) << 8 |
                                 static_cast<std::uint8_t>(file[6]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[7])) << 24;
    std::vector<char> body(length > 8 ? length - 8 : 0);
    uLongf size = static_cast<uLongf>(body.size());
    if (uncompress(reinterpret_cast<Bytef*>(body.data()), &size, reinterpret_cast<const Bytef*>(file.data() + 8),
                   static_cast<uLong>(file.size() - 8)) != Z_OK)
        return {};
    // The name pushed with its NUL, then a push record of the value: 0x96, its length (2 bytes),
    // type 0 and the 36 characters.
    const std::string key("GUID\0\x96", 6);
    for (auto at = body.begin(); (at = std::search(at, body.end(), key.begin(), key.end())) != body.end(); ++at) {
        if (body.end() - at > 5 + 4 + 36)
            std::fill(at + 5 + 4, at + 5 + 4 + 36, 'x');
    }
    return body;
}

const char* const kSamples[] = {"loan-planner", "price-plan", "regional-sales", "state-markets"};

class GenerationTest : public AppTest {
protected:
    void Open(const std::filesystem::path& path) { OpenByKeys(path); }
    // The export flags the command line's publication sets for a movie file.
    static void SetExportFlags(const std::filesystem::path& output)
    {
        CBaseMovie& base = *GetBaseMovie();
        base.GetExportFlags() = {};
        base.GetExportFlags().exporting = true;
        base.GetExportFlags().webService = base.GetExportSettings().UsesWebService();
        base.SetOutputPath(output.string());
    }
    testsupport::TempDir out;
};

// Every shipped sample, opened in the program and generated through the worker, gives byte for
// byte the movie the command line publishes from the same file.
TEST_F(GenerationTest, AnOpenedSampleGivesTheCommandLinesMovie)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    ASSERT_NE(app->Stage(), nullptr) << "the program puts a stage into the canvas view";
    // Every published movie carries a fresh identifier; both sides take the same one here.
    const auto guid = [] { return std::string("0123ABCD-0000-4000-8000-00000000FFFF"); };
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        std::filesystem::create_directories(out / "program" / name);
        std::filesystem::create_directories(out / "command" / name);
        const std::filesystem::path program = out / "program" / name / "movie.swf";
        const std::filesystem::path command = out / "command" / name / "movie.swf";
        Open(Sample(name));
        // Each document has a base movie of its own.
        GetBaseMovie()->SetGuidSource(guid);
        SetExportFlags(program);
        ASSERT_TRUE(Doc().GenerateSwf(program.string(), 0, 0)) << Doc().GetGenerationError();
        GetBaseMovie()->GetExportFlags() = {};
        EXPECT_FALSE(CDrawDoc::IsGenerating());
        EXPECT_TRUE(boxes->Unexpected().empty()) << boxes->Unexpected().front().text;
        EXPECT_TRUE(app->MainFrame()->IsWindowEnabled()) << "the wait dialog gives the window back";
        {
            publish::CPublisher publisher(testsupport::InstallDir());
            publisher.OpenDocument(Sample(name));
            publisher.GetBaseMovie().SetGuidSource(guid);
            publisher.Publish(command, false);
        }
        const std::vector<char> a = Bytes(program), b = Bytes(command);
        ASSERT_GT(a.size(), 100u);
        EXPECT_TRUE(a == b) << "program " << a.size() << " bytes, command line " << b.size() << " bytes";

        // The command itself, which draws its own identifier: the same movie but for it.
        const std::filesystem::path tool = out / "command" / name / "tool.swf";
        const std::string run = std::string("'") + VANTOREL_PUBLISH_PROGRAM + "' -q --install '" +
                                testsupport::InstallDir().string() + "' '" + Sample(name).string() + "' '" +
                                tool.string() + "'";
        ASSERT_EQ(std::system(run.c_str()), 0) << run;
        const std::vector<char> mine = MovieBody(a), theirs = MovieBody(Bytes(tool));
        ASSERT_FALSE(mine.empty());
        EXPECT_TRUE(mine == theirs) << "the command line's movie differs";
    }
}

// The canvas's preview is the document's movie built as the command line builds its preview,
// with the model compiled (so it calculates as the published movie does), for the program's
// own player: the one byte apart is the hosted-player argument of the movie's start.
TEST_F(GenerationTest, ThePreviewIsTheCommandLinesPreviewForTheProgramsPlayer)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    const auto guid = [] { return std::string("0123ABCD-0000-4000-8000-00000000FFFF"); };
    Open(Sample("regional-sales"));
    GetBaseMovie()->SetGuidSource(guid);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    CDrawView* view = GetActiveDrawView();
    ASSERT_TRUE(view->IsPreview());
    const std::vector<char> preview = MovieBody(Bytes(view->GetPreviewMoviePath()));
    const auto& flags = GetBaseMovie()->GetExportFlags();
    EXPECT_FALSE(flags.hostedPlayer || flags.exporting) << "the preview's flags are put back";

    const std::filesystem::path command = out / "preview.swf";
    {
        publish::CPublisher publisher(testsupport::InstallDir());
        publisher.OpenDocument(Sample("regional-sales"));
        publisher.GetBaseMovie().SetGuidSource(guid);
        publisher.Publish(command, true);
    }
    const std::vector<char> theirs = MovieBody(Bytes(command));
    ASSERT_GT(preview.size(), 100u);
    ASSERT_EQ(preview.size(), theirs.size());
    std::vector<std::size_t> apart;
    for (std::size_t i = 0; i < preview.size(); ++i)
        if (preview[i] != theirs[i])
            apart.push_back(i);
    ASSERT_EQ(apart.size(), 1u);
    EXPECT_EQ(preview[apart[0]], 1);
    EXPECT_EQ(theirs[apart[0]], 0);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
}

// A movie that cannot be written is reported, not announced: nothing is left at the path and
// the user is told why.
TEST_F(GenerationTest, AFailedGenerationLeavesNoMovieAndSaysWhy)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("loan-planner"));
    // The folder the movie should go into is a file: building succeeds, writing cannot.
    std::ofstream(out / "blocked") << "not a folder";
    const std::filesystem::path target = out / "blocked" / "movie.swf";
    boxes->Answer(IDOK);
    EXPECT_FALSE(Doc().GenerateSwf(target.string(), 0, 0));
    EXPECT_FALSE(Doc().GetGenerationError().empty());
    std::error_code error;
    EXPECT_FALSE(std::filesystem::exists(target, error));
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find(target.string()), std::string::npos) << boxes->Log()[0].text;
    EXPECT_EQ(boxes->Log()[0].flags & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
    // The main window works again and the next generation is not refused.
    EXPECT_TRUE(app->MainFrame()->IsWindowEnabled());
    EXPECT_FALSE(CDrawDoc::IsGenerating());
    const std::filesystem::path good = out / "movie.swf";
    EXPECT_TRUE(Doc().GenerateSwf(good.string(), 0, 0)) << Doc().GetGenerationError();
    EXPECT_TRUE(std::filesystem::exists(good));
}

// The snapshot takes every object in z-order with its geometry, names and visibility, and the
// document's size, colour, description and workbook names.
TEST_F(GenerationTest, TheSnapshotMirrorsTheDocument)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("regional-sales"));
    CDrawDoc& doc = Doc();
    ASSERT_GE(doc.GetObjects().size(), 2u);
    auto* hidden = dynamic_cast<CComponentObj*>(doc.GetObjects()[1]);
    ASSERT_NE(hidden, nullptr);
    hidden->m_bShown = false;
    ASSERT_TRUE(doc.SetCanvasSize(640, 480));
    doc.SetPaperColor(RGB(10, 20, 30));
    doc.SetDescription("Quarterly view");

    CDocData snapshot;
    doc.BuildDocData(snapshot);
    ASSERT_EQ(snapshot.GetComponentCount(), doc.GetObjects().size());
    std::size_t instances = 0;
    for (std::size_t i = 0; i < snapshot.GetComponentCount(); ++i) {
        const CObjectRecord& record = *snapshot.GetComponent(i);
        const auto* obj = dynamic_cast<const CComponentObj*>(doc.GetObjects()[i]);
        EXPECT_EQ(CRect(record.rect.left, record.rect.top, record.rect.right, record.rect.bottom), obj->m_position);
        EXPECT_EQ(record.components, obj->GetInstances());
        EXPECT_EQ(record.names.at(0), obj->GetName());
        EXPECT_EQ(record.enabled, obj->m_bShown ? 1 : 0);
        // Each record finds its own instances in the snapshot's list.
        for (std::size_t k = 0; k < record.indexes.size(); ++k)
            EXPECT_EQ(snapshot.GetInstance(record.indexes[k]), record.components[k]);
        instances += record.components.size();
    }
    EXPECT_EQ(snapshot.GetInstanceCount(), instances);
    EXPECT_EQ(doc.CollectComponents().size(), instances);
    EXPECT_EQ(doc.BuildInstanceMap().size(), instances);
    std::int32_t w = 0, h = 0;
    snapshot.GetStageSize(w, h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(snapshot.GetPaperColor(), (std::array<std::uint8_t, 3>{10, 20, 30}));
    EXPECT_EQ(snapshot.GetDescription(), "Quarterly view");
    EXPECT_EQ(snapshot.GetFileName(), doc.GetModelPath());
    EXPECT_EQ(snapshot.GetPathName(), doc.GetModelCopyPath());
    EXPECT_EQ(snapshot.GetBaseMovie(), GetBaseMovie());
    EXPECT_FALSE(GetBaseMovie()->IsModelChanged()) << "the model is compiled with the snapshot";

    // An empty document gives empty lists and still a movie; the changed one goes unsaved.
    boxes->Answer(IDNO);
    EXPECT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    CDocData empty;
    Doc().BuildDocData(empty);
    EXPECT_EQ(empty.GetComponentCount(), 0u);
    EXPECT_EQ(empty.GetInstanceCount(), 0u);
    EXPECT_TRUE(Doc().GenerateSwf((out / "empty.swf").string(), 0, 0)) << Doc().GetGenerationError();
}

// A window whose message starts a second generation, as a command would while the first runs.
class SecondStart : public CWnd {
public:
    static constexpr UINT kStart = WM_USER + 7;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kStart) {
            ++tries;
            mainEnabled = AfxGetMainWnd()->IsWindowEnabled() != FALSE;
            for (CWnd* wnd : TopLevelWindows()) {
                std::string text;
                wnd->GetWindowText(text);
                waitShown = waitShown || (text == "Generating SWF..." && wnd->IsWindowVisible());
            }
            accepted = doc->GenerateSwf(path, 0, 0);
            refusal = doc->GetGenerationError();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    CDrawDoc* doc = nullptr;
    std::string path;
    int tries = 0;
    bool mainEnabled = true;
    bool waitShown = false;
    bool accepted = true;
    std::string refusal;
};

// While a generation runs, the messages it lets through cannot start another one; afterwards the
// functions the model uses and the movie lacks are listed, each on its own line.
TEST_F(GenerationTest, OneGenerationAtATimeAndTheUnsupportedFunctionsAfterwards)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("state-markets"));
    SecondStart second;
    ASSERT_TRUE(second.CreateEx(0, "Second", "second", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    second.doc = &Doc();
    second.path = (out / "second.swf").string();
    second.PostMessage(SecondStart::kStart);
    EXPECT_TRUE(Doc().GenerateSwf((out / "first.swf").string(), 0, 0)) << Doc().GetGenerationError();
    EXPECT_EQ(second.tries, 1) << "the message came while the first generation ran";
    EXPECT_TRUE(second.waitShown) << "the wait dialog shows while the movie is made";
    EXPECT_FALSE(second.mainEnabled) << "and the main window takes no input meanwhile";
    EXPECT_FALSE(second.accepted);
    EXPECT_FALSE(second.refusal.empty());
    EXPECT_TRUE(std::filesystem::exists(out / "first.swf"));
    EXPECT_FALSE(std::filesystem::exists(out / "second.swf"));
    EXPECT_TRUE(boxes->Log().empty()) << "no unsupported functions, no box";
    second.DestroyWindow();

    // The model is compiled by now; two functions the library lacks are met.
    GetFunctionLibrary()->UseFunction("ZZNOSUCH");
    GetFunctionLibrary()->UseFunction("AANOSUCH");
    boxes->Answer(IDOK);
    EXPECT_TRUE(Doc().GenerateSwf((out / "third.swf").string(), 0, 0)) << Doc().GetGenerationError();
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "AANOSUCH\nZZNOSUCH\nGenerated Model May Not Display Properly");
    EXPECT_EQ(boxes->Log()[0].caption, "Unsupported Functions");
    EXPECT_EQ(boxes->Log()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(std::filesystem::exists(out / "third.swf")) << "the movie is written all the same";
}

// The import messages of a model import, as the main window receives them.
class RecordingHostWindow : public sheet::IExcelHostWindow {
public:
    void PostImportMessage(sheet::ImportCode code, long) override
    {
        std::lock_guard lock(mutex);
        codes.push_back(code);
    }
    void EnableMainWindow(bool) override {}
    void ShowWarning(const std::string&, const std::string&) override {}
    std::vector<sheet::ImportCode> Codes()
    {
        std::lock_guard lock(mutex);
        return codes;
    }
    std::mutex mutex;
    std::vector<sheet::ImportCode> codes;
};

// Importing reads the working copy into a fresh model on the worker and reports through the
// import messages; an unreadable workbook reports that nothing was imported; opening a document
// links its stored workbook copy again without reading it and reports the import done.
TEST_F(GenerationTest, ImportsReportThroughTheImportMessages)
{
    // Found before the program moves into its installation folder.
    const std::filesystem::path book = testsupport::SourceDir() / "assets" / "samples" / "loan-planner.xlsx";
    SkipWelcome();
    ASSERT_TRUE(Start());
    RecordingHostWindow window;
    CDrawDoc& doc = Doc();
    doc.SetHostWindow(&window);
    std::filesystem::copy_file(book, out / "copy.xlsx");

    ASSERT_TRUE(doc.ImportModel(book.string(), (out / "copy.xlsx").string()));
    ASSERT_NE(doc.GetExcelHost(), nullptr);
    ASSERT_TRUE(doc.GetExcelHost()->WaitForWorker(60000));
    EXPECT_EQ(doc.GetModelPath(), book.string());
    EXPECT_EQ(doc.GetModelCopyPath(), (out / "copy.xlsx").string());
    std::vector<sheet::ImportCode> codes = window.Codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.front(), sheet::ImportCode::Start);
    EXPECT_EQ(codes.back(), sheet::ImportCode::Done);
    EXPECT_GT(GetBaseMovie()->GetCellModel().GetCellCount(), 0u);
    EXPECT_EQ(CExcelHost::GetCurrent(), doc.GetExcelHost());

    window.codes.clear();
    ASSERT_TRUE(doc.ImportModel("missing.xlsx", (out / "missing.xlsx").string()));
    ASSERT_TRUE(doc.GetExcelHost()->WaitForWorker(60000));
    EXPECT_EQ(window.Codes(), std::vector<sheet::ImportCode>{sheet::ImportCode::NoModel});
    EXPECT_EQ(GetBaseMovie()->GetCellModel().GetCellCount(), 0u) << "the new model starts empty";

    // Dropping the model lets go of the workbook.
    doc.ResetModel();
    EXPECT_EQ(doc.GetExcelHost(), nullptr);
    EXPECT_TRUE(doc.GetModelPath().empty());

    // Opening: the stored copy is linked again and the import reported done, without reading.
    Open(Sample("loan-planner"));
    window.codes.clear();
    doc.ReimportModel();
    EXPECT_FALSE(doc.GetModelCopyPath().empty());
    EXPECT_EQ(window.Codes(), std::vector<sheet::ImportCode>{sheet::ImportCode::Done});
    ASSERT_NE(doc.GetExcelHost(), nullptr);
    EXPECT_FALSE(doc.GetExcelHost()->IsWorkerRunning());
    EXPECT_EQ(CExcelHost::GetCurrent(), doc.GetExcelHost());
    doc.SetHostWindow(nullptr);
}

// A new document starts afresh: no workbook, white paper, no description, white custom colours,
// and the image page's tip about many active movies shows again.
TEST_F(GenerationTest, ANewDocumentStartsAfresh)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("price-plan"));
    EXPECT_FALSE(Doc().GetModelCopyPath().empty());
    Doc().SetPaperColor(RGB(1, 2, 3));
    Doc().SetDescription("kept?");
    GetCustomColorTable()->fill(RGB(9, 9, 9));
    pages::SwfImportTip& tip = pages::GetActiveSwfTip();
    tip.count = 3;
    tip.pending = false; // the tip has been shown for this document

    EXPECT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    EXPECT_TRUE(Doc().GetObjects().empty());
    EXPECT_TRUE(Doc().GetModelPath().empty());
    EXPECT_TRUE(Doc().GetModelCopyPath().empty());
    EXPECT_EQ(Doc().GetExcelHost(), nullptr);
    EXPECT_EQ(Doc().GetPaperColor(), RGB(255, 255, 255));
    EXPECT_TRUE(Doc().GetDescription().empty());
    EXPECT_EQ(GetCustomColorTable()->front(), RGB(255, 255, 255));
    EXPECT_EQ(tip.count, 0) << "a new document counts its movies again";
    EXPECT_TRUE(tip.pending);
}

// Every colour parameter named "fillColor" of a set and its groups.
// A chart's framed parts (chart area, plot area, title and legend boxes) take the chart
// style's own colours instead, as a selector's own border colour wins over the global one;
// their fills are collected apart.
bool IsChartFrame(const std::string& name)
{
    return name == "backgroundProps" || name == "plotAreaProps" || name == "chartTitleProps" || name == "legendProps";
}

void FillColours(const CParameterSet& set, std::vector<CParameter*>& found, std::vector<CParameter*>* chartAreas = nullptr)
{
    for (int i = 0; i < set.GetCount(); ++i) {
        CParameter* p = set.GetAt(i);
        if (p->GetName() == "fillColor" && p->GetType() == model::ParamType::Color)
            found.push_back(p);
        if (p->GetSet() != nullptr && IsChartFrame(p->GetName())) {
            if (CParameter* fill = p->GetSet()->FindParameter("fillColor");
                fill != nullptr && chartAreas != nullptr && p->GetName() == "backgroundProps")
                chartAreas->push_back(fill);
        } else if (p->GetSet() != nullptr) {
            FillColours(*p->GetSet(), found, chartAreas);
        }
    }
}

// The global style reaches every component of the document, unless it leaves components their
// own looks.
TEST_F(GenerationTest, TheGlobalStyleReachesEveryComponent)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("regional-sales"));
    std::vector<CParameter*> fills;
    std::vector<CParameter*> chartAreas;
    for (CComponent* instance : Doc().CollectComponents())
        if (instance->GetParameters() != nullptr)
            FillColours(*instance->GetParameters(), fills, &chartAreas);
    ASSERT_FALSE(fills.empty());
    std::vector<std::uint32_t> before;
    for (CParameter* p : fills)
        before.push_back(p->GetColor());

    CGlobalStyle style;
    style.globalColors.fill = 0x123456;
    style.useDefaultStyle = 1;
    Doc().ApplyGlobalStyle(style);
    for (std::size_t i = 0; i < fills.size(); ++i)
        EXPECT_EQ(fills[i]->GetColor(), before[i]);
    style.useDefaultStyle = 0;
    Doc().ApplyGlobalStyle(style);
    for (CParameter* p : fills)
        EXPECT_EQ(p->GetColor(), 0x123456u);
    for (CParameter* p : chartAreas)
        EXPECT_EQ(p->GetColor(), style.charts.chartFillColor);
}

// Opening a sample puts every object on the stage at the document's canvas size, and hidden
// objects are disabled there.
TEST_F(GenerationTest, OpeningASampleSendsItToTheStage)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CStageFlashCtrl* stage = app->Stage();
    ASSERT_NE(stage, nullptr);
    auto& player = *dynamic_cast<CFakeFlashPlayer*>(stage->GetPlayer());
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        player.ClearCalls();
        Open(Sample(name));
        std::vector<std::string> added, disabled;
        std::string current;
        for (const CFakeFlashPlayer::Call& call : player.Calls()) {
            if (call.op == "SetVariable" && call.args.size() == 2 && call.args[0] == "_root.__compName")
                current = call.args[1];
            if (call.op == "TCallLabel" && call.args.size() == 2 && call.args[1] == "AddComponent")
                added.push_back(current);
            if (call.op == "TCallLabel" && call.args.size() == 2 && call.args[1] == "DisableComp")
                disabled.push_back(current);
        }
        std::vector<std::string> expectedAdded, expectedDisabled;
        for (CDrawObj* obj : Doc().GetObjects()) {
            const auto* component = dynamic_cast<const CComponentObj*>(obj);
            for (CComponent* instance : component->GetInstances()) {
                expectedAdded.push_back(instance->GetName());
                if (!component->m_bShown)
                    expectedDisabled.push_back(instance->GetName());
            }
        }
        // Opening resets the document first (nothing to add) and then puts the opened one on.
        ASSERT_GE(added.size(), expectedAdded.size());
        EXPECT_EQ(std::vector<std::string>(added.end() - static_cast<long>(expectedAdded.size()), added.end()),
                  expectedAdded);
        EXPECT_EQ(disabled, expectedDisabled);
        CRect window;
        stage->GetClientRect(&window);
        EXPECT_EQ(window.Width(), Doc().GetCanvasWidth());
        EXPECT_EQ(window.Height(), Doc().GetCanvasHeight());
    }
}

} // namespace
