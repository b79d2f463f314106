#include <gtest/gtest.h>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawTool.h"
#include "app/core/AppData.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/stage/StageFlashCtrl.h"
#include "tests/support/TestSupport.h"

namespace {

// Nothing of the designer outlives its context: a second program in the same process starts
// from scratch, and without a context the accessors answer that there is nothing.
TEST(DesignerContext, EachProgramStartsFromItsOwnState)
{
    EXPECT_EQ(GetAppData(), nullptr);
    EXPECT_EQ(GetTempFileManager(), nullptr);
    EXPECT_TRUE(GetBaseFolder().empty());
    EXPECT_EQ(CDrawTool::FindTool(CDrawToolState::SelectShape), nullptr);
    EXPECT_FALSE(CDrawDoc::IsGenerating());

    testsupport::TempDir temp;
    {
        CDesignerContext first({temp.path(), std::nullopt, temp.path()});
        CDesignerContext::Scope use(first);
        InstallDrawTools(first);
        EXPECT_EQ(GetBaseFolder(), temp.path());
        EXPECT_EQ(GetAppData(), &first.Settings());
        EXPECT_EQ(GetTempFileManager(), &first.TempFiles());
        ASSERT_NE(CDrawTool::FindTool(CDrawToolState::ComponentShape), nullptr);
        EXPECT_EQ(CDrawTool::FindTool(CDrawToolState::ComponentShape)->GetShape(), CDrawToolState::ComponentShape);
        EXPECT_EQ(CComponentObj::MakeGroupName(), "Group 1");
        EXPECT_EQ(CComponentObj::MakeGroupName(), "Group 2");
        first.Generating() = true;
        EXPECT_TRUE(CDrawDoc::IsGenerating());

        // A nested context (a test's own) has its own state, and the outer one comes back.
        {
            CDesignerContext second;
            CDesignerContext::Scope inner(second);
            EXPECT_EQ(GetAppData(), nullptr) << "no settings without folders";
            EXPECT_FALSE(CDrawDoc::IsGenerating());
            EXPECT_EQ(CComponentObj::MakeGroupName(), "Group 1");
            EXPECT_EQ(GetStageFlashCtrl(), nullptr);
        }
        EXPECT_TRUE(CDrawDoc::IsGenerating());
        EXPECT_EQ(CComponentObj::MakeGroupName(), "Group 3");
        first.Generating() = false;
    }
    EXPECT_EQ(GetAppData(), nullptr);
    EXPECT_EQ(GetTempFileManager(), nullptr);
    EXPECT_TRUE(GetBaseFolder().empty());
    EXPECT_EQ(CDrawTool::FindTool(CDrawToolState::SelectShape), nullptr);
}

} // namespace
