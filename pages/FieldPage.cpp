#include "pages/FieldPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/SpinEdit.h"
#include "propui/FontDataCtrl.h"
#include "propui/PageFactory.h"

#include <algorithm>

namespace pages {

using model::ParamType;

namespace {

ParamField MakeRow(FieldKind kind, std::vector<int> ids, std::vector<const char*> keys,
                   FieldPolicy policy = {})
{
    ParamField row;
    row.kind = kind;
    row.ids = std::move(ids);
    row.keys = std::move(keys);
    row.policy = policy;
    return row;
}

} // namespace

ParamField CheckRow(int id, const char* key, FieldPolicy policy)
{
    return MakeRow(FieldKind::Check, {id}, {key}, policy);
}

ParamField RadioRow(std::vector<int> ids, const char* key, std::vector<const char*> choices,
                    FieldPolicy policy)
{
    ParamField row = MakeRow(FieldKind::Radio, std::move(ids), {key}, policy);
    row.choices = std::move(choices);
    return row;
}

ParamField ChoiceRow(int id, const char* key, FieldPolicy policy)
{
    return MakeRow(FieldKind::Choice, {id}, {key}, policy);
}

ParamField ColourRow(int id, const char* key, FieldPolicy policy)
{
    return MakeRow(FieldKind::Colour, {id}, {key}, policy);
}

ParamField CheckedColourRow(int checkId, const char* checkKey, int colourId, const char* colourKey,
                            FieldPolicy policy)
{
    return MakeRow(FieldKind::CheckedColour, {checkId, colourId}, {checkKey, colourKey}, policy);
}

ParamField NumberRow(int id, const char* key)
{
    return MakeRow(FieldKind::Number, {id}, {key});
}

ParamField SpinRow(int id, const char* key, std::vector<int> captions, FieldPolicy policy)
{
    std::vector<int> ids = {id};
    ids.insert(ids.end(), captions.begin(), captions.end());
    return MakeRow(FieldKind::Spin, std::move(ids), {key}, policy);
}

ParamField LinkedRow(int editId, int linkId, const char* key, FieldPolicy policy)
{
    return MakeRow(FieldKind::LinkedValue, {editId, linkId}, {key}, policy);
}

ParamField VisibilityRow(const CVisibilityBlock::Ids& ids)
{
    return MakeRow(FieldKind::Visibility,
                   {ids.statusRange, ids.statusLink, ids.statusLabel, ids.keyEdit, ids.keyLink, ids.keyLabel,
                    ids.effectCombo, ids.effectLabel, ids.durationSpin, ids.durationLabel},
                   {"displayStatus", "displayKey", "introStyle", "introTime"});
}

ParamField TypedVisibilityRow(const CVisibilityBlock::Ids& ids, FieldPolicy policy)
{
    ParamField row = VisibilityRow(ids);
    row.kind = FieldKind::TypedVisibility;
    row.policy = policy;
    return row;
}

ParamField CommandRow(int id, std::function<void(CFieldPage&)> action)
{
    ParamField row = MakeRow(FieldKind::Command, {id}, {});
    row.onCommand = std::move(action);
    return row;
}

ParamField FontRow(int id, std::vector<const char*> keys, std::vector<int> captions, FieldPolicy policy)
{
    std::vector<int> ids = {id};
    ids.insert(ids.end(), captions.begin(), captions.end());
    return MakeRow(FieldKind::Font, std::move(ids), std::move(keys), policy);
}

ParamField ScrollRow(const CScrollRadios::Ids& ids, const char* key)
{
    return MakeRow(FieldKind::Scroll, {ids.enable, ids.disable, ids.autoHide, ids.group}, {key});
}

ParamField TextOrCellRow(const CTextOrCell::Ids& ids, const char* key)
{
    return MakeRow(FieldKind::TextOrCell,
                   {ids.linkRadio, ids.textRadio, ids.rangeEdit, ids.linkButton, ids.textBox}, {key});
}

ParamField CellLinkRow(int rangeId, int linkId, std::vector<const char*> keys, FieldPolicy policy)
{
    return MakeRow(FieldKind::CellLink, {rangeId, linkId}, std::move(keys), policy);
}

ParamField OwnRow(std::vector<int> ids, std::vector<const char*> keys)
{
    return MakeRow(FieldKind::Own, std::move(ids), std::move(keys));
}

std::function<int(const CFieldPage&)> Topic(int topic)
{
    return [topic](const CFieldPage&) { return topic; };
}

ParamField WithHelp(ParamField row, int topic, std::vector<int> onlyIds)
{
    row.help = Topic(topic);
    row.helpIds = std::move(onlyIds);
    return row;
}

ParamField WithCaptions(ParamField row, std::vector<int> captions)
{
    row.ids.insert(row.ids.end(), captions.begin(), captions.end());
    return row;
}

ParamField Within(const char* group, ParamField row)
{
    row.within = group;
    return row;
}

ParamField PresentWhen(ParamField row, std::function<bool(const CFieldPage&)> when)
{
    row.presentWhen = std::move(when);
    return row;
}

ParamField EnabledWhen(ParamField row, std::function<bool(const CFieldPage&)> when)
{
    row.enabledWhen = std::move(when);
    return row;
}

ParamField WithEffectHelp(ParamField visibilityRow)
{
    const std::vector<int>& i = visibilityRow.ids;
    // The effect combo, the duration and the status link, in the block's order of ids.
    std::vector<int> ids = {i[6], i[8], i[1]};
    return WithHelp(std::move(visibilityRow), 890, std::move(ids));
}

namespace {

CVisibilityBlock::Ids VisibilityIds(const ParamField& row)
{
    const std::vector<int>& i = row.ids;
    return {i[0], i[1], i[2], i[3], i[4], i[5], i[6], i[7], i[8], i[9]};
}

// The set a row's keys are in: the page's, or the group of it the row names.
CParameterSet* RowSet(CParameterSet* set, const ParamField& row)
{
    if (row.within == nullptr || set == nullptr)
        return set;
    const CParameter* group = set->FindParameter(row.within);
    return group != nullptr && group->GetType() == ParamType::Group ? group->GetSet() : nullptr;
}

// The first of the keys held by the set, or by one of its groups when the whole component counts.
CParameter* Lookup(CParameterSet* pageSet, const CParameterSet* root, const ParamField& row)
{
    const CParameterSet* set = RowSet(pageSet, row);
    for (const char* key : row.keys) {
        if (CParameter* found = set != nullptr ? set->FindParameter(key) : nullptr)
            return found;
        if (row.scope == FieldScope::Component)
            if (CParameter* found = FindInComponent(root, key))
                return found;
    }
    return nullptr;
}

} // namespace

// What a row keeps between events: the in-place edit of a linked value, the display-status block.
struct CFieldPage::Block {
    CLinkedValueEdit linked;
    CVisibilityBlock visibility;
    CNumberEdit duration; // also the number of a Number row
    CColorButton colour;
    CCheckedColour checkedColour;
    CScrollRadios scroll;
    CTextOrCell textOrCell;
    CFontDataCtrl font;
};

CFieldPage::CFieldPage(const char* groupName, TemplateMaker makeTemplate, std::vector<ParamField> rows,
                       HelpTopic defaultHelp)
    : m_groupName(groupName), m_makeTemplate(std::move(makeTemplate)), m_rows(std::move(rows)),
      m_defaultHelp(std::move(defaultHelp))
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_blocks.push_back(std::make_unique<Block>());
}

