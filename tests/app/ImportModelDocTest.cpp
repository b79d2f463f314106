#include "AppFixture.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/modeldialogs/ImportModelDlg.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/window/UserInput.h"
#include "publish/BaseMovie.h"

namespace {

int BoundCount(CDrawDoc& doc)
{
    int bound = 0;
    for (CDrawObj* obj : doc.GetObjects())
        for (CComponent* component : dynamic_cast<CComponentObj&>(*obj).GetInstances())
            ForEachCellBinding(*component->GetParameters(), [&](CParameter& p) {
                bound += p.GetBinding() != nullptr && !p.GetBinding()->GetTexts().rangeText.empty() ? 1 : 0;
            });
    return bound;
}

// A re-import that keeps the bindings marks the document; one that clears them leaves every
// component unbound, or drops the model of an empty canvas.
TEST_F(AppTest, AReimportKeepsOrClearsTheDocumentsBindings)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    UseScriptedCommonDialogs().AnswerFile(Sample("regional-sales").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    ASSERT_EQ(Doc().GetPathName(), Sample("regional-sales").string());
    ASSERT_FALSE(Doc().GetObjects().empty());
    CBaseMovie& base = *GetBaseMovie();
    ASSERT_GT(BoundCount(Doc()), 0);

    ImportModelDocument document = MakeImportModelDocument(Doc(), base, nullptr, "book.xlsx", {});
    EXPECT_EQ(document.table, &base.GetVariableTable());
    Doc().m_bModelUpdatePending = false;
    document.refreshDataSources(false);
    EXPECT_TRUE(Doc().m_bModelUpdatePending);
    EXPECT_FALSE(Doc().m_bTableRefresh);
    document.refreshDataSources(true);
    EXPECT_TRUE(Doc().m_bTableRefresh);
    EXPECT_GT(BoundCount(Doc()), 0);

    const auto table = base.ShareVariableTable();
    document.clearDataSources();
    EXPECT_EQ(BoundCount(Doc()), 0);
    EXPECT_EQ(base.ShareVariableTable(), table); // the components still use the model

    ASSERT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    ASSERT_TRUE(Doc().GetObjects().empty());
    const auto before = GetBaseMovie()->ShareVariableTable();
    ClearDataSources(Doc());
    EXPECT_NE(GetBaseMovie()->ShareVariableTable(), before);
}

} // namespace
