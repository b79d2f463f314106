// Writes what the first-calculation check needs: the all-formulas movies of a workbook whose
// first calculation takes seconds (tests/player/long-calculation, computed by LibreOffice) and
// of a shipped sample that calculates at once, each with <name>.expected.json ({"V<id>":
// [cached value, type, "Sheet!A1"]} of its formula cells), and probe.swf, which loads the movie
// kvMovie names into level 1 and watches its first calculation:
//   "first"   when the movie's manager first shows: "ready" (the first frame calculated it),
//             else "calculating", with " notice" while the "Calculating..." notice is up
//   "busy"    once, while the notice is up, where the test takes a picture of it (the probe
//             holds the movie's calculation for a second meanwhile)
//   "frames"  the probe's frames during which the movie was still calculating
//   "longest" the longest time in ms between two frames up to the picture, once the movie is
//             ready: the longest the movie ran its scripts without letting the player draw
//   "notice"  "gone" or "still there" once the movie is ready
//   then the value of every variable kvNames lists (comma-separated), and "done".
// With kvRecalc=1, once the first calculation is done the probe clears those variables and has
// the manager recalculate everything, as after a change no input's function covers; "frames",
// "longest" and "notice" then tell of that recalculation ("firstFrames" of the first), and
// "recalcNotice" whether its notice was seen, and "longestCall" the longest that one frame's call
// of the manager took. The movie of sliding-windows.xlsx (the same folder) checks sums, averages
// and counts of ranges starting on every row; a workbook mixed.xlsx in the output folder (of
// tools/bench-workbook.py) is made into the movie "mixed" too.

#include "publish/BaseMovie.h"
#include "publish/Publisher.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/VariableTable.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/ScriptMovie.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* kProbe = R"(
getURL(kvMovie, "_level1");
var kvSeen = false;
var kvFrames = 0;
var kvShot = false;
var kvResume = 0;
var kvLongest = 0;
var kvLast;
var kvPaused;
var kvPhase;
var kvNoticeSeen = false;
var kvCallLongest = 0;
function kvTimedCall(ms) {
    if (ms > kvCallLongest)
        kvCallLongest = ms;
}
this.onEnterFrame = function () {
    var mgr = _level1.mgr;
    if (mgr == undefined)
        return;
    var now = getTimer();
    if (kvLast != undefined && (!kvShot || kvPhase == "recalc") && now - kvLast > kvLongest)
        kvLongest = now - kvLast;
    kvLast = now;
    var ready = mgr.kvRun != undefined;
    var notice = _level1.kvBusy != undefined;
    if (!kvSeen) {
        kvSeen = true;
        fscommand("first", (ready ? "ready" : "calculating") + (notice ? " notice" : ""));
    }
    if (kvPhase == "recalc") {
        if (mgr.kvCalcRun != undefined || mgr.calcDirty) {
            kvFrames++;
            if (notice)
                kvNoticeSeen = true;
            return;
        }
    } else if (ready && kvRecalc == "1") {
        // A later full recalculation (nothing changed that an input's function covers): the
        // reported cells are cleared first, so that only the recalculation gives them values.
        kvPhase = "recalc";
        var cleared = kvNames.split(",");
        for (var k = 0; k < cleared.length; k++)
            _level1[cleared[k]] = undefined;
        fscommand("firstFrames", kvFrames);
        kvFrames = 0;
        kvLongest = 0;
        kvNoticeSeen = false;
        kvCallLongest = 0;
        mgr.kvProbeTick = mgr.onEnterFrame;
        mgr.onEnterFrame = function () {
            var start = getTimer();
            this.kvProbeTick();
            _level0.kvTimedCall(getTimer() - start);
        };
        mgr.calcDirty = true;
        return;
    }
    if (!ready) {
        kvFrames++;
        // A few frames after the notice went up, with some of the bar drawn, the movie's
        // calculation pauses for a second, so that the browser draws the stage for the picture.
        if (notice && !kvShot && kvFrames >= 3) {
            kvShot = true;
            kvPaused = mgr.onEnterFrame;
            delete mgr.onEnterFrame;
            kvResume = 30;
            fscommand("busy", "");
        }
        if (kvResume > 0 && --kvResume == 0)
            mgr.onEnterFrame = kvPaused;
        return;
    }
    if (kvPhase == "recalc") {
        fscommand("recalcNotice", kvNoticeSeen ? "seen" : "not seen");
        fscommand("longestCall", kvCallLongest);
    }
    fscommand("frames", kvFrames);
    fscommand("longest", kvLongest);
    fscommand("notice", notice ? "still there" : "gone");
    var names = kvNames.split(",");
    for (var i = 0; i < names.length; i++)
        fscommand(names[i], _level1[names[i]]);
    fscommand("done", "");
    delete this.onEnterFrame;
};
)";

// The workbook's all-formulas movie and the cached values of its formula cells.
void WriteMovie(const fs::path& install, const fs::path& workbook, const fs::path& folder, const std::string& name)
{
    publish::CPublisher publisher(install);
    publisher.OpenWorkbookFormulas(workbook);
    publisher.Publish(folder / (name + ".swf"), false);
    CBaseMovie& base = publisher.GetBaseMovie();
    const CVariableTable& table = base.GetVariableTable();
    std::ofstream out(folder / (name + ".expected.json"));
    const char* separator = "{";
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        const std::optional<CCellRef> cell = table.GetCellAt(i);
        if (!cell)
            continue;
        const std::optional<CCellData> data = base.GetCellModel().GetCell(cell->sheet, cell->row, cell->column);
        if (!data || data->formula.empty() || base.FindVariableNode(static_cast<int32_t>(i)) == nullptr)
            continue;
        out << separator << "\n " << playertest::JsonText(CellVariableName(static_cast<int32_t>(i))) << ": ["
            << playertest::JsonText(data->valueText) << ", " << playertest::JsonText(data->typeName) << ", "
            << playertest::JsonText(cell->sheet + "!" + cell->GetShortText()) << "]";
        separator = ",";
    }
    out << (*separator == '{' ? "{" : "") << "\n}\n";
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<playertest::PublishingFolders> folders = playertest::PublishingMaker(argc, argv);
    if (!folders)
        return 2;
    const fs::path& folder = folders->output;
    const char* install = folders->install;
    const char* source = folders->source;
    try {
        fs::create_directories(folder);
        playertest::WriteScriptMovie(folder / "probe.swf", kProbe, 8000, 6000);
        WriteMovie(install, fs::path(source) / "tests" / "player" / "long-calculation" / "long-calculation.xlsx",
                   folder, "long");
        WriteMovie(install, fs::path(source) / "assets" / "samples" / "regional-sales.xlsx", folder, "short");
        WriteMovie(install, fs::path(source) / "tests" / "player" / "long-calculation" / "sliding-windows.xlsx",
                   folder, "windows");
        if (fs::exists(folder / "mixed.xlsx"))
            WriteMovie(install, folder / "mixed.xlsx", folder, "mixed");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "publish_first_calculation: %s\n", error.what());
        return 1;
    }
    return 0;
}