CFieldPage::~CFieldPage()
{
    // The in-place edits commit what was typed when they lose the focus, and they report to
    // this page: they must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CFieldPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                        CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    if (std::any_of(m_rows.begin(), m_rows.end(), [](const ParamField& r) {
            return r.kind == FieldKind::Spin || r.kind == FieldKind::Visibility;
        }))
        CSpinEdit::RegisterClass();
    Construct(m_makeTemplate(*this));
    return TRUE;
}

CParameter* CFieldPage::FieldParameter(const ParamField& row) const
{
    CParameter* found = Lookup(FieldSet(), GetRootSet(), row);
    if (found != nullptr && row.policy.bindingOnly && found->GetBinding() == nullptr)
        return nullptr;
    return found;
}

std::set<std::string> CFieldPage::EditedKeys() const
{
    std::set<std::string> keys;
    for (const ParamField& row : m_rows) {
        if (!Present(row))
            continue;
        // A block of several keys edits each of them; other rows edit the first the component holds.
        if (row.kind == FieldKind::Visibility || row.kind == FieldKind::TypedVisibility ||
            row.kind == FieldKind::CheckedColour) {
            for (const char* key : row.keys)
                if (FieldSet() != nullptr && FieldSet()->FindParameter(key) != nullptr)
                    keys.insert(key);
        } else if (const CParameter* parameter = FieldParameter(row)) {
            // A key in a group of the page's set counts as its path.
            keys.insert(row.within != nullptr ? std::string(row.within) + "/" + parameter->GetName()
                                              : parameter->GetName());
        }
    }
    return keys;
}

