#include "sheet/workbook/XlsxPackage.h"

#include "base/Processors.h"
#include "base/ScopeGuard.h"
#include "sheet/AsciiCase.h"
#include "sheet/MessageText.h"
#include "sheet/workbook/WorkbookError.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace sheet::xlsx {

namespace {

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// A workbook saved with a password is not a zip but a compound file holding the encrypted
// package in a stream of this name (stored in UTF-16).
bool IsEncryptedWorkbook(const std::vector<std::uint8_t>& bytes)
{
    static const std::string name = [] {
        std::string utf16;
        for (char c : std::string_view("EncryptedPackage")) {
            utf16 += c;
            utf16 += '\0';
        }
        return utf16;
    }();
    return std::search(bytes.begin(), bytes.end(), name.begin(), name.end()) != bytes.end();
}

std::string PartText(std::string_view name)
{
    return PrintableText(name, 128);
}

// Closes the descriptor on every way out.
struct FileDescriptor {
    int fd;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Element and attribute nodes of the XML library (eight and five pointers on 64-bit
// systems), rounded up for its page headers.
constexpr std::uint64_t kXmlNodeBytes = 72;
constexpr std::uint64_t kXmlAttributeBytes = 48;
// Deflate cannot expand a byte into more than about 1032.
constexpr std::uint64_t kMaxInflateRatio = 1040;

WorkbookError TooDeep(std::string_view name, std::uint32_t limit)
{
    return WorkbookError("Workbook part " + PartText(name) + " nests elements more than " + std::to_string(limit) +
                         " levels deep");
}

std::uint32_t SubtreeDepth(const pugi::xml_node& root)
{
    // Walked without recursion: the depth is what we are afraid of.
    std::uint32_t depth = 0;
    std::uint32_t deepest = 0;
    pugi::xml_node node = root.first_child();
    while (node) {
        deepest = std::max(deepest, depth + 1);
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling() && node != root) {
            node = node.parent();
            --depth;
        }
        if (!node || node == root)
            break;
        node = node.next_sibling();
    }
    return deepest;
}

// The depth of the deepest node below root. The levels near the root are walked one after
// another until one is wide (a sheet's rows); the subtrees of that level are then walked on
// every processor.
std::uint32_t MaxDepth(const pugi::xml_node& root)
{
    constexpr std::size_t kWideLevel = 4096;
    constexpr std::uint32_t kLevelsWalkedInTurn = 8;
    std::vector<pugi::xml_node> level;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling())
        level.push_back(child);
    std::uint32_t deepest = 0;
    for (std::uint32_t depth = 1; !level.empty(); ++depth) {
        deepest = depth;
        if (level.size() >= kWideLevel || depth == kLevelsWalkedInTurn) {
            constexpr std::size_t kPart = 1024;
            std::vector<std::uint32_t> below((level.size() + kPart - 1) / kPart, 0);
            base::ForEachOnThreads(0, below.size(), 0, [&](std::size_t part) {
                const std::size_t end = std::min(level.size(), (part + 1) * kPart);
                for (std::size_t i = part * kPart; i < end; ++i)
                    below[part] = std::max(below[part], SubtreeDepth(level[i]));
            });
            return depth + *std::max_element(below.begin(), below.end());
        }
        std::vector<pugi::xml_node> next;
        for (const pugi::xml_node& node : level)
            for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
                next.push_back(child);
        level = std::move(next);
    }
    return deepest;
}

} // namespace

std::vector<std::uint8_t> Package::ReadFile(const std::string& path, const PackageLimits& limits)
{
    std::string shown = PrintableText(path, 256);
    // Without O_NONBLOCK, opening a named pipe would wait for a writer that never comes.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        throw WorkbookError("Cannot open workbook " + shown + " (" + std::strerror(errno) + ")");
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        throw WorkbookError("Cannot read workbook " + shown + " (" + std::strerror(errno) + ")");
    if (S_ISDIR(info.st_mode))
        throw WorkbookError("Workbook " + shown + " is a folder, not a file");
    if (!S_ISREG(info.st_mode))
        throw WorkbookError("Workbook " + shown + " is not a regular file (a pipe, socket or device)");
    if (static_cast<std::uint64_t>(info.st_size) > limits.maxPackageBytes)
        throw WorkbookError("Workbook " + shown + " is larger than " +
                            std::to_string(limits.maxPackageBytes >> 20) + " MB");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw WorkbookError("Cannot read workbook " + shown);
        got += static_cast<std::size_t>(n);
    }
    return bytes;
}

