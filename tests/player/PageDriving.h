#pragma once

// Drives a component's property page as a person would (typing into its edits, clicking its
// buttons), for the player checks that publish what a page changed.

#include "model/Component.h"
#include "model/Parameter.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/controls/SpinEdit.h"
#include "platform/window/UserInput.h"
#include "propui/ComponentPage.h"
#include "propui/PropertyOwner.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace pagedriving {

// The owner of the page: counts the refreshes the page asks for.
class Owner : public IPropertyOwner {
public:
    void Refresh(int) override { ++refreshes; }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return type; }
    std::string GetComponentTypeName() const override { return type; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
    int refreshes = 0;
    std::string type;
};

// The in-place edit standing in for a dialog item, or the item itself.
inline CWnd* EditFor(CWnd& page, int id)
{
    for (CWnd* child : page.GetChildren())
        if (auto* edit = dynamic_cast<CInPlaceEdit*>(child); edit != nullptr && edit->GetStandsFor() == id)
            return edit;
    return page.GetDlgItem(id);
}

// Replaces the text of an edit by typing, and presses Enter when asked.
inline void Type(CWnd& page, int id, const std::string& text, bool enter)
{
    auto* edit = static_cast<CEdit*>(EditFor(page, id));
    edit->SetFocus();
    edit->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    edit->Type(text);
    if (enter)
        CUserInput::PressKey(VK_RETURN);
}

inline void Click(CWnd& page, int id)
{
    CUserInput::Click(*page.GetDlgItem(id), CPoint(3, 3));
}

// Chooses an item of a drop-down list as a person does.
inline void Choose(CWnd& page, int id, int index)
{
    static_cast<CComboBox*>(page.GetDlgItem(id))->UserSelect(index);
}

// Replaces the number of a spin edit by typing it and pressing Enter.
inline void TypeSpin(CWnd& page, int id, const std::string& text)
{
    CEdit* edit = static_cast<CSpinEdit*>(page.GetDlgItem(id))->EditPart();
    edit->SetFocus();
    edit->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    edit->Type(text);
    CUserInput::PressKey(VK_RETURN);
}

// Where a text stands among the items of a drop-down list.
inline int IndexOf(CComboBox& combo, const std::string& text)
{
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetLBText(i) == text)
            return i;
    throw std::runtime_error("no item " + text);
}

// Opens a page of the given class (made from pageArgs) on a set of a component as the sheet
// does, with the context given (its main window becomes parent), lets act change it through its
// controls and closes it; when mustTell, the page must have told its owner of the change.
template <class Page, class Act, class... PageArgs>
void Drive(CWnd& parent, CComponent& component, CParameterSet* set, const char* title,
           CPropertyPageContext context, bool mustTell, Act act, PageArgs&&... pageArgs)
{
    Owner owner;
    owner.type = component.GetTypeName();
    context.mainWindow = &parent;
    // Made after its owner and context: a page may still write to its owner as it goes.
    Page page(std::forward<PageArgs>(pageArgs)...);
    page.SetContext(&context);
    page.Create(set, title, false, &owner, component.GetParameters());
    if (!page.CreatePage(&parent))
        throw std::runtime_error("the page of " + owner.type + " did not open");
    page.ShowWindow(SW_SHOW);
    page.OnSetActive();
    act(page);
    if (mustTell && owner.refreshes == 0)
        throw std::runtime_error("the page of " + owner.type + " told its owner nothing");
    page.DestroyWindow();
}

// The set of a component's group, or the whole set when group is null.
inline CParameterSet* GroupSet(CComponent& component, const char* group)
{
    CParameterSet* root = component.GetParameters();
    return group != nullptr ? root->FindParameter(group)->GetSet() : root;
}

// Opens a page on a set nested in a component's group (a text format, say), lets act change it
// and checks the page told its owner.
template <class Page, class Act>
void EditSet(CWnd& parent, CComponent& component, CParameterSet* set, const char* title, Act act)
{
    Drive<Page>(parent, component, set, title, {}, true, act);
}

// Opens a page on a component as the sheet does (on the named group, or on the whole set when
// group is null), lets act change it through its controls, and checks the page told its owner.
template <class Page, class Act>
void Edit(CWnd& parent, CComponent& component, const char* group, Act act)
{
    Drive<Page>(parent, component, GroupSet(component, group), group != nullptr ? group : "General", {}, true, act);
}

} // namespace pagedriving
