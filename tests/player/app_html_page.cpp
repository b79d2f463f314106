// Writes the web page of an exported dashboard the way the HTML export writes it: the shipped
// regional sales document published as dash.swf, the page dash.html beside it at the canvas
// size, and the browser player in ruffle/, all landing together. app_html_page.test.mjs opens
// the page in headless Chromium.
//
// Output: dash.swf, dash.html, ruffle/, page.json {"width": w, "height": h}.

#include "app/delivery/HtmlExport.h"
#include "model/FileBytes.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    try {
        const std::filesystem::path install = testsupport::InstallDir();
        publish::CPublisher publisher(install);
        publisher.OpenDocument(install / "samples" / "Dashboards" / "regional-sales.vtd");
        std::int32_t width = 0, height = 0;
        publisher.GetDocument().GetStageSize(width, height);
        model::CFileBatch batch;
        publisher.Publish(folder / "dash.swf", false, &batch);
        std::string error, warning;
        if (!StageHtmlPage(batch, folder / "dash.html", {"dash.swf", UrlEncodeName("dash.swf"), width, height},
                           install / "player" / "ruffle", error, warning) ||
            !batch.Commit(error)) {
            std::fprintf(stderr, "the page was not written: %s\n", error.c_str());
            return 1;
        }
        if (!warning.empty()) {
            std::fprintf(stderr, "%s\n", warning.c_str());
            return 1;
        }
        std::ofstream(folder / "page.json") << "{\"width\": " << width << ", \"height\": " << height << "}\n";
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
