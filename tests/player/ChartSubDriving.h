#pragma once

// Drives a chart's Appearance sub-pages as a person does, for the player checks that publish
// what a sub-page changed.

#include "model/Component.h"
#include "pages/ChartSubPages.h"
#include "platform/controls/SpinEdit.h"
#include "tests/player/PageDriving.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace pagedriving {

// Opens a chart sub-page on a component's Appearance group as the Appearance page does, lets
// act change it through its controls, and checks the page told its owner.
inline void EditSub(CWnd& parent, CComponent& component, std::unique_ptr<pages::CChartSubPage> page, int chartType,
                    const std::function<void(CWnd&)>& act)
{
    Owner owner;
    owner.type = component.GetTypeName();
    CParameterSet* root = component.GetParameters();
    CPropertyPageContext context;
    context.mainWindow = &parent;
    page->SetContext(&context);
    page->CreateForChart(chartType, root->FindParameter("Appearance")->GetSet(), "Appearance", false, &owner, root);
    if (!page->CreatePage(&parent))
        throw std::runtime_error("the sub-page of " + owner.type + " did not open");
    page->ShowWindow(SW_SHOW);
    page->OnSetActive();
    act(*page);
    if (owner.refreshes == 0)
        throw std::runtime_error("the sub-page of " + owner.type + " told its owner nothing");
    page->DestroyWindow();
    // The page writes what it remembers into its owner as it goes: it goes first.
    page.reset();
}

// Types a value into a spin edit and commits it.
inline void Spin(CWnd& page, int id, const char* text)
{
    auto* spin = dynamic_cast<CSpinEdit*>(page.GetDlgItem(id));
    if (spin == nullptr || !spin->IsWindowEnabled())
        throw std::runtime_error("spin edit " + std::to_string(id) + " cannot be typed into");
    spin->EditPart()->SetWindowText(text);
    spin->CommitTyped();
}

} // namespace pagedriving
