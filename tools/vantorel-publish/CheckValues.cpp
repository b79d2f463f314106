#include "tools/vantorel-publish/CheckValues.h"

#include "publish/BaseMovie.h"
#include "publish/Json.h"
#include "publish/Publisher.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/VariableTable.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTags.h"
#include "tools/actionscript/Compiler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Frames the probe waits for a movie's model manager to show before it reports what the
// movie holds (a movie without formulas has none), and the time the player is given in all:
// a long first calculation goes on behind its notice for minutes.
constexpr int kWaitFrames = 300;
// The frames after which the probe reports whatever the movie holds by then.
constexpr int kLimitFrames = 18000;
constexpr int kPlayerMilliseconds = 900000;

// Loads the movie into level 1, waits until its first calculation is done (its manager runs
// the model), then reports every cell variable it holds.
const char* kProbeSource = R"(
getURL(kvMovie, "_level1");
var kvFrames = 0;
this.onEnterFrame = function () {
    ++kvFrames;
    var mgr = _level1.mgr;
    if (kvFrames < LIMIT && (mgr == undefined ? kvFrames < WAIT : mgr.kvRun == undefined))
        return;
    for (var k in _level1) {
        if (k.charAt(0) == "V" && k.length > 1 && !isNaN(Number(k.substr(1))))
            fscommand(k, _level1[k]);
    }
    fscommand("done", "");
    delete this.onEnterFrame;
};
)";

std::filesystem::path PlayerFolder()
{
    if (const char* folder = std::getenv("VANTOREL_PLAYER_DIR"))
        return folder;
    return VANTOREL_PLAYER_FOLDER;
}

bool WriteProbe(const std::filesystem::path& file)
{
    std::string source = kProbeSource;
    source.replace(source.find("LIMIT"), 5, std::to_string(kLimitFrames));
    source.replace(source.find("WAIT"), 4, std::to_string(kWaitFrames));
    actionscript::CompileResult result = actionscript::CompileSource(source, file.filename());
    if (!result.ok())
        return false;
    std::vector<std::uint8_t> body = std::move(result.actions);
    body.push_back(0);
    CSwfOutputMovie out;
    out.AddTag(std::make_unique<CSwfRawTag>(static_cast<std::uint16_t>(swf::TagCode::DoAction), std::move(body)));
    out.AddTag(std::make_unique<CSwfShowFrame>());
    out.WriteFile(file, 8000, 6000, 30, true);
    return true;
}

// The player's report: variable name to its value as the player shows it.
std::map<std::string, std::string> PlayMovie(const std::filesystem::path& folder, const std::filesystem::path& player)
{
    std::map<std::string, std::string> values;
    const std::string command = "NODE_PATH='" + (player / "node_modules").string() + "' node '" +
                                (player / "lib" / "values.mjs").string() + "' '" + folder.string() + "' " +
                                std::to_string(kPlayerMilliseconds);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return values;
    char line[65536];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const std::size_t tab = text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::optional<json::Value> value = json::Parse(text.substr(tab + 1));
        if (value && value->kind == json::Kind::String)
            values[text.substr(0, tab)] = value->text;
    }
    pclose(pipe);
    return values;
}

// A complex number as text ("3+4i", "-2.5j", "1E-20-0.5i", "7"): its parts, none for other text.
std::optional<std::pair<double, double>> ComplexParts(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    const char* start = text.c_str();
    const char* finish = start + text.size();
    const bool imaginary = finish[-1] == 'i' || finish[-1] == 'j';
    if (imaginary)
        --finish;
    // the imaginary part starts at the last sign that is no exponent's
    const char* split = start;
    for (const char* p = finish - 1; p > start; --p)
        if ((*p == '+' || *p == '-') && p[-1] != 'e' && p[-1] != 'E') {
            split = p;
            break;
        }
    auto number = [](const char* from, const char* to, double& out) {
        if (from == to)
            return false;
        const std::string part(from, to);
        char* end = nullptr;
        out = std::strtod(part.c_str(), &end);
        return end == part.c_str() + part.size();
    };
    auto unit = [&](const char* from, const char* to, double& out) {
        // "i", "+i" and "-i" stand for 1 and -1
        if (to - from <= 1 && (from == to || *from == '+' || *from == '-')) {
            out = from != to && *from == '-' ? -1 : 1;
            return true;
        }
        return number(from, to, out);
    };
    double re = 0, im = 0;
    if (!imaginary)
        return number(start, finish, re) ? std::optional(std::make_pair(re, 0.0)) : std::nullopt;
    if (split == start)
        return unit(start, finish, im) ? std::optional(std::make_pair(0.0, im)) : std::nullopt;
    if (!number(start, split, re) || !unit(split, finish, im))
        return std::nullopt;
    return std::make_pair(re, im);
}

