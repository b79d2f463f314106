#include "platform/docview/DocTemplate.h"

#include <utility>

#include "platform/docview/Document.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Resources.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"

CDocTemplate::CDocTemplate(UINT nIDResource, DocumentFactory document, FrameFactory frame, ViewFactory view)
    : m_nIDResource(nIDResource), m_newDocument(std::move(document)), m_newFrame(std::move(frame)),
      m_newView(std::move(view))
{
    GetResources().LoadString(nIDResource, m_strDocStrings);
}

BOOL CDocTemplate::GetDocString(std::string& text, DocStringIndex index) const
{
    text = ExtractSubString(m_strDocStrings, static_cast<int>(index));
    return text.empty() ? FALSE : TRUE;
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    std::string title;
    if (!GetDocString(title, docName)) {
        title = "Untitled";
    }
    pDocument->SetTitle(title);
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_newDocument) {
        return nullptr;
    }
    std::unique_ptr<CDocument> doc = m_newDocument();
    if (!doc) {
        return nullptr;
    }
    CDocument* raw = doc.get();
    raw->SetDocTemplate(this);
    AdoptDocument(std::move(doc));
    return raw;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_newFrame) {
        return nullptr;
    }
    std::unique_ptr<CFrameWnd> frame = m_newFrame();
    if (!frame) {
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = pOther;
    context.m_pNewViewClass = m_newView;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        return nullptr; // the unique_ptr deletes the frame that never became a window
    }
    // From here the window owns itself and goes away with its destruction.
    frame->m_bAutoDelete = true;
    return frame.release();
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // Views still showing the document must not point at it once it is gone.
    if (m_pOnlyDoc) {
        for (CView* view : std::vector<CView*>(m_pOnlyDoc->GetViews())) {
            m_pOnlyDoc->RemoveView(view);
        }
    }
}

void CSingleDocTemplate::AdoptDocument(std::unique_ptr<CDocument> doc)
{
    m_pOnlyDoc = std::move(doc);
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (m_pOnlyDoc.get() == pDoc) {
        m_pOnlyDoc.reset();
    }
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = m_pOnlyDoc.get();
    CFrameWnd* frame = nullptr;
    bool createdDoc = false;
    bool created = false; // the frame
    if (doc != nullptr) {
        if (!doc->SaveModified()) {
            return nullptr;
        }
        if (!doc->GetViews().empty()) {
            frame = doc->GetViews().front()->GetParentFrame();
        }
    } else {
        doc = CreateNewDocument();
        if (doc == nullptr) {
            return nullptr;
        }
        createdDoc = true;
    }
    if (frame == nullptr) {
        frame = CreateNewFrame(doc, nullptr);
        if (frame == nullptr) {
            if (createdDoc) {
                RemoveDocument(doc);
            }
            return nullptr;
        }
        created = true;
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (created) {
                frame->DestroyWindow();
            }
            if (createdDoc) {
                RemoveDocument(doc);
            }
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        // A document that refuses the file before letting go of its contents stays unmodified
        // through the call: it is kept as it was, with its own modified state.
        const BOOL wasModified = doc->IsModified();
        doc->SetModifiedFlag(FALSE);
        if (!doc->OnOpenDocument(lpszPathName)) {
            if (created) {
                frame->DestroyWindow();
                if (createdDoc) {
                    RemoveDocument(doc);
                }
                return nullptr;
            }
            if (!doc->IsModified()) {
                doc->SetModifiedFlag(wasModified);
                return nullptr;
            }
            // The reused document may be half read: leave it as a new, empty one.
            SetDefaultTitle(doc);
            doc->ClearPathName();
            doc->OnNewDocument();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }

    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == nullptr) {
        app->m_pMainWnd = frame;
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