Package::Package(std::vector<std::uint8_t> bytes, PackageLimits limits)
    : bytes_(std::move(bytes)), limits_(limits)
{
    if (StartsWith(bytes_, {0xD0, 0xCF, 0x11, 0xE0})) {
        if (IsEncryptedWorkbook(bytes_))
            throw WorkbookError("The workbook is protected with a password and cannot be read; save it "
                                "without a password as .xlsx");
        throw WorkbookError("Old binary .xls workbooks are not read; save the workbook as .xlsx");
    }
    if (bytes_.size() > limits_.maxPackageBytes)
        throw WorkbookError("Workbook package is too large");
    if (!StartsWith(bytes_, {'P', 'K'}))
        throw WorkbookError("Not a workbook: the file is not a zip package");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive_) {
        std::string why = zip_error_strerror(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        throw WorkbookError("Not a workbook: cannot read the zip package (" + why + ")");
    }
    zip_error_fini(&error);
    zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits_.maxEntries) {
        zip_discard(archive_);
        archive_ = nullptr;
        throw WorkbookError("Workbook package has too many entries");
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!name)
            continue;
        // Programs disagree on which of two equal names counts (part names ignore case), so
        // two readers would see two different workbooks.
        if (!index_.emplace(UpperAscii(name), static_cast<std::uint64_t>(i)).second) {
            std::string shown = PartText(name); // the name belongs to the archive
            zip_discard(archive_);
            archive_ = nullptr;
            throw WorkbookError("Workbook package is damaged: it holds the part " + shown + " twice");
        }
        names_.emplace_back(name);
    }
}

Package::~Package()
{
    if (archive_)
        zip_discard(archive_);
}

std::int64_t Package::Find(std::string_view name) const
{
    auto it = index_.find(UpperAscii(name));
    return it == index_.end() ? -1 : static_cast<std::int64_t>(it->second);
}

bool Package::HasPart(std::string_view name) const
{
    return Find(name) >= 0;
}

