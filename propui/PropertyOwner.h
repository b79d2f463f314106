#pragma once

// What the property pages need of the canvas object whose component they edit, and the
// program services they reach through their sheet. The user-interface layer above passes both
// down, so no page reaches a global.

#include <functional>
#include <string>

#include "platform/drawing/Geometry.h"

class CCellModel;
class CExcelHost;
class CPageClassRegistry;
class CPropertyMap;
class CVariableTable;
class CWnd;

class IPropertyOwner {
public:
    virtual ~IPropertyOwner() = default;
    // After every change: 0 republishes the component on the stage. The document counts as
    // changed either way.
    virtual void Refresh(int flag) = 0;
    // A change that needs no republish (a remembered page, a setting only the editor keeps)
    // still makes the document one to save.
    virtual void MarkDocumentChanged() = 0;
    // The sheet's title.
    virtual std::string GetTitleName() const = 0;
    // The symbol name of the first component ("KVLineSymbol"); empty without a component.
    virtual std::string GetComponentTypeName() const = 0;
    // The editor state of the first component; null without a component.
    virtual CPropertyMap* GetFirstPropertyMap() = 0;
    virtual int GetComponentCount() const = 0;
};

// The services of the program a property sheet and its pages use. Every member may be left
// empty: the page then behaves as when the service has nothing to give (no model, no help).
struct CPropertyPageContext {
    // The page classes the sheet chooses from; without it every group gets the plain page.
    const CPageClassRegistry* pages = nullptr;
    // The host of the imported workbook (it owns the range picker), or null without a model.
    std::function<CExcelHost*()> currentHost;
    // The base movie's current cell model and variable table.
    std::function<const CCellModel*()> cellModel;
    std::function<CVariableTable*()> variableTable;
    // Runs the Import Model dialog for the active canvas view; true when it ended with OK.
    std::function<bool()> importModel;
    // The document's 16 custom colours (window colours), shared by every colour dialog.
    COLORREF* customColors = nullptr;
    // Owner of message boxes and dialogs.
    CWnd* mainWindow = nullptr;
    // With the "r" switch the busy and not-responding prompts of automation calls are turned
    // off while the user picks a range; this is told false before and true after.
    bool rangeSwitch = false;
    std::function<void(bool)> busyDialogs;
    // Told when a sheet closes (the canvas view empties its multiple selection).
    std::function<void()> sheetClosed;
};
