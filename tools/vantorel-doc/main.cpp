// vantorel-doc: writes a document file from its description, or opens a document the way the
// program does and lists what it holds (docs/document-description.md).
//
//   vantorel-doc [--install <folder>] <description.json> <document.vtd>
//   vantorel-doc --check [--install <folder>] <document.vtd>

#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "publish/BaseMovie.h"
#include "publish/DocBuilder.h"
#include "publish/DocData.h"
#include "publish/ExportRecord.h"
#include "publish/ModelLink.h"
#include "sheet/host/ProcessServices.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"

#include <cstdio>
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

int Usage()
{
    std::fprintf(stderr, "usage: vantorel-doc [--install <folder>] <description.json> <document.vtd>\n"
                         "       vantorel-doc --check [--install <folder>] <document.vtd>\n");
    return 2;
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

int Write(const std::string& descriptionPath, const std::string& output)
{
    try {
        publish::DocDescription description = publish::ReadDocDescriptionFile(descriptionPath);
        std::vector<unsigned char> bytes = publish::BuildDocument(description, *GetBaseMovie());
        if (!model::WriteFileBytes(output, bytes)) {
            std::fprintf(stderr, "vantorel-doc: %s cannot be written\n", output.c_str());
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
    bool check = false;
    std::filesystem::path install;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            check = true;
        } else if (std::strcmp(argv[i], "--install") == 0 && i + 1 < argc) {
            install = argv[++i];
        } else if (argv[i][0] == '-') {
            return Usage();
        } else {
            paths.push_back(argv[i]);
        }
    }
    if (paths.size() != (check ? 1u : 2u)) {
        return Usage();
    }
    // A folder without components leaves the catalogue empty: a description that names a
    // component then fails on that name. The base movie looks for the sub-movie assets it never
    // needs here; its notes are noise.
    ProcessServices services;
    services.catalog = std::make_unique<CComponentCatalog>();
    if (!install.empty()) {
        services.catalog->Load(install);
    }
    services.traceSink = [](std::string_view) {};
    CBaseMovieModelLink link;
    services.modelLink = &link;
    ScopedProcessServices scope(std::move(services));
    swf::IdCounter ids{1};
    swf::IdCounter depths{1};
    CBaseMovie base(ModelOnlyAsset(), install, ids, depths);
    return check ? Check(paths[0]) : Write(paths[0], paths[1]);
}