std::size_t Package::InflatePart(std::string_view name, const std::function<char*(std::size_t, std::size_t)>& room)
{
    std::int64_t entry = Find(name);
    if (entry < 0)
        throw WorkbookError("Workbook part " + PartText(name) + " is missing");
    zip_stat_t stat;
    const bool stated = zip_stat_index(archive_, static_cast<zip_uint64_t>(entry), 0, &stat) == 0;
    if (stated && (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw WorkbookError("Workbook part " + PartText(name) +
                            " is encrypted in the zip package; workbooks never are, so the file is "
                            "not a workbook we can read");
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(entry), 0);
    if (!file)
        throw WorkbookError("Cannot open workbook part " + PartText(name) + " (" + zip_strerror(archive_) +
                            ")");
    ScopeGuard close([file] { zip_fclose(file); });
    // The stored size is only a hint: inflate in pieces and stop at the limit, so a part that
    // claims to be small but inflates without end is caught all the same. The hint sizes the
    // buffer, so an honest part is inflated straight into it, as far as deflate can really
    // expand the stored bytes.
    constexpr std::size_t kPieceBytes = 65536;
    char* data = nullptr;
    std::size_t size = 0;
    std::size_t used = 0;
    if (stated && (stat.valid & ZIP_STAT_SIZE) && (stat.valid & ZIP_STAT_COMP_SIZE)) {
        const std::uint64_t possible = std::min(stat.comp_size, limits_.maxPartBytes) * kMaxInflateRatio;
        size = static_cast<std::size_t>(std::min({stat.size, possible, limits_.maxPartBytes})) + 1;
        data = room(size, 0);
    }
    for (;;) {
        if (used == size) {
            size = static_cast<std::size_t>(
                std::min<std::uint64_t>(std::max(size * 2, used + kPieceBytes), limits_.maxPartBytes + 1));
            data = room(size, used);
        }
        zip_int64_t got = zip_fread(file, data + used, size - used);
        if (got < 0)
            throw WorkbookError("Workbook part " + PartText(name) + " is damaged (" + zip_file_strerror(file) + ")");
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
        totalRead_ += static_cast<std::uint64_t>(got);
        if (used > limits_.maxPartBytes || totalRead_ > limits_.maxTotalBytes)
            throw WorkbookError("Workbook part " + PartText(name) + " inflates beyond the size limit");
    }
    return used;
}

std::string Package::ReadPart(std::string_view name)
{
    std::string data;
    data.resize(InflatePart(name, [&data](std::size_t size, std::size_t) {
        data.resize(size);
        return data.data();
    }));
    return data;
}

std::uint64_t EstimatedXmlTreeBytes(std::string_view text)
{
    // Every node starts at a "<" (a text node ends at one) and every attribute holds a "=".
    // Counted in blocks small enough for byte-sized counts, which compilers turn into vector
    // instructions: a sheet's text is megabytes long.
    constexpr std::size_t kBlock = 255;
    std::uint64_t nodes = 0, attributes = 0;
    std::size_t at = 0;
    for (; at + kBlock <= text.size(); at += kBlock) {
        std::uint8_t blockNodes = 0, blockAttributes = 0;
        for (std::size_t i = at; i < at + kBlock; ++i) {
            blockNodes += text[i] == '<';
            blockAttributes += text[i] == '=';
        }
        nodes += blockNodes;
        attributes += blockAttributes;
    }
    for (; at < text.size(); ++at) {
        nodes += text[at] == '<';
        attributes += text[at] == '=';
    }
    return text.size() + nodes * kXmlNodeBytes + attributes * kXmlAttributeBytes;
}

Package::XmlText::~XmlText()
{
    if (data)
        pugi::get_memory_deallocation_function()(data);
}

Package::XmlText& Package::XmlText::operator=(XmlText&& other) noexcept
{
    if (this != &other) {
        if (data)
            pugi::get_memory_deallocation_function()(data);
        data = std::exchange(other.data, nullptr);
        length = other.length;
    }
    return *this;
}

Package::XmlText Package::InflateXml(std::string_view name, std::uint64_t treeBytesAllowed)
{
    // Inflated into memory of the parser's own allocator, which a document can then take over
    // and parse where it lies: a sheet's text is not copied, nor held twice.
    XmlText text;
    text.length = InflatePart(name, [&text](std::size_t size, std::size_t used) {
        auto* grown = static_cast<char*>(pugi::get_memory_allocation_function()(size));
        if (!grown)
            throw std::bad_alloc();
        if (text.data) {
            std::memcpy(grown, text.data, used);
            pugi::get_memory_deallocation_function()(text.data);
        }
        text.data = grown;
        return grown;
    });
    std::uint64_t allowed = std::min(limits_.maxXmlTreeBytes, treeBytesAllowed);
    if (EstimatedXmlTreeBytes(text.View()) > allowed)
        throw WorkbookError("Workbook part " + PartText(name) +
                            " holds too many elements to be read within " + std::to_string(allowed >> 20) +
                            " MB of memory");
    return text;
}

void Package::CheckXml(std::string_view name, const pugi::xml_document& doc, const pugi::xml_parse_result& result,
                       std::uint32_t depth) const
{
    if (!result)
        throw WorkbookError("Workbook part " + PartText(name) + " is not well-formed XML (" +
                            result.description() + " at offset " + std::to_string(result.offset) + ")");
    for (auto node : doc.children())
        if (node.type() == pugi::node_doctype)
            throw WorkbookError("Workbook part " + PartText(name) + " has a document type declaration");
    if (depth + MaxDepth(doc) > limits_.maxXmlDepth)
        throw TooDeep(name, limits_.maxXmlDepth);
}

pugi::xml_document Package::ParseXml(std::string_view name, XmlText text, unsigned parseFlags)
{
    pugi::xml_document doc;
    pugi::xml_parse_result result;
    if (text.data) {
        result = doc.load_buffer_inplace_own(text.data, text.length, parseFlags | pugi::parse_doctype);
        text.data = nullptr; // the document's now, whatever the result
    } else {
        result = doc.load_buffer("", 0, parseFlags | pugi::parse_doctype);
    }
    CheckXml(name, doc, result, 0);
    return doc;
}

pugi::xml_document Package::ReadXml(std::string_view name, unsigned parseFlags,
                                    std::uint64_t treeBytesAllowed)
{
    return ParseXml(name, InflateXml(name, treeBytesAllowed), parseFlags);
}

namespace {

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Where the text of a run of elements may be cut: the spans of the content of the one element
// named `container` (with any prefix), cut before start tags of `element` with the same prefix,
// into pieces of about pieceBytes. None when the text holds comments, character data sections
// or processing instructions past its declaration (a tag name inside one would mislead the
// search), or when the element is missing, empty or small.
std::vector<std::pair<std::size_t, std::size_t>> ContentPieces(std::string_view text, std::string_view container,
                                                                std::string_view element, std::size_t pieceBytes)
{
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    if (text.find("<!") != std::string_view::npos)
        return pieces;
    const std::size_t instruction = text.find("<?");
    if (instruction != std::string_view::npos && text.find("<?", instruction + 2) != std::string_view::npos)
        return pieces;
    // The start tag: '<', a prefix, the name, then a blank, '>' or '/'.
    std::size_t open = std::string_view::npos;
    std::string prefix;
    for (std::size_t at = text.find(container); at != std::string_view::npos; at = text.find(container, at + 1)) {
        const std::size_t after = at + container.size();
        if (after >= text.size() || !(IsXmlSpace(text[after]) || text[after] == '>' || text[after] == '/'))
            continue;
        std::size_t begin = at;
        if (begin > 0 && text[begin - 1] == ':') {
            begin -= 1;
            while (begin > 0 && IsNameChar(text[begin - 1]))
                --begin;
        }
        if (begin == 0 || text[begin - 1] != '<')
            continue;
        open = begin - 1;
        prefix = std::string(text.substr(begin, at - begin)); // "" or "x:"
        break;
    }
    if (open == std::string_view::npos || (instruction != std::string_view::npos && instruction > open))
        return pieces;
    // The pieces are read as UTF-8: a text declared in another encoding is parsed whole.
    if (instruction != std::string_view::npos) {
        const std::string_view declaration = text.substr(instruction, text.find("?>", instruction) - instruction);
        const std::size_t encoding = declaration.find("encoding");
        if (encoding != std::string_view::npos) {
            std::string_view value = declaration.substr(encoding + 8);
            value.remove_prefix(std::min(value.size(), value.find_first_of("\"'")));
            if (value.size() < 6 || !EqualNoCaseAscii(value.substr(1, 5), "utf-8"))
                return pieces;
        }
    }
    // The end of the start tag; '>' may stand inside an attribute's quotes.
    char quote = 0;
    std::size_t close = open + 1;
    for (; close < text.size(); ++close) {
        const char c = text[close];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        }
    }
    if (close >= text.size() || text[close - 1] == '/')
        return pieces;
    const std::size_t first = close + 1;
    const std::string endTag = "</" + prefix + std::string(container);
    const std::size_t last = text.rfind(endTag);
    if (last == std::string_view::npos || last < first || last - first < 2 * pieceBytes)
        return pieces;
    const std::string startTag = "<" + prefix + std::string(element);
    std::size_t begin = first;
    while (begin < last) {
        std::size_t cut = last;
        for (std::size_t at = text.find(startTag, std::min(last, begin + pieceBytes)); at < last;
             at = text.find(startTag, at + 1)) {
            const char next = text[at + startTag.size()];
            if (IsXmlSpace(next) || next == '>' || next == '/') {
                cut = at;
                break;
            }
        }
        pieces.emplace_back(begin, cut);
        begin = cut;
    }
    return pieces;
}

// How deep the element `container` (with or without a prefix) stands, the document's top
// counting 1; none when the document has none.
std::optional<std::uint32_t> ContainerDepth(const pugi::xml_document& doc, std::string_view container)
{
    pugi::xml_node holder = doc.find_node([&](const pugi::xml_node& node) {
        std::string_view full = node.name();
        return full.size() >= container.size() && full.substr(full.size() - container.size()) == container &&
               (full.size() == container.size() || full[full.size() - container.size() - 1] == ':');
    });
    if (!holder)
        return std::nullopt;
    std::uint32_t depth = 0;
    for (pugi::xml_node node = holder; node && node.type() != pugi::node_document; node = node.parent())
        ++depth;
    return depth;
}

// A large part's text is cut into pieces of about this many bytes.
constexpr std::size_t kXmlPieceBytes = std::size_t(1) << 20;

// The text with the content the spans cover left out: the part with its container empty.
std::string ContainerLeftEmpty(std::string_view whole, const std::vector<std::pair<std::size_t, std::size_t>>& spans)
{
    std::string rest;
    rest.reserve(whole.size() - (spans.back().second - spans.front().first));
    rest.append(whole.substr(0, spans.front().first)).append(whole.substr(spans.back().second));
    return rest;
}

} // namespace

