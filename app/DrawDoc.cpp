#include "app/DrawDoc.h"

#include <algorithm>
#include <set>

#include "app/AppIds.h"
#include "app/ComponentObj.h"
#include "app/DrawView.h"
#include "app/stage/StageFlashCtrl.h"
#include "app/KVApp.h"
#include "app/TempFileManager.h"
#include "model/ComponentCatalog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/WinApp.h"
#include "platform/services/Services.h"
#include "publish/BaseMovie.h"
#include "publish/DocData.h"
#include "publish/FunctionLibrary.h"

BEGIN_MESSAGE_MAP(CDrawDoc, CDocument)
    .UpdateCommandUI(ID_FILE_SAVE, &CDrawDoc::OnUpdateFileSave)
    .Command(ID_INCREASE_CANVAS, &CDrawDoc::OnIncreaseCanvas)
    .Command(ID_DECREASE_CANVAS, &CDrawDoc::OnDecreaseCanvas)
    .Command(ID_FIT_TO_COMPONENTS, &CDrawDoc::OnFitCanvasToComponents)
    .Command(ID_FIT_TO_WINDOW, &CDrawDoc::OnFitCanvasToWindowCmd) END_MESSAGE_MAP()

void CDrawDoc::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

namespace {

// A version text as found in a file, fit to be shown: bytes that are not printable text
// become '?'.
std::string Printable(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E) {
            c = '?';
        }
    }
    return shown;
}

} // namespace

CDrawDoc::CDrawDoc() = default;

CDrawDoc::~CDrawDoc()
{
    // The stage may be gone before the document: the objects go without telling it.
    m_pStage = nullptr;
    DeleteObjects();
}

std::size_t CDrawDoc::GetComponentCount() const
{
    return m_data ? m_data->GetComponentCount() : 0;
}

void CDrawDoc::DeleteContents()
{
    DeleteObjects();
    m_data.reset();
}

void CDrawDoc::ResetDocument()
{
    if (!GetBaseFolder().empty()) {
        SetCurrentDirectoryPath(GetBaseFolder());
    }
    UpdateAllViews(nullptr, HINT_RESET_VIEW);
    DeleteContents();
    m_nWidth = 800;
    m_nHeight = 600;
    FitCanvasToWindow();
    if (CFunctionLibrary* library = GetFunctionLibrary()) {
        library->ResetUsage();
    }
    if (CBaseMovie* base = GetBaseMovie()) {
        base->ResetModel();
    }
    if (CTempFileManager* temp = GetTempFileManager()) {
        temp->DeleteAll();
    }
}

BOOL CDrawDoc::OnNewDocument()
{
    ResetDocument();
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    m_szVersion = kDocumentVersion;
    if (CComponentCatalog* catalog = GetComponentCatalog()) {
        catalog->ResetCounters();
    }
    return TRUE;
}

