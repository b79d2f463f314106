#include "publish/DataFiles.h"

#include "model/FileBytes.h"
#include "model/TextUtil.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <fstream>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kDigits = 17;

std::string CompiledValueText(const CValueNode* value)
{
    if (value == nullptr)
        return "undefined";
    switch (value->GetType()) {
    case CValueNode::Number:
        return FormatDouble(value->GetNumber(), kDigits);
    case CValueNode::Text:
        return value->GetText();
    case CValueNode::Integer:
        return std::to_string(static_cast<long long>(value->GetNumber()));
    case CValueNode::Boolean:
        return value->GetNumber() != 0 ? "1" : "0";
    case CValueNode::NoValue:
        break;
    }
    return "undefined";
}

void Line(std::string& out, std::string_view text)
{
    out += text;
    out += kLineEnd;
}

} // namespace

std::string EscapeTextDataValue(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        // The player decodes "+" as a space, so a number's exponent ("1e+300") needs it too.
        if (c == '%' || c == '&' || c == '=' || c == '+' || byte < 0x20 || byte == 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatTextData(std::span<const TextDataValue> values)
{
    std::string out;
    for (const TextDataValue& value : values) {
        if (!out.empty())
            out += '&';
        out += 'V';
        out += std::to_string(value.cellId);
        out += '=';
        out += EscapeTextDataValue(CompiledValueText(value.value));
    }
    return out;
}

std::string EscapeXmlData(std::string_view text, bool attribute)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FormatXmlData(std::span<const XmlDataVariable> variables)
{
    std::string out;
    Line(out, "<data>");
    for (const XmlDataVariable& variable : variables) {
        Line(out, " <variable name=\"" + EscapeXmlData(variable.name, true) + "\">");
        for (const auto& row : variable.rows) {
            Line(out, "  <row>");
            for (const std::string& value : row)
                Line(out, "   <column>" + EscapeXmlData(value, false) + "</column>");
            Line(out, "  </row>");
        }
        Line(out, " </variable>");
    }
    out += "</data>";
    return out;
}

std::string FormatDataValue(const CModelVariable* value)
{
    if (value == nullptr)
        return {};
    switch (value->GetKind()) {
    case ModelKind::String:
        return value->GetText();
    case ModelKind::Boolean:
        return value->GetBoolean() ? "1" : "0";
    case ModelKind::Number:
    case ModelKind::Integer:
        return FormatDouble(value->GetNumber(), kDigits);
    default:
        return {};
    }
}

// Each area is read through its own cells: taking every area from the start of the range's
// cells would repeat the first area's values in place of the later ones. The cells are found by
// their places in the area, whether or not they have a variable.
std::vector<std::vector<std::string>> ReadRangeRows(const CRange& range, const CCellModel& model)
{
    std::vector<std::vector<std::string>> rows;
    for (const CRangeArea& area : range.GetAreas()) {
        for (int r = 0; r < area.Rows(); ++r) {
            std::vector<std::string>& row = rows.emplace_back();
            for (int c = 0; c < area.Columns(); ++c) {
                const CCellRef cell(area.start.sheet, area.start.row + r, area.start.column + c);
                row.push_back(FormatDataValue(model.MakeConstantNode(cell).get()));
            }
        }
    }
    return rows;
}

bool WriteDataFile(const std::filesystem::path& path, std::string_view bytes, model::CFileBatch* batch)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (batch) {
        std::string reason;
        return batch->Stage(path, data, bytes.size(), reason);
    }
    return model::WriteFileBytes(path.string(), std::vector<std::uint8_t>(data, data + bytes.size()));
}
