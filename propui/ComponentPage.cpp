#include "propui/ComponentPage.h"

#include <algorithm>

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "model/Trace.h"
#include "model/ValueList.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/controls/SpinEdit.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/UiUtilities.h"
#include "platform/services/Services.h"
#include "propui/ColorButton.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"

namespace {

constexpr std::size_t kMaxChoiceText = 127;
constexpr COLORREF kMissingSwatch = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kButtonText = 0x010101;
constexpr COLORREF kButtonDisabledText = 0x808080;
constexpr int kButtonStyle = 2;

void CloseUp(CWnd* control, bool hide)
{
    if (control == nullptr)
        return;
    control->EnableWindow(FALSE);
    if (hide)
        control->ShowWindow(SW_HIDE);
}

// The "r" switch turns the automation busy prompts off for as long as the user picks cells;
// they come back on every way out of the pick.
class BusyPromptsOff {
public:
    explicit BusyPromptsOff(const CPropertyPageContext* context)
        : m_toggle(context != nullptr && context->rangeSwitch ? &context->busyDialogs : nullptr)
    {
        if (m_toggle != nullptr && *m_toggle)
            (*m_toggle)(false);
    }
    ~BusyPromptsOff()
    {
        if (m_toggle != nullptr && *m_toggle)
            (*m_toggle)(true);
    }
    BusyPromptsOff(const BusyPromptsOff&) = delete;
    BusyPromptsOff& operator=(const BusyPromptsOff&) = delete;

private:
    const std::function<void(bool)>* m_toggle;
};

bool AreaHasFormula(const CRange& range, const CCellModel& model)
{
    int rows = 0;
    int columns = 0;
    if (!range.GetAreaSize(0, rows, columns))
        return false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            CCellRef cell;
            if (range.GetCells(0, r, c, cell) && model.HasFormula(cell))
                return true;
        }
    }
    return false;
}

} // namespace

BEGIN_MESSAGE_MAP(CComponentPage, CPropertyPage)
    .Message(WM_COMMANDHELP, &CComponentPage::OnCommandHelp) END_MESSAGE_MAP()

CComponentPage::CComponentPage() = default;
CComponentPage::~CComponentPage() = default;

BOOL CComponentPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                            CParameterSet* root)
{
    m_group = group;
    m_tabTitle = title;
    m_modal = modal;
    m_owner = owner;
    m_root = root;
    return TRUE;
}

BOOL CComponentPage::OnInitDialog()
{
    const BOOL result = CPropertyPage::OnInitDialog();
    GiveButtonsPictures(*this);
    return result;
}

void GiveButtonsPictures(CWnd& page)
{
    const std::vector<CWnd*> children = page.GetChildren();
    for (CWnd* child : children) {
        auto* button = dynamic_cast<CButton*>(child);
        const UINT type = child->GetStyle() & BS_TYPEMASK;
        if (button == nullptr || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) || !button->GetIconName().empty())
            continue;
        const std::string caption = button->GetWindowText();
        if (caption == "?") {
            button->SetIconName("vantorel-help-movie-symbolic");
        } else if (caption == "+" || caption == "-") {
            button->SetIconName(caption == "+" ? "vantorel-step-up-symbolic" : "vantorel-step-down-symbolic");
        } else if (caption == "...") {
            // A link button stands right of the edit whose cells it picks: a range shown
            // read-only, or a value that is typed or taken from a cell.
            const CRect at = button->GetRectInParent();
            for (CWnd* other : children) {
                if (other->GetClassName() != "Edit")
                    continue;
                const CRect edit = other->GetRectInParent();
                if (edit.right <= at.left && at.left - edit.right <= 8 && edit.top < at.bottom && at.top < edit.bottom) {
                    const bool range = (other->GetStyle() & ES_READONLY) != 0;
                    button->SetIconName(range ? "vantorel-link-range-symbolic" : "vantorel-link-cell-symbolic");
                    break;
                }
            }
        }
    }
}

BOOL CComponentPage::OnSetActive()
{
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return CPropertyPage::OnSetActive();
}

void CComponentPage::NotifyOwnerChanged()
{
    if (m_owner != nullptr)
        m_owner->Refresh(0);
}

void CComponentPage::MarkDocumentChanged()
{
    if (m_owner != nullptr)
        m_owner->MarkDocumentChanged();
}