BOOL CDrawDoc::OnOpenDocument(const char* lpszPathName)
{
    ResetDocument();
    const std::string path = lpszPathName != nullptr ? lpszPathName : "";
    auto data = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!data->Load(path, version)) {
        std::string message;
        if (version.rfind('x', 0) == 0) {
            message = "File Not Found " + path;
        } else if (version != kDocumentVersion && version != kOlderDocumentVersion) {
            message = "Invalid Version: Found " + Printable(version) + ", Need " + kDocumentVersion;
        } else {
            // The header is right but what follows cannot be read.
            message = "The document " + path + " is damaged: " + data->GetLoadError();
        }
        ShowMessageBox(AfxGetMainWnd(), message, nullptr, MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_szVersion = version;
    std::int32_t width = 0, height = 0;
    data->GetStageSize(width, height);
    m_nWidth = std::clamp<std::int32_t>(width, 1, kMaxCanvas);
    m_nHeight = std::clamp<std::int32_t>(height, 1, kMaxCanvas);
    LoadFromDocData(*data);
    m_data = std::move(data);
    RefreshStage(FALSE);
    SetModifiedFlag(FALSE);
    UpdateAllViews(nullptr);
    return TRUE;
}

BOOL CDrawDoc::OpenTemplateAsNew(const std::string& path)
{
    SetModifiedFlag(FALSE);
    CDocTemplate* docTemplate = GetDocTemplate();
    if (docTemplate == nullptr || docTemplate->OpenDocumentFile(path.c_str(), TRUE) == nullptr) {
        return FALSE;
    }
    SetTitle("Untitled");
    ClearPathName();
    return TRUE;
}

void CDrawDoc::FitCanvasToWindow()
{
    int width = 800;
    int height = 600;
    if (CDrawView* view = GetActiveDrawView()) {
        CRect client;
        view->GetClientRect(&client);
        // A tiny or minimised window must not leave a canvas too small to work on.
        width = std::clamp(client.Width() - 40, 100, kMaxCanvas);
        height = std::clamp(client.Height() - 40, 100, kMaxCanvas);
    }
    if (width == m_nWidth && height == m_nHeight) {
        return;
    }
    m_nWidth = width;
    m_nHeight = height;
    UpdateAllViews(nullptr);
}

void CDrawDoc::ResetModel()
{
    if (CBaseMovie* base = GetBaseMovie()) {
        base->ResetModel();
    }
}

// ---- canvas objects ----

void CDrawDoc::Add(CDrawObj* obj)
{
    m_objects.push_back(obj);
    obj->SetDocument(this);
    SetModifiedFlag();
}

void CDrawDoc::Remove(CDrawObj* obj)
{
    const auto it = std::find(m_objects.begin(), m_objects.end(), obj);
    if (it != m_objects.end())
        m_objects.erase(it);
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void CDrawDoc::InsertBelow(CDrawObj* obj, CDrawObj* above)
{
    const auto it = above != nullptr ? std::find(m_objects.begin(), m_objects.end(), above) : m_objects.end();
    m_objects.insert(it, obj);
    obj->SetDocument(this);
    SetModifiedFlag();
}

bool CDrawDoc::StepObject(CDrawObj* obj, bool up)
{
    const auto it = std::find(m_objects.begin(), m_objects.end(), obj);
    if (it == m_objects.end())
        return false;
    if (up) {
        if (it + 1 == m_objects.end())
            return false;
        std::iter_swap(it, it + 1);
    } else {
        if (it == m_objects.begin())
            return false;
        std::iter_swap(it, it - 1);
    }
    SetModifiedFlag();
    return true;
}

bool CDrawDoc::Contains(const CDrawObj* obj) const
{
    return std::find(m_objects.begin(), m_objects.end(), obj) != m_objects.end();
}

CDrawObj* CDrawDoc::ObjectAt(CPoint point) const
{
    const CRect spot(point.x, point.y, point.x + 1, point.y + 1);
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        const auto* component = dynamic_cast<const CComponentObj*>(*it);
        if (component != nullptr && !component->m_bShown)
            continue;
        if ((*it)->Intersects(spot))
            return *it;
    }
    return nullptr;
}

void CDrawDoc::DeleteObjects()
{
    std::vector<CDrawObj*> objects;
    objects.swap(m_objects);
    for (CDrawObj* obj : objects) {
        // Off the stage too when it is there; the object deletes itself.
        obj->Remove();
    }
}

void CDrawDoc::LoadFromDocData(CDocData& data)
{
    // The objects own their instances from here on; the records only borrowed them.
    std::vector<std::unique_ptr<CComponent>> owned = data.TakeComponents();
    std::set<const CComponent*> held;
    for (std::size_t i = 0; i < data.GetComponentCount(); ++i)
        held.insert(data.GetComponent(i)->components.begin(), data.GetComponent(i)->components.end());
    for (auto& instance : owned) {
        // An instance no record holds has no object to own it and goes now.
        if (held.count(instance.get()) != 0)
            instance.release();
    }
    for (std::size_t i = 0; i < data.GetComponentCount(); ++i) {
        const CObjectRecord& record = *data.GetComponent(i);
        const CRect rect(record.rect.left, record.rect.top, record.rect.right, record.rect.bottom);
        auto* obj = new CComponentObj(rect, record.components, record.names);
        obj->m_bShown = record.enabled != 0;
        Add(obj);
    }
}

void CDrawDoc::RefreshStage(BOOL bTables)
{
    if (m_pStage == nullptr)
        return;
    m_pStage->SetStageSize(m_nWidth, m_nHeight);
    for (CDrawObj* obj : m_objects) {
        auto* component = dynamic_cast<CComponentObj*>(obj);
        if (component == nullptr)
            continue;
        m_pStage->AddComponent(*component);
        if (!component->m_bShown)
            m_pStage->DisableComponent(*component);
        if (bTables && component->m_bShown && component->GetInstanceCount() == 1 &&
            component->GetTypeName() == "KVTableNewSymbol")
            m_pStage->UpdateComponent(*component);
    }
}

bool CDrawDoc::ResizeCanvas(int width, int height, int dx, int dy)
{
    if (width < 1 || height < 1 || width > kMaxCanvas || height > kMaxCanvas)
        return false;
    m_nWidth = width;
    m_nHeight = height;
    for (CDrawObj* obj : m_objects) {
        CRect r = obj->m_position;
        r.OffsetRect(dx, dy);
        obj->m_position = r;
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
    }
    RefreshStage(FALSE);
    UpdateAllViews(nullptr);
    SetModifiedFlag();
    return true;
}

void CDrawDoc::OnIncreaseCanvas()
{
    // Half the growth on each side keeps the layout centred.
    ResizeCanvas(m_nWidth + 10, m_nHeight + 10, 100, 100);
}

void CDrawDoc::OnDecreaseCanvas()
{
    if (m_nWidth < 100 || m_nHeight < 100)
        return;
    ResizeCanvas(m_nWidth - 10, m_nHeight - 10, -100, -100);
}

void CDrawDoc::OnFitCanvasToComponents()
{
    if (m_objects.empty())
        return;
    CRect all = m_objects.front()->m_position;
    for (CDrawObj* obj : m_objects)
        all.UnionRect(all, obj->m_position);
    // An empty union would leave no canvas at all: the smallest canvas is one pixel.
    const int width = std::clamp((all.right - all.left) / 20, 1, kMaxCanvas);
    const int height = std::clamp((all.bottom - all.top) / 20, 1, kMaxCanvas);
    ResizeCanvas(width, height, width * 20 / 2 - (all.right + all.left) / 2,
                 height * 20 / 2 - (all.bottom + all.top) / 2);
}

void CDrawDoc::OnFitCanvasToWindowCmd()
{
    const auto& views = GetViews();
    if (views.empty())
        return;
    CRect client;
    views.front()->GetClientRect(&client);
    // A minimised window has no client area; the smallest canvas is one pixel.
    const int width = std::clamp(client.Width(), 1, kMaxCanvas);
    const int height = std::clamp(client.Height(), 1, kMaxCanvas);
    ResizeCanvas(width, height, (width - m_nWidth) / 2 * 20, (height - m_nHeight) / 2 * 20);
}
