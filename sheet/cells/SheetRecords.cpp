#include "sheet/cells/SheetRecords.h"

#include "base/ModelError.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace sheetrec {

namespace {

// Expression nodes in the order of the compiled tree, written parent first.
enum class ExprTag : uint8_t { Call = 0, Value = 1, Cell = 2, Range = 3 };

// The areas of array formulas travel as defined names that no workbook can write (a name
// holds no brace): "{array}Sheet1!R3C2:R5C3". A reader that knows nothing of them keeps a
// name that no formula uses; the cells of the area hold the formula's text each.
constexpr std::string_view kArrayAreaMark = "{array}";

struct ArrayArea {
    std::string sheet;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

std::string ArrayAreaName(const ArrayArea& area)
{
    return std::string(kArrayAreaMark) + area.sheet + "!R" + std::to_string(area.top) + "C" +
           std::to_string(area.left) + ":R" + std::to_string(area.bottom) + "C" + std::to_string(area.right);
}

// The place a marked name ends with, read without overflow.
struct PlaceText {
    const char* at;
    const char* last;

    bool Expect(char mark) { return at < last && *at++ == mark; }
    bool Number(int& out)
    {
        const auto [next, error] = std::from_chars(at, last, out);
        at = next;
        return error == std::errc();
    }
    bool Done() const { return at == last; }
};

// The sheet of a name that starts with mark and the place after its last '!'; none for any
// other name.
std::optional<std::pair<std::string, PlaceText>> SplitMarkedName(const std::string& name, std::string_view mark)
{
    if (name.rfind(mark, 0) != 0)
        return std::nullopt;
    const std::size_t bang = name.rfind('!');
    if (bang == std::string::npos || bang < mark.size())
        return std::nullopt;
    return std::make_pair(name.substr(mark.size(), bang - mark.size()),
                          PlaceText{name.data() + bang + 1, name.data() + name.size()});
}

// The area a name of ArrayAreaName's form stands for; none for any other name.
std::optional<ArrayArea> ReadArrayAreaName(const std::string& name)
{
    auto split = SplitMarkedName(name, kArrayAreaMark);
    if (!split)
        return std::nullopt;
    ArrayArea area;
    area.sheet = std::move(split->first);
    // R<top>C<left>:R<bottom>C<right>
    PlaceText& text = split->second;
    if (!text.Expect('R') || !text.Number(area.top) || !text.Expect('C') || !text.Number(area.left) ||
        !text.Expect(':') || !text.Expect('R') || !text.Number(area.bottom) || !text.Expect('C') ||
        !text.Number(area.right) || !text.Done())
        return std::nullopt;
    if (area.top < 1 || area.left < 1 || area.bottom < area.top || area.right < area.left ||
        area.bottom > kMaxSheetRow || area.right > kMaxSheetColumn)
        return std::nullopt;
    return area;
}

// The rows a workbook hides travel the same way, a name per run of rows:
// "{hidden}Sheet1!R3:R5", standing for the run's first cell.
constexpr std::string_view kHiddenRowsMark = "{hidden}";

std::string HiddenRowsName(const std::string& sheet, int first, int last)
{
    return std::string(kHiddenRowsMark) + sheet + "!R" + std::to_string(first) + ":R" + std::to_string(last);
}

// The sheet and run a name of HiddenRowsName's form stands for; none for any other name.
std::optional<std::pair<std::string, std::pair<int, int>>> ReadHiddenRowsName(const std::string& name)
{
    auto split = SplitMarkedName(name, kHiddenRowsMark);
    if (!split)
        return std::nullopt;
    int first = 0;
    int last = 0;
    PlaceText& text = split->second;
    if (!text.Expect('R') || !text.Number(first) || !text.Expect(':') || !text.Expect('R') || !text.Number(last) ||
        !text.Done())
        return std::nullopt;
    if (first < 1 || last < first || last > kMaxSheetRow)
        return std::nullopt;
    return std::make_pair(std::move(split->first), std::make_pair(first, last));
}

int32_t ReadPlace(base::RecordReader& in, const char* what, int limit)
{
    int32_t value = in.ReadI32(what);
    if (value < 1 || value > limit)
        in.Fail(what, "value " + std::to_string(value) + " lies outside the sheet");
    return value;
}

} // namespace

void WriteCellModel(base::RecordWriter& out, const CCellModel& cells)
{
    auto lock = cells.Lock();
    out.WriteU8(cells.IsLoaded() ? 1 : 0);
    std::vector<std::string> sheets = cells.GetSheetNames();
    out.WriteU32(static_cast<uint32_t>(sheets.size()));
    for (const std::string& sheet : sheets)
        out.WriteString(sheet);
    out.WriteU32(static_cast<uint32_t>(cells.GetCellCount()));
    std::map<std::tuple<std::string, int, int>, ArrayArea> areas; // by sheet and top-left cell
    cells.ForEachCell([&](const CCellRef& cell, const CCellData& data) {
        if (data.array && !data.formula.empty()) {
            const int top = cell.row - data.arrayRow;
            const int left = cell.column - data.arrayColumn;
            ArrayArea& area = areas[{cell.sheet, top, left}];
            area.sheet = cell.sheet;
            area.top = top;
            area.left = left;
            area.bottom = std::max(area.bottom, cell.row);
            area.right = std::max(area.right, cell.column);
        }
        out.WriteString(cell.sheet);
        out.WriteI32(cell.row);
        out.WriteI32(cell.column);
        out.WriteString(data.valueText);
        out.WriteString(data.typeName);
        out.WriteString(data.formula);
        out.WriteU8(data.changed ? 1 : 0);
    });
    auto names = cells.GetDefinedNames();
    for (const auto& [place, area] : areas)
        names.emplace_back(ArrayAreaName(area), CCellRef(area.sheet, area.top, area.left).GetText());
    for (const std::string& sheet : sheets)
        for (const auto& [first, last] : cells.GetHiddenRows(sheet))
            names.emplace_back(HiddenRowsName(sheet, first, last), CCellRef(sheet, first, 1).GetText());
    out.WriteU32(static_cast<uint32_t>(names.size()));
    for (const auto& [name, definition] : names) {
        out.WriteString(name);
        out.WriteString(definition);
    }
    auto values = cells.GetNamedValues();
    out.WriteU32(static_cast<uint32_t>(values.size()));
    for (const auto& [name, value] : values) {
        out.WriteString(name);
        out.WriteString(value);
    }
}

void ReadCellModel(base::RecordReader& in, CCellModel& cells)
{
    auto lock = cells.Lock();
    bool loaded = in.ReadU8("cell model flag") != 0;
    uint32_t sheetCount = in.ReadCount("cell model sheet count", 4);
    for (uint32_t i = 0; i < sheetCount; ++i)
        cells.AddSheet(in.ReadString("cell model sheet name"));
    uint32_t cellCount = in.ReadCount("cell model cell count", 25);
    for (uint32_t i = 0; i < cellCount; ++i) {
        std::string sheet = in.ReadString("cell sheet");
        int row = ReadPlace(in, "cell row", kMaxSheetRow);
        int column = ReadPlace(in, "cell column", kMaxSheetColumn);
        CCellData data;
        data.valueText = in.ReadString("cell value");
        data.typeName = in.ReadString("cell type");
        data.formula = in.ReadString("cell formula");
        data.changed = in.ReadU8("cell changed flag") != 0;
        cells.SetCell(sheet, row, column, std::move(data));
    }
    uint32_t nameCount = in.ReadCount("defined name count", 8);
    std::map<std::string, CCellModel::RowRuns> hidden;
    for (uint32_t i = 0; i < nameCount; ++i) {
        std::string name = in.ReadString("defined name");
        std::string definition = in.ReadString("defined name reference");
        if (auto run = ReadHiddenRowsName(name)) {
            hidden[run->first].push_back(run->second);
            continue;
        }
        if (std::optional<ArrayArea> area = ReadArrayAreaName(name)) {
            // the cells of the area that hold its formula take their places in it again
            std::vector<std::pair<int, int>> places;
            cells.ForEachCellIn(area->sheet, area->top, area->left, area->bottom, area->right,
                                [&](int row, int column) { places.emplace_back(row, column); });
            for (const auto& [row, column] : places) {
                std::optional<CCellData> data = cells.GetCell(area->sheet, row, column);
                if (!data || data->formula.empty())
                    continue;
                data->array = true;
                data->arrayRow = row - area->top;
                data->arrayColumn = column - area->left;
                cells.SetCell(area->sheet, row, column, std::move(*data));
            }
            continue;
        }
        cells.SetDefinedName(name, definition);
    }
    for (auto& [sheet, runs] : hidden)
        if (cells.FindSheet(sheet) == sheet)
            cells.SetHiddenRows(sheet, std::move(runs));
    uint32_t valueCount = in.ReadCount("named value count", 8);
    for (uint32_t i = 0; i < valueCount; ++i) {
        std::string name = in.ReadString("named value name");
        cells.SetNamedValue(name, in.ReadString("named value"));
    }
    cells.SetLoaded(loaded);
}

void WriteVariableTable(base::RecordWriter& out, const CVariableTable& table)
{
    auto lock = table.Lock();
    out.WriteU32(static_cast<uint32_t>(table.GetCellCount()));
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        CCellRef cell = *table.GetCellAt(i);
        out.WriteString(cell.sheet);
        out.WriteI32(cell.row);
        out.WriteI32(cell.column);
    }
    out.WriteU32(static_cast<uint32_t>(table.GetRangeCount()));
    for (std::size_t i = 0; i < table.GetRangeCount(); ++i) {
        const CRange* range = table.GetRange(i);
        out.WriteU32(static_cast<uint32_t>(range->GetAreaCount()));
        for (const CRangeArea& area : range->GetAreas()) {
            out.WriteString(area.start.sheet);
            out.WriteI32(area.start.row);
            out.WriteI32(area.start.column);
            out.WriteI32(area.end.row);
            out.WriteI32(area.end.column);
        }
    }
    auto names = table.GetNames();
    out.WriteU32(static_cast<uint32_t>(names.size()));
    for (const auto& [name, definition] : names) {
        out.WriteString(name);
        out.WriteString(definition);
    }
}

