#include "tests/app/AppFixture.h"

#include <fstream>
#include <iterator>

#include "app/canvas/ComponentObj.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/docview/RecentFileList.h"
#include "platform/window/UserInput.h"
#include "publish/BaseMovie.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"

namespace {

std::vector<char> Bytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DocumentSaveTest : public AppTest {
protected:
    void Open(const std::filesystem::path& path) { OpenByKeys(path); }
    void SaveAs(const std::filesystem::path& path)
    {
        UseScriptedCommonDialogs().AnswerFile(path.string());
        ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_SAVE_AS));
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        EXPECT_EQ(Doc().GetPathName(), path.string());
        EXPECT_EQ(Doc().GetTitle(), path.filename().string());
        EXPECT_FALSE(Doc().IsModified());
    }
    // Every shipped document file: the samples and the templates.
    static std::vector<std::filesystem::path> ShippedDocuments()
    {
        std::vector<std::filesystem::path> found;
        for (const char* folder : {"samples", "template"}) {
            const auto root = testsupport::InstallDir() / folder;
            if (!std::filesystem::is_directory(root))
                continue;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
                if (entry.is_regular_file() && entry.path().extension() == ".vtd")
                    found.push_back(entry.path());
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    // Saves the open document, reopens what was written and saves that again: the two files
    // are the same bytes, and the reopened document has what the first one had.
    void RoundTrip(const std::string& name)
    {
        const std::size_t objects = Doc().GetObjects().size();
        const std::size_t instances = Doc().CollectComponents().size();
        const int width = Doc().GetCanvasWidth();
        const COLORREF paper = Doc().GetPaperColor();
        const std::string description = Doc().GetDescription();
        const std::string source = Doc().GetModelPath();
        const auto first = out / (name + "-1.vtd");
        const auto second = out / (name + "-2.vtd");
        SaveAs(first);
        Open(first);
        EXPECT_EQ(Doc().GetObjects().size(), objects);
        EXPECT_EQ(Doc().CollectComponents().size(), instances);
        EXPECT_EQ(Doc().GetCanvasWidth(), width);
        EXPECT_EQ(Doc().GetPaperColor(), paper);
        EXPECT_EQ(Doc().GetDescription(), description);
        EXPECT_EQ(Doc().GetModelPath(), source);
        SaveAs(second);
        const std::vector<char> a = Bytes(first), b = Bytes(second);
        ASSERT_GT(a.size(), 8u);
        EXPECT_TRUE(a == b) << first << " " << a.size() << " bytes, " << second << " " << b.size() << " bytes";
    }
    testsupport::TempDir out;
};

TEST_F(DocumentSaveTest, EveryShippedDocumentSavesReopensAndSavesToTheSameBytes)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    const auto shipped = ShippedDocuments();
    ASSERT_GE(shipped.size(), 4u);
    for (const auto& path : shipped) {
        SCOPED_TRACE(path.string());
        Open(path);
        RoundTrip(path.stem().string());
    }
    // Saved documents join the recent files, the last saved first.
    CRecentFileList* recent = app->GetRecentFileList();
    ASSERT_NE(recent, nullptr);
    ASSERT_GT(recent->GetCount(), 0);
    EXPECT_EQ((*recent)[0], (out / (shipped.back().stem().string() + "-2.vtd")).string());
}

// A template or sample opened as a new document is not a file the person worked on: the
// recent files stay as they were (else they would offer the installation's copy for editing).
TEST_F(DocumentSaveTest, ADocumentMadeFromATemplateLeavesTheRecentFilesAsTheyWere)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CRecentFileList* recent = app->GetRecentFileList();
    ASSERT_NE(recent, nullptr);
    recent->Add((out / "earlier.vtd").string());
    const auto templ = testsupport::InstallDir() / "template" / "Layouts" / "blank.vtd";
    ASSERT_TRUE(Doc().OpenTemplateAsNew(templ.string()));
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_EQ(Doc().GetPathName(), "");
    ASSERT_EQ(recent->GetCount(), 1);
    EXPECT_EQ((*recent)[0], (out / "earlier.vtd").string());
}

// A document made with File > New: components pasted into it are saved with it, and it opens
// again with its model and bindings.
TEST_F(DocumentSaveTest, ADocumentMadeWithNewSavesAndReopens)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("loan-planner"));
    ASSERT_TRUE(CUserInput::PressKey('A', CUserInput::Control));
    ASSERT_TRUE(CUserInput::PressKey('C', CUserInput::Control));
    ASSERT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    ASSERT_TRUE(Doc().GetObjects().empty());
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_PASTE));
    ASSERT_FALSE(Doc().GetObjects().empty());
    EXPECT_TRUE(Doc().IsModified());
    RoundTrip("made");
}

// Save writes in place under the document's name; a failed save keeps the file before it and
// the document modified, and says why.
TEST_F(DocumentSaveTest, SaveWritesInPlaceAndAFailureKeepsTheOldFile)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    std::filesystem::copy_file(Sample("price-plan"), out / "plan.vtd");
    Open(out / "plan.vtd");
    const std::vector<char> before = Bytes(out / "plan.vtd");
    ASSERT_TRUE(Doc().SetCanvasSize(500, 400));
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_TRUE(CUserInput::PressKey('S', CUserInput::Control));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_NE(Bytes(out / "plan.vtd"), before);
    Open(out / "plan.vtd");
    EXPECT_EQ(Doc().GetCanvasWidth(), 500);
    EXPECT_EQ(Doc().GetCanvasHeight(), 400);

    // The folder the file goes into is a file: nothing can be written there.
    std::ofstream(out / "blocked") << "not a folder";
    ASSERT_TRUE(Doc().SetCanvasSize(300, 200));
    boxes->Answer(IDOK);
    UseScriptedCommonDialogs().AnswerFile((out / "blocked" / "plan.vtd").string());
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_SAVE_AS));
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find("could not be saved"), std::string::npos) << boxes->Log()[0].text;
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), (out / "plan.vtd").string());
    Doc().SetModifiedFlag(FALSE);
}

