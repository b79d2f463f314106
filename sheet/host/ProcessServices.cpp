#include "sheet/host/ProcessServices.h"

#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ModelHooks.h"
#include "sheet/formula/FunctionLibraryHook.h"

void InstallProcessServices(ProcessServices services)
{
    SetFunctionLibraryHook(services.functionLibrary);
    model::SetModelLink(services.modelLink);
    model::SetComponentScripts(services.componentScripts);
    model::InstallComponentCatalog(std::move(services.catalog));
    swf::SetTraceSink(std::move(services.traceSink));
}

void ResetProcessServices()
{
    SetFunctionLibraryHook(nullptr);
    model::ResetModelLink();
    model::ResetComponentScripts();
    model::ResetComponentCatalog();
    model::ResetInstanceCounter();
    swf::ResetTraceSink();
}
