#include "AppFixture.h"

#include <thread>

#include "app/core/AppIds.h"
#include "app/dialogs/WaitDlg.h"
#include "platform/controls/ProgressCtrl.h"
#include "platform/window/UserInput.h"

namespace {

class ProgressTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SkipWelcome();
        ASSERT_TRUE(Start());
    }
    // Posted as the import worker posts: from another thread, then delivered by the loop.
    void Post(UINT code, long value, UINT serial = 0)
    {
        HWND frame = Frame().GetSafeHwnd();
        std::thread worker([=] { ::PostMessage(frame, WM_IMPORT_MODEL_PROGRESS, code | serial << 16, value); });
        worker.join();
        PumpUntilIdle();
    }
    std::string Pane() { return Frame().StatusBar().GetPaneText(1); }
    bool BarShown() { return Frame().Progress().IsWindowVisible() != FALSE; }
    int BarPos() { return Frame().Progress().GetPos(); }
};

TEST_F(ProgressTest, TheStatusBarFollowsAnImport)
{
    struct Step {
        UINT code;
        long value;
        const char* pane;
        bool shown;
        int pos;
    } steps[] = {
        {kImportStart, 3, "0%", true, 0},
        {kImportStep, 1, "33%", true, 1},
        {kImportStep, 5, "166%", true, 3}, // past the end: the bar stays full
        {9, 0, "166%", true, 3},           // unknown codes are ignored
        {kImportDone, 0, "Model Import Done", false, 3},
        {kImportStart, 0, "0%", true, 0}, // an empty import counts to 1, never divides by 0
        {kImportStep, 1, "100%", true, 1},
        {kImportNoModel, 0, "Model Not Loaded", false, 1},
    };
    for (const Step& s : steps) {
        Post(s.code, s.value);
        EXPECT_EQ(Pane(), s.pane) << s.code << " " << s.value;
        EXPECT_EQ(BarShown(), s.shown) << s.pane;
        EXPECT_EQ(BarPos(), s.pos) << s.pane;
    }

    // The bar sits in the model pane, 30 pixels in and a tenth of its height off each edge.
    Post(kImportStart, 10);
    CRect pane, bar;
    Frame().StatusBar().GetItemRect(1, &pane);
    bar = Frame().Progress().GetRectInParent();
    EXPECT_EQ(bar.left, pane.left + 30);
    EXPECT_EQ(bar.right, pane.right);
    EXPECT_EQ(bar.top, pane.top + pane.Height() / 10);
    EXPECT_EQ(bar.bottom, pane.bottom - pane.Height() / 10);

    boxes->Answer(IDOK);
    Post(kImportFormulaError, 0);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Formula Length Error in ");
    EXPECT_EQ(Pane(), "Error Importing");
    EXPECT_FALSE(BarShown());
}

// A formula the import cannot read for another reason than its size (a link to another
// workbook) is reported with that reason, not as a length error.
TEST_F(ProgressTest, AFormulaThatIsNotTooLongIsReportedWithItsReason)
{
    std::string failure;
    Frame().SetFailedItemSource([] { return std::string("Sheet1!B2"); });
    Frame().SetFailureSource([&failure] { return failure; });
    struct Case {
        std::string failure;
        std::string shown;
    } cases[] = {
        {"The formula in Sheet1!B2 cannot be read at character 1: references to other workbooks "
         "([1]Sheet1!A1) are not supported",
         "The formula in Sheet1!B2 cannot be read at character 1: references to other workbooks "
         "([1]Sheet1!A1) are not supported"},
        {"The formula in Sheet1!B2 cannot be read at character 1: the formula is longer than 8192 characters",
         "Formula Length Error in Sheet1!B2"},
        {"The formula in Sheet1!B2 cannot be read at character 90: the formula is nested too deeply",
         "Formula Length Error in Sheet1!B2"},
    };
    for (const Case& c : cases) {
        failure = c.failure;
        boxes->Answer(IDOK);
        Post(kImportStart, 2);
        Post(kImportFormulaError, 0);
        ASSERT_FALSE(boxes->Log().empty());
        EXPECT_EQ(boxes->Log().back().text, c.shown);
        EXPECT_EQ(Pane(), "Error Importing");
    }
}

TEST_F(ProgressTest, ReportsOfAReplacedImportAreDropped)
{
    const UINT first = Frame().BeginImport();
    Post(kImportStart, 4, first);
    Post(kImportStep, 2, first);
    EXPECT_EQ(Pane(), "50%");
    const UINT second = Frame().BeginImport();
    EXPECT_NE(first, second);
    Post(kImportDone, 0, first); // the stopped worker's last word
    EXPECT_EQ(Pane(), "50%");
    EXPECT_TRUE(BarShown());
    Post(kImportStart, 2, second);
    Post(kImportStep, 1, second);
    EXPECT_EQ(Pane(), "50%");
    EXPECT_EQ(BarPos(), 1);

    // The document's re-import takes the new model over when it is done.
    Doc().m_bModelUpdatePending = true;
    Doc().m_bTableRefresh = false;
    Frame().PostImportMessage(sheet::ImportCode::Done, 0);
    PumpUntilIdle();
    EXPECT_EQ(Pane(), "Model Import Done");
    EXPECT_FALSE(Doc().m_bModelUpdatePending);
    EXPECT_TRUE(Doc().m_bTableRefresh);
    EXPECT_EQ(GetInputState().WaitCount(), 0);
}

TEST_F(ProgressTest, TheWaitDialogStepsWhileWorkRunsAndFinishesItsBar)
{
    EXPECT_EQ(WaitDialogClosingDelays(0),
              (std::vector<int>{25, 21, 17, 14, 11, 9, 7, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(WaitDialogClosingDelays(18), (std::vector<int>{250, 212}));
    EXPECT_TRUE(WaitDialogClosingDelays(20).empty());

    const std::uint64_t start = clock->NowMs();
    {
        CWaitDlg wait("Generating SWF...", &Frame());
        EXPECT_EQ(wait.GetWindowText(), "Generating SWF...");
        EXPECT_FALSE(Frame().IsWindowEnabled());
        EXPECT_EQ(CursorId(GetCursor()), UINT(IDC_WAIT));
        CRect client, own;
        Frame().GetClientRect(&client);
        Frame().ClientToScreen(&client);
        wait.GetWindowRect(&own);
        EXPECT_EQ(own.left, client.left + client.Width() / 2 - own.Width() / 2);
        // The work runs elsewhere; the caller pumps, and each half second steps the bar.
        for (int tick = 0; tick < 22; ++tick) {
            clock->Advance(500);
            PumpPendingMessages();
        }
        EXPECT_EQ(wait.Bar()->GetPos(), 2) << "the bar starts again after 20 steps";
    }
    EXPECT_TRUE(Frame().IsWindowEnabled());
    EXPECT_EQ(CursorId(GetCursor()), UINT(IDC_ARROW));
    int closing = 0;
    for (int d : WaitDialogClosingDelays(2))
        closing += d;
    EXPECT_EQ(clock->NowMs() - start, 22u * 500 + static_cast<unsigned>(closing));
    // The wait dialog is gone: the main window and the canvas's two tool windows remain.
    EXPECT_EQ(TopLevelWindows().size(), 3u);
}

} // namespace
