// The model code of a published movie: the spreadsheet as "V" variables, range arrays and the
// functions that recalculate and connect it, handed to the base movie as its init code and first
// frame script.

#include "publish/ModelScriptBuilder.h"

#include "model/BindingLink.h"
#include "model/TextUtil.h"
#include "publish/BaseMovie.h"
#include "publish/ChunkedFunctions.h"
#include "publish/DataFiles.h"
#include "publish/ExportSettings.h"
#include "publish/ModelNetwork.h"
#include "publish/StaticDataTable.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <climits>
#include <functional>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <random>
#include <set>
#include <stdexcept>
#include <string_view>

using swf::ActionCode;
using swf::ActionEmitter;

namespace {

// name() as a statement: Push 0, Push name, CallFunction, Pop.
void EmitCall(CActionList& actions, const std::string& name)
{
    publish::detail::EmitCall(actions, name);
}

using publish::DefineChunkedFunctions;

// The ranges of the movie as views on shared bands. All areas of a sheet over the same columns
// share one band "kvB"<k>: an Array of rows from the least first row of those areas, each row
// an Array of the names of its cells' variables (undefined where a cell has none); a row
// without any is undefined and the rows after the last variable are left out. A range
// "A"<index> is then `new kvRangeC(band, first band row, rows, columns)` of its written size,
// so the movie grows with the distinct cells the ranges cover, not with the ranges' sizes.

struct RangeBand {
    std::string sheet;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    // Variables inside the band as (row offset, column offset, id), by row, then column.
    std::vector<std::tuple<int, int, int32_t>> cells;
    // The row offsets holding a variable, ascending.
    std::vector<int> usedRows;
    // The row offsets of the used rows the workbook hides, ascending.
    std::vector<int> hiddenRows;
};

// An Array of `length` elements, of which those at the ascending indexes `present` are pushed
// by element(k), the k-th of them; the others are undefined. A mostly full array is listed
// whole (InitArray takes its first element from the last push); a sparse one is made empty
// and filled member by member, so that its cost follows what it holds, not its length.
template <typename Element>
void EmitSparseArray(ActionEmitter& emit, int length, const std::vector<int>& present, Element element)
{
    if (static_cast<std::size_t>(length) <= 2 * present.size() + 8) {
        std::size_t next = present.size();
        for (int i = length - 1; i >= 0; --i) {
            if (next > 0 && present[next - 1] == i)
                element(--next);
            else
                emit.Undefined();
        }
        emit.Int(length).Op(ActionCode::InitArray);
        return;
    }
    emit.New("Array");
    for (std::size_t k = 0; k < present.size(); ++k) {
        emit.Op(ActionCode::PushDuplicate).Int(present[k]);
        element(k);
        emit.Op(ActionCode::SetMember);
    }
}

void EmitBand(ActionEmitter& emit, const std::string& name, const RangeBand& band, const std::vector<bool>* computed)
{
    // Where each used row's cells start in band.cells.
    std::vector<std::size_t> rowStart;
    for (std::size_t i = 0; i < band.cells.size(); ++i)
        if (i == 0 || std::get<0>(band.cells[i]) != std::get<0>(band.cells[i - 1]))
            rowStart.push_back(i);
    rowStart.push_back(band.cells.size());
    emit.Str(name);
    const int length = band.usedRows.empty() ? 0 : band.usedRows.back() + 1;
    EmitSparseArray(emit, length, band.usedRows, [&](std::size_t row) {
        std::vector<int> columns;
        std::vector<int32_t> ids;
        for (std::size_t i = rowStart[row]; i < rowStart[row + 1]; ++i) {
            columns.push_back(std::get<1>(band.cells[i]));
            ids.push_back(std::get<2>(band.cells[i]));
        }
        EmitSparseArray(emit, band.right - band.left + 1, columns,
                        [&](std::size_t k) { emit.Str(CellVariableName(ids[k])); });
    });
    emit.Op(ActionCode::SetVariable);
    if (computed && std::none_of(band.cells.begin(), band.cells.end(), [&](const auto& cell) {
            const auto id = static_cast<std::size_t>(std::get<2>(cell));
            return id < computed->size() && (*computed)[id];
        }))
        emit.Get(name).Str("kvNoFormulas").Bool(true).Op(ActionCode::SetMember);
    if (!band.hiddenRows.empty()) {
        emit.Get(name).Str("kvHidden").New("Object").Op(ActionCode::SetMember);
        for (int row : band.hiddenRows)
            emit.Get(name).Str("kvHidden").Op(ActionCode::GetMember).Int(row).Bool(true).Op(ActionCode::SetMember);
    }
}

// _global.kvRangeC = function (b, o, rows, cols) {...} unless a movie loaded before defined
// it: the library's checks of `instanceof kvRangeC` must meet the one constructor.
void EmitRangeClass(CActionList& actions)
{
    CActionList definition;
    ActionEmitter define(definition);
    auto constructor = std::make_unique<CActionDefineFunction>("");
    ActionEmitter body(constructor->GetBody());
    for (const char* member : {"b", "o", "rows", "cols"}) {
        constructor->GetParameters().push_back(member);
        body.Get("this").Str(member).Get(member).Op(ActionCode::SetMember);
    }
    define.Get("_global").Str("kvRangeC");
    definition.Add(std::move(constructor));
    define.Op(ActionCode::SetMember);
    const std::vector<uint8_t> bytes = definition.ToBytes(false);
    if (bytes.size() > 0x7FFF)
        throw std::logic_error("the range constructor does not fit a branch");

    ActionEmitter emit(actions);
    emit.Get("_global").Str("kvRangeC").Op(ActionCode::GetMember).Undefined().Op(ActionCode::Equals2).Op(
        ActionCode::Not);
    emit.Raw(static_cast<uint8_t>(ActionCode::If),
             {static_cast<uint8_t>(bytes.size() & 0xFF), static_cast<uint8_t>(bytes.size() >> 8)});
    actions.Append(std::move(definition));
}

std::string BandName(std::size_t index)
{
    return "kvB" + std::to_string(index);
}

std::string RandomGuid()
{
    std::random_device device;
    std::mt19937_64 random((static_cast<uint64_t>(device()) << 32) ^ device());
    uint64_t high = random(), low = random();
    high = (high & ~0xF000ull) | 0x4000ull;                      // version 4
    low = (low & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull; // variant 1
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(high >> 32),
                  static_cast<unsigned>((high >> 16) & 0xFFFF), static_cast<unsigned>(high & 0xFFFF),
                  static_cast<unsigned>(low >> 48), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
    return text;
}

// The output path without the extension of its file name: "out/report.swf" gives "out/report",
// "my.dir/report" stays as it is.
std::string WithoutExtension(const std::string& path)
{
    const std::string extension = GetFileExtension(path);
    if (!extension.empty())
        return path.substr(0, path.size() - extension.size() - 1);
    if (!path.empty() && path.back() == '.')
        return path.substr(0, path.size() - 1);
    return path;
}

} // namespace

void CModelScriptBuilder::BuildConnectCode(bool preview)
{
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& actions = script->GetActions();
    EmitCall(actions, "kvCalc");
    AppendInitCalls(actions, preview);
    base_.SetFrameScript(std::move(script));
}

void CModelScriptBuilder::BuildFrameScript(bool preview, std::vector<CActionList> after, bool stopAtEnd)
{
    std::vector<CActionList> statements;
    AppendInitCalls(statements.emplace_back(), preview);
    for (CActionList& statement : after)
        statements.push_back(std::move(statement));
    ActionEmitter(statements.emplace_back()).Op(stopAtEnd ? ActionCode::Stop : ActionCode::Play);
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& actions = script->GetActions();
    // Only the size of a function body matters here: the statements run once, and the
    // calculation they follow is what is spread over frames.
    publish::ChunkLimits limits;
    limits.entries = limits.calls;
    DefineChunkedFunctions(
        actions, "kvAfterFirstCalc", statements.size(),
        [&](std::size_t i, CActionList& list) { list.Append(std::move(statements[i])); },
        [&](std::size_t i) { return "Statement " + std::to_string(i + 1) + " of the first frame's script"; },
        limits);
    EmitCall(actions, "kvFirstCalc");
    base_.SetFrameScript(std::move(script));
}

void CModelScriptBuilder::AppendInitCalls(CActionList& actions, bool preview) const
{
    const CExportSettings& settings = base_.GetExportSettings();
    EmitCall(actions, "kvInitModel");
    if (!preview && settings.collaboration) {
        ActionEmitter(actions)
            .Get("this")
            .Str("nc")
            .Op(ActionCode::GetMember)
            .Str("targetURI")
            .Str(settings.gatewayUrl)
            .Op(ActionCode::SetMember);
        if (settings.connectionMethod != ConnectionMethod::LoginComponent)
            ActionEmitter(actions)
                .Str(settings.password)
                .Str("")
                .Int(2)
                .Get("this")
                .Str("nc")
                .Op(ActionCode::GetMember)
                .Str("myConnect")
                .Op(ActionCode::CallMethod)
                .Op(ActionCode::Pop);
    }
}

void CModelScriptBuilder::BuildModelCode(std::span<CComponent* const> components, bool preview)
{
    // The init code of an earlier build goes now: a build that fails leaves none behind.
    base_.SetInitCode(nullptr);
    auto initCode = std::make_unique<CInitCodeTag>();
    CActionList& actions = initCode->GetActions();
    ActionEmitter emit(actions);
    const bool connected = base_.HasDataConnection(preview);
    const CBaseMovie::ExportFlags& flags = base_.GetExportFlags();
    const CExportSettings& settings = base_.GetExportSettings();
    const CModelNetwork& network = base_.GetNetwork();

    if (!connected) {
        WriteRangeArrays(actions);
        WriteDataTable(actions);
        WriteCalcFunctions(actions);
    }

    std::vector<const CBindingLink*> links;
    for (const std::vector<CBindingLink*>* list : {&base_.GetConstantLinks(), &base_.GetFormulaLinks()})
        for (const CBindingLink* link : *list)
            if (link->CarriesValue())
                links.push_back(link);
    DefineChunkedFunctions(
        actions, "kvInitModel", links.size(),
        [&](std::size_t i, CActionList& list) { links[i]->EmitActions(list); },
        [&](std::size_t i) {
            return "The link of " + links[i]->GetOwnerName() + " to " + links[i]->GetModelVariableName();
        });

    for (const auto& [name, value] : base_.GetCellModel().GetNamedValues())
        emit.Str(name).Str(value).Op(ActionCode::SetVariable);

    emit.Str("INP");
    for (const auto& [id, node] : network.BoundConstants())
        emit.Str(CellVariableName(id));
    emit.Int(static_cast<int32_t>(network.BoundConstants().size()))
        .Op(ActionCode::InitArray)
        .Op(ActionCode::SetVariable);

    // A movie exported with the values of another workbook starts from that workbook's values
    // of the published ranges: they are read into the value records, and the initial values
    // are written as a snapshot of them.
    const bool otherFile = flags.otherFile;
    if (otherFile) {
        base_.GetValueMap().ClearMarks();
        base_.LoadExternalValues();
    }
    if (!connected)
        WriteValues(actions, flags.snapshot || otherFile);

    if (flags.exporting) {
        const std::function<std::string()>& source = base_.GetGuidSource();
        const std::string guid = source ? source() : RandomGuid();
        emit.Str("GUID").Str(guid).Op(ActionCode::SetVariable);
    }

    if (connected) {
        ExportSeriesArrays(components, actions);
        if (flags.webService)
            EmitCall(actions, "xmlToModel");
        EmitCall(actions, "initStaticDataSources");
        if (flags.webService && settings.sampleQuery) {
            const std::string stem = WithoutExtension(base_.GetOutputPath());
            const bool text = !settings.edited;
            base_.SetOutputPath(stem + (text ? ".txt" : ".xml"));
            const std::string& path = base_.GetOutputPath();
            if (!(text ? WriteTextData(path) : WriteXmlData(path)))
                throw std::runtime_error("Cannot write the sample data file \"" + path + "\".");
        }
    }
    base_.SetInitCode(std::move(initCode));
}

void WriteRangeArrays(const CVariableTable& table, CActionList& actions, const std::vector<bool>* computed,
                      const CCellModel* cells)
{
    EmitRangeClass(actions);

    // The bands: one per sheet and column span of the stored areas, reaching from the least
    // first row to the greatest last row of the areas over those columns. Ranges mostly fall
    // in the band of the range before (a running total's all do): it is tried first.
    std::map<std::tuple<std::string, int, int>, std::size_t> bandOf;
    std::vector<RangeBand> bands;
    std::size_t lastBand = 0;
    auto findBand = [&](const CRangeArea& area) -> std::size_t {
        if (lastBand < bands.size()) {
            const RangeBand& band = bands[lastBand];
            if (band.left == area.start.column && band.right == area.end.column && band.sheet == area.start.sheet)
                return lastBand;
        }
        auto [at, added] =
            bandOf.emplace(std::make_tuple(area.start.sheet, area.start.column, area.end.column), bands.size());
        if (added) {
            RangeBand& band = bands.emplace_back();
            band.sheet = area.start.sheet;
            band.left = area.start.column;
            band.right = area.end.column;
            band.top = area.start.row;
            band.bottom = area.end.row;
        }
        lastBand = at->second;
        return lastBand;
    };
    for (std::size_t i = 0; i < table.GetRangeCount(); ++i) {
        const CRange* range = table.GetRange(i);
        if (!range)
            continue;
        for (const CRangeArea& area : range->GetAreas()) {
            RangeBand& band = bands[findBand(area)];
            band.top = std::min(band.top, area.start.row);
            band.bottom = std::max(band.bottom, area.end.row);
        }
    }

    // The table's cells in each band, in reading order: an area may span a million rows of
    // which a handful are used.
    for (RangeBand& band : bands) {
        for (const auto& place : table.GetNumberedPlaces(band.sheet, band.top, band.left, band.bottom, band.right))
            band.cells.emplace_back(place.row - band.top, place.column - band.left, place.id);
        for (const auto& [row, column, id] : band.cells)
            if (band.usedRows.empty() || band.usedRows.back() != row)
                band.usedRows.push_back(row);
        if (!cells)
            continue;
        // only the rows holding a variable: a row without one adds nothing to a total
        const CCellModel::RowRuns hidden = cells->GetHiddenRows(band.sheet);
        auto run = hidden.begin();
        for (int row : band.usedRows) {
            const int place = band.top + row;
            while (run != hidden.end() && run->second < place)
                ++run;
            if (run == hidden.end())
                break;
            if (run->first <= place)
                band.hiddenRows.push_back(row);
        }
    }

    // Written as bytes as they are made: a large workbook has a range for every row.
    swf::Writer bytes;
    ActionEmitter emit(bytes);
    emit.JoinPushes();
    for (std::size_t k = 0; k < bands.size(); ++k)
        EmitBand(emit, BandName(k), bands[k], computed);

    for (std::size_t i = 0; i < table.GetRangeCount(); ++i) {
        const CRange* range = table.GetRange(i);
        if (!range)
            continue;
        const std::vector<CRangeArea>& areas = range->GetAreas();
        emit.Str(RangeArrayName(static_cast<int32_t>(i)));
        if (areas.size() == 1) {
            const CRangeArea& area = areas.front();
            const std::size_t k = findBand(area);
            emit.Int(area.Columns()).Int(area.Rows()).Int(area.start.row - bands[k].top).Get(BandName(k));
        } else {
            // The rows of the areas one after another, made at run time from the bands' rows:
            // only rows holding a variable are set. The widest area gives the columns, so no
            // cell of a wider area is left out.
            int rows = 0;
            int width = 0;
            for (const CRangeArea& area : areas) {
                rows += area.Rows();
                width = std::max(width, area.Columns());
            }
            emit.Int(width).Int(rows).Int(0).New("Array");
            int base = 0;
            for (const CRangeArea& area : areas) {
                const std::size_t k = findBand(area);
                const std::vector<int>& used = bands[k].usedRows;
                const int first = area.start.row - bands[k].top;
                for (auto it = std::lower_bound(used.begin(), used.end(), first);
                     it != used.end() && *it < first + area.Rows(); ++it)
                    emit.Op(ActionCode::PushDuplicate)
                        .Int(base + *it - first)
                        .Get(BandName(k))
                        .Int(*it)
                        .Op(ActionCode::GetMember)
                        .Op(ActionCode::SetMember);
                base += area.Rows();
            }
        }
        emit.Int(4).Str("kvRangeC").Op(ActionCode::NewObject).Op(ActionCode::SetVariable);
    }
    if (bytes.Size() > 0)
        actions.Add(std::make_unique<CActionBytes>(bytes.Take()));
}

void CModelScriptBuilder::WriteRangeArrays(CActionList& actions)
{
    // What the calculation writes: the formulas of its order and the cells of the circles
    // it repeats.
    const CModelNetwork& network = base_.GetNetwork();
    std::vector<bool> computed;
    auto mark = [&computed](int32_t id) {
        if (id < 0)
            return;
        if (computed.size() <= static_cast<std::size_t>(id))
            computed.resize(static_cast<std::size_t>(id) + 1);
        computed[static_cast<std::size_t>(id)] = true;
    };
    for (const CFormulaNode* node : network.GetEvaluationOrder())
        mark(node->GetCellId());
    for (int32_t id : network.IteratedCells())
        mark(id);
    ::WriteRangeArrays(base_.GetVariableTable(), actions, &computed, &base_.GetCellModel());
}

void CModelScriptBuilder::WriteDataTable(CActionList& actions)
{
    ActionEmitter emit(actions);
    emit.Str("DAT").New("Array").Op(ActionCode::SetVariable);
    for (const CRangeEntry& entry : base_.GetRangeEntries())
        if (entry.rangeIndex >= 0)
            emit.Get("DAT")
                .Str(entry.name)
                .Get(RangeArrayName(entry.rangeIndex))
                .Op(ActionCode::SetMember);
}

namespace {

// A formula's cell as the user knows it, with the variable the movie gives it, for errors.
std::string FormulaPlace(const CVariableTable& table, std::int32_t cellId)
{
    std::optional<CCellRef> cell = cellId >= 0 ? table.GetCellAt(static_cast<std::size_t>(cellId)) : std::nullopt;
    if (!cell)
        return "The formula of " + CellVariableName(cellId);
    return "The formula in " + cell->sheet + "!" + cell->GetShortText() + " (" + CellVariableName(cellId) + ")";
}

} // namespace

void CModelScriptBuilder::WriteCalcFunctions(CActionList& actions)
{
    const std::vector<CFormulaNode*>& order = base_.GetNetwork().GetEvaluationOrder();
    const CVariableTable& table = base_.GetVariableTable();
    // Writing a formula's actions reads its compiled tree and changes nothing: the formulas
    // of a large model are written on every processor.
    // A formula's code has no branch: its pushes go out joined.
    publish::ChunkLimits limits;
    limits.threads = 0;
    limits.joinPushes = true;
    DefineChunkedFunctions(
        actions, "kvCalc", order.size(),
        [&](std::size_t i, CActionList& list) { order[i]->WriteVariableAction(list); },
        [&](std::size_t i) { return FormulaPlace(table, order[i]->GetCellId()); }, limits);
    WriteIterationSettings(base_.GetNetwork(), actions);
    publish::ChunkLimits inputLimits;
    inputLimits.joinPushes = true;
    for (const InputCalculation& input : InputCalculations(base_.GetNetwork()))
        DefineChunkedFunctions(
            actions, InputCalcFunctionName(input.cellId), input.formulas.size(),
            [&](std::size_t i, CActionList& list) { input.formulas[i]->WriteVariableAction(list); },
            [&](std::size_t i) { return FormulaPlace(table, input.formulas[i]->GetCellId()); }, inputLimits);
    // The manager runs kvCalcPlace again after a calculation while a cell of kvPlaceCells
    // changed during it, at most kvPlaceMax times.
    const PlaceSettling settling = PlaceSettlingOf(base_.GetNetwork(), table);
    if (settling.fetchable.empty())
        return;
    DefineChunkedFunctions(
        actions, "kvCalcPlace", settling.formulas.size(),
        [&](std::size_t i, CActionList& list) { settling.formulas[i]->WriteVariableAction(list); },
        [&](std::size_t i) { return FormulaPlace(table, settling.formulas[i]->GetCellId()); }, inputLimits);
    std::string names;
    for (int32_t id : settling.fetchable)
        names += (names.empty() ? "" : " ") + CellVariableName(id);
    ActionEmitter(actions)
        .Str("kvPlaceCells")
        .Str(names)
        .Op(ActionCode::SetVariable)
        .Str("kvPlaceMax")
        .Int(settling.passes)
        .Op(ActionCode::SetVariable);
}

void WriteIterationSettings(const CModelNetwork& network, CActionList& actions)
{
    const std::vector<int32_t>& cells = network.IteratedCells();
    if (cells.empty())
        return;
    std::string names;
    for (int32_t id : cells)
        names += (names.empty() ? "" : " ") + CellVariableName(id);
    const IterationSettings& settings = network.GetIteration();
    swf::ActionEmitter emit(actions);
    emit.Str("kvIterCells").Str(names).Op(swf::ActionCode::SetVariable);
    emit.Str("kvIterCount").Int(std::max(settings.count, 1)).Op(swf::ActionCode::SetVariable);
    emit.Str("kvIterDelta").Dbl(settings.maxChange).Op(swf::ActionCode::SetVariable);
}

std::string InputCalcFunctionName(int32_t cellId)
{
    // The "x" ends the id: no numbered part of one input's function ("kvCalcIn12x1") is the
    // name of another's ("kvCalcIn121x").
    return "kvCalcIn" + std::to_string(cellId) + "x";
}

namespace {

// The functions whose value changes without any cell they read changing: a model calling one is
// recalculated whole after every change, as the spreadsheet does. This is the one list of them.
// KVREF is kvRef, a reference read by place (CELL's, ":" between calls, INDEX inside ROW),
// whose cells the network does not link: names compare in capitals.
constexpr std::string_view kVolatileFunctions[] = {"CELL", "INDIRECT",    "INFO",  "KVREF", "NOW",
                                                   "OFFSET", "RAND", "RANDBETWEEN", "TODAY"};

bool IsVolatileFunction(const std::string& name)
{
    return std::any_of(std::begin(kVolatileFunctions), std::end(kVolatileFunctions), [&](std::string_view known) {
        return known.size() == name.size() &&
               std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                   return a == std::toupper(static_cast<unsigned char>(b));
               });
    });
}

