#include "propui/PropertyListCtrl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/CellBinding.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/UiUtilities.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "propui/ComponentPage.h"
#include "propui/EditingDialogs.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/host/ExcelHost.h"

namespace {

constexpr std::size_t kMaxRowName = 127;
constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kLinkColumn = 2;

// Whole text as a number, C locale; unparsable text reads as 0.
double ParseDouble(const std::string& text)
{
    double value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    if (begin < end && *begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

long long ParseInteger(const std::string& text)
{
    // A typed "3.7" is the integer 3, as the number the user sees truncated.
    const double value = ParseDouble(text);
    if (value >= 9.2e18 || value <= -9.2e18)
        return value > 0 ? INT64_MAX : INT64_MIN;
    return static_cast<long long>(value);
}

std::string DoubleAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

} // namespace

std::string FormatRowDouble(double value)
{
    char buffer[40];
    std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, r.ptr);
}

// ---- in-place combo ----

LRESULT CInPlaceCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return CComboBox::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            m_cancelled = wParam == VK_ESCAPE;
            if (CWnd* parent = GetParent())
                parent->SetFocus();
            return 0;
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_INPLACE_NOTIFY, kId, m_row);
        return result;
    }
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

// ---- rows ----

CPropertyListCtrl::CPropertyListCtrl() = default;

CPropertyListCtrl::~CPropertyListCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertyListCtrl::Init(const char* nameHeader, int nameWidth, const char* valueHeader, int valueWidth,
                             bool noLinkColumn)
{
    m_linkColumn = !noLinkColumn;
    InsertColumn(kNameColumn, nameHeader, LVCFMT_LEFT, nameWidth);
    InsertColumn(kValueColumn, valueHeader, LVCFMT_LEFT, m_linkColumn ? valueWidth - kLinkWidth : valueWidth);
    if (m_linkColumn)
        InsertColumn(kLinkColumn, kLinkHeader, LVCFMT_LEFT, kLinkWidth);
}

void CPropertyListCtrl::FitColumns(int width, int nameShare)
{
    if (width <= 0 || GetColumnCount() < 2)
        return;
    const int name = width * nameShare / 100;
    const int link = m_linkColumn ? kLinkWidth : 0;
    CloseEditors();
    SetColumnWidth(kNameColumn, name);
    SetColumnWidth(kValueColumn, std::max(width - name - link, 0));
    if (m_linkColumn)
        SetColumnWidth(kLinkColumn, link);
}

int CPropertyListCtrl::AddRow(PropertyRow row)
{
    if (row.name.empty() || row.kind == kRowNone)
        return -1;
    if (row.name.size() > kMaxRowName)
        row.name.resize(kMaxRowName);
    switch (row.kind) {
    case kRowInteger:
    case kRowLong:
        row.editorClass = 1;
        break;
    case kRowFont:
    case kRowColor:
    case kRowFile:
    case kRowArray:
    case kRowExternalFile:
        row.editorClass = 2;
        break;
    default:
        row.editorClass = 0;
        break;
    }
    if (row.kind == kRowBoolean)
        row.text = row.boolean ? "TRUE" : "FALSE";
    const int index = GetItemCount();
    InsertItem(index, row.name.c_str());
    SetItemText(index, kValueColumn, row.text.c_str());
    SetItemData(index, reinterpret_cast<std::uintptr_t>(row.parameter));
    m_rows.push_back(std::make_unique<PropertyRow>(std::move(row)));
    return index;
}

int CPropertyListCtrl::AddChoiceRow(CParameter* parameter, const std::string& name)
{
    CValueList* list = parameter != nullptr ? parameter->GetValueList() : nullptr;
    if (list == nullptr)
        return -1;
    PropertyRow row;
    row.kind = kRowChoice;
    row.name = name;
    row.parameter = parameter;
    row.value = parameter;
    row.choices = list->GetAllowedValues();
    row.text = list->GetCurrentText();
    row.enabled = parameter->IsEnabled();
    return AddRow(std::move(row));
}

