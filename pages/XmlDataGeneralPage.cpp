#include "pages/XmlDataGeneralPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "model/Trace.h"
#include "model/ValueList.h"
#include "model/XMLDataEntry.h"
#include "pages/PageKit.h"
#include "pages/XmlDataFile.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/services/Services.h"
#include "publish/TempFiles.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <cstdint>

using namespace pages;
using model::ParamType;

namespace {

constexpr DWORD kListStyle = kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;

// The naming counters are kept as 4-byte little-endian integers.
bool ReadCounter(const CPropertyMap* map, const char* key, int& counter)
{
    std::uint8_t bytes[4] = {};
    if (map == nullptr || !map->GetProperty(key, bytes, sizeof bytes))
        return false;
    counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                        static_cast<std::uint32_t>(bytes[2]) << 16 |
                                        static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

void WriteCounter(CPropertyMap* map, const char* key, int counter)
{
    if (map == nullptr)
        return;
    const auto value = static_cast<std::uint32_t>(counter);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    map->SetProperty(key, bytes, sizeof bytes);
}

// "transferType" is a choice in the shipped components and a plain text in older ones.
void StoreText(CParameter& parameter, const std::string& text)
{
    if (CValueList* list = parameter.GetValueList())
        list->GetPrototype().SetString(text);
    else
        parameter.SetString(text);
}

std::string RangeTextOf(const CCellBinding& binding)
{
    return binding.IsBound() ? binding.GetTexts().GetRangeText() : std::string();
}

// The first cell of a binding's range, -1 for none.
std::int32_t FirstCellOf(const CCellBinding& binding)
{
    const CRange* range = AsRange(binding.GetRangePtr());
    const std::optional<CCellRef> cell = range != nullptr ? range->GetCell(0) : std::nullopt;
    return cell ? cell->id : -1;
}

// The value of the ranges array holds one element per entry, each the rows of its cells: a list
// of areas, whatever shape the component was made with.
void ShapeAsAreas(CParameter& value)
{
    if (value.GetType() != ParamType::List)
        value.SetType(ParamType::List);
    const CParameter* area = value.GetGroupTemplate();
    const CParameter* row = area != nullptr ? area->GetGroupTemplate() : nullptr;
    if (area != nullptr && area->GetType() == ParamType::List && row != nullptr && row->GetType() == ParamType::List)
        return;
    // The cell kind the component declared, kept for the cells.
    const CParameter* leaf = area;
    while (leaf != nullptr && model::HasNestedSet(leaf->GetType()))
        leaf = leaf->GetGroupTemplate();
    CParameter cell = leaf != nullptr ? *leaf : CParameter("0", ParamType::Text);
    cell.SetName("0");
    CParameter rows("0", ParamType::List);
    rows.GetSet()->SetElementTemplate(std::make_unique<CParameter>(cell));
    CParameter areas("0", ParamType::List);
    areas.GetSet()->SetElementTemplate(std::make_unique<CParameter>(rows));
    value.GetSet()->SetElementTemplate(std::make_unique<CParameter>(areas));
}

} // namespace

BEGIN_MESSAGE_MAP(CXMLDataGeneralPage, CFieldPage)
    .Command(IDC_ENABLE_SEND, &CXMLDataGeneralPage::OnEnableSend)
    .Command(IDC_ENABLE_LOAD, &CXMLDataGeneralPage::OnEnableLoad)
    .Command(IDC_SEND_ADD, &CXMLDataGeneralPage::OnAddSend)
    .Command(IDC_LOAD_ADD, &CXMLDataGeneralPage::OnAddLoad)
    .Command(IDC_SEND_REMOVE, &CXMLDataGeneralPage::OnRemoveSend)
    .Command(IDC_LOAD_REMOVE, &CXMLDataGeneralPage::OnRemoveLoad)
    .Control(LBN_SELCHANGE, IDC_SEND_LIST, &CXMLDataGeneralPage::OnSendSelChange)
    .Control(LBN_SELCHANGE, IDC_LOAD_LIST, &CXMLDataGeneralPage::OnLoadSelChange)
    .Command(IDC_SEND_NAME_LINK, &CXMLDataGeneralPage::OnSendNameLink)
    .Command(IDC_LOAD_NAME_LINK, &CXMLDataGeneralPage::OnLoadNameLink)
    .Command(IDC_SEND_RANGE_LINK, &CXMLDataGeneralPage::OnSendRangeLink)
    .Command(IDC_LOAD_RANGE_LINK, &CXMLDataGeneralPage::OnLoadRangeLink)
    .Command(IDC_SEND_PREVIEW, &CXMLDataGeneralPage::OnPreviewSendXml)
    .Command(IDC_LOAD_PREVIEW, &CXMLDataGeneralPage::OnPreviewLoadXml)
    .Message(WM_INPLACE_NOTIFY, &CXMLDataGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

        namespace
{

    std::vector<ParamField> Rows()
    {
        using Page = CXMLDataGeneralPage;
        auto side = [](int offset) {
            std::vector<int> ids;
            for (int id = Page::IDC_SEND_GROUP; id <= Page::IDC_SEND_PREVIEW; ++id)
                ids.push_back(id + offset);
            return ids;
        };
        return {
            WithHelp(LinkedRow(Page::IDC_LABEL, Page::IDC_LABEL_LINK, "label"), 2332),
            WithHelp(LinkedRow(Page::IDC_URL, Page::IDC_URL_LINK, "url"), 2335),
            // The transfer direction and the two lists of entries are the page's own.
            OwnRow({Page::IDC_ENABLE_SEND, Page::IDC_ENABLE_LOAD}, {"transferType"}),
            WithHelp(OwnRow(side(0), {"sendNames_ary"}), 2334),
            OwnRow({}, {"sendRanges_ary"}),
            WithHelp(OwnRow(side(Page::kLoadOffset), {"loadNames_ary"}), 2333),
            OwnRow({}, {"loadRanges_ary"}),
        };
    }

} // namespace

CXMLDataGeneralPage::CXMLDataGeneralPage(publish::ITempFileMaker* temporaries)
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(2331)),
      m_temporaries(temporaries)
{
    m_load.send = false;
    m_load.word = "oad"; // "load" and "sendAndLoad" alike
    m_load.namesKey = "loadNames_ary";
    m_load.rangesKey = "loadRanges_ary";
    m_load.counterKey = "LoadIndex";
    m_load.offset = kLoadOffset;
}

CXMLDataGeneralPage::~CXMLDataGeneralPage() = default;

DialogTemplate CXMLDataGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Label", IDC_LABEL_GROUP, 7, 4, 118, 30, kGroupStyle)
        .Add("Edit", "", IDC_LABEL, 14, 16, 88, 13, kEditStyle)
        .Add("Button", "...", IDC_LABEL_LINK, 104, 16, 16, 13, kTab)
        .Add("Button", "URL", IDC_URL_GROUP, 130, 4, 118, 30, kGroupStyle)
        .Add("Edit", "", IDC_URL, 137, 16, 88, 13, kEditStyle)
        .Add("Button", "...", IDC_URL_LINK, 227, 16, 16, 13, kTab);
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? 7 : 130;
        const int o = side == 0 ? 0 : kLoadOffset;
        t.Add("Button", side == 0 ? "Send" : "Load", IDC_SEND_GROUP + o, x, 38, 118, 158, kGroupStyle)
            .Add("Button", side == 0 ? "Enable Send" : "Enable Load", IDC_ENABLE_SEND + o, x + 7, 50, 100, 10,
                 kCheckStyle)
            .Add("Static", "Ranges", IDC_SEND_RANGES_LABEL + o, x + 7, 64, 60, 8, kLabelStyle)
            .Add("ListBox", "", IDC_SEND_LIST + o, x + 7, 74, 104, 44, kListStyle)
            .Add("Button", "Add", IDC_SEND_ADD + o, x + 7, 122, 50, 14, kTab)
            .Add("Button", "Remove", IDC_SEND_REMOVE + o, x + 61, 122, 50, 14, kTab)
            .Add("Static", "Name", IDC_SEND_NAME_LABEL + o, x + 7, 143, 24, 8, kLabelStyle)
            .Add("Edit", "", IDC_SEND_NAME + o, x + 32, 141, 60, 13, kEditStyle)
            .Add("Button", "...", IDC_SEND_NAME_LINK + o, x + 95, 141, 16, 13, kTab)
            .Add("Static", "Range", IDC_SEND_RANGE_LABEL + o, x + 7, 159, 24, 8, kLabelStyle)
            .Add("Edit", "", IDC_SEND_RANGE + o, x + 32, 157, 60, 13, kRangeStyle)
            .Add("Button", "...", IDC_SEND_RANGE_LINK + o, x + 95, 157, 16, 13, kTab)
            .Add("Button", "Preview XML", IDC_SEND_PREVIEW + o, x + 7, 176, 104, 14, kTab);
    }
    return t;
}

