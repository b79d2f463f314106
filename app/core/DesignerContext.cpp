#include "app/core/DesignerContext.h"

#include <system_error>

#include "app/core/AppData.h"
#include "app/core/TempFileManager.h"
#include "model/ComponentCatalog.h"
#include "publish/BaseMovie.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ProgramContext.h"
#include "publish/SubMovieAsset.h"
#include "sheet/host/ExcelHost.h"

namespace {
CDesignerContext* g_current = nullptr;
}

CDesignerContext* CDesignerContext::Current()
{
    return g_current;
}

CDesignerContext::Scope::Scope(CDesignerContext& context) : previous_(g_current)
{
    g_current = &context;
}

CDesignerContext::Scope::~Scope()
{
    g_current = previous_;
}

CAppData* GetAppData()
{
    return g_current != nullptr ? g_current->FindSettings() : nullptr;
}

CTempFileManager* GetTempFileManager()
{
    return g_current != nullptr ? g_current->FindTempFiles() : nullptr;
}

const std::filesystem::path& GetBaseFolder()
{
    static const std::filesystem::path none;
    return g_current != nullptr ? g_current->BaseFolder() : none;
}

CDesignerContext::CDesignerContext() = default;

CDesignerContext::CDesignerContext(const Folders& folders)
    : m_baseFolder(folders.install),
      m_tempFiles(std::make_unique<CTempFileManager>(folders.temp)),
      m_program(std::make_unique<CProgramContext>(folders.install)),
      m_programScope(std::make_unique<CProgramContext::Scope>(*m_program))
{
    // The engine's temporary files (stage movies, previews) go into the program's own folder.
    m_program->SetTempFileMaker(m_tempFiles.get());
    std::error_code error;
    if (!std::filesystem::is_directory(folders.install, error)) {
        m_installProblem = "the installation folder " + folders.install.string() + " is missing";
    }

    auto catalog = std::make_unique<CComponentCatalog>();
    std::string catalogProblem;
    if (m_installProblem.empty() && !catalog->Load(folders.install, &catalogProblem)) {
        m_installProblem = catalogProblem;
    }
    m_program->GetCharacterIds().Reset(catalog->GetAssetIds().Peek());
    m_program->SetCatalog(std::move(catalog));
    m_program->SetComponentScripts(&GetComponentScriptGenerator());
    // Notes of the assets and the model compile are the program's trace, not the user's.
    m_program->SetTraceSink([](std::string_view) {});

    if (m_installProblem.empty()) {
        m_libraryProblem = m_program->LoadFunctionLibrary();
    }
    m_settings = std::make_unique<CAppData>(folders.settings);

    if (m_installProblem.empty()) {
        try {
            m_baseMovieId = m_program->GetCharacterIds().Peek();
            m_program->CreateBaseMovie();
            m_firstBuildId = m_program->GetCharacterIds().Peek();
        } catch (const std::exception& failure) {
            m_installProblem = failure.what();
        }
    }
}

bool CDesignerContext::RenewBaseMovie()
{
    if (!m_program || !m_program->OwnsBaseMovie())
        return false;
    swf::IdCounter& ids = m_program->GetCharacterIds();
    const std::uint16_t kept = ids.Peek();
    ids.Reset(m_baseMovieId);
    try {
        m_program->CreateBaseMovie();
    } catch (const std::exception&) {
        // The document before keeps its base movie rather than the program losing its own.
        ids.Reset(kept);
        return false;
    }
    m_firstBuildId = ids.Peek();
    return true;
}

CDesignerContext::~CDesignerContext()
{
    if (!m_program) {
        return;
    }
    CExcelHost::SetCurrent(nullptr);
    m_program->UseBaseMovie(nullptr);
    m_program->SetTempFileMaker(nullptr);
    m_tempFiles.reset();
    m_settings.reset();
    m_programScope.reset();
    m_program.reset();
}
