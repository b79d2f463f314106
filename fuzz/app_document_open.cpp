// The designer opening a document from arbitrary bytes after a valid version header, with the
// component catalogue, function library and base movie of this build's installation, as a person
// opens one: the canvas objects take over the instances the reader made, and go when the next
// document opens. An instance given to two owners, or a record the designer trusts too far,
// shows here as a crash or a sanitizer report.
#include "app/canvas/DrawDoc.h"
#include "app/core/DesignerContext.h"
#include "platform/dialogs/MessageBox.h"
#include "publish/DocData.h"

#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// A refused document says why in a box nobody reads here.
class SilentBoxes final : public IMessageBoxService {
public:
    int Show(const MessageBoxRequest&) override { return IDOK; }
};

struct Setup {
    Setup()
    {
        fuzzsupport::QuietTraces();
        SetMessageBoxService(std::make_unique<SilentBoxes>());
        const std::filesystem::path& scratch = fuzzsupport::ScratchDir("vantorel-fuzz-open");
        CDesignerContext::Folders folders;
        const char* install = std::getenv("VANTOREL_INSTALL_DIR");
        folders.install = install ? install : VANTOREL_BUILD_INSTALL_DIR;
        folders.settings = scratch / "settings";
        folders.temp = scratch / "tmp";
        designer = std::make_unique<CDesignerContext>(folders);
        scope = std::make_unique<CDesignerContext::Scope>(*designer);
        if (!designer->InstallationProblem().empty())
            std::abort(); // nothing to fuzz against
        document = scratch / "input.vtd";
    }
    std::unique_ptr<CDesignerContext> designer;
    std::unique_ptr<CDesignerContext::Scope> scope;
    std::filesystem::path document;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    std::vector<std::uint8_t> bytes(kDocumentVersion, kDocumentVersion + 8);
    bytes.insert(bytes.end(), data, data + size);
    if (!fuzzsupport::WriteInput(setup.document, bytes.data(), bytes.size()))
        return 0;
    {
        CDrawDoc doc;
        doc.OnOpenDocument(setup.document.c_str());
        doc.DeleteContents();
    }
    return 0;
}