BOOL CFieldPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (Present(m_rows[i]))
            AttachField(m_rows[i], *m_blocks[i]);
    return TRUE;
}

BOOL CFieldPage::OnSetActive()
{
    // Another page (or the workbook) may have changed any of them since the last time.
    ShowFields();
    return CComponentPage::OnSetActive();
}

void CFieldPage::ShowFields()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (Present(m_rows[i]))
            ShowField(m_rows[i], *m_blocks[i]);
    ApplyEnabling();
}

void CFieldPage::AttachField(const ParamField& row, Block& block)
{
    switch (row.kind) {
    case FieldKind::LinkedValue:
        block.linked.Attach(*this, FieldParameter(row), row.ids[0], row.ids[1], row.policy.linked);
        // Its captions go with it.
        if (block.linked.Parameter() == nullptr)
            for (std::size_t i = 2; i < row.ids.size(); ++i)
                EnableItems(*this, {row.ids[i]}, false);
        break;
    case FieldKind::Visibility:
        block.visibility.Attach(*this, FieldSet(), VisibilityIds(row));
        break;
    case FieldKind::TypedVisibility:
        AttachTypedVisibility(row, block);
        break;
    case FieldKind::CheckedColour:
        block.checkedColour.Attach(*this, FieldSet(), row.keys[0], row.ids[0], row.keys[1], row.ids[1]);
        if (row.policy.offWithoutSwitch && !(FieldSet() != nullptr && FieldSet()->FindParameter(row.keys[0])))
            EnableItems(*this, {row.ids[1]}, false);
        if (row.policy.hideMissing) {
            const CParameterSet* set = FieldSet();
            if (set == nullptr || set->FindParameter(row.keys[1]) == nullptr)
                ShowItems(*this, {row.ids[1]}, false);
            if (set == nullptr || set->FindParameter(row.keys[0]) == nullptr)
                for (std::size_t i = 0; i < row.ids.size(); ++i)
                    if (i != 1)
                        ShowItems(*this, {row.ids[i]}, false);
        }
        break;
    case FieldKind::Font:
        AttachFont(row, block);
        break;
    case FieldKind::Scroll:
        block.scroll.Attach(*this, FieldParameter(row), {row.ids[0], row.ids[1], row.ids[2], row.ids[3]});
        break;
    case FieldKind::TextOrCell:
        block.textOrCell.Attach(*this, FieldParameter(row),
                                {row.ids[0], row.ids[1], row.ids[2], row.ids[3], row.ids[4]});
        break;
    case FieldKind::CellLink: {
        const bool linkable = ShowCellRange(row);
        EnableItems(*this, {row.ids[1]}, linkable);
        // Without a cell binding its captions go with it, or the whole block is hidden.
        for (std::size_t i = 0; !linkable && i < row.ids.size(); ++i) {
            if (row.policy.hideMissing)
                ShowItems(*this, {row.ids[i]}, false);
            else if (i >= 2)
                EnableItems(*this, {row.ids[i]}, false);
        }
        break;
    }
    default:
        break;
    }
}

