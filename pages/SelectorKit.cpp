#include "pages/SelectorKit.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"
#include "propui/ComponentPage.h"

#include <cctype>

namespace pages {

int SelectorTypeOf(const std::string& symbol)
{
    static const struct {
        const char* symbol;
        int type;
    } kTypes[] = {
        {"KVPushButtonSymbol", kPushButton},  {"KVCheckBoxSymbol", kCheckBox},
        {"KVFilterSymbol", kFilter},          {"KVAlertButtonSymbol", kAlertButton},
        {"KVComboBoxSymbol", kComboBox},      {"KVPlaySelectorSymbol", kPlaySelector},
        {"KVRadioButtonSetSymbol", kRadioButtons}, {"KVMenuSymbol", kMenu},
        {"KVListBoxSymbol", kListBox},        {"KVMapUSASymbol", kMap},
        {"KVMapEuropeSymbol", kMap},
    };
    for (const auto& row : kTypes)
        if (symbol == row.symbol)
            return row.type;
    return kNoSelector;
}

bool StoreChoiceText(CParameter* parameter, const std::string& text)
{
    if (parameter == nullptr)
        return false;
    if (CValueList* list = parameter->GetValueList())
        return list->GetPrototype().SetString(text, false);
    if (model::IsStringType(parameter->GetType()))
        return parameter->SetString(text, false);
    return false;
}

int SelectPrefix(CComboBox& combo, const std::string& text)
{
    if (text.empty()) {
        combo.SetCurSel(-1);
        return -1;
    }
    const int index = combo.SelectString(-1, text.c_str());
    if (index < 0)
        combo.SetCurSel(-1);
    return index < 0 ? -1 : index;
}

std::string WithoutBlanks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

bool IsElementList(const CParameter* parameter)
{
    if (parameter == nullptr)
        return false;
    switch (parameter->GetType()) {
    case model::ParamType::List:
    case model::ParamType::Group:
    case model::ParamType::CellList:
    case model::ParamType::CellTable:
        return parameter->GetSet() != nullptr;
    default:
        return false;
    }
}

CParameter* ValueOf(CParameter* parameter)
{
    if (parameter == nullptr)
        return nullptr;
    if (CCellBinding* binding = parameter->GetBinding())
        return &binding->GetValue();
    return parameter;
}

int ElementCount(const CParameter* parameter)
{
    const CParameter* value = ValueOf(const_cast<CParameter*>(parameter));
    return IsElementList(value) ? value->GetElementCount() : 0;
}

void EnableSpin(CSpinEdit& spin, bool enable)
{
    spin.EnableWindow(enable ? TRUE : FALSE);
    spin.EnableControl(enable);
}

double NumberOf(const CParameter* parameter)
{
    if (parameter == nullptr)
        return 0;
    if (parameter->GetType() == model::ParamType::Integer)
        return parameter->GetInt();
    return parameter->GetDouble();
}

CParameter* FindLabels(const CParameterSet* set)
{
    return FindFirst(set, {"labels", "labels_ary", "regionNames"});
}

CParameter* FindSelectIndex(const CParameterSet* root)
{
    CParameter* index = FindInComponent(root, "selectIdx");
    return index != nullptr && index->GetType() == model::ParamType::Integer ? index : nullptr;
}

std::vector<const CParameter*> SourceEntries(const CParameter* values, bool byRows)
{
    std::vector<const CParameter*> entries;
    if (!IsElementList(values) || values->GetElementCount() == 0)
        return entries;
    if (byRows) {
        for (int i = 0; i < values->GetElementCount(); ++i) {
            const CParameter* row = values->GetElement(i);
            if (IsElementList(row))
                row = row->GetElementCount() > 0 ? row->GetElement(0) : nullptr;
            if (row != nullptr)
                entries.push_back(row);
        }
        return entries;
    }
    const CParameter* first = values->GetElement(0);
    const CParameter* row = IsElementList(first) ? first : values;
    for (int i = 0; i < row->GetElementCount(); ++i)
        if (const CParameter* cell = row->GetElement(i); cell != nullptr && !IsElementList(cell))
            entries.push_back(cell);
    return entries;
}

std::string RegionLabel(const CParameter& region)
{
    return region.GetLabel().empty() ? region.GetName() : region.GetLabel();
}

// ---- CVisibilityBlock ----

namespace {

const char* const kEffects[] = {"None", "Fade-in", "Grow", "Grow X first"};

} // namespace

void CVisibilityBlock::FillEffects(CComboBox& combo)
{
    combo.ResetContent();
    for (const char* effect : kEffects)
        combo.AddString(effect);
}

bool CVisibilityBlock::Attach(CComponentPage& page, CParameterSet* group, Ids ids)
{
    m_page = &page;
    m_group = group;
    m_ids = ids;
    if (auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(ids.effectCombo)); combo != nullptr && combo->GetCount() == 0)
        FillEffects(*combo);
    CParameter* status = group != nullptr ? group->FindParameter("displayStatus") : nullptr;
    CCellBinding* binding = status != nullptr ? status->GetBinding() : nullptr;
    if (binding == nullptr) {
        // Without a status there is no key to show it by: the plain edit stays, disabled.
        EnableItems(page, {ids.statusLink, ids.statusLabel, ids.keyEdit, ids.keyLink, ids.keyLabel}, false);
        return false;
    }
    page.SetDlgItemText(ids.statusRange, binding->GetTexts().GetRangeText());
    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    m_key.Attach(page, group->FindParameter("displayKey"), ids.keyEdit, ids.keyLink, policy);
    EnableKey(binding->IsBound());
    return true;
}