int CComponentPage::GetHelpContextId()
{
    return -1;
}

CPropertyMap* CComponentPage::GetOwnerPropertyMap() const
{
    return m_owner != nullptr ? m_owner->GetFirstPropertyMap() : nullptr;
}

std::string CComponentPage::GetOwnerComponentType() const
{
    return m_owner != nullptr ? m_owner->GetComponentTypeName() : std::string();
}

CParameter* FindTyped(const CParameterSet* set, const char* key, int type)
{
    CParameter* found = set != nullptr && key != nullptr ? set->FindParameter(key) : nullptr;
    return found != nullptr && static_cast<int>(found->GetType()) == type ? found : nullptr;
}

CParameter* CComponentPage::FindTyped(const char* key, CParameterSet* set, int type) const
{
    CParameter* parameter = set != nullptr && key != nullptr ? set->FindParameter(key) : nullptr;
    if (parameter == nullptr)
        return nullptr;
    if (::FindTyped(set, key, type) == nullptr) {
        Trace("property page: parameter %s has type %d, the page expects %d", key,
              static_cast<int>(parameter->GetType()), type);
        return nullptr;
    }
    return parameter;
}

// ---- binders ----

bool CComponentPage::BindColorButton(const char* key, int controlId, CColorButton& button, bool hide)
{
    return BindColorButtonInSet(key, controlId, button, m_group, hide);
}

bool CComponentPage::BindColorButtonInSet(const char* key, int controlId, CColorButton& button, CParameterSet* set,
                                          bool hide)
{
    CParameter* parameter = FindTyped(key, set, static_cast<int>(model::ParamType::Color));
    const COLORREF swatch = parameter != nullptr ? SwapRedBlue(parameter->GetColor()) : kMissingSwatch;
    if (button.GetSafeHwnd() == nullptr) {
        if (!button.SubclassDlgItem(static_cast<UINT>(controlId), this, swatch, kButtonText, kButtonDisabledText,
                                    kButtonStyle))
            return false;
    } else {
        button.SetColor(swatch);
    }
    if (parameter == nullptr) {
        CloseUp(&button, hide);
        return false;
    }
    button.ShowWindow(SW_SHOW);
    if (!parameter->IsEnabled()) {
        CloseUp(&button, hide);
    } else {
        button.EnableWindow(TRUE);
    }
    return true;
}

bool CComponentPage::BindCheckBox(const char* key, int controlId, bool hide)
{
    return BindCheckBoxInSet(key, controlId, m_group, hide);
}

bool CComponentPage::BindCheckBoxInSet(const char* key, int controlId, CParameterSet* set, bool hide)
{
    CWnd* control = GetDlgItem(controlId);
    CParameter* parameter = FindTyped(key, set, static_cast<int>(model::ParamType::Boolean));
    if (parameter == nullptr) {
        CloseUp(control, hide);
        return false;
    }
    if (control != nullptr) {
        control->SendMessage(BM_SETCHECK, parameter->GetBool() ? BST_CHECKED : BST_UNCHECKED);
        control->ShowWindow(SW_SHOW);
        // A parameter switched off stays in sight, greyed.
        control->EnableWindow(parameter->IsEnabled() ? TRUE : FALSE);
    }
    return true;
}

bool CComponentPage::BindComboBox(const char* key, int controlId, bool hide)
{
    return BindComboBoxInSet(key, controlId, m_group, hide);
}

bool CComponentPage::BindComboBoxInSet(const char* key, int controlId, CParameterSet* set, bool hide)
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(controlId));
    CParameter* parameter = FindTyped(key, set, static_cast<int>(model::ParamType::Choice));
    const CValueList* list = parameter != nullptr ? parameter->GetValueList() : nullptr;
    if (list == nullptr || !parameter->IsEnabled()) {
        CloseUp(combo, hide);
        return list != nullptr;
    }
    if (combo == nullptr)
        return true;
    if (combo->GetCount() == 0) {
        combo->ResetContent();
        for (const std::string& value : list->GetAllowedValues())
            combo->AddString(value.c_str());
    }
    // The item equal to the value wins over one that merely begins with it: "Bar" must not
    // select "Bar Chart" listed before "Bar", or the next commit writes the wrong text.
    const std::string current = list->GetCurrentText();
    int index = current.empty() ? CB_ERR : combo->FindStringExact(-1, current.c_str());
    if (index != CB_ERR)
        combo->SetCurSel(index);
    else
        combo->SelectString(-1, current.c_str());
    combo->ShowWindow(SW_SHOW);
    combo->EnableWindow(combo->GetCount() == 1 ? FALSE : TRUE);
    return true;
}

