// The document reader, from arbitrary bytes after a valid version header, against the component
// catalogue this build ships (its installation folder), and a document that opens compiled as
// the publish command compiles it: what the shipped documents hold reaches the components'
// parameters and the binding of their cells, not only the reader.
#include "base/PlatformServices.h"
#include "publish/CompileModel.h"
#include "publish/ComponentNames.h"
#include "publish/DocData.h"
#include "publish/ProgramContext.h"

#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>

namespace {

struct Setup {
    Setup()
    {
        fuzzsupport::QuietTraces();
        const char* install = std::getenv("VANTOREL_INSTALL_DIR");
        context = std::make_unique<CProgramContext>(install ? install : VANTOREL_BUILD_INSTALL_DIR);
        scope = std::make_unique<CProgramContext::Scope>(*context);
        context->SetTraceSink([](std::string_view) {});
        context->LoadInstallation();
        GetPlatformServices().SetTempFolder(fuzzsupport::ScratchDir("vantorel-fuzz-doc"));
    }
    std::unique_ptr<CProgramContext> context;
    std::unique_ptr<CProgramContext::Scope> scope;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    std::vector<unsigned char> bytes(kDocumentVersion, kDocumentVersion + 8);
    bytes.insert(bytes.end(), data, data + size);
    {
        CDocData doc;
        std::string version = kDocumentVersion;
        if (doc.Load(bytes, version)) {
            try {
                publish::RenameUnusableComponents(doc.GetInstances());
                doc.SetBaseMovie(setup.context->GetBaseMovie());
                CompileModel(*setup.context->GetBaseMovie(), doc.GetInstances());
            } catch (const std::exception&) {
                // A model the compile refuses is an answer; only a crash, an over-read or a hang
                // is a finding.
            }
        }
    }
    setup.context->RemoveTempFiles();
    return 0;
}
