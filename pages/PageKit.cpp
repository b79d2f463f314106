#include "pages/PageKit.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "platform/controls/ComboBox.h"
#include "platform/window/Wnd.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <locale>

namespace pages {

using model::ParamType;

CParameter* FindFirst(const CParameterSet* set, std::initializer_list<const char*> keys)
{
    if (set == nullptr)
        return nullptr;
    for (const char* key : keys)
        if (CParameter* found = set->FindParameter(key))
            return found;
    return nullptr;
}

bool BoolOf(const CParameterSet* set, const char* key)
{
    const CParameter* found = set != nullptr ? set->FindParameter(key) : nullptr;
    return found != nullptr && found->GetBool();
}

std::string ShownText(const CParameter* parameter)
{
    if (parameter == nullptr)
        return {};
    if (const CCellBinding* binding = parameter->GetBinding()) {
        if (binding->IsBound())
            return binding->GetTexts().GetRangeText();
        return binding->GetValue().GetValueText();
    }
    if (parameter->GetType() == ParamType::Choice)
        return ChoiceText(parameter);
    return parameter->GetValueText();
}

CParameter* TypedTarget(CParameter* parameter)
{
    if (parameter == nullptr)
        return nullptr;
    if (CCellBinding* binding = parameter->GetBinding())
        return &binding->GetValue();
    return parameter;
}

void Unlink(CParameter* parameter)
{
    if (parameter != nullptr && parameter->GetBinding() != nullptr)
        parameter->RefreshFromCells(nullptr, false);
}

std::string ChoiceText(const CParameter* parameter)
{
    if (parameter == nullptr)
        return {};
    if (const CValueList* list = parameter->GetValueList())
        return list->GetCurrentText();
    if (model::IsStringType(parameter->GetType()))
        return parameter->GetString();
    return {};
}

bool SetChoiceText(CParameter* parameter, const std::string& text)
{
    if (parameter == nullptr)
        return false;
    if (CValueList* list = parameter->GetValueList())
        return model::StoreChoiceText(list->GetPrototype(), text, false);
    return model::IsStringType(parameter->GetType()) && parameter->SetString(text);
}

std::int32_t ParseInt(const std::string& text)
{
    // strtol reads the same leading digits atoi does, but says when the number overflows; the
    // stored value is then the nearest one that fits rather than whatever atoi happens to give.
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

double ParseDouble(const std::string& text)
{
    // Numbers typed on a page are in the C locale whatever the user's settings, like the ones
    // the documents store.
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    std::istringstream in(text.substr(start));
    in.imbue(std::locale::classic());
    double value = 0;
    if (!(in >> value))
        return 0;
    return value;
}

void StoreTyped(CParameter& parameter, const std::string& text)
{
    switch (parameter.GetType()) {
    case ParamType::Number:
        if (text.empty())
            parameter.SetUndefined(true);
        else
            parameter.SetDouble(ParseDouble(text));
        break;
    case ParamType::Integer:
        if (text.empty())
            parameter.SetUndefined(true);
        else
            parameter.SetInt(ParseInt(text));
        break;
    case ParamType::Boolean:
        parameter.SetBool(text != "FALSE");
        break;
    case ParamType::Choice:
        if (CValueList* list = parameter.GetValueList())
            list->GetPrototype().SetString(text);
        break;
    default:
        parameter.SetString(text);
        break;
    }
}

void ShowAlways(CParameter& status, CParameter* key)
{
    if (CCellBinding* binding = status.GetBinding())
        binding->GetValue().SetInt(1, true);
    if (key == nullptr)
        return;
    if (CCellBinding* keyBinding = key->GetBinding()) {
        keyBinding->GetValue().SetInt(1, true);
        keyBinding->RefreshParameter(nullptr, false);
    } else {
        key->SetInt(1, true);
    }
}

void EnableItems(CWnd& page, std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        if (CWnd* item = page.GetDlgItem(id))
            item->EnableWindow(enable ? TRUE : FALSE);
}

void ShowItems(CWnd& page, std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (CWnd* item = page.GetDlgItem(id))
            item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

int SelectExact(CComboBox& combo, const std::string& text)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        if (combo.GetLBText(i) == text) {
            combo.SetCurSel(i);
            return i;
        }
    }
    combo.SetCurSel(-1);
    return -1;
}

} // namespace pages