// Whether the compiled formula calls one of them anywhere: the calls of the tree, not its text,
// so a text constant or a sheet name spelling "NOW(" is no call.
bool CallsVolatileFunction(const CCompiledExpr& expression)
{
    std::vector<const CExprNode*> pending{&expression.GetRoot()};
    while (!pending.empty()) {
        const CExprNode* node = pending.back();
        pending.pop_back();
        if (const auto* call = dynamic_cast<const CStringNode*>(node); call && IsVolatileFunction(call->GetText()))
            return true;
        for (std::size_t i = 0; i < node->GetChildCount(); ++i)
            pending.push_back(&node->GetChild(i));
    }
    return false;
}

// The places in the calculation's order of the given formulas and of all that read them,
// directly, through other formulas or through the ranges they are in, ascending.
std::vector<std::size_t> DependentPositions(const std::vector<const CFormulaNode*>& roots,
                                            const std::unordered_map<const CFormulaNode*, std::size_t>& place)
{
    std::vector<std::size_t> positions;
    std::unordered_set<const CFormulaNode*> seen(roots.begin(), roots.end());
    std::vector<const CFormulaNode*> pending(roots.begin(), roots.end());
    while (!pending.empty()) {
        const CFormulaNode* node = pending.back();
        pending.pop_back();
        if (auto found = place.find(node); found != place.end())
            positions.push_back(found->second);
        for (const CFormulaNode* dependent : node->GetDependents())
            if (seen.insert(dependent).second)
                pending.push_back(dependent);
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace

std::vector<InputCalculation> InputCalculations(const CModelNetwork& network)
{
    const std::vector<CFormulaNode*>& order = network.GetEvaluationOrder();
    if (network.BoundConstants().empty() || order.empty() || !network.GetProblems().cycles.empty())
        return {};
    std::unordered_map<const CFormulaNode*, std::size_t> place;
    place.reserve(order.size());
    std::vector<const CFormulaNode*> volatileCells;
    for (std::size_t i = 0; i < order.size(); ++i) {
        place.emplace(order[i], i);
        if (const CCompiledExpr* expression = order[i]->GetExpression(); expression && CallsVolatileFunction(*expression))
            volatileCells.push_back(order[i]);
    }
    // A cell whose value changes by itself is recalculated after a change of any input, with
    // everything that reads it, as the spreadsheet does.
    const std::vector<std::size_t> changing = DependentPositions(volatileCells, place);
    std::vector<InputCalculation> inputs;
    for (const auto& [id, node] : network.BoundConstants()) {
        InputCalculation& input = inputs.emplace_back();
        input.cellId = id;
        // What the full calculation computes of the input's dependents, in its order.
        std::vector<std::size_t> positions = changing;
        for (const CFormulaNode* dependent : static_cast<const CConstantCellNode&>(*node).GetRecalcList())
            if (auto found = place.find(dependent); found != place.end())
                positions.push_back(found->second);
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        for (std::size_t position : positions)
            input.formulas.push_back(order[position]);
    }
    // Each input's function repeats its dependents' code: within twice the formulas of the
    // model (and some room for small models), the inputs with the fewest dependents get one;
    // a change of any other input recalculates everything.
    std::stable_sort(inputs.begin(), inputs.end(), [](const InputCalculation& a, const InputCalculation& b) {
        return a.formulas.size() < b.formulas.size();
    });
    const std::size_t budget = 2 * order.size() + 1000;
    std::size_t used = 0, kept = 0;
    while (kept < inputs.size() && used + inputs[kept].formulas.size() <= budget)
        used += inputs[kept++].formulas.size();
    inputs.resize(kept);
    std::erase_if(inputs, [](const InputCalculation& input) { return input.formulas.empty(); });
    std::sort(inputs.begin(), inputs.end(),
              [](const InputCalculation& a, const InputCalculation& b) { return a.cellId < b.cellId; });
    return inputs;
}

PlaceSettling PlaceSettlingOf(const CModelNetwork& network, const CVariableTable& table)
{
    const std::vector<const CFormulaNode*> readers = network.ByPlaceReaders();
    if (readers.empty())
        return {};
    // The sheets the readers reach through the views of whole sheets they are given.
    std::set<std::string> sheets;
    for (const CFormulaNode* reader : readers) {
        std::vector<int32_t> cells;
        std::vector<int> ranges, views;
        CollectCompiledReferences(*reader->GetExpression(), cells, ranges, &views);
        for (int index : views)
            if (const CRange* view = table.GetRange(static_cast<std::size_t>(index)))
                for (const CRangeArea& area : view->GetAreas())
                    sheets.insert(area.start.sheet);
    }
    const std::vector<CFormulaNode*>& order = network.GetEvaluationOrder();
    std::unordered_map<const CFormulaNode*, std::size_t> place;
    place.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        place.emplace(order[i], i);
    PlaceSettling settling;
    for (std::size_t position : DependentPositions(readers, place)) {
        const CFormulaNode* node = order[position];
        settling.formulas.push_back(node);
        const int32_t id = node->GetCellId();
        if (std::optional<CCellRef> cell =
                id >= 0 ? table.GetCellAt(static_cast<std::size_t>(id)) : std::nullopt;
            cell && sheets.count(cell->sheet))
            settling.fetchable.push_back(id);
    }
    if (settling.fetchable.empty())
        return {};
    // Every pass settles at least one more fetch of a chain of them, and a chain longer than a
    // hundred fetches is taken for a circle.
    settling.passes = static_cast<int>(std::min<std::size_t>(readers.size(), 100)) + 1;
    return settling;
}

void CModelScriptBuilder::WriteInitialValues(CActionList& actions)
{
    WriteValues(actions, base_.GetExportFlags().snapshot);
}

void CModelScriptBuilder::WriteValues(CActionList& actions, bool snapshot) const
{
    // Values written straight as bytes are handed on in runs of about this size.
    constexpr std::size_t kDirectBytes = 64 << 10;
    const CModelNetwork& network = base_.GetNetwork();
    CCellValueMap& values = base_.GetValueMap();
    // A value for every constant cell: plain values are written straight as bytes, the names
    // and values of a run in joined pushes and then a SetVariable for each (the player takes
    // them off its stack last first); anything else is kept as bytes a batch at a time, after
    // the run before it.
    swf::ActionBytesBatch batch(actions);
    swf::Writer bytes;
    ActionEmitter direct(bytes);
    direct.JoinPushes();
    std::size_t pushed = 0;
    auto keepBytes = [&] {
        for (; pushed > 0; --pushed)
            direct.Op(ActionCode::SetVariable);
        if (bytes.Size() > 0)
            batch.List().Add(std::make_unique<CActionBytes>(bytes.Take()));
    };
    for (const CModelNetwork::NodeMap* nodes : {&network.BoundConstants(), &network.PlainConstants()}) {
        for (const auto& [id, node] : *nodes) {
            const CCellValueRecord* record = snapshot ? values.Find(id) : nullptr;
            if (!record && node->WriteValuePushes(direct)) {
                ++pushed;
                if (bytes.Size() >= kDirectBytes) {
                    keepBytes();
                    batch.Step();
                }
                continue;
            }
            keepBytes();
            // An error constant is a call of the error function, which a snapshot cannot hold.
            if (record && !(record->GetValue() && record->GetValue()->GetKind() == ModelKind::Function))
                WriteSnapshotValue(record->GetValue(), batch.List(), id);
            else
                node->WriteVariableAction(batch.List());
            batch.Step();
        }
    }
    keepBytes();
    batch.Finish();
}

void CModelScriptBuilder::WriteSnapshotValue(const CModelVariable* value, CActionList& actions, int32_t cellId)
{
    ActionEmitter emit(actions);
    emit.Str(CellVariableName(cellId));
    switch (value ? value->GetKind() : ModelKind::NoValue) {
    case ModelKind::String:
        emit.Str(value->GetText());
        break;
    case ModelKind::Boolean:
        emit.Bool(value->GetBoolean());
        break;
    case ModelKind::Number:
    case ModelKind::Integer:
        emit.Dbl(value->GetNumber());
        break;
    default:
        // Anything else has no value a cell could hold; the assignment still needs one.
        emit.Undefined();
        break;
    }
    emit.Op(ActionCode::SetVariable);
}

// The sample data of the base movie's model.

namespace {

const CValueNode* ConstantValue(const CFormulaNode& node)
{
    const CCompiledExpr* expression = node.GetExpression();
    return expression ? dynamic_cast<const CValueNode*>(&expression->GetRoot()) : nullptr;
}

} // namespace

bool CModelScriptBuilder::WriteTextData(const std::filesystem::path& path) const
{
    const CModelNetwork& network = base_.GetNetwork();
    std::vector<TextDataValue> values;
    for (const CModelNetwork::NodeMap* nodes : {&network.BoundConstants(), &network.PlainConstants()})
        for (const auto& [id, node] : *nodes)
            values.push_back({id, ConstantValue(*node)});
    return WriteDataFile(path, FormatTextData(values), base_.GetOutputBatch());
}

bool CModelScriptBuilder::WriteXmlData(const std::filesystem::path& path) const
{
    std::vector<XmlDataVariable> variables;
    for (const CRangeEntry& entry : base_.GetRangeEntries()) {
        if (entry.rangeIndex < 0)
            continue;
        XmlDataVariable& variable = variables.emplace_back();
        variable.name = entry.name;
        // An entry naming a range the table does not hold keeps its name and gets no rows.
        if (const CRange* range = base_.GetVariableTable().GetRange(static_cast<std::size_t>(entry.rangeIndex)))
            variable.rows = ReadRangeRows(*range, base_.GetCellModel());
    }
    return WriteDataFile(path, FormatXmlData(variables), base_.GetOutputBatch());
}
