#include "sheet/workbook/XlsxReader.h"

#include "base/Processors.h"
#include "base/TextCodes.h"
#include "sheet/AsciiCase.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/MessageText.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxNumberFormats.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace sheet::xlsx {

namespace {

bool EndsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Memory the read holds for good (cells and texts kept), against the workbook's limit.
class MemoryBudget {
public:
    explicit MemoryBudget(std::uint64_t limit) : limit_(limit) {}

    void Charge(std::uint64_t bytes)
    {
        used_ += bytes;
        if (used_ > limit_)
            throw WorkbookError("The workbook holds more than can be imported within " +
                                std::to_string(limit_ >> 20) + " MB of memory");
    }
    // What a part's XML tree may take on top.
    std::uint64_t Remaining() const { return used_ < limit_ ? limit_ - used_ : 0; }
    std::uint64_t Used() const { return used_; }

private:
    std::uint64_t limit_;
    std::uint64_t used_ = 0;
};

std::uint64_t HeldBytes(const std::string& text)
{
    return sizeof(std::string) + text.size();
}

std::size_t CharacterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The quoted value in a message about a bad cell or name.
std::string Shown(std::string_view value)
{
    return QuotedText(value);
}

bool IsTrue(std::string_view v)
{
    return v == "1" || v == "true";
}

// A number beyond the range of doubles: one too small for the smallest normal double (1e-330)
// is read as the nearest double (a subnormal or 0), as other readers of workbooks do; one too
// large for any double is no number.
std::optional<double> UnderflowedNumber(std::string_view text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(copy.c_str(), &end, c);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(std::string_view text)
{
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range && end == text.data() + text.size())
        return UnderflowedNumber(text);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> ParseUnsigned(std::string_view text)
{
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Characters that XML cannot carry are stored as _xHHHH_.
std::string DecodeEscapes(std::string_view s)
{
    if (s.find("_x") == std::string_view::npos)
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '_' && i + 6 < s.size() && s[i + 1] == 'x' && s[i + 6] == '_') {
            std::uint32_t cp = 0;
            bool ok = true;
            for (std::size_t k = 2; k < 6; ++k) {
                int h = ui::HexDigitValue(s[i + k]);
                ok = ok && h >= 0;
                cp = cp * 16 + static_cast<std::uint32_t>(std::max(h, 0));
            }
            if (ok) {
                ui::AppendUtf8(out, cp);
                i += 7;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

// The text of a string item: a plain <t>, or the runs of rich text; phonetic hints are not
// part of the value.
std::string StringItemText(const pugi::xml_node& item)
{
    std::string text;
    for (auto child : item.children()) {
        auto name = LocalName(child);
        if (name == "t") {
            text += child.text().get();
        } else if (name == "r") {
            if (auto t = Child(child, "t"))
                text += t.text().get();
        }
    }
    return DecodeEscapes(text);
}

// Days from 1899-12-30 in the 1900 date system (which counts 1900-02-29, so dates before
// March 1900 are one less), or from 1904-01-01.
std::optional<double> IsoDateToSerial(std::string_view text, bool date1904)
{
    int y = 0, mo = 1, d = 1, h = 0, mi = 0;
    double s = 0;
    auto num = [&](std::size_t pos, std::size_t len, int& out) {
        if (pos + len > text.size())
            return false;
        auto [end, ec] = std::from_chars(text.data() + pos, text.data() + pos + len, out);
        return ec == std::errc() && end == text.data() + pos + len;
    };
    std::size_t timeAt = 0;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
        if (!num(0, 4, y) || !num(5, 2, mo) || !num(8, 2, d))
            return std::nullopt;
        timeAt = text.size() > 10 && text[10] == 'T' ? 11 : 0;
    } else if (text.size() >= 8 && text[2] == ':') {
        y = date1904 ? 1904 : 1899;
        mo = date1904 ? 1 : 12;
        d = date1904 ? 1 : 30;
        timeAt = 0;
        if (!num(0, 2, h) || !num(3, 2, mi))
            return std::nullopt;
        auto sec = ParseNumber(text.substr(6));
        if (!sec)
            return std::nullopt;
        s = *sec;
    } else {
        return std::nullopt;
    }
    if (timeAt) {
        if (!num(timeAt, 2, h) || text.size() < timeAt + 5 || text[timeAt + 2] != ':' ||
            !num(timeAt + 3, 2, mi))
            return std::nullopt;
        if (text.size() > timeAt + 6 && text[timeAt + 5] == ':') {
            std::string_view rest = text.substr(timeAt + 6);
            auto zone = rest.find_first_of("Z+-");
            auto sec = ParseNumber(rest.substr(0, zone));
            if (!sec)
                return std::nullopt;
            s = *sec;
        }
    }
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 24 || mi > 59)
        return std::nullopt;
    // Days since the civil epoch (Howard Hinnant's algorithm), then moved to the workbook's.
    auto daysFromCivil = [](long yy, long mm, long dd) {
        yy -= mm <= 2;
        long era = (yy >= 0 ? yy : yy - 399) / 400;
        long yoe = yy - era * 400;
        long doy = (153 * (mm + (mm > 2 ? -3 : 9)) + 2) / 5 + dd - 1;
        long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    };
    long days = daysFromCivil(y, mo, d);
    double serial;
    if (date1904) {
        serial = static_cast<double>(days - daysFromCivil(1904, 1, 1));
    } else {
        serial = static_cast<double>(days - daysFromCivil(1899, 12, 30));
        if (serial < 61 && serial > 0)
            serial -= 1;
    }
    return serial + (h * 3600 + mi * 60 + s) / 86400.0;
}

struct Styles {
    std::map<std::uint32_t, std::string> customFormats;
    std::vector<std::uint32_t> xfFormatIds;
};

Styles ReadStyles(Package& package, const std::string& part, MemoryBudget& budget)
{
    Styles styles;
    if (part.empty() || !package.HasPart(part))
        return styles;
    auto doc = package.ReadXml(part, pugi::parse_default | pugi::parse_ws_pcdata_single, budget.Remaining());
    auto root = doc.document_element();
    if (auto numFmts = Child(root, "numFmts")) {
        for (auto fmt : numFmts.children()) {
            if (LocalName(fmt) != "numFmt")
                continue;
            auto id = ParseUnsigned(Attribute(fmt, "numFmtId").value());
            if (!id)
                throw WorkbookError("Styles part " + PrintableText(part) +
                                    " has a number format without a valid id");
            std::string code = Attribute(fmt, "formatCode").value();
            // Every cell of the format gets a copy of its code.
            if (CharacterCount(code) > kMaxFormatCodeChars)
                throw WorkbookError("Number format " + std::to_string(*id) + " is longer than " +
                                    std::to_string(kMaxFormatCodeChars) + " characters");
            budget.Charge(HeldBytes(code) + 64);
            styles.customFormats[*id] = std::move(code);
        }
    }
    if (auto xfs = Child(root, "cellXfs")) {
        for (auto xf : xfs.children()) {
            if (LocalName(xf) != "xf")
                continue;
            auto id = ParseUnsigned(Attribute(xf, "numFmtId").value());
            budget.Charge(sizeof(std::uint32_t));
            styles.xfFormatIds.push_back(id.value_or(0));
        }
    }
    return styles;
}

void CheckTextLength(const std::string& text, const std::function<std::string()>& what)
{
    if (text.size() > kMaxCellTextChars && CharacterCount(text) > kMaxCellTextChars)
        throw WorkbookError(what() + " is longer than " + std::to_string(kMaxCellTextChars) + " characters");
}

std::vector<std::string> ReadSharedStrings(Package& package, const std::string& part, MemoryBudget& budget)
{
    std::vector<std::string> strings;
    if (part.empty() || !package.HasPart(part))
        return strings;
    auto doc = package.ReadXml(part, pugi::parse_default | pugi::parse_ws_pcdata_single, budget.Remaining());
    for (auto item : doc.document_element().children()) {
        if (LocalName(item) != "si")
            continue;
        std::string text = StringItemText(item);
        CheckTextLength(text, [&] { return "Shared string " + std::to_string(strings.size()); });
        budget.Charge(HeldBytes(text));
        strings.push_back(std::move(text));
    }
    return strings;
}

// What a cell element holds, found in one pass over its children and attributes (the first
// of each name counts, as a search by name would find it).
struct CellElement {
    pugi::xml_node value;
    pugi::xml_node formula;
    pugi::xml_node inlineString;
    pugi::xml_attribute reference;
    pugi::xml_attribute style;
    pugi::xml_attribute type;
};

CellElement ReadCellElement(const pugi::xml_node& c)
{
    CellElement cell;
    for (auto child : c.children()) {
        if (child.type() != pugi::node_element)
            continue;
        std::string_view name = LocalName(child);
        pugi::xml_node* slot = name == "v"    ? &cell.value
                               : name == "f"  ? &cell.formula
                               : name == "is" ? &cell.inlineString
                                              : nullptr;
        if (slot && !*slot)
            *slot = child;
    }
    for (auto attribute : c.attributes()) {
        std::string_view name = LocalName(attribute);
        pugi::xml_attribute* slot = name == "r"   ? &cell.reference
                                    : name == "s" ? &cell.style
                                    : name == "t" ? &cell.type
                                                  : nullptr;
        if (slot && !*slot)
            *slot = attribute;
    }
    return cell;
}

struct SharedFormula {
    CellAddress anchor;
    std::string text;
};

class SheetReader {
public:
    SheetReader(const std::vector<std::string>& strings, const Styles& styles, bool date1904,
                const ReadOptions& options, MemoryBudget& budget)
        : strings_(strings), styles_(styles), date1904_(date1904), options_(options), budget_(budget)
    {
    }

    void Read(Package& package, Sheet& sheet)
    {
        shownName_ = PrintableText(sheet.name);
        // A large sheet's rows are parsed in pieces on every processor, each piece read into
        // cells on the thread that parsed it and its tree let go at once; what cannot be read
        // that way (a row numbered only by the one before it, a fault) is read again in order.
        std::vector<Part> pieces;
        const RestMade rest{pieces, sheet};
        std::uint64_t share = 0;
        std::atomic<bool> inOrder{false};
        Package::PieceReader reader;
        reader.start = [&](const std::vector<std::string_view>& texts) {
            if (!sheet.cells.empty() ||
                !std::all_of(texts.begin(), texts.end(), [](std::string_view text) { return FirstRowNumbered(text); }))
                return false;
            // Room in the sheet's list for as many cells as each piece has cell elements.
            pieces.resize(texts.size());
            base::ForEachOnThreads(0, texts.size(), options_.threads,
                                   [&](std::size_t i) { pieces[i].end = CellTags(texts[i]); });
            std::size_t room = 0;
            for (Part& piece : pieces) {
                piece.first = piece.next = room;
                room += piece.end;
                piece.end = room;
            }
            if (room * sizeof(Cell) > budget_.Remaining())
                return false;
            MakeRoom(pieces, sheet);
            share = (budget_.Remaining() - room * sizeof(Cell)) / texts.size();
            return true;
        };
        reader.read = [&](std::size_t i, const pugi::xml_node& holder) {
            if (!inOrder.load(std::memory_order_relaxed) && !ReadPiece(holder, sheet, share, pieces[i]))
                inOrder.store(true, std::memory_order_relaxed);
            MakeRest(pieces[i], sheet);
        };
        reader.keep = [&] {
            if (!inOrder.load() && SettleParts(pieces, sheet)) {
                CloseUp(pieces, sheet);
                return true;
            }
            sheet.cells = {};
            return false;
        };
        Package::PiecedXml xml;
        const bool read = package.ReadXmlPieceByPiece(xml, sheet.partName, "sheetData", "row",
                                                      pugi::parse_default | pugi::parse_ws_pcdata_single,
                                                      budget_.Remaining(), options_.threads, reader);
        if (!pieces.empty()) {
            for (Part& piece : pieces)
                MakeRest(piece, sheet);
            // The pieces' cells were made on other threads, whose memory the rest of the run
            // would not use again: it goes back to the system at once.
            std::vector<Part>().swap(pieces);
#ifdef __GLIBC__
            malloc_trim(0);
#endif
        }
        auto root = xml.doc.document_element();
        if (LocalName(root) != "worksheet")
            throw WorkbookError("Part " + PrintableText(sheet.partName) + " of sheet " + shownName_ +
                                " is not a worksheet");
        if (auto protection = Child(root, "sheetProtection"))
            sheet.isProtected = IsTrue(Attribute(protection, "sheet").value());
        if (!read) {
            // Whatever the pieces put in the list goes (room taken before the part turned out
            // to need reading whole): the rows are read from the trees.
            sheet.cells = {};
            std::vector<pugi::xml_node> holders{Child(root, "sheetData")};
            for (const auto& piece : xml.pieces)
                holders.push_back(*piece);
            ReadHolders(holders, sheet);
            if (!xml.pieces.empty()) {
                xml.pieces.clear();
#ifdef __GLIBC__
                malloc_trim(0);
#endif
            }
        }
        Finish(sheet);
    }

private:
    // The row's index from its number, or the one after the row before when it has none.
    // The number a row's "r" gives, when it is one a sheet can have.
    static std::optional<std::uint32_t> RowNumber(const pugi::xml_attribute& r)
    {
        auto n = ParseUnsigned(r.value());
        return n && *n >= 1 && *n <= kMaxRows ? n : std::nullopt;
    }

    std::int64_t RowIndex(const pugi::xml_node& row, std::int64_t before) const
    {
        std::int64_t rowIndex = before + 1;
        if (auto r = Attribute(row, "r")) {
            auto n = RowNumber(r);
            if (!n)
                throw WorkbookError("Sheet " + shownName_ + " has a row with the invalid number " +
                                    Shown(r.value()));
            rowIndex = *n - 1;
        }
        if (rowIndex >= kMaxRows)
            throw WorkbookError("Sheet " + shownName_ + " has more rows than a sheet can hold");
        return rowIndex;
    }

    // The rows of a sheet with their indexes, in parts of kRowsPerPart, and room for their cells
    // that may hold something (those with a child element; cells listed only for their style
    // are not counted). The list ends before a row whose number is wrong.
    struct Rows {
        static constexpr std::size_t kRowsPerPart = 2048;
        struct Part {
            std::size_t firstRow = 0; // in rows
            std::size_t lastRow = 0;
            std::size_t firstCell = 0; // the room of its cells in the list of all
        };
        std::vector<std::pair<pugi::xml_node, std::uint32_t>> rows;
        std::vector<Part> parts;
        std::size_t room = 0;
        pugi::xml_node faulty;
    };

    // The rows of one holder with their numbers (0 for none, kMaxRows + 1 for an unreadable
    // one, which ends the list) and the room for their cells. Touches only the holder's tree.
    struct HolderRows {
        struct Row {
            pugi::xml_node node;
            std::uint64_t number;
            std::uint32_t room;
        };
        std::vector<Row> rows;
        std::exception_ptr failure; // out of memory
    };

    static void ListHolder(const pugi::xml_node& holder, HolderRows& list)
    {
        try {
            for (auto row : holder.children()) {
                if (LocalName(row) != "row")
                    continue;
                std::uint64_t number = 0;
                if (auto r = Attribute(row, "r"))
                    number = RowNumber(r).value_or(kMaxRows + 1);
                std::uint32_t room = 0;
                for (auto c = row.first_child(); c; c = c.next_sibling())
                    room += c.first_child() ? 1 : 0;
                list.rows.push_back({row, number, room});
                if (number > kMaxRows)
                    return;
            }
        } catch (...) {
            list.failure = std::current_exception();
        }
    }

    // The rows are the children of the holders, one holder after another: the sheetData
    // element, then the pieces its content was parsed in. The holders are walked on every
    // processor; their rows are then numbered in order.
    Rows ListRows(const std::vector<pugi::xml_node>& holders) const
    {
        std::vector<HolderRows> listed(holders.size());
        base::ForEachOnThreads(0, holders.size(), options_.threads,
                              [&](std::size_t i) { ListHolder(holders[i], listed[i]); });
        Rows list;
        std::int64_t rowIndex = -1;
        for (const HolderRows& holder : listed) {
            if (holder.failure)
                std::rethrow_exception(holder.failure);
            for (const HolderRows::Row& row : holder.rows) {
                rowIndex = row.number != 0 ? static_cast<std::int64_t>(row.number) - 1 : rowIndex + 1;
                if (row.number > kMaxRows || rowIndex >= kMaxRows) {
                    list.faulty = row.node;
                    return list;
                }
                if (list.rows.size() % Rows::kRowsPerPart == 0)
                    list.parts.push_back({list.rows.size(), list.rows.size(), list.room});
                list.rows.emplace_back(row.node, static_cast<std::uint32_t>(rowIndex));
                list.parts.back().lastRow = list.rows.size();
                list.room += row.room;
            }
        }
        return list;
    }

    // A cell of a shared formula whose defining cell lies before the rows a part reads, or a
    // cell defining one that counts only if no cell before did; settled when the parts join.
    struct SharedUse {
        std::uint32_t index = 0; // the formula, defined when it was unknown before
        std::size_t cell = 0;    // in the part's cells, for a use
        bool defines = false;
        SharedFormula formula; // what a definition gives; a use's own place as anchor
    };

    // The rows of the holders read in order: the sheetData element, then the pieces its
    // content was parsed in.
    void ReadHolders(const std::vector<pugi::xml_node>& holders, Sheet& sheet)
    {
        const Rows rows = ListRows(holders);
        if (ReadRowsAtOnce(rows, sheet))
            return;
        // Room for the cells that may hold something, taken only within the memory budget:
        // a list of a million cells grown as it is read would be moved twenty times over.
        if (rows.room * sizeof(Cell) <= budget_.Remaining())
            sheet.cells.reserve(sheet.cells.size() + rows.room);
        for (const auto& [row, rowIndex] : rows.rows)
            ReadRow(row, rowIndex, sheet);
        // The fault that ended the list comes after every row before it.
        if (rows.faulty)
            RowIndex(rows.faulty, rows.rows.empty() ? -1 : rows.rows.back().second);
    }

    // What a part of the rows read on a thread of its own leaves to be settled when the parts
    // join: where its cells stand in the sheet's list, its area, the shared formulas it defined
    // and those it used before they were defined, and its own memory budget.
    struct Part {
        std::size_t first = 0; // its room in the sheet's list
        std::size_t end = 0;
        std::size_t next = 0; // past the cells it put there
        bool made = false;    // every place of its room holds a cell
        std::unique_ptr<MemoryBudget> budget;
        std::optional<Area> area;
        std::unordered_map<std::uint32_t, SharedFormula> shared;
        std::vector<SharedUse> uses;
        std::vector<std::uint32_t> hidden;
        std::exception_ptr failure;

        void Take(SheetReader& reader)
        {
            area = reader.listedArea_;
            shared = std::move(reader.shared_);
            uses = std::move(reader.uses_);
            hidden = std::move(reader.hidden_);
        }
    };

    // The parts' shared formulas settled in order against those defined before them, and what
    // the parts hold charged to the budget. False when a part failed (but for a cancel or want
    // of memory, thrown again), used a formula no part before defined, or when the parts
    // together exceed the budget.
    bool SettleParts(std::vector<Part>& parts, Sheet& sheet)
    {
        std::unordered_map<std::uint32_t, SharedFormula> shared;
        std::uint64_t charged = 0;
        for (Part& part : parts) {
            if (part.failure) {
                try {
                    std::rethrow_exception(part.failure);
                } catch (const ReadCancelled&) {
                    throw;
                } catch (const std::bad_alloc&) {
                    throw;
                } catch (...) {
                    return false;
                }
            }
            for (SharedUse& use : part.uses) {
                if (use.defines) {
                    shared.try_emplace(use.index, std::move(use.formula));
                    continue;
                }
                auto it = shared.find(use.index);
                if (it == shared.end())
                    return false;
                Cell& cell = sheet.cells[use.cell];
                cell.formula = ShiftFormula(it->second.text,
                                            static_cast<std::int64_t>(cell.row) - it->second.anchor.row,
                                            static_cast<std::int64_t>(cell.column) - it->second.anchor.column);
                charged += cell.formula.size();
            }
            for (auto& [index, formula] : part.shared)
                shared[index] = std::move(formula);
            charged += part.budget->Used();
        }
        if (charged > budget_.Remaining())
            return false;
        budget_.Charge(charged);
        return true;
    }

    // The sheet's empty list grown to the parts' room with its places unmade: each part makes
    // the cells it reads in its room on its own thread, and MakeRest the places it leaves.
    // Made beforehand on this thread and then overwritten, a million cells took near a tenth
    // of a large publication.
    static void MakeRoom(const std::vector<Part>& parts, Sheet& sheet)
    {
        const CellListAllocator<Cell>::Unmade unmade;
        sheet.cells.resize(parts.empty() ? 0 : parts.back().end);
    }

    // Empty cells in the places of a part's room that its reading left unmade (all of them
    // when it was not read), before anything else touches the list.
    static void MakeRest(Part& part, Sheet& sheet) noexcept
    {
        if (part.made)
            return;
        for (std::size_t i = std::max(part.next, part.first); i < part.end; ++i)
            ::new (static_cast<void*>(&sheet.cells[i])) Cell;
        part.made = true;
    }

    // Makes the rest of every part's room when it goes, whatever way the reading ends.
    struct RestMade {
        std::vector<Part>& parts;
        Sheet& sheet;
        ~RestMade()
        {
            for (Part& part : parts)
                MakeRest(part, sheet);
        }
    };

    // A piece of the sheet's rows read into its room in the sheet's list within its share of
    // the memory budget. False when it is to be read in order: a row the piece cannot number
    // alone (its first row without a number) or a row number out of bounds; a fault of the file
    // is kept in the part.
    bool ReadPiece(const pugi::xml_node& holder, Sheet& sheet, std::uint64_t share, Part& part)
    {
        CellOutput out{sheet, part.first, part.end};
        bool numbered = true;
        try {
            part.budget = std::make_unique<MemoryBudget>(share);
            SheetReader reader(*this, *part.budget);
            std::int64_t rowIndex = -1;
            for (auto row : holder.children()) {
                if (LocalName(row) != "row")
                    continue;
                if (auto r = Attribute(row, "r")) {
                    auto n = RowNumber(r);
                    if (!n) {
                        numbered = false;
                        break;
                    }
                    rowIndex = static_cast<std::int64_t>(*n) - 1;
                } else if (rowIndex < 0 || ++rowIndex >= kMaxRows) {
                    numbered = false;
                    break;
                }
                reader.ReadRow(row, static_cast<std::uint32_t>(rowIndex), out);
            }
            if (numbered)
                part.Take(reader);
        } catch (...) {
            part.failure = std::current_exception();
        }
        part.next = out.next;
        return numbered;
    }

    // Whether a piece of a sheet's rows gives its first row's number, which a piece read apart
    // needs: a row without one follows the row before it, which the piece before holds. Read
    // from the first start tag's text, before it is parsed.
    static bool FirstRowNumbered(std::string_view text)
    {
        const std::string_view tag = text.substr(0, text.find('>'));
        for (std::size_t at = tag.find("r="); at != std::string_view::npos; at = tag.find("r=", at + 1))
            if (at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' || tag[at - 1] == '\n' || tag[at - 1] == '\r' ||
                           tag[at - 1] == ':'))
                return true;
        return false;
    }

    // How many elements named c, with any prefix, a piece of a sheet's rows starts: room for
    // its cells. A piece holds no comment, character data or instruction, so '<' opens a tag.
    static std::size_t CellTags(std::string_view text)
    {
        std::size_t count = 0;
        for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
            const std::size_t end = text.find_first_of(" \t\r\n/>", at + 1);
            if (end == std::string_view::npos)
                break;
            const std::string_view name = text.substr(at + 1, end - at - 1);
            count += name == "c" || (name.size() > 2 && name.ends_with(":c")) ? 1 : 0;
        }
        return count;
    }

    // The parts' cells closed up in the sheet's list, in order, and their areas taken in.
    void CloseUp(const std::vector<Part>& parts, Sheet& sheet)
    {
        std::size_t kept = 0;
        for (const Part& part : parts) {
            for (std::size_t i = part.first; i < part.next; ++i)
                if (sheet.cells[i].type != CellType::Empty || sheet.cells[i].HasFormula()) {
                    if (kept != i)
                        sheet.cells[kept] = std::move(sheet.cells[i]);
                    ++kept;
                }
            ExtendBy(part.area);
            hidden_.insert(hidden_.end(), part.hidden.begin(), part.hidden.end());
        }
        sheet.cells.resize(kept);
    }

    void ExtendBy(const std::optional<Area>& area)
    {
        if (area)
            for (CellAddress corner :
                 {CellAddress{area->firstRow, area->firstColumn}, CellAddress{area->lastRow, area->lastColumn}})
                Extend(corner);
    }

    // A part's reader: the same settings, its own cells, area, shared formulas and budget.
    SheetReader(const SheetReader& whole, MemoryBudget& budget)
        : strings_(whole.strings_), styles_(whole.styles_), date1904_(whole.date1904_), options_(whole.options_),
          budget_(budget), shownName_(whole.shownName_), part_(true)
    {
    }

    // Rows are read on several threads, parts of them at a time, for a sheet of many. The
    // result is the one reading them in order gives; when anything goes wrong in a part (a
    // fault of the file, a part holding more than its share of the memory budget), nothing is
    // kept and the rows are read again in order, which finds the same fault at its place.
    // False when the rows are to be read in order.
    bool ReadRowsAtOnce(const Rows& rows, Sheet& sheet)
    {
        const unsigned threads = options_.threads ? options_.threads : base::UsableProcessors();
        const std::size_t room = rows.room;
        if (threads < 2 || rows.parts.size() < 2 || rows.faulty || !sheet.cells.empty() ||
            room * sizeof(Cell) > budget_.Remaining())
            return false;
        std::vector<Part> parts(rows.parts.size());
        for (std::size_t p = 0; p < parts.size(); ++p) {
            parts[p].first = parts[p].next = rows.parts[p].firstCell;
            parts[p].end = p + 1 < parts.size() ? rows.parts[p + 1].firstCell : room;
        }
        MakeRoom(parts, sheet);
        const RestMade rest{parts, sheet};
        const std::uint64_t share = (budget_.Remaining() - room * sizeof(Cell)) / parts.size();
        base::ForEachOnThreads(0, parts.size(), threads, [&](std::size_t p) {
            Part& part = parts[p];
            CellOutput out{sheet, part.first, part.end};
            try {
                part.budget = std::make_unique<MemoryBudget>(share);
                SheetReader reader(*this, *part.budget);
                for (std::size_t i = rows.parts[p].firstRow; i < rows.parts[p].lastRow; ++i)
                    reader.ReadRow(rows.rows[i].first, rows.rows[i].second, out);
                part.Take(reader);
            } catch (...) {
                part.failure = std::current_exception();
            }
            part.next = out.next;
            MakeRest(part, sheet);
        });
        for (Part& part : parts)
            MakeRest(part, sheet);
        if (!SettleParts(parts, sheet)) {
            sheet.cells = {};
            return false;
        }
        CloseUp(parts, sheet);
        return true;
    }

    // Where a reader puts the cells it keeps: at the end of the sheet's list, or, for a part
    // of the rows, into the room kept for them in it.
    struct CellOutput {
        Sheet& sheet;
        std::size_t next = SIZE_MAX; // the part's next place; SIZE_MAX appends
        std::size_t end = SIZE_MAX;  // past the part's room
        std::size_t Place() const { return next == SIZE_MAX ? sheet.cells.size() : next; }
        void Put(Cell&& cell)
        {
            if (next == SIZE_MAX) {
                sheet.cells.push_back(std::move(cell));
                return;
            }
            // Never met while the room is counted right; reading in order finds what is wrong.
            if (next >= end)
                throw WorkbookError("A part of the rows holds more cells than its room");
            // The place is unmade until now (MakeRoom).
            ::new (static_cast<void*>(&sheet.cells[next++])) Cell(std::move(cell));
        }
    };

    void ReadRow(const pugi::xml_node& row, std::uint32_t rowIndex, Sheet& sheet)
    {
        CellOutput out{sheet};
        ReadRow(row, rowIndex, out);
    }

    void ReadRow(const pugi::xml_node& row, std::uint32_t rowIndex, CellOutput& out)
    {
        if (IsTrue(Attribute(row, "hidden").value()))
            hidden_.push_back(rowIndex);
        const Sheet& sheet = out.sheet;
        std::int64_t columnIndex = -1;
        for (auto c : row.children()) {
            if (LocalName(c) != "c")
                continue;
            const CellElement parts = ReadCellElement(c);
            CellAddress address{rowIndex, 0};
            if (auto r = parts.reference) {
                auto parsed = ParseCellAddress(r.value());
                if (!parsed)
                    throw WorkbookError("Sheet " + shownName_ + " has a cell with the invalid reference " +
                                        Shown(r.value()));
                address = *parsed;
                columnIndex = address.column;
            } else {
                ++columnIndex;
                if (columnIndex >= kMaxColumns)
                    throw WorkbookError("Sheet " + shownName_ + " has more columns than a sheet can hold");
                address.column = static_cast<std::uint32_t>(columnIndex);
            }
            if (options_.cancel && (++listed_ & 0xFFF) == 0 && options_.cancel->load())
                throw ReadCancelled();
            Extend(address);
            // A cell listed only for its style holds nothing: it counts for the used range but
            // is not kept, so millions of them cost nothing.
            if (!parts.value && !parts.formula && !parts.inlineString)
                continue;
            const std::size_t uses = uses_.size();
            Cell cell = ReadCell(parts, address);
            // A use of a shared formula defined before the part is kept until it is settled.
            const bool settledLater = uses_.size() > uses && !uses_.back().defines;
            if (settledLater)
                uses_.back().cell = out.Place();
            if (cell.type == CellType::Empty && !cell.HasFormula() && !settledLater)
                continue;
            // The cell model keys every cell by its sheet's name.
            budget_.Charge(sizeof(Cell) + cell.text.size() + cell.formula.size() + cell.formatCode.size() +
                           sheet.name.size());
            out.Put(std::move(cell));
        }
    }

    void Extend(CellAddress address)
    {
        if (!listedArea_) {
            listedArea_ = Area{address.row, address.column, address.row, address.column};
            return;
        }
        listedArea_->firstRow = std::min(listedArea_->firstRow, address.row);
        listedArea_->lastRow = std::max(listedArea_->lastRow, address.row);
        listedArea_->firstColumn = std::min(listedArea_->firstColumn, address.column);
        listedArea_->lastColumn = std::max(listedArea_->lastColumn, address.column);
    }

    std::string Where(CellAddress address) const
    {
        return "cell " + FormatQualifiedCell(shownName_, address);
    }

    void ReadFormat(const CellElement& c, Cell& cell)
    {
        std::uint32_t style = 0;
        // An empty index (s="") is the default style, as other readers take it.
        if (auto s = c.style; s && *s.value() != '\0') {
            auto parsed = ParseUnsigned(s.value());
            if (!parsed)
                throw WorkbookError("Invalid style index in " + Where({cell.row, cell.column}));
            style = *parsed;
        }
        // A style the styles part lacks only costs the number format, not the value.
        if (style < styles_.xfFormatIds.size())
            cell.numFmtId = styles_.xfFormatIds[style];
        auto custom = styles_.customFormats.find(cell.numFmtId);
        if (custom != styles_.customFormats.end()) {
            cell.formatCode = custom->second;
            cell.isDate = IsDateFormat(cell.formatCode);
        } else {
            cell.formatCode = BuiltInFormatCode(cell.numFmtId);
            if (cell.formatCode.empty())
                cell.formatCode = "General";
            cell.isDate = IsDateFormatId(cell.numFmtId);
        }
    }

    Cell ReadCell(const CellElement& c, CellAddress address)
    {
        Cell cell;
        cell.row = address.row;
        cell.column = address.column;
        ReadFormat(c, cell);
        if (auto f = c.formula)
            ReadFormula(f, cell, address);
        ReadValue(c, cell, address);
        if (cell.type != CellType::Number)
            cell.isDate = false;
        if (cell.type == CellType::Text)
            CheckTextLength(cell.text, [&] { return "The text in " + Where(address); });
        return cell;
    }

    void ReadValue(const CellElement& c, Cell& cell, CellAddress address)
    {
        std::string_view type = c.type.value();
        auto v = c.value;
        const char* raw = v.text().get();
        auto where = [&] { return Where(address); };
        if (type == "inlineStr") {
            cell.type = CellType::Text;
            cell.text = StringItemText(c.inlineString);
        } else if (!v || (*raw == '\0' && type != "str")) {
            // Some programs write an empty <v/> for a cell without value.
            cell.type = CellType::Empty;
        } else if (type == "s") {
            auto index = ParseUnsigned(raw);
            if (!index || *index >= strings_.size())
                throw WorkbookError("Shared string index " + Shown(raw) + " of " + where() +
                                    " is not in the shared strings");
            cell.type = CellType::Text;
            cell.text = strings_[*index];
        } else if (type == "str") {
            cell.type = CellType::Text;
            cell.text = DecodeEscapes(raw);
        } else if (type == "b") {
            cell.type = CellType::Boolean;
            std::string_view b = raw;
            if (b != "0" && b != "1" && b != "true" && b != "false")
                throw WorkbookError("Invalid boolean " + Shown(raw) + " in " + where());
            cell.number = IsTrue(b) ? 1 : 0;
        } else if (type == "e") {
            cell.type = CellType::Error;
            if (std::strlen(raw) > kMaxErrorLiteral)
                throw WorkbookError("Invalid error value " + Shown(raw) + " in " + where());
            cell.text = raw;
        } else if (type == "d") {
            auto serial = IsoDateToSerial(raw, date1904_);
            if (!serial)
                throw WorkbookError("Invalid date " + Shown(raw) + " in " + where());
            cell.type = CellType::Number;
            cell.number = *serial;
            cell.isDate = true;
        } else if (type.empty() || type == "n") {
            auto number = ParseNumber(raw);
            if (!number)
                throw WorkbookError("Invalid number " + Shown(raw) + " in " + where());
            cell.type = CellType::Number;
            cell.number = *number;
        } else {
            throw WorkbookError("Unknown cell type " + Shown(type) + " in " + where());
        }
    }

    void ReadFormula(const pugi::xml_node& f, Cell& cell, CellAddress address)
    {
        std::string_view kind = Attribute(f, "t").value();
        std::string text = f.text().get();
        // Refused here rather than by the formula check: a shared formula's text is copied
        // to every cell it covers.
        if (text.size() > kMaxFormulaLength)
            throw WorkbookError("The formula in " + Where(address) + " is longer than " +
                                std::to_string(kMaxFormulaLength) + " characters");
        if (kind == "shared") {
            auto si = ParseUnsigned(Attribute(f, "si").value());
            if (!si)
                throw WorkbookError("Shared formula without a valid index in " + Where(address));
            auto it = shared_.find(*si);
            if (!text.empty()) {
                // A cell that spells its shared formula out is taken at its word.
                cell.formula = text;
                if (part_ && it == shared_.end() && !Attribute(f, "ref"))
                    uses_.push_back({*si, 0, true, {address, text}}); // defines it unless a cell before did
                else if (it == shared_.end() || Attribute(f, "ref"))
                    shared_[*si] = {address, text};
            } else if (part_ && it == shared_.end()) {
                uses_.push_back({*si, 0, false, {address, {}}});
            } else if (it != shared_.end()) {
                const SharedFormula& master = it->second;
                cell.formula =
                    ShiftFormula(master.text, static_cast<std::int64_t>(address.row) - master.anchor.row,
                                 static_cast<std::int64_t>(address.column) - master.anchor.column);
            } else {
                throw WorkbookError("Shared formula " + std::to_string(*si) + " used in " + Where(address) +
                                    " before it is defined");
            }
        } else if (kind == "array") {
            cell.formula = text;
            auto ref = Attribute(f, "ref");
            auto area = ParseArea(ref.value());
            if (!area)
                throw WorkbookError("Array formula with an invalid range in " + Where(address));
            cell.arrayRange = *area;
        } else if (kind.empty() || kind == "normal") {
            cell.formula = std::move(text);
        }
        // Data-table cells keep only their values: their formula is not a text of its own.
    }

    void Finish(Sheet& sheet)
    {
        auto before = [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        };
        if (!std::is_sorted(sheet.cells.begin(), sheet.cells.end(), before))
            std::stable_sort(sheet.cells.begin(), sheet.cells.end(), before);
        // A cell listed twice keeps its last entry, as the program that wrote it meant.
        auto last = sheet.cells.begin();
        for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it) {
            if (it != last && it->row == last->row && it->column == last->column)
                *last = std::move(*it);
            else if (it != last && ++last != it)
                *last = std::move(*it);
        }
        if (!sheet.cells.empty())
            sheet.cells.erase(last + 1, sheet.cells.end());
        sheet.usedRange = listedArea_;
        std::sort(hidden_.begin(), hidden_.end());
        hidden_.erase(std::unique(hidden_.begin(), hidden_.end()), hidden_.end());
        sheet.hiddenRows = std::move(hidden_);
        hidden_.clear();
        SpreadArrayFormulas(sheet);
    }

