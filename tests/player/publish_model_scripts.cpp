// Writes model_scripts.swf: a small dashboard assembled the way a published movie is, from the
// installed base movie and function library, with the generated model code and component
// scripts, and two test components compiled here. The input component writes its cell three
// frames in; the output component shows a formula of that cell and a second field bound to the
// same cell. Both report through fscommand what they show, so the test sees the recalculation
// that the input drives. A third formula reads no input: the input component overwrites its
// variable as it writes its cell, and the recalculation of the input's dependents leaves it so.

#include "model/Component.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelScriptBuilder.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfTags.h"
#include "tests/player/InitClip.h"
#include "tests/player/OutputFolder.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

// Every component of a published movie offers saveDefaults, mc and modelInit, and calls the
// updateVars its script gives it when the user changes a value. A component starts with the
// values of its bound parameters, as read from their cells (here set by the constructors).
const char* kInputComponent = R"(
_global.KVTestInput = function () { this.kvFrames = 0; this.value = 10; };
KVTestInput.prototype = new MovieClip();
KVTestInput.prototype.saveDefaults = function () { this.kvDefault = this.value; };
KVTestInput.prototype.mc = function () { };
KVTestInput.prototype.modelInit = function () { fscommand("input:start", this.value); };
KVTestInput.prototype.onEnterFrame = function () {
    this.kvFrames++;
    if (this.kvFrames == 3) {
        _root[_root.kvTestOther] = -1;
        this.value = 21;
        this.updateVars();
        fscommand("input:wrote", this.value);
    }
};
Object.registerClass("KVTestInputSymbol", KVTestInput);
)";

const char* kOutputComponent = R"(
_global.KVTestOutput = function () { this.kvRedraws = 0; this.input = 10; };
KVTestOutput.prototype = new MovieClip();
KVTestOutput.prototype.saveDefaults = function () { };
KVTestOutput.prototype.mc = function () { this.kvRedraws++; };
KVTestOutput.prototype.modelInit = function () { this.kvShow("start"); };
KVTestOutput.prototype.kvShow = function (when) {
    fscommand("output:" + when, this.input + "|" + this.value + "|" + this.label + "|" + this.other);
};
KVTestOutput.prototype.onEnterFrame = function () {
    if (this.value != this.kvShown) {
        this.kvShown = this.value;
        this.kvShow("changed");
        // Redrawn by the input's change (besides the first frame's script) and recalculated.
        if (this.kvRedraws > 1 && this.input == 21)
            fscommand("done");
    }
};
Object.registerClass("KVTestOutputSymbol", KVTestOutput);
)";

// An exported clip whose initialisation is the compiled source, as component assets have them.
void AddComponentClip(CSwfOutputMovie& movie, uint16_t id, const std::string& symbol, const char* source)
{
    playertest::AddInitClip(movie, id, symbol, playertest::CompileChecked(source, symbol + ".as"));
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    const std::filesystem::path install = testsupport::InstallDir();

    try {
        publishtest::LinkedModelFixture model;
        CFunctionLibrary& library = *model.context.SetFunctionLibrary(
            std::make_unique<CFunctionLibrary>((install / "asset" / "func.dat").string()));
        model.context.SetComponentScripts(&GetComponentScriptGenerator());
        // The installed base movie replaces the fixture's in-memory one.
        model.movie.reset();
        model.movie = model.Lent(CBaseMovie::Create(install, model.ids, model.depths));
        CBaseMovie& base = *model.movie;

        model.Number("A1", 10);
        model.Number("A2", 5);
        model.Formula("B1", "A1*2");
        model.Formula("B2", "B1+A2");
        model.Formula("C1", "IF(B2>30,\"big\",\"small\")");
        model.Formula("D1", "A2*3");
        publishtest::Dashboard input("KVTestInput_1", "KVTestInputSymbol");
        publishtest::Dashboard output("KVTestOutput_1", "KVTestOutputSymbol");
        input.Bind("value", model.Range("A1", "A1"));
        output.Bind("input", model.Range("A1", "A1"));
        output.Bind("value", model.Range("B2", "B2"));
        output.Bind("label", model.Range("C1", "C1"));
        output.Bind("other", model.Range("D1", "D1"));
        std::vector<CComponent*> components = {&input.component, &output.component};
        base.SetModelChanged();
        CompileModel(base, components);
        if (library.GetUnsupportedCount() > 0) {
            std::fprintf(stderr, "the library lacks %s\n", library.GetUnsupportedName(0).c_str());
            return 1;
        }

        CModelScriptBuilder(base).BuildConnectCode(false);
        CModelScriptBuilder(base).BuildModelCode(components, false);
        CActionList& frame = base.GetFrameScript()->GetActions();
        swf::ActionEmitter(frame)
            .Int(0)
            .Int(1)
            .Str("kvInitData")
            .Op(swf::ActionCode::CallFunction)
            .Op(swf::ActionCode::Pop);
        for (CComponent* component : components)
            component->BuildActionScript(frame);
        for (CComponent* component : components)
            component->EmitModelInitCall(frame);
        swf::ActionEmitter(frame).Op(swf::ActionCode::Stop);

        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
        CActionList other;
        swf::ActionEmitter(other)
            .Str("kvTestOther")
            .Str(CellVariableName(base.GetVariableTable().FindCell("S", 1, 4)))
            .Op(swf::ActionCode::SetVariable);
        movie.AddTag(std::make_unique<CSwfDoAction>(std::move(other)));
        const uint16_t inputId = model.ids.Next(), outputId = model.ids.Next();
        AddComponentClip(movie, inputId, "KVTestInputSymbol", kInputComponent);
        AddComponentClip(movie, outputId, "KVTestOutputSymbol", kOutputComponent);
        movie.AddTag(&library);
        movie.AddTag(
            std::make_unique<CSwfPlaceObject2>(model.depths.Next(), inputId, CSwfMatrix(), "KVTestInput_1"));
        movie.AddTag(std::make_unique<CSwfPlaceObject2>(model.depths.Next(), outputId, CSwfMatrix(),
                                                        "KVTestOutput_1"));
        movie.AddTag(&base);
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        movie.WriteFile(folder / "model_scripts.swf", 4000, 3000, 30.0, true);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "model_scripts: %s\n", error.what());
        return 1;
    }
    return 0;
}
