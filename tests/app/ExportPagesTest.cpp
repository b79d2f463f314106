#include "DialogFixture.h"

#include "app/commands/ExportCommands.h"
#include "app/delivery/HtmlExport.h"
#include "app/dialogs/PortalExportDlg.h"
#include "app/modeldialogs/DataDlg.h"
#include "model/FileBytes.h"
#include "platform/controls/ListBox.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// --- the page ---------------------------------------------------------------------------------

TEST(HtmlPage, PlainAndPortalPagesAreTheFixedLinesWithTheBrowserPlayerLoaded)
{
    const std::string plain = MakeHtmlPage({"sales.swf", "sales.swf", 800, 600});
    EXPECT_EQ(plain, "<HTML>\n"
                     "<HEAD>\n"
                     "<TITLE>sales.swf</TITLE>\n"
                     "<script>window.RufflePlayer = {config: {deviceFontRenderer: \"canvas\"}};</script>\n"
                     "<script src=\"ruffle/ruffle.js\"></script>\n"
                     "</HEAD>\n"
                     "<BODY>\n"
                     "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\n"
                     "codebase=\"http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"\n"
                     "WIDTH=\"800\" HEIGHT=\"600\" id=\"myMovieName\">\n"
                     "<PARAM NAME=movie VALUE=\"sales.swf\"> \n"
                     "<PARAM NAME=quality VALUE=high>\n"
                     "<PARAM NAME=bgcolor VALUE=#FFFFFF>\n"
                     "<EMBED src=\"sales.swf\" quality=high bgcolor=#FFFFFF WIDTH=\"800\" HEIGHT=\"600\" \n"
                     "NAME=\"myMovieName\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\" \n"
                     "PLUGINSPAGE=\"http://www.macromedia.com/go/getflashplayer\">\n"
                     "</EMBED>\n"
                     "</OBJECT>\n"
                     "</BODY>\n"
                     "</HTML>\n");
    // The portal's title keeps the bare file name; the movie is addressed by its URL.
    const std::string portal = MakeHtmlPage({"sales.swf", "http://intra/dash/sales.swf", 200, 150});
    EXPECT_NE(portal.find("<TITLE>sales.swf</TITLE>\n"), std::string::npos);
    EXPECT_NE(portal.find("<PARAM NAME=movie VALUE=\"http://intra/dash/sales.swf\"> \n"), std::string::npos);
    EXPECT_NE(portal.find("<EMBED src=\"http://intra/dash/sales.swf\" quality=high bgcolor=#FFFFFF WIDTH=\"200\" "
                          "HEIGHT=\"150\" \n"),
              std::string::npos);
}

TEST(HtmlPage, FileNamesCannotBreakThePage)
{
    const std::string name = "a\"b<c>&d e.swf";
    const std::string page = MakeHtmlPage({name, UrlEncodeName(name), 10, 10});
    EXPECT_NE(page.find("<TITLE>a&quot;b&lt;c&gt;&amp;d e.swf</TITLE>"), std::string::npos);
    EXPECT_NE(page.find("VALUE=\"a%22b%3Cc%3E%26d%20e.swf\""), std::string::npos);
    EXPECT_EQ(page.find("<c>"), std::string::npos);
}

TEST(HtmlPage, PortalUrls)
{
    EXPECT_EQ(PortalFolderUrl("http://x"), "http://x/");
    EXPECT_EQ(PortalFolderUrl("http://x/dash/"), "http://x/dash/");
    EXPECT_TRUE(PortalUrlHasHost("http://intra"));
    EXPECT_FALSE(PortalUrlHasHost("http://"));
    EXPECT_FALSE(PortalUrlHasHost("http:///x"));
    EXPECT_FALSE(PortalUrlHasHost("intra/dash"));
    EXPECT_EQ(MovieFileName("C:\\out\\m.swf"), "m.swf");
    EXPECT_EQ(MovieFileName("/out/m.swf"), "m.swf");
}

