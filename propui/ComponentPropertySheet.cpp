#include "propui/ComponentPropertySheet.h"

#include <cstring>

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "propui/ComponentPage.h"
#include "propui/PageFactory.h"
#include "propui/ParameterListPage.h"

namespace {

constexpr std::size_t kMaxTabTitle = 127;

// The remembered page, or none for a missing or damaged (short) record.
std::optional<std::int32_t> ReadActivePage(const CPropertyMap* map)
{
    if (map == nullptr)
        return std::nullopt;
    const std::vector<std::uint8_t>* value = map->Find(CComponentPropertySheet::kActivePageKey);
    if (value == nullptr || value->size() < 4)
        return std::nullopt;
    const std::uint32_t raw = static_cast<std::uint32_t>((*value)[0]) | static_cast<std::uint32_t>((*value)[1]) << 8 |
                              static_cast<std::uint32_t>((*value)[2]) << 16 |
                              static_cast<std::uint32_t>((*value)[3]) << 24;
    return static_cast<std::int32_t>(raw);
}

void WriteActivePage(CPropertyMap* map, std::int32_t index)
{
    if (map == nullptr)
        return;
    const auto raw = static_cast<std::uint32_t>(index);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                   static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
    map->SetProperty(CComponentPropertySheet::kActivePageKey, bytes, sizeof bytes);
}

} // namespace

std::string MakeTabTitle(const std::string& name)
{
    if (name.size() <= kMaxTabTitle)
        return name;
    std::size_t cut = kMaxTabTitle;
    // Never end inside a UTF-8 sequence: back off over continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

BEGIN_MESSAGE_MAP(CComponentPropertySheet, CPropertySheet)
    .OnDestroy(&CComponentPropertySheet::OnDestroy)
    .OnSize(&CComponentPropertySheet::OnSize) END_MESSAGE_MAP()

CComponentPropertySheet::CComponentPropertySheet(const char* title) : CPropertySheet(title)
{
    m_psh.dwFlags |= PSH_USEHICON;
    m_psh.iconId = kIconId;
}

CComponentPropertySheet::CComponentPropertySheet()
{
    m_psh.dwFlags |= PSH_USEHICON;
    m_psh.iconId = kIconId;
}

CComponentPropertySheet::~CComponentPropertySheet()
{
    // A sheet deleted while its window still stands must not leave the platform's sheet
    // pointing at pages already gone.
    if (m_hWnd != nullptr)
        DestroyWindow();
    DeletePages();
}

BOOL CComponentPropertySheet::OnInitDialog()
{
    return TRUE;
}

CComponentPage* CComponentPropertySheet::GetComponentPage(int index) const
{
    if (index < 0 || index >= GetComponentPageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)].get();
}

bool CComponentPropertySheet::AddPage(std::unique_ptr<CComponentPage> page, CParameterSet* group,
                                      const std::string& title, bool modal, IPropertyOwner* owner)
{
    if (!page)
        return false;
    page->SetContext(m_context);
    if (!page->Create(group, MakeTabTitle(title), modal, owner, m_root))
        return false;
    CPropertySheet::AddPage(page.get());
    m_pages.push_back(std::move(page));
    return true;
}

bool CComponentPropertySheet::AddPage(const std::string& className, int variant, CParameterSet* group,
                                      const std::string& title, bool modal, IPropertyOwner* owner)
{
    std::unique_ptr<CComponentPage> page;
    if (m_context != nullptr && m_context->pages != nullptr)
        page = m_context->pages->Make(className, variant);
    if (!page)
        page = std::make_unique<CParameterListPage>();
    return AddPage(std::move(page), group, title, modal, owner);
}

void CComponentPropertySheet::AddPagesWithBehavior(std::unique_ptr<CComponentPage> page, CParameterSet* set,
                                                   bool modal, IPropertyOwner* owner)
{
    const std::string title = set != nullptr ? set->GetName() : std::string();
    AddPage(std::move(page), set, title, modal, owner);
    AddPage(kCommonBehaviorPageClass, 0, set, title, modal, owner);
}

void CComponentPropertySheet::AddTwoPagesWithBehavior(std::unique_ptr<CComponentPage> general,
                                                      std::unique_ptr<CComponentPage> appearance, CParameterSet* set,
                                                      bool modal, IPropertyOwner* owner)
{
    const std::string title = set != nullptr ? set->GetName() : std::string();
    AddPage(std::move(general), set, title, modal, owner);
    AddPage(kCommonBehaviorPageClass, 0, set, title, modal, owner);
    AddPage(std::move(appearance), set, title, modal, owner);
}