void CFieldPage::ShowField(const ParamField& row, Block& block)
{
    CParameter* parameter = FieldParameter(row);
    CParameterSet* holder = parameter != nullptr ? parameter->GetOwner() : RowSet(FieldSet(), row);
    const char* key = parameter != nullptr ? nullptr : (row.keys.empty() ? "" : row.keys.front());
    const std::string name =
        parameter != nullptr ? parameter->GetName() : std::string(key != nullptr ? key : "");
    switch (row.kind) {
    case FieldKind::Check:
        BindCheckBoxInSet(name.c_str(), row.ids[0], holder, row.policy.hideMissing);
        break;
    case FieldKind::Choice:
        BindComboBoxInSet(name.c_str(), row.ids[0], holder, row.policy.hideMissing);
        break;
    case FieldKind::Colour: {
        const bool bound =
            BindColorButtonInSet(name.c_str(), row.ids[0], block.colour, holder, row.policy.hideMissing);
        for (std::size_t i = 1; i < row.ids.size(); ++i) {
            if (row.policy.hideMissing)
                ShowItems(*this, {row.ids[i]}, bound);
            else
                EnableItems(*this, {row.ids[i]}, bound);
        }
        break;
    }
    case FieldKind::CheckedColour:
        block.checkedColour.Refresh();
        break;
    case FieldKind::Number:
        block.duration.Attach(*this, parameter, row.ids[0]);
        break;
    case FieldKind::Radio: {
        for (int id : row.ids) {
            if (row.policy.hideMissing)
                ShowItems(*this, {id}, parameter != nullptr);
            else
                EnableItems(*this, {id}, parameter != nullptr);
        }
        const std::string text = ChoiceText(parameter);
        for (std::size_t i = 0; i < row.choices.size() && i < row.ids.size(); ++i)
            CheckDlgButton(row.ids[i], text == row.choices[i] ? BST_CHECKED : BST_UNCHECKED);
        break;
    }
    case FieldKind::Spin:
        if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(row.ids[0]))) {
            const bool bound = spin->BindParameter(
                parameter, [this] { NotifyOwnerChanged(); }, GetDialogFont(), row.policy.hideMissing,
                row.policy.negate);
            for (std::size_t i = 1; i < row.ids.size(); ++i) {
                if (row.policy.hideMissing)
                    ShowItems(*this, {row.ids[i]}, parameter != nullptr);
                else
                    EnableItems(*this, {row.ids[i]}, bound);
            }
        }
        break;
    case FieldKind::LinkedValue:
        block.linked.Show();
        block.linked.Enable(parameter != nullptr);
        // A plain value (no cell binding) can only be typed.
        if (parameter != nullptr && parameter->GetBinding() == nullptr)
            EnableItems(*this, {row.ids[1]}, false);
        break;
    case FieldKind::Visibility:
        block.visibility.ShowEffect();
        break;
    case FieldKind::TypedVisibility:
        ShowTypedVisibility(row, block);
        break;
    case FieldKind::Scroll:
        block.scroll.Load();
        break;
    case FieldKind::CellLink:
        // A range may have been picked on another page.
        ShowCellRange(row);
        break;
    case FieldKind::Command:
    case FieldKind::Own:
    case FieldKind::Font:
    case FieldKind::TextOrCell:
        break;
    }
}

bool CFieldPage::ShowCellRange(const ParamField& row)
{
    const CParameter* target = FieldParameter(row);
    const CCellBinding* binding = target != nullptr ? target->GetBinding() : nullptr;
    SetDlgItemText(row.ids[0], binding != nullptr ? binding->GetTexts().GetRangeText() : std::string());
    return binding != nullptr;
}