    // Every listed cell of an array formula's area carries the formula and the area, so each
    // can take its element of the result; the copies are charged to the memory budget.
    void SpreadArrayFormulas(Sheet& sheet)
    {
        std::vector<std::size_t> anchors;
        for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
            const Cell& cell = sheet.cells[i];
            if (cell.arrayRange && cell.HasFormula() && cell.row == cell.arrayRange->firstRow &&
                cell.column == cell.arrayRange->firstColumn)
                anchors.push_back(i);
        }
        // Areas of a sound workbook never overlap, so each cell is passed about once; a
        // damaged one could have every area span the sheet.
        std::uint64_t steps = 0;
        const std::uint64_t maxSteps = 4 * static_cast<std::uint64_t>(sheet.cells.size()) + 4096;
        for (std::size_t anchor : anchors) {
            const Area area = *sheet.cells[anchor].arrayRange;
            const std::string text = sheet.cells[anchor].formula;
            auto it = std::lower_bound(sheet.cells.begin(), sheet.cells.end(), std::make_pair(area.firstRow, area.firstColumn),
                                       [](const Cell& cell, const std::pair<std::uint32_t, std::uint32_t>& place) {
                                           return std::make_pair(cell.row, cell.column) < place;
                                       });
            for (; it != sheet.cells.end() && it->row <= area.lastRow; ++it) {
                if (++steps > maxSteps)
                    throw WorkbookError("The array formulas of sheet " + shownName_ + " overlap");
                if (it->column < area.firstColumn || it->column > area.lastColumn || it->HasFormula())
                    continue;
                budget_.Charge(text.size());
                it->formula = text;
                it->arrayRange = area;
            }
        }
    }

    // Longer than any error literal the program writes ("#GETTING_DATA").
    static constexpr std::size_t kMaxErrorLiteral = 32;

    const std::vector<std::string>& strings_;
    const Styles& styles_;
    bool date1904_;
    const ReadOptions& options_;
    MemoryBudget& budget_;
    std::string shownName_;
    std::size_t listed_ = 0;
    std::optional<Area> listedArea_;
    std::unordered_map<std::uint32_t, SharedFormula> shared_;
    // Reading a part of the rows (ReadRowsAtOnce): what is settled when the parts join.
    bool part_ = false;
    std::vector<SharedUse> uses_;
    std::vector<std::uint32_t> hidden_; // the rows marked hidden, as read
};

