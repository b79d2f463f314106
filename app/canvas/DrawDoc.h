#pragma once

// The document: the canvas objects in z-order, the canvas size, the paper colour, the
// description and the workbook the model was imported from. It opens document files with the
// document reader, starts model imports, puts every component on the stage and publishes itself
// as a movie, and saves itself as a document file.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/canvas/CanvasDocument.h"
#include "app/canvas/MovieGeneration.h"
#include "platform/docview/Document.h"
#include "platform/drawing/Geometry.h"

class CCellValueMap;
class CComponent;
class CDocData;
class CDrawObj;
class CExcelHost;
class CGlobalStyle;
class CStageFlashCtrl;
class ICanvasView;
namespace sheet {
class IExcelHostWindow;
}
namespace model {
class CFileBatch;
}
namespace publish {
struct MovieBuildResult;
}

class CDrawDoc : public CDocument, public ICanvasDocument {
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
    // The import's model is dropped: the import stops, the function library forgets its uses,
    // the model starts empty and the document lets go of its workbook.
    void ResetModel();
    // The components take their values from a freshly imported model, keeping their links:
    // each binding finds its cells again in the new workbook by its range text. The stage
    // shows the new values, and the movie's model is compiled again before the next
    // publication.
    void RefreshFromModel();
    // Every component re-reads its bindings; the model's cell maps are rebuilt.
    void UpdateAllBindings();

    // ---- the model's workbook ----
    // Starts reading copyPath (the working copy of modelPath) into a fresh, empty model on the
    // import worker. Progress, success and failure arrive at the main window as import messages
    // (0x80C8: start, steps, done, a formula that could not be read, no model). False when no
    // link to the workbook could be made and the user gave up; the document then has no model.
    bool ImportModel(const std::string& modelPath, const std::string& copyPath);
    // After opening a document: links the document to its stored workbook copy again without
    // reading it (the model stored in the document is used as it is) and reports the import
    // done. Nothing happens before the first update of the view (the active view when none is
    // given), nor when there is neither a copy to link nor a model in the document.
    void ReimportModel(ICanvasView* view = nullptr);
    // Whether the program's model holds any cell (read from a workbook or from a document).
    static bool HoldsModel();
    // Stops a running import and waits for it.
    void StopImport();
    const std::string& GetModelPath() const { return m_strModelPath; }
    const std::string& GetModelCopyPath() const { return m_strModelCopyPath; }
    CExcelHost* GetExcelHost() const { return m_pExcelHost.get(); }
    // Where import messages go; by default the main window.
    void SetHostWindow(sheet::IExcelHostWindow* window) { m_pHostWindow = window; }

    // ---- components ----
    // Every instance of every object, bottom object first.
    const std::vector<CComponent*>& CollectComponents();
    // Every instance by its name.
    const std::map<std::string, CComponent*>& BuildInstanceMap();
    // The style on every component (components that keep their own style are left alone).
    void ApplyGlobalStyle(const CGlobalStyle& style);
    // Puts every component on the stage again.
    void Refresh() { RefreshStage(FALSE); }

    // ---- publication ----
    // Fills an empty snapshot: one record per canvas object (borrowing its instances and
    // names), the model's workbook names, the base movie, the canvas size, paper colour and
    // description. The model is compiled first when it changed since the last compile.
    void BuildDocData(CDocData& snapshot);
    // Builds the movie of this document and writes it to path, on a worker thread while the
    // "Generating SWF..." wait dialog keeps the window alive. The canvas size comes from the
    // document (width and height are the callers' and not used); preview builds the program's
    // own preview. Refused (false) while another generation runs. A movie that cannot be built
    // or written leaves nothing at path, is reported to the user and gives false. Functions the
    // model uses and the movie lacks are listed afterwards.
    bool GenerateSwf(const std::string& path, int width, int height, bool preview = false);
    // The same generation for the export commands and the preview alike.
    bool GenerateSwf(const std::string& path, const SwfGeneration& how);
    // Why the last generation failed; empty after one that succeeded.
    const std::string& GetGenerationError() const { return m_generationError; }
    // True while a generation of any document runs.
    static bool IsGenerating();
    // Puts every component on the stage at the canvas size; with bTables, tables get their full
    // property update as well. Nothing happens without a stage.
    void RefreshStage(BOOL bTables) override;

