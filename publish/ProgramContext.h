#pragma once

#include "publish/CustomColors.h"
#include "publish/ModelLink.h"
#include "publish/TempFiles.h"
#include "swf/SwfIds.h"
#include "swf/SwfTrace.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class CBaseMovie;
class CComponentCatalog;
class CFunctionLibrary;
class IComponentScripts;

// What one running program owns that the engine's parts reach through accessors: the component
// catalogue, the function library, the base movie, the counters that number characters, depths
// and instances, the custom colours and the temporary files. The designer's application object,
// the publish command, each tool and each test makes one; nothing of it lives in the process.
//
// A context is made current by a Scope, which the program holds for as long as it works with it:
//
//     CProgramContext context(installDir);
//     CProgramContext::Scope use(context);
//     context.LoadInstallation();
//
// While current, the accessors the parts use (GetBaseMovie, GetFunctionLibrary,
// GetComponentCatalog, GetCustomColorTable, GetTempFileMaker, model::InstanceCounter) answer
// with its pieces, and the lower layers (model, sheet, swf) are lent the narrow interfaces they
// take: the catalogue, the instance counter, the function-library hook, the model link, the
// component scripts and the trace sink. Scopes nest; ending one makes the previous context
// current again, or leaves the stand-ins when there was none. A context must outlive its scopes.
class CProgramContext {
public:
    explicit CProgramContext(std::filesystem::path installDir = {});
    ~CProgramContext();
    CProgramContext(const CProgramContext&) = delete;
    CProgramContext& operator=(const CProgramContext&) = delete;

    // The context of the innermost live scope, or null.
    static CProgramContext* Current();

    class Scope {
    public:
        explicit Scope(CProgramContext& context);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CProgramContext* previous_;
    };

    const std::filesystem::path& GetInstallDir() const { return installDir_; }

    // What the program loads at start: the catalogue, the component scripts, the function
    // library ("asset\func.dat") and the base movie ("asset\kvbase.dat"), its character ids
    // starting after the catalogue's. Throws BaseMovieError when the base asset is unusable.
    void LoadInstallation();
    // Reads the installation's function library ("asset\func.dat") into a library the context
    // owns. One that is missing or unreadable leaves the library empty, so the program still
    // works and every formula's function is listed as unsupported after a build; the reason is
    // returned for the user, empty when the library was read.
    std::string LoadFunctionLibrary();

    CComponentCatalog* GetCatalog() const { return catalog_.get(); }
    void SetCatalog(std::unique_ptr<CComponentCatalog> catalog);
    // Reads the catalogue of the installation folder (an unreadable one stays empty).
    CComponentCatalog& LoadCatalog();

    // The function library: one the context owns, or one lent to it (several contexts of a
    // test may share one). Returns the library it now holds; null forgets it, and formulas
    // reach the stand-in.
    CFunctionLibrary* GetFunctionLibrary() const { return library_; }
    CFunctionLibrary* SetFunctionLibrary(std::unique_ptr<CFunctionLibrary> library);
    CFunctionLibrary* UseFunctionLibrary(CFunctionLibrary* library);

    // The base movie: one the context owns (SetBaseMovie, CreateBaseMovie) or one lent to it
    // (UseBaseMovie) by whoever owns it, such as a test fixture; null forgets it.
    CBaseMovie* GetBaseMovie() const { return baseMovie_; }
    // Whether the base movie is the context's own rather than one lent to it.
    bool OwnsBaseMovie() const { return baseMovie_ != nullptr && baseMovie_ == ownedBaseMovie_.get(); }
    CBaseMovie& SetBaseMovie(std::unique_ptr<CBaseMovie> movie);
    // Puts movie in the place of the base movie for a while, keeping the one it has (owned or
    // lent), and returns that one for the same call to put back.
    CBaseMovie* LendBaseMovie(CBaseMovie* movie)
    {
        CBaseMovie* before = baseMovie_;
        baseMovie_ = movie;
        return before;
    }
    void UseBaseMovie(CBaseMovie* movie);
    // Loads the installation's base movie over the context's own counters. Throws BaseMovieError.
    CBaseMovie& CreateBaseMovie();

    swf::IdCounter& GetCharacterIds() { return characterIds_; }
    swf::IdCounter& GetDepths() { return depths_; }
    std::uint32_t& GetInstanceCounter() { return instanceCounter_; }

    publish::CustomColorTable& GetCustomColors() { return customColors_; }

    publish::ITempFileMaker& GetTempFiles() { return tempFiles_ ? *tempFiles_ : ownTempFiles_; }
    // Borrowed: the program's own maker, kept alive until it lends another or null (the
    // context's own maker again).
    void SetTempFileMaker(publish::ITempFileMaker* maker);
    // Removes every file the context's own maker made.
    void RemoveTempFiles() { ownTempFiles_.RemoveAll(); }

    CBaseMovieModelLink& GetModelLink() { return modelLink_; }
    // Borrowed; null generates no component scripts.
    void SetComponentScripts(IComponentScripts* scripts);
    // Empty: standard error.
    void SetTraceSink(swf::TraceSink sink);

private:
    // Lends the pieces to the lower layers when this context is current.
    void LendIfCurrent();
    void Lend();
    static void LendNothing();

    std::filesystem::path installDir_;
    // Declared before what uses them: the base movie goes first, then the library its formulas
    // registered with, then the catalogue.
    std::unique_ptr<CComponentCatalog> catalog_;
    std::unique_ptr<CFunctionLibrary> ownedLibrary_;
    CFunctionLibrary* library_ = nullptr;
    swf::IdCounter characterIds_{1};
    swf::IdCounter depths_{1};
    std::unique_ptr<CBaseMovie> ownedBaseMovie_;
    CBaseMovie* baseMovie_ = nullptr;
    std::uint32_t instanceCounter_ = 0;
    publish::CustomColorTable customColors_{};
    publish::CDefaultTempFiles ownTempFiles_;
    publish::ITempFileMaker* tempFiles_ = nullptr;
    CBaseMovieModelLink modelLink_;
    IComponentScripts* componentScripts_ = nullptr;
    swf::TraceSink traceSink_;
};
