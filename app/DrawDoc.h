#pragma once

// The document: for now the canvas size, the paper colour and the file a document was opened
// from, read with the document reader. Documents are never saved.

#include <memory>
#include <string>
#include <vector>

#include "platform/drawing/Geometry.h"

#include "platform/docview/Document.h"

class CDocData;
class CDrawObj;
class CStageFlashCtrl;

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
    // Puts every component on the stage at the canvas size; with bTables, tables get their full
    // property update as well. Nothing happens without a stage.
    void RefreshStage(BOOL bTables);

    // The canvas objects, bottom first; the document owns them.
    const std::vector<CDrawObj*>& GetObjects() const { return m_objects; }
    // Puts the object on top and makes it the document's.
    void Add(CDrawObj* obj);
    // Takes the object off the canvas without deleting it (an undo record may keep it).
    void Remove(CDrawObj* obj);
    // The topmost shown object at a point (twips), or null.
    CDrawObj* ObjectAt(CPoint point) const;
    // Builds the canvas from a document's records; the instances pass to the objects.
    void LoadFromDocData(CDocData& data);
    // Removes and deletes every object.
    void DeleteObjects();

    // The canvas commands. Each keeps both sides within 1..1630 pixels (1630 x 20 twips is the
    // largest frame the stage movie's 16-bit fields hold) and does nothing it cannot do whole.
    void OnIncreaseCanvas();
    void OnDecreaseCanvas();
    void OnFitCanvasToComponents();
    // The canvas takes the first view's client size (each side at most 1630), the layout kept
    // centred.
    void OnFitCanvasToWindowCmd();
    // Sets the canvas size, moving every object by (dx, dy) twips; false (nothing changed) for
    // a side outside 1..1630.
    bool ResizeCanvas(int width, int height, int dx, int dy);

    int GetCanvasWidth() const { return m_nWidth; }
    int GetCanvasHeight() const { return m_nHeight; }
    const std::string& GetVersion() const { return m_szVersion; }
    std::size_t GetComponentCount() const;
    // What the document was opened from (the model's workbook names among it); null for a new one.
    const CDocData* GetDocData() const { return m_data.get(); }

    static constexpr int kMaxCanvas = 1630;

    // Set before a re-import whose model the components must take over when it is done.
    bool m_bModelUpdatePending = false;
    // Whether tables are refreshed in full after the next re-import.
    bool m_bTableRefresh = true;

    // The stage the document's components show on; null where there is none (tests, start-up).
    CStageFlashCtrl* GetStage() const { return m_pStage; }
    void SetStage(CStageFlashCtrl* stage) { m_pStage = stage; }

    // Documents are never saved: Save stays greyed.
    void OnUpdateFileSave(CCmdUI* pCmdUI);

private:
    void ResetDocument();

    int m_nWidth = 800;
    int m_nHeight = 600;
    std::string m_szVersion;
    std::unique_ptr<CDocData> m_data;
    CStageFlashCtrl* m_pStage = nullptr;
    std::vector<CDrawObj*> m_objects;

    DECLARE_MESSAGE_MAP()
};
