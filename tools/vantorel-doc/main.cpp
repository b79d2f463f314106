// vantorel-doc: writes a document file from its description, or opens a document the way the
// program does and lists what it holds (docs/document-description.md).
//
//   vantorel-doc [--install <folder>] [--text <file.txt>] <description.json> <document.vtd>
//   vantorel-doc --check [--install <folder>] <document.vtd>
//   vantorel-doc --parameters [--install <folder>]
//
// --text also writes the document's description as the Templates and Samples browsers read it
// beside the document's name: its length in four bytes, little-endian, then the text.
//
// --parameters prints, in Markdown, every component of the installation with the parameters a
// description can set and the groups they are in; the build writes it as
// build/docs/component-parameters.md, so the list always matches the components.
//
// The installation folder is found as vantorel-publish finds it: --install, else
// $VANTOREL_INSTALL_DIR, else the one beside the program. Exit codes: 0 done, 1 the document
// cannot be written or read, 2 usage, 6 no installation folder.

#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "model/Component.h"
#include "model/FileBytes.h"
#include "publish/BaseMovie.h"
#include "publish/DocBuilder.h"
#include "publish/DocData.h"
#include "publish/ExportRecord.h"
#include "publish/ProgramContext.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/InstallFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Writing a document needs the model root but never publishes, so the base movie gets an
// asset of one empty clip instead of the installation's.
std::unique_ptr<CSwfMovie> ModelOnlyAsset()
{
    CSwfMovie movie;
    auto clip = std::make_unique<CSwfSprite>(1, 1, false);
    clip->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(clip));
    auto exported = std::make_unique<CSwfExportedSymbol>(1);
    exported->SetName("kvManager");
    movie.AddTag(std::move(exported));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    auto asset = std::make_unique<CSwfMovie>();
    asset->LoadBytes(movie.WriteBytes(100, 100, 30, false), {.keepTopLevel = true});
    return asset;
}

const char* const kUsageText = "usage: vantorel-doc [--install <folder>] [--text <file.txt>] <description.json> <document.vtd>\n"
                               "       vantorel-doc --check [--install <folder>] <document.vtd>\n"
                               "       vantorel-doc --parameters [--install <folder>]\n"
                               "       vantorel-doc --help | --version\n";

const std::vector<cli::OptionSpec> kOptions = {
    {"--check", 0, false}, {"--parameters", 0, false}, {"--install", 0, true}, {"--text", 0, true}, {"--help", 'h', false},
    {"--version", 0, false}};

int UsageError(const std::string& why)
{
    std::fprintf(stderr, "vantorel-doc: %s\n%s", why.c_str(), kUsageText);
    return 2;
}

// What a description gives for a parameter of this type (docs/document-description.md).
std::string DescriptionValue(const CParameter& parameter)
{
    switch (parameter.GetType()) {
    case model::ParamType::Text:
    case model::ParamType::OtherText: return "text";
    case model::ParamType::Number: return "number";
    case model::ParamType::Boolean: return "`true` / `false`";
    case model::ParamType::Integer: return "whole number";
    case model::ParamType::Color: return "colour";
    case model::ParamType::Choice: {
        std::string choices;
        if (const CValueList* list = parameter.GetValueList())
            for (const std::string& choice : list->GetAllowedValues())
                choices += (choices.empty() ? "" : ", ") + ("`\"" + choice + "\"`");
        return choices.empty() ? "choice" : "one of " + choices;
    }
    case model::ParamType::CellBinding: return "cells (A1 text or `{\"range\", \"direction\"}`)";
    case model::ParamType::List:
    case model::ParamType::CellList:
    case model::ParamType::CellTable: return "array";
    default: return "(not set by descriptions)";
    }
}