void CComponentPage::CommitComboBox(const char* key, int controlId)
{
    CommitComboBoxInSet(key, controlId, m_group);
}

void CComponentPage::CommitComboBoxInSet(const char* key, int controlId, CParameterSet* set)
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(controlId));
    CParameter* parameter = FindTyped(key, set, static_cast<int>(model::ParamType::Choice));
    CValueList* list = parameter != nullptr ? parameter->GetValueList() : nullptr;
    if (combo == nullptr || list == nullptr)
        return;
    const int selected = combo->GetCurSel();
    if (selected == CB_ERR)
        return;
    std::string text = combo->GetLBText(selected);
    if (text.size() > kMaxChoiceText)
        text.resize(kMaxChoiceText);
    // An integer choice takes the text as its number; a text that is none is no change.
    if (!model::StoreChoiceText(list->GetPrototype(), text, false))
        return;
    NotifyOwnerChanged();
}

bool CComponentPage::OnColorButtonClicked(const char* key, CColorButton& button, CParameterSet* set)
{
    COLORREF colour = button.GetColor();
    COLORREF* table = m_context != nullptr ? m_context->customColors : nullptr;
    if (ChooseColorWithCustomColors(colour, true, nullptr, table) != IDOK)
        return false;
    button.SetColor(colour);
    if (CParameter* parameter = FindTyped(key, set, static_cast<int>(model::ParamType::Color)))
        parameter->SetColor(SwapRedBlue(colour));
    NotifyOwnerChanged();
    Invalidate(TRUE);
    return true;
}

BOOL CComponentPage::ReplaceControl(CInPlaceEdit& edit, int controlId, CFont* font)
{
    CWnd* item = GetDlgItem(controlId);
    if (item == nullptr)
        return FALSE;
    CRect rect = item->GetRectInParent();
    const DWORD style = item->GetStyle();
    item->DestroyWindow();
    if (!edit.Create(this, rect, controlId, true, style))
        return FALSE;
    if (font != nullptr)
        edit.SetFont(font, TRUE);
    return TRUE;
}

void CComponentPage::LoadMovieInControl(int controlId, const std::string& moviePath)
{
    auto* player = dynamic_cast<CShockwaveFlash*>(GetDlgItem(controlId));
    if (player == nullptr)
        return;
    player->BringWindowToTop();
    player->LoadMovie(0, "loadblank");
    player->LoadMovie(0, moviePath);
    player->Zoom(50);
    player->Zoom(0);
    if (player->FlashVersion() < 0x5FFFF) {
        player->SetMovie(moviePath);
        player->Play();
    }
}

int CComponentPage::GetFocusedPageControlId() const
{
    CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr || !IsChild(focus))
        return 0;
    // A spin edit's field is a part of the spin edit; another in-place edit stands for the
    // control it replaced.
    if (auto* spin = dynamic_cast<CSpinEdit*>(focus->GetParent()))
        return spin->GetDlgCtrlID();
    if (auto* edit = dynamic_cast<CInPlaceEdit*>(focus); edit != nullptr && focus->GetDlgCtrlID() == kInPlaceEditId)
        return edit->GetStandsFor();
    int id = focus->GetDlgCtrlID();
    // Parts of a custom control carry small ids; the control itself is what help knows. The
    // walk stops at the page.
    CWnd* window = focus;
    while (id >= 0 && id <= 11) {
        CWnd* parent = window->GetParent();
        if (parent == nullptr || parent == this)
            break;
        window = parent;
        id = window->GetDlgCtrlID();
    }
    return id;
}

