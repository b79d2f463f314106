// A document from arbitrary bytes after a valid version header, opened and, when it opens,
// published as the command does, with the real installation of this build and the output in a
// scratch folder: what a document claims (its canvas, names, pictures, model) reaches the
// movie builder, not only the reader.
#include "publish/DocData.h"
#include "publish/Publisher.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

struct Setup {
    Setup()
    {
        folder = std::filesystem::temp_directory_path() / ("vantorel-fuzz-publish-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        const char* install = std::getenv("VANTOREL_INSTALL_DIR");
        publisher = std::make_unique<publish::CPublisher>(install ? install : VANTOREL_BUILD_INSTALL_DIR);
    }
    ~Setup()
    {
        publisher.reset();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
    std::unique_ptr<publish::CPublisher> publisher;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    const std::filesystem::path document = setup.folder / "input.vtd";
    {
        std::ofstream out(document, std::ios::binary | std::ios::trunc);
        out.write(kDocumentVersion, 8);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        setup.publisher->OpenDocument(document);
        setup.publisher->Publish(setup.folder / "movie.swf", false);
    } catch (const std::exception&) {
        // Refusing a document, or a movie that cannot be built, is an answer; only a crash, an
        // over-read or a hang is a finding.
    }
    return 0;
}
