#include "platform/docview/Document.h"

#include <algorithm>
#include <filesystem>

#include "platform/docview/DocTemplate.h"
#include "platform/docview/Frame.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"
#include "model/FileBytes.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    .Command(ID_FILE_SAVE, &CDocument::OnFileSave)
    .Command(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
    .Command(ID_FILE_CLOSE, &CDocument::OnFileClose) END_MESSAGE_MAP()

        CDocument::~CDocument()
{
    for (CView* view : m_views) {
        view->m_pDocument = nullptr;
    }
}

void CDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame()) {
            frame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::SetPathName(const std::string& path, BOOL bAddToMRU)
{
    m_strPathName = path;
    SetTitle(std::filesystem::path(path).filename().string());
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp()) {
            app->AddToRecentFileList(path);
        }
    }
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || std::find(m_views.begin(), m_views.end(), pView) != m_views.end()) {
        return;
    }
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it != m_views.end()) {
        m_views.erase(it);
        pView->m_pDocument = nullptr;
    }
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    const auto index = reinterpret_cast<std::uintptr_t>(rPosition);
    if (index == 0 || index > m_views.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    CView* view = m_views[index - 1];
    rPosition = index < m_views.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return view;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, void* pHint)
{
    for (CView* view : std::vector<CView*>(m_views)) {
        if (view != pSender) {
            view->OnUpdate(pSender, lHint, pHint);
        }
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char*)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char*)
{
    // The base document has no file form; a document that can be saved overrides this.
    return FALSE;
}

void CDocument::OnCloseDocument()
{
    // Closing the frames destroys the views, which leave this document's list.
    for (CView* view : std::vector<CView*>(m_views)) {
        if (CFrameWnd* frame = view->GetParentFrame()) {
            if (frame->m_hWnd != nullptr) {
                frame->DestroyWindow();
            }
        }
    }
    DeleteContents();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this); // may delete this; nothing may follow
    }
}

BOOL CDocument::SaveModified()
{
    if (!IsModified()) {
        return TRUE;
    }
    std::string name = m_strTitle.empty() ? std::string("Untitled") : m_strTitle;
    switch (AfxMessageBox("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::DoSave(const char* lpszPathName, BOOL bReplace)
{
    std::string path = lpszPathName != nullptr ? lpszPathName : "";
    for (;;) {
        if (path.empty()) {
            CWinApp* app = AfxGetApp();
            path = m_strPathName.empty() ? m_strTitle : m_strPathName;
            if (app == nullptr || !app->DoPromptFileName(path, FALSE, m_pDocTemplate)) {
                return FALSE;
            }
        }
        // A file its owner protected is never replaced without asking: the person may save
        // under another name instead.
        if (!model::IsReadOnlyFile(path)) {
            break;
        }
        if (AfxMessageBox(path + " is read-only and is kept as it is.\nSave the changes under another name?",
                          MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return FALSE;
        }
        path.clear();
    }
    if (!OnSaveDocument(path.c_str())) {
        return FALSE;
    }
    if (bReplace) {
        SetPathName(path);
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.empty()) {
        return DoSave(nullptr);
    }
    return DoSave(m_strPathName.c_str());
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::OnFileClose()
{
    if (!SaveModified()) {
        return;
    }
    OnCloseDocument();
}