std::optional<std::uint32_t> Package::RestContainerDepth(std::string_view name, const pugi::xml_document& rest,
                                                         const pugi::xml_parse_result& result,
                                                         std::string_view container) const
{
    if (!result)
        return std::nullopt;
    CheckXml(name, rest, result, 0);
    return ContainerDepth(rest, container);
}

Package::PiecedXml Package::ReadWholeAgain(std::string_view name, std::uint64_t readBefore, unsigned parseFlags,
                                           std::uint64_t treeBytesAllowed)
{
    totalRead_ = readBefore;
    PiecedXml xml;
    xml.doc = ParseXml(name, InflateXml(name, treeBytesAllowed), parseFlags);
    return xml;
}

Package::PiecedXml Package::ReadXmlInPieces(std::string_view name, std::string_view container,
                                            std::string_view element, unsigned parseFlags,
                                            std::uint64_t treeBytesAllowed, unsigned threads)
{
    const std::uint64_t readBefore = totalRead_;
    XmlText text = InflateXml(name, treeBytesAllowed);
    const std::vector<std::pair<std::size_t, std::size_t>> spans =
        ContentPieces(text.View(), container, element, kXmlPieceBytes);
    return ParsePieces(name, std::move(text), spans, container, parseFlags, treeBytesAllowed, threads, readBefore);
}

