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
#include <functional>
#include <unordered_map>
#include <random>
#include <stdexcept>

using swf::ActionCode;
using swf::ActionEmitter;

namespace {

// name() as a statement: Push 0, Push name, CallFunction, Pop.
void EmitCall(CActionList& actions, const std::string& name)
{
    publish::detail::EmitCall(actions, name);
}

using publish::DefineChunkedFunctions;

// "A"<index> = the rows of the range, each an array of the names of its cells' variables, in
// reading order. The rows of a range of several areas follow one another, each area's rows
// made of that area's own cells.
void EmitRangeArray(CActionList& actions, int index, const CRange& range, const CVariableTable& table)
{
    ActionEmitter emit(actions);
    emit.Str(RangeArrayName(index));
    int totalRows = 0;
    // InitArray takes its first element from the last push: areas, rows and columns go last
    // to first.
    for (std::size_t area = range.GetAreaCount(); area-- > 0;) {
        int rows = 0, columns = 0;
        if (!range.GetAreaSize(area, rows, columns))
            continue;
        for (int row = rows - 1; row >= 0; --row) {
            for (int column = columns - 1; column >= 0; --column) {
                CCellRef cell;
                if (!range.GetCells(area, row, column, cell))
                    throw std::runtime_error("range " + range.GetText() + " lacks a cell of its area");
                // Every cell of a range the table holds is in its cell list; should one not be,
                // an undefined element reads as an empty cell.
                const int32_t id = table.FindCell(cell.sheet, cell.row, cell.column);
                if (id >= 0)
                    emit.Str(CellVariableName(id));
                else
                    emit.Undefined();
            }
            emit.Int(columns).Op(ActionCode::InitArray);
        }
        totalRows += rows;
    }
    emit.Int(totalRows).Op(ActionCode::InitArray).Op(ActionCode::SetVariable);
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
    const CExportSettings& settings = base_.GetExportSettings();
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& actions = script->GetActions();
    EmitCall(actions, "kvCalc");
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
    base_.SetFrameScript(std::move(script));
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

void WriteRangeArrays(const CVariableTable& table, CActionList& actions)
{
    for (std::size_t i = 0; i < table.GetRangeCount(); ++i)
        if (const CRange* range = table.GetRange(i))
            EmitRangeArray(actions, static_cast<int>(i), *range, table);
}

void CModelScriptBuilder::WriteRangeArrays(CActionList& actions)
{
    ::WriteRangeArrays(base_.GetVariableTable(), actions);
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

void CModelScriptBuilder::WriteCalcFunctions(CActionList& actions)
{
    const std::vector<CFormulaNode*>& order = base_.GetNetwork().GetEvaluationOrder();
    // Writing a formula's actions reads its compiled tree and changes nothing: the formulas
    // of a large model are written on every processor.
    publish::ChunkLimits limits;
    limits.threads = 0;
    DefineChunkedFunctions(
        actions, "kvCalc", order.size(),
        [&](std::size_t i, CActionList& list) { order[i]->WriteVariableAction(list); },
        [&](std::size_t i) { return "The formula of " + CellVariableName(order[i]->GetCellId()); }, limits);
    for (const InputCalculation& input : InputCalculations(base_.GetNetwork(), base_.GetVariableTable(),
                                                           base_.GetCellModel()))
        DefineChunkedFunctions(
            actions, InputCalcFunctionName(input.cellId), input.formulas.size(),
            [&](std::size_t i, CActionList& list) { input.formulas[i]->WriteVariableAction(list); },
            [&](std::size_t i) { return "The formula of " + CellVariableName(input.formulas[i]->GetCellId()); });
}

std::string InputCalcFunctionName(int32_t cellId)
{
    // The "x" ends the id: no numbered part of one input's function ("kvCalcIn12x1") is the
    // name of another's ("kvCalcIn121x").
    return "kvCalcIn" + std::to_string(cellId) + "x";
}

namespace {

// Functions whose value changes without any cell they read changing: a model calling one is
// recalculated whole after every change, as the spreadsheet does.
bool CallsVolatileFunction(const std::string& formula)
{
    std::string upper = formula;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* name : {"NOW(", "TODAY(", "RAND(", "RANDBETWEEN(", "OFFSET(", "INDIRECT(", "CELL(", "INFO("})
        if (upper.find(name) != std::string::npos)
            return true;
    return false;
}

} // namespace

std::vector<InputCalculation> InputCalculations(const CModelNetwork& network, const CVariableTable& table,
                                                const CCellModel& cells)
{
    const std::vector<CFormulaNode*>& order = network.GetEvaluationOrder();
    if (network.BoundConstants().empty() || order.empty() || !network.GetProblems().cycles.empty())
        return {};
    std::unordered_map<const CFormulaNode*, std::size_t> place;
    place.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        place.emplace(order[i], i);
        const std::optional<CCellRef> cell = table.GetCellAt(static_cast<std::size_t>(order[i]->GetCellId()));
        const std::optional<CCellData> data =
            cell ? cells.GetCell(cell->sheet, cell->row, cell->column) : std::nullopt;
        if (data && CallsVolatileFunction(data->formula))
            return {};
    }
    std::vector<InputCalculation> inputs;
    for (const auto& [id, node] : network.BoundConstants()) {
        InputCalculation& input = inputs.emplace_back();
        input.cellId = id;
        // What the full calculation computes of the input's dependents, in its order.
        std::vector<std::size_t> positions;
        for (const CFormulaNode* dependent : static_cast<const CConstantCellNode&>(*node).GetRecalcList())
            if (auto found = place.find(dependent); found != place.end())
                positions.push_back(found->second);
        std::sort(positions.begin(), positions.end());
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

void CModelScriptBuilder::WriteInitialValues(CActionList& actions)
{
    WriteValues(actions, base_.GetExportFlags().snapshot);
}

void CModelScriptBuilder::WriteValues(CActionList& actions, bool snapshot) const
{
    const CModelNetwork& network = base_.GetNetwork();
    CCellValueMap& values = base_.GetValueMap();
    // A value for every constant cell: kept as bytes, a batch at a time.
    swf::ActionBytesBatch batch(actions);
    for (const CModelNetwork::NodeMap* nodes : {&network.BoundConstants(), &network.PlainConstants()}) {
        for (const auto& [id, node] : *nodes) {
            const CCellValueRecord* record = snapshot ? values.Find(id) : nullptr;
            if (record)
                WriteSnapshotValue(record->GetValue(), batch.List(), id);
            else
                node->WriteVariableAction(batch.List());
            batch.Step();
        }
    }
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