CParameterSet* CXMLDataGeneralPage::Group() const
{
    return PageGroup(*this, "General");
}

CParameter* CXMLDataGeneralPage::TransferType() const
{
    CParameterSet* group = Group();
    return group != nullptr ? group->FindParameter("transferType") : nullptr;
}

bool CXMLDataGeneralPage::IsOn(const Side& side) const
{
    const CParameter* type = TransferType();
    return type != nullptr && ChoiceText(type).find(side.word) != std::string::npos;
}

CVariableTable* CXMLDataGeneralPage::Table() const
{
    const CPropertyPageContext* context = GetContext();
    return context != nullptr && context->variableTable ? context->variableTable() : nullptr;
}

int CXMLDataGeneralPage::Selected(const Side& side)
{
    auto* list = static_cast<CListBox*>(GetDlgItem(side.Id(IDC_SEND_LIST)));
    return list != nullptr ? list->GetCurSel() : -1;
}

BOOL CXMLDataGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = Group();
    for (Side* side : {&m_send, &m_load}) {
        ReadCounter(GetOwnerPropertyMap(), side->counterKey, side->counter);
        ReplaceControl(side->nameEdit, side->Id(IDC_SEND_NAME), GetDialogFont());
        CParameter* names = group != nullptr ? group->FindParameter(side->namesKey) : nullptr;
        CParameter* ranges = group != nullptr ? group->FindParameter(side->rangesKey) : nullptr;
        side->names = names != nullptr && model::IsIndexedList(names->GetType()) ? names : nullptr;
        side->ranges = ranges != nullptr && ranges->GetBinding() != nullptr ? ranges : nullptr;
        if ((names != nullptr && side->names == nullptr) || (ranges != nullptr && side->ranges == nullptr))
            Trace("XML data page: %s or %s is not of the expected kind", side->namesKey, side->rangesKey);
        LoadSideEntries(*side);
        FillEntryList(*side);
        UpdateSideControls(*side);
        // On opening a single entry cannot be removed until the list changed.
        const bool usable = IsOn(*side) && side->names != nullptr && side->ranges != nullptr;
        EnableItems(*this, {side->Id(IDC_SEND_REMOVE)}, usable && side->entries.size() >= 2);
        ShowSelectedEntry(*side);
    }
    return TRUE;
}