void CFieldPage::ApplyEnabling()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const ParamField& row = m_rows[i];
        if (!row.enabledWhen || !Present(row))
            continue;
        const bool on = row.enabledWhen(*this);
        // Blocks that know their parameter may be missing stay off without it.
        switch (row.kind) {
        case FieldKind::Number:
            m_blocks[i]->duration.Enable(on);
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on);
            break;
        case FieldKind::Scroll:
            m_blocks[i]->scroll.Enable(on);
            break;
        case FieldKind::Spin: {
            const bool present = FieldParameter(row) != nullptr;
            if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(row.ids[0]))) {
                spin->EnableWindow(on && present ? TRUE : FALSE);
                spin->EnableControl(on && present);
            }
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on);
            break;
        }
        case FieldKind::Colour: {
            // A colour the component lacks, or has switched off, stays off.
            const CParameter* colour = FieldParameter(row);
            EnableItems(*this, {row.ids[0]}, on && colour != nullptr && colour->IsEnabled());
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on);
            break;
        }
        case FieldKind::Choice:
            EnableItems(*this, {row.ids[0]}, on && FieldParameter(row) != nullptr);
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on);
            break;
        case FieldKind::Font: {
            // A chooser without its text format keeps every child disabled.
            const bool present = std::any_of(row.keys.begin(), row.keys.end(), [this](const char* key) {
                const CParameter* found = FieldSet() != nullptr ? FieldSet()->FindParameter(key) : nullptr;
                return found != nullptr && found->GetType() == ParamType::Group;
            });
            m_blocks[i]->font.EnableControls(on && present);
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on);
            break;
        }
        case FieldKind::CheckedColour: {
            // The switch while the page allows and it exists, the colour while it is also set.
            const CParameterSet* set = FieldSet();
            EnableItems(*this, {row.ids[0]},
                        on && set != nullptr && set->FindParameter(row.keys[0]) != nullptr);
            m_blocks[i]->checkedColour.Refresh(on);
            break;
        }
        case FieldKind::Check: {
            // A box whose value the component lacks or has switched off cannot be ticked.
            const CParameter* value = FieldParameter(row);
            EnableItems(*this, {row.ids[0]}, on && value != nullptr && value->IsEnabled());
            break;
        }
        case FieldKind::Radio:
            for (int id : row.ids)
                EnableItems(*this, {id}, on && FieldParameter(row) != nullptr);
            break;
        case FieldKind::LinkedValue: {
            // A plain value (no cell binding) can only be typed.
            const CParameter* value = m_blocks[i]->linked.Parameter();
            m_blocks[i]->linked.Enable(on && value != nullptr);
            if (value != nullptr && value->GetBinding() == nullptr)
                EnableItems(*this, {row.ids[1]}, false);
            for (std::size_t c = 2; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on && value != nullptr);
            break;
        }
        case FieldKind::CellLink: {
            const CParameter* target = FieldParameter(row);
            const bool linkable = target != nullptr && target->GetBinding() != nullptr;
            EnableItems(*this, {row.ids[0]}, on);
            for (std::size_t c = 1; c < row.ids.size(); ++c)
                EnableItems(*this, {row.ids[c]}, on && linkable);
            break;
        }
        default:
            for (int id : row.ids)
                EnableItems(*this, {id}, on);
            break;
        }
    }
}

