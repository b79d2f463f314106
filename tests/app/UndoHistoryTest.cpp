// The undo history on its own: its limit, the redo tail, what list records keep alive and when
// they let go, and where restored objects return to.

#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawObj.h"
#include "app/canvas/UndoHistory.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int g_destroyed = 0;

class CountedObj : public CDrawObj {
public:
    explicit CountedObj(const CRect& r = CRect(0, 0, 100, 100)) : CDrawObj(r) {}
    ~CountedObj() override { ++g_destroyed; }
    void SetBounds(int l, int t, int r, int b) override { committed = CRect(l, t, r, b); }
    CRect committed;
};

class RecordingView : public IUndoView {
public:
    CDrawDoc* GetUndoDocument() const override { return doc; }
    void SelectRestored(CDrawObj* obj) override { selected.push_back(obj); }
    void DeselectRemoved(CDrawObj* obj) override { deselected.push_back(obj); }
    void RefreshObjectBrowser() override { ++refreshes; }
    CDrawDoc* doc = nullptr;
    std::vector<CDrawObj*> selected, deselected;
    int refreshes = 0;
};

class UndoHistoryTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_destroyed = 0;
        view.doc = &doc;
    }
    // What a Delete command does: out of the document, then one record for all of them.
    CUndoListRecord* Delete(CUndoHistory& history, std::vector<CDrawObj*> objects)
    {
        auto* record = new CUndoListRecord(history.Ownership());
        for (CDrawObj* obj : objects) {
            const auto& list = doc.GetObjects();
            const auto it = std::find(list.begin(), list.end(), obj);
            CDrawObj* above = it + 1 != list.end() ? *(it + 1) : nullptr;
            doc.Remove(obj);
            record->AddRemoved(obj, above);
        }
        history.Push(record);
        return record;
    }
    CDrawDoc doc;
    RecordingView view;
};

TEST_F(UndoHistoryTest, FiftyRecordsAreKeptAndANewCommandEndsRedo)
{
    CUndoHistory history(view);
    CountedObj obj;
    EXPECT_FALSE(history.CanUndo());
    for (int i = 0; i < 51; ++i) {
        auto* record = new CUndoGeometryRecord(true);
        record->Capture(&obj, 10, 0, 10, 0);
        EXPECT_EQ(history.Push(record), std::min(i + 1, 50));
        obj.m_position.OffsetRect(10, 0);
    }
    int undos = 0;
    while (history.CanUndo()) {
        history.Undo();
        ++undos;
    }
    EXPECT_EQ(undos, 50);
    // The first move can no longer be undone: the object stands one step from its start.
    EXPECT_EQ(obj.m_position, CRect(10, 0, 110, 100));
    EXPECT_EQ(obj.committed, obj.m_position);

    history.Redo();
    history.Redo();
    EXPECT_EQ(obj.m_position.left, 30);
    EXPECT_TRUE(history.CanRedo());
    history.Push(new CUndoGeometryRecord(false));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetCount(), 3);
}

TEST_F(UndoHistoryTest, DeletedObjectsLiveWhileARecordCanRestoreThem)
{
    auto* a = new CountedObj(CRect(0, 0, 10, 10));
    auto* b = new CountedObj(CRect(20, 0, 30, 10));
    auto* c = new CountedObj(CRect(40, 0, 50, 10));
    doc.Add(a);
    doc.Add(b);
    doc.Add(c);
    {
        CUndoHistory history(view);
        Delete(history, {a, b});
        EXPECT_EQ(doc.GetObjects(), std::vector<CDrawObj*>{c});

        // Undo puts each back in its place (the bottom one below its old neighbour) and
        // selects them.
        history.Undo();
        EXPECT_EQ(doc.GetObjects(), (std::vector<CDrawObj*>{a, b, c}));
        EXPECT_EQ(view.selected.size(), 2u);
        EXPECT_EQ(a->GetDocument(), &doc);
        EXPECT_GE(view.refreshes, 1);
        history.Redo();
        EXPECT_EQ(doc.GetObjects(), std::vector<CDrawObj*>{c});
        EXPECT_EQ(view.deselected.size(), 2u);

        // Fifty more records: the delete becomes the history's oldest, then falls out and the
        // objects only it held go with it.
        for (int i = 0; i < 50; ++i)
            history.Push(new CUndoGeometryRecord(true));
        EXPECT_EQ(g_destroyed, 0);
        history.Push(new CUndoGeometryRecord(true));
        EXPECT_EQ(g_destroyed, 2);
    }
    // Objects in the document belong to it, not to the history.
    EXPECT_EQ(g_destroyed, 2);
    doc.DeleteObjects();
    EXPECT_EQ(g_destroyed, 3);
}

TEST_F(UndoHistoryTest, AnUndoneAdditionIsDeletedWithItsRecordAndARestoredDeletionStays)
{
    auto* placed = new CountedObj;
    auto* kept = new CountedObj;
    {
        CUndoHistory history(view);
        doc.Add(placed);
        history.Push(new CUndoListRecord(history.Ownership(), placed, true, &doc));
        history.Undo();
        EXPECT_TRUE(doc.GetObjects().empty());
        EXPECT_EQ(g_destroyed, 0);

        doc.Add(kept);
        Delete(history, {kept}); // cuts the undone placement off: it goes now
        EXPECT_EQ(g_destroyed, 1);
        history.Undo();
        EXPECT_EQ(doc.GetObjects(), std::vector<CDrawObj*>{kept});
        history.Clear();
        EXPECT_EQ(g_destroyed, 1);
    }
    doc.DeleteObjects();
    EXPECT_EQ(g_destroyed, 2);
}

TEST_F(UndoHistoryTest, ZOrderStepsAndTheirUndo)
{
    auto* a = new CountedObj;
    auto* b = new CountedObj;
    auto* c = new CountedObj;
    doc.Add(a);
    doc.Add(b);
    doc.Add(c);
    CUndoHistory history(view);
    history.Push(new CUndoZOrderRecord(a, 0));
    history.Redo();
    history.Undo();
    EXPECT_EQ(doc.GetObjects(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_EQ(view.refreshes, 1);

    auto* front = new CUndoZOrderRecord(a, 5); // steps past the top stop there
    front->Redo(view);
    EXPECT_EQ(doc.GetObjects(), (std::vector<CDrawObj*>{b, c, a}));
    history.Push(front);
    history.Undo();
    EXPECT_EQ(doc.GetObjects(), (std::vector<CDrawObj*>{a, b, c}));
    history.Redo();
    EXPECT_EQ(doc.GetObjects(), (std::vector<CDrawObj*>{b, c, a}));
}

} // namespace
