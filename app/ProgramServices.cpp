#include "app/ProgramServices.h"

#include <system_error>

#include "app/AppData.h"
#include "app/TempFileManager.h"
#include "model/ComponentCatalog.h"
#include "publish/BaseMovie.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ProgramContext.h"
#include "publish/SubMovieAsset.h"
#include "sheet/host/ExcelHost.h"

CProgramServices::CProgramServices(const Folders& folders)
    : m_tempFiles(std::make_unique<CTempFileManager>(folders.temp)),
      m_context(std::make_unique<CProgramContext>(folders.install)),
      m_scope(std::make_unique<CProgramContext::Scope>(*m_context))
{
    // The engine's temporary files (stage movies, previews) go into the program's own folder.
    m_context->SetTempFileMaker(m_tempFiles.get());
    std::error_code error;
    if (!std::filesystem::is_directory(folders.install, error)) {
        m_installProblem = "the installation folder " + folders.install.string() + " is missing";
    }

    auto catalog = std::make_unique<CComponentCatalog>();
    std::string catalogProblem;
    if (m_installProblem.empty() && !catalog->Load(folders.install, &catalogProblem)) {
        m_installProblem = catalogProblem;
    }
    m_context->GetCharacterIds().Reset(catalog->GetAssetIds().Peek());
    m_context->SetCatalog(std::move(catalog));
    m_context->SetComponentScripts(&GetComponentScriptGenerator());
    // Notes of the assets and the model compile are the program's trace, not the user's.
    m_context->SetTraceSink([](std::string_view) {});

    if (m_installProblem.empty()) {
        m_libraryProblem = m_context->LoadFunctionLibrary();
    }
    m_settings = std::make_unique<CAppData>(folders.settings);

    if (m_installProblem.empty()) {
        try {
            m_context->CreateBaseMovie();
            m_firstBuildId = m_context->GetCharacterIds().Peek();
        } catch (const std::exception& failure) {
            m_installProblem = failure.what();
        }
    }
}

CProgramServices::~CProgramServices()
{
    CExcelHost::SetCurrent(nullptr);
    m_context->UseBaseMovie(nullptr);
    m_context->SetTempFileMaker(nullptr);
    m_tempFiles.reset();
    m_settings.reset();
    m_scope.reset();
    m_context.reset();
}