void CXMLDataGeneralPage::UpdateSideControls(Side& side)
{
    if (TransferType() == nullptr)
        return;
    const bool on = IsOn(side);
    CheckDlgButton(side.Id(IDC_ENABLE_SEND), on ? BST_CHECKED : BST_UNCHECKED);
    // A component without its arrays has nothing the list could edit.
    const bool usable = on && side.names != nullptr && side.ranges != nullptr;
    EnableItems(*this,
                {side.Id(IDC_SEND_GROUP), side.Id(IDC_SEND_RANGES_LABEL), side.Id(IDC_SEND_NAME_LABEL),
                 side.Id(IDC_SEND_RANGE_LABEL), side.Id(IDC_SEND_LIST), side.Id(IDC_SEND_ADD)},
                usable);
    // The range edit only ever shows a range; it is never typed into.
    EnableItems(*this, {side.Id(IDC_SEND_RANGE)}, false);
    EnableListButtons(side);
    const bool selected = usable && Selected(side) >= 0;
    side.nameEdit.EnableWindow(selected ? TRUE : FALSE);
    EnableItems(*this, {side.Id(IDC_SEND_NAME_LINK), side.Id(IDC_SEND_RANGE_LINK)}, selected);
}

void CXMLDataGeneralPage::EnableListButtons(Side& side)
{
    const bool usable = IsOn(side) && side.names != nullptr && side.ranges != nullptr;
    EnableItems(*this, {side.Id(IDC_SEND_REMOVE), side.Id(IDC_SEND_PREVIEW)}, usable && !side.entries.empty());
}