std::string FindRelated(const std::vector<Relationship>& rels, std::string_view typeSuffix)
{
    for (const auto& rel : rels)
        if (!rel.external && EndsWith(rel.type, typeSuffix))
            return rel.target;
    return {};
}

} // namespace

const Cell* Sheet::FindCell(std::uint32_t row, std::uint32_t column) const
{
    auto it = std::lower_bound(cells.begin(), cells.end(), std::make_pair(row, column),
                               [](const Cell& cell, const std::pair<std::uint32_t, std::uint32_t>& place) {
                                   return std::make_pair(cell.row, cell.column) < place;
                               });
    return it != cells.end() && it->row == row && it->column == column ? &*it : nullptr;
}

const Sheet* Workbook::FindSheet(const std::string& name) const
{
    for (const auto& sheet : sheets)
        if (EqualNoCaseAscii(sheet.name, name))
            return &sheet;
    return nullptr;
}

std::size_t Workbook::CellCount() const
{
    std::size_t n = 0;
    for (const auto& sheet : sheets)
        n += sheet.cells.size();
    return n;
}

std::size_t Workbook::FormulaCount() const
{
    std::size_t n = 0;
    for (const auto& sheet : sheets)
        for (const auto& cell : sheet.cells)
            n += cell.HasFormula() ? 1 : 0;
    return n;
}

