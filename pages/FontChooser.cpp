#include "pages/FontChooser.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "propui/ComponentPage.h"
#include "propui/FontDataCtrl.h"

namespace pages {

bool AttachFontChooser(CComponentPage& page, CFontDataCtrl& chooser, int id, CParameterSet* set, const char* key)
{
    const CParameter* format = set != nullptr ? set->FindParameter(key) : nullptr;
    CParameterSet* group = format != nullptr && format->GetType() == model::ParamType::Group ? format->GetSet() : nullptr;
    if (chooser.GetSafeHwnd() == nullptr && !chooser.SubclassDlgItem(static_cast<UINT>(id), &page))
        return false;
    const CPropertyPageContext* context = page.GetContext();
    chooser.Create(group, page.GetOwner(), false, context != nullptr ? context->customColors : nullptr);
    if (group == nullptr)
        chooser.EnableWindow(FALSE);
    return group != nullptr;
}

} // namespace pages