TEST(HtmlPage, ExportPathsFollowTheChosenName)
{
    const struct {
        std::string chosen, movie, page;
    } html[] = {
        {"/o/a.htm", "/o/a.swf", "/o/a.htm"},
        {"/o/a.HTML", "/o/a.swf", "/o/a.HTML"},
        {"/o/a.txt", "/o/a.swf", "/o/a.txt.html"},
        {"/o/a", "/o/a.swf", "/o/a.html"},
        {"/o.d/a", "/o.d/a.swf", "/o.d/a.html"},
    };
    for (const auto& c : html) {
        const ExportPaths paths = HtmlExportPaths(c.chosen);
        EXPECT_EQ(paths.movie, c.movie) << c.chosen;
        EXPECT_EQ(paths.output, c.page) << c.chosen;
    }
    EXPECT_EQ(PresentationExportPaths("/o/deck").output, "/o/deck.pptx");
    EXPECT_EQ(PresentationExportPaths("/o/deck").movie, "/o/deck.swf");
    EXPECT_EQ(PresentationExportPaths("/o/deck.PPTX").movie, "/o/deck.swf");
    EXPECT_EQ(WithExtension("/o/m.SWF", "swf"), "/o/m.SWF");
    EXPECT_EQ(WithExtension("/o/m.swf.bak", "swf"), "/o/m.swf.bak.swf");
}

TEST(HtmlPage, PageAndPlayerLandTogetherOrNotAtAll)
{
    testsupport::TempDir dir;
    testsupport::TempDir player;
    std::ofstream(player / "ruffle.js") << "// player";
    std::ofstream(player / "core.wasm") << "wasm";
    std::ofstream(player / "ruffle.js.map") << "{}";
    {
        model::CFileBatch batch;
        std::string error, warning;
        ASSERT_TRUE(StageHtmlPage(batch, dir / "p.html", {"m.swf", "m.swf", 5, 5}, player.path(), error, warning))
            << error;
        ASSERT_TRUE(batch.Commit(error)) << error;
        EXPECT_TRUE(warning.empty());
    }
    EXPECT_EQ(ReadText(dir / "ruffle" / "core.wasm"), "wasm");
    EXPECT_FALSE(std::filesystem::exists(dir / "ruffle" / "ruffle.js.map"));
    EXPECT_EQ(ReadText(dir / "p.html"), MakeHtmlPage({"m.swf", "m.swf", 5, 5}));

    // An uncommitted batch (the movie could not be written) leaves the earlier page.
    {
        model::CFileBatch batch;
        std::string error, warning;
        ASSERT_TRUE(StageHtmlPage(batch, dir / "p.html", {"n.swf", "n.swf", 9, 9}, player.path(), error, warning));
    }
    EXPECT_EQ(ReadText(dir / "p.html"), MakeHtmlPage({"m.swf", "m.swf", 5, 5}));

    // Without the player the page is still written, with a warning.
    model::CFileBatch batch;
    std::string error, warning;
    EXPECT_TRUE(StageHtmlPage(batch, dir / "q.html", {"m.swf", "m.swf", 5, 5}, dir / "none", error, warning));
    EXPECT_FALSE(warning.empty());
}

// --- the portal options dialog ----------------------------------------------------------------

using Portal = CPortalExportDlg;

class PortalExportDlgTest : public DialogTest {};

