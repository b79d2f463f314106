#pragma once

// What the running designer owns and its parts reached through process-wide state: the base
// folder, the temporary files, the settings, the program context (catalogue, function library,
// base movie and the counters it numbers characters and depths with), the stage of the canvas,
// the drawing tools, the generation state and the properties panels of the canvas objects.
// The application object makes one when it starts and makes it current with a Scope for as
// long as it runs; the windows it makes are handed it. The accessors the parts use
// (GetAppData, GetTempFileManager, GetBaseFolder, GetStageFlashCtrl, CDrawTool::FindTool,
// CDrawDoc::IsGenerating, CComponentObj::GetCurrentPanel...) answer from the current context,
// and with none, answer that there is nothing.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "publish/ProgramContext.h"

class CAppData;
class CDrawTool;
class CStageFlashCtrl;
class CTempFileManager;
class IPropertiesPanel;

class CDesignerContext {
public:
    struct Folders {
        std::filesystem::path install;                // the base folder
        std::optional<std::filesystem::path> settings; // the user's settings root
        std::filesystem::path temp;                   // the system's temporary folder
    };

    // The designer's own state only (tools, panels, generation), without an installation,
    // settings or temporary files: for the parts a test uses without the program.
    CDesignerContext();
    // In this order: temporary files, catalogue, function library, settings, then the base
    // movie. A damaged installation leaves the catalogue, library or base movie out and says
    // so in InstallationProblem.
    explicit CDesignerContext(const Folders& folders);
    // Temporary files (removed), settings (saved), catalogue, function library; the base
    // movie and the hooks of the lower layers go last.
    ~CDesignerContext();
    CDesignerContext(const CDesignerContext&) = delete;
    CDesignerContext& operator=(const CDesignerContext&) = delete;

    // The context of the innermost live scope, or null.
    static CDesignerContext* Current();

    class Scope {
    public:
        explicit Scope(CDesignerContext& context);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CDesignerContext* previous_;
    };

    // The folder the installation's asset, component, template, samples and styles folders
    // are found in; empty without an installation.
    const std::filesystem::path& BaseFolder() const { return m_baseFolder; }
    // Both exist only in a context made with folders.
    CTempFileManager& TempFiles() { return *m_tempFiles; }
    CAppData& Settings() { return *m_settings; }
    CTempFileManager* FindTempFiles() const { return m_tempFiles.get(); }
    CAppData* FindSettings() const { return m_settings.get(); }
    // Null in a context made without folders.
    CProgramContext* Program() const { return m_program.get(); }
    CBaseMovie* BaseMovie() const { return m_program ? m_program->GetBaseMovie() : nullptr; }
    CFunctionLibrary* FunctionLibrary() const { return m_program ? m_program->GetFunctionLibrary() : nullptr; }
    CComponentCatalog* Catalog() const { return m_program ? m_program->GetCatalog() : nullptr; }
    // The first character id of every publication: the ids after the catalogue's and the base
    // movie's own characters.
    std::uint16_t FirstBuildId() const { return m_firstBuildId; }
    // Each document has a base movie of its own: a new or opened document starts from the
    // installation's, keeping nothing of the one before (model, export settings, web service,
    // collaboration, password, replaceable ranges, XML maps). Its characters take the same ids
    // as the first one's. False, with nothing changed, when the context has no base movie of
    // its own (one lent by a test) or the installation's cannot be read.
    bool RenewBaseMovie();
    // Empty when the installation folder holds what the program needs.
    const std::string& InstallationProblem() const { return m_installProblem; }
    // Why the function library is empty (the program runs on without it); empty when it was read.
    const std::string& LibraryProblem() const { return m_libraryProblem; }

    // The stage of the canvas view: the view makes it as its own child window and tells the
    // context while it lives.
    CStageFlashCtrl* Stage() const { return m_stage; }
    void SetStage(CStageFlashCtrl* stage) { m_stage = stage; }

    // One of each drawing tool for the life of the program; they keep no state of their own.
    std::vector<std::shared_ptr<CDrawTool>>& Tools() { return m_tools; }

    // One movie generation runs at a time in the whole program.
    std::atomic<bool>& Generating() { return m_generating; }

    // The canvas objects' properties panels: the one showing, the maker of new ones (tests
    // put a recording panel in) and the counter that names groups for the whole session.
    struct Panels {
        IPropertiesPanel* current = nullptr;
        std::function<std::unique_ptr<IPropertiesPanel>()> factory;
        int groupCounter = 0;
    };
    Panels& ObjectPanels() { return m_panels; }

private:
    std::filesystem::path m_baseFolder;
    std::unique_ptr<CTempFileManager> m_tempFiles;
    // The catalogue, function library, base movie and counters, current while the program runs.
    std::unique_ptr<CProgramContext> m_program;
    std::unique_ptr<CProgramContext::Scope> m_programScope;
    std::unique_ptr<CAppData> m_settings;
    std::string m_installProblem;
    std::string m_libraryProblem;
    std::uint16_t m_firstBuildId = 1;
    // The first id of the base movie's own characters.
    std::uint16_t m_baseMovieId = 1;
    CStageFlashCtrl* m_stage = nullptr;
    std::vector<std::shared_ptr<CDrawTool>> m_tools;
    std::atomic<bool> m_generating{false};
    Panels m_panels;
};

// The base folder of the current context; empty without one.
const std::filesystem::path& GetBaseFolder();
