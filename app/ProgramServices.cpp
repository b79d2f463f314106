#include "app/ProgramServices.h"

#include <system_error>

#include "app/AppData.h"
#include "app/TempFileManager.h"
#include "model/ComponentCatalog.h"
#include "publish/BaseMovie.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/SubMovieAsset.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/host/ProcessServices.h"

CProgramServices::CProgramServices(const Folders& folders)
    : m_tempFiles(std::make_unique<CTempFileManager>(folders.temp)),
      m_modelLink(std::make_unique<CBaseMovieModelLink>())
{
    std::error_code error;
    if (!std::filesystem::is_directory(folders.install, error)) {
        m_installProblem = "the installation folder " + folders.install.string() + " is missing";
    }

    ProcessServices services;
    services.catalog = std::make_unique<CComponentCatalog>();
    std::string catalogProblem;
    if (m_installProblem.empty() && !services.catalog->Load(folders.install, &catalogProblem)) {
        m_installProblem = catalogProblem;
    }
    services.modelLink = m_modelLink.get();
    services.componentScripts = &GetComponentScriptGenerator();
    // Notes of the assets and the model compile are the program's trace, not the user's.
    services.traceSink = [](std::string_view) {};
    m_characterIds.Reset(services.catalog->GetAssetIds().Peek());
    m_installed = std::make_unique<ScopedProcessServices>(std::move(services));

    const std::filesystem::path library = publish::AssetPath(folders.install, "func.dat");
    if (m_installProblem.empty()) {
        if (std::filesystem::is_regular_file(library, error)) {
            m_library = std::make_unique<CFunctionLibrary>(library.string());
        } else {
            m_installProblem = library.string() + ": the function library is missing";
        }
    }
    m_settings = std::make_unique<CAppData>(folders.settings);

    if (m_installProblem.empty()) {
        try {
            m_baseMovie = CBaseMovie::Create(folders.install, m_characterIds, m_depths);
        } catch (const std::exception& failure) {
            m_installProblem = failure.what();
        }
    }
}

CProgramServices::~CProgramServices()
{
    CExcelHost::SetCurrent(nullptr);
    m_baseMovie.reset();
    ResetBaseMovie();
    m_tempFiles.reset();
    m_settings.reset();
    m_installed.reset();
    m_library.reset();
}
