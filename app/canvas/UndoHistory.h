#pragma once

// The canvas view's undo history: commands describe what they did as a record and push it;
// Undo and Redo apply the records to the document, the selection and the stage directly.

#include <array>
#include <map>
#include <vector>

class CDrawDoc;
class CDrawObj;

// What the records reach of the view that owns the history.
class IUndoView {
public:
    virtual ~IUndoView() = default;
    virtual CDrawDoc* GetUndoDocument() const = 0;
    // An object put back by undo or redo joins the selection.
    virtual void SelectRestored(CDrawObj* obj) = 0;
    // An object taken out by undo or redo leaves the selection.
    virtual void DeselectRemoved(CDrawObj* obj) = 0;
    virtual void RefreshObjectBrowser() = 0;
};

// Which records refer to each object taken out of (or put into) the document, so that an object
// deleted by a command lives exactly as long as a record can bring it back.
class CUndoOwnership {
public:
    enum : unsigned {
        RemovalUndone = 1,   // a removal refers to it and is undone (back in the document)
        RemovalInForce = 2,  // a removal refers to it and is in force
        AdditionUndone = 4,  // an addition refers to it and is undone (out of the document)
        AdditionInForce = 8, // an addition refers to it and is in force
        OutOfDocument = 16,
    };
    bool Holds(const CDrawObj* obj) const { return m_bits.count(obj) != 0; }
    unsigned Bits(const CDrawObj* obj) const;
    void Set(const CDrawObj* obj, unsigned set, unsigned clear);
    void Erase(const CDrawObj* obj) { m_bits.erase(obj); }

private:
    std::map<const CDrawObj*, unsigned> m_bits;
};

class CUndoRecord {
public:
    CUndoRecord() = default;
    virtual ~CUndoRecord() = default;
    CUndoRecord(const CUndoRecord&) = delete;
    CUndoRecord& operator=(const CUndoRecord&) = delete;
    virtual void Undo(IUndoView&) {}
    virtual void Redo(IUndoView&) {}

private:
    friend class CUndoHistory;
    CUndoRecord* m_pNext = nullptr;
    CUndoRecord* m_pPrev = nullptr;
};

class CUndoHistory {
public:
    static constexpr int kLimit = 50;

    explicit CUndoHistory(IUndoView& view);
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Cuts the redo tail, appends the record (the history owns it) and returns the count; the
    // oldest record falls out beyond the limit.
    int Push(CUndoRecord* record);
    void Undo();
    void Redo();
    bool CanUndo() const { return m_pCurrent != m_pHead; }
    bool CanRedo() const { return m_pCurrent->m_pNext != nullptr; }
    // Deletes every record (and with them the objects only they kept alive).
    void Clear();
    int GetCount() const { return m_nCount; }
    CUndoOwnership& Ownership() { return m_ownership; }

private:
    void DeleteAfter(CUndoRecord* record);

    IUndoView& m_view;
    // Declared before the records so that it outlives their destructors.
    CUndoOwnership m_ownership;
    CUndoRecord* m_pHead;
    CUndoRecord* m_pTail;
    CUndoRecord* m_pCurrent;
    int m_nCount = 0;
};

// Object rectangles changed by a move or a resize: deltas are new minus old.
class CUndoGeometryRecord : public CUndoRecord {
public:
    explicit CUndoGeometryRecord(bool bMoveOnly) : m_bMoveOnly(bMoveOnly) {}
    void Capture(CDrawObj* obj, int dLeft, int dTop, int dRight, int dBottom);
    bool IsEmpty() const { return m_objects.empty(); }
    void Undo(IUndoView& view) override { Apply(view, -1); }
    void Redo(IUndoView& view) override { Apply(view, 1); }

private:
    void Apply(IUndoView& view, int sign);

    std::vector<CDrawObj*> m_objects;
    std::vector<std::array<int, 4>> m_deltas;
    bool m_bMoveOnly;
};

// Objects a command added to the document or took out of it. A removal is recorded after the
// command took the object out.
class CUndoListRecord : public CUndoRecord {
public:
    explicit CUndoListRecord(CUndoOwnership& ownership) : m_ownership(ownership) {}
    CUndoListRecord(CUndoOwnership& ownership, CDrawObj* obj, bool bAdded, CDrawDoc* doc);
    ~CUndoListRecord() override;
    // `doc` gives the neighbour above the object (none when it is on top or out of the list).
    void AddObject(CDrawObj* obj, bool bAdded, CDrawDoc* doc);
    // For a removal recorded after the object left the list: the neighbour it had.
    void AddRemoved(CDrawObj* obj, CDrawObj* above);
    bool IsEmpty() const { return m_objects.empty(); }
    void Undo(IUndoView& view) override;
    void Redo(IUndoView& view) override;

private:
    void TakeOut(IUndoView& view, std::size_t i, bool undo);
    void PutBack(IUndoView& view, std::size_t i, bool undo);

    CUndoOwnership& m_ownership;
    std::vector<CDrawObj*> m_objects;
    std::vector<bool> m_added;
    std::vector<CDrawObj*> m_above;
};

// One object moved `count` places towards the top (negative: towards the bottom).
class CUndoZOrderRecord : public CUndoRecord {
public:
    CUndoZOrderRecord(CDrawObj* obj, int count) : m_pObj(obj), m_nCount(count) {}
    void Undo(IUndoView& view) override { Step(view, -m_nCount); }
    void Redo(IUndoView& view) override { Step(view, m_nCount); }

private:
    void Step(IUndoView& view, int count);

    CDrawObj* m_pObj;
    int m_nCount;
};

// Exchanges the stage depths of two objects that are neighbours on the document's stage, `lower`
// below `upper`. Each object's instances lie in one block of depths: every instance of the lower
// block, from its last, passes every instance of the upper block in order, which keeps each
// block's own stacking when either is a group. Each swap names the lower instance first, or the
// upper one with upperNamedFirst.
void SwapStageDepths(CDrawDoc& doc, CDrawObj* lower, CDrawObj* upper, bool upperNamedFirst = false);