int CPropertyListCtrl::AddParameterRow(CParameter* parameter)
{
    if (parameter == nullptr)
        return -1;
    PropertyRow row;
    row.name = parameter->GetLabel().empty() ? parameter->GetName() : parameter->GetLabel();
    row.parameter = parameter;
    row.value = parameter;
    row.enabled = parameter->IsEnabled();
    if (parameter->GetType() == model::ParamType::CellBinding) {
        CCellBinding* binding = parameter->GetBinding();
        if (binding == nullptr)
            return -1;
        row.value = &binding->GetValue();
        row.linkFlag = binding->IsBound() ? kLinked : kLinkable;
        if (row.value->GetType() == model::ParamType::CellBinding)
            return -1;
    }
    CParameter* value = row.value;
    using model::ParamType;
    switch (value->GetType()) {
    case ParamType::Text:
        row.kind = kRowText;
        row.text = value->IsUndefined() ? std::string() : value->GetString();
        break;
    case ParamType::Number:
        row.kind = kRowDouble;
        row.range = value->GetRange();
        row.text = FormatRowDouble(value->GetDouble());
        break;
    case ParamType::Boolean:
        row.kind = kRowBoolean;
        row.boolean = value->GetBool();
        break;
    case ParamType::Integer:
        row.kind = kRowInteger;
        if (const auto& r = value->GetRange())
            row.range = ParamRange{std::trunc(r->minimum), std::trunc(r->maximum), std::trunc(r->step)};
        row.text = std::to_string(value->GetInt());
        break;
    case ParamType::Color:
        row.kind = kRowColor;
        row.colour = SwapRedBlue(value->GetColor());
        break;
    case ParamType::Choice:
        return AddChoiceRow(value, row.name);
    case ParamType::Group:
        row.kind = value->GetSet() != nullptr && value->GetSet()->GetPageKind() == model::kPageExternalFile
                       ? kRowExternalFile
                       : kRowArray;
        row.text = "[...]";
        break;
    case ParamType::List:
    case ParamType::CellList:
    case ParamType::CellTable:
        row.kind = kRowArray;
        row.text = "[...]";
        break;
    case ParamType::OtherText:
        row.kind = kRowFile;
        row.text = value->GetString();
        break;
    default:
        return -1;
    }
    return AddRow(std::move(row));
}

const PropertyRow* CPropertyListCtrl::GetRowInfo(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return nullptr;
    return m_rows[static_cast<std::size_t>(row)].get();
}

std::string CPropertyListCtrl::GetRowValueText(int row) const
{
    const PropertyRow* info = GetRowInfo(row);
    if (info == nullptr)
        return {};
    if (info->kind == kRowBoolean)
        return info->boolean ? "TRUE" : "FALSE";
    return GetItemText(row, kValueColumn);
}

void CPropertyListCtrl::DeleteRow(int row)
{
    if (GetRowInfo(row) == nullptr)
        return;
    if (row == m_editRow)
        CloseEditors();
    DeleteItem(row);
    m_rows.erase(m_rows.begin() + row);
}

void CPropertyListCtrl::DeleteAllRows()
{
    CloseEditors();
    DeleteAllItems();
    m_rows.clear();
}

CRect CPropertyListCtrl::GetCellRect(int row, int column) const
{
    CRect rect;
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, rect))
        return CRect();
    if (column == 0) // the first sub-item's bounds are the whole row
        rect.right = rect.left + GetColumnWidth(0);
    return rect;
}

CRect CPropertyListCtrl::GetSquareRect(int row) const
{
    const PropertyRow* info = GetRowInfo(row);
    if (info == nullptr || info->editorClass == 0)
        return CRect();
    CRect cell = GetCellRect(row, kValueColumn);
    return CRect(cell.right - cell.Height(), cell.top, cell.right, cell.bottom);
}

// ---- drawing ----

void CPropertyListCtrl::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    TEXTMETRIC tm{};
    CDC* dc = GetDC();
    if (dc != nullptr) {
        dc->SelectObject(GetFont());
        dc->GetTextMetrics(&tm);
        ReleaseDC(dc);
    }
    item->itemHeight = static_cast<UINT>(std::max(tm.tmHeight + tm.tmExternalLeading + 5, 16));
}

