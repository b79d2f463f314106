#pragma once

// A document: the data a frame and its views show, with its path, title and modified flag.
// Documents are never written by the base class; a program that saves overrides
// OnSaveDocument.

#include <string>
#include <vector>

#include "platform/window/CmdTarget.h"

class CView;
class CDocTemplate;
class CFrameWnd;

// Iteration position over a document's views (one past the index; null at the end).
struct POSITION__;
using POSITION = POSITION__*;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the file name), and adds the path to the recent-file list.
    virtual void SetPathName(const std::string& path, BOOL bAddToMRU = TRUE);
    // Clears the path without touching the title.
    void ClearPathName() { m_strPathName.clear(); }

    virtual BOOL IsModified() { return m_bModified ? TRUE : FALSE; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified != FALSE; }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CDocTemplate* pTemplate) { m_pDocTemplate = pTemplate; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Every view but the sender is told of the change; each repaints by default.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, void* pHint = nullptr);

    virtual BOOL OnNewDocument();
    // A document that fails to open a file before changing anything leaves its modified flag
    // as the template set it (clear) and is kept as it was; one that fails after letting go
    // of its contents sets the flag and is made a new, empty document.
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    virtual BOOL OnSaveDocument(const char* lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // Asks "Save changes to <title>?" when modified; false when the user cancels or the save
    // fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL DoSave(const char* lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    std::string m_strTitle;
    std::string m_strPathName;

protected:
    bool m_bModified = false;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;

    DECLARE_MESSAGE_MAP()
};