void ReadVariableTable(base::RecordReader& in, CVariableTable& table)
{
    auto lock = table.Lock();
    table.Clear();
    uint32_t cellCount = in.ReadCount("variable table cell count", 12);
    for (uint32_t i = 0; i < cellCount; ++i) {
        std::string sheet = in.ReadString("variable table cell sheet");
        int row = ReadPlace(in, "variable table cell row", kMaxSheetRow);
        int column = ReadPlace(in, "variable table cell column", kMaxSheetColumn);
        // A cell's id is its position: a repeated cell would shift every later id.
        if (table.AddCell(sheet, row, column) != static_cast<int32_t>(i))
            in.Fail("variable table cell", "cell " + std::to_string(i) + " repeats an earlier one");
    }
    uint32_t rangeCount = in.ReadCount("variable table range count", 4);
    for (uint32_t i = 0; i < rangeCount; ++i) {
        uint32_t areaCount = in.ReadCount("range area count", 20);
        CRange range;
        for (uint32_t a = 0; a < areaCount; ++a) {
            std::string sheet = in.ReadString("range area sheet");
            int row1 = ReadPlace(in, "range area row", kMaxSheetRow);
            int column1 = ReadPlace(in, "range area column", kMaxSheetColumn);
            int row2 = ReadPlace(in, "range area row", kMaxSheetRow);
            int column2 = ReadPlace(in, "range area column", kMaxSheetColumn);
            if (!range.AddArea(CCellRef(sheet, row1, column1), CCellRef(sheet, row2, column2)))
                in.Fail("range area", "range " + std::to_string(i) + " has an area across sheets");
        }
        // The cells come with the table: storing the range numbers none of its own.
        int index = table.StoreRange(range);
        if (index != static_cast<int>(i))
            in.Fail("variable table range", "range " + std::to_string(i) + " repeats an earlier one");
    }
    uint32_t nameCount = in.ReadCount("variable table name count", 8);
    for (uint32_t i = 0; i < nameCount; ++i) {
        std::string name = in.ReadString("variable table name");
        table.SetName(name, in.ReadString("variable table name reference"));
    }
}

