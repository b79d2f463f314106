#include "app/canvas/DrawDoc.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/CanvasView.h"
#include "app/canvas/MovieGeneration.h"
#include "app/core/AppIds.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/dialogs/DocPropertiesDlg.h"
#include "app/stage/StageFlashCtrl.h"
#include "app/workbook/WorkbookPicker.h"
#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "pages/ExternalFileImport.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/RecentFileList.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"
#include "platform/services/Services.h"
#include "publish/BaseMovie.h"
#include "sheet/cells/VariableTable.h"
#include "publish/DocData.h"
#include "publish/DocFile.h"
#include "publish/DocWriter.h"
#include "publish/CompileModel.h"
#include "publish/ComponentNames.h"
#include "publish/CustomColors.h"
#include "publish/FunctionLibrary.h"
#include "publish/ProgramContext.h"
#include "publish/Publisher.h"
#include "model/CellBinding.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/RangeText.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/host/ExcelHostWindow.h"


BEGIN_MESSAGE_MAP(CDrawDoc, CDocument)
    .Command(ID_INCREASE_CANVAS, &CDrawDoc::OnIncreaseCanvas)
    .Command(ID_DECREASE_CANVAS, &CDrawDoc::OnDecreaseCanvas)
    .Command(ID_FIT_TO_COMPONENTS, &CDrawDoc::OnFitCanvasToComponents)
    .Command(ID_FIT_TO_WINDOW, &CDrawDoc::OnFitCanvasToWindowCmd)
    .Command(ID_FILE_PROPERTIES, &CDrawDoc::OnFileProperties)
    .Command(ID_PAPER_COLOR, &CDrawDoc::OnPaperColor)
    .Command(ID_FILE_SUMMARY_INFO, &CDrawDoc::OnSummaryInfo) END_MESSAGE_MAP()