CSpinEdit* CVisibilityBlock::Spin() const
{
    return m_page != nullptr ? dynamic_cast<CSpinEdit*>(m_page->GetDlgItem(m_ids.durationSpin)) : nullptr;
}

void CVisibilityBlock::EnableKey(bool enable)
{
    const bool present = m_key.Parameter() != nullptr;
    m_key.Enable(present && enable);
    EnableItems(*m_page, {m_ids.keyLabel}, present && enable);
}

void CVisibilityBlock::EnableDuration(bool enable)
{
    CSpinEdit* spin = Spin();
    const bool bound = m_group != nullptr && m_group->FindParameter("introTime") != nullptr;
    if (spin != nullptr)
        EnableSpin(*spin, enable && bound);
    EnableItems(*m_page, {m_ids.durationLabel}, enable && bound);
}

void CVisibilityBlock::ShowEffect()
{
    if (m_page == nullptr)
        return;
    CComponentPage& page = *m_page;
    if (CSpinEdit* spin = Spin())
        spin->BindParameter(m_group != nullptr ? m_group->FindParameter("introTime") : nullptr,
                            [&page] { page.NotifyOwnerChanged(); }, page.GetDialogFont(), true, false);
    auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(m_ids.effectCombo));
    const CParameter* style = m_group != nullptr ? m_group->FindParameter("introStyle") : nullptr;
    if (combo == nullptr || style == nullptr || !model::IsStringType(style->GetType())) {
        EnableItems(page, {m_ids.effectCombo, m_ids.effectLabel}, false);
        EnableDuration(false);
        return;
    }
    EnableItems(page, {m_ids.effectCombo, m_ids.effectLabel}, true);
    // Only "None" has no duration: a value that begins no item keeps the duration usable.
    EnableDuration(SelectPrefix(*combo, style->GetString()) != 0);
}

void CVisibilityBlock::OnEffectChosen()
{
    auto* combo = dynamic_cast<CComboBox*>(m_page->GetDlgItem(m_ids.effectCombo));
    CParameter* style = m_group != nullptr ? m_group->FindParameter("introStyle") : nullptr;
    if (combo == nullptr || style == nullptr || !model::IsStringType(style->GetType()) || combo->GetCurSel() < 0)
        return;
    style->SetString(combo->GetLBText(combo->GetCurSel()), false);
    EnableDuration(combo->GetCurSel() != 0);
    m_page->NotifyOwnerChanged();
}

void CVisibilityBlock::OnStatusLink()
{
    CParameter* status = m_group != nullptr ? m_group->FindParameter("displayStatus") : nullptr;
    // A cancelled or refused pick keeps what was set.
    if (!PickCells(*m_page, status, m_ids.statusRange, nullptr))
        return;
    if (status->GetBinding()->IsBound()) {
        EnableKey(true);
    } else {
        ShowAlways(*status, m_group->FindParameter("displayKey"));
        m_key.Show();
        EnableKey(false);
    }
    m_page->NotifyOwnerChanged();
}

} // namespace pages
