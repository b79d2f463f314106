// The slide of a presentation the way Send to PowerPoint makes it: the shipped regional sales
// document published as dash.swf, its picture drawn by the real player (CPagePlayer, the player
// page in headless Chromium) through the program's own DrawMovie, and dash.pptx written beside
// the movie with that picture linked to it. app_slide.test.mjs has LibreOffice draw the slide.
//
// Output: dash.swf, dash.pptx, facts.json (name -> text).

#include "app/delivery/OfficeDelivery.h"
#include "app/stage/MoviePicture.h"
#include "platform/controls/PagePlayer.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Png.h"
#include "platform/window/Wnd.h"
#include "model/FileBytes.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PagePlayers.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <map>
#include <stdexcept>

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::map<std::string, std::string> facts;
    try {
        const std::filesystem::path install = testsupport::InstallDir();
        publish::CPublisher publisher(install);
        publisher.OpenDocument(install / "samples" / "Dashboards" / "regional-sales.vtd");
        std::int32_t width = 0, height = 0;
        publisher.GetDocument().GetStageSize(width, height);
        model::CFileBatch batch;
        publisher.Publish(folder / "dash.swf", false, &batch);
        std::string error;
        if (!batch.Commit(error))
            throw std::runtime_error("the movie was not written: " + error);
        facts["canvas"] = std::to_string(width) + " " + std::to_string(height);

        CPagePlayer* page = nullptr;
        playertest::UsePagePlayers(install, width, height, page);
        CWnd parent;
        if (!parent.CreateEx(0, "Parent", "canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0))
            throw std::runtime_error("no parent window");
        CBitmap picture;
        // A busy machine starts the browser slowly: the page is given longer than the program gives it.
        const bool drawn = DrawMovie(parent, (folder / "dash.swf").string(), CSize(width, height), picture, 180000);
        facts["page"] = page != nullptr ? "yes" : "no";
        parent.DestroyWindow();
        ResetFlashPlayerFactory();
        facts["drawn"] = drawn ? "yes" : "no";
        facts["picture"] = std::to_string(picture.Width()) + " " + std::to_string(picture.Height());

        CPowerPointExport powerPoint;
        powerPoint.SetMovieSize(width, height);
        powerPoint.SetFace({drawn ? EncodePng(picture) : std::vector<std::uint8_t>(), "dash.swf"});
        powerPoint.InsertMovie((folder / "dash.pptx").string(), (folder / "dash.swf").string());
    } catch (const std::exception& e) {
        facts["error"] = e.what();
    }
    playertest::WriteFacts(folder, facts);
    return 0;
}
