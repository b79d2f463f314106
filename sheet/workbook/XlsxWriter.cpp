#include "sheet/workbook/XlsxWriter.h"

#include "base/ScopeGuard.h"
#include "sheet/AsciiCase.h"
#include "sheet/MessageText.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxPackage.h"
#include "sheet/workbook/XlsxReader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <unordered_map>

#include <zip.h>

namespace sheet::xlsx {

namespace {

std::string FormatNumber(double v)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? std::string(buffer, end) : "0";
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Control characters cannot appear in XML 1.0, so they travel as _xHHHH_; an underscore
// that would read as such an escape is escaped itself.
std::string EncodeEscapes(const std::string& s)
{
    std::string out;
    char buffer[8];
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        // A bare CR would come back as LF from any XML parser.
        bool control = c < 0x20 && c != '\t' && c != '\n';
        bool looksEscaped = c == '_' && i + 6 < s.size() && s[i + 1] == 'x' && IsHex(s[i + 2]) &&
                            IsHex(s[i + 3]) && IsHex(s[i + 4]) && IsHex(s[i + 5]) && s[i + 6] == '_';
        if (control || looksEscaped) {
            std::snprintf(buffer, sizeof buffer, "_x%04X_", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::optional<std::uint32_t> IndexOf(const pugi::xml_node& node, std::string_view attribute,
                                     std::optional<std::uint32_t> implicit, bool column)
{
    auto attr = Attribute(node, attribute);
    if (!attr)
        return implicit;
    if (column) {
        auto address = ParseCellAddress(attr.value());
        return address ? std::optional<std::uint32_t>(address->column) : std::nullopt;
    }
    std::uint32_t value = 0;
    std::string_view text = attr.value();
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value == 0)
        return std::nullopt;
    return value - 1;
}

class SheetEditor {
public:
    // The name is only quoted in messages.
    SheetEditor(pugi::xml_document& doc, const std::string& sheetName)
        : doc_(doc), sheetName_(PrintableText(sheetName))
    {
        auto root = doc_.document_element();
        data_ = Child(root, "sheetData");
        if (!data_)
            throw WorkbookError("Sheet " + sheetName_ + " has no cell data to write into");
        std::string_view name = data_.name();
        auto colon = name.find(':');
        prefix_ = colon == std::string_view::npos ? "" : std::string(name.substr(0, colon + 1));
        CollectFormulas();
    }

    // True when the cell had a formula that is now gone.
    bool Write(const CellWrite& write)
    {
        const CellAddress at = write.cell;
        for (const auto& array : arrays_)
            if (at.row >= array.firstRow && at.row <= array.lastRow && at.column >= array.firstColumn &&
                at.column <= array.lastColumn)
                throw WorkbookError("Cannot write cell " + FormatQualifiedCell(sheetName_, at) +
                                    ": it is part of an array formula");
        pugi::xml_node cell = FindOrAddCell(at);
        bool hadFormula = false;
        if (auto f = Child(cell, "f")) {
            hadFormula = true;
            if (std::string_view(Attribute(f, "t").value()) == "shared" && *f.text().get())
                DetachSharedFollowers(f, at);
        }
        for (const char* child : {"f", "v", "is"})
            while (auto node = Child(cell, child))
                cell.remove_child(node);
        for (const char* attribute : {"t", "vm", "cm"})
            cell.remove_attribute(attribute);
        switch (write.value.kind) {
        case CellValue::Kind::Empty:
            break;
        case CellValue::Kind::Number:
            if (std::isfinite(write.value.number)) {
                AddElement(cell, "v").text().set(FormatNumber(write.value.number).c_str());
            } else {
                cell.append_attribute("t") = "e";
                AddElement(cell, "v").text().set("#NUM!");
            }
            break;
        case CellValue::Kind::Boolean:
            cell.append_attribute("t") = "b";
            AddElement(cell, "v").text().set(write.value.number != 0 ? "1" : "0");
            break;
        case CellValue::Kind::Text: {
            cell.append_attribute("t") = "inlineStr";
            auto t = AddElement(AddElement(cell, "is"), "t");
            const std::string& text = write.value.text;
            if (!text.empty() &&
                (text.front() == ' ' || text.back() == ' ' || text.find('\n') != std::string::npos))
                t.append_attribute("xml:space") = "preserve";
            t.text().set(EncodeEscapes(text).c_str());
            break;
        }
        }
        Grow(at);
        return hadFormula;
    }

private:
    // Children keep the order the schema demands: anything new goes before an extension list.
    pugi::xml_node AddElement(pugi::xml_node parent, const char* local)
    {
        std::string name = prefix_ + local;
        if (auto extensions = Child(parent, "extLst"))
            return parent.insert_child_before(name.c_str(), extensions);
        return parent.append_child(name.c_str());
    }

    void CollectFormulas()
    {
        std::uint32_t rowIndex = 0;
        bool first = true;
        for (auto row : data_.children()) {
            if (LocalName(row) != "row")
                continue;
            auto r = IndexOf(row, "r", first ? 0 : rowIndex + 1, false);
            if (!r)
                throw WorkbookError("Sheet " + sheetName_ + " has a row with an invalid number");
            rowIndex = *r;
            first = false;
            std::optional<std::uint32_t> columnIndex;
            for (auto c : row.children()) {
                if (LocalName(c) != "c")
                    continue;
                auto col = IndexOf(c, "r", columnIndex ? *columnIndex + 1 : 0, true);
                if (!col)
                    throw WorkbookError("Sheet " + sheetName_ + " has a cell with an invalid reference");
                columnIndex = col;
                auto f = Child(c, "f");
                if (!f)
                    continue;
                std::string_view kind = Attribute(f, "t").value();
                if (kind == "array") {
                    if (auto area = ParseArea(Attribute(f, "ref").value()))
                        arrays_.push_back(*area);
                } else if (kind == "shared") {
                    shared_.push_back({f, CellAddress{rowIndex, *columnIndex}});
                }
            }
        }
    }

    // The cells that borrow the text of a shared formula whose anchor is about to be
    // overwritten get their own copy, moved as the formula reads from each of them.
    void DetachSharedFollowers(const pugi::xml_node& master, CellAddress masterAt)
    {
        std::string si = Attribute(master, "si").value();
        std::string text = master.text().get();
        for (auto& entry : shared_) {
            if (entry.formula == master || std::string(Attribute(entry.formula, "si").value()) != si ||
                *entry.formula.text().get())
                continue;
            std::string own = ShiftFormula(text, static_cast<std::int64_t>(entry.at.row) - masterAt.row,
                                           static_cast<std::int64_t>(entry.at.column) - masterAt.column);
            entry.formula.remove_attribute("t");
            entry.formula.remove_attribute("si");
            entry.formula.remove_attribute("ref");
            entry.formula.text().set(own.c_str());
        }
    }

    pugi::xml_node FindOrAddCell(CellAddress at)
    {
        pugi::xml_node row, before;
        std::uint32_t rowIndex = 0;
        bool first = true;
        for (auto node : data_.children()) {
            if (LocalName(node) != "row")
                continue;
            rowIndex = *IndexOf(node, "r", first ? 0 : rowIndex + 1, false);
            first = false;
            if (rowIndex == at.row) {
                row = node;
                break;
            }
            if (rowIndex > at.row) {
                before = node;
                break;
            }
        }
        if (!row) {
            if (before && !Attribute(before, "r"))
                before.append_attribute("r") = std::to_string(rowIndex + 1).c_str();
            row = before ? data_.insert_child_before((prefix_ + "row").c_str(), before)
                         : AddElement(data_, "row");
            row.append_attribute("r") = std::to_string(at.row + 1).c_str();
        }
        std::optional<std::uint32_t> columnIndex;
        pugi::xml_node cellBefore;
        for (auto node : row.children()) {
            if (LocalName(node) != "c")
                continue;
            columnIndex = IndexOf(node, "r", columnIndex ? *columnIndex + 1 : 0, true);
            if (*columnIndex == at.column)
                return node;
            if (*columnIndex > at.column) {
                cellBefore = node;
                break;
            }
        }
        // A new cell must not leave an implicitly numbered neighbour numbered differently.
        if (cellBefore && !Attribute(cellBefore, "r"))
            cellBefore.append_attribute("r") =
                (ColumnLettersOf(*columnIndex) + std::to_string(at.row + 1)).c_str();
        pugi::xml_node cell =
            cellBefore ? row.insert_child_before((prefix_ + "c").c_str(), cellBefore) : AddElement(row, "c");
        cell.append_attribute("r") = (ColumnLettersOf(at.column) + std::to_string(at.row + 1)).c_str();
        // Spans are a loading hint that must cover the row's cells; drop rather than mislead.
        row.remove_attribute("spans");
        return cell;
    }

    void Grow(CellAddress at)
    {
        auto dimension = Child(doc_.document_element(), "dimension");
        if (!dimension)
            return;
        auto area = ParseArea(Attribute(dimension, "ref").value());
        if (!area)
            return;
        Area grown = *area;
        grown.firstRow = std::min(grown.firstRow, at.row);
        grown.lastRow = std::max(grown.lastRow, at.row);
        grown.firstColumn = std::min(grown.firstColumn, at.column);
        grown.lastColumn = std::max(grown.lastColumn, at.column);
        if (!(grown == *area))
            Attribute(dimension, "ref").set_value(FormatArea(grown).c_str());
    }

    struct SharedEntry {
        pugi::xml_node formula;
        CellAddress at;
    };

    pugi::xml_document& doc_;
    std::string sheetName_;
    pugi::xml_node data_;
    std::string prefix_;
    std::vector<Area> arrays_;
    std::vector<SharedEntry> shared_;
};

std::string Serialise(const pugi::xml_document& doc)
{
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

constexpr unsigned kEditFlags = (pugi::parse_full | pugi::parse_ws_pcdata_single) & ~pugi::parse_doctype;

class ZipEditor {
public:
    explicit ZipEditor(const std::string& path)
    {
        int error = 0;
        archive_ = zip_open(path.c_str(), 0, &error);
        if (!archive_) {
            zip_error_t e;
            zip_error_init_with_code(&e, error);
            std::string why = zip_error_strerror(&e);
            zip_error_fini(&e);
            throw WorkbookError("Cannot open " + path + " for writing (" + why + ")");
        }
    }
    ~ZipEditor()
    {
        if (archive_)
            zip_discard(archive_);
    }

    void Replace(const std::string& part, std::string data)
    {
        contents_.push_back(std::make_unique<std::string>(std::move(data)));
        const std::string& kept = *contents_.back();
        zip_int64_t index = zip_name_locate(archive_, part.c_str(), ZIP_FL_NOCASE);
        zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
        if (!source || index < 0 ||
            zip_file_replace(archive_, static_cast<zip_uint64_t>(index), source, 0) < 0) {
            if (source)
                zip_source_free(source);
            throw WorkbookError("Cannot replace part " + part + " (" + zip_strerror(archive_) + ")");
        }
        zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
    }

    void Delete(const std::string& part)
    {
        zip_int64_t index = zip_name_locate(archive_, part.c_str(), ZIP_FL_NOCASE);
        if (index >= 0 && zip_delete(archive_, static_cast<zip_uint64_t>(index)) < 0)
            throw WorkbookError("Cannot remove part " + part + " (" + zip_strerror(archive_) + ")");
    }

    void Close(const std::string& path)
    {
        if (zip_close(archive_) < 0)
            throw WorkbookError("Cannot write workbook " + path + " (" + zip_strerror(archive_) + ")");
        archive_ = nullptr;
    }

private:
    zip_t* archive_ = nullptr;
    std::vector<std::unique_ptr<std::string>> contents_;
};

std::string TemporaryNameBeside(const std::string& target)
{
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", random());
    return target + suffix;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw WorkbookError("Cannot write workbook " + path);
}

} // namespace

void WritePackage(const std::vector<std::uint8_t>& source, const std::string& targetPath,
                  const std::vector<CellWrite>& writes, const PackageLimits& limits)
{
    Package package(source, limits);
    auto sheets = LocateSheets(package);

    std::unordered_map<std::string, const SheetLocation*> sheetByName; // upper-cased; the last of equals
    for (const auto& sheet : sheets)
        sheetByName[UpperAscii(sheet.name)] = &sheet;
    std::map<std::string, std::vector<const CellWrite*>> byPart;
    std::map<std::string, std::string> sheetOfPart;
    for (const auto& write : writes) {
        auto named = sheetByName.find(UpperAscii(write.sheet));
        const SheetLocation* found = named == sheetByName.end() ? nullptr : named->second;
        if (!found)
            throw WorkbookError("Cannot write cell " +
                                PrintableText(FormatQualifiedCell(write.sheet, write.cell)) +
                                ": the workbook has no such sheet");
        if (write.cell.row >= kMaxRows || write.cell.column >= kMaxColumns)
            throw WorkbookError("Cannot write a cell outside the sheet " + PrintableText(write.sheet));
        byPart[found->partName].push_back(&write);
        sheetOfPart[found->partName] = found->name;
    }

    // Everything is edited in memory first, so no error can leave a half-written target.
    std::map<std::string, std::string> replaced;
    std::vector<std::string> removed;
    bool formulaRemoved = false;
    for (const auto& [part, partWrites] : byPart) {
        auto doc = package.ReadXml(part, kEditFlags);
        SheetEditor editor(doc, sheetOfPart[part]);
        for (const CellWrite* write : partWrites)
            formulaRemoved = editor.Write(*write) || formulaRemoved;
        replaced[part] = Serialise(doc);
    }

    if (!writes.empty()) {
        std::string workbookPart = FindWorkbookPart(package);
        std::string relsPart = RelationshipsPartOf(workbookPart);
        auto workbook = package.ReadXml(workbookPart, kEditFlags);
        auto root = workbook.document_element();
        auto calcPr = Child(root, "calcPr");
        if (!calcPr) {
            std::string_view name = root.name();
            auto colon = name.find(':');
            std::string prefix =
                colon == std::string_view::npos ? "" : std::string(name.substr(0, colon + 1));
            // calcPr comes after the defined names and before the elements that follow them.
            pugi::xml_node after;
            for (const char* previous : {"definedNames", "externalReferences", "sheets"})
                if ((after = Child(root, previous)))
                    break;
            calcPr = after ? root.insert_child_after((prefix + "calcPr").c_str(), after)
                           : root.append_child((prefix + "calcPr").c_str());
        }
        if (!Attribute(calcPr, "fullCalcOnLoad"))
            calcPr.append_attribute("fullCalcOnLoad");
        Attribute(calcPr, "fullCalcOnLoad").set_value("1");
        replaced[workbookPart] = Serialise(workbook);

        // The calculation chain lists formula cells; one that names a cell without a formula
        // makes the package unreadable for the program, so the chain goes and is rebuilt.
        std::string chainPart;
        for (const auto& rel : package.ReadRelationships(workbookPart))
            if (rel.type.size() >= 10 && rel.type.substr(rel.type.size() - 10) == "/calcChain")
                chainPart = rel.target;
        if (formulaRemoved && !chainPart.empty()) {
            auto rels = package.ReadXml(relsPart, kEditFlags);
            for (auto rel : rels.document_element().children())
                if (std::string_view(rel.attribute("Type").value()).ends_with("/calcChain")) {
                    rels.document_element().remove_child(rel);
                    break;
                }
            replaced[relsPart] = Serialise(rels);
            if (package.HasPart("[Content_Types].xml")) {
                auto types = package.ReadXml("[Content_Types].xml", kEditFlags);
                for (auto type : types.document_element().children())
                    if (EqualNoCaseAscii(type.attribute("PartName").value(), "/" + chainPart)) {
                        types.document_element().remove_child(type);
                        break;
                    }
                replaced["[Content_Types].xml"] = Serialise(types);
            }
            if (package.HasPart(chainPart))
                removed.push_back(chainPart);
        }
    }

    namespace fs = std::filesystem;
    std::string temporary = TemporaryNameBeside(targetPath);
    // Whatever fails, no half-written file is left beside the target.
    ScopeGuard removeTemporary([&] {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    });
    WriteBytes(temporary, source);
    if (!replaced.empty() || !removed.empty()) {
        ZipEditor editor(temporary);
        for (auto& [part, data] : replaced)
            editor.Replace(part, std::move(data));
        for (const auto& part : removed)
            editor.Delete(part);
        editor.Close(temporary);
    }
    std::error_code error;
    fs::rename(temporary, targetPath, error);
    if (error)
        throw WorkbookError("Cannot write workbook " + targetPath + " (" + error.message() + ")");
    removeTemporary.Dismiss();
}

} // namespace sheet::xlsx
