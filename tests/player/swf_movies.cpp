// Writes the movies that swf_movies.test.mjs checks with the independent readers and in the
// player: every tag kind the library writes, in both file forms, and a movie that computes a
// value with a function and reports it back.
#include "swf/Actions.h"
#include "swf/EmbeddedSwfMovie.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfJpeg.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfShape.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/VariablePath.h"
#include "tests/player/PlayerReport.h"
#include "tests/swf/JpegSamples.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using testsupport::MakeJpeg;

template <class T, class... A> void Emit(CActionList& list, A&&... args)
{
    list.Add(std::make_unique<T>(std::forward<A>(args)...));
}

void Code(CActionList& list, swf::ActionCode code)
{
    Emit<CActionCode>(list, code);
}

// The picture as the asset export embeds it: image, shape, sprite, export.
void AddPicture(CSwfMovie& movie, swf::IdAllocator& ids)
{
    std::vector<uint8_t> jpeg = MakeJpeg(32, 24);
    int width = 0, height = 0;
    if (!ScanJpegStream(jpeg.data(), jpeg.size(), width, height))
        throw swf::SwfError("test picture unreadable");
    auto image = std::make_unique<CSwfJpegImage>(ids.characters, jpeg.data(), jpeg.size());
    uint16_t imageId = image->GetCharacterId();
    movie.AddTag(std::move(image));
    const uint16_t spriteId =
        AddPictureSprite(movie, ids.characters, imageId, width, height).GetCharacterId();
    movie.AddTag(std::make_unique<CSwfExportedSymbol>(spriteId));
    movie.AddTag(std::make_unique<CSwfPlaceObject2>(ids.depths.Next(), spriteId, CSwfMatrix(), "pic"));
}

// V3 = f_sum() with f_sum() { return Number(V1) + Number(obj.half) * 2 }, reported as "result".
void AddComputation(CSwfMovie& movie)
{
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& a = script->GetActions();
    Emit<CActionPush>(a, "V1");
    Emit<CActionPush>(a, "2");
    Code(a, swf::ActionCode::SetVariable);
    // obj = new Object(); obj.half = 3.5
    Emit<CActionPush>(a, "obj");
    a.Add(CActionPush::CActionPushInt(0));
    Emit<CActionPush>(a, "Object");
    Code(a, swf::ActionCode::NewObject);
    Code(a, swf::ActionCode::SetVariable);
    CVariablePath half;
    half.AddName("obj");
    half.AddName("half");
    half.EmitGet(a, true);
    a.Add(CActionPush::CActionPushDouble(3.5));
    half.EmitSet(a);

    auto function = std::make_unique<CActionDefineFunction>("f_sum");
    CActionList& body = function->GetBody();
    Emit<CActionPush>(body, "V1");
    Code(body, swf::ActionCode::GetVariable);
    Code(body, swf::ActionCode::ToNumber);
    half.EmitGet(body, true);
    Code(body, swf::ActionCode::GetMember);
    Code(body, swf::ActionCode::ToNumber);
    a.Add(std::move(function));
    body.Add(CActionPush::CActionPushInt(2));
    Code(body, swf::ActionCode::Multiply);
    Code(body, swf::ActionCode::Add2);
    Code(body, swf::ActionCode::Return);

    Emit<CActionPush>(a, "V3");
    a.Add(CActionPush::CActionPushInt(0));
    Emit<CActionPush>(a, "f_sum");
    Emit<CActionCallFunction>(a);
    Code(a, swf::ActionCode::SetVariable);
    CVariablePath v3;
    v3.AddName("V3");
    playertest::Report(a, "result", "V3");
    a.Add(CActionPush::CActionPushBool(true));
    a.Add(CActionPush::CActionPushUndefined());
    Emit<CActionPop>(a);
    Emit<CActionPop>(a);
    Emit<CActionSetTarget>(a, "");
    playertest::Report(a, "done", "");
    Code(a, swf::ActionCode::Stop);
    movie.AddTag(std::move(script));
}

void WriteMovies(const std::filesystem::path& folder)
{
    swf::IdAllocator ids;
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfEnableDebugger2>(""));
    movie.AddTag(std::make_unique<CSwfDebugId>());
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(0x33, 0x66, 0x99));
    movie.AddTag(std::make_unique<CSwfScriptLimits>(256, 60));
    AddPicture(movie, ids);
    AddComputation(movie);
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(folder / "library_fws.swf", 400 * 20, 300 * 20, 30, false);
    movie.WriteFile(folder / "library_cws.swf", 400 * 20, 300 * 20, 30, true);

    // Read back with renumbering and written again inside another movie, as assets are merged.
    CSwfMovie reloaded;
    reloaded.LoadFile(folder / "library_cws.swf", {.remapIds = &ids.characters, .keepTopLevel = true});
    reloaded.SetWriteAll(true);
    CSwfOutputMovie merged;
    merged.SetFrameCount(reloaded.GetFrameCount());
    merged.AddTag(&reloaded);
    merged.WriteFile(folder / "reloaded_cws.swf", 400 * 20, 300 * 20, 30, true);

    // Embedded as a user's movie is: its timeline moved into a sprite, only what that timeline
    // and the movie's exports need written, the sprite exported and placed.
    CSwfOutputMovie host;
    host.AddTag(std::make_unique<CSwfSetBackgroundColor>(0xFF, 0xFF, 0xFF));
    auto owned = std::make_unique<CEmbeddedSwfMovie>();
    CEmbeddedSwfMovie* embedded = owned.get();
    host.AddTag(std::move(owned));
    embedded->LoadFile(folder / "library_fws.swf", {.remapIds = &ids.characters});
    auto sprite = std::make_unique<CSwfSprite>(ids.characters);
    for (auto& tag : embedded->GetTimelineTags()) {
        tag->AddUse();
        if (tag->GetDependencies().size() == 1)
            embedded->MarkCharacterUsed(tag->GetDependencies()[0]);
        sprite->AddTag(std::move(tag));
    }
    embedded->GetTimelineTags().clear();
    for (uint16_t id : embedded->GetKeptIds())
        embedded->MarkCharacterUsed(id);
    embedded->SetUseCount(0);
    uint16_t spriteId = sprite->GetCharacterId();
    host.AddTag(std::move(sprite));
    host.AddTag(std::make_unique<CSwfExportedSymbol>(spriteId));
    host.AddTag(std::make_unique<CSwfPlaceObject2>(ids.depths.Next(), spriteId, CSwfMatrix(), "embedded"));
    host.AddTag(std::make_unique<CSwfShowFrame>());
    host.WriteFile(folder / "embedded_cws.swf", 400 * 20, 300 * 20, 30, true);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        WriteMovies(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
