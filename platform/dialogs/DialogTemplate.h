#pragma once

#include "platform/drawing/Font.h"
#include "platform/drawing/Geometry.h"
#include "platform/window/Messages.h"

#include <map>
#include <string>
#include <vector>

constexpr DWORD DS_ABSALIGN = 0x1;
constexpr DWORD DS_3DLOOK = 0x4;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_CONTROL = 0x400;
constexpr DWORD DS_CENTER = 0x800;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x1;
// A tool window (a palette, a browser): the screen keeps it above its owner.
constexpr DWORD kToolWindow = 0x80;
constexpr DWORD WS_EX_CLIENTEDGE = 0x200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x10000;
constexpr DWORD WS_EX_STATICEDGE = 0x20000;

// One control of a dialog template: window class, text, id, rectangle in dialog units and
// styles. WS_CHILD is implied.
struct DialogItemTemplate {
    std::string className;
    std::string text;
    int id = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// A dialog as the resource compiler would have described it: caption, font, size in dialog
// units and its controls in tab order. Registered by id in place of compiled resources, or
// built by code and used directly.
struct DialogTemplate {
    int id = 0;
    std::string caption;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DWORD exStyle = 0;
    std::string fontFace = "MS Shell Dlg";
    int pointSize = 8;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::vector<DialogItemTemplate> items;

    DialogTemplate& Add(std::string className, std::string text, int itemId, int ix, int iy, int icx, int icy,
                        DWORD itemStyle, DWORD itemExStyle = 0);
    const DialogItemTemplate* FindItem(int itemId) const;
};

class CDialogTemplateTable {
public:
    void Add(DialogTemplate dialog);
    const DialogTemplate* Find(int id) const;
    void Clear() { m_templates.clear(); }

private:
    std::map<int, DialogTemplate> m_templates;
};

// The program's dialog templates, and a reset for tests.
CDialogTemplateTable& GetDialogTemplates();
void ResetDialogTemplates();

namespace ui {

// Horizontal and vertical base units of a dialog font: the average character width and the
// character height. A dialog unit is a quarter of the first and an eighth of the second.
CSize DialogBaseUnits(const LOGFONT& font);
CRect DialogUnitsToPixels(int x, int y, int cx, int cy, const LOGFONT& font);
// The font a template asks for, at the screen's density.
LOGFONT TemplateFont(const DialogTemplate& dialog);

} // namespace ui
