#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

struct zip;

// Read access to the zip package of a workbook with every size bounded: the package never
// makes us inflate or hold more than the limits, whatever its headers claim.
namespace sheet::xlsx {

struct PackageLimits {
    std::uint64_t maxPackageBytes = 512ull << 20; // the file itself
    // One inflated part: the XML tree of a part takes several times its size in memory, and
    // a sheet of a million cells stays well below this.
    std::uint64_t maxPartBytes = 128ull << 20;
    std::uint64_t maxTotalBytes = 512ull << 20; // all parts read from one package
    std::uint64_t maxEntries = 100000;
    // The tree of one parsed part, estimated from its text before parsing: an element takes
    // far more memory as a node than as text (an empty cell <c/> four bytes against about
    // seventy), so this bounds what a small part full of elements can make us allocate.
    std::uint64_t maxXmlTreeBytes = 512ull << 20;
    // Elements nested deeper than this are refused: real parts nest a handful of levels, and
    // the XML library removes subtrees recursively.
    std::uint32_t maxXmlDepth = 256;
};

struct Relationship {
    std::string id;
    std::string type;   // full type URI
    std::string target; // resolved part name, without a leading "/"
    bool external = false;
};

class Package {
public:
    // Takes the package bytes; throws WorkbookError when they are not a readable zip.
    Package(std::vector<std::uint8_t> bytes, PackageLimits limits = {});
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    static std::vector<std::uint8_t> ReadFile(const std::string& path, const PackageLimits& limits = {});

    bool HasPart(std::string_view name) const;
    std::string ReadPart(std::string_view name);
    // The part parsed as XML; document type declarations are refused outright so no entity
    // can expand.
    // A text of nothing but blanks is a value (a cell holding " "), so it is kept.
    // treeBytesAllowed lowers maxXmlTreeBytes for a caller that holds memory of its own.
    pugi::xml_document ReadXml(std::string_view name,
                               unsigned parseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single,
                               std::uint64_t treeBytesAllowed = UINT64_MAX);
    // A part whose one element `container` holds many `element`s (a sheet's sheetData and its
    // rows), parsed as ReadXml does but on up to `threads` threads (0: every processor): doc is
    // the part with the container's content left out, each piece a run of that content in
    // order, its top-level nodes the container's children. A part too small to share, or one
    // whose text cannot be cut safely, comes whole in doc, without pieces.
    // A part's text, inflated into memory of the XML parser's allocator.
    struct XmlText {
        char* data = nullptr;
        std::size_t length = 0;
        XmlText() = default;
        XmlText(XmlText&& other) noexcept : data(std::exchange(other.data, nullptr)), length(other.length) {}
        XmlText& operator=(XmlText&& other) noexcept;
        ~XmlText();
        std::string_view View() const { return data ? std::string_view(data, length) : std::string_view(); }
    };
    struct PiecedXml {
        XmlText text; // the pieces are parsed where they lie in it
        pugi::xml_document doc;
        std::vector<std::unique_ptr<pugi::xml_document>> pieces;
    };
    PiecedXml ReadXmlInPieces(std::string_view name, std::string_view container, std::string_view element,
                              unsigned parseFlags, std::uint64_t treeBytesAllowed, unsigned threads = 0);
    // Takes the pieces as they are parsed instead of keeping them: start(texts) is called on
    // this thread with the pieces' texts before any is parsed (false: they are to be kept
    // instead), read(i, piece) on the thread that parsed piece i, whose tree is let go as soon
    // as read returns (read must not throw), and keep() on this thread once every piece was
    // read: true when what read took stands. Only a piece's tree a thread is held at a time,
    // not the whole part's.
    struct PieceReader {
        std::function<bool(const std::vector<std::string_view>&)> start;
        std::function<void(std::size_t, const pugi::xml_node&)> read;
        std::function<bool()> keep;
    };
    // True when the pieces went to reader and it kept them: doc is then the part with the
    // container's content left out. Otherwise what read took is to be dropped and xml is what
    // ReadXmlInPieces gives: the part whole (too small to share, not safely cut, a piece that
    // does not parse alone) or, when reader did not start or keep its pieces, parsed in kept
    // pieces.
    bool ReadXmlPieceByPiece(PiecedXml& xml, std::string_view name, std::string_view container,
                             std::string_view element, unsigned parseFlags, std::uint64_t treeBytesAllowed,
                             unsigned threads, const PieceReader& reader);
    // The relationships of a part ("" for the package's own); empty when it has none.
    std::vector<Relationship> ReadRelationships(std::string_view sourcePart);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    const std::vector<std::string>& PartNames() const { return names_; }

private:
    // The part's text, refused when its tree would not fit treeBytesAllowed.
    XmlText InflateXml(std::string_view name, std::uint64_t treeBytesAllowed);
    // The document takes the text over.
    pugi::xml_document ParseXml(std::string_view name, XmlText text, unsigned parseFlags);
    // Where the container stands in the rest of a part cut in pieces, checked as ReadXml checks
    // a part; none when the rest did not parse or lacks the container, for the part to be read
    // whole.
    std::optional<std::uint32_t> RestContainerDepth(std::string_view name, const pugi::xml_document& rest,
                                                    const pugi::xml_parse_result& result,
                                                    std::string_view container) const;
    // The pieces of the text, cut at spans, parsed and kept as ReadXmlInPieces gives them.
    PiecedXml ParsePieces(std::string_view name, XmlText text,
                          const std::vector<std::pair<std::size_t, std::size_t>>& spans,
                          std::string_view container, unsigned parseFlags, std::uint64_t treeBytesAllowed,
                          unsigned threads, std::uint64_t readBefore);
    // The part read again, as if it had not been read before (what was read counted since
    // readBefore is forgotten), and parsed whole.
    PiecedXml ReadWholeAgain(std::string_view name, std::uint64_t readBefore, unsigned parseFlags,
                             std::uint64_t treeBytesAllowed);
    // Throws for a parse that failed, a document type declaration, or elements nested deeper
    // than the limit, the document's own top lying `depth` levels down.
    void CheckXml(std::string_view name, const pugi::xml_document& doc, const pugi::xml_parse_result& result,
                  std::uint32_t depth) const;
    std::int64_t Find(std::string_view name) const;
    // Inflates the part into room(size, used): a buffer of size bytes that keeps the first
    // `used` of the one before. Returns the bytes the part holds.
    std::size_t InflatePart(std::string_view name, const std::function<char*(std::size_t, std::size_t)>& room);

    std::vector<std::uint8_t> bytes_;
    PackageLimits limits_;
    zip* archive_ = nullptr;
    std::vector<std::string> names_;
    std::map<std::string, std::uint64_t> index_; // upper-cased name to entry
    std::uint64_t totalRead_ = 0;
};

// What parsing the XML text is expected to allocate, the parser's copy of the text included;
// never less than it will.
std::uint64_t EstimatedXmlTreeBytes(std::string_view text);

// Part names are case-insensitive; relationship targets are relative to the source's folder.
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);
std::string RelationshipsPartOf(std::string_view part);
// Local name of an element, without a namespace prefix ("x:c" -> "c").
std::string_view LocalName(const pugi::xml_node& node);
std::string_view LocalName(const pugi::xml_attribute& attribute);
pugi::xml_node Child(const pugi::xml_node& node, std::string_view localName);
pugi::xml_attribute Attribute(const pugi::xml_node& node, std::string_view localName);

} // namespace sheet::xlsx