void WriteConstant(base::RecordWriter& out, const CModelVariable& value)
{
    out.WriteU8(static_cast<uint8_t>(value.GetKind()));
    switch (value.GetKind()) {
    case ModelKind::String:
        out.WriteString(value.GetText());
        break;
    case ModelKind::Boolean:
        out.WriteU8(value.GetBoolean() ? 1 : 0);
        break;
    case ModelKind::Number:
    case ModelKind::Integer:
        out.WriteF64(value.GetNumber());
        break;
    default:
        break;
    }
}

std::unique_ptr<CModelVariable> ReadConstant(base::RecordReader& in)
{
    uint8_t kind = in.ReadU8("constant kind");
    switch (static_cast<ModelKind>(kind)) {
    case ModelKind::String:
        return CModelVariable::CModelVariableFromText(in.ReadString("constant text"));
    case ModelKind::Boolean:
        return CModelVariable::MakeBoolean(in.ReadU8("constant boolean") != 0);
    case ModelKind::Number:
    case ModelKind::Integer:
        return CModelVariable::MakeNumber(in.ReadF64("constant number"));
    case ModelKind::Missing:
    case ModelKind::NoValue:
        return std::make_unique<CModelVariable>(static_cast<ModelKind>(kind));
    default:
        in.Fail("constant kind", "kind " + std::to_string(kind) + " is no constant");
    }
}