int CComponentPropertySheet::BuildPages(CParameterSet* set, bool modal, IPropertyOwner* owner)
{
    DeletePages();
    m_root = set;
    m_owner = owner;
    if (set == nullptr)
        return 0;
    SetTitle(owner != nullptr ? owner->GetTitleName() : std::string(), PSH_PROPTITLE);

    const std::string type = owner != nullptr ? owner->GetComponentTypeName() : std::string();
    const std::vector<std::string>* special = SpecialComponentPages(type);
    // A hand-made set is used only when its pages exist; until then the component is edited
    // group by group like any other.
    const bool specialReady = special != nullptr && m_context != nullptr && m_context->pages != nullptr &&
                              m_context->pages->IsRegistered(special->front());
    if (specialReady) {
        for (const std::string& name : *special)
            AddPage(name, 0, set, set->GetName(), modal, owner);
    } else {
        for (int i = 0; i < set->GetCount(); ++i) {
            CParameter* group = set->GetAt(i);
            if (group == nullptr || group->GetType() != model::ParamType::Group || group->GetSet() == nullptr)
                continue;
            CParameterSet* groupSet = group->GetSet();
            std::optional<PageChoice> choice = ChooseGroupPage(groupSet->GetPageKind(), group->GetName(), type);
            if (choice)
                AddPage(choice->className, choice->variant, groupSet, group->GetName(), modal, owner);
        }
    }

    if (owner != nullptr) {
        if (std::optional<std::int32_t> stored = ReadActivePage(owner->GetFirstPropertyMap()))
            m_activePage = *stored;
    }
    // A remembered page the component no longer has (its groups changed, or the record is
    // damaged) opens the first page.
    if (m_activePage < 0 || m_activePage >= GetComponentPageCount())
        m_activePage = 0;
    if (!m_pages.empty())
        SetActivePage(m_activePage);
    return GetComponentPageCount();
}

void CComponentPropertySheet::OnSize(UINT type, int cx, int cy)
{
    if (type != SIZE_RESTORED)
        return;
    CTabCtrl* tab = GetTabControl();
    if (tab == nullptr)
        return;
    tab->MoveWindow(0, 0, cx, cy, TRUE);
    if (CComponentPage* page = GetComponentPage(GetActiveIndex()))
        page->OnSheetSize();
    SetActivePage(GetActiveIndex());
}

void CComponentPropertySheet::OnDestroy()
{
    if (!m_pages.empty()) {
        m_activePage = GetActiveIndex();
        // An emptied multiple selection has no first component to remember the page in.
        IPropertyOwner* owner = m_pages.front()->GetOwner();
        CPropertyMap* map = owner != nullptr ? owner->GetFirstPropertyMap() : nullptr;
        // The page is kept in the document's file: a new page is a change to save, even though
        // nothing on the stage changes.
        if (map != nullptr && ReadActivePage(map) != std::optional<std::int32_t>(m_activePage)) {
            WriteActivePage(map, m_activePage);
            owner->MarkDocumentChanged();
        }
    }
    // The base's handling first: with no page active any more, removing the pages one by one
    // never makes the sheet switch to (and create) another page while it is being destroyed.
    CPropertySheet::DefWindowProc(WM_DESTROY, 0, 0);
    while (!m_pages.empty()) {
        const int last = GetPageCount() - 1;
        if (last >= 0)
            RemovePage(last);
        // The page windows go with the sheet's; the objects must outlive them.
        m_closing.push_back(std::move(m_pages.back()));
        m_pages.pop_back();
    }
    // The focus goes back to the window the sheet stood over (a pop-up sheet has an owner,
    // not a parent).
    CWnd* over = GetParent() != nullptr ? GetParent() : GetOwner();
    CWnd* top = over != nullptr ? over->GetTopLevelParent() : nullptr;
    if (top == nullptr)
        top = over;
    if (top != nullptr && top != this && top->IsWindowEnabled())
        top->SetFocus();
    if (m_context != nullptr && m_context->sheetClosed)
        m_context->sheetClosed();
}

void CComponentPropertySheet::PostNcDestroy()
{
    m_closing.clear();
    CPropertySheet::PostNcDestroy();
}

void CComponentPropertySheet::DeletePages()
{
    while (GetPageCount() > 0)
        RemovePage(GetPageCount() - 1);
    m_pages.clear();
    m_closing.clear();
}
