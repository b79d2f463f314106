#pragma once

// Document templates tie a document class to the frame and view classes that show it, and
// know the document strings (window title, default name, file filter and extension). The
// single-document template keeps one document and one frame for the life of the program:
// New and Open reuse them.

#include <functional>
#include <memory>
#include <string>

#include "platform/window/CmdTarget.h"

class CDocument;
class CFrameWnd;
class CView;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
        regFileTypeId = 5,
        regFileTypeName = 6,
    };

    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CDocTemplate(UINT nIDResource, DocumentFactory document, FrameFactory frame, ViewFactory view);

    // The document string's part (from the string resource of the template id).
    BOOL GetDocString(std::string& text, DocStringIndex index) const;
    UINT GetResourceID() const { return m_nIDResource; }

    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Ends a document's life (called last by CDocument::OnCloseDocument).
    virtual void RemoveDocument(CDocument* pDoc) = 0;
    virtual CDocument* GetOnlyDocument() const = 0;

protected:
    virtual void AdoptDocument(std::unique_ptr<CDocument> doc) = 0;

    UINT m_nIDResource;
    std::string m_strDocStrings;
    DocumentFactory m_newDocument;
    FrameFactory m_newFrame;
    ViewFactory m_newView;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    // Without a path: a new, untitled document. With a path: the document is reset and reads
    // the file; when that fails a frame made for it goes away again, and a reused document is
    // left as a new empty one rather than half read.
    CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* GetOnlyDocument() const override { return m_pOnlyDoc.get(); }

protected:
    void AdoptDocument(std::unique_ptr<CDocument> doc) override;

    std::unique_ptr<CDocument> m_pOnlyDoc;
};
