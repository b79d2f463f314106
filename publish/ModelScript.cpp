// The model code of a published movie: the spreadsheet as "V" variables, range arrays and the
// functions that recalculate and connect it, written into the base movie's init code and first
// frame script.

#include "publish/ModelScript.h"

#include "model/BindingLink.h"
#include "model/TextUtil.h"
#include "publish/ChunkedFunctions.h"
#include "publish/ExportSettings.h"
#include "publish/StaticDataTable.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfWriter.h"

#include <cstdio>
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

void CBaseMovie::BuildConnectCode(bool preview)
{
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& actions = script->GetActions();
    EmitCall(actions, "kvCalc");
    EmitCall(actions, "kvInitModel");
    if (!preview && settings_->collaboration) {
        ActionEmitter(actions)
            .Get("this")
            .Str("nc")
            .Op(ActionCode::GetMember)
            .Str("targetURI")
            .Str(settings_->gatewayUrl)
            .Op(ActionCode::SetMember);
        if (settings_->connectionMethod != ConnectionMethod::LoginComponent)
            ActionEmitter(actions)
                .Str(settings_->password)
                .Str("")
                .Int(2)
                .Get("this")
                .Str("nc")
                .Op(ActionCode::GetMember)
                .Str("myConnect")
                .Op(ActionCode::CallMethod)
                .Op(ActionCode::Pop);
    }
    SetFrameScript(std::move(script));
}

void CBaseMovie::BuildModelCode(std::span<CComponent* const> components, bool preview)
{
    initCode_ = std::make_unique<CInitCodeTag>();
    CActionList& actions = initCode_->GetActions();
    ActionEmitter emit(actions);
    const bool connected = HasDataConnection(preview);

    if (!connected) {
        WriteRangeArrays(actions);
        WriteDataTable(actions);
        WriteCalcFunctions(actions);
    }

    std::vector<const CBindingLink*> links;
    for (const std::vector<CBindingLink*>* list : {&constantLinks_, &formulaLinks_})
        for (const CBindingLink* link : *list)
            if (link->CarriesValue())
                links.push_back(link);
    DefineChunkedFunctions(
        actions, "kvInitModel", links.size(),
        [&](std::size_t i, CActionList& list) { links[i]->EmitActions(list); },
        [&](std::size_t i) {
            return "The link of " + links[i]->GetOwnerName() + " to " + links[i]->GetModelVariableName();
        });

    for (const auto& [name, value] : cellModel1_->GetNamedValues())
        emit.Str(name).Str(value).Op(ActionCode::SetVariable);

    emit.Str("INP");
    for (const auto& [id, node] : network_.BoundConstants())
        emit.Str(CellVariableName(id));
    emit.Int(static_cast<int32_t>(network_.BoundConstants().size()))
        .Op(ActionCode::InitArray)
        .Op(ActionCode::SetVariable);

    const bool otherFile = exportFlags_.otherFile;
    if (otherFile) {
        values_->ClearMarks();
        LoadExternalValues();
        exportFlags_.snapshot = true;
    }
    if (!connected)
        WriteInitialValues(actions);
    if (otherFile)
        exportFlags_.snapshot = false;

    if (exportFlags_.exporting) {
        const std::string guid = guidSource_ ? guidSource_() : RandomGuid();
        emit.Str("GUID").Str(guid).Op(ActionCode::SetVariable);
    }

    if (connected) {
        ExportSeriesArrays(components, actions);
        if (exportFlags_.webService)
            EmitCall(actions, "xmlToModel");
        EmitCall(actions, "initStaticDataSources");
        if (exportFlags_.webService && settings_->sampleQuery) {
            const std::string stem = WithoutExtension(outputPath_);
            const bool text = !settings_->edited;
            outputPath_ = stem + (text ? ".txt" : ".xml");
            if (!(text ? WriteTextData(outputPath_) : WriteXmlData(outputPath_)))
                throw std::runtime_error("Cannot write the sample data file \"" + outputPath_ + "\".");
        }
    }
}

void WriteRangeArrays(const CVariableTable& table, CActionList& actions)
{
    for (std::size_t i = 0; i < table.GetRangeCount(); ++i)
        if (const CRange* range = table.GetRange(i))
            EmitRangeArray(actions, static_cast<int>(i), *range, table);
}

void CBaseMovie::WriteRangeArrays(CActionList& actions) const
{
    ::WriteRangeArrays(*table_, actions);
}

void CBaseMovie::WriteDataTable(CActionList& actions) const
{
    ActionEmitter emit(actions);
    emit.Str("DAT").New("Array").Op(ActionCode::SetVariable);
    for (const CRangeEntry& entry : rangeEntries_)
        if (entry.rangeIndex >= 0)
            emit.Get("DAT")
                .Str(entry.name)
                .Get(RangeArrayName(entry.rangeIndex))
                .Op(ActionCode::SetMember);
}

void CBaseMovie::WriteCalcFunctions(CActionList& actions) const
{
    const std::vector<CFormulaNode*>& order = network_.GetEvaluationOrder();
    DefineChunkedFunctions(
        actions, "kvCalc", order.size(),
        [&](std::size_t i, CActionList& list) { order[i]->WriteVariableAction(list); },
        [&](std::size_t i) { return "The formula of " + CellVariableName(order[i]->GetCellId()); });
}

void CBaseMovie::WriteInitialValues(CActionList& actions)
{
    for (const CModelNetwork::NodeMap* nodes : {&network_.BoundConstants(), &network_.PlainConstants()}) {
        for (const auto& [id, node] : *nodes) {
            const CCellValueRecord* record = exportFlags_.snapshot ? values_->Find(id) : nullptr;
            if (record)
                WriteSnapshotValue(record->GetValue(), actions, id);
            else
                node->WriteVariableAction(actions);
        }
    }
}

void CBaseMovie::WriteSnapshotValue(const CModelVariable* value, CActionList& actions, int32_t cellId)
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
