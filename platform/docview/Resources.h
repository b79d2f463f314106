#pragma once

// The program's resources (strings, menus, accelerator tables, toolbar layouts) registered by
// id at start-up, in place of a compiled resource file. Dialog templates live with the dialogs.

#include <map>
#include <string>
#include <vector>

#include "platform/docview/Menu.h"
#include "platform/window/Messages.h"

// Accelerator flags.
enum : BYTE { FVIRTKEY = 0x01, FNOINVERT = 0x02, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };

struct ACCEL {
    BYTE fVirt = FVIRTKEY;
    WORD key = 0;
    WORD cmd = 0;
};

struct ToolBarTemplate {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> buttons; // ID_SEPARATOR (0) for a gap
};

class CResourceTable {
public:
    void AddString(UINT id, std::string text) { strings_[id] = std::move(text); }
    // False (and `text` emptied) when the string is not registered.
    bool LoadString(UINT id, std::string& text) const;
    std::string LoadString(UINT id) const;

    void AddMenu(UINT id, std::vector<MenuTemplateItem> items) { menus_[id] = std::move(items); }
    const std::vector<MenuTemplateItem>* FindMenu(UINT id) const;

    void AddAccelerators(UINT id, std::vector<ACCEL> table) { accelerators_[id] = std::move(table); }
    const std::vector<ACCEL>* FindAccelerators(UINT id) const;

    void AddToolBar(UINT id, ToolBarTemplate bar) { toolbars_[id] = std::move(bar); }
    const ToolBarTemplate* FindToolBar(UINT id) const;
    // A short text per button (separators included) that a button shows beside its icon; a
    // wide button names its command this way.
    void AddToolBarGlyphs(UINT id, std::vector<std::string> glyphs) { glyphs_[id] = std::move(glyphs); }
    const std::vector<std::string>* FindToolBarGlyphs(UINT id) const;
    // The icon name of each button (separators included), looked up in the icon theme.
    void AddToolBarIcons(UINT id, std::vector<std::string> icons) { icons_[id] = std::move(icons); }
    const std::vector<std::string>* FindToolBarIcons(UINT id) const;
    // The ids of the registered toolbars, for checks over all of them.
    std::vector<UINT> ToolBarIds() const;

private:
    std::map<UINT, std::string> strings_;
    std::map<UINT, std::vector<MenuTemplateItem>> menus_;
    std::map<UINT, std::vector<ACCEL>> accelerators_;
    std::map<UINT, ToolBarTemplate> toolbars_;
    std::map<UINT, std::vector<std::string>> glyphs_;
    std::map<UINT, std::vector<std::string>> icons_;
};

CResourceTable& GetResources();
void ResetResources();

// Part `index` of a text whose parts are separated by '\n' (empty when missing), as the
// document strings and command prompts are laid out.
std::string ExtractSubString(const std::string& text, int index, char separator = '\n');

// Accelerator tables: the handle is the table's resource id.
struct HACCEL__;
using HACCEL = HACCEL__*;
HACCEL LoadAccelerators(UINT id);
// A key-down matching an entry of the table (with the same Shift, Ctrl and Alt state) is sent
// to `hwnd` as WM_COMMAND with 1 in the high word of wParam.
int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg);
