#pragma once

#include "model/Component.h"
#include "publish/CustomColors.h"
#include "publish/Json.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The readable description of a document from which our writer makes document files
// (docs/document-description.md). Reading checks the shape of everything; what only the
// catalogue and the model can judge (symbols, parameter names, cell ranges) is checked when the
// document is built.
namespace publish {

// A description that cannot be used; the text names the place ("components[2].symbol: ...").
class DescriptionError : public std::runtime_error {
public:
    explicit DescriptionError(const std::string& what) : std::runtime_error(what) {}
};

struct ComponentDescription {
    std::string where; // "components[2]", for messages
    std::string symbol;
    std::string name;   // empty: named from the instance counter
    ComponentRect rect; // twips
    bool enabled = true;
    json::Value parameters; // an object shaped like the component's parameter groups, or null
};

struct RangeEntryDescription {
    std::string name;
    std::string range; // A1 text; empty for an entry without a range
};

struct FileDescription {
    std::string name; // the name the components' "fileName" parameters use
    std::filesystem::path path;
};

struct ExportSettingsDescription {
    std::optional<std::int32_t> mode; // the stored data-source number
    std::optional<std::string> excelFile, url, urlCell, gatewayUrl, password;
    std::optional<std::int32_t> refreshSeconds, connectionMethod;
    std::optional<bool> refresh, sampleQuery, collaboration, realTimeCollaboration;
};

struct DocDescription {
    std::string version = "1.0.9.7";
    std::filesystem::path workbook;         // empty: a document without a model
    std::optional<std::string> modelSource; // default: the workbook's file name
    std::int32_t width = 0;                 // pixels
    std::int32_t height = 0;
    std::array<std::uint8_t, 3> paper{255, 255, 255};
    std::string description;
    std::uint32_t catalogVariant = 0;
    std::vector<ComponentDescription> components;
    // Canvas objects holding several components, by their positions in components; every other
    // component is a canvas object of its own.
    std::vector<std::vector<std::size_t>> groups;
    std::vector<RangeEntryDescription> rangeEntries;
    std::optional<ExportSettingsDescription> exportSettings;
    std::vector<FileDescription> files;
    std::optional<CustomColorTable> customColors;
};

// Reads a description; relative file paths are taken from folder. Throws DescriptionError.
DocDescription ReadDocDescription(const json::Value& root, const std::filesystem::path& folder);
DocDescription ReadDocDescriptionFile(const std::filesystem::path& file);

// "#RRGGBB" or "0xRRGGBB" to 0xRRGGBB; none for anything else.
std::optional<std::uint32_t> ParseColorText(const std::string& text);

} // namespace publish