bool CFieldPage::HandleCommand(const ParamField& row, Block& block, int id, UINT code)
{
    switch (row.kind) {
    case FieldKind::Check: {
        if (code != BN_CLICKED)
            return false;
        CParameter* parameter = FieldParameter(row);
        if (parameter == nullptr)
            return true;
        parameter->SetBool(IsDlgButtonChecked(id) == BST_CHECKED, row.policy.force);
        break;
    }
    case FieldKind::Radio: {
        if (code != BN_CLICKED)
            return false;
        CParameter* parameter = FieldParameter(row);
        const auto at = std::find(row.ids.begin(), row.ids.end(), id) - row.ids.begin();
        if (parameter == nullptr || at >= static_cast<std::ptrdiff_t>(row.choices.size()))
            return true;
        const char* text = row.choices[static_cast<std::size_t>(at)];
        if (CValueList* list = parameter->GetValueList())
            list->GetPrototype().SetString(text);
        else
            parameter->SetString(text);
        break;
    }
    case FieldKind::Choice: {
        if (code != CBN_SELCHANGE)
            return false;
        CParameter* parameter = FieldParameter(row);
        if (parameter == nullptr)
            return true;
        // Tells the owner itself.
        CommitComboBoxInSet(parameter->GetName().c_str(), id, parameter->GetOwner());
        ApplyEnabling();
        OnFieldChanged(row);
        return true;
    }
    case FieldKind::Colour: {
        if (code != BN_CLICKED)
            return false;
        // The colour dialog stores the colour and tells the owner itself.
        if (CParameter* parameter = FieldParameter(row))
            OnColorButtonClicked(parameter->GetName().c_str(), block.colour, parameter->GetOwner());
        OnFieldChanged(row);
        return true;
    }
    case FieldKind::CheckedColour:
        if (code != BN_CLICKED)
            return false;
        if (id == row.ids[0] && row.policy.republish) {
            block.checkedColour.OnCheck();
        } else if (id == row.ids[0]) {
            if (StoreCheck(*this, id, FieldSet(), row.keys[0]))
                block.checkedColour.Refresh();
            MarkDocumentChanged();
        } else {
            block.checkedColour.OnColour();
        }
        OnFieldChanged(row);
        return true;
    case FieldKind::Number:
        return false;
    case FieldKind::LinkedValue:
        if (id != row.ids[1] || code != BN_CLICKED)
            return false;
        block.linked.OnLink();
        ApplyEnabling();
        OnFieldChanged(row);
        return true;
    case FieldKind::Visibility: {
        const CVisibilityBlock::Ids ids = VisibilityIds(row);
        if (id == ids.effectCombo && code == CBN_SELCHANGE)
            block.visibility.OnEffectChosen();
        else if (id == ids.statusLink && code == BN_CLICKED)
            block.visibility.OnStatusLink();
        else if (id == ids.keyLink && code == BN_CLICKED)
            block.visibility.OnKeyLink();
        else
            return false;
        return true;
    }
    case FieldKind::TypedVisibility:
        return HandleTypedVisibility(row, block, id, code);
    case FieldKind::Command:
        if (code != BN_CLICKED || !row.onCommand)
            return false;
        row.onCommand(*this);
        return true;
    case FieldKind::Scroll:
        // Stores the button's text and tells the owner itself.
        return code == BN_CLICKED && block.scroll.OnClicked(id);
    case FieldKind::TextOrCell:
        if (code == BN_CLICKED && id == row.ids[0])
            block.textOrCell.OnLinkMode();
        else if (code == BN_CLICKED && id == row.ids[1])
            block.textOrCell.OnTextMode();
        else if (code == BN_CLICKED && id == row.ids[3])
            block.textOrCell.OnLink();
        else if (code == EN_CHANGE && id == row.ids[4])
            block.textOrCell.OnTextChanged();
        else
            return false;
        return true;
    case FieldKind::CellLink:
        if (code != BN_CLICKED || id != row.ids[1])
            return false;
        if (row.onCommand) {
            row.onCommand(*this);
            return true;
        }
        if (!PickCells(*this, FieldParameter(row), row.ids[0], nullptr,
                       row.policy.rangeCheck ? &*row.policy.rangeCheck : nullptr))
            return true;
        break;
    case FieldKind::Spin:
    case FieldKind::Own:
    case FieldKind::Font:
        return false;
    }
    if (row.afterStore)
        row.afterStore(*this);
    if (row.policy.republish)
        NotifyOwnerChanged();
    else
        MarkDocumentChanged();
    ApplyEnabling();
    OnFieldChanged(row);
    return true;
}

BOOL CFieldPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const ParamField& row = m_rows[i];
        const bool holds = std::find(row.ids.begin(), row.ids.end(), id) != row.ids.end();
        if (holds && Present(row) && HandleCommand(row, *m_blocks[i], id, code))
            return TRUE;
    }
    return CComponentPage::OnCommand(wParam, lParam);
}

LRESULT CFieldPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INPLACE_NOTIFY) {
        const int standsFor = static_cast<int>(lParam);
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const ParamField& row = m_rows[i];
            bool handled = false;
            if (!Present(row))
                continue;
            if (row.kind == FieldKind::LinkedValue)
                handled = m_blocks[i]->linked.OnCommit(standsFor);
            else if (row.kind == FieldKind::Visibility)
                handled = m_blocks[i]->visibility.OnCommit(standsFor);
            else if (row.kind == FieldKind::Number)
                handled = m_blocks[i]->duration.OnCommit(standsFor);
            else if (row.kind == FieldKind::TypedVisibility)
                handled =
                    m_blocks[i]->linked.OnCommit(standsFor) || m_blocks[i]->duration.OnCommit(standsFor);
            if (handled) {
                ApplyEnabling();
                OnFieldChanged(row);
                return 1;
            }
        }
    }
    return CComponentPage::WindowProc(message, wParam, lParam);
}

