#include "publish/MovieBuilder.h"

#include "base/ScopeGuard.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "publish/AssetExport.h"
#include "publish/BaseMovie.h"
#include "publish/CollabMovie.h"
#include "publish/DocData.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/LoadDataMovie.h"
#include "publish/ModelScriptBuilder.h"
#include "publish/ScenarioMovie.h"
#include "publish/XmlConnectionCode.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"

#include <limits>
#include <memory>
#include <system_error>
#include <thread>

namespace publish {
namespace {

constexpr double kFrameRate = 30.0;
constexpr std::uint16_t kMaxRecursionDepth = 256;
constexpr std::uint16_t kScriptTimeoutSeconds = 60;
// Symbols every movie carries, whether or not a component of the document shows them.
constexpr const char* kScrollSymbols[] = {"FScrollBoxSymbol", "FScrollEditSymbol"};

// The use marks a build takes on the catalogue's assets, given back in reverse when the build
// ends, however it ends, so the next build finds the assets as this one did.
class UseMarks {
public:
    UseMarks() = default;
    UseMarks(const UseMarks&) = delete;
    UseMarks& operator=(const UseMarks&) = delete;
    ~UseMarks()
    {
        for (auto it = marked_.rbegin(); it != marked_.rend(); ++it)
            (*it)->ReleaseUse();
    }
    void Mark(CComponent& component)
    {
        component.MarkUsed();
        marked_.push_back(&component);
    }

private:
    std::vector<CComponent*> marked_;
};

std::unique_ptr<CSwfDoAction> ConnectionScript(CBaseMovie& base)
{
    ConnectionScriptSource source;
    source.webService = base.GetExportFlags().webService;
    source.connectionInputs = base.GetConnectionInputs();
    source.namespaces = base.GetStringMap();
    source.maps = ActiveXmlMaps(base.GetExportRecords());
    CModelScriptBuilder parts(base);
    return BuildXmlConnectionCode(source, base.GetExportSettings(), parts);
}

// The stage size, the hosted-player start of the data and the quality, after the model calls.
void AppendStageSettings(CActionList& frame, CBaseMovie& base, std::int32_t width, std::int32_t height)
{
    swf::ActionEmitter e(frame);
    e.Str("kvWidth").Int(width / 20).Op(swf::ActionCode::SetVariable);
    e.Str("kvHeight").Int(height / 20).Op(swf::ActionCode::SetVariable);
    e.Int(base.GetExportFlags().hostedPlayer ? 1 : 0).Int(1).Str("kvInitData");
    e.Op(swf::ActionCode::CallFunction).Op(swf::ActionCode::Pop);
    e.Str("_quality").Str("BEST").Op(swf::ActionCode::SetVariable);
}

// The components placed in one frame. Building a component in the player costs a few
// milliseconds, so a dashboard of thousands would meet the player's time limit for one frame's
// scripts; it is built over several frames instead, each placing a part of the components and
// running their scripts. A usual dashboard fits in the first frame, as it always has.
constexpr std::size_t kComponentsPerFrame = 200;

std::vector<std::vector<CComponent*>> SplitIntoFrames(const std::vector<CComponent*>& components)
{
    std::vector<std::vector<CComponent*>> frames(1);
    for (CComponent* component : components) {
        if (frames.back().size() == kComponentsPerFrame)
            frames.emplace_back();
        frames.back().push_back(component);
    }
    return frames;
}

// Every component's script first, then every component's model initialisation, so that all
// components of the frame exist before any of them reads the model. The last frame stops the
// playhead (frames after it are only called by label).
void AppendComponentScripts(CActionList& frame, const std::vector<CComponent*>& components, bool last)
{
    for (CComponent* component : components)
        component->BuildActionScript(frame);
    for (CComponent* component : components)
        component->EmitModelInitCall(frame);
    if (last)
        swf::ActionEmitter(frame).Op(swf::ActionCode::Stop);
}

void AddHeaderTags(CSwfOutputMovie& movie, const CDocData& snapshot, bool preview)
{
    movie.AddTag(std::make_unique<CSwfEnableDebugger2>(""));
    movie.AddTag(std::make_unique<CSwfDebugId>());
    const auto& paper = snapshot.GetPaperColor();
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(paper[0], paper[1], paper[2]));
    if (preview)
        movie.AddTag(std::make_unique<CSwfScriptLimits>(kMaxRecursionDepth, kScriptTimeoutSeconds));
}

struct Build {
    const std::filesystem::path& output;
    CDocData& snapshot;
    CComponentCatalog& catalog;
    CBaseMovie& base;
    CFunctionLibrary& library;
    std::int32_t width;
    std::int32_t height;
    bool preview;
    swf::IdCounter& ids;
    swf::IdCounter& depths;
    model::CFileBatch& outputs;
};

// The first frame's script, in its fixed order (what follows the first calculation waits for
// its end, in a later frame when it is long); the connection script of a movie fed from
// outside, when there is one.
std::unique_ptr<CSwfDoAction> BuildScripts(const Build& b, const std::vector<CComponent*>& components,
                                           const std::vector<std::vector<CComponent*>>& frames, UseMarks& marks)
{
    CModelScriptBuilder scripts(b.base);
    scripts.BuildModelCode(components, b.preview);
    std::unique_ptr<CSwfDoAction> connection;
    if (b.base.HasDataConnection(b.preview))
        connection = ConnectionScript(b.base);
    // What follows the first calculation, statement by statement: it may run in a later frame,
    // from functions of a bounded size.
    std::vector<CActionList> after;
    AppendStageSettings(after.emplace_back(), b.base, b.width, b.height);
    for (CComponent* component : frames.front())
        component->BuildActionStatements(after);
    for (CComponent* component : frames.front())
        component->EmitModelInitCall(after.emplace_back());
    scripts.BuildFrameScript(b.preview, std::move(after), frames.size() == 1);
    if (b.base.GetFrameScript() == nullptr)
        throw MovieBuildError("the model script generator made no frame script");
    for (const char* symbol : kScrollSymbols) {
        if (CSwfComponent* prototype = b.catalog.FindByTypeName(symbol))
            marks.Mark(*prototype);
    }
    return connection;
}

// From the data connection to the end of the last frame; gives the frame count.
std::uint16_t AddTimeline(const Build& b, CSwfOutputMovie& movie, std::unique_ptr<CSwfDoAction> connection,
                          const std::vector<std::vector<CComponent*>>& componentFrames, UseMarks& marks)
{
    std::uint16_t frames = 1;
    if (connection) {
        movie.AddTag(std::move(connection));
        movie.AddTag(&b.base.GetLoadDataMovie());
        frames += 1;
    }
    auto place = [&](const std::vector<CComponent*>& components) {
        for (CComponent* component : components) {
            component->PlaceInMovie(movie, b.depths);
            marks.Mark(*component);
        }
    };
    place(componentFrames.front());
    // The clip's initialisation makes the connection "nc" that the first frame and the
    // collaboration components use, real-time or not; only its placement is real-time's.
    if (b.base.GetExportSettings().collaboration && !b.preview) {
        b.base.GetCollabMovie().PrepareBuild(b.depths);
        movie.AddTag(&b.base.GetCollabMovie());
    }
    movie.AddTag(&b.base);
    for (std::size_t i = 1; i < componentFrames.size(); ++i) {
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        place(componentFrames[i]);
        auto script = std::make_unique<CSwfDoAction>();
        AppendComponentScripts(script->GetActions(), componentFrames[i], i + 1 == componentFrames.size());
        movie.AddTag(std::move(script));
        if (frames == std::numeric_limits<std::uint16_t>::max() - 3)
            throw MovieBuildError("too many components for one movie");
        frames += 1;
    }
    // The main frame ends here (in a preview the scenario movie closes it): players may drop a
    // last frame that only the End tag closes.
    if (b.preview) {
        movie.AddTag(&b.base.GetScenarioMovie());
        frames += 2;
    } else {
        movie.AddTag(std::make_unique<CSwfShowFrame>());
    }
    return frames;
}

MovieBuildResult Run(const Build& b)
{
    CSwfOutputMovie movie;
    // The movie borrows the long-lived contributors; it must let go of them on every path.
    ScopeGuard release([&movie] { movie.RemoveAllTags(); });
    // Scripts generated for this build and never written must not reach the next one.
    ScopeGuard dropScripts([&b] {
        b.base.SetFrameScript(nullptr);
        b.base.SetInitCode(nullptr);
        b.base.ReleaseWrittenScripts();
    });
    UseMarks marks;
    const std::vector<CComponent*>& components = b.snapshot.GetInstances();

    AddHeaderTags(movie, b.snapshot, b.preview);
    movie.AddTag(&b.catalog);
    // Every file of the publication (asset copies, the sample data file, the movie) is staged
    // and lands together, or none does.
    b.base.SetOutputBatch(&b.outputs);
    ScopeGuard forgetOutputs([&b] { b.base.SetOutputBatch(nullptr); });
    AssetExportResult assets = ExportDocumentAssets(b.output, movie, b.snapshot, b.ids, &b.outputs);
    ScopeGuard restoreSources([&assets] { RestoreCopiedFileNames(assets); });
    movie.AddTag(&b.library);
    const std::vector<std::vector<CComponent*>> componentFrames = SplitIntoFrames(components);
    std::unique_ptr<CSwfDoAction> connection = BuildScripts(b, components, componentFrames, marks);
    movie.SetFrameCount(AddTimeline(b, movie, std::move(connection), componentFrames, marks));

    std::vector<std::uint8_t> bytes = movie.WriteBytes(b.width, b.height, kFrameRate, false);
    {
        // The written scripts of a large model are hundreds of thousands of small objects;
        // freeing them takes about as long as writing them, so it goes on beside compressing.
        std::jthread release;
        try {
            release = std::jthread([&b] { b.base.ReleaseWrittenScripts(); });
        } catch (const std::system_error&) {
            b.base.ReleaseWrittenScripts(); // no thread to be had: freed here first
        }
        bytes = swf::CompressMovie(bytes);
    }
    std::string reason;
    if (!b.outputs.Stage(b.output, bytes.data(), bytes.size(), reason))
        throw MovieBuildError(reason);
    MovieBuildResult result;
    result.frameCount = movie.GetFrameCount();
    result.byteCount = bytes.size();
    result.externalAssets = assets.externalAssets;
    result.assetProblems = std::move(assets.problems);
    return result;
}

} // namespace

MovieBuildResult BuildAndWriteMovie(const std::filesystem::path& output, CDocData& snapshot,
                                    CComponentCatalog& catalog, std::int32_t width, std::int32_t height,
                                    bool preview, const MovieBuildCounters& counters, model::CFileBatch* outputs)
{
    CBaseMovie* base = snapshot.GetBaseMovie();
    if (base == nullptr)
        throw MovieBuildError("the document has no model to publish");
    CFunctionLibrary* library = GetFunctionLibrary();
    if (library == nullptr)
        throw MovieBuildError("no function library is installed");
    counters.characterIds.Reset(counters.firstCharacterId);
    counters.depths.Reset();
    model::CFileBatch own;
    MovieBuildResult result = Run({output, snapshot, catalog, *base, *library, width, height, preview,
                                   counters.characterIds, counters.depths, outputs ? *outputs : own});
    std::string reason;
    if (!outputs && !own.Commit(reason))
        throw MovieBuildError(reason);
    return result;
}

} // namespace publish
