#include "platform/dialogs/DataExchange.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlWnd.h"
#include "platform/drawing/Font.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <sstream>

CWnd* CDataExchange::PrepareCtrl(int id)
{
    CWnd* control = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (control == nullptr)
        Fail();
    m_idLastControl = id;
    m_bEditLastControl = false;
    return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int id)
{
    CWnd* control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_pDlgWnd != nullptr && m_idLastControl != 0) {
        if (CWnd* control = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
            control->SetFocus();
            if (m_bEditLastControl)
                control->SendMessage(EM_SETSEL, 0, -1);
        }
    }
    throw CUserException();
}

namespace {

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t");
    std::size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& text, int& out)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(t.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

// Decimal text in the C locale, whatever the process locale says.
bool ParseDouble(const std::string& text, double& out)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    std::istringstream in(t);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail() || !in.eof() || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

std::string FormatDouble(double v)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(15);
    out << v;
    return out.str();
}

void Refuse(CDataExchange* pDX, const std::string& message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = control->GetWindowText();
    else
        control->SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(std::to_string(value));
        return;
    }
    if (!ParseInt(control->GetWindowText(), value))
        Refuse(pDX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(FormatDouble(value));
        return;
    }
    if (!ParseDouble(control->GetWindowText(), value))
        Refuse(pDX, "Please enter a number.");
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    CWnd* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(control->SendMessage(BM_GETCHECK));
    else
        control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* pDX, int firstId, int& value)
{
    CWnd* first = pDX->PrepareCtrl(firstId);
    CWnd* parent = first->GetParent();
    std::vector<CWnd*> siblings = parent->GetChildren();
    std::size_t at = 0;
    while (at < siblings.size() && siblings[at] != first)
        ++at;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (std::size_t i = at; i < siblings.size(); ++i) {
        if (i > at && (siblings[i]->GetStyle() & WS_GROUP))
            break;
        if (siblings[i]->GetClassName() != "Button")
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (siblings[i]->SendMessage(BM_GETCHECK) == BST_CHECKED)
                value = index;
        } else {
            siblings[i]->SendMessage(BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    CWnd* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(control->SendMessage(CB_GETCURSEL));
    else
        control->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value)
{
    CWnd* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        value = control->GetWindowText();
        return;
    }
    if (control->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(value.c_str())) == CB_ERR)
        control->SetWindowText(value);
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index)
{
    CWnd* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(control->SendMessage(LB_GETCURSEL));
    else
        control->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.GetSafeHwnd() != nullptr)
        return;
    pDX->m_idLastControl = id;
    if (!ui::SubclassDlgItem(control, static_cast<UINT>(id), pDX->m_pDlgWnd))
        pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    Refuse(pDX, "Please enter an integer between " + std::to_string(minimum) + " and " +
                    std::to_string(maximum) + ".");
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maximum)
{
    if (!pDX->m_bSaveAndValidate) {
        if (CWnd* control = pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl))
            control->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maximum));
        return;
    }
    if (ui::CountCharacters(value) > static_cast<std::size_t>(maximum))
        Refuse(pDX, "Enter no more than " + std::to_string(maximum) + " characters.");
}
