#include "app/DrawDoc.h"

#include <algorithm>

#include "app/DrawView.h"
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
    .UpdateCommandUI(ID_FILE_SAVE, &CDrawDoc::OnUpdateFileSave) END_MESSAGE_MAP()

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

CDrawDoc::~CDrawDoc() = default;

std::size_t CDrawDoc::GetComponentCount() const
{
    return m_data ? m_data->GetComponentCount() : 0;
}

void CDrawDoc::DeleteContents()
{
    m_data.reset();
}

void CDrawDoc::ResetDocument()
{
    if (!GetBaseFolder().empty()) {
        SetCurrentDirectoryPath(GetBaseFolder());
    }
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
    m_data = std::move(data);
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
