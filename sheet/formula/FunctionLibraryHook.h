#pragma once

#include <string_view>

// What the formula compiler needs of the function library, which lives in a higher layer
// and installs itself here. Token kinds: operator symbols 1..11 ("+" ... "&", see
// CallingConvention.h), 20 for a function the library holds, 0 for anything else.
class IFunctionLibrary {
public:
    virtual ~IFunctionLibrary() = default;
    virtual int GetSymbolKind(std::string_view name) = 0;
    virtual void UseFunction(std::string_view name) = 0;
    virtual void ReleaseFunction(std::string_view name) = 0;
};

// The installed library (borrowed; it must outlive every compiled formula). Without one,
// a stand-in answers the operator kinds, knows no function and counts nothing.
IFunctionLibrary& GetFunctionLibraryHook();
// nullptr puts the stand-in back (for tests and at shut-down).
void SetFunctionLibraryHook(IFunctionLibrary* library);
