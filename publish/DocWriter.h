#pragma once

#include "publish/CustomColors.h"
#include "publish/DocData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CBaseMovie;

// Our writer of document files (docs/document-file.md): the designer saves documents with it,
// and the shipped templates and samples and the tests are written with it, files that the
// reader takes exactly as written.
namespace publish {

struct EmbeddedFileData {
    std::string name;
    std::vector<unsigned char> bytes;
};

struct DocFileContent {
    std::string version = kDocumentVersion;
    std::uint32_t catalogVariant = 0;
    // Components in its component list, canvas objects, canvas size, paper colour,
    // description and model source name.
    const CDocData* doc = nullptr;
    // The model section, range entries and export settings.
    CBaseMovie* base = nullptr;
    std::vector<unsigned char> workbook;
    std::vector<EmbeddedFileData> files;
    // False: the file ends after the embedded files, as older documents do.
    bool optionalSections = true;
    // None: the colour section holds no table, and opening keeps the current one.
    std::optional<CustomColorTable> customColors;
};

// Every section in the order the reader takes them; the instance and definition counters are
// the process's (the component catalogue's) current ones. Throws std::runtime_error for a
// document its reader would refuse (components linked to too many cells together).
std::vector<unsigned char> WriteDocumentFile(const DocFileContent& content);

} // namespace publish