namespace {

// The version text a file starts with (up to its first zero byte).
std::string HeaderOf(const std::vector<unsigned char>& bytes)
{
    const std::size_t size = std::min(bytes.size(), docfile::kVersionSize);
    std::string version(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return version.substr(0, version.find('\0'));
}

bool IsDocumentVersion(const std::string& version)
{
    return version == kDocumentVersion || version == kOlderDocumentVersion;
}

// Whether a file read whole opens as a document, checked as it would be read but into a base
// movie of its own: reading into the program's would replace the model and the variable table
// that the document open now, and every binding of it, still use. Why not when it does not.
bool CheckDocument(const std::vector<unsigned char>& bytes, std::string& error)
{
    CProgramContext* program = CProgramContext::Current();
    if (program == nullptr || program->GetBaseMovie() == nullptr) {
        error = "there is no model to read the document into";
        return false;
    }
    // The scratch movie takes its character ids from the program's counters: they are put back.
    swf::IdCounter& ids = program->GetCharacterIds();
    swf::IdCounter& depths = program->GetDepths();
    const std::uint16_t keptIds = ids.Peek();
    const std::uint16_t keptDepths = depths.Peek();
    std::unique_ptr<CBaseMovie> scratch;
    try {
        scratch = CBaseMovie::Create(program->GetInstallDir(), ids, depths);
    } catch (const std::exception& failure) {
        ids.Reset(keptIds);
        depths.Reset(keptDepths);
        error = std::string("the document cannot be checked: ") + failure.what();
        return false;
    }
    CBaseMovie* live = program->LendBaseMovie(scratch.get());
    bool sound = false;
    {
        CDocData data;
        std::string version = kDocumentVersion;
        sound = data.Check(bytes, version);
        error = data.GetLoadError();
    } // its instances go before the movie they were read into
    program->LendBaseMovie(live);
    scratch.reset();
    ids.Reset(keptIds);
    depths.Reset(keptDepths);
    return sound;
}

// Why a file read whole did not open, in words and with its name: the raw bytes of a file that
// is no document mean nothing to the person.
std::string OpenFailure(const std::string& path, const std::string& error, const std::vector<unsigned char>& bytes)
{
    if (bytes.size() < docfile::kVersionSize || !IsDocumentVersion(HeaderOf(bytes)))
        return "The file " + path +
               " cannot be opened: it is not a Vantorel document, or its beginning is damaged.";
    return "The document " + path + " is damaged: " + error;
}

} // namespace

CDrawDoc::CDrawDoc() = default;

CDrawDoc::~CDrawDoc()
{
    // The stage may be gone before the document: the objects go without telling it.
    m_pStage = nullptr;
    DeleteObjects();
    // The import worker fills the model of this document: it stops before the document goes.
    m_pExcelHost.reset();
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
    // The image page's tip about many active movies shows again for the new document.
    pages::GetActiveSwfTip().Reset();
    UpdateAllViews(nullptr, HINT_RESET_VIEW);
    DeleteContents();
    m_nWidth = 800;
    m_nHeight = 600;
    m_paperColor = RGB(255, 255, 255);
    m_strDescription.clear();
    // The import worker fills the old base movie's model: it stops before that movie goes.
    StopImport();
    if (CDesignerContext* designer = CDesignerContext::Current())
        designer->RenewBaseMovie();
    ResetModel();
    if (publish::CustomColorTable* colors = GetCustomColorTable()) {
        colors->fill(RGB(255, 255, 255));
    }
    // The stage's movie is among the temporary files, and its player reads it only after
    // this returns: the files go first and the stage writes its movie again as it reloads.
    if (CTempFileManager* temp = GetTempFileManager()) {
        temp->DeleteAll();
    }
    FitCanvasToWindow();
    RefreshStage(FALSE);
}

std::string CDrawDoc::GetDocumentFolder() const
{
    const std::string path = GetPathName();
    return path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
}

void CDrawDoc::SetStageBase() const
{
    if (m_pStage != nullptr)
        m_pStage->SetBase(GetDocumentFolder());
}

void CDrawDoc::SetPathName(const std::string& path, BOOL bAddToMRU)
{
    CDocument::SetPathName(path, bAddToMRU);
    SetStageBase();
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
    const std::string path = lpszPathName != nullptr ? lpszPathName : "";
    // The file is read and checked whole before the document open now is let go, so that a
    // file that cannot be opened leaves the person's work as it was.
    std::vector<unsigned char> bytes;
    std::string reason;
    const auto refuse = [](const std::string& why) {
        ShowMessageBox(AfxGetMainWnd(), why, nullptr, MB_ICONEXCLAMATION);
        return FALSE;
    };
    if (!model::ReadFileBytes(path, bytes, std::size_t(256) << 20, &reason))
        return refuse("File Not Found " + path);
    if (!CheckDocument(bytes, reason))
        return refuse(OpenFailure(path, reason, bytes));
    ResetDocument();
    // From here the document open before is gone: a failure leaves an empty one.
    SetModifiedFlag(TRUE);
    auto data = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!data->Load(bytes, version))
        return refuse(OpenFailure(path, data->GetLoadError(), bytes));
    m_szVersion = version;
    if (!data->GetLoadWarning().empty())
        ShowMessageBox(AfxGetMainWnd(), "The document " + path + " opens without its last part: " + data->GetLoadWarning(),
                       nullptr, MB_ICONEXCLAMATION);
    // A name the movie cannot reach is replaced as the command line's publication replaces it,
    // so the program and the command line publish the same movie.
    publish::RenameUnusableComponents(data->GetInstances());
    LoadFromDocData(*data);
    m_data = std::move(data);
    // The model read from the file is compiled again from its cells and the components'
    // bindings before it is published: the stored network is not trusted to match them.
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    ReimportModel();
    Refresh();
    SetModifiedFlag(FALSE);
    UpdateAllViews(nullptr);
    return TRUE;
}

