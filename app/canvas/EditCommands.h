#pragma once

// The canvas view's Edit and Format commands on the selection that are not layout: Select All,
// Undo and Redo, Clear, Hide/Show, the line and fill colours, and the arrow keys' nudge, which
// becomes one undo record when the key is let go. The view's handlers forward to them.

#include <utility>
#include <vector>

#include "platform/drawing/Geometry.h"

class CDesignerContext;
class CDrawObj;
class ICanvasView;

class CEditCommands {
public:
    // Both outlive the commands.
    CEditCommands(ICanvasView& view, CDesignerContext& designer);

    void SelectAll();
    bool CanSelectAll() const;
    void Undo();
    void Redo();
    // Deletes the selection in one undo record that puts every object back in its place.
    void Clear();
    // Hides the one selected component or shows it again.
    void HideShow();
    bool CanHideShow() const;
    // Asks for a colour and gives it to every selected object's fill or line.
    void ChooseColor(bool fill);
    // Make Same Size: two or more selected, none of them a group.
    bool CanMakeSameSize() const;
    // Ungroup: a group among the selection.
    bool HasGroup() const;

    // An arrow key moves the selection by a pixel per repeat; false for another key.
    bool Nudge(unsigned key, unsigned repeat);
    // The key let go: the nudges since the key went down become one undo record.
    void EndNudge();
    // A new or opened document: a nudge in progress is forgotten.
    void ForgetNudge() { m_nudge.clear(); }

private:
    ICanvasView& m_view;
    CDesignerContext& m_designer;
    // The keyboard nudge in progress: each moved object and its rectangle before the burst.
    std::vector<std::pair<CDrawObj*, CRect>> m_nudge;
};
