#include "sheet/formula/FunctionLibraryHook.h"

#include "sheet/formula/CallingConvention.h"

#include <atomic>

namespace {

class OperatorsOnly : public IFunctionLibrary {
public:
    int GetSymbolKind(std::string_view name) override { return callconv::OperatorKindOf(name); }
    void UseFunction(std::string_view) override {}
    void ReleaseFunction(std::string_view) override {}
};

OperatorsOnly g_standIn;
std::atomic<IFunctionLibrary*> g_library{nullptr};

} // namespace

IFunctionLibrary& GetFunctionLibraryHook()
{
    IFunctionLibrary* library = g_library.load();
    return library ? *library : g_standIn;
}

void SetFunctionLibraryHook(IFunctionLibrary* library)
{
    g_library.store(library);
}
