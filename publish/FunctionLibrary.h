#pragma once

#include "sheet/formula/FunctionLibraryHook.h"
#include "swf/SwfObject.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class CSwfDoAction;

// The ActionScript of every spreadsheet function a published movie can calculate, read from the
// function-library movie of the installation folder ("asset\func.dat"), and the books on which of
// them the current model uses. Each exported clip of that movie is one function: its export
// name is the name formulas call it by (docs/formula-calling-convention.md), the actions of its
// DoInitAction are the code that defines it.
//
// As a tag of an output movie it writes the code of exactly the functions in use, one DoAction
// each, in ascending name order. The operator functions ("kvAdd" for "+", ...) are functions like
// any other, so a movie carries only the operators its formulas use.
//
// The program context that owns it lends it to the formula compiler while the context is current
// (CProgramContext). A file that is missing or cannot be read leaves the library empty, so every
// function is reported unsupported after a build.
class CFunctionLibrary : public CSwfObject, public IFunctionLibrary {
public:
    // path: as the installation names it ("asset\func.dat"); a backslash reads as the folder separator.
    explicit CFunctionLibrary(const std::string& path);
    ~CFunctionLibrary() override;

    // 1..11 for the operator symbols ("+" ... "&"), 20 for a function the library holds, else 0.
    int GetSymbolKind(std::string_view name) override;
    // A name the library lacks is recorded as unsupported. An operator symbol counts as a use of
    // its operator function, never under the symbol itself.
    void UseFunction(std::string_view name) override;
    void ReleaseFunction(std::string_view name) override;
    // Every use count back to zero, the unsupported names forgotten; when a model is dropped.
    void ResetUsage();

    int GetUnsupportedCount() const;
    // In ascending byte order (capitals before small letters); empty past the end.
    std::string GetUnsupportedName(int index) const;

    int GetFunctionCount() const;
    // How often the compiled formulas use the function; 0 for a name the library lacks.
    int GetUseCount(std::string_view name) const;
    // The functions a published movie carries now, in name order.
    std::vector<std::string> GetUsedFunctionNames() const;

    void Write(swf::Writer& out) override;

    // Why the library is empty, for the user ("<file>: the function library is missing"); empty
    // when the library movie was read.
    const std::string& GetLoadProblem() const { return loadProblem_; }

    // Tries to read the library movie this many times before giving up on it, so a file that
    // always fails cannot hold up start-up.
    static constexpr int kLoadAttempts = 3;

private:
    void LoadLibraryMovie(const std::string& path);
    bool TryLoadLibraryMovie(const std::filesystem::path& path);

    mutable std::mutex mutex_;
    std::map<std::string, std::unique_ptr<CSwfDoAction>, std::less<>> functions_;
    std::map<std::string, int, std::less<>> unsupported_;
    std::string loadProblem_;
};

// The library of the current program context; none without a context or before it has one.
CFunctionLibrary* GetFunctionLibrary();
