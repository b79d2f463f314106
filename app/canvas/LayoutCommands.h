#pragma once

// The Format and Edit commands of the canvas view that act on the selection: align, make same
// size, space evenly, center in the document, the z-order, group and ungroup, and cut, copy and
// paste. Each command changes the canvas objects, mirrors every change on the stage at once and
// pushes at most one undo record, so that one Undo reverses one command.

#include <vector>

#include "platform/drawing/Geometry.h"
#include "platform/services/Clipboard.h"

class CComponentObj;
class CDrawDoc;
class CDrawObj;
class ICanvasView;
class CUndoGeometryRecord;

// What Cut and Copy leave on the program's clipboard: copies of canvas objects, belonging to
// no document, and whether they came from Cut (Paste then keeps their names once).
class CCanvasClip : public IClipboardData {
public:
    static constexpr const char* kFormat = "Vantorel Canvas Objects";

    CCanvasClip() = default;
    ~CCanvasClip() override;
    CCanvasClip(const CCanvasClip&) = delete;
    CCanvasClip& operator=(const CCanvasClip&) = delete;

    // The objects, bottom first; the clip owns them.
    std::vector<CDrawObj*> objects;
    bool fromCut = false;
};

class CLayoutCommands {
public:
    enum class Edge { Left, Right, Top, Bottom, CenterHorizontal, CenterVertical };
    enum class Size { Width, Height, Both };
    enum class Axis { Down, Across };
    enum class Centre { Vertical, Horizontal, Both };

    // Pasted objects stand this far right of and below what was copied (5 pixels).
    static constexpr int kPasteOffset = 100;

    CLayoutCommands(ICanvasView& view, CClipboard& clipboard);

    // Runs the command of a Format or Edit menu id; false for an id that is not one of these.
    bool Execute(unsigned id);

    // Reference: the object selected first; every object keeps its size.
    void Align(Edge edge);
    // Reference: the first selected object's size; every object keeps its top-left corner.
    void MakeSameSize(Size size);
    // The first and last objects along the axis stay; those between get evenly spaced centres.
    void SpaceEvenly(Axis axis);
    // The selection moves as a block to the middle of the canvas.
    void CenterInDocument(Centre centre);

    // The z-order of the first selected object.
    void BringToFront() { MoveInZOrder(true, true); }
    void SendToBack() { MoveInZOrder(false, true); }
    void BringForward() { MoveInZOrder(true, false); }
    void SendBack() { MoveInZOrder(false, false); }

    // Two or more objects become one object holding all their components.
    void Group();
    // Every selected group gives back one object per component.
    void Ungroup();

    void Cut();
    void Copy();
    void Paste();
    // Whether Paste has something to paste.
    bool CanPaste() const;

private:
    enum class StageCall { Move, Resize };
    // Gives the object its new rectangle, notes the change in the record and tells the stage;
    // nothing happens when the rectangle stays.
    void Commit(CDrawObj* obj, const CRect& rect, CUndoGeometryRecord& record, StageCall call);
    // Pushes the record when it holds a change, else deletes it; every view is updated.
    void Finish(CUndoGeometryRecord* record);
    void MoveInZOrder(bool forward, bool allTheWay);
    // One place towards the top or the bottom, in the list and on the stage; false when the
    // object is already at that end.
    bool StepOnce(CDrawObj* obj, bool forward);
    // Moves an object one place up in the list past its upper neighbour, on the stage too.
    void SwapWithAbove(CDrawObj* obj);
    // Brings an object up or down the list by single swaps until it lies directly above
    // `anchor`.
    void PlaceDirectlyAbove(CDrawObj* obj, CDrawObj* anchor);
    // The selected objects become contiguous below the topmost of them, keeping their order.
    void Gather(const std::vector<CDrawObj*>& lowestFirst);
    CCanvasClip* Clip() const;
    CCanvasClip& NewClip();

    ICanvasView& m_view;
    CClipboard& m_clipboard;
};