Package::PiecedXml Package::ParsePieces(std::string_view name, XmlText text,
                                        const std::vector<std::pair<std::size_t, std::size_t>>& spans,
                                        std::string_view container, unsigned parseFlags,
                                        std::uint64_t treeBytesAllowed, unsigned threads, std::uint64_t readBefore)
{
    PiecedXml xml;
    if (spans.size() < 2) {
        xml.doc = ParseXml(name, std::move(text), parseFlags);
        return xml;
    }
    // The rest of the text with the container left empty, and each piece of its content as a
    // fragment of its own, where it lies, on every processor. Should any of them fail to parse,
    // the part is read again and parsed whole, which tells what is wrong and where.
    const std::string rest = ContainerLeftEmpty(text.View(), spans);
    xml.pieces.resize(spans.size());
    std::vector<pugi::xml_parse_result> results(spans.size());
    std::vector<std::uint32_t> depths(spans.size(), 0); // of each piece, measured where it was parsed
    pugi::xml_parse_result restResult;
    base::ForEachOnThreads(0, spans.size() + 1, threads, [&](std::size_t i) {
        if (i == spans.size()) {
            restResult = xml.doc.load_buffer(rest.data(), rest.size(), parseFlags | pugi::parse_doctype);
            return;
        }
        xml.pieces[i] = std::make_unique<pugi::xml_document>();
        results[i] = xml.pieces[i]->load_buffer_inplace(text.data + spans[i].first, spans[i].second - spans[i].first,
                                                        parseFlags | pugi::parse_fragment, pugi::encoding_utf8);
        if (results[i])
            depths[i] = SubtreeDepth(*xml.pieces[i]);
    });
    auto readWhole = [&] {
        xml = PiecedXml();
        text = XmlText();
        return ReadWholeAgain(name, readBefore, parseFlags, treeBytesAllowed);
    };
    const bool parsed =
        std::all_of(results.begin(), results.end(), [](const pugi::xml_parse_result& result) { return bool(result); });
    const std::optional<std::uint32_t> depth =
        parsed ? RestContainerDepth(name, xml.doc, restResult, container) : std::nullopt;
    if (!depth)
        return readWhole();
    // A piece holds no document type declaration: its text holds no "<!".
    if (*depth + *std::max_element(depths.begin(), depths.end()) > limits_.maxXmlDepth)
        throw TooDeep(name, limits_.maxXmlDepth);
    xml.text = std::move(text);
    return xml;
}