CFontDataCtrl* CFieldPage::FontOf(int id) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].kind == FieldKind::Font && m_rows[i].ids[0] == id)
            return &m_blocks[i]->font;
    return nullptr;
}

void CFieldPage::AttachFont(const ParamField& row, Block& block)
{
    CParameterSet* format = nullptr;
    for (const char* key : row.keys) {
        const CParameter* found = FieldSet() != nullptr ? FieldSet()->FindParameter(key) : nullptr;
        if (found != nullptr && found->GetType() == ParamType::Group) {
            format = found->GetSet();
            break;
        }
    }
    // Every change of the chooser is written into the text format and republishes the component.
    block.font.SubclassDlgItem(static_cast<UINT>(row.ids[0]), this);
    COLORREF* colours = GetContext() != nullptr ? GetContext()->customColors : nullptr;
    if (row.policy.fontKeepsDocumentColours) {
        block.font.SetDocumentColors(colours);
        block.font.Create(format, GetOwner(), true, nullptr);
    } else {
        block.font.Create(format, GetOwner(), false, colours);
    }
    // Without a format the chooser has every child disabled; its captions go with it.
    if (format == nullptr)
        block.font.EnableWindow(FALSE);
    if (format == nullptr)
        for (std::size_t i = 1; i < row.ids.size(); ++i) {
            if (row.policy.hideMissing)
                ShowItems(*this, {row.ids[i]}, false);
            else
                EnableItems(*this, {row.ids[i]}, false);
        }
    if (format == nullptr && row.policy.hideMissing)
        ShowItems(*this, {row.ids[0]}, false);
}

// ---- the display-status block with a typed duration ----

void CFieldPage::EnableTypedKey(const ParamField& row, Block& block, bool enable)
{
    const bool present = block.linked.Parameter() != nullptr;
    block.linked.Enable(present && enable);
    EnableItems(*this, {VisibilityIds(row).keyLabel}, present && enable);
}

void CFieldPage::AttachTypedVisibility(const ParamField& row, Block& block)
{
    const CVisibilityBlock::Ids ids = VisibilityIds(row);
    CParameterSet* set = FieldSet();
    CParameter* status = set != nullptr ? set->FindParameter("displayStatus") : nullptr;
    const CCellBinding* cells = status != nullptr ? status->GetBinding() : nullptr;
    SetDlgItemText(ids.statusRange, cells != nullptr ? cells->GetTexts().GetRangeText() : std::string());
    EnableItems(*this, {ids.statusLink}, cells != nullptr);

    auto* combo = static_cast<CComboBox*>(GetDlgItem(ids.effectCombo));
    CVisibilityBlock::FillEffects(*combo);
    if (const CParameter* style = set != nullptr ? set->FindParameter("introStyle") : nullptr)
        SelectExact(*combo, style->GetString());
    else
        EnableItems(*this, {ids.effectLabel, ids.effectCombo}, false);

    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    policy.republishTyped = false;
    block.linked.Attach(*this, set != nullptr ? set->FindParameter("displayKey") : nullptr, ids.keyEdit,
                        ids.keyLink, policy);
    EnableTypedKey(row, block, cells != nullptr && cells->IsBound());
}

void CFieldPage::ShowTypedVisibility(const ParamField& row, Block& block)
{
    const CVisibilityBlock::Ids ids = VisibilityIds(row);
    CParameterSet* set = FieldSet();
    const bool bound = block.duration.Attach(
        *this, set != nullptr ? set->FindParameter("introTime") : nullptr, ids.durationSpin);
    // "None" comes in at once: it has no duration.
    const int selected = static_cast<CComboBox*>(GetDlgItem(ids.effectCombo))->GetCurSel();
    block.duration.Enable(selected != 0);
    EnableItems(*this, {ids.durationLabel}, bound && selected != 0);
}

