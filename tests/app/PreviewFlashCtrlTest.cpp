#include "app/stage/PreviewFlashCtrl.h"

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/CompoundParameter.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/window/MessageQueue.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/CellValueRecord.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/formula/ModelVariable.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

namespace {

using Result = CPreviewFlashCtrl::QueryResult;

// A window that runs a function on each of its timer messages.
class TimerWnd : public CWnd {
public:
    std::function<void()> onTimer;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && onTimer)
            onTimer();
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
};
using model::ParamType;

// A preview player over a model of twenty cells and one chart component, with the headless
// player answering the query labels as a test scripts them.
class PreviewFlashCtrlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
        for (int row = 0; row < 20; ++row)
            table.AddCell("Sheet1", row, 1);
        chart = std::make_unique<CSwfComponent>(nullptr);
        chart->SetName("Chart_1");
        auto set = std::make_unique<CParameterSet>();
        title = set->Add(std::make_unique<CParameter>("title", ParamType::Text));
        title->SetString("Before");
        shown = set->Add(std::make_unique<CParameter>("shown", ParamType::Boolean));
        shown->SetBool(true);
        count = set->Add(std::make_unique<CParameter>("count", ParamType::Integer));
        count->SetInt(1);
        chart->SetParameters(std::move(set));
        ASSERT_TRUE(ctrl.Create("", WS_POPUP, CRect(0, 0, 100, 100), nullptr, CPreviewFlashCtrl::kControlId));
        ctrl.SetQuerySources({[this] { return &table; },
                              [this] { return CPreviewFlashCtrl::ComponentMap{{"Chart_1", chart.get()}}; }});
    }
    void TearDown() override
    {
        ctrl.DestroyWindow();
        ResetFlashPlayerFactory();
        UiTest::TearDown();
    }
    CFakeFlashPlayer& Player() { return *static_cast<CFakeFlashPlayer*>(ctrl.GetPlayer()); }

    CVariableTable table;
    std::unique_ptr<CComponent> chart;
    CParameter* title = nullptr;
    CParameter* shown = nullptr;
    CParameter* count = nullptr;
    CPreviewFlashCtrl ctrl;
};

TEST_F(PreviewFlashCtrlTest, ComponentRepliesChangeParametersUntilTheChangesAreApplied)
{
    Player().OnLabel("GetData", {{"cmp", "Chart_1 title Sales by region"},
                                 {"cmp", "Chart_1 shown True"},
                                 {"cmp", "Chart_1 count 42"},
                                 {"cmp", "Chart_1 missing 1"},
                                 {"cmp", "Nobody title x"},
                                 {"done", ""}});
    CCellValueMap values;
    CParameterValueList changes;
    EXPECT_EQ(ctrl.RequestFlashData(&values, &changes, 2000), Result::Done);
    EXPECT_EQ(Player().CallsOf("TCallLabel").at(0).args, (std::vector<std::string>{"/", "GetData"}));
    EXPECT_EQ(title->GetString(), "Sales by region");
    EXPECT_FALSE(shown->GetBool()); // only "true" is true
    EXPECT_EQ(count->GetInt(), 42);
    EXPECT_EQ(changes.GetCount(), 3u);
    changes.Apply();
    EXPECT_EQ(title->GetString(), "Before");
    EXPECT_TRUE(shown->GetBool());
    EXPECT_EQ(count->GetInt(), 1);
}

TEST_F(PreviewFlashCtrlTest, AValueLeftOutMakesTheParameterUndefined)
{
    Player().OnLabel("GetData", {{"cmp", "Chart_1 title"}, {"done", ""}});
    CCellValueMap values;
    CParameterValueList changes;
    ASSERT_EQ(ctrl.RequestFlashData(&values, &changes, 2000), Result::Done);
    EXPECT_TRUE(title->IsUndefined());
}

TEST_F(PreviewFlashCtrlTest, DataRepliesRecordMarkedCellValues)
{
    // Without a change list the movie is asked for its cells only, and component replies
    // change nothing.
    Player().OnLabel("GetData2", {{"data", "V12 number 3.5"},
                                  {"data", "V13 boolean false"},
                                  {"data", "V14 undefined"},
                                  {"data", "V99 number 1"},
                                  {"data", "V15 colour 1"},
                                  {"cmp", "Chart_1 title changed"},
                                  {"data", "V12 string abc def"},
                                  {"done", ""}});
    CCellValueMap values;
    ASSERT_EQ(ctrl.RequestFlashData(&values, nullptr, 2000), Result::Done);
    EXPECT_EQ(title->GetString(), "Before");
    EXPECT_EQ(values.GetCount(), 3u);
    const CCellValueRecord* twelve = values.Find(12); // marked: a snapshot finds it
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->exportFlag, 1);
    EXPECT_EQ(twelve->GetVariableName(), "V12");
    EXPECT_EQ(twelve->GetValue()->GetKind(), ModelKind::String);
    EXPECT_EQ(twelve->GetValue()->GetText(), "abc def");
    // A boolean stays a boolean, so "false" is false in the snapshot movie.
    ASSERT_NE(values.Find(13), nullptr);
    EXPECT_EQ(values.Find(13)->GetValue()->GetKind(), ModelKind::Boolean);
    EXPECT_FALSE(values.Find(13)->GetValue()->GetBoolean());
    EXPECT_EQ(values.Find(14)->GetValue()->GetKind(), ModelKind::NoValue);
}

TEST_F(PreviewFlashCtrlTest, AMovieThatNeverAnswersTimesOut)
{
    CCellValueMap values;
    EXPECT_EQ(ctrl.RequestFlashData(&values, nullptr, 150), Result::TimedOut);
    EXPECT_FALSE(ctrl.IsQuerying());
    // A late reply writes nowhere.
    Player().FireCommand("data", "V1 number 5");
    EXPECT_EQ(values.GetCount(), 0u);
}

TEST_F(PreviewFlashCtrlTest, RepliesOnLaterMessagesAreWaitedForAndAQueryIsNeverReentered)
{
    Player().SetQueuedReplies(true);
    Player().OnLabel("GetData2", {{"data", "V3 number 7"}, {"done", ""}});
    CCellValueMap values;
    CCellValueMap inner;
    Result nested = Result::Done;
    // The movie answers from a message handled inside the wait; a second query asked for
    // there is refused.
    TimerWnd poster;
    ASSERT_TRUE(poster.CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    GetMessageQueue().SetTimer(poster.GetSafeHwnd(), 7, 20);
    bool delivered = false;
    std::function<void()> onTimer = [&] {
        if (delivered)
            return;
        delivered = true;
        nested = ctrl.RequestFlashData(&inner, nullptr, 100);
        Player().DeliverQueued();
    };
    // The poster's timer arrives as a message; the control's own loop dispatches it.
    poster.onTimer = onTimer;
    EXPECT_EQ(ctrl.RequestFlashData(&values, nullptr, 3000), Result::Done);
    EXPECT_TRUE(delivered);
    EXPECT_EQ(nested, Result::Busy);
    ASSERT_NE(values.Find(3), nullptr);
    EXPECT_EQ(values.Find(3)->GetValue()->GetNumber(), 7);
    GetMessageQueue().KillTimer(poster.GetSafeHwnd(), 7);
    poster.DestroyWindow();
}

TEST_F(PreviewFlashCtrlTest, QuitEndsTheWaitAndStaysForTheProgramLoop)
{
    PostQuitMessage(3);
    CCellValueMap values;
    EXPECT_EQ(ctrl.RequestFlashData(&values, nullptr, 3000), Result::Quit);
    MSG msg{};
    EXPECT_FALSE(::GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