void CPropertyListCtrl::DrawItem(LPDRAWITEMSTRUCT item)
{
    const int row = static_cast<int>(item->itemID);
    const PropertyRow* info = GetRowInfo(row);
    if (info == nullptr)
        return;
    CDC& dc = *item->hDC;
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    const CRect whole = item->rcItem;
    dc.FillSolidRect(whole, GetSysColor(COLOR_WINDOW));

    CRect name = GetCellRect(row, kNameColumn);
    name.top = whole.top;
    name.bottom = whole.bottom;
    dc.SetTextColor(info->enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    CRect nameText = name;
    nameText.left += 2;
    dc.DrawText(info->name, &nameText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    CRect value = GetCellRect(row, kValueColumn);
    value.top = whole.top;
    value.bottom = whole.bottom;
    CRect square;
    if (info->editorClass != 0)
        square = CRect(value.right - value.Height(), value.top, value.right, value.bottom);
    CRect valueArea = value;
    valueArea.DeflateRect(2, 1);
    if (info->editorClass != 0)
        valueArea.right = square.left - 1;
    if (info->kind == kRowColor) {
        if (info->enabled) {
            dc.FillSolidRect(valueArea, info->colour);
        } else {
            CBrush halftone;
            halftone.CreateHalftoneBrush(RGB(255, 255, 255), info->colour);
            dc.FillRect(valueArea, &halftone);
        }
    } else {
        dc.FillSolidRect(valueArea, RGB(255, 255, 255));
        CRect text = valueArea;
        text.left += 1;
        // The value is data: an ampersand shows as one, never as an underline prefix.
        dc.DrawText(DoubleAmpersands(GetRowValueText(row)), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    if (info->editorClass != 0 && info->enabled) {
        dc.FillSolidRect(square, GetSysColor(COLOR_BTNFACE));
        CRect edge = square;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        CRect glyph = square;
        if (info->editorClass == 1) {
            CRect up(square.left, square.top, square.right, square.top + square.Height() / 2);
            CRect down(square.left, up.bottom, square.right, square.bottom);
            dc.DrawText("+", &up, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            dc.DrawText("-", &down, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            dc.DrawText("...", &glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    if (m_linkColumn && info->linkFlag != kLinkNone) {
        CRect link = GetCellRect(row, kLinkColumn);
        link.top = whole.top;
        link.bottom = whole.bottom;
        CRect mark(link.left + 5, link.top + 2, link.left + 5 + link.Height() - 4, link.bottom - 2);
        dc.FillSolidRect(mark, info->linkFlag == kLinked ? RGB(0, 128, 0) : RGB(192, 192, 192));
    }
    dc.FillSolidRect(CRect(whole.left, whole.bottom - 1, whole.right, whole.bottom), GetSysColor(COLOR_BTNFACE));
}

// ---- editing ----

void CPropertyListCtrl::Notify(int row, int what)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_INPLACE_NOTIFY, static_cast<WPARAM>(row), what);
}

void CPropertyListCtrl::ShowRow(int row)
{
    const PropertyRow* info = GetRowInfo(row);
    if (info == nullptr)
        return;
    SetItemText(row, kValueColumn, info->kind == kRowBoolean ? (info->boolean ? "TRUE" : "FALSE") : info->text.c_str());
    Invalidate();
}

bool CPropertyListCtrl::WriteRow(int row)
{
    PropertyRow* info = row >= 0 && row < GetRowCount() ? m_rows[static_cast<std::size_t>(row)].get() : nullptr;
    if (info == nullptr || info->value == nullptr)
        return false;
    CParameter& value = *info->value;
    const std::string before = value.GetValueText();
    const bool wasUndefined = value.IsUndefined();
    switch (info->kind) {
    case kRowText:
    case kRowFile:
        value.SetString(info->text);
        break;
    case kRowInteger:
    case kRowLong:
    case kRowDouble:
        // An emptied number is no number: the value becomes undefined, not 0.
        if (info->text.empty()) {
            if (!wasUndefined)
                value.SetUndefined(true);
        } else if (info->kind == kRowDouble) {
            value.SetDouble(ParseDouble(info->text));
        } else {
            value.SetInt(static_cast<std::int32_t>(ParseInteger(info->text)));
        }
        break;
    case kRowBoolean:
        value.SetBool(info->boolean);
        break;
    case kRowColor:
        value.SetColor(SwapRedBlue(info->colour));
        break;
    case kRowChoice:
        if (CValueList* list = value.GetValueList())
            model::StoreChoiceText(list->GetPrototype(), info->text, false);
        break;
    default:
        return false;
    }
    return value.GetValueText() != before || wasUndefined != value.IsUndefined();
}

void CPropertyListCtrl::CommitRow(int row)
{
    if (m_holdWrites) {
        m_rows[static_cast<std::size_t>(row)]->held = true;
        return;
    }
    if (WriteRow(row))
        m_committed = true;
}

bool CPropertyListCtrl::WriteHeldRows()
{
    CommitEdit();
    CommitCombo();
    bool changed = false;
    for (int row = 0; row < GetRowCount(); ++row) {
        PropertyRow& info = *m_rows[static_cast<std::size_t>(row)];
        if (!info.held)
            continue;
        info.held = false;
        changed = WriteRow(row) || changed;
    }
    return changed;
}

void CPropertyListCtrl::CloseEditors()
{
    if (m_edit) {
        if (m_edit->GetSafeHwnd() != nullptr)
            m_edit->DestroyWindow();
        m_closed.push_back(std::move(m_edit));
    }
    if (m_combo) {
        if (m_combo->GetSafeHwnd() != nullptr)
            m_combo->DestroyWindow();
        m_closed.push_back(std::move(m_combo));
    }
    m_editRow = -1;
}

void CPropertyListCtrl::OpenEdit(int row)
{
    CloseEditors();
    m_closed.clear();
    CRect cell = GetCellRect(row, kValueColumn);
    if (const PropertyRow* info = GetRowInfo(row); info != nullptr && info->editorClass != 0)
        cell.right -= cell.Height();
    m_edit = std::make_unique<CInPlaceEdit>();
    m_editRow = row;
    if (!m_edit->Create(this, cell, row, false)) {
        m_edit.reset();
        m_editRow = -1;
        return;
    }
    m_edit->SetFont(GetFont(), FALSE);
    m_edit->SetNotifyAlways(true);
    const std::string text = GetItemText(row, kValueColumn);
    m_edit->SetWindowText(text);
    m_edit->SetBaseline(text);
    m_edit->SetSel(0, -1);
    if (m_editLimit > 0)
        m_edit->LimitText(m_editLimit);
    Notify(row, 0);
}

void CPropertyListCtrl::CommitEdit()
{
    if (!m_edit || m_editRow < 0)
        return;
    const int row = m_editRow;
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    const bool changed = !m_edit->IsCancelled() && m_edit->HasChanged();
    std::string text = m_edit->GetWindowText();
    CloseEditors();
    SetFocus();
    if (!changed)
        return;
    switch (info->kind) {
    case kRowInteger: {
        if (text.empty())
            break;
        long long v = ParseInteger(text);
        if (info->range)
            v = std::clamp<long long>(v, static_cast<long long>(info->range->minimum),
                                      static_cast<long long>(info->range->maximum));
        v = std::clamp<long long>(v, INT32_MIN, INT32_MAX);
        text = std::to_string(v);
        break;
    }
    case kRowLong:
        if (!text.empty())
            text = std::to_string(std::clamp<long long>(ParseInteger(text), -2147483647LL, 2147483647LL));
        break;
    case kRowDouble:
        if (!text.empty()) {
            double v = ParseDouble(text);
            if (info->range)
                v = std::clamp(v, info->range->minimum, info->range->maximum);
            text = FormatRowDouble(v);
        }
        break;
    default:
        break;
    }
    info->text = text;
    ShowRow(row);
    CommitRow(row);
    Notify(row, 0);
}

void CPropertyListCtrl::OpenCombo(int row)
{
    CloseEditors();
    m_closed.clear();
    const PropertyRow* info = GetRowInfo(row);
    CRect cell = GetCellRect(row, kValueColumn);
    cell.bottom += 100;
    m_combo = std::make_unique<CInPlaceCombo>();
    m_combo->m_row = row;
    m_editRow = row;
    if (!m_combo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST, cell, this,
                         CInPlaceCombo::kId)) {
        m_combo.reset();
        m_editRow = -1;
        return;
    }
    m_combo->SetFont(GetFont(), FALSE);
    int selected = -1;
    for (const std::string& choice : info->choices) {
        const int at = m_combo->AddString(choice.c_str());
        if (selected < 0 && choice == info->text)
            selected = at;
    }
    if (selected >= 0)
        m_combo->SetCurSel(selected);
    m_combo->SetFocus();
    Notify(row, 0);
}

void CPropertyListCtrl::CommitCombo()
{
    if (!m_combo || m_editRow < 0)
        return;
    const int row = m_editRow;
    const bool cancelled = m_combo->m_cancelled;
    const int selected = m_combo->GetCurSel();
    const std::string text = selected >= 0 ? m_combo->GetLBText(selected) : std::string();
    CloseEditors();
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    if (cancelled || selected < 0 || text == info->text)
        return;
    info->text = text;
    ShowRow(row);
    CommitRow(row);
    Notify(row, 0);
}

void CPropertyListCtrl::Step(int row, bool up)
{
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    long long v = ParseInteger(info->text);
    if (info->kind == kRowLong) {
        v = std::clamp<long long>(v + (up ? 1 : -1), -2147483647LL, 2147483647LL);
    } else if (info->range) {
        const auto lo = static_cast<long long>(info->range->minimum);
        const auto hi = static_cast<long long>(info->range->maximum);
        const auto step = static_cast<long long>(info->range->step);
        if (up && v < hi)
            v += step;
        else if (!up && v > lo)
            v -= step;
        v = std::clamp(v, lo, hi);
    } else {
        v = std::clamp<long long>(v + (up ? 1 : -1), -32768, 32767);
    }
    info->text = std::to_string(v);
    ShowRow(row);
    CommitRow(row);
    Notify(row, 0);
}

void CPropertyListCtrl::PickColour(int row)
{
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    COLORREF colour = info->colour;
    COLORREF* table = m_context != nullptr ? m_context->customColors : nullptr;
    if (ChooseColorWithCustomColors(colour, true, nullptr, table) == IDOK) {
        info->colour = colour;
        Invalidate();
        CommitRow(row);
    }
    Notify(row, 0);
}

void CPropertyListCtrl::PickLink(int row)
{
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    CCellBinding* binding = info->parameter != nullptr ? info->parameter->GetBinding() : nullptr;
    if (binding == nullptr)
        return;
    CWnd* main = m_context != nullptr ? m_context->mainWindow : nullptr;
    CExcelHost* host = m_context != nullptr && m_context->currentHost ? m_context->currentHost() : nullptr;
    const CCellModel* model = m_context != nullptr && m_context->cellModel ? m_context->cellModel() : nullptr;
    CVariableTable* table = m_context != nullptr && m_context->variableTable ? m_context->variableTable() : nullptr;
    if (host == nullptr || model == nullptr || table == nullptr) {
        ShowMessageBox(main, CComponentPage::kNoModelText, "Warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool rangeSwitch = m_context->rangeSwitch && m_context->busyDialogs;
    if (rangeSwitch)
        m_context->busyDialogs(false);
    std::string text = binding->GetTexts().rangeText;
    CRangeSelection picked = host->GetSelectedRange(*model, *table, text, false);
    if (rangeSwitch)
        m_context->busyDialogs(true);
    if (picked.outcome == sheet::RangePickOutcome::Picked || picked.outcome == sheet::RangePickOutcome::Cleared) {
        // The bound value is read again from the picked cells; an emptied pick keeps the last
        // values as constants.
        info->parameter->RefreshFromCells(picked.range, false);
        const std::string workbook = host->GetWorkbookText();
        if (!workbook.empty())
            binding->GetTexts().workbookText = workbook;
        binding->GetTexts().rangeText = text;
        info->linkFlag = binding->IsBound() ? kLinked : kLinkable;
        CParameter* value = info->value;
        if (value != nullptr && info->kind != kRowChoice && info->kind != kRowBoolean && info->kind != kRowColor)
            info->text = value->GetType() == model::ParamType::Number ? FormatRowDouble(value->GetDouble())
                                                                     : value->GetValueText();
        if (value != nullptr && info->kind == kRowBoolean)
            info->boolean = value->GetBool();
        ShowRow(row);
        m_committed = true;
    }
    Notify(row, 1);
}

void CPropertyListCtrl::PickFile(int row)
{
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    CloseEditors();
    CFileDialog dialog(TRUE, nullptr, info->text.c_str(), OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       "All Files (*.*)|*.*|", this);
    if (dialog.DoModal() == IDOK && dialog.GetPathName() != info->text) {
        info->text = dialog.GetPathName();
        ShowRow(row);
        CommitRow(row);
    }
    Notify(row, 0);
}

void CPropertyListCtrl::OpenDialog(int row)
{
    PropertyRow* info = m_rows[static_cast<std::size_t>(row)].get();
    CParameter* value = info->value;
    if (value == nullptr || value->GetSet() == nullptr)
        return;
    CloseEditors();
    INT_PTR result = IDCANCEL;
    if (info->kind == kRowArray) {
        CArrayDlg dialog(this);
        dialog.SetContext(m_context);
        dialog.SetParameter(value, info->name, false, nullptr);
        result = dialog.DoModal();
    } else {
        CExternalFileDlg dialog(this);
        dialog.SetParameters(value->GetSet());
        result = dialog.DoModal();
    }
    if (result != IDOK)
        return;
    m_committed = true;
    Notify(row, 0);
}

void CPropertyListCtrl::OnClick(int row, CPoint point)
{
    PropertyRow* info = row >= 0 && row < GetRowCount() ? m_rows[static_cast<std::size_t>(row)].get() : nullptr;
    if (info == nullptr)
        return;
    if (GetCellRect(row, kNameColumn).PtInRect(point)) {
        if (CWnd* parent = GetParent())
            parent->SetFocus();
        return;
    }
    if (m_linkColumn && GetCellRect(row, kLinkColumn).PtInRect(point)) {
        if (info->linkFlag != kLinkNone && info->enabled)
            PickLink(row);
        return;
    }
    if (!info->enabled || !GetCellRect(row, kValueColumn).PtInRect(point))
        return;
    const CRect square = GetSquareRect(row);
    const bool inSquare = !square.IsRectEmpty() && square.PtInRect(point);
    switch (info->kind) {
    case kRowText:
    case kRowDouble:
        OpenEdit(row);
        break;
    case kRowInteger:
    case kRowLong:
        if (inSquare)
            Step(row, point.y < square.top + square.Height() / 2);
        else
            OpenEdit(row);
        break;
    case kRowFile:
        if (inSquare)
            PickFile(row);
        else
            OpenEdit(row);
        break;
    case kRowColor:
        if (inSquare)
            PickColour(row);
        break;
    case kRowChoice:
        OpenCombo(row);
        break;
    case kRowArray:
    case kRowExternalFile:
        if (inSquare)
            OpenDialog(row);
        break;
    case kRowBoolean:
        info->boolean = !info->boolean;
        ShowRow(row);
        CommitRow(row);
        Notify(row, 0);
        break;
    default:
        break;
    }
}

BOOL CPropertyListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && header->code == static_cast<UINT>(NM_CLICK)) {
            const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
            OnClick(click->iItem, click->ptAction);
            // The parent still hears of the click.
            return FALSE;
        }
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CPropertyListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INPLACE_NOTIFY:
        if (wParam == static_cast<WPARAM>(kInPlaceEditId))
            CommitEdit();
        else if (wParam == static_cast<WPARAM>(CInPlaceCombo::kId))
            CommitCombo();
        return 0;
    case WM_VSCROLL:
        // Scrolling drops an open edit without writing it.
        if (m_edit) {
            CloseEditors();
        }
        break;
    case WM_DESTROY:
        CloseEditors();
        break;
    default:
        break;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
