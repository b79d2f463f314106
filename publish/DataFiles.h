#pragma once

#include <cstdint>
#include <filesystem>

namespace model {
class CFileBatch;
}
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CCellModel;
class CModelVariable;
class CRange;
class CValueNode;

// Sample data written beside a movie that takes its data from a web service, so the service's
// answer can be prepared and tested, and the XML data file that the XML data connection's
// preview writes. Both are byte formats of their own; the functions here build the bytes and
// the callers choose what goes in.

// Text form: "V<id>=<value>" pairs joined by "&" on one line, as the player's variable loading
// reads them. Values are URL-encoded where the player would otherwise misread them ("%", "&",
// "=", "+" and control characters as %XX); other bytes, UTF-8 included, stand as they are.
struct TextDataValue {
    std::int32_t cellId;
    // The compiled constant; none reads as a cell without value.
    const CValueNode* value;
};
std::string FormatTextData(std::span<const TextDataValue> values);
std::string EscapeTextDataValue(std::string_view text);

// XML form: <data>, one <variable name="..."> per variable holding its rows of <column>
// values, </data>; lines end in CR LF except the last. "&", "<" and ">" are written as
// entities, and in the name also the quotation mark, so an XML reader gets the texts back.
struct XmlDataVariable {
    std::string name;
    // Value texts as they are (escaped when written); an empty text for a cell without value.
    std::vector<std::vector<std::string>> rows;
};
std::string FormatXmlData(std::span<const XmlDataVariable> variables);
std::string EscapeXmlData(std::string_view text, bool attribute);

// A cell value as both forms write it: text as it is, a boolean as "1" or "0", a number in the
// C locale with 17 significant digits, nothing for a cell without value.
std::string FormatDataValue(const CModelVariable* value);
// The rows of every area of the range in order, each cell's current value from the model.
std::vector<std::vector<std::string>> ReadRangeRows(const CRange& range, const CCellModel& model);

// Writes the bytes to the file, replacing it; false when it cannot be written. With a batch the
// file is staged in it and lands only when the batch is committed, with the movie it serves.
bool WriteDataFile(const std::filesystem::path& path, std::string_view bytes, model::CFileBatch* batch = nullptr);