bool CFieldPage::HandleTypedVisibility(const ParamField& row, Block& block, int id, UINT code)
{
    const CVisibilityBlock::Ids ids = VisibilityIds(row);
    CParameterSet* set = FieldSet();
    auto tell = [this](bool republish) {
        if (republish)
            NotifyOwnerChanged();
        else
            MarkDocumentChanged();
    };
    if (id == ids.effectCombo && code == CBN_SELCHANGE) {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(ids.effectCombo));
        const int selected = combo->GetCurSel();
        CParameter* style = set != nullptr ? set->FindParameter("introStyle") : nullptr;
        if (style == nullptr || selected < 0)
            return true;
        style->SetString(combo->GetLBText(selected));
        block.duration.Enable(selected != 0);
        EnableItems(*this, {ids.durationLabel}, selected != 0 && block.duration.IsAttached());
        tell(row.policy.republishEffect);
        OnFieldChanged(row);
        return true;
    }
    if (id == ids.statusLink && code == BN_CLICKED) {
        CParameter* status = set != nullptr ? set->FindParameter("displayStatus") : nullptr;
        // Only a pick the user made changes the visibility: a cancelled one keeps what was set.
        if (!PickCells(*this, status, ids.statusRange, nullptr))
            return true;
        if (status->GetBinding()->IsBound()) {
            EnableTypedKey(row, block, true);
        } else {
            ShowAlways(*status, set->FindParameter("displayKey"));
            block.linked.Show();
            EnableTypedKey(row, block, false);
        }
        tell(row.policy.republishStatus);
        return true;
    }
    if (id == ids.keyLink && code == BN_CLICKED) {
        block.linked.OnLink();
        return true;
    }
    return false;
}

int CFieldPage::GetHelpContextId()
{
    const int focused = GetFocusedPageControlId();
    for (const ParamField& row : m_rows) {
        const std::vector<int>& ids = row.helpIds.empty() ? row.ids : row.helpIds;
        if (row.help && std::find(ids.begin(), ids.end(), focused) != ids.end())
            return row.help(*this);
    }
    return m_defaultHelp ? m_defaultHelp(*this) : -1;
}

namespace {

// Stands in for the canvas object while the pages are only made, never shown.
class SymbolOnly : public IPropertyOwner {
public:
    explicit SymbolOnly(std::string symbol) : m_symbol(std::move(symbol)) {}
    void Refresh(int) override {}
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return m_symbol; }
    std::string GetComponentTypeName() const override { return m_symbol; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }

private:
    std::string m_symbol;
};

void AddKeysOf(const CPageClassRegistry& registry, const PageChoice& choice, CParameterSet* set,
               const std::string& title, IPropertyOwner& owner, CParameterSet* root,
               std::set<std::string>& keys)
{
    std::unique_ptr<CComponentPage> page = registry.Make(choice.className, choice.variant);
    auto* fields = dynamic_cast<CFieldPage*>(page.get());
    if (fields == nullptr)
        return;
    fields->Create(set, title, false, &owner, root);
    const std::set<std::string> edited = fields->EditedKeys();
    keys.insert(edited.begin(), edited.end());
}

} // namespace

std::set<std::string> KeysEditedBy(const CPageClassRegistry& registry, const std::string& symbol,
                                   CParameterSet* root)
{
    std::set<std::string> keys;
    if (root == nullptr)
        return keys;
    SymbolOnly owner(symbol);
    const std::vector<std::string>* special = SpecialComponentPages(symbol);
    // The sheet uses a hand-made set only when its pages exist.
    if (special != nullptr && registry.IsRegistered(special->front())) {
        for (const std::string& name : *special)
            AddKeysOf(registry, PageChoice{name, 0}, root, root->GetName(), owner, root, keys);
        return keys;
    }
    for (int i = 0; i < root->GetCount(); ++i) {
        CParameter* group = root->GetAt(i);
        if (group == nullptr || group->GetType() != ParamType::Group || group->GetSet() == nullptr)
            continue;
        CParameterSet* groupSet = group->GetSet();
        if (std::optional<PageChoice> choice =
                ChooseGroupPage(groupSet->GetPageKind(), group->GetName(), symbol))
            AddKeysOf(registry, *choice, groupSet, group->GetName(), owner, root, keys);
    }
    return keys;
}

} // namespace pages