// A modified document asks before New, Open and closing the program: Cancel keeps it, No
// gives it up, Yes saves it first.
TEST_F(DocumentSaveTest, AModifiedDocumentAsksBeforeItGoes)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    std::filesystem::copy_file(Sample("regional-sales"), out / "sales.vtd");
    Open(out / "sales.vtd");
    ASSERT_TRUE(Doc().SetCanvasSize(640, 480));

    boxes->Answer(IDCANCEL);
    EXPECT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Save changes to sales.vtd?");
    EXPECT_EQ(Doc().GetPathName(), (out / "sales.vtd").string());
    EXPECT_EQ(Doc().GetCanvasWidth(), 640);

    boxes->Answer(IDCANCEL);
    UseScriptedCommonDialogs().AnswerFile(Sample("price-plan").string());
    EXPECT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(Doc().GetPathName(), (out / "sales.vtd").string());

    // Yes saves before the next document comes.
    boxes->Answer(IDYES);
    EXPECT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    EXPECT_TRUE(Doc().GetPathName().empty());
    Open(out / "sales.vtd");
    EXPECT_EQ(Doc().GetCanvasWidth(), 640);

    // Closing the program asks too; Cancel keeps it running.
    ASSERT_TRUE(Doc().SetCanvasSize(600, 400));
    boxes->Answer(IDCANCEL);
    Frame().SendMessage(WM_CLOSE);
    PumpUntilIdle();
    ASSERT_NE(app->MainFrame(), nullptr);
    EXPECT_EQ(boxes->Log().back().text, "Save changes to sales.vtd?");
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(FALSE);
}

// Opening a recent file asks first too; Cancel keeps the document and the file in the list.
TEST_F(DocumentSaveTest, ARecentFileAsksBeforeTheModifiedDocumentGoes)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    std::filesystem::copy_file(Sample("price-plan"), out / "plan.vtd");
    Open(out / "plan.vtd");
    SaveAs(out / "saved.vtd");
    CRecentFileList* recent = app->GetRecentFileList();
    ASSERT_NE(recent, nullptr);
    ASSERT_EQ((*recent)[0], (out / "saved.vtd").string());
    ASSERT_EQ((*recent)[1], (out / "plan.vtd").string());
    ASSERT_TRUE(Doc().SetCanvasSize(320, 240));

    boxes->Answer(IDCANCEL);
    app->OnOpenRecentFile(ID_FILE_MRU_FILE1 + 1);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Save changes to saved.vtd?");
    EXPECT_EQ(Doc().GetPathName(), (out / "saved.vtd").string());
    EXPECT_EQ((*recent)[1], (out / "plan.vtd").string());

    boxes->Answer(IDNO);
    app->OnOpenRecentFile(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(Doc().GetPathName(), (out / "plan.vtd").string());
    EXPECT_FALSE(Doc().IsModified());
}

// The stage's player reads its movie after File > New has returned: the movie is still there
// then, so the components placed in the new document are drawn.
TEST_F(DocumentSaveTest, ANewDocumentLeavesTheStageItsMovie)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("regional-sales"));
    ASSERT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    CStageFlashCtrl* stage = app->Stage();
    ASSERT_NE(stage, nullptr);
    EXPECT_TRUE(std::filesystem::exists(stage->GetStageMoviePath())) << stage->GetStageMoviePath();
    EXPECT_TRUE(std::filesystem::exists(stage->GetLargeStageMoviePath()));
}

// Each document has its own base movie: nothing of the one before is in a new or opened one.
TEST_F(DocumentSaveTest, NewAndOpenStartFromAFreshBaseMovie)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    Open(Sample("regional-sales"));
    CBaseMovie& before = *GetBaseMovie();
    CExportSettings& settings = before.GetExportSettings();
    settings.mode = DataSourceMode::WebService;
    settings.url = "http://example.invalid/feed";
    settings.collaboration = true;
    settings.password = "secret";
    before.SetConnectionInputs(true);
    before.GetRangeEntries().push_back({});

    ASSERT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    CBaseMovie& fresh = *GetBaseMovie();
    EXPECT_FALSE(fresh.GetExportSettings().UsesWebService());
    EXPECT_TRUE(fresh.GetExportSettings().url.empty());
    EXPECT_FALSE(fresh.GetExportSettings().collaboration);
    EXPECT_TRUE(fresh.GetExportSettings().password.empty());
    EXPECT_FALSE(fresh.GetConnectionInputs());
    EXPECT_TRUE(fresh.GetRangeEntries().empty());
    EXPECT_EQ(fresh.GetVariableTable().GetCellCount(), 0u);

    fresh.GetExportSettings().url = "http://example.invalid/other";
    Open(Sample("price-plan"));
    EXPECT_TRUE(GetBaseMovie()->GetExportSettings().url.empty());
}

} // namespace
