// The document reader, from arbitrary bytes after a valid version header, against a small
// component catalogue and a base movie made once.
#include "model/ComponentCatalog.h"
#include "base/Services.h"
#include "publish/DocData.h"
#include "publish/TempFiles.h"

#include "tests/publish/PublishTestSupport.h"
#include "tests/support/ComponentFixture.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <unistd.h>

namespace {

struct Setup {
    Setup()
    {
        folder = std::filesystem::temp_directory_path() / ("vantorel-fuzz-doc-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "tmp");
        testsupport::WriteComponentFixture(folder, {"KVTestGaugeSymbol", "KVTestLabelSymbol"});
        auto catalog = std::make_unique<CComponentCatalog>();
        catalog->Load(folder);
        base.context.SetCatalog(std::move(catalog));
        GetPlatformServices().SetTempFolder(folder / "tmp");
    }
    ~Setup() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    publishtest::BaseMovieFixture base;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    std::vector<unsigned char> bytes(kDocumentVersion, kDocumentVersion + 8);
    bytes.insert(bytes.end(), data, data + size);
    CDocData doc;
    std::string version = kDocumentVersion;
    doc.Load(bytes, version);
    setup.base.context.RemoveTempFiles();
    return 0;
}
