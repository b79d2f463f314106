#include "pages/ChartSubPageKit.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "pages/PageBlocks.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"
#include "platform/dialogs/UiUtilities.h"
#include "propui/ColorButton.h"

namespace pages {

bool IsBarLike(int chartType)
{
    switch (chartType) {
    case kChartBar:
    case kChartBubble:
    case kChartColumn:
    case kChartCombo:
    case kChartStackBar:
    case kChartStackColumn:
        return true;
    default:
        return false;
    }
}

int ChartHelpTopic(const ChartHelpRow& row, int chartType)
{
    if (chartType < 0 || chartType >= kChartTypeCount)
        return -1;
    return row[static_cast<std::size_t>(chartType)];
}

CParameter* ListValue(CParameter* parameter)
{
    if (parameter == nullptr)
        return nullptr;
    if (parameter->GetType() == model::ParamType::CellBinding)
        parameter = parameter->GetBinding() != nullptr ? &parameter->GetBinding()->GetValue() : nullptr;
    if (parameter == nullptr || !model::HasNestedSet(parameter->GetType()) || parameter->GetSet() == nullptr)
        return nullptr;
    return parameter;
}

CParameter* ElementAt(const CParameterSet* set, const char* key, int index)
{
    CParameter* list = ListValue(set != nullptr ? set->FindParameter(key) : nullptr);
    return list != nullptr ? list->GetElement(index) : nullptr;
}

CParameterSet* NestedSet(const CParameterSet* set, const char* key)
{
    CParameter* parameter = set != nullptr ? set->FindParameter(key) : nullptr;
    if (parameter == nullptr || parameter->GetType() != model::ParamType::Group)
        return nullptr;
    return parameter->GetSet();
}

bool ShowColour(CColorButton& button, const CParameter* element)
{
    if (element == nullptr || element->GetType() != model::ParamType::Color || button.GetSafeHwnd() == nullptr)
        return false;
    button.SetColor(SwapRedBlue(element->GetColor()));
    return true;
}

std::unique_ptr<CParameter> NewSeriesElement(CParameter& list, CSeriesColourGenerator* colours, int offset)
{
    const int count = list.GetElementCount();
    const CParameter* source = count > 0 ? list.GetElement(count - 1) : list.GetGroupTemplate();
    if (source == nullptr)
        return nullptr;
    auto made = std::make_unique<CParameter>(*source);
    if (made->GetType() == model::ParamType::Color && colours != nullptr) {
        made->SetColor(colours->Next());
    } else if (model::IsStringType(made->GetType()) && count > 0) {
        made->SetString(list.GetElement(((offset % count) + count) % count)->GetString());
    }
    return made;
}

void ResizeSeriesList(CParameter* parameter, int count, bool shrink)
{
    CParameter* list = ListValue(parameter);
    if (list == nullptr || count < 0)
        return;
    int have = list->GetElementCount();
    if (count < have) {
        while (shrink && have > count)
            list->RemoveElementAt(--have);
        return;
    }
    const CParameter* last = have > 0 ? list->GetElement(have - 1) : list->GetGroupTemplate();
    CSeriesColourGenerator colours(last != nullptr && last->GetType() == model::ParamType::Color ? last->GetColor() : 0);
    // A text copies the old element at its own offset, wrapping round the old elements.
    const int original = have;
    for (int offset = 0; have < count; ++offset, ++have) {
        std::unique_ptr<CParameter> made = NewSeriesElement(*list, &colours, 0);
        if (made == nullptr)
            return;
        if (model::IsStringType(made->GetType()) && original > 0)
            made->SetString(list->GetElement(offset % original)->GetString());
        list->InsertElementCopy(*made, have);
    }
}

CChartSubPageBase::CChartSubPageBase()
{
    CSpinEdit::RegisterClass();
}

CChartSubPageBase::CChartSubPageBase(TemplateMaker makeTemplate, std::vector<ParamField> rows, HelpTopic defaultHelp)
    : CChartSubPage(std::move(makeTemplate), std::move(rows), std::move(defaultHelp))
{
    CSpinEdit::RegisterClass();
}

CChartSubPageBase::~CChartSubPageBase()
{
    if (m_formatIndexLoaded)
        if (CPropertyMap* map = GetOwnerPropertyMap())
            map->SetProperty(kFormatIndexKey, &m_formatIndex, sizeof m_formatIndex);
}

void CChartSubPageBase::LoadFormatIndex()
{
    std::int32_t stored = 0;
    if (CPropertyMap* map = GetOwnerPropertyMap(); map != nullptr && map->GetProperty(kFormatIndexKey, &stored, sizeof stored))
        m_formatIndex = stored;
    m_formatIndexLoaded = true;
}

BOOL CChartSubPageBase::CreateForChart(int chartType, CParameterSet* group, const std::string& title, bool modal,
                                       IPropertyOwner* owner, CParameterSet* root)
{
    return SetChartTypeAndCreate(group, title, modal, owner, root, chartType);
}

BOOL CChartSubPageBase::SetChartTypeAndCreate(CParameterSet* group, const std::string& title, bool modal,
                                              IPropertyOwner* owner, CParameterSet* root, int chartType)
{
    m_chartType = chartType;
    return Create(group, title, modal, owner, root);
}

BOOL CChartSubPageBase::PreTranslateMessage(MSG* msg)
{
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
        SendMessage(WM_COMMANDHELP, 0, 0);
        return TRUE;
    }
    return CChartSubPage::PreTranslateMessage(msg);
}

