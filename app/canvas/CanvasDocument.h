#pragma once

// What a canvas object needs of the document it stands in: the stage its components show on,
// a full refresh of that stage, the modified flag and a redraw of the object in every view.
// The document implements it, so the objects never see the document's own header.

#include "platform/window/Messages.h"

class CDrawObj;
class CStageFlashCtrl;

class ICanvasDocument {
public:
    virtual ~ICanvasDocument() = default;
    // The stage the document's components show on; null where there is none.
    virtual CStageFlashCtrl* GetStage() const = 0;
    // Puts every component on the stage again; with bTables, tables get their full update.
    virtual void RefreshStage(BOOL bTables) = 0;
    // The document has changes to save.
    virtual void MarkModified() = 0;
    // Every view redraws the object's area.
    virtual void UpdateObjectViews(CDrawObj* obj) = 0;
};