void WriteValueMap(base::RecordWriter& out, const CCellValueMap& map)
{
    out.WriteU32(static_cast<uint32_t>(map.GetCount()));
    for (const auto& [id, record] : map) {
        out.WriteI32(id);
        out.WriteU8(record.mark);
        out.WriteU8(record.exportFlag);
        out.WriteString(record.GetA1Text());
        out.WriteString(record.GetVariableName());
        out.WriteU8(record.GetValue() ? 1 : 0);
        if (record.GetValue())
            WriteConstant(out, *record.GetValue());
    }
}

void ReadValueMap(base::RecordReader& in, CCellValueMap& map)
{
    map.Clear();
    uint32_t count = in.ReadCount("value record count", 15);
    for (uint32_t i = 0; i < count; ++i) {
        int32_t id = in.ReadI32("value record cell id");
        uint8_t mark = in.ReadU8("value record mark");
        uint8_t exportFlag = in.ReadU8("value record export flag");
        std::string a1 = in.ReadString("value record cell text");
        std::string name = in.ReadString("value record variable name");
        std::unique_ptr<CModelVariable> value;
        if (in.ReadU8("value record value flag"))
            value = ReadConstant(in);
        CCellValueRecord record(id, std::move(name), std::move(a1), value.get());
        record.mark = mark;
        record.exportFlag = exportFlag;
        map.Replace(record);
    }
}