void CXMLDataGeneralPage::OnEnableSide(Side& clicked)
{
    CParameter* type = TransferType();
    if (type == nullptr)
        return;
    const bool send = IsDlgButtonChecked(IDC_ENABLE_SEND) == BST_CHECKED;
    const bool load = IsDlgButtonChecked(IDC_ENABLE_LOAD) == BST_CHECKED;
    Side& other = &clicked == &m_send ? m_load : m_send;
    if (send || load) {
        StoreText(*type, send && load ? "sendAndLoad" : (send ? "send" : "load"));
        UpdateSideControls(clicked);
    } else {
        // The last side that transfers cannot be switched off: the other one takes over.
        StoreText(*type, clicked.send ? "load" : "send");
        UpdateSideControls(other);
        UpdateSideControls(clicked);
    }
    // The stage shows no transfer direction; the document still changed.
    MarkDocumentChanged();
}

void CXMLDataGeneralPage::LoadSideEntries(Side& side)
{
    side.entries.clear();
    if (side.names == nullptr || side.ranges == nullptr)
        return;
    CVariableTable* table = Table();
    CCellBinding& binding = *side.ranges->GetBinding();
    const std::vector<std::int32_t>& recorded = binding.GetRecordedRanges();
    const int nameCount = side.names->GetElementCount();
    const std::size_t count = recorded.empty() ? static_cast<std::size_t>(nameCount) : recorded.size();
    // A component whose arrays were made without this page has names and one bound range but
    // no per-entry record: its areas go to the names in order.
    const CRange* whole = recorded.empty() ? AsRange(binding.GetRangePtr()) : nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<CXMLDataEntry>();
        const CParameter* name = static_cast<int>(i) < nameCount ? side.names->GetElement(static_cast<int>(i)) : nullptr;
        // A damaged document may record more ranges than it has names.
        entry->SetName(name != nullptr ? name->GetString() : "Range" + std::to_string(i));
        if (table != nullptr) {
            int index = i < recorded.size() ? recorded[i] : -1;
            if (whole != nullptr && i < whole->GetAreaCount()) {
                CRange area;
                CCellRef start, end;
                if (whole->GetArea(i, start, end) && area.AddArea(start, end))
                    index = table->AddRange(area);
            }
            if (index >= 0)
                if (const CRange* range = table->GetRange(static_cast<std::size_t>(index)))
                    entry->GetRangeBinding().SetRange(range);
            const std::int32_t nameCell = name != nullptr ? name->GetVariableId() : -1;
            if (nameCell >= 0)
                if (std::optional<CCellRef> cell = table->GetCellAt(static_cast<std::size_t>(nameCell))) {
                    CRange one;
                    const int oneIndex = one.AddArea(*cell, *cell) ? table->AddRange(one) : -1;
                    if (oneIndex >= 0)
                        entry->GetNameBinding().SetRange(table->GetRange(static_cast<std::size_t>(oneIndex)));
                }
        }
        side.entries.push_back(std::move(entry));
    }
}

void CXMLDataGeneralPage::FillEntryList(Side& side)
{
    auto* list = static_cast<CListBox*>(GetDlgItem(side.Id(IDC_SEND_LIST)));
    list->ResetContent();
    for (const auto& entry : side.entries) {
        const int index = list->AddString(entry->GetName().c_str());
        list->SetItemData(index, reinterpret_cast<std::uintptr_t>(entry.get()));
    }
}

void CXMLDataGeneralPage::Select(Side& side, int index)
{
    auto* list = static_cast<CListBox*>(GetDlgItem(side.Id(IDC_SEND_LIST)));
    list->SetCurSel(index);
}

