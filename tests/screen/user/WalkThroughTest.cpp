#include "PersonFixture.h"

#include <filesystem>
#include <memory>

#include "app/core/AppIds.h"
#include "app/panels/ComponentPalette.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/shell/KVApp.h"
#include "app/shell/MainFrm.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/docview/Menu.h"
#include "platform/docview/MenuBar.h"
#include "platform/docview/StatusBar.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/Screen.h"
#include "tests/support/FlashPlayerFake.h"

namespace {

// The designer started as a person starts it (no arguments) and used through the screen only:
// every step is a click, a drag or keys sent through the X server.
class WalkThroughTest : public PersonTest {
protected:
    void SetUp() override
    {
        PersonTest::SetUp();
        ResetPlatformServices();
        ResetObjectFactory();
        GetPlatformServices().SetModuleFileName(testsupport::InstallDir() / "vantorel");
        GetPlatformServices().SetAppDataFolder(settings.path());
        GetPlatformServices().SetTempFolder(temp.path());
        // The stage is the installation's player page where it is installed, as in the
        // program; else a player that records what it is told.
        std::string error;
        if (!gtkscreen::UseWebKitPlayer(testsupport::InstallDir().string(), &error)) {
            SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
        }
        RegisterFlashPlayerObject(GetObjectFactory());
        RegisterProgramObjects(GetObjectFactory());
    }
    void TearDown() override
    {
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        if (app != nullptr && !exited) {
            app->ExitInstance();
        }
        app.reset();
        ResetObjectFactory();
        ResetPlatformServices();
        PersonTest::TearDown();
    }

    // Chooses a command of the main window's menu as a person does: a click on the menu's
    // title, then the arrow keys down to the item (the toolkit's menu skips separators and
    // greyed items) and Return.
    static bool ChooseFromMenu(ScreenUser& user, CFrameWnd& frame, UINT id)
    {
        int title = -1;
        int downs = 0;
        user.OnUi([&] {
            CMenu* bar = frame.GetMenu();
            for (int t = 0; bar != nullptr && t < bar->GetMenuItemCount() && title < 0; ++t) {
                CMenu* sub = bar->GetSubMenu(t);
                int selectable = 0;
                for (int i = 0; sub != nullptr && i < sub->GetMenuItemCount(); ++i) {
                    const UINT item = sub->GetMenuItemID(i);
                    if (item == id) {
                        title = t;
                        downs = selectable + 1;
                        break;
                    }
                    const UINT state = sub->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
                    if (item != 0 && (state & (MF_GRAYED | MF_DISABLED)) == 0) {
                        ++selectable;
                    }
                }
            }
        });
        if (title < 0) {
            return false;
        }
        CRect r;
        user.OnUi([&] { r = frame.GetMenuBar()->GetTitleRect(title); });
        user.WaitDrawn();
        user.Click(user.PointOf(*frame.GetMenuBar(), r.CenterPoint()));
        if (!user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == title; })) {
            return false;
        }
        user.WaitForPopupMenu();
        for (int i = 0; i < downs; ++i) {
            user.Keys("Down");
        }
        user.Keys("Return");
        return user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() < 0; });
    }

    static void Walk(ScreenUser& user, CKVApp* program, const std::filesystem::path& workbook);

    testsupport::TempDir settings;
    testsupport::TempDir temp;
    std::unique_ptr<CKVApp> app;
    bool exited = false; // Run ends with ExitInstance
};

TEST_F(WalkThroughTest, StartNewDocumentImportAWorkbookAndPlaceComponentsFromThePalette)
{
    const std::filesystem::path workbook = testsupport::InstallDir() / "samples" / "regional-sales.xlsx";
    ASSERT_TRUE(std::filesystem::exists(workbook)) << workbook;
    app = std::make_unique<CKVApp>();
    app->SetCommandLine({});
    CKVApp* program = app.get();

    PersonAtScreen person([&](ScreenUser& user) {
        Walk(user, program, workbook);
        // However far the walk got, nothing is left open and the program ends.
        user.Keys("Escape");
        user.Keys("Escape");
        user.OnUi([] { PostQuitMessage(0); });
    });
    ASSERT_TRUE(app->InitInstance());
    app->Run();
    exited = true;
    EXPECT_TRUE(person.Finish(120000));
}

