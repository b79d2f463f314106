#include "pages/PageBlocks.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/Button.h"
#include "propui/ComponentPage.h"

#include <algorithm>
#include <cmath>

namespace pages {

DialogTemplate PageTemplate(int id, const char* caption)
{
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
    t.cx = kPageWidth;
    t.cy = kPageHeight;
    return t;
}

using model::ParamType;

CParameterSet* PageGroup(const CComponentPage& page, const char* groupName)
{
    CParameterSet* group = page.GetGroup();
    if (group == nullptr || group != page.GetRootSet())
        return group;
    const CParameter* own = group->FindParameter(groupName);
    return own != nullptr && own->GetType() == ParamType::Group && own->GetSet() != nullptr ? own->GetSet() : group;
}

CParameter* FindInComponent(const CParameterSet* root, const char* key)
{
    if (root == nullptr)
        return nullptr;
    if (CParameter* found = root->FindParameter(key))
        return found;
    for (int i = 0; i < root->GetCount(); ++i) {
        const CParameter* member = root->GetAt(i);
        if (member->GetType() == ParamType::Group && member->GetSet() != nullptr)
            if (CParameter* found = member->GetSet()->FindParameter(key))
                return found;
    }
    return nullptr;
}

bool PickCells(CComponentPage& page, CParameter* parameter, int controlId, CWnd* edit, const CRangeCheck* check)
{
    CCellBinding* binding = parameter != nullptr ? parameter->GetBinding() : nullptr;
    if (binding == nullptr)
        return false;
    // A value of one number, text, flag or colour is linked to one cell: a larger range would
    // feed it the first cell's value and show nothing wrong until the movie runs.
    static const CRangeCheck kOneCell{false, CRangeCheck::kExactCells, 1, nullptr};
    const ParamType type = binding->GetValue().GetType();
    const bool scalar = type == ParamType::Text || type == ParamType::Number || type == ParamType::Boolean ||
                        type == ParamType::Integer || type == ParamType::Color || type == ParamType::OtherText;
    if (check == nullptr && scalar)
        check = &kOneCell;
    if (!page.SelectRange(binding, controlId, edit, false, check))
        return false;
    parameter->RefreshFromCells(binding->GetRangePtr(), false);
    return true;
}

// ---- CLinkedValueEdit ----

void CLinkedValueEdit::Attach(CComponentPage& page, CParameter* parameter, int editId, int linkId, Policy policy)
{
    m_page = &page;
    m_parameter = parameter;
    m_editId = editId;
    m_linkId = linkId;
    m_policy = policy;
    page.ReplaceControl(m_edit, editId, page.GetDialogFont());
    Show();
    if (parameter == nullptr)
        Enable(false);
}

void CLinkedValueEdit::Show()
{
    if (m_edit.GetSafeHwnd() == nullptr)
        return;
    const std::string text = ShownText(m_parameter);
    m_edit.SetWindowText(text);
    m_edit.SetBaseline(text);
}

void CLinkedValueEdit::Enable(bool enable)
{
    if (m_edit.GetSafeHwnd() != nullptr)
        m_edit.EnableWindow(enable ? TRUE : FALSE);
    EnableItems(*m_page, {m_linkId}, enable);
}

void CLinkedValueEdit::OnLink()
{
    if (!PickCells(*m_page, m_parameter, m_editId, &m_edit, nullptr))
        return;
    CCellBinding* binding = m_parameter->GetBinding();
    if (!binding->IsBound() && m_policy.emptyOnClear)
        binding->GetValue().SetString("", true);
    Show();
    m_page->NotifyOwnerChanged();
}

bool CLinkedValueEdit::OnCommit(int standsFor)
{
    if (standsFor != m_editId || m_parameter == nullptr)
        return false;
    const std::string text = m_edit.GetWindowText();
    // Refusing before unlinking: an empty address must not silently drop the link.
    if (text.empty() && m_policy.refuseEmpty) {
        Show();
        return true;
    }
    Unlink(m_parameter);
    CParameter* target = TypedTarget(m_parameter);
    if (m_policy.byType && target->GetType() == ParamType::Number)
        target->SetDouble(ParseDouble(text), true);
    else if (m_policy.byType && target->GetType() == ParamType::Integer)
        target->SetInt(ParseInt(text));
    else
        target->SetString(text, true);
    m_edit.SetBaseline(text);
    if (m_policy.republishTyped)
        m_page->NotifyOwnerChanged();
    else
        m_page->MarkDocumentChanged();
    return true;
}

// ---- CNumberEdit ----

bool CNumberEdit::Attach(CComponentPage& page, CParameter* parameter, int editId)
{
    m_page = &page;
    m_editId = editId;
    const bool number = parameter != nullptr &&
                        (parameter->GetType() == ParamType::Integer || parameter->GetType() == ParamType::Number);
    m_parameter = number ? parameter : nullptr;
    if (m_edit.GetSafeHwnd() == nullptr)
        page.ReplaceControl(m_edit, editId, page.GetDialogFont());
    m_edit.SetNumericFilter(true);
    m_attached = m_parameter != nullptr;
    Show();
    if (!m_attached)
        m_edit.EnableWindow(FALSE);
    return m_attached;
}

void CNumberEdit::Show()
{
    const std::string text = m_parameter != nullptr ? m_parameter->GetValueText() : std::string();
    m_edit.SetWindowText(text);
    m_edit.SetBaseline(text);
}

void CNumberEdit::Enable(bool enable)
{
    if (m_edit.GetSafeHwnd() != nullptr)
        m_edit.EnableWindow(enable && m_attached ? TRUE : FALSE);
}

bool CNumberEdit::OnCommit(int standsFor)
{
    if (standsFor != m_editId || m_parameter == nullptr)
        return false;
    const bool integer = m_parameter->GetType() == ParamType::Integer;
    double low = 0;
    double high = integer ? 100 : 9.9;
    if (const auto& range = m_parameter->GetRange()) {
        low = range->minimum;
        high = range->maximum;
    }
    double value = std::clamp(ParseDouble(m_edit.GetWindowText()), low, std::max(low, high));
    if (integer)
        m_parameter->SetInt(static_cast<std::int32_t>(std::trunc(value)));
    else
        m_parameter->SetDouble(value);
    Show();
    if (m_afterStore)
        m_afterStore();
    m_page->NotifyOwnerChanged();
    return true;
}

// ---- CTextOrCell ----

void CTextOrCell::Attach(CComponentPage& page, CParameter* binding, Ids ids)
{
    m_page = &page;
    m_ids = ids;
    m_binding = binding != nullptr && binding->GetBinding() != nullptr ? binding : nullptr;
    if (m_binding == nullptr) {
        EnableItems(page, {ids.linkRadio, ids.textRadio, ids.linkButton, ids.textBox}, false);
        return;
    }
    const CCellBinding* cells = m_binding->GetBinding();
    m_filling = true;
    if (cells->IsBound()) {
        page.SetDlgItemText(ids.rangeEdit, cells->GetTexts().GetRangeText());
    } else {
        page.SetDlgItemText(ids.textBox, cells->GetValue().GetString());
    }
    m_filling = false;
    SetMode(cells->IsBound());
}

void CTextOrCell::SetMode(bool linked)
{
    m_page->CheckDlgButton(m_ids.linkRadio, linked ? BST_CHECKED : BST_UNCHECKED);
    m_page->CheckDlgButton(m_ids.textRadio, linked ? BST_UNCHECKED : BST_CHECKED);
    EnableItems(*m_page, {m_ids.linkButton}, linked);
    EnableItems(*m_page, {m_ids.textBox}, !linked);
}

void CTextOrCell::OnLinkMode()
{
    if (m_binding != nullptr)
        SetMode(true);
}

void CTextOrCell::OnTextMode()
{
    if (m_binding != nullptr)
        SetMode(false);
}

void CTextOrCell::OnLink()
{
    if (m_binding == nullptr)
        return;
    if (!m_page->SelectRange(m_binding->GetBinding(), m_ids.rangeEdit, nullptr, false, nullptr))
        return;
    m_filling = true;
    m_page->SetDlgItemText(m_ids.textBox, "");
    m_filling = false;
    CCellBinding* cells = m_binding->GetBinding();
    m_binding->RefreshFromCells(cells->GetRangePtr(), false);
    if (!cells->IsBound()) {
        cells->GetValue().SetString("", true);
        SetMode(false);
    }
    m_page->NotifyOwnerChanged();
}

void CTextOrCell::OnTextChanged()
{
    // Text the page puts into the box itself is no typing.
    if (m_filling || m_binding == nullptr)
        return;
    const std::string text = m_page->GetDlgItemText(m_ids.textBox);
    Unlink(m_binding);
    m_binding->GetBinding()->GetValue().SetString(text, true);
    m_page->SetDlgItemText(m_ids.rangeEdit, "");
    m_page->NotifyOwnerChanged();
}

// ---- CCheckedColour ----

void CCheckedColour::Attach(CComponentPage& page, CParameterSet* set, const char* checkKey, int checkId,
                            const char* colourKey, int colourId)
{
    m_page = &page;
    m_set = set;
    m_checkKey = checkKey;
    m_checkId = checkId;
    m_colourKey = colourKey;
    page.BindCheckBoxInSet(checkKey, checkId, set, false);
    page.BindColorButtonInSet(colourKey, colourId, m_button, set, false);
    Refresh();
}

void CCheckedColour::Refresh(bool extra)
{
    const CParameter* flag = m_set != nullptr ? m_set->FindParameter(m_checkKey) : nullptr;
    const CParameter* colour = m_set != nullptr ? m_set->FindParameter(m_colourKey) : nullptr;
    if (flag != nullptr && m_button.GetSafeHwnd() != nullptr)
        m_button.EnableWindow(flag->GetBool() && extra && colour != nullptr ? TRUE : FALSE);
}

void CCheckedColour::OnCheck(bool extra)
{
    if (StoreCheck(*m_page, m_checkId, m_set, m_checkKey))
        Refresh(extra);
    m_page->NotifyOwnerChanged();
}

void CCheckedColour::OnColour()
{
    // A swatch without its parameter shows only the default colour; there is nothing to set.
    if (m_set != nullptr && m_set->FindParameter(m_colourKey) != nullptr)
        m_page->OnColorButtonClicked(m_colourKey, m_button, m_set);
}

bool StoreCheck(CComponentPage& page, int checkId, CParameterSet* set, const char* key, bool negate)
{
    CParameter* parameter = set != nullptr ? set->FindParameter(key) : nullptr;
    if (parameter == nullptr)
        return false;
    parameter->SetBool((page.IsDlgButtonChecked(checkId) == BST_CHECKED) != negate);
    return true;
}

void StoreCheckAndRepublish(CComponentPage& page, int checkId, CParameterSet* set, const char* key)
{
    if (StoreCheck(page, checkId, set, key))
        page.NotifyOwnerChanged();
}

} // namespace pages