void CXMLDataGeneralPage::ShowSelectedEntry(Side& side)
{
    const int selected = Selected(side);
    const bool any = selected >= 0 && static_cast<std::size_t>(selected) < side.entries.size();
    std::string name;
    std::string range;
    if (any) {
        CXMLDataEntry& entry = *side.entries[static_cast<std::size_t>(selected)];
        name = entry.GetNameBinding().IsBound() ? RangeTextOf(entry.GetNameBinding()) : entry.GetName();
        range = RangeTextOf(entry.GetRangeBinding());
    }
    side.nameEdit.SetWindowText(name);
    side.nameEdit.SetBaseline(name);
    SetDlgItemText(side.Id(IDC_SEND_RANGE), range);
    side.nameEdit.EnableWindow(any ? TRUE : FALSE);
    EnableItems(*this, {side.Id(IDC_SEND_NAME_LINK), side.Id(IDC_SEND_RANGE_LINK)}, any);
}

void CXMLDataGeneralPage::AddEntry(Side& side)
{
    if (side.names == nullptr || side.ranges == nullptr)
        return;
    auto entry = std::make_unique<CXMLDataEntry>();
    // The counter only grows, so a removed entry's name is not handed out again; a name the
    // user typed earlier is skipped too, as two entries of one name would carry one variable.
    auto used = [&side](const std::string& name) {
        return std::any_of(side.entries.begin(), side.entries.end(),
                           [&name](const auto& e) { return e->GetName() == name; });
    };
    std::string name;
    do
        name = "Range" + std::to_string(side.counter++);
    while (used(name));
    WriteCounter(GetOwnerPropertyMap(), side.counterKey, side.counter);
    entry->SetName(name);
    side.entries.push_back(std::move(entry));
    FillEntryList(side);
    Select(side, static_cast<int>(side.entries.size()) - 1);
    ShowSelectedEntry(side);
    EnableListButtons(side);
    StoreEntries(side);
}

void CXMLDataGeneralPage::RemoveEntry(Side& side)
{
    const int selected = Selected(side);
    if (selected < 0 || static_cast<std::size_t>(selected) >= side.entries.size()) {
        ShowMessageBox(this, kRemoveNothing, kProgramTitle, MB_OK);
        return;
    }
    side.entries.erase(side.entries.begin() + selected);
    auto* list = static_cast<CListBox*>(GetDlgItem(side.Id(IDC_SEND_LIST)));
    list->DeleteString(static_cast<UINT>(selected));
    if (!side.entries.empty())
        Select(side, std::min(selected, static_cast<int>(side.entries.size()) - 1));
    ShowSelectedEntry(side);
    EnableListButtons(side);
    StoreEntries(side);
}

void CXMLDataGeneralPage::LinkEntryName(Side& side)
{
    const int selected = Selected(side);
    if (selected < 0 || static_cast<std::size_t>(selected) >= side.entries.size()) {
        ShowMessageBox(this, kLinkNothing, kProgramTitle, MB_OK);
        return;
    }
    CXMLDataEntry& entry = *side.entries[static_cast<std::size_t>(selected)];
    if (!SelectRange(&entry.GetNameBinding(), side.Id(IDC_SEND_NAME), &side.nameEdit, false, nullptr))
        return;
    // The name becomes the text of the picked cell; a cleared pick keeps the typed name.
    entry.RefreshText();
    FillEntryList(side);
    StoreEntries(side);
    NotifyOwnerChanged();
    Select(side, selected);
    ShowSelectedEntry(side);
}

void CXMLDataGeneralPage::LinkEntryRange(Side& side)
{
    if (side.entries.empty()) {
        ShowMessageBox(this, kNoEntries, kProgramTitle, MB_OK);
        return;
    }
    const int selected = Selected(side);
    if (selected < 0 || static_cast<std::size_t>(selected) >= side.entries.size()) {
        ShowMessageBox(this, kLinkNothing, kProgramTitle, MB_OK);
        return;
    }
    CXMLDataEntry& entry = *side.entries[static_cast<std::size_t>(selected)];
    if (!SelectRange(&entry.GetRangeBinding(), side.Id(IDC_SEND_RANGE), nullptr, false, nullptr))
        return;
    FillEntryList(side);
    StoreEntries(side);
    NotifyOwnerChanged();
    Select(side, selected);
    ShowSelectedEntry(side);
}