BOOL CDrawDoc::OpenTemplateAsNew(const std::string& path)
{
    CDocTemplate* docTemplate = GetDocTemplate();
    // The template or sample is not a file the person worked on: opening it keeps the recent
    // files as they were, so that they never offer the installation's copy for editing.
    CRecentFileList* recent = AfxGetApp() != nullptr ? AfxGetApp()->GetRecentFileList() : nullptr;
    const std::optional<CRecentFileList> before = recent != nullptr ? std::optional(*recent) : std::nullopt;
    const bool opened = docTemplate != nullptr && docTemplate->OpenDocumentFile(path.c_str(), TRUE) != nullptr;
    if (recent != nullptr) {
        *recent = *before;
    }
    if (!opened) {
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
    if (ICanvasView* view = GetActiveCanvasView()) {
        CRect client;
        view->Window().GetClientRect(&client);
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
    StopImport();
    if (CFunctionLibrary* library = GetFunctionLibrary())
        library->ResetUsage();
    if (CBaseMovie* base = GetBaseMovie()) {
        base->ResetModel();
        base->ReplaceCellModel(std::make_unique<CCellModel>());
    }
    m_pExcelHost.reset();
    m_strModelPath.clear();
    m_strModelCopyPath.clear();
}

void CDrawDoc::StopImport()
{
    if (m_pExcelHost)
        m_pExcelHost->StopWorker();
}

sheet::IExcelHostWindow* CDrawDoc::HostWindow() const
{
    if (m_pHostWindow != nullptr)
        return m_pHostWindow;
    return dynamic_cast<sheet::IExcelHostWindow*>(AfxGetMainWnd());
}

bool CDrawDoc::MakeExcelHost(const std::string& copyPath)
{
    for (;;) {
        try {
            m_pExcelHost = std::make_unique<CExcelHost>(HostWindow(), copyPath);
            // Every range of this model is picked in the workbook window, whether the model
            // came from the Import Model dialog or a reopened document.
            InstallWorkbookPicker(*m_pExcelHost, [this] { return m_strModelPath; });
            return true;
        } catch (const std::exception&) {
            // The user may close the program that holds the workbook and try again, or give up
            // and go on without a model; asking again for ever would leave no way out.
            if (ShowMessageBox(nullptr, "Excel is busy.\nPlease close Excel.", "Warning",
                               MB_RETRYCANCEL | MB_ICONSTOP) != IDRETRY)
                return false;
        }
    }
}

bool CDrawDoc::ImportModel(const std::string& modelPath, const std::string& copyPath)
{
    m_strModelPath = modelPath;
    m_strModelCopyPath = copyPath;
    // The old link goes first: its worker may still be filling the model replaced below.
    m_pExcelHost.reset();
    if (!MakeExcelHost(copyPath)) {
        m_strModelPath.clear();
        m_strModelCopyPath.clear();
        return false;
    }
    CBaseMovie* base = GetBaseMovie();
    if (base == nullptr) {
        m_pExcelHost.reset();
        return false;
    }
    base->ResetModel();
    // The old model goes once the worker has the new one.
    std::unique_ptr<CCellModel> old = base->ReplaceCellModel(std::make_unique<CCellModel>());
    m_pExcelHost->StartWorker(&base->GetCellModel());
    return true;
}

void CDrawDoc::ReimportModel(ICanvasView* view)
{
    if (view == nullptr)
        view = GetActiveCanvasView();
    if (view == nullptr || !view->IsInitialised())
        return;
    bool linked = false;
    if (!m_strModelCopyPath.empty()) {
        m_pExcelHost.reset();
        linked = MakeExcelHost(m_strModelCopyPath);
        if (linked)
            CExcelHost::SetCurrent(m_pExcelHost.get());
    }
    // The model stored in the document serves as it is even when its workbook cannot be
    // reached: the stage takes its values and the status bar says it is loaded.
    if (!linked && !HoldsModel())
        return;
    if (sheet::IExcelHostWindow* window = HostWindow())
        window->PostImportMessage(sheet::ImportCode::Done, 0);
}

bool CDrawDoc::HoldsModel()
{
    CBaseMovie* base = GetBaseMovie();
    if (base == nullptr)
        return false;
    // A document's model arrives with its variable table; a workbook just imported has only
    // its cells until the first compile or binding adds them to the table.
    return base->GetVariableTable().GetCellCount() > 0 || base->GetCellModel().IsLoaded();
}

void CDrawDoc::RebindToModel()
{
    CBaseMovie* base = GetBaseMovie();
    if (base == nullptr)
        return;
    const CCellModel& cells = base->GetCellModel();
    CVariableTable& table = base->GetVariableTable();
    for (CComponent* instance : CollectComponents()) {
        const CParameterSet* parameters = instance->GetParameters();
        if (parameters == nullptr)
            continue;
        ForEachCellBinding(*parameters, [&](CParameter& parameter) {
            CCellBinding& binding = *parameter.GetBinding();
            const std::string text = binding.GetTexts().rangeText;
            if (binding.GetRangePtr() != nullptr || text.empty())
                return;
            CRange range;
            const std::vector<std::string> areas = sheet::SplitRangeAreas(text);
            bool ok = !areas.empty();
            for (const std::string& area : areas) {
                CCellRef start, end;
                ok = ok && sheet::ParseRangeArea(area, cells, start, end) && range.AddArea(start, end);
            }
            // Cells the new workbook no longer has leave the binding as it was: unbound, with
            // its text and last values, for the user to pick again.
            const int index = ok ? table.AddRange(range) : -1;
            if (index >= 0)
                binding.RefreshParameter(table.GetRange(static_cast<std::size_t>(index)), false);
        });
    }
}

void CDrawDoc::RefreshFromModel()
{
    RebindToModel();
    for (CComponent* instance : CollectComponents())
        instance->RefreshFromModel();
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    // The stage shows the components with their new values.
    if (m_pStage == nullptr)
        return;
    for (CDrawObj* obj : m_objects) {
        auto* component = dynamic_cast<CComponentObj*>(obj);
        if (component != nullptr && component->m_bShown)
            m_pStage->UpdateComponent(*component);
    }
    UpdateAllViews(nullptr);
}

void CDrawDoc::UpdateAllBindings()
{
    for (CComponent* instance : CollectComponents())
        instance->UpdateBindings();
    if (CBaseMovie* base = GetBaseMovie())
        base->BuildExportMaps();
}

const std::vector<CComponent*>& CDrawDoc::CollectComponents()
{
    m_components.clear();
    for (CDrawObj* obj : m_objects) {
        if (const auto* component = dynamic_cast<const CComponentObj*>(obj))
            m_components.insert(m_components.end(), component->GetInstances().begin(),
                                component->GetInstances().end());
    }
    return m_components;
}

const std::map<std::string, CComponent*>& CDrawDoc::BuildInstanceMap()
{
    m_instanceMap.clear();
    for (CComponent* instance : CollectComponents())
        m_instanceMap[instance->GetName()] = instance;
    return m_instanceMap;
}

void CDrawDoc::ApplyGlobalStyle(const CGlobalStyle& style)
{
    for (CDrawObj* obj : m_objects) {
        if (auto* component = dynamic_cast<CComponentObj*>(obj))
            component->ApplyGlobalStyle(style);
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
    m_strModelPath = data.GetFileName();
    m_strModelCopyPath = data.GetPathName();
    std::int32_t width = 0, height = 0;
    data.GetStageSize(width, height);
    // The reader refuses larger sizes; a canvas needs a pixel at least.
    m_nWidth = std::clamp<std::int32_t>(width, 1, kMaxCanvas);
    m_nHeight = std::clamp<std::int32_t>(height, 1, kMaxCanvas);
    const auto& paper = data.GetPaperColor();
    m_paperColor = RGB(paper[0], paper[1], paper[2]);
    m_strDescription = data.GetDescription();
}

void CDrawDoc::UpdateObjectViews(CDrawObj* obj)
{
    UpdateAllViews(nullptr, HINT_UPDATE_DRAWOBJ, obj);
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
            component->GetInstance(0)->HasTrait("table"))
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

// ---- publication ----

void CDrawDoc::BuildDocData(CDocData& snapshot)
{
    CBaseMovie* base = GetBaseMovie();
    const std::vector<CComponent*>& components = CollectComponents();
    if (base != nullptr && base->IsModelChanged())
        CompileModel(*base, components);
    for (CDrawObj* obj : m_objects) {
        const auto* component = dynamic_cast<const CComponentObj*>(obj);
        if (component == nullptr)
            continue; // embedded objects of other programs are not part of the movie
        auto record = std::make_unique<CObjectRecord>();
        const CRect& r = component->m_position;
        record->rect = {r.left, r.top, r.right, r.bottom};
        record->components = component->GetInstances();
        record->names.reserve(component->GetNameCount());
        for (std::size_t i = 0; i < component->GetNameCount(); ++i)
            record->names.push_back(component->GetNameAt(i));
        record->enabled = component->m_bShown ? 1 : 0;
        snapshot.AddComponent(std::move(record));
    }
    snapshot.SetFileName(m_strModelPath);
    snapshot.SetPathName(m_strModelCopyPath);
    snapshot.SetBaseMovie(base);
    snapshot.SetStageSize(m_nWidth, m_nHeight);
    snapshot.SetPaperColor(static_cast<std::uint8_t>(m_paperColor & 0xFF),
                           static_cast<std::uint8_t>((m_paperColor >> 8) & 0xFF),
                           static_cast<std::uint8_t>((m_paperColor >> 16) & 0xFF));
    snapshot.SetDescription(m_strDescription);
}

BOOL CDrawDoc::OnSaveDocument(const char* lpszPathName)
{
    const std::string path = lpszPathName != nullptr ? lpszPathName : "";
    std::string error;
    if (WriteDocumentFile(path, error))
        return TRUE;
    ShowMessageBox(AfxGetMainWnd(), "The document could not be saved:\n" + path + "\n" + error, "Save",
                   MB_OK | MB_ICONSTOP);
    return FALSE;
}

bool CDrawDoc::WriteDocumentFile(const std::string& path, std::string& error)
{
    error.clear();
    CBaseMovie* base = GetBaseMovie();
    if (base == nullptr) {
        error = "the program's base movie is missing";
        return false;
    }
    if (path.empty()) {
        error = "no file name was given";
        return false;
    }
    // A half-read model would be written as if it were the workbook's.
    if (m_pExcelHost != nullptr && m_pExcelHost->IsWorkerRunning()) {
        error = "the model is still being imported";
        return false;
    }
    publish::DocFileContent content;
    if (const CComponentCatalog* catalog = GetComponentCatalog())
        content.catalogVariant = static_cast<std::uint32_t>(catalog->GetCurrentVariant());
    CDocData snapshot;
    BuildDocData(snapshot);
    content.doc = &snapshot;
    content.base = base;
    if (!m_strModelCopyPath.empty()) {
        std::string reason;
        if (!model::ReadFileBytes(m_strModelCopyPath, content.workbook, std::size_t(256) << 20, &reason)) {
            error = "the model's workbook " + m_strModelCopyPath + " cannot be read: " + reason;
            return false;
        }
    }
    // Files embedded in the document opened go back in under the names they were embedded
    // with; the components name them so in the file, and the restored copies again after.
    std::vector<std::pair<std::string, std::string>> repointed;
    if (m_data != nullptr) {
        for (const RestoredFile& file : m_data->GetRestoredFiles()) {
            publish::EmbeddedFileData embedded{file.name, {}};
            std::string reason;
            if (!model::ReadFileBytes(file.path.string(), embedded.bytes, std::size_t(256) << 20, &reason)) {
                error = "the embedded file " + file.name + " cannot be read: " + reason;
                return false;
            }
            content.files.push_back(std::move(embedded));
            repointed.emplace_back(file.path.string(), file.name);
        }
    }
    if (const publish::CustomColorTable* colors = GetCustomColorTable())
        content.customColors = *colors;
    const std::vector<CComponent*>& instances = snapshot.GetInstances();
    for (const auto& [copy, name] : repointed)
        RepointExternalFiles(instances, copy, name);
    std::vector<unsigned char> bytes;
    try {
        bytes = publish::WriteDocumentFile(content);
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    for (const auto& [copy, name] : repointed)
        RepointExternalFiles(instances, name, copy);
    if (!error.empty())
        return false;
    return model::SaveFileBytes(path, bytes, &error);
}

bool CDrawDoc::IsGenerating()
{
    CDesignerContext* designer = CDesignerContext::Current();
    return designer != nullptr && designer->Generating().load();
}

bool CDrawDoc::GenerateSwf(const std::string& path, int /*width*/, int /*height*/, bool preview)
{
    SwfGeneration how;
    how.preview = preview;
    return GenerateSwf(path, how);
}

bool CDrawDoc::GenerateSwf(const std::string& path, const SwfGeneration& how)
{
    m_generationError.clear();
    CDesignerContext* designer = CDesignerContext::Current();
    if (designer == nullptr) {
        m_generationError = "the program's components or base movie are missing";
        return false;
    }
    ICanvasView* view = GetActiveCanvasView();
    CWnd* owner = view != nullptr ? &view->Window() : AfxGetMainWnd();
    return CMovieGeneration(*designer).Generate([this](CDocData& snapshot) { BuildDocData(snapshot); }, path, how, owner,
                                                m_generationError);
}

void CDrawDoc::OnPaperColor()
{
    CColorDialog colors(RGB(0, 0, 0), 0, AfxGetMainWnd());
    if (colors.DoModal() != IDOK)
        return;
    m_paperColor = colors.GetColor();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void CDrawDoc::OnFileProperties()
{
    CDocPropertiesDlg dlg(AfxGetMainWnd());
    dlg.m_nWidth = m_nWidth;
    dlg.m_nHeight = m_nHeight;
    dlg.m_paperColor = m_paperColor;
    dlg.m_strDescription = m_strDescription;
    if (dlg.DoModal() != IDOK)
        return;
    m_paperColor = dlg.m_paperColor;
    m_strDescription = dlg.m_strDescription;
    // The dialog keeps both sides within the limit; the objects stay where they are.
    const int width = std::clamp(dlg.m_nWidth, 1, kMaxCanvas);
    const int height = std::clamp(dlg.m_nHeight, 1, kMaxCanvas);
    ResizeCanvas(width, height, 0, 0);
}
