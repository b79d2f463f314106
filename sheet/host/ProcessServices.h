#pragma once

#include "swf/SwfTrace.h"

#include <memory>

class CComponentCatalog;
class IComponentScripts;
class IFunctionLibrary;
namespace model {
class IModelLink;
}

// The process-wide services of the layers up to this one, set in this one place. Each lower layer
// reaches its service through its own accessor (GetFunctionLibraryHook, model::GetModelLink,
// GetComponentCatalog, model::GetComponentScripts, swf::Trace), which answers with a stand-in
// while nothing is installed. The application installs the services together at start-up and
// resets them together at shut-down; a test that installs any of them resets them all when it
// ends, so tests stay independent of each other.
struct ProcessServices {
    // Borrowed: each must outlive the installation. Null keeps the stand-in.
    IFunctionLibrary* functionLibrary = nullptr;
    model::IModelLink* modelLink = nullptr;
    IComponentScripts* componentScripts = nullptr;
    // Owned by the process from here on.
    std::unique_ptr<CComponentCatalog> catalog{};
    // Empty: standard error.
    swf::TraceSink traceSink{};
};

void InstallProcessServices(ProcessServices services);
// Every service back to its stand-in, and the instance counter back to 0.
void ResetProcessServices();

// Installs for the lifetime of a scope (a test, a tool's run) and resets everything after.
class ScopedProcessServices {
public:
    explicit ScopedProcessServices(ProcessServices services) { InstallProcessServices(std::move(services)); }
    ~ScopedProcessServices() { ResetProcessServices(); }
    ScopedProcessServices(const ScopedProcessServices&) = delete;
    ScopedProcessServices& operator=(const ScopedProcessServices&) = delete;
};