std::string FindWorkbookPart(Package& package)
{
    std::string part = FindRelated(package.ReadRelationships(""), "/officeDocument");
    if (part.empty() && package.HasPart("xl/workbook.xml"))
        part = "xl/workbook.xml";
    if (part.empty() && package.HasPart("content.xml") && package.HasPart("mimetype"))
        throw WorkbookError("OpenDocument spreadsheets (.ods) are not read; save the workbook as .xlsx");
    if (part.empty())
        throw WorkbookError("Not a workbook: the package has no workbook part");
    if (EndsWith(part, ".bin"))
        throw WorkbookError("Binary .xlsb workbooks are not read; save the workbook as .xlsx");
    if (!package.HasPart(part))
        throw WorkbookError("Workbook part " + PrintableText(part) + " named by the package is missing");
    return part;
}

std::vector<SheetLocation> LocateSheets(Package& package)
{
    std::string workbookPart = FindWorkbookPart(package);
    auto rels = package.ReadRelationships(workbookPart);
    auto doc = package.ReadXml(workbookPart);
    auto root = doc.document_element();
    if (LocalName(root) != "workbook")
        throw WorkbookError("Part " + PrintableText(workbookPart) + " is not a workbook");
    std::unordered_map<std::string, const Relationship*> relById;
    for (const auto& r : rels)
        relById[r.id] = &r; // the last of equal ids, as a scan would find it
    std::vector<SheetLocation> result;
    for (auto node : Child(root, "sheets").children()) {
        if (LocalName(node) != "sheet")
            continue;
        SheetLocation location;
        location.name = Attribute(node, "name").value();
        std::string id = Attribute(node, "id").value();
        // A sheet listed without a relationship (some writers leave very hidden sheets so) has
        // no cells to read.
        if (id.empty())
            continue;
        auto found = relById.find(id);
        const Relationship* rel = found == relById.end() ? nullptr : found->second;
        if (location.name.empty())
            throw WorkbookError("Workbook part " + PrintableText(workbookPart) +
                                " lists a sheet without a name");
        if (!rel || rel->external)
            throw WorkbookError("Sheet " + PrintableText(location.name) + " has no part in the package");
        // Chart and dialog sheets hold no cells.
        if (!EndsWith(rel->type, "/worksheet"))
            continue;
        location.partName = rel->target;
        if (!package.HasPart(location.partName))
            throw WorkbookError("Part " + PrintableText(location.partName) + " of sheet " +
                                PrintableText(location.name) + " is missing");
        result.push_back(std::move(location));
    }
    return result;
}

