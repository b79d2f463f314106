#include "sheet/XlsxPackage.h"

#include "sheet/WorkbookError.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include <zip.h>

namespace sheet::xlsx {

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool StartsWith(const std::vector<unsigned char>& bytes, std::initializer_list<unsigned char> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

} // namespace

std::vector<unsigned char> Package::ReadFile(const std::string& path, const PackageLimits& limits)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw WorkbookError("Cannot open workbook " + path);
    in.seekg(0, std::ios::end);
    auto size = static_cast<std::streamoff>(in.tellg());
    if (size < 0)
        throw WorkbookError("Cannot read workbook " + path);
    if (static_cast<std::uint64_t>(size) > limits.maxPackageBytes)
        throw WorkbookError("Workbook " + path + " is larger than " +
                            std::to_string(limits.maxPackageBytes >> 20) + " MB");
    in.seekg(0);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw WorkbookError("Cannot read workbook " + path);
    return bytes;
}

Package::Package(std::vector<unsigned char> bytes, PackageLimits limits)
    : bytes_(std::move(bytes)), limits_(limits)
{
    if (StartsWith(bytes_, {0xD0, 0xCF, 0x11, 0xE0}))
        throw WorkbookError("Old binary .xls workbooks are not read; save the workbook as .xlsx");
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
        names_.emplace_back(name);
        index_.emplace(Lower(name), static_cast<std::uint64_t>(i));
    }
}

Package::~Package()
{
    if (archive_)
        zip_discard(archive_);
}

std::int64_t Package::Find(std::string_view name) const
{
    auto it = index_.find(Lower(name));
    return it == index_.end() ? -1 : static_cast<std::int64_t>(it->second);
}

bool Package::HasPart(std::string_view name) const
{
    return Find(name) >= 0;
}

std::string Package::ReadPart(std::string_view name)
{
    std::int64_t entry = Find(name);
    if (entry < 0)
        throw WorkbookError("Workbook part " + std::string(name) + " is missing");
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(entry), 0);
    if (!file)
        throw WorkbookError("Cannot open workbook part " + std::string(name) + " (" + zip_strerror(archive_) +
                            ")");
    // The stored size is only a hint: inflate in pieces and stop at the limit, so a part that
    // claims to be small but inflates without end is caught all the same.
    std::string data;
    char buffer[65536];
    for (;;) {
        zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            std::string why = zip_file_strerror(file);
            zip_fclose(file);
            throw WorkbookError("Workbook part " + std::string(name) + " is damaged (" + why + ")");
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(got));
        totalRead_ += static_cast<std::uint64_t>(got);
        if (data.size() > limits_.maxPartBytes || totalRead_ > limits_.maxTotalBytes) {
            zip_fclose(file);
            throw WorkbookError("Workbook part " + std::string(name) + " inflates beyond the size limit");
        }
    }
    zip_fclose(file);
    return data;
}

pugi::xml_document Package::ReadXml(std::string_view name, unsigned parseFlags)
{
    std::string text = ReadPart(name);
    pugi::xml_document doc;
    auto result = doc.load_buffer(text.data(), text.size(), parseFlags | pugi::parse_doctype);
    if (!result)
        throw WorkbookError("Workbook part " + std::string(name) + " is not well-formed XML (" +
                            result.description() + " at offset " + std::to_string(result.offset) + ")");
    for (auto node : doc.children())
        if (node.type() == pugi::node_doctype)
            throw WorkbookError("Workbook part " + std::string(name) + " has a document type declaration");
    return doc;
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

std::string_view LocalName(const pugi::xml_node& node)
{
    std::string_view name = node.name();
    auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
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
    for (auto attr : node.attributes()) {
        std::string_view name = attr.name();
        auto colon = name.find(':');
        if ((colon == std::string_view::npos ? name : name.substr(colon + 1)) == localName)
            return attr;
    }
    return {};
}

} // namespace sheet::xlsx
