#include "publish/ProgramContext.h"

#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ModelHooks.h"
#include "publish/BaseMovie.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/SubMovieAsset.h"
#include "sheet/formula/FunctionLibraryHook.h"

#include <atomic>

namespace {

// Import workers read the accessors too, so the pointer itself is read atomically.
std::atomic<CProgramContext*> g_current{nullptr};

} // namespace

CProgramContext::CProgramContext(std::filesystem::path installDir) : installDir_(std::move(installDir))
{
    InitCustomColorTable(customColors_);
}

CProgramContext::~CProgramContext()
{
    // The network of the base movie releases its function names as it goes: while the library
    // still stands.
    ownedBaseMovie_.reset();
    baseMovie_ = nullptr;
}

CProgramContext* CProgramContext::Current()
{
    return g_current.load();
}

CProgramContext::Scope::Scope(CProgramContext& context) : previous_(g_current.exchange(&context))
{
    context.Lend();
}

CProgramContext::Scope::~Scope()
{
    g_current.store(previous_);
    if (previous_)
        previous_->Lend();
    else
        LendNothing();
}

void CProgramContext::LoadInstallation()
{
    CComponentCatalog& catalog = LoadCatalog();
    SetComponentScripts(&GetComponentScriptGenerator());
    LoadFunctionLibrary();
    characterIds_.Reset(catalog.GetAssetIds().Peek());
    CreateBaseMovie();
}

std::string CProgramContext::LoadFunctionLibrary()
{
    return SetFunctionLibrary(std::make_unique<CFunctionLibrary>(publish::AssetPath(installDir_, "func.dat").string()))
        ->GetLoadProblem();
}

void CProgramContext::SetCatalog(std::unique_ptr<CComponentCatalog> catalog)
{
    catalog_ = std::move(catalog);
    LendIfCurrent();
}

CComponentCatalog& CProgramContext::LoadCatalog()
{
    auto catalog = std::make_unique<CComponentCatalog>();
    catalog->Load(installDir_);
    SetCatalog(std::move(catalog));
    return *catalog_;
}

CFunctionLibrary* CProgramContext::SetFunctionLibrary(std::unique_ptr<CFunctionLibrary> library)
{
    CFunctionLibrary* held = UseFunctionLibrary(library.get());
    ownedLibrary_ = std::move(library);
    return held;
}

CFunctionLibrary* CProgramContext::UseFunctionLibrary(CFunctionLibrary* library)
{
    // The formula compiler must never see a library that is gone: the hook moves first.
    library_ = library;
    if (Current() == this)
        SetFunctionLibraryHook(library_);
    if (ownedLibrary_.get() != library)
        ownedLibrary_.reset();
    return library_;
}

CBaseMovie& CProgramContext::SetBaseMovie(std::unique_ptr<CBaseMovie> movie)
{
    ownedBaseMovie_ = std::move(movie);
    baseMovie_ = ownedBaseMovie_.get();
    return *baseMovie_;
}

void CProgramContext::UseBaseMovie(CBaseMovie* movie)
{
    if (movie != ownedBaseMovie_.get())
        ownedBaseMovie_.reset();
    baseMovie_ = movie;
}

CBaseMovie& CProgramContext::CreateBaseMovie()
{
    return SetBaseMovie(CBaseMovie::Create(installDir_, characterIds_, depths_));
}

void CProgramContext::SetTempFileMaker(publish::ITempFileMaker* maker)
{
    tempFiles_ = maker;
}

void CProgramContext::SetComponentScripts(IComponentScripts* scripts)
{
    componentScripts_ = scripts;
    LendIfCurrent();
}

void CProgramContext::SetTraceSink(swf::TraceSink sink)
{
    traceSink_ = std::move(sink);
    LendIfCurrent();
}

void CProgramContext::LendIfCurrent()
{
    if (Current() == this)
        Lend();
}

void CProgramContext::Lend()
{
    SetFunctionLibraryHook(library_);
    model::SetModelLink(&modelLink_);
    model::SetComponentScripts(componentScripts_);
    model::SetComponentCatalog(catalog_.get());
    model::SetInstanceCounter(&instanceCounter_);
    if (traceSink_)
        swf::SetTraceSink(traceSink_);
    else
        swf::ResetTraceSink();
}

void CProgramContext::LendNothing()
{
    SetFunctionLibraryHook(nullptr);
    model::ResetModelLink();
    model::ResetComponentScripts();
    model::ResetComponentCatalog();
    model::SetInstanceCounter(nullptr);
    swf::ResetTraceSink();
}