void WriteCompiledExpr(base::RecordWriter& out, const CCompiledExpr* expression)
{
    out.WriteU8(expression ? 1 : 0);
    if (!expression)
        return;
    std::vector<const CExprNode*> pending{&expression->GetRoot()};
    while (!pending.empty()) {
        const CExprNode* node = pending.back();
        pending.pop_back();
        if (const auto* call = dynamic_cast<const CStringNode*>(node)) {
            out.WriteU8(static_cast<uint8_t>(ExprTag::Call));
            out.WriteString(call->GetText());
        } else if (const auto* value = dynamic_cast<const CValueNode*>(node)) {
            out.WriteU8(static_cast<uint8_t>(ExprTag::Value));
            out.WriteU8(static_cast<uint8_t>(value->GetType()));
            if (value->GetType() == CValueNode::Text)
                out.WriteString(value->GetText());
            else if (value->GetType() != CValueNode::NoValue)
                out.WriteF64(value->GetNumber());
        } else if (const auto* cell = dynamic_cast<const CCellNode*>(node)) {
            out.WriteU8(static_cast<uint8_t>(ExprTag::Cell));
            out.WriteI32(cell->GetCellId());
        } else if (const auto* range = dynamic_cast<const CRangeNode*>(node)) {
            out.WriteU8(static_cast<uint8_t>(ExprTag::Range));
            out.WriteI32(range->GetRangeIndex());
        }
        out.WriteU32(static_cast<uint32_t>(node->GetChildCount()));
        for (std::size_t i = node->GetChildCount(); i-- > 0;)
            pending.push_back(&node->GetChild(i));
    }
}

std::unique_ptr<CCompiledExpr> ReadCompiledExpr(base::RecordReader& in)
{
    if (!in.ReadU8("expression flag"))
        return nullptr;
    auto readNode = [&in]() -> std::unique_ptr<CExprNode> {
        uint8_t tag = in.ReadU8("expression node");
        switch (static_cast<ExprTag>(tag)) {
        case ExprTag::Call: {
            auto node = std::make_unique<CStringNode>();
            node->SetText(in.ReadString("expression function name"));
            return node;
        }
        case ExprTag::Value: {
            uint8_t type = in.ReadU8("expression value type");
            switch (type) {
            case CValueNode::Number:
                return CValueNode::MakeNumber(in.ReadF64("expression number"));
            case CValueNode::Integer:
                return CValueNode::MakeNumber(in.ReadF64("expression number"));
            case CValueNode::Text:
                return CValueNode::MakeText(in.ReadString("expression text"));
            case CValueNode::Boolean:
                return CValueNode::MakeBoolean(in.ReadF64("expression boolean") != 0);
            case CValueNode::NoValue:
                return CValueNode::MakeNoValue();
            default:
                in.Fail("expression value type", "type " + std::to_string(type) + " is unknown");
            }
        }
        case ExprTag::Cell:
            return std::make_unique<CCellNode>(in.ReadI32("expression cell id"));
        case ExprTag::Range:
            return std::make_unique<CRangeNode>(in.ReadI32("expression range index"));
        }
        in.Fail("expression node", "node tag " + std::to_string(tag) + " is unknown");
    };
    // Parent first with child counts; each open parent waits for the rest of its children.
    std::unique_ptr<CExprNode> root = readNode();
    std::vector<std::pair<CExprNode*, uint32_t>> open;
    if (uint32_t children = in.ReadCount("expression child count", 5))
        open.emplace_back(root.get(), children);
    while (!open.empty()) {
        if (open.back().second == 0) {
            open.pop_back();
            continue;
        }
        --open.back().second;
        std::unique_ptr<CExprNode> child = readNode();
        uint32_t children = in.ReadCount("expression child count", 5);
        CExprNode* raw = child.get();
        open.back().first->AddChild(std::move(child));
        if (children)
            open.emplace_back(raw, children);
    }
    return std::make_unique<CCompiledExpr>(std::move(root));
}

} // namespace sheetrec

void CCellModel::Load(base::RecordReader& in)
{
    sheetrec::ReadCellModel(in, *this);
}

void CVariableTable::Load(base::RecordReader& in)
{
    sheetrec::ReadVariableTable(in, *this);
}

void CCellValueMap::Load(base::RecordReader& in)
{
    sheetrec::ReadValueMap(in, *this);
}