// Table cells hold no bars or line ends.
std::string Cell(std::string text)
{
    for (char& c : text)
        if (c == '|' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

void ListParameters(const CParameterSet& set, const std::string& group)
{
    for (int i = 0; i < set.GetCount(); ++i) {
        const CParameter& parameter = *set.GetAt(i);
        const std::string path = group.empty() ? parameter.GetName() : group + "." + parameter.GetName();
        if (parameter.GetType() == model::ParamType::Group && parameter.GetSet()) {
            ListParameters(*parameter.GetSet(), path);
            continue;
        }
        const bool simple = parameter.GetType() != model::ParamType::CellBinding &&
                            parameter.GetType() != model::ParamType::List &&
                            parameter.GetType() != model::ParamType::CellList &&
                            parameter.GetType() != model::ParamType::CellTable;
        std::printf("| `%s` | %s | %s | %s | %s |\n", Cell(parameter.GetName()).c_str(),
                    group.empty() ? "(top)" : ("`" + Cell(group) + "`").c_str(), DescriptionValue(parameter).c_str(),
                    simple ? Cell(parameter.GetValueText()).c_str() : "", Cell(parameter.GetLabel()).c_str());
    }
}

int Parameters()
{
    CComponentCatalog* catalog = GetComponentCatalog();
    std::printf("# Component parameters\n\n"
                "Generated by `vantorel-doc --parameters` from the installation's components\n"
                "(`assets/component/default/`). In a description a parameter is set under its groups:\n"
                "`\"parameters\": {\"Behavior\": {\"minValue\": 0}}` sets `minValue` of group `Behavior`\n"
                "(docs/document-description.md).\n");
    for (int i = 0; catalog && i < catalog->GetTotalCount(); ++i) {
        const CComponentDef* definition = catalog->GetDefinition(i);
        const CSwfComponent* prototype = definition ? definition->GetPrototype() : nullptr;
        if (!prototype)
            continue;
        std::printf("\n## %s\n\n%s%s%s\n\n", definition->GetName().c_str(), Cell(definition->GetDisplayName()).c_str(),
                    definition->GetDescription().empty() ? "" : ": ", Cell(definition->GetDescription()).c_str());
        std::printf("| Parameter | Group | In a description | Default | Label |\n|---|---|---|---|---|\n");
        if (const CParameterSet* parameters = prototype->GetParameters())
            ListParameters(*parameters, "");
    }
    return 0;
}

int Check(const std::string& path)
{
    CDocData doc;
    std::string version = kDocumentVersion;
    if (!doc.Load(path, version)) {
        std::fprintf(stderr, "vantorel-doc: %s: %s (version \"%s\")\n", path.c_str(),
                     doc.GetLoadError().c_str(), version.c_str());
        return 1;
    }
    std::int32_t width = 0, height = 0;
    doc.GetStageSize(width, height);
    std::printf("version %s, canvas %dx%d, %zu components in %zu canvas objects, %zu embedded files\n",
                version.c_str(), width, height, doc.GetInstanceCount(), doc.GetComponentCount(),
                doc.GetRestoredFiles().size());
    std::printf("model source: %s\n", doc.GetFileName().c_str());
    for (std::size_t i = 0; i < doc.GetInstanceCount(); ++i) {
        const CComponent& c = *doc.GetInstance(i);
        std::printf("  %s %s\n", c.GetTypeName().c_str(), c.GetName().c_str());
    }
    for (const CRangeEntry& entry : doc.GetBaseMovie()->GetRangeEntries()) {
        std::printf("  range entry %s = %s\n", entry.name.c_str(), entry.rangeText.c_str());
    }
    return 0;
}

// The browsers' description file: the text's length in four bytes, little-endian, then the text.
std::vector<unsigned char> DescriptionFileBytes(const std::string& text)
{
    const auto length = static_cast<std::uint32_t>(text.size());
    std::vector<unsigned char> bytes(4 + text.size());
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(length >> (8 * i));
    std::copy(text.begin(), text.end(), bytes.begin() + 4);
    return bytes;
}

int Write(const std::string& descriptionPath, const std::string& output, const std::string& textPath)
{
    try {
        publish::DocDescription description = publish::ReadDocDescriptionFile(descriptionPath);
        std::vector<unsigned char> bytes = publish::BuildDocument(description, *GetBaseMovie());
        for (const std::string& written : {output, textPath}) {
            if (!written.empty() && model::SameFile(descriptionPath, written)) {
                std::fprintf(stderr, "vantorel-doc: %s: is the description itself; choose another file\n", written.c_str());
                return 1;
            }
        }
        std::string reason;
        if (!model::WriteFileBytes(output, bytes, &reason) ||
            (!textPath.empty() && !model::WriteFileBytes(textPath, DescriptionFileBytes(description.description), &reason))) {
            std::fprintf(stderr, "vantorel-doc: %s\n", reason.c_str());
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorel-doc: %s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const cli::ParseResult parsed = cli::ParseArguments(argc, argv, kOptions);
    if (!parsed.error.empty())
        return UsageError(parsed.error);
    if (parsed.arguments.Has("--help")) {
        std::fputs(kUsageText, stdout);
        return 0;
    }
    if (parsed.arguments.Has("--version")) {
        std::printf("%s\n", cli::VersionText("vantorel-doc").c_str());
        return 0;
    }
    const bool check = parsed.arguments.Has("--check");
    const bool parameters = parsed.arguments.Has("--parameters");
    const std::vector<std::string>& paths = parsed.arguments.positional;
    if (parameters && !paths.empty()) {
        return UsageError("--parameters takes no file");
    }
    if (!parameters && paths.size() != (check ? 1u : 2u)) {
        return UsageError(check ? "--check takes one document" : "name the description and the document to write");
    }
    const cli::InstallSearch search = cli::FindInstallFolder(parsed.arguments.Value("--install"),
                                                             std::getenv("VANTOREL_INSTALL_DIR"),
                                                             cli::ProgramPath(argv[0]));
    if (!search.found) {
        std::fprintf(stderr, "vantorel-doc: %s\n", cli::NotFoundMessage(search).c_str());
        return 6;
    }
    const std::filesystem::path install = *search.found;
    // The base movie looks for the sub-movie assets it never
    // needs here; its notes are noise.
    CProgramContext context(install);
    CProgramContext::Scope use(context);
    context.SetTraceSink([](std::string_view) {});
    context.LoadCatalog();
    context.SetBaseMovie(
        std::make_unique<CBaseMovie>(ModelOnlyAsset(), install, context.GetCharacterIds(), context.GetDepths()));
    if (parameters) {
        return Parameters();
    }
    return check ? Check(paths[0]) : Write(paths[0], paths[1], parsed.arguments.Value("--text").value_or(""));
}
