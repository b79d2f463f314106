#pragma once

// The document: for now the canvas size, the paper colour and the file a document was opened
// from, read with the document reader. Documents are never saved.

#include <memory>
#include <string>

#include "platform/docview/Document.h"

class CDocData;

class CDrawDoc : public CDocument {
public:
    CDrawDoc();
    ~CDrawDoc() override;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* lpszPathName) override;
    void DeleteContents() override;

    // Opens a shipped template or sample as a new untitled document.
    BOOL OpenTemplateAsNew(const std::string& path);
    // Start-up and new documents: the canvas fills the active view less a margin.
    void FitCanvasToWindow();
    // The import's model is dropped.
    void ResetModel();
    // The components take their values from a freshly imported model.
    void RefreshFromModel() {}
    // Puts every component on the stage (there is no stage yet).
    void RefreshStage(BOOL) {}

    int GetCanvasWidth() const { return m_nWidth; }
    int GetCanvasHeight() const { return m_nHeight; }
    const std::string& GetVersion() const { return m_szVersion; }
    std::size_t GetComponentCount() const;

    static constexpr int kMaxCanvas = 1630;

    // Set before a re-import whose model the components must take over when it is done.
    bool m_bModelUpdatePending = false;
    // Whether tables are refreshed in full after the next re-import.
    bool m_bTableRefresh = true;

    // Documents are never saved: Save stays greyed.
    void OnUpdateFileSave(CCmdUI* pCmdUI);

private:
    void ResetDocument();

    int m_nWidth = 800;
    int m_nHeight = 600;
    std::string m_szVersion;
    std::unique_ptr<CDocData> m_data;

    DECLARE_MESSAGE_MAP()
};