bool Package::ReadXmlPieceByPiece(PiecedXml& xml, std::string_view name, std::string_view container,
                                  std::string_view element, unsigned parseFlags, std::uint64_t treeBytesAllowed,
                                  unsigned threads, const PieceReader& reader)
{
    const std::uint64_t readBefore = totalRead_;
    XmlText text = InflateXml(name, treeBytesAllowed);
    const std::vector<std::pair<std::size_t, std::size_t>> spans =
        ContentPieces(text.View(), container, element, kXmlPieceBytes);
    xml = PiecedXml();
    auto readWhole = [&] {
        xml = PiecedXml();
        text = XmlText();
        xml = ReadWholeAgain(name, readBefore, parseFlags, treeBytesAllowed);
        return false;
    };
    if (spans.size() < 2) {
        xml.doc = ParseXml(name, std::move(text), parseFlags);
        return false;
    }
    const std::string_view whole = text.View();
    std::vector<std::string_view> texts;
    texts.reserve(spans.size());
    for (const auto& [begin, end] : spans)
        texts.push_back(whole.substr(begin, end - begin));
    if (!reader.start(texts)) {
        xml = ParsePieces(name, std::move(text), spans, container, parseFlags, treeBytesAllowed, threads, readBefore);
        return false;
    }
    // The rest of the text with the container left empty: where the container stands bounds
    // how deep a piece may go.
    const std::string rest = ContainerLeftEmpty(whole, spans);
    const pugi::xml_parse_result restResult =
        xml.doc.load_buffer(rest.data(), rest.size(), parseFlags | pugi::parse_doctype);
    const std::optional<std::uint32_t> depth = RestContainerDepth(name, xml.doc, restResult, container);
    if (!depth)
        return readWhole();
    // Each piece read and let go on the thread that parsed it. Should one fail to parse, or
    // go too deep, what the others gave is dropped: the part is read again and parsed whole,
    // which tells what is wrong and where.
    enum class Outcome : std::uint8_t { Read, Unparsed, TooDeep };
    std::vector<Outcome> outcomes(spans.size(), Outcome::Read);
    base::ForEachOnThreads(0, spans.size(), threads, [&](std::size_t i) {
        pugi::xml_document piece;
        if (!piece.load_buffer_inplace(text.data + spans[i].first, spans[i].second - spans[i].first,
                                       parseFlags | pugi::parse_fragment, pugi::encoding_utf8)) {
            outcomes[i] = Outcome::Unparsed;
            return;
        }
        if (*depth + SubtreeDepth(piece) > limits_.maxXmlDepth) {
            outcomes[i] = Outcome::TooDeep;
            return;
        }
        reader.read(i, piece);
    });
    if (std::find(outcomes.begin(), outcomes.end(), Outcome::Unparsed) != outcomes.end())
        return readWhole();
    if (std::find(outcomes.begin(), outcomes.end(), Outcome::TooDeep) != outcomes.end())
        throw TooDeep(name, limits_.maxXmlDepth);
    if (reader.keep())
        return true;
    text = XmlText();
    xml = PiecedXml();
    totalRead_ = readBefore;
    xml = ReadXmlInPieces(name, container, element, parseFlags, treeBytesAllowed, threads);
    return false;
}

std::vector<Relationship> Package::ReadRelationships(std::string_view sourcePart)
{
    std::vector<Relationship> result;
    std::string relsName = RelationshipsPartOf(sourcePart);
    if (!HasPart(relsName))
        return result;
    pugi::xml_document doc = ReadXml(relsName);
    for (auto node : doc.document_element().children()) {
        if (LocalName(node) != "Relationship")
            continue;
        Relationship rel;
        rel.id = node.attribute("Id").value();
        rel.type = node.attribute("Type").value();
        rel.external = std::string_view(node.attribute("TargetMode").value()) == "External";
        std::string target = node.attribute("Target").value();
        rel.target = rel.external ? target : ResolvePartName(sourcePart, target);
        result.push_back(std::move(rel));
    }
    return result;
}

std::string ResolvePartName(std::string_view sourcePart, std::string_view target)
{
    std::string path;
    if (!target.empty() && target[0] == '/') {
        path = std::string(target.substr(1));
    } else {
        auto slash = sourcePart.rfind('/');
        path = slash == std::string_view::npos ? "" : std::string(sourcePart.substr(0, slash + 1));
        path += target;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        auto end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string piece = path.substr(start, end - start);
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& piece : parts) {
        if (!out.empty())
            out += '/';
        out += piece;
    }
    return out;
}

std::string RelationshipsPartOf(std::string_view part)
{
    auto slash = part.rfind('/');
    if (slash == std::string_view::npos)
        return "_rels/" + std::string(part) + ".rels";
    return std::string(part.substr(0, slash + 1)) + "_rels/" + std::string(part.substr(slash + 1)) + ".rels";
}

namespace {

std::string_view WithoutPrefix(std::string_view name)
{
    auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

} // namespace

std::string_view LocalName(const pugi::xml_node& node)
{
    return WithoutPrefix(node.name());
}

std::string_view LocalName(const pugi::xml_attribute& attribute)
{
    return WithoutPrefix(attribute.name());
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view localName)
{
    for (auto child : node.children())
        if (child.type() == pugi::node_element && LocalName(child) == localName)
            return child;
    return {};
}

pugi::xml_attribute Attribute(const pugi::xml_node& node, std::string_view localName)
{
    for (auto attr : node.attributes())
        if (LocalName(attr) == localName)
            return attr;
    return {};
}

} // namespace sheet::xlsx