CSpinEdit* CChartSubPageBase::Spin(int id)
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(id));
}

bool CChartSubPageBase::BindSpin(int id, CParameter* parameter, bool hide)
{
    CSpinEdit* spin = Spin(id);
    if (spin == nullptr)
        return false;
    const bool numeric = parameter != nullptr && (parameter->GetType() == model::ParamType::Integer ||
                                                  parameter->GetType() == model::ParamType::Number);
    const bool bound = spin->BindParameter(numeric ? parameter : nullptr, [this] { NotifyOwnerChanged(); },
                                           GetDialogFont(), hide, false);
    if (bound) {
        spin->ShowWindow(SW_SHOW);
        spin->EnableWindow(TRUE);
        spin->EnableControl(true);
    }
    return bound;
}

void CChartSubPageBase::EnableIfMultipleItems(int comboId, bool enable)
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(comboId));
    if (combo != nullptr)
        combo->EnableWindow(enable && combo->GetCount() > 1 ? TRUE : FALSE);
}

void CChartSubPageBase::EnableItem(int id, bool enable)
{
    if (CWnd* item = GetDlgItem(id)) {
        item->EnableWindow(enable ? TRUE : FALSE);
        if (auto* spin = dynamic_cast<CSpinEdit*>(item))
            spin->EnableControl(enable);
    }
}

void CChartSubPageBase::ShowItem(int id, bool show)
{
    if (CWnd* item = GetDlgItem(id))
        item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CChartSubPageBase::IsChecked(int id)
{
    return IsDlgButtonChecked(id) == BST_CHECKED;
}

void CChartSubPageBase::SetChecked(int id, bool checked)
{
    CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CChartSubPageBase::SetItemText(int id, const char* text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

bool CChartSubPageBase::ChooseElementColour(CColorButton& button, CParameter* element)
{
    if (element == nullptr || element->GetType() != model::ParamType::Color)
        return false;
    COLORREF colour = button.GetColor();
    const CPropertyPageContext* context = GetContext();
    if (ChooseColorWithCustomColors(colour, true, nullptr, context != nullptr ? context->customColors : nullptr) !=
        IDOK)
        return false;
    button.SetColor(colour);
    element->SetColor(SwapRedBlue(colour));
    NotifyOwnerChanged();
    Invalidate(TRUE);
    return true;
}

CParameter* CChartSubPageBase::FindInRoot(const char* key) const
{
    return FindInComponent(GetRootSet(), key);
}

bool CChartSubPageBase::RootBool(const char* key) const
{
    const CParameter* parameter = FindInRoot(key);
    return parameter != nullptr && parameter->GetType() == model::ParamType::Boolean && parameter->GetBool();
}

CParameter* CChartSubPageBase::Find(const char* key) const
{
    return GetGroup() != nullptr ? GetGroup()->FindParameter(key) : nullptr;
}

bool CChartSubPageBase::GroupBool(const char* key) const
{
    const CParameter* parameter = Find(key);
    return parameter != nullptr && parameter->GetType() == model::ParamType::Boolean && parameter->GetBool();
}

} // namespace pages
