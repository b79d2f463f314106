#include "app/modeldialogs/DataDlg.h"

#include <string>

#include "model/BindingLink.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListBox.h"
#include "publish/BaseMovie.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/CellValueRecord.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/formula/ModelVariable.h"

namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

std::string ValueText(const CModelVariable* value)
{
    if (value == nullptr)
        return "";
    switch (value->GetKind()) {
    case ModelKind::Number:
    case ModelKind::Integer: {
        char text[32];
        std::snprintf(text, sizeof text, "%.15g", value->GetNumber());
        return text;
    }
    case ModelKind::Boolean: return value->GetBoolean() ? "TRUE" : "FALSE";
    case ModelKind::String: return value->GetText();
    default: return "";
    }
}

} // namespace

DialogTemplate CDataDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Data";
    t.cx = 300;
    t.cy = 180;
    t.Add("Static", "Cells the components are bound to:", 0xFFFF, 7, 7, 286, 8, WS_VISIBLE)
        .Add("ListBox", "", IDC_BINDINGS, 7, 18, 286, 134, kTab | WS_BORDER | WS_VSCROLL)
        .Add("Button", "OK", IDOK, 243, 159, 50, 14, kTab | BS_DEFPUSHBUTTON);
    return t;
}

CDataDlg::CDataDlg(CWnd* view) : CDialog(IDD, view)
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

BOOL CDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_BINDINGS));
    if (list == nullptr || m_pBase == nullptr)
        return TRUE;
    const CVariableTable& table = m_pBase->GetVariableTable();
    for (const auto* links : {&m_pBase->GetConstantLinks(), &m_pBase->GetFormulaLinks()}) {
        for (const CBindingLink* link : *links) {
            if (link == nullptr || link->GetCellId() < 0)
                continue;
            const std::optional<CCellRef> cell = table.GetCellAt(static_cast<std::size_t>(link->GetCellId()));
            const CCellValueRecord* record = m_pBase->GetValueMap().Lookup(link->GetCellId());
            std::string row = link->GetOwnerName() + "   " + (cell ? cell->GetText() : link->GetModelVariableName());
            const std::string value = record != nullptr ? ValueText(record->GetValue()) : "";
            if (!value.empty())
                row += "   = " + value;
            list->AddString(row.c_str());
        }
    }
    return TRUE;
}