bool Near(double a, double b)
{
    return std::isfinite(a) && std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

// The player prints numbers with 15 significant digits; the workbook caches up to 17. Dates
// and times are numbers; a logical value equals the 1 or 0 a spreadsheet program may cache.
bool Same(const std::string& got, const CCellData& cached)
{
    auto lower = [](std::string t) {
        for (char& c : t)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    const std::string shown = lower(got);
    if (cached.typeName == "number" || cached.typeName == "n" || cached.typeName == "datetime") {
        char* end = nullptr;
        double a = std::strtod(got.c_str(), &end);
        if (shown == "true" || shown == "false") {
            a = shown == "true" ? 1 : 0;
            end = nullptr;
        } else if (end == got.c_str()) {
            return false;
        }
        const double b = std::strtod(cached.valueText.c_str(), nullptr);
        return Near(a, b);
    }
    if (cached.typeName == "boolean" || cached.typeName == "b") {
        const std::string want = lower(cached.valueText);
        const bool truth = want == "true" || want == "1";
        return shown == (truth ? "true" : "false") || shown == (truth ? "1" : "0");
    }
    if (got == cached.valueText)
        return true;
    // complex numbers by their parts: the workbook caches 17 digits, and "j" where the movie
    // may write "i" only when the formula asked for "j"
    const auto ends = [](const std::string& t) { return !t.empty() && (t.back() == 'i' || t.back() == 'j'); };
    if (ends(got) || ends(cached.valueText)) {
        const auto a = ComplexParts(got);
        const auto b = ComplexParts(cached.valueText);
        return a && b && Near(a->first, b->first) && Near(a->second, b->second);
    }
    return false;
}

// A formula cell for which the workbook holds no value (a workbook never calculated, or saved
// without its values): nothing to compare with.
bool Uncached(const CCellData& cached)
{
    return cached.valueText.empty() && cached.typeName != "string";
}

} // namespace

int CheckMovieValues(publish::CPublisher& publisher, const std::filesystem::path& movie, bool differencesOnly)
{
    const std::filesystem::path player = PlayerFolder();
    std::error_code error;
    if (!std::filesystem::is_directory(player / "node_modules" / "@ruffle-rs" / "ruffle", error) ||
        std::system("command -v node >/dev/null 2>&1") != 0) {
        std::fprintf(stderr, "vantorel-publish: --check-values needs the test player (%s with its packages: "
                             "tools/setup.sh --tests, or VANTOREL_PLAYER_DIR) and node\n",
                     player.string().c_str());
        return 1;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-values-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("vantorel-publish: no temporary folder for --check-values");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    std::filesystem::copy_file(movie, folder / "movie.swf", error);
    const bool ready = !error && WriteProbe(folder / "probe.swf");
    const std::map<std::string, std::string> values = ready ? PlayMovie(folder, player) : std::map<std::string, std::string>{};
    std::filesystem::remove_all(folder, error);

    const CVariableTable& table = publisher.GetBaseMovie().GetVariableTable();
    const CCellModel& cells = publisher.GetBaseMovie().GetCellModel();
    std::size_t formulas = 0, matching = 0, uncached = 0;
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        const std::optional<CCellRef> cell = table.GetCellAt(i);
        const std::optional<CCellData> data = cell ? cells.GetCell(*cell) : std::nullopt;
        if (!data || data->formula.empty())
            continue;
        ++formulas;
        const std::string variable = CellVariableName(static_cast<std::int32_t>(i));
        const auto got = values.find(variable);
        if (Uncached(*data)) {
            ++uncached;
            if (!differencesOnly)
                std::printf("%s!%s\t%s\tmovie: %s\tworkbook: (no value)\tNOT CACHED\n", cell->sheet.c_str(),
                            cell->GetShortText().c_str(), variable.c_str(),
                            got == values.end() ? "(nothing)" : got->second.c_str());
            continue;
        }
        const bool same = got != values.end() && Same(got->second, *data);
        matching += same ? 1 : 0;
        if (same && differencesOnly)
            continue;
        std::printf("%s!%s\t%s\tmovie: %s\tworkbook: %s%s\n", cell->sheet.c_str(), cell->GetShortText().c_str(),
                    variable.c_str(), got == values.end() ? "(nothing)" : got->second.c_str(), data->valueText.c_str(),
                    same ? "" : "\tDIFFERS");
    }
    std::printf("%zu of %zu formula cells show the workbook's cached value in the movie\n", matching,
                formulas - uncached);
    if (uncached > 0)
        std::printf("%zu formula cells have no cached value in the workbook\n", uncached);
    if (values.empty() && formulas > 0) {
        std::fprintf(stderr, "vantorel-publish: the player reported no values: run node %s by hand to see why\n",
                     (player / "lib" / "values.mjs").string().c_str());
        return 1;
    }
    return matching + uncached == formulas ? 0 : kValuesDiffer;
}