void CXMLDataGeneralPage::RenameEntry(Side& side)
{
    const int selected = Selected(side);
    if (selected < 0 || static_cast<std::size_t>(selected) >= side.entries.size()) {
        ShowMessageBox(this, kRenameNothing, kProgramTitle, MB_OK);
        return;
    }
    const std::string text = side.nameEdit.GetWindowText();
    if (text.empty()) {
        // An entry without a name would carry no variable: the old name stays.
        ShowSelectedEntry(side);
        return;
    }
    side.entries[static_cast<std::size_t>(selected)]->SetName(text);
    FillEntryList(side);
    StoreEntries(side);
    Select(side, selected);
    ShowSelectedEntry(side);
    NotifyOwnerChanged();
}

void CXMLDataGeneralPage::StoreEntries(Side& side)
{
    if (side.names == nullptr || side.ranges == nullptr)
        return;
    CVariableTable* table = Table();
    CCellBinding& binding = *side.ranges->GetBinding();

    // Which table range each entry has (-1 for none), so that the list comes back as it was
    // when the page opens again, entries without a range included.
    std::vector<std::int32_t> recorded;
    CRange combined;
    for (const auto& entry : side.entries) {
        const CRange* range = AsRange(entry->GetRangeBinding().GetRangePtr());
        std::int32_t index = -1;
        if (range != nullptr && table != nullptr) {
            index = table->FindRange(*range);
            if (index < 0)
                index = table->AddRange(*range);
        }
        recorded.push_back(index);
        CCellRef start, end;
        // Each area keeps its own sheet, so entries on different sheets combine safely.
        if (range != nullptr && range->GetArea(0, start, end))
            combined.AddArea(start, end);
    }

    side.names->ClearElements();
    for (const auto& entry : side.entries) {
        CParameter* element = side.names->InsertTemplateElement(-1);
        // A names array that never had an element nor a template still takes texts.
        if (element == nullptr)
            element = side.names->InsertElementCopy(CParameter("0", ParamType::Text), -1);
        if (element == nullptr)
            break;
        element->SetString(entry->GetName(), true);
        element->SetVariableId(FirstCellOf(entry->GetNameBinding()));
    }

    CParameter& value = binding.GetValue();
    ShapeAsAreas(value);
    const int combinedIndex = table != nullptr && combined.GetAreaCount() > 0 ? table->AddRange(combined) : -1;
    const CRange* range = combinedIndex >= 0 ? table->GetRange(static_cast<std::size_t>(combinedIndex)) : nullptr;
    if (range != nullptr) {
        side.ranges->RefreshFromCells(range, false);
    } else {
        // No entry has cells: nothing is bound and no old values stay behind.
        side.ranges->RefreshFromCells(nullptr, false);
        binding.SetRange(nullptr);
        value.ClearElements();
    }
    binding.GetRecordedRanges() = recorded;
    MarkDocumentChanged();
}

void CXMLDataGeneralPage::Preview(Side& side)
{
    publish::ITempFileMaker& maker = m_temporaries != nullptr ? *m_temporaries : publish::GetTempFileMaker();
    const std::filesystem::path file = maker.Create("kv", ".xml");
    if (file.empty()) {
        ShowMessageBox(this, std::string(kPreviewFailed) + "\n\n" + maker.LastError(), "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    if (!WriteXMLDataFile(file, side.names, side.ranges, side.entries)) {
        ShowMessageBox(this, std::string(kPreviewFailed) + "\n\n" + file.string(), "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    if (!GetShellService().Open(file.string(), ""))
        ShowMessageBox(this, "The XML preview file could not be opened:\n\n" + file.string(), "Error",
                       MB_OK | MB_ICONSTOP);
}

LRESULT CXMLDataGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    for (Side* side : {&m_send, &m_load}) {
        if (standsFor == side->Id(IDC_SEND_NAME)) {
            RenameEntry(*side);
            return 1;
        }
    }
    return 0;
}