Workbook ReadWorkbook(std::vector<std::uint8_t> bytes, const ReadOptions& options)
{
    Package package(std::move(bytes), options.limits);
    std::string workbookPart = FindWorkbookPart(package);
    auto rels = package.ReadRelationships(workbookPart);
    MemoryBudget budget(options.maxMemoryBytes);
    auto doc =
        package.ReadXml(workbookPart, pugi::parse_default | pugi::parse_ws_pcdata_single, budget.Remaining());
    auto root = doc.document_element();

    Workbook workbook;
    workbook.date1904 = IsTrue(Attribute(Child(root, "workbookPr"), "date1904").value());
    auto calc = Child(root, "calcPr");
    workbook.iterate = IsTrue(Attribute(calc, "iterate").value());
    // Out-of-range settings keep the defaults rather than iterate without end or not at all.
    if (auto count = ParseUnsigned(Attribute(calc, "iterateCount").value()); count && *count >= 1)
        workbook.iterateCount = static_cast<int>(std::min<std::uint32_t>(*count, 32767));
    if (auto delta = ParseNumber(Attribute(calc, "iterateDelta").value()); delta && *delta >= 0)
        workbook.iterateDelta = *delta;

    std::vector<std::string> strings =
        ReadSharedStrings(package, FindRelated(rels, "/sharedStrings"), budget);
    Styles styles = ReadStyles(package, FindRelated(rels, "/styles"), budget);

    // Sheet indexes of defined names count every sheet, chart sheets included.
    std::vector<int> sheetIndexOfPosition;
    auto locations = LocateSheets(package);
    std::size_t next = 0;
    std::unordered_set<std::string> sheetNames; // folded as FindSheet folds them
    for (auto node : Child(root, "sheets").children()) {
        if (LocalName(node) != "sheet")
            continue;
        std::string name = Attribute(node, "name").value();
        if (next < locations.size() && locations[next].name == name) {
            Sheet sheet;
            sheet.name = name;
            sheet.partName = locations[next].partName;
            std::string_view state = Attribute(node, "state").value();
            sheet.hidden = state == "hidden" || state == "veryHidden";
            if (!sheetNames.insert(UpperAscii(name)).second)
                throw WorkbookError("Workbook has two sheets named " + PrintableText(name));
            budget.Charge(sizeof(Sheet) + name.size() + sheet.partName.size());
            workbook.sheets.push_back(std::move(sheet));
            sheetIndexOfPosition.push_back(static_cast<int>(workbook.sheets.size()) - 1);
            ++next;
        } else {
            sheetIndexOfPosition.push_back(-1);
        }
    }

    for (auto& sheet : workbook.sheets) {
        if (options.cancel && options.cancel->load())
            throw ReadCancelled();
        SheetReader(strings, styles, workbook.date1904, options, budget).Read(package, sheet);
    }

    for (auto node : Child(root, "definedNames").children()) {
        if (LocalName(node) != "definedName")
            continue;
        DefinedName name;
        name.name = Attribute(node, "name").value();
        name.formula = node.text().get();
        name.hidden = IsTrue(Attribute(node, "hidden").value());
        // Cut, its text could name another cell (B10 read as B1); refused like a cell's formula.
        if (name.formula.size() > kMaxFormulaLength)
            throw WorkbookError("Defined name " + PrintableText(name.name) + " is longer than " +
                                std::to_string(kMaxFormulaLength) + " characters");
        if (auto local = Attribute(node, "localSheetId")) {
            auto index = ParseUnsigned(local.value());
            if (!index || *index >= sheetIndexOfPosition.size())
                throw WorkbookError("Defined name " + PrintableText(name.name) +
                                    " belongs to a sheet that does not exist");
            name.localSheet = sheetIndexOfPosition[*index];
            if (name.localSheet < 0)
                continue; // a name of a chart sheet
        }
        budget.Charge(sizeof(DefinedName) + name.name.size() + name.formula.size());
        workbook.names.push_back(std::move(name));
    }
    return workbook;
}

ReadOptions ReadOptionsWithin(std::uint64_t budgetBytes)
{
    ReadOptions within;
    within.maxMemoryBytes = budgetBytes;
    within.limits.maxXmlTreeBytes = budgetBytes;
    within.limits.maxPartBytes = std::max(within.limits.maxPartBytes, budgetBytes / 4);
    within.limits.maxTotalBytes = std::max(within.limits.maxTotalBytes, budgetBytes);
    within.limits.maxPackageBytes = std::max(within.limits.maxPackageBytes, budgetBytes);
    return within;
}

Workbook ReadWorkbookFile(const std::string& path, const ReadOptions& options)
{
    return ReadWorkbook(Package::ReadFile(path, options.limits), options);
}

} // namespace sheet::xlsx