TEST_F(PortalExportDlgTest, ScaleKeepsTheMovieAspect)
{
    ui::SetDialogHook(Portal::IDD, [&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(Portal::IDC_MOVIE_WIDTH), "400");
        EXPECT_EQ(dlg.GetDlgItemText(Portal::IDC_MOVIE_HEIGHT), "300");
        EXPECT_EQ(dlg.GetDlgItemText(Portal::IDC_SCALED_WIDTH), "400");
        EXPECT_EQ(dlg.GetDlgItemText(Portal::IDC_URL_PATH), "http://");
        const struct {
            int button;
            int typed;
            int typedId;
            int otherId;
            const char* expected;
        } cases[] = {
            {Portal::IDC_SCALE_X, 200, Portal::IDC_SCALED_WIDTH, Portal::IDC_SCALED_HEIGHT, "150"},
            {Portal::IDC_SCALE_X, 333, Portal::IDC_SCALED_WIDTH, Portal::IDC_SCALED_HEIGHT, "249"},
            {Portal::IDC_SCALE_Y, 150, Portal::IDC_SCALED_HEIGHT, Portal::IDC_SCALED_WIDTH, "200"},
            {Portal::IDC_SCALE_Y, 100, Portal::IDC_SCALED_HEIGHT, Portal::IDC_SCALED_WIDTH, "133"},
        };
        for (const auto& c : cases) {
            Retype(dlg, c.typedId, std::to_string(c.typed));
            Button(dlg, c.button).Click();
            EXPECT_EQ(dlg.GetDlgItemText(c.otherId), c.expected) << c.typed;
        }
        Retype(dlg, Portal::IDC_URL_PATH, "http://intra/dash");
        Button(dlg, IDOK).Click();
    });
    Portal dlg(400, 300, &owner);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetScaledWidth(), 133);
    EXPECT_EQ(dlg.GetScaledHeight(), 100);
    EXPECT_EQ(dlg.GetUrlPath(), "http://intra/dash");
}

TEST_F(PortalExportDlgTest, AMovieWithoutExtentLeavesTheOtherSide)
{
    EXPECT_EQ(Portal::ScaleSide(300, 0, 200, 77), 77);
    EXPECT_EQ(Portal::ScaleSide(0, 400, 200, 77), 77);
    ui::SetDialogHook(Portal::IDD, [&](CDialog& dlg) {
        Retype(dlg, Portal::IDC_SCALED_WIDTH, "50");
        Button(dlg, Portal::IDC_SCALE_X).Click();
        EXPECT_EQ(dlg.GetDlgItemText(Portal::IDC_SCALED_HEIGHT), "300");
        Button(dlg, IDCANCEL).Click();
    });
    Portal dlg(0, 300, &owner);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(PortalExportDlgTest, PublishWantsAHostAndASize)
{
    boxes->Answer(IDOK);
    boxes->Answer(IDOK);
    ui::SetDialogHook(Portal::IDD, [&](CDialog& dlg) {
        Button(dlg, IDOK).Click(); // "http://" alone
        EXPECT_FALSE(dlg.IsEnded());
        Retype(dlg, Portal::IDC_URL_PATH, "http://intra/");
        Retype(dlg, Portal::IDC_SCALED_HEIGHT, "0");
        Button(dlg, IDOK).Click();
        EXPECT_FALSE(dlg.IsEnded());
        Retype(dlg, Portal::IDC_SCALED_HEIGHT, "90");
        Button(dlg, IDOK).Click();
    });
    Portal dlg(400, 300, &owner);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, Portal::kNoHostText);
    EXPECT_EQ(boxes->Log()[1].text, Portal::kBadSizeText);
    EXPECT_EQ(dlg.GetScaledHeight(), 90);
}

TEST_F(PortalExportDlgTest, PicturesOfThePortalAndDataDialogs)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    ui::SetDialogHook(Portal::IDD, [&](CDialog& dlg) {
        Retype(dlg, Portal::IDC_URL_PATH, "http://intranet.example/dashboards/");
        Retype(dlg, Portal::IDC_SCALED_WIDTH, "600");
        Button(dlg, Portal::IDC_SCALE_X).Click();
        EXPECT_TRUE(WritePng(testsupport::ArtefactDir("app") / "portal-export-dialog.png", host.Snapshot(dlg)));
        Button(dlg, IDCANCEL).Click();
    });
    Portal portal(800, 600, &owner);
    portal.DoModal();

    ui::SetDialogHook(CDataDlg::IDD, [&](CDialog& dlg) {
        auto* list = dynamic_cast<CListBox*>(dlg.GetDlgItem(CDataDlg::IDC_BINDINGS));
        ASSERT_NE(list, nullptr);
        list->AddString("Slider_1   'Sheet1'!$B$3   = 42");
        EXPECT_TRUE(WritePng(testsupport::ArtefactDir("app") / "data-dialog.png", host.Snapshot(dlg)));
        Button(dlg, IDOK).Click();
    });
    CDataDlg data(&owner);
    data.DoModal();
}

} // namespace