LRESULT CComponentPage::OnCommandHelp(WPARAM, LPARAM)
{
    const int topic = GetHelpContextId();
    CWnd* main = m_context != nullptr ? m_context->mainWindow : nullptr;
    HWND owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    HWND shown = topic == -1 ? HtmlHelp(owner, kHelpFile, HH_DISPLAY_TOPIC, 0)
                             : HtmlHelp(owner, kHelpFile, HH_HELP_CONTEXT, static_cast<std::uintptr_t>(topic));
    if (shown == nullptr && ShellExecute(owner, "open", kOnlineHelpUrl, nullptr, ".", SW_SHOWNORMAL) <= 32)
        ShowMessageBox(main, "No web browser could be started to show the help. Its pages are in the folder \"help\" "
                             "of the installation; open index.html there with a browser.",
                       "Help", MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

// ---- range pick ----

// Binds the binding to cells the user picks in the workbook window. Without a model the user
// is offered the import first. A pick that fails the page's checks is refused, or kept when
// the page allows the user to insist. Every refusal leaves the binding as it was.
BOOL CComponentPage::SelectRange(CCellBinding* binding, int controlId, CWnd* edit, bool multipleAreas,
                                 const CRangeCheck* constraints)
{
    if (binding == nullptr)
        return FALSE;
    BusyPromptsOff busyOff(m_context);
    CWnd* main = m_context != nullptr ? m_context->mainWindow : nullptr;
    auto currentHost = [this]() -> CExcelHost* {
        return m_context != nullptr && m_context->currentHost ? m_context->currentHost() : nullptr;
    };
    CExcelHost* host = currentHost();
    if (host == nullptr) {
        ShowMessageBox(main, kNoModelText, "Warning", MB_OK | MB_ICONEXCLAMATION);
        if (m_context == nullptr || !m_context->importModel || !m_context->importModel())
            return FALSE;
        // The import may end with OK and still leave no workbook to pick from.
        host = currentHost();
        if (host == nullptr)
            return FALSE;
    }
    const CCellModel* model = m_context->cellModel ? m_context->cellModel() : nullptr;
    CVariableTable* table = m_context->variableTable ? m_context->variableTable() : nullptr;
    if (model == nullptr || table == nullptr)
        return FALSE;

    std::string rangeText = binding->GetTexts().rangeText;
    const bool option = binding->GetFirstFlag() != 0 || multipleAreas;
    CRangeSelection picked = host->GetSelectedRange(*model, *table, rangeText, option);
    if (picked.outcome != sheet::RangePickOutcome::Picked && picked.outcome != sheet::RangePickOutcome::Cleared)
        return FALSE;

    if (constraints != nullptr && picked.range != nullptr) {
        int rows = 0;
        int columns = 0;
        picked.range->GetAreaSize(0, rows, columns);
        const auto cells = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns);
        const std::int32_t checks = constraints->checks;
        const char* message = nullptr;
        bool invalid = false;
        auto fail = [&](const char* text) {
            invalid = true;
            message = text;
        };
        if ((checks & CRangeCheck::kSingleLine) != 0 && rows != 1 && columns != 1)
            fail(kSingleLineText);
        if ((checks & CRangeCheck::kExactCells) != 0 && cells != constraints->limit)
            fail(kExactCellsText);
        if ((checks & CRangeCheck::kMaxCells) != 0 && cells > constraints->limit)
            fail(kMaxCellsText);
        if ((checks & CRangeCheck::kMaxRows) != 0 && static_cast<std::uint64_t>(rows) > constraints->limit)
            fail(kMaxRowsText);
        if ((checks & CRangeCheck::kMaxColumns) != 0 && static_cast<std::uint64_t>(columns) > constraints->limit)
            fail(kMaxColumnsText);
        if ((checks & CRangeCheck::kNoFormulas) != 0 && AreaHasFormula(*picked.range, *model))
            invalid = true; // keeps the text of an earlier failed check, if any
        if (invalid) {
            std::string text = constraints->message != nullptr ? constraints->message
                               : message != nullptr        ? message
                                                           : kNoFormulasText;
            if (constraints->askToContinue) {
                if (ShowMessageBox(main, text + kContinueText, "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                    return FALSE;
            } else {
                ShowMessageBox(main, text, "Error", MB_OK | MB_ICONERROR);
                return FALSE;
            }
        }
    }

    binding->SetRange(picked.range);
    const std::string workbook = host->GetWorkbookText();
    if (!workbook.empty())
        binding->GetTexts().workbookText = workbook;
    binding->GetTexts().rangeText = rangeText;
    if (edit != nullptr)
        edit->SetWindowText(rangeText);
    else if (CWnd* item = GetDlgItem(controlId))
        item->SetWindowText(rangeText);
    return TRUE;
}
