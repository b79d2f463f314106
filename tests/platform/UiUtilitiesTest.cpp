#include <gtest/gtest.h>

#include <array>

#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/UiUtilities.h"
#include "platform/window/Screen.h"
#include "tests/support/UiTest.h"

namespace {

class UiUtilitiesTest : public UiTest {
protected:
    void TearDown() override
    {
        ResetCommonDialogService();
        UiTest::TearDown();
    }
};

TEST_F(UiUtilitiesTest, LargeFontsNeedAtLeast120DotsEachWayAndNot96Across)
{
    const struct {
        int x, y;
        bool large;
    } cases[] = {{96, 96, false}, {120, 120, true}, {144, 96, false}, {144, 144, true}, {96, 120, false}};
    for (const auto& c : cases) {
        ScreenMetrics metrics;
        metrics.dpiX = c.x;
        metrics.dpiY = c.y;
        SetScreenMetrics(metrics);
        EXPECT_EQ(GetHorizontalDpi(), c.x);
        EXPECT_EQ(GetVerticalDpi(), c.y);
        EXPECT_EQ(IsLargeFontsDisplay(), c.large) << c.x << "x" << c.y;
    }
}

TEST_F(UiUtilitiesTest, CountCharCountsTheLeadingRunOfDigitsAndPoints)
{
    EXPECT_EQ(CountChar("00.000", '0'), 5);
    EXPECT_EQ(CountChar("#,##0.00", '0'), 0);
    EXPECT_EQ(CountChar("0.0#0", '0'), 2);
    EXPECT_EQ(CountChar("", '0'), 0);
    EXPECT_EQ(CountChar(nullptr, '0'), 0);
}

TEST_F(UiUtilitiesTest, TheColourDialogWritesTheCustomColoursBackOnlyOnOk)
{
    CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
    std::array<COLORREF, 16> document;
    document.fill(RGB(255, 255, 255));
    COLORREF colour = RGB(1, 2, 3);

    dialogs.AnswerColour(std::nullopt);
    EXPECT_EQ(ChooseColorWithCustomColors(colour, true, nullptr, document.data()), IDCANCEL);
    EXPECT_EQ(colour, RGB(1, 2, 3));

    std::array<COLORREF, 16> edited = document;
    edited[0] = RGB(9, 9, 9);
    dialogs.AnswerColour(RGB(10, 20, 30), edited);
    EXPECT_EQ(ChooseColorWithCustomColors(colour, true, nullptr, document.data()), IDOK);
    EXPECT_EQ(colour, RGB(10, 20, 30));
    EXPECT_EQ(document[0], RGB(9, 9, 9));

    // A table of the caller's own seeds the dialog and is copied into the document's.
    std::array<COLORREF, 16> own;
    own.fill(RGB(0, 0, 255));
    dialogs.AnswerColour(RGB(0, 0, 0));
    EXPECT_EQ(ChooseColorWithCustomColors(colour, false, own.data(), document.data()), IDOK);
    EXPECT_EQ(document, own);
    ASSERT_EQ(dialogs.Log().size(), 3u);
    EXPECT_EQ(dialogs.Log()[2].colour.custom[5], RGB(0, 0, 255));
    EXPECT_EQ(dialogs.Log()[2].colour.flags & CC_ANYCOLOR, CC_ANYCOLOR);
}

} // namespace