void WalkThroughTest::Walk(ScreenUser& user, CKVApp* program, const std::filesystem::path& workbook)
{
    {
        ASSERT_TRUE(user.Ready()) << user.Problem();
        // The welcome page opens over the main window; Escape closes it.
        CWnd* welcome = nullptr;
        ASSERT_TRUE(user.WaitFor(
            [&] {
                CWnd* active = CWnd::GetActiveWindow();
                welcome = active != nullptr && program->m_pMainWnd != nullptr && active != program->m_pMainWnd
                              ? active
                              : nullptr;
                return welcome != nullptr;
            },
            20000))
            << "no welcome page";
        ASSERT_TRUE(user.WaitFor([&] { return !user.RectOf(*welcome).IsRectEmpty(); }));
        Shot(user, "walk-01-welcome");
        user.Keys("Escape");
        CMainFrame* frame = nullptr;
        ASSERT_TRUE(user.WaitFor(
            [&] {
                frame = program->MainFrame();
                return frame != nullptr && CWnd::GetActiveWindow() == frame;
            },
            10000))
            << "the welcome page did not close";

        // The main window fits the screen's work area, its status bar on the screen.
        const CBitmap screen = user.Screen();
        CRect shown = user.RectOf(*frame);
        EXPECT_LE(shown.bottom, screen.Height()) << "the main window runs off the screen";
        CRect status = user.RectOf(frame->StatusBar());
        EXPECT_FALSE(status.IsRectEmpty());
        EXPECT_LE(status.bottom, screen.Height()) << "the status bar is off the screen";

        // The palette shows at start, above the main window.
        CDrawView* view = nullptr;
        CComponentPalette* palette = nullptr;
        user.OnUi([&] {
            view = GetActiveDrawView();
            palette = view != nullptr ? view->GetPalette() : nullptr;
        });
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(palette != nullptr && !user.RectOf(*palette).IsRectEmpty()) << "no palette at start";
        Shot(user, "walk-02-started");

        // File > New.
        CDocument* before = nullptr;
        user.OnUi([&] { before = view->GetDocument(); });
        ASSERT_TRUE(ChooseFromMenu(user, *frame, ID_FILE_NEW)) << "File > New could not be chosen";
        user.Settle();
        Shot(user, "walk-03-new");

        // Data > Import Model: the file chooser takes the workbook's path.
        ASSERT_TRUE(ChooseFromMenu(user, *frame, ID_DATA_IMPORT_MODEL)) << "Data > Import Model could not be chosen";
        ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetActiveWindow() == nullptr || !frame->IsWindowEnabled(); }, 5000));
        // The toolkit's file chooser takes the keyboard.
        const auto chooserFocused = [&] {
            const std::string title = user.FocusedTitle();
            return !title.empty() && title.find("Vantorel") == std::string::npos;
        };
        for (int i = 0; i < 100 && !chooserFocused(); ++i)
            user.WaitDrawn(100);
        ASSERT_TRUE(chooserFocused()) << "no file chooser has the keyboard: " << user.FocusedTitle();
        user.Keys("ctrl+l");
        user.Type(workbook.string());
        Shot(user, "walk-04-import-chooser");
        user.Keys("Return");
        EXPECT_TRUE(user.WaitFor([&] { return frame->StatusBar().GetPaneText(1) == "Model Import Done"; }, 20000))
            << "the status bar reads " << frame->StatusBar().GetPaneText(1);
        Shot(user, "walk-05-imported");

        // A component from the palette: its category chosen in the drop-down with the mouse,
        // its icon clicked, then the canvas.
        if (palette == nullptr) {
            return;
        }
        CComboBox* categories = nullptr;
        CListCtrl* icons = nullptr;
        user.OnUi([&] {
            categories = &palette->Categories();
            icons = &palette->List();
        });
        const CRect combo = user.RectOf(*categories);
        user.Click(CPoint(combo.CenterPoint().x, combo.top + 8));
        ASSERT_TRUE(user.WaitFor([&] { return categories->GetDroppedState() != FALSE; })) << "the categories did not open";
        EXPECT_TRUE(user.WaitForPopupMenu()) << "no pop-up shows";
        Shot(user, "walk-06-categories");
        user.Keys("Down");
        user.Keys("Down");
        user.Keys("Return");
        int category = -1;
        ASSERT_TRUE(user.WaitFor([&] {
            category = categories->GetCurSel();
            return categories->GetDroppedState() == FALSE;
        }));
        EXPECT_GE(category, 0);
        int count = 0;
        user.OnUi([&] { count = icons->GetItemCount(); });
        ASSERT_GT(count, 0) << "the category shows no components";
        CRect first;
        user.OnUi([&] { icons->GetItemRect(0, &first, LVIR_BOUNDS); });
        user.Click(user.PointOf(*icons, first.CenterPoint()));
        ASSERT_TRUE(user.WaitFor([&] { return icons->GetNextItem(-1, LVNI_SELECTED) == 0; })) << "no icon chosen";
        user.WaitDrawn();
        std::size_t objects = 0;
        user.OnUi([&] { objects = view->GetDocument()->GetObjects().size(); });
        const CRect canvas = user.RectOf(*view);
        user.Click(CPoint(canvas.left + canvas.Width() / 2, canvas.top + canvas.Height() / 2));
        EXPECT_TRUE(user.WaitFor([&] { return view->GetDocument()->GetObjects().size() == objects + 1; }, 5000))
            << "no component was placed";
        Shot(user, "walk-07-placed");

        // Binding by dragging over the workbook's cells, changing titles, limits and colours in
        // the components' sheets, preview with a dragged slider, save, close and reopen, and
        // export wait for the new document to be drawn, the preview to calculate and saving to
        // work (WalkThroughTest.DISABLED_* below).
    }
}

// Waits for the new document to be drawn on the canvas, the preview to calculate and File >
// Save to write the document: bind a slider, a column chart, a gauge, a label and a combo box by
// dragging over cells in the workbook window, change a title, a limit and a colour in their
// sheets, preview and drag the slider (the chart's value follows), leave the preview, save,
// close, reopen and export.
TEST_F(WalkThroughTest, DISABLED_BindInTheWorkbookChangeSheetsPreviewSaveAndExport)
{
    GTEST_SKIP() << "waits for new documents to be drawn, the preview to calculate and saving";
}

} // namespace