    // The canvas objects, bottom first; the document owns them.
    const std::vector<CDrawObj*>& GetObjects() const { return m_objects; }
    // Puts the object on top and makes it the document's.
    void Add(CDrawObj* obj);
    // Takes the object off the canvas without deleting it (an undo record may keep it).
    void Remove(CDrawObj* obj);
    // Puts the object back directly below `above` (on top when `above` is null or gone) and
    // makes it the document's; undo restores deleted objects to their old place with it.
    void InsertBelow(CDrawObj* obj, CDrawObj* above);
    // Moves an object one place up (towards the top) or down; false at the end of the list.
    bool StepObject(CDrawObj* obj, bool up);
    // Whether the object is one of the document's.
    bool Contains(const CDrawObj* obj) const;
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
    COLORREF GetPaperColor() const { return m_paperColor; }
    // Where the files the dashboard names by relative addresses (a data connection's XML file)
    // lie: the document's folder; empty for a document never saved.
    std::string GetDocumentFolder() const;
    // Points the stage, where there is one, at that folder.
    void SetStageBase() const;
    void SetPaperColor(COLORREF color) { m_paperColor = color; }
    const std::string& GetDescription() const { return m_strDescription; }
    void SetDescription(const std::string& text) { m_strDescription = text; }
    // The stage size in twips.
    CSize GetStageSizeTwips() const { return CSize(m_nWidth * 20, m_nHeight * 20); }
    // The canvas takes the size (each side within 1..1630) without moving objects: every view
    // is told, the stage refreshed and the document marked modified. False when out of range.
    bool SetCanvasSize(int width, int height) { return ResizeCanvas(width, height, 0, 0); }
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
    CStageFlashCtrl* GetStage() const override { return m_pStage; }
    void SetStage(CStageFlashCtrl* stage) { m_pStage = stage; }
    void MarkModified() override { SetModifiedFlag(); }
    void UpdateObjectViews(CDrawObj* obj) override;

    // Writes the document file under a temporary name in the target's folder and renames it
    // into place, so a failed save leaves the file before it whole. Failures are shown.
    BOOL OnSaveDocument(const char* lpszPathName) override;
    // A document given another file (Save As) has its stage load from the new folder at once.
    void SetPathName(const std::string& path, BOOL bAddToMRU = TRUE) override;
    // The same without a word to the user: false with the reason.
    bool WriteDocumentFile(const std::string& path, std::string& error);

    // The Document Properties dialog: size, paper colour and description.
    void OnFileProperties();
    // The colour of the paper shown while editing.
    void OnPaperColor();
    void OnSummaryInfo() {}

private:
    void ResetDocument();
    // Bindings whose range went with the old model's table take the same cells of the new one.
    void RebindToModel();
    // A new link to the workbook copy; the user may retry while none can be made.
    bool MakeExcelHost(const std::string& copyPath);
    sheet::IExcelHostWindow* HostWindow() const;

    int m_nWidth = 800;
    int m_nHeight = 600;
    std::string m_szVersion;
    std::unique_ptr<CDocData> m_data;
    CStageFlashCtrl* m_pStage = nullptr;
    std::vector<CDrawObj*> m_objects;
    COLORREF m_paperColor = RGB(255, 255, 255);
    std::string m_strModelPath;
    std::string m_strModelCopyPath;
    std::string m_strDescription;
    std::vector<CComponent*> m_components;
    std::map<std::string, CComponent*> m_instanceMap;
    std::unique_ptr<CExcelHost> m_pExcelHost;
    sheet::IExcelHostWindow* m_pHostWindow = nullptr;
    std::string m_generationError;

    DECLARE_MESSAGE_MAP()
};
