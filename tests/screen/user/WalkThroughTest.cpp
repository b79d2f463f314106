#include "PersonFixture.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <chrono>
#include <thread>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/AppIds.h"
#include "app/panels/ComponentPalette.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/ObjectBrowserDlg.h"
#include "app/panels/CanvasPropertiesPanel.h"
#include "propui/PropertiesPanel.h"
#include "platform/controls/Button.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "app/workbook/WorkbookDlg.h"
#include "app/canvas/CanvasGeometry.h"
#include "pages/ChartGeneralPage.h"
#include "pages/LabelGeneralPage.h"
#include "pages/SelectorGeneralPage.h"
#include "pages/SingleValueBehaviorPage.h"
#include "pages/SingleValueAppearancePage.h"
#include "pages/SingleValueGeneralPage.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/StyleSheet.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/controls/TabCtrl.h"
#include "platform/docview/ToolBar.h"
#include "app/shell/KVApp.h"
#include "app/shell/MainFrm.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/docview/Menu.h"
#include "platform/docview/Frame.h"
#include "platform/docview/MenuBar.h"
#include "platform/docview/StatusBar.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/gtk/GtkScreen.h"
#include "platform/window/Screen.h"
#include "tests/support/FlashPlayerFake.h"

namespace {

// How many pixels of area (every second one each way) differ between two pictures of the screen.
int PixelsChanged(const CBitmap& before, const CBitmap& now, const CRect& area)
{
    int changed = 0;
    for (int y = area.top; y < area.bottom; y += 2) {
        for (int x = area.left; x < area.right; x += 2) {
            if (before.GetPixel(x, y) != now.GetPixel(x, y))
                ++changed;
        }
    }
    return changed;
}

// How many pixels of area in the picture are darker than the given grey (a level of 0 to 255):
// the ink of a line of text.
int DarkPixels(const CBitmap& screen, const CRect& area, int below)
{
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = screen.GetPixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * below)
                ++dark;
        }
    return dark;
}

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

    // Chooses a command of the main window's menu as a person does with the keyboard: Alt with
    // the menu title's underlined letter, then the item's underlined letter (the menus' letters
    // are unique within each menu). False when the command has no such path.
    static bool ChooseFromMenu(ScreenUser& user, CFrameWnd& frame, UINT id)
    {
        const auto mnemonic = [](const std::string& text) -> char {
            const std::size_t at = text.find('&');
            return at != std::string::npos && at + 1 < text.size()
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + 1])))
                       : '\0';
        };
        char title = '\0';
        char item = '\0';
        user.OnUi([&] {
            CMenu* bar = frame.GetMenu();
            for (int t = 0; bar != nullptr && t < bar->GetMenuItemCount() && title == '\0'; ++t) {
                CMenu* sub = bar->GetSubMenu(t);
                for (int i = 0; sub != nullptr && i < sub->GetMenuItemCount(); ++i) {
                    if (sub->GetMenuItemID(i) == id) {
                        title = mnemonic(bar->GetMenuString(static_cast<UINT>(t), MF_BYPOSITION));
                        item = mnemonic(sub->GetMenuString(static_cast<UINT>(i), MF_BYPOSITION));
                        break;
                    }
                }
            }
        });
        if (title == '\0' || item == '\0') {
            return false;
        }
        user.WaitDrawn();
        // The menu is the main window's: a person whose keys would go to another window (a
        // sheet) clicks the main window's status bar first.
        if (!user.WaitForFocusedTitle(TitleOf(user, frame))) {
            const CRect main = user.RectOf(frame);
            user.Click(CPoint(main.left + 10, main.bottom - 5));
            user.WaitForFocusedTitle(TitleOf(user, frame));
        }
        // A person presses the keys again when the menu did not come.
        bool shown = false;
        for (int tries = 0; tries < 2 && !shown; ++tries) {
            user.Keys(std::string("alt+") + title);
            shown = user.WaitForPopupMenu();
        }
        if (!shown) {
            return false;
        }
        user.Keys(std::string(1, item));
        return user.WaitFor([] { return !gtkscreen::PopupMenuShown(); });
    }

    static void Walk(ScreenUser& user, CKVApp* program, const std::filesystem::path& workbook);
    static void LookAtSheets(ScreenUser& user, CKVApp* program);
    // The program's main window once it is active and shown, or null.
    static CMainFrame* MainWindowShown(ScreenUser& user, CKVApp* program)
    {
        CMainFrame* frame = nullptr;
        const bool shown = user.WaitFor(
            [&] {
                frame = program->MainFrame();
                return frame != nullptr && CWnd::GetActiveWindow() == frame && !user.RectOf(*frame).IsRectEmpty();
            },
            20000);
        return shown ? frame : nullptr;
    }
    static void Build(ScreenUser& user, CKVApp* program, const std::filesystem::path& workbook,
                      const std::filesystem::path& saved, const std::filesystem::path& movie, bool followInPreview);
    void RunBuild(bool followInPreview);
    // Starts the program with its command line and lets a person at the screen act on it; however
    // far the person got, nothing is left open and the program ends.
    void RunWithPerson(std::vector<std::string> commandLine, const std::function<void(ScreenUser&)>& act,
                       int finishMs = 120000)
    {
        app = std::make_unique<CKVApp>();
        app->SetCommandLine(std::move(commandLine));
        PersonAtScreen person([&](ScreenUser& user) {
            act(user);
            user.Keys("Escape");
            user.Keys("Escape");
            user.OnUi([] { PostQuitMessage(0); });
        });
        ASSERT_TRUE(app->InitInstance());
        app->Run();
        exited = true;
        EXPECT_TRUE(person.Finish(finishMs));
    }

    // The toolkit's file chooser, once it has the keyboard, takes a whole path typed over its
    // name (Ctrl+L opens the location field where it is a chooser for opening).
    static bool AnswerFileChooser(ScreenUser& user, const std::filesystem::path& path, bool opening,
                                  const std::string& shot = {})
    {
        const auto chooserFocused = [&] {
            const std::string title = user.FocusedTitle();
            return !title.empty() && title.find("Vantorel") == std::string::npos;
        };
        // A slow machine may take a while to build the movie or the document before it asks.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!chooserFocused() && std::chrono::steady_clock::now() < until) {
            user.Settle();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!chooserFocused())
            return false;
        user.WaitDrawn();
        // The location field opens a moment after Ctrl+L and may take the first Return for
        // its completion: the path is typed again until the chooser goes away.
        for (int tries = 0; tries < 3 && chooserFocused(); ++tries) {
            if (opening)
                user.Keys("ctrl+l");
            user.WaitDrawn();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            // Whatever the field holds (a "/" the location field starts with, a proposed
            // name) gives way to the whole path.
            user.Keys("ctrl+a");
            user.Type(path.string());
            user.WaitDrawn();
            if (!shot.empty() && tries == 0)
                Shot(user, shot);
            for (int enter = 0; enter < 2 && chooserFocused(); ++enter) {
                user.Keys("Return");
                const auto wait = std::chrono::steady_clock::now() + std::chrono::seconds(3);
                while (chooserFocused() && std::chrono::steady_clock::now() < wait) {
                    user.Settle();
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            }
        }
        return true;
    }

    // Waits for what the screen shows, looked at from the person's side (the screen's thread
    // goes on meanwhile); false on the time-out.
    // A shipped sample opened as a person opens it from the command line, the welcome page closed
    // at once: the person acts once its main window and view have come.
    void WithSampleOpen(const char* file, const std::function<void(ScreenUser&, CMainFrame*, CDrawView*)>& act)
    {
        const std::filesystem::path sample = testsupport::InstallDir() / "samples" / "Dashboards" / file;
        ASSERT_TRUE(std::filesystem::exists(sample)) << sample;
        ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); });
        RunWithPerson({sample.string()}, [&](ScreenUser& user) {
            ASSERT_TRUE(user.Ready()) << user.Problem();
            CMainFrame* frame = MainWindowShown(user, app.get());
            ASSERT_NE(frame, nullptr) << "the main window did not come";
            CDrawView* view = nullptr;
            user.OnUi([&] { view = GetActiveDrawView(); });
            ASSERT_NE(view, nullptr);
            act(user, frame, view);
        });
    }

    static bool Eventually(ScreenUser& user, const std::function<bool()>& seen, int timeoutMs = 30000)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(gtkscreen::Patient(timeoutMs));
        while (!seen()) {
            if (std::chrono::steady_clock::now() >= until)
                return false;
            user.Settle();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return true;
    }

    // Drags at a person's pace, a few steps a tenth of a second: a movie's page takes the
    // pointer's events frame by frame.
    static void DragSlowly(ScreenUser& user, CPoint from, CPoint to)
    {
        user.MoveTo(from);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        user.Press();
        for (int i = 1; i <= 10; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            user.MoveTo(CPoint(from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        user.Release();
    }

    // A click that should have an effect, tried again as a person does when a click went
    // unnoticed (on a loaded or slowed machine a click into a window that is not active is
    // sometimes not seen); false when none of three took.
    static bool ClickFor(ScreenUser& user, CPoint at, const std::function<bool()>& effect, int timeoutMs = 5000)
    {
        constexpr int kTries = 3;
        for (int attempt = 1;; ++attempt) {
            user.Click(at);
            if (user.WaitFor(effect, timeoutMs))
                return true;
            if (attempt == kTries)
                return false;
            // Said in the test's output, for whoever looks into the lost click.
            user.OnUi([&] {
                const auto describe = [](CWnd* w) {
                    return w == nullptr ? std::string("none") : w->GetClassName() + " \"" + w->GetWindowText() + "\"";
                };
                std::fprintf(stderr, "a click at %d,%d went unseen: capture %s, focus %s, active %s\n", at.x, at.y,
                             describe(CWnd::GetCapture()).c_str(), describe(CWnd::GetFocus()).c_str(),
                             describe(CWnd::GetActiveWindow()).c_str());
            });
        }
    }

    // Clicks a toolbar button of the main window.
    static bool ClickToolButton(ScreenUser& user, CMainFrame& frame, UINT id, const std::function<bool()>& effect,
                                int timeoutMs = 10000)
    {
        for (int bar = 0; bar < 4; ++bar) {
            CToolBar* toolbar = &frame.ToolBar(bar);
            int index = -1;
            CRect r;
            user.OnUi([&] {
                if (toolbar->GetSafeHwnd() != nullptr && toolbar->IsWindowVisible()) {
                    index = toolbar->CommandToIndex(id);
                    if (index >= 0)
                        toolbar->GetItemRect(index, &r);
                }
            });
            if (index >= 0)
                return ClickFor(user, user.PointOf(*toolbar, r.CenterPoint()), effect, timeoutMs);
        }
        return false;
    }

    // Chooses a category of the palette in its drop-down with the arrow keys, its icon (the
    // list turned with the wheel until the icon shows) and a place on the canvas: a component
    // of that kind lies there afterwards.
    static CDrawObj* PlaceFromPalette(ScreenUser& user, CDrawView& view, CComponentPalette& palette,
                                      const std::string& category, const std::string& label, CPoint docPixel)
    {
        CComboBox& categories = palette.Categories();
        CListCtrl& icons = palette.List();
        int wanted = -1;
        int current = -1;
        user.OnUi([&] {
            wanted = categories.FindStringExact(-1, category.c_str());
            current = categories.GetCurSel();
        });
        if (wanted < 0) {
            ADD_FAILURE() << "no category " << category;
            return nullptr;
        }
        if (wanted != current) {
            const CRect combo = user.RectOf(categories);
            if (!ClickFor(user, CPoint(combo.CenterPoint().x, combo.top + 8),
                          [&] { return categories.GetDroppedState() != FALSE; }) ||
                !user.WaitForPopupMenu()) {
                Shot(user, "build-no-categories");
                ADD_FAILURE() << "the categories did not open";
                return nullptr;
            }
            // The list opens with nothing under the keys: the first Down takes the first row.
            for (int i = 0; i <= wanted; ++i)
                user.Keys("Down");
            user.Keys("Return");
            if (!user.WaitFor([&] { return categories.GetDroppedState() == FALSE && categories.GetCurSel() == wanted; })) {
                ADD_FAILURE() << "the category " << category << " was not chosen";
                return nullptr;
            }
        }
        int item = -1;
        user.OnUi([&] {
            for (int i = 0; i < icons.GetItemCount() && item < 0; ++i) {
                if (icons.GetItemText(i, 0) == label)
                    item = i;
            }
        });
        if (item < 0) {
            ADD_FAILURE() << "no " << label << " in " << category;
            return nullptr;
        }
        const auto iconRect = [&] {
            CRect r;
            CRect client;
            user.OnUi([&] {
                icons.GetItemRect(item, &r, LVIR_ICON);
                icons.GetClientRect(&client);
            });
            return std::make_pair(r, client);
        };
        for (int turn = 0; turn < 10; ++turn) {
            auto [r, client] = iconRect();
            if (r.top >= client.top && r.bottom <= client.bottom)
                break;
            user.Wheel(user.CenterOf(icons), r.top < client.top ? 1 : -1);
            user.WaitDrawn();
        }
        auto [r, client] = iconRect();
        if (r.top < client.top || r.bottom > client.bottom) {
            ADD_FAILURE() << "the wheel did not bring " << label << " into view";
            return nullptr;
        }
        user.Click(user.PointOf(icons, r.CenterPoint()));
        if (!user.WaitFor([&] { return icons.GetNextItem(-1, LVNI_SELECTED) == item; })) {
            ADD_FAILURE() << label << " was not chosen";
            return nullptr;
        }
        std::size_t objects = 0;
        CPoint at;
        user.OnUi([&] {
            objects = view.GetDocument()->GetObjects().size();
            at = view.DocToClient(CPoint(docPixel.x * CCanvasGeometry::kTwipsPerPixel,
                                         docPixel.y * CCanvasGeometry::kTwipsPerPixel));
        });
        user.Click(user.PointOf(view, at));
        CDrawObj* placed = nullptr;
        if (!user.WaitFor([&] {
                const auto& all = view.GetDocument()->GetObjects();
                placed = all.size() == objects + 1 ? all.back() : nullptr;
                return placed != nullptr;
            })) {
            ADD_FAILURE() << label << " was not placed";
            Shot(user, "build-not-placed");
        }
        return placed;
    }

    // A parameter of a placed component, as text ("" when it has none).
    static std::string ParameterOf(CDrawObj& obj, const std::string& group, const std::string& name)
    {
        auto* component = dynamic_cast<CComponentObj*>(&obj);
        CComponent* instance = component != nullptr ? component->GetInstance(0) : nullptr;
        CParameterSet* set = instance != nullptr ? instance->GetParameters() : nullptr;
        CParameter* in = set != nullptr ? set->FindParameter(group) : nullptr;
        CParameter* parameter = in != nullptr && in->GetSet() != nullptr ? in->GetSet()->FindParameter(name) : nullptr;
        if (parameter == nullptr)
            return {};
        return parameter->GetValueText();
    }

    // The component of the active view's document under that name (null: none).
    static CComponentObj* ComponentNamed(ScreenUser& user, const std::string& name)
    {
        CComponentObj* found = nullptr;
        user.OnUi([&] {
            CDrawView* view = GetActiveDrawView();
            for (CDrawObj* obj : view != nullptr ? view->GetDocument()->GetObjects() : std::vector<CDrawObj*>{})
                if (auto* c = dynamic_cast<CComponentObj*>(obj); c != nullptr && c->GetName() == name)
                    found = c;
        });
        return found;
    }

    // The canvas as a person sees it: its components are drawn by the stage, a player page whose
    // pictures come a while after a change. A run that makes pictures for people
    // (tools/tutorial-pictures.sh sets VANTOREL_DRAWN_SHOTS) waits for a picture taken after
    // everything sent to the stage; the checks themselves do not look at the canvas's pixels.
    static void CanvasShot(ScreenUser& user, CDrawView& view, const std::string& name)
    {
        CStageFlashCtrl* stage = nullptr;
        user.OnUi([&] { stage = view.GetStage(); });
        if (stage != nullptr && std::getenv("VANTOREL_DRAWN_SHOTS") != nullptr &&
            user.WaitFor([&] { return gtkscreen::PlayerIdle(*stage); }, 30000)) {
            const int seen = gtkscreen::PlayerSnapshots(*stage);
            user.WaitFor([&] { return gtkscreen::PlayerSnapshots(*stage) >= seen + 2; }, 30000);
        }
        Shot(user, name);
    }

    // View > Preview pressed on the toolbar: the preview's player once it runs the movie; null
    // when it did not come.
    static CShockwaveFlash* PreviewShown(ScreenUser& user, CMainFrame& frame, CDrawView& view)
    {
        // The preview begins once its movie is made, which on a busy machine takes longer than a
        // lost click's wait: a second click then would leave the preview again.
        if (!ClickToolButton(user, frame, ID_VIEW_SWF_PREVIEW, [&] { return view.IsPreview(); }, 60000))
            return nullptr;
        CShockwaveFlash* player = nullptr;
        user.OnUi([&] { player = view.GetPreviewPlayer(); });
        return player != nullptr && user.WaitFor([&] { return gtkscreen::PlayerIdle(*player); }, 60000) ? player
                                                                                                         : nullptr;
    }

    // Where an object lies on the screen.
    static CRect ScreenRectOf(ScreenUser& user, CDrawView& view, CDrawObj& obj)
    {
        CRect r;
        user.OnUi([&] { r = view.DocToClient(obj.m_position); });
        const CPoint topLeft = user.PointOf(view, r.TopLeft());
        return CRect(topLeft, r.Size());
    }

    // A point of an area of the main window that no other window lies over, the centre when it
    // is free: a sheet left open, or a tool window, may cover part of a component, and a person
    // clicks the part they see. The window manager's frames count with the windows.
    static CPoint UncoveredPointOf(ScreenUser& user, CWnd& main, const CRect& area)
    {
        std::vector<CWnd*> others;
        user.OnUi([&] {
            for (CWnd* top : TopLevelWindows())
                if (top != main.GetTopLevelParent() && top->IsWindowVisible())
                    others.push_back(top);
        });
        std::vector<CRect> covers;
        for (CWnd* other : others) {
            CRect r = user.RectOf(*other);
            if (!r.IsRectEmpty()) {
                r.InflateRect(8, 40, 8, 8);
                covers.push_back(r);
            }
        }
        constexpr int kSteps = 6;
        std::vector<CPoint> candidates{area.CenterPoint()};
        for (int row = 1; row < kSteps; ++row)
            for (int column = 1; column < kSteps; ++column)
                candidates.emplace_back(area.left + area.Width() * column / kSteps,
                                        area.top + area.Height() * row / kSteps);
        for (const CPoint& candidate : candidates)
            if (std::none_of(covers.begin(), covers.end(), [&](const CRect& r) { return r.PtInRect(candidate); }))
                return candidate;
        return area.CenterPoint();
    }

    // The topmost component whole inside the view that is not a background panel, or null.
    static CComponentObj* WholeComponentIn(CDrawView& view)
    {
        CRect client;
        view.GetClientRect(&client);
        CComponentObj* component = nullptr;
        for (CDrawObj* obj : view.GetDocument()->GetObjects()) {
            auto* c = dynamic_cast<CComponentObj*>(obj);
            CRect on;
            if (c != nullptr && c->m_bShown && c->GetTypeName().find("Background") == std::string::npos &&
                on.IntersectRect(view.DocToClient(c->m_position), client) && on == view.DocToClient(c->m_position))
                component = c;
        }
        return component;
    }

    // Opens an object's sheet with a double click; the sheet, or null.
    static CComponentPropertySheet* OpenSheet(ScreenUser& user, CDrawView& view, CDrawObj& obj)
    {
        std::string name;
        user.OnUi([&] {
            if (auto* component = dynamic_cast<CComponentObj*>(&obj))
                name = component->GetName();
        });
        const CPoint at = UncoveredPointOf(user, view, ScreenRectOf(user, view, obj));
        if (!ClickFor(user, at, [&] { return view.IsSelected(&obj) && view.GetSelection().size() == 1; })) {
            Shot(user, "build-not-selected");
            ADD_FAILURE() << "a click did not select " << name;
            return nullptr;
        }
        user.DoubleClick(at);
        CComponentPropertySheet* sheet = nullptr;
        // A sheet open for another component follows the selection; else the double click
        // opens one.
        user.WaitFor([&] {
            auto* component = dynamic_cast<CComponentObj*>(&obj);
            auto* panel = component != nullptr ? dynamic_cast<CCanvasPropertiesPanel*>(&component->GetPanel()) : nullptr;
            sheet = panel != nullptr && panel->IsSheetOpen() ? panel->Panel().GetSheet() : nullptr;
            return sheet != nullptr && sheet->IsWindowVisible() && sheet->GetWindowText() == name + " Properties";
        });
        if (sheet == nullptr || sheet->GetWindowText() != name + " Properties") {
            Shot(user, "build-no-sheet");
            ADD_FAILURE() << "no sheet for " << name << "; the active window is "
                          << (CWnd::GetActiveWindow() != nullptr ? CWnd::GetActiveWindow()->GetWindowText() : "none");
            return nullptr;
        }
        user.WaitFor([&] { return !user.RectOf(*sheet).IsRectEmpty(); });
        return sheet;
    }

    // Brings a page of a sheet forward by clicking its tab; the page's window, or null.
    static CWnd* ShowPage(ScreenUser& user, CComponentPropertySheet& sheet, int index)
    {
        CTabCtrl* tabs = nullptr;
        CRect r;
        user.OnUi([&] {
            tabs = sheet.GetTabControl();
            if (tabs != nullptr)
                tabs->GetItemRect(index, &r);
        });
        if (tabs == nullptr)
            return nullptr;
        // A busy machine sometimes loses the first click after a sheet opens: a person clicks again.
        if (!ClickFor(user, user.PointOf(*tabs, r.CenterPoint()), [&] { return sheet.GetActiveIndex() == index; }))
            return nullptr;
        CWnd* page = nullptr;
        user.OnUi([&] { page = sheet.GetComponentPage(index); });
        return page;
    }

    // A control of a page by its id; a field the page edits in place answers for the id it
    // stands for.
    static CWnd* Item(ScreenUser& user, CWnd& page, int id)
    {
        CWnd* item = nullptr;
        user.OnUi([&] {
            for (CWnd* child : page.GetChildren()) {
                auto* inPlace = dynamic_cast<CInPlaceEdit*>(child);
                if (inPlace != nullptr && inPlace->GetStandsFor() == id)
                    item = child;
            }
            if (item == nullptr)
                item = page.GetDlgItem(id);
        });
        return item;
    }

    // Replaces an edit's text as a person does: a click into it, Ctrl+A, the new text and
    // Return, or Tab on to the next field.
    static void Retype(ScreenUser& user, CWnd& edit, const std::string& text, const std::string& finish = "Return")
    {
        user.Click(user.CenterOf(edit));
        user.WaitFor([&] { return CWnd::GetFocus() == &edit; });
        user.Keys("ctrl+a");
        user.Type(text);
        user.Keys(finish);
        user.WaitFor([&] { return CWnd::GetFocus() != &edit; });
        user.WaitDrawn();
    }

    // Binds by the pick button beside a field: the workbook window opens, the pointer drags
    // from the first cell to the last (rows and columns counted from 0) and OK takes them.
    static std::string BindByDragging(ScreenUser& user, CWnd& pick, CPoint firstCell, CPoint lastCell,
                                      const std::string& expected, const std::string& shot)
    {
        CWorkbookDlg* book = nullptr;
        if (!ClickFor(
                user, user.CenterOf(pick),
                [&] {
                    book = dynamic_cast<CWorkbookDlg*>(CWnd::GetActiveWindow());
                    return book != nullptr;
                },
                10000)) {
            ADD_FAILURE() << "no workbook window";
            return {};
        }
        user.WaitFor([&] { return !user.RectOf(*book).IsRectEmpty(); });
        CRect from;
        CRect to;
        user.OnUi([&] {
            from = book->Grid().CellRect(static_cast<std::uint32_t>(firstCell.y), static_cast<std::uint32_t>(firstCell.x));
            to = book->Grid().CellRect(static_cast<std::uint32_t>(lastCell.y), static_cast<std::uint32_t>(lastCell.x));
        });
        // The window starts on the field's cells: the drag is done again if it went unseen.
        std::string picked;
        const auto took = [&] {
            picked = book->SelectionText();
            return picked.find(expected) != std::string::npos;
        };
        for (int tries = 0; tries < 2 && !took(); ++tries) {
            user.Drag(user.PointOf(book->Grid(), from.CenterPoint()), user.PointOf(book->Grid(), to.CenterPoint()));
            user.WaitFor(took);
        }
        ShotOf(user, *book, shot);
        CWnd* ok = Item(user, *book, IDOK);
        if (ok == nullptr) {
            ADD_FAILURE() << "no OK in the workbook window";
            return {};
        }
        user.Click(user.CenterOf(*ok));
        user.WaitFor([&] { return dynamic_cast<CWorkbookDlg*>(CWnd::GetActiveWindow()) == nullptr; }, 10000);
        return picked;
    }

    testsupport::TempDir settings;
    testsupport::TempDir temp;
    std::unique_ptr<CKVApp> app;
    bool exited = false; // Run ends with ExitInstance
};

TEST_F(WalkThroughTest, StartNewDocumentImportAWorkbookAndPlaceComponentsFromThePalette)
{
    const std::filesystem::path workbook = testsupport::InstallDir() / "samples" / "regional-sales.xlsx";
    ASSERT_TRUE(std::filesystem::exists(workbook)) << workbook;
    RunWithPerson({}, [&](ScreenUser& user) { Walk(user, app.get(), workbook); });
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
        // The Object Browser below it, its title bar clear of the palette's last row.
        CObjectBrowserDlg* browser = nullptr;
        user.OnUi([&] { browser = view->GetObjectBrowser(); });
        if (palette != nullptr && browser != nullptr) {
            EXPECT_GE(user.RectOf(*browser).top - user.RectOf(*palette).bottom, 16)
                << "the Object Browser's title bar lies over the palette";
        }
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
        ASSERT_TRUE(AnswerFileChooser(user, workbook, true, "walk-04-import-chooser"))
            << "no file chooser has the keyboard: " << user.FocusedTitle();
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
        ASSERT_TRUE(ClickFor(user, CPoint(combo.CenterPoint().x, combo.top + 8),
                             [&] { return categories->GetDroppedState() != FALSE; }))
            << "the categories did not open";
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
        // What was placed is selected: the toolbar's Cut and Copy follow, as the Edit menu does.
        EXPECT_TRUE(user.WaitFor(
            [&] {
                CToolBar& bar = frame->ToolBar(0);
                return (bar.GetButtonStyle(bar.CommandToIndex(ID_EDIT_COPY)) & TBBS_DISABLED) == 0;
            },
            5000))
            << "the toolbar's Copy stays greyed with a component selected";
        CanvasShot(user, *view, "walk-07-placed");

        // Binding by dragging over the workbook's cells, changing titles, limits and colours in
        // the components' sheets, preview with a dragged slider, save, close and reopen, and
        // export are the build's steps (WalkThroughTest::Build below).
    }
}

// The rest of a person's first dashboard: components placed from the palette are bound by
// dragging over the workbook's cells, changed in their sheets, tried in the preview, saved,
// reopened and exported.
void WalkThroughTest::RunBuild(bool followInPreview)
{
    const std::filesystem::path workbook = testsupport::InstallDir() / "samples" / "regional-sales.xlsx";
    ASSERT_TRUE(std::filesystem::exists(workbook)) << workbook;
    const std::filesystem::path saved = temp.path() / "first-dashboard.vtd";
    const std::filesystem::path movie = temp.path() / "first-dashboard.swf";
    RunWithPerson(
        {}, [&](ScreenUser& user) { Build(user, app.get(), workbook, saved, movie, followInPreview); }, 240000);
}

TEST_F(WalkThroughTest, BindInTheWorkbookChangeSheetsPreviewSaveAndExport)
{
    RunBuild(false);
}

TEST_F(WalkThroughTest, InThePreviewTheChartFollowsTheDraggedSlider)
{
    RunBuild(true);
}

void WalkThroughTest::Build(ScreenUser& user, CKVApp* program, const std::filesystem::path& workbook,
                            const std::filesystem::path& saved, const std::filesystem::path& movie,
                            bool followInPreview)
{
    ASSERT_TRUE(user.Ready()) << user.Problem();
    // Past the welcome page (Escape), a new document and the workbook imported.
    CWnd* welcome = nullptr;
    ASSERT_TRUE(user.WaitFor(
        [&] {
            CWnd* active = CWnd::GetActiveWindow();
            welcome = active != nullptr && program->m_pMainWnd != nullptr && active != program->m_pMainWnd ? active
                                                                                                          : nullptr;
            return welcome != nullptr;
        },
        20000))
        << "no welcome page";
    ASSERT_TRUE(user.WaitFor([&] { return !user.RectOf(*welcome).IsRectEmpty(); }));
    user.WaitDrawn();
    user.WaitForFocusedTitle(TitleOf(user, *welcome), 10000);
    user.Keys("Escape");
    CMainFrame* frame = nullptr;
    ASSERT_TRUE(user.WaitFor(
        [&] {
            frame = program->MainFrame();
            return frame != nullptr && CWnd::GetActiveWindow() == frame;
        },
        10000));
    CDrawView* view = nullptr;
    CComponentPalette* palette = nullptr;
    user.OnUi([&] {
        view = GetActiveDrawView();
        palette = view != nullptr ? view->GetPalette() : nullptr;
    });
    ASSERT_TRUE(view != nullptr && palette != nullptr);
    ASSERT_TRUE(ChooseFromMenu(user, *frame, ID_DATA_IMPORT_MODEL));
    ASSERT_TRUE(AnswerFileChooser(user, workbook, true)) << "no file chooser: " << user.FocusedTitle();
    ASSERT_TRUE(user.WaitFor([&] { return frame->StatusBar().GetPaneText(1) == "Model Import Done"; }, 20000));

    // Five components from the palette, dropped to the right of the palette's tool window.
    CDrawObj* slider = PlaceFromPalette(user, *view, *palette, "Single Value", "Horizontal Slider", CPoint(420, 60));
    ASSERT_NE(slider, nullptr);
    CDrawObj* chart = PlaceFromPalette(user, *view, *palette, "Charts", "Column Chart", CPoint(650, 200));
    ASSERT_NE(chart, nullptr);
    CDrawObj* gauge = PlaceFromPalette(user, *view, *palette, "Single Value", "Gauge", CPoint(420, 300));
    ASSERT_NE(gauge, nullptr);
    CDrawObj* label = PlaceFromPalette(user, *view, *palette, "Art and Background", "Label", CPoint(650, 40));
    ASSERT_NE(label, nullptr);
    CDrawObj* combo = PlaceFromPalette(user, *view, *palette, "Selectors", "Combo Box", CPoint(420, 500));
    ASSERT_NE(combo, nullptr);
    CanvasShot(user, *view, "build-01-placed");

    // The slider: its value bound to the units of the first region (B2), its maximum raised.
    CComponentPropertySheet* sheet = OpenSheet(user, *view, *slider);
    ASSERT_NE(sheet, nullptr) << "no sheet for the slider";
    CanvasShot(user, *view, "build-02-slider-sheet");
    CWnd* general = ShowPage(user, *sheet, 0);
    ASSERT_NE(general, nullptr);
    CWnd* pick = Item(user, *general, CSingleValueGeneralPage::IDC_DATA_LINK);
    ASSERT_NE(pick, nullptr);
    const std::string unitsCell = BindByDragging(user, *pick, CPoint(1, 1), CPoint(1, 1), "$B$2", "build-03-slider-cells");
    EXPECT_NE(unitsCell.find("$B$2"), std::string::npos) << unitsCell;
    user.OnUi([&] { general = sheet->GetComponentPage(0); });
    ASSERT_NE(general, nullptr);
    CWnd* data = Item(user, *general, CSingleValueGeneralPage::IDC_DATA);
    ASSERT_NE(data, nullptr) << "the slider's page has no cell field";
    EXPECT_TRUE(user.WaitFor([&] { return data->GetWindowText().find("$B$2") != std::string::npos; }))
        << "the slider's cell reads " << data->GetWindowText();
    CWnd* behavior = ShowPage(user, *sheet, 1);
    ASSERT_NE(behavior, nullptr);
    CWnd* maximum = Item(user, *behavior, CSingleValueBehaviorPage::IDC_MAX);
    ASSERT_NE(maximum, nullptr);
    Retype(user, *maximum, "300");
    CanvasShot(user, *view, "build-04-slider-limit");
    EXPECT_TRUE(user.WaitFor([&] { return ParameterOf(*slider, "Behavior", "maxValue") == "300"; }))
        << "the slider's maximum is " << ParameterOf(*slider, "Behavior", "maxValue");

    // The chart: its title typed, its values the revenue of the regions (D2:D5), dragged.
    sheet = OpenSheet(user, *view, *chart);
    ASSERT_NE(sheet, nullptr) << "no sheet for the chart";
    general = ShowPage(user, *sheet, 0);
    ASSERT_NE(general, nullptr);
    CWnd* title = Item(user, *general, CChartGeneralPage::IDC_TITLE);
    ASSERT_NE(title, nullptr);
    // Tab takes the person on to the page's next field, and the title is kept.
    Retype(user, *title, "Revenue by region", "Tab");
    EXPECT_TRUE(user.WaitFor([&] { return title->GetWindowText() == "Revenue by region"; })) << title->GetWindowText();
    CWnd* next = nullptr;
    user.OnUi([&] { next = CWnd::GetFocus(); });
    EXPECT_TRUE(next != nullptr && next != title && next->GetParent() == general) << "Tab did not move on in the page";
    CWnd* values = nullptr;
    for (int id : {CChartGeneralPage::IDC_VALUES_LINK, CChartGeneralPage::IDC_RANGE_LINK}) {
        CWnd* candidate = Item(user, *general, id);
        bool shown = false;
        user.OnUi([&] { shown = candidate != nullptr && candidate->IsWindowVisible() && candidate->IsWindowEnabled(); });
        if (shown) {
            values = candidate;
            break;
        }
    }
    ASSERT_NE(values, nullptr) << "no pick button for the chart's values";
    const std::string revenue = BindByDragging(user, *values, CPoint(3, 1), CPoint(3, 4), "$D$2:$D$5", "build-05-chart-cells");
    EXPECT_NE(revenue.find("$D$2:$D$5"), std::string::npos) << revenue;
    CanvasShot(user, *view, "build-06-chart-sheet");

    // The gauge shows the revenue of the first region, the label the best region, the combo
    // box lists the regions: each bound by its pick button and a drag in the workbook.
    struct Binding {
        CDrawObj* obj;
        int modeId; // a radio button to choose linking first, or 0
        int pickId;
        CPoint from;
        CPoint to;
        const char* reference;
        const char* shot;
    };
    const Binding bindings[] = {
        {gauge, 0, CSingleValueGeneralPage::IDC_DATA_LINK, CPoint(3, 1), CPoint(3, 1), "$D$2", "build-07-gauge-cells"},
        {label, CLabelGeneralPage::IDC_LINK_MODE, CLabelGeneralPage::IDC_LINK, CPoint(1, 9), CPoint(1, 9), "$B$10",
         "build-07-label-cells"},
        {combo, 0, CSelectorGeneralPage::IDC_LABELS_LINK, CPoint(0, 1), CPoint(0, 4), "$A$2:$A$5",
         "build-07-combo-cells"},
    };
    for (const Binding& b : bindings) {
        CComponentPropertySheet* its = OpenSheet(user, *view, *b.obj);
        ASSERT_NE(its, nullptr);
        CWnd* page = ShowPage(user, *its, 0);
        ASSERT_NE(page, nullptr);
        CWnd* pickButton = Item(user, *page, b.pickId);
        ASSERT_NE(pickButton, nullptr);
        const auto enabled = [&] { return pickButton->IsWindowEnabled() != FALSE; };
        if (b.modeId != 0) {
            CWnd* mode = Item(user, *page, b.modeId);
            ASSERT_NE(mode, nullptr);
            const CRect r = user.RectOf(*mode);
            ClickFor(user, CPoint(r.left + 6, r.CenterPoint().y), enabled);
        }
        ASSERT_TRUE(user.WaitFor(enabled)) << b.shot;
        const std::string picked = BindByDragging(user, *pickButton, b.from, b.to, b.reference, b.shot);
        EXPECT_NE(picked.find(b.reference), std::string::npos) << b.shot << ": " << picked;
    }
    CanvasShot(user, *view, "build-07-bound");

    // The gauge's ticks turned red: its Appearance tab, the ticks' colour button, and in the
    // toolkit's colour chooser a red swatch, taken with a double click.
    {
        CComponentPropertySheet* its = OpenSheet(user, *view, *gauge);
        ASSERT_NE(its, nullptr);
        int appearance = -1;
        user.OnUi([&] {
            CTabCtrl* tabs = its->GetTabControl();
            for (int i = 0; tabs != nullptr && i < tabs->GetItemCount(); ++i) {
                if (tabs->GetItemText(i) == "Appearance")
                    appearance = i;
            }
        });
        ASSERT_GE(appearance, 0) << "the gauge's sheet has no Appearance tab";
        CWnd* page = ShowPage(user, *its, appearance);
        ASSERT_NE(page, nullptr);
        CWnd* ticks = Item(user, *page, CSingleValueAppearancePage::IDC_TICK_COLOR);
        ASSERT_NE(ticks, nullptr);
        const std::string before = ParameterOf(*gauge, "Appearance", "tickColor");
        // A chooser slow to come on a busy machine is waited for, not clicked for again: a
        // second click would open a second chooser once the first is gone.
        ASSERT_TRUE(ClickFor(
            user, user.CenterOf(*ticks), [&] { return user.FocusedTitle() == "Color"; }, 20000))
            << "no colour chooser: " << user.FocusedTitle();
        CPoint red;
        const auto redShows = [&] {
            const CRect chooser = user.FocusedRect();
            const CBitmap screen = user.Screen();
            const auto isRed = [&](int x, int y) {
                const COLORREF p = screen.GetPixel(x, y);
                return GetRValue(p) > 160 && GetGValue(p) < 60 && GetBValue(p) < 60;
            };
            // The middle of a red patch, not an edge of one.
            for (int y = chooser.top + 4; y < chooser.bottom - 4; ++y) {
                for (int x = chooser.left + 4; x < chooser.right - 4; ++x) {
                    if (isRed(x, y) && isRed(x - 4, y - 4) && isRed(x + 4, y + 4) && isRed(x - 4, y + 4) &&
                        isRed(x + 4, y - 4)) {
                        red = CPoint(x, y);
                        return true;
                    }
                }
            }
            return false;
        };
        ASSERT_TRUE(Eventually(user, redShows, 10000)) << "the chooser shows no red";
        Shot(user, "build-07-gauge-colour-chooser");
        user.DoubleClick(red);
        EXPECT_TRUE(user.WaitFor([&] { return ParameterOf(*gauge, "Appearance", "tickColor") != before; }, 10000))
            << "the ticks' colour stayed " << before;
        const unsigned long chosen = std::strtoul(ParameterOf(*gauge, "Appearance", "tickColor").c_str(), nullptr, 0);
        EXPECT_GT((chosen >> 16) & 0xFF, 160u) << std::hex << chosen;
        EXPECT_LT((chosen >> 8) & 0xFF, 60u) << std::hex << chosen;
        user.WaitFor([&] { return user.FocusedTitle() != "Color"; });
        // Should a second chooser come all the same, it is closed: it would keep every click.
        for (int i = 0; i < 2 && user.WaitFor([&] { return user.FocusedTitle() == "Color"; }, 1000); ++i)
            user.Keys("Escape");
        Shot(user, "build-07-gauge-ticks-red");
    }

    // Preview: the slider dragged, the chart follows.
    ASSERT_TRUE(ClickToolButton(user, *frame, ID_VIEW_SWF_PREVIEW, [&] { return view->IsPreview(); }, 60000)) << "no preview";
    // The player draws the movie once it has loaded it: the canvas shows more than paper.
    const CRect chartArea = ScreenRectOf(user, *view, *chart);
    const auto drawn = [&] {
        const CBitmap screen = user.Screen();
        const COLORREF paper = screen.GetPixel(chartArea.left + 2, chartArea.top + 2);
        int inked = 0;
        for (int y = chartArea.top; y < chartArea.bottom; y += 4) {
            for (int x = chartArea.left; x < chartArea.right; x += 4) {
                if (screen.GetPixel(x, y) != paper)
                    ++inked;
            }
        }
        return inked > 20;
    };
    // A sanitized build on a busy machine takes tens of seconds to load the player.
    for (int i = 0; i < 300 && !drawn(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (followInPreview) {
        EXPECT_TRUE(drawn()) << "the preview shows no chart";
    }
    Shot(user, "build-07-preview");
    // The player stays inside the view: the status bar below it shows, not the movie's paper.
    {
        const CRect status = user.RectOf(frame->StatusBar());
        const CBitmap screen = user.Screen();
        int paper = 0;
        for (int y = status.top; y < status.bottom; ++y) {
            for (int x = status.left; x < status.right; x += 2) {
                if (screen.GetPixel(x, y) == RGB(255, 255, 255))
                    ++paper;
            }
        }
        EXPECT_LT(paper, status.Width() * status.Height() / 40) << "the preview covers the status bar";
    }
    if (followInPreview) {
        // A person drags the slider's thumb to the right end of its track. The movie answers
        // once its page has taken the pointer's events, which a busy machine delays.
        CShockwaveFlash* player = nullptr;
        user.OnUi([&] { player = view->GetPreviewPlayer(); });
        ASSERT_NE(player, nullptr);
        EXPECT_TRUE(user.WaitFor([&] { return gtkscreen::PlayerIdle(*player); }, 60000)) << "the preview never loaded";
        const CRect sliderOnScreen = ScreenRectOf(user, *view, *slider);
        const CRect chartOnScreen = ScreenRectOf(user, *view, *chart);
        const CBitmap before = user.Screen();
        const auto changedIn = [&](const CRect& area) { return PixelsChanged(before, user.Screen(), area); };
        DragSlowly(user, CPoint(sliderOnScreen.left + sliderOnScreen.Width() / 2, sliderOnScreen.CenterPoint().y),
                   CPoint(sliderOnScreen.right - 10, sliderOnScreen.CenterPoint().y));
        EXPECT_TRUE(Eventually(user, [&] { return changedIn(sliderOnScreen) > 10; })) << "the slider did not move";
        EXPECT_TRUE(Eventually(user, [&] { return changedIn(chartOnScreen) > 20; }))
            << "the chart did not follow the slider";
        Shot(user, "build-08-preview-dragged");
    }
    ASSERT_TRUE(ClickToolButton(user, *frame, ID_VIEW_SWF_PREVIEW, [&] { return !view->IsPreview(); }))
        << "the preview did not end";

    // Saved, a new document, and the saved one opened again.
    // A click on empty paper away from the tool windows (the palette lies over the canvas's
    // top-left corner) gives the keyboard back to the document's window.
    CRect paper;
    user.OnUi([&] { view->GetClientRect(&paper); });
    user.Click(user.PointOf(*view, CPoint(paper.right - 30, paper.bottom - 30)));
    user.WaitForFocusedTitle(TitleOf(user, *frame));
    user.Keys("ctrl+s");
    ASSERT_TRUE(AnswerFileChooser(user, saved, false, "build-09-save-chooser")) << "no file chooser for saving";
    if (!user.WaitFor([&] { return std::filesystem::exists(saved); }, 20000)) {
        Shot(user, "build-not-saved");
        FAIL() << "nothing was saved";
    }
    Shot(user, "build-09-saved");
    user.Keys("ctrl+n");
    ASSERT_TRUE(user.WaitFor([&] { return view->GetDocument()->GetObjects().empty(); }, 10000)) << "no new document";
    user.Keys("ctrl+o");
    ASSERT_TRUE(AnswerFileChooser(user, saved, true)) << "no file chooser for opening";
    const bool reopened = user.WaitFor([&] { return view->GetDocument()->GetObjects().size() == 5; }, 20000);
    if (!reopened)
        Shot(user, "build-not-reopened");
    ASSERT_TRUE(reopened) << "the saved document did not open: " << view->GetDocument()->GetObjects().size()
                          << " objects, " << view->GetDocument()->GetPathName();
    // The canvas draws the reopened components (the stage plays them again).
    std::vector<CRect> placedRects;
    user.OnUi([&] {
        for (CDrawObj* obj : view->GetDocument()->GetObjects()) {
            CRect r = view->DocToClient(obj->m_position);
            placedRects.emplace_back(CPoint(0, 0), r.Size());
            placedRects.back().OffsetRect(r.TopLeft());
        }
    });
    for (CRect& r : placedRects)
        r = CRect(user.PointOf(*view, r.TopLeft()), r.Size());
    const auto allDrawn = [&] {
        const CBitmap screen = user.Screen();
        for (const CRect& r : placedRects) {
            const COLORREF paper = screen.GetPixel(r.left + 1, r.top + 1);
            int inked = 0;
            for (int y = r.top; y < r.bottom; y += 3) {
                for (int x = r.left; x < r.right; x += 3) {
                    if (screen.GetPixel(x, y) != paper)
                        ++inked;
                }
            }
            if (inked < 5)
                return false;
        }
        return true;
    };
    EXPECT_TRUE(Eventually(user, allDrawn)) << "the reopened components are not drawn";
    Shot(user, "build-10-reopened");

    // Exported as a movie.
    ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetActiveWindow() == frame; }));
    // The letter opens the Export submenu; Return chooses its first entry once it shows. A person
    // whose keys went unnoticed tries once more.
    bool chosen = false;
    for (int tries = 0; tries < 2 && !chosen; ++tries) {
        user.Keys("alt+f");
        ASSERT_TRUE(user.WaitForPopupMenu());
        user.Keys("e");
        user.WaitDrawn();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        user.Settle();
        Shot(user, "build-11-export-menu");
        user.Keys("Return");
        chosen = AnswerFileChooser(user, movie, false);
        if (!chosen) {
            user.Keys("Escape");
            user.Keys("Escape");
            user.WaitFor([] { return !gtkscreen::PopupMenuShown(); });
        }
    }
    if (!chosen) {
        Shot(user, "build-no-movie-chooser");
        FAIL() << "no file chooser for the movie: " << user.FocusedTitle();
    }
    if (!user.WaitFor([&] { return std::filesystem::exists(movie) && std::filesystem::file_size(movie) > 100; },
                      60000)) {
        Shot(user, "build-no-movie");
        FAIL() << "no movie was written";
    }
    Shot(user, "build-11-exported");

    // The exported movie played on its own, in a player window as a person opens the file: it
    // draws the components where the canvas had them, and its slider, dragged, moves its chart.
    CRect sliderAt;
    CRect chartAt;
    user.OnUi([&] {
        const auto& objects = view->GetDocument()->GetObjects();
        const CPoint origin = view->DocToClient(CPoint(0, 0));
        if (objects.size() >= 2) {
            sliderAt = view->DocToClient(objects[0]->m_position);
            chartAt = view->DocToClient(objects[1]->m_position);
            sliderAt.OffsetRect(-origin.x, -origin.y);
            chartAt.OffsetRect(-origin.x, -origin.y);
        }
    });
    ASSERT_FALSE(sliderAt.IsRectEmpty() || chartAt.IsRectEmpty());
    struct PlayerWindow {
        ScreenUser& user;
        std::unique_ptr<CFrameWnd> frame = std::make_unique<CFrameWnd>();
        std::unique_ptr<CShockwaveFlash> player = std::make_unique<CShockwaveFlash>();
        // Windows and players belong to the screen's thread.
        ~PlayerWindow()
        {
            user.OnUi([&] {
                if (frame->GetSafeHwnd() != nullptr)
                    frame->DestroyWindow();
                player.reset();
                frame.reset();
            });
        }
    } played{user};
    bool playing = false;
    user.OnUi([&] {
        playing = played.frame->Create(nullptr, "first-dashboard.swf", WS_OVERLAPPEDWINDOW, CRect(120, 60, 1120, 760)) &&
                  played.player->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 700), played.frame.get(), 1);
        if (playing) {
            played.frame->ShowWindow(SW_SHOW);
            played.player->LoadMovie(0, movie.string());
        }
    });
    ASSERT_TRUE(playing) << "no player window";
    ASSERT_TRUE(user.WaitFor([&] { return !user.RectOf(*played.frame).IsRectEmpty(); }));
    EXPECT_TRUE(user.WaitFor([&] { return gtkscreen::PlayerIdle(*played.player); }, 60000)) << "the movie never played";
    const CPoint stage = user.PointOf(*played.player, CPoint(0, 0));
    sliderAt.OffsetRect(stage);
    chartAt.OffsetRect(stage);
    const auto inked = [&](const CBitmap& screen, const CRect& r) {
        const COLORREF paper = screen.GetPixel(r.left + 1, r.top + 1);
        int count = 0;
        for (int y = r.top; y < r.bottom; y += 3) {
            for (int x = r.left; x < r.right; x += 3) {
                if (screen.GetPixel(x, y) != paper)
                    ++count;
            }
        }
        return count;
    };
    EXPECT_TRUE(Eventually(user, [&] {
        const CBitmap screen = user.Screen();
        return inked(screen, sliderAt) > 10 && inked(screen, chartAt) > 50;
    })) << "the exported movie draws no slider and no chart";
    Shot(user, "build-12-exported-played");
    const CBitmap before = user.Screen();
    const auto changedIn = [&](const CRect& area) { return PixelsChanged(before, user.Screen(), area); };
    DragSlowly(user, CPoint(sliderAt.left + sliderAt.Width() / 2, sliderAt.CenterPoint().y),
               CPoint(sliderAt.right - 10, sliderAt.CenterPoint().y));
    EXPECT_TRUE(Eventually(user, [&] { return changedIn(chartAt) > 20; }))
        << "in the exported movie the chart did not follow the slider";
    Shot(user, "build-12-exported-dragged");
}

// The designer on a shipped sample as a person keeps it open while working: the palette, a
// component's sheet opened with a double click, then the Styles sheet from the Format menu.
// Both pictures are kept for a person to judge the look by.
TEST_F(WalkThroughTest, ASampleWithThePaletteAComponentsSheetAndTheStylesSheet)
{
    const std::filesystem::path sample = testsupport::InstallDir() / "samples" / "Dashboards" / "regional-sales.vtd";
    ASSERT_TRUE(std::filesystem::exists(sample)) << sample;
    // The welcome page is closed as soon as it opens.
    ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); });
    RunWithPerson({sample.string()}, [&](ScreenUser& user) { LookAtSheets(user, app.get()); });
}

// In the preview a person clicks into a text field of the movie and types: the keys reach the
// movie, which saves a plan under the typed name. Afterwards the keyboard is the designer's again.
TEST_F(WalkThroughTest, InThePreviewKeysTypedIntoTheMovieReachIt)
{
    WithSampleOpen("price-plan.vtd", [&](ScreenUser& user, CMainFrame* frame, CDrawView* view) {
        CComponentObj* plans = ComponentNamed(user, "Plans");
        ASSERT_NE(plans, nullptr) << "the sample has no scenario component";
        ASSERT_NE(PreviewShown(user, *frame, *view), nullptr) << "the preview never loaded";
        // The component's name field runs along its top, its Save button at the right end, its
        // list of saved plans below them.
        const CRect r = ScreenRectOf(user, *view, *plans);
        const CRect firstRow(r.left + 6, r.top + 29, r.right - 8, r.top + 47);
        const auto written = [&] { return DarkPixels(user.Screen(), firstRow, 110); };
        const int empty = written();
        const CRect nameField(r.left + 4, r.top + 4, r.right - 62, r.top + 21);
        // As a person does, Save is pressed once the whole name shows in the field. On a busy
        // machine the page takes keys and clicks in queues of their own: a key typed right after
        // the click into the field may reach the movie before the click gave the field the
        // keyboard, and the click on Save before the last keys. So the first letter is typed
        // until it shows, as a person types it again, and the rest in two parts, each waited for
        // until the field's ink has grown past what was there and stopped growing; the last
        // letter adds ink, so it shows that the space before it came.
        const auto typedAndShown = [&](const std::string& keys, int inkBefore, int grows) {
            for (char c : keys) {
                user.Type(std::string(1, c));
                std::this_thread::sleep_for(std::chrono::milliseconds(120));
            }
            int lastInk = -1;
            return Eventually(user, [&] {
                const int ink = DarkPixels(user.Screen(), nameField, 110);
                const bool settled = ink > inkBefore + grows && ink == lastInk;
                lastInk = ink;
                return settled;
            });
        };
        const int blank = DarkPixels(user.Screen(), nameField, 110);
        bool first = false;
        for (int attempt = 0; attempt < 3 && !first; ++attempt) {
            user.Click(CPoint(r.left + (r.Width() - 66) / 2, r.top + 12));
            first = typedAndShown("p", blank, 4);
        }
        ASSERT_TRUE(first) << "the field never showed a letter typed into it";
        ASSERT_TRUE(typedAndShown("lan", DarkPixels(user.Screen(), nameField, 110), 12))
            << "the typed name never showed in the field";
        ASSERT_TRUE(typedAndShown(" B", DarkPixels(user.Screen(), nameField, 110), 6))
            << "the name's last letter never showed in the field";
        user.Click(CPoint(r.right - 31, r.top + 13));
        // The list's first row shows the name: far more ink than one letter's.
        EXPECT_TRUE(Eventually(user, [&] { return written() > empty + 40; }))
            << "the movie saved no plan under the typed name (" << written() << " dark pixels)";
        Shot(user, "preview-typed-plan");
        ASSERT_TRUE(ClickToolButton(user, *frame, ID_VIEW_SWF_PREVIEW, [&] { return !view->IsPreview(); }));
        // The designer's keys again: a selected component is deleted with Delete.
        const CPoint at = UncoveredPointOf(user, *view, r);
        ASSERT_TRUE(ClickFor(user, at, [&] { return view->IsSelected(plans); })) << "a click did not select it";
        user.Keys("Delete");
        EXPECT_TRUE(user.WaitFor([&] {
            bool gone = false;
            user.OnUi([&] {
                const auto& objects = view->GetDocument()->GetObjects();
                gone = std::find(objects.begin(), objects.end(), plans) == objects.end();
            });
            return gone;
        })) << "Delete did not reach the designer after the preview";
    });
}

// In the preview a person types into an input text as fast as the keys go, and commits with
// Return without leaving the field: nothing typed is lost, the field takes the keys in order, and
// the label that shows the typed name follows. The picture shows the committed name.
TEST_F(WalkThroughTest, InThePreviewFastTypingIsKeptAndReturnCommitsAnInputText)
{
    WithSampleOpen("what-if-planner.vtd", [&](ScreenUser& user, CMainFrame* frame, CDrawView* view) {
        CComponentObj* field = ComponentNamed(user, "PlanName");
        CComponentObj* summary = ComponentNamed(user, "Summary");
        ASSERT_NE(field, nullptr) << "the sample has no input text";
        ASSERT_NE(summary, nullptr) << "the sample has no summary label";
        ASSERT_NE(PreviewShown(user, *frame, *view), nullptr) << "the preview never loaded";
        // The summary reads "<plan name>: a profit of ...": its ink shrinks with a shorter name.
        const CRect line = ScreenRectOf(user, *view, *summary);
        const auto ink = [&] { return DarkPixels(user.Screen(), line, 160); };
        ASSERT_TRUE(Eventually(user, [&] { return ink() > 200; })) << "the preview shows no summary";
        const int before = ink();
        // The field's text ("Base plan") cleared from its end and a short name typed, every key
        // right behind the one before, then Return with the pointer still in the field.
        const CRect r = ScreenRectOf(user, *view, *field);
        user.Click(CPoint(r.right - 12, r.bottom - 10));
        user.Keys("End");
        for (int i = 0; i < 12; ++i)
            user.Keys("BackSpace");
        user.Type("Q3");
        user.Keys("Return");
        // "Base plan" is a fifth of the line's letters.
        EXPECT_TRUE(Eventually(user, [&] { return ink() < before * 9 / 10; }))
            << "Return did not commit the typed name (summary ink " << ink() << ", before " << before << ")";
        Shot(user, "preview-return-commits");
        ASSERT_TRUE(ClickToolButton(user, *frame, ID_VIEW_SWF_PREVIEW, [&] { return !view->IsPreview(); }));
    });
}

// A component's sheet opened with a double click and closed again, twenty times over, as a
// person does while working: each time the sheet docks beside the canvas, and the screen shows it
// where the designer has it (else clicks worked out from the designer's idea of its place land
// beside it).
TEST_F(WalkThroughTest, AComponentsSheetOpenedAgainAndAgainIsDockedEachTime)
{
    WithSampleOpen("regional-sales.vtd", [&](ScreenUser& user, CMainFrame* frame, CDrawView* view) {
        CComponentObj* component = nullptr;
        user.OnUi([&] { component = WholeComponentIn(*view); });
        ASSERT_NE(component, nullptr) << "the sample shows no component";
        // Where the designer has the sheet and where the screen shows it; the window manager's
        // frame lies between the two, its title bar above.
        CRect placed;
        CRect docked;
        CRect shown;
        const auto look = [&](CComponentPropertySheet& sheet) {
            user.OnUi([&] {
                sheet.GetWindowRect(&placed);
                CRect client;
                frame->GetClientRect(&client);
                frame->ClientToScreen(&client);
                docked = CRect(CPoint(client.right - placed.Width(), client.top + CPropertiesPanel::kDockTop),
                               placed.Size());
            });
            shown = user.RectOf(sheet);
            // The window manager may nudge a window by its frame to keep it on the screen, no more.
            return std::abs(placed.left - docked.left) + std::abs(placed.top - docked.top) <= 8 && !shown.IsRectEmpty() &&
                   std::abs(shown.left - placed.left) <= 8 && shown.top >= placed.top && shown.top - placed.top <= 40;
        };
        const CPoint at = UncoveredPointOf(user, *view, ScreenRectOf(user, *view, *component));
        ASSERT_TRUE(ClickFor(user, at, [&] { return view->IsSelected(component); })) << "a click did not select it";
        user.WaitDrawn();
        constexpr int kTimes = 20;
        for (int time = 1; time <= kTimes; ++time) {
            // A double click alone: a click right before it would make a second double click with
            // its first press, which a busy window manager may hand on after the sheet has
            // closed, and that one would open it again. A double click that went unseen is
            // made again.
            CComponentPropertySheet* sheet = nullptr;
            const auto opened = [&] {
                auto* panel = dynamic_cast<CCanvasPropertiesPanel*>(&component->GetPanel());
                sheet = panel != nullptr && panel->IsSheetOpen() ? panel->Panel().GetSheet() : nullptr;
                return sheet != nullptr && sheet->IsWindowVisible() && !user.RectOf(*sheet).IsRectEmpty();
            };
            for (int tries = 0; tries < 2 && sheet == nullptr; ++tries) {
                user.DoubleClick(at);
                user.WaitFor(opened, 10000);
            }
            ASSERT_NE(sheet, nullptr) << "opening " << time << ": the double click opened no sheet";
            // The window manager has its say on the new window's place in its own time.
            const bool there = Eventually(user, [&] { return look(*sheet); }, 5000);
            if (!there)
                Shot(user, "sheet-not-docked");
            ASSERT_TRUE(there) << "opening " << time << ": the designer has the sheet at " << placed.left << ","
                               << placed.top << " (docked at " << docked.left << "," << docked.top
                               << "), the screen shows it at " << shown.left << "," << shown.top;
            if (time == 1 || time == kTimes)
                Shot(user, "sheet-docked-" + std::to_string(time));
            // Closed as the window manager's close button closes it. (Alt+F4 would close the
            // main window should the window manager hand it the keyboard a moment later.)
            ::PostMessage(sheet->GetSafeHwnd(), WM_CLOSE, 0, 0);
            const bool closed = user.WaitFor([&] {
                auto* panel = dynamic_cast<CCanvasPropertiesPanel*>(&component->GetPanel());
                return panel != nullptr && !panel->IsSheetOpen();
            });
            ASSERT_TRUE(closed) << "opening " << time << ": the sheet did not close";
        }
    });
}

void WalkThroughTest::LookAtSheets(ScreenUser& user, CKVApp* program)
{
    ASSERT_TRUE(user.Ready()) << user.Problem();
    CMainFrame* frame = MainWindowShown(user, program);
    ASSERT_NE(frame, nullptr) << "the main window did not come";
    CDrawView* view = nullptr;
    CComponentPalette* palette = nullptr;
    CComponentObj* component = nullptr;
    user.OnUi([&] {
        view = GetActiveDrawView();
        palette = view != nullptr ? view->GetPalette() : nullptr;
        component = view != nullptr ? WholeComponentIn(*view) : nullptr;
    });
    ASSERT_NE(view, nullptr);
    ASSERT_NE(palette, nullptr);
    ASSERT_NE(component, nullptr) << "the sample shows no component";
    const CRect canvas = user.RectOf(*view);
    // A window may cover part of the canvas, never all of it.
    const auto leavesCanvas = [&](CWnd& wnd, const char* what) {
        const CRect r = user.RectOf(wnd);
        EXPECT_FALSE(r.IsRectEmpty()) << what << " is not shown";
        CRect both;
        both.IntersectRect(r, canvas);
        EXPECT_NE(both, canvas) << what << " covers the whole canvas";
    };
    leavesCanvas(*palette, "the palette");

    CComponentPropertySheet* sheet = OpenSheet(user, *view, *component);
    ASSERT_NE(sheet, nullptr);
    leavesCanvas(*sheet, "the component's sheet");
    int tabs = 0;
    user.OnUi([&] { tabs = sheet->GetTabControl() != nullptr ? sheet->GetTabControl()->GetItemCount() : 0; });
    EXPECT_GT(tabs, 1) << "the component's sheet shows no tabs";
    {
        const CRect p = user.RectOf(*palette);
        const CRect s = user.RectOf(*sheet);
        CRect both;
        EXPECT_FALSE(both.IntersectRect(p, s)) << "the sheet lies over the palette";
    }
    // The sheet's page and the stage's picture drawn before the picture is taken.
    user.Settle();
    user.WaitDrawn();
    EXPECT_TRUE(user.Shot((testsupport::ArtefactDir("screen") / "main-window-palette-sheet.png").string()));

    // Tab moves on from a control of the sheet's page that is not a text field, as in a dialog.
    CWnd* from = nullptr;
    user.OnUi([&] {
        CWnd* page = sheet->GetComponentPage(sheet->GetActiveIndex());
        for (CWnd* child : page != nullptr ? page->GetChildren() : std::vector<CWnd*>{})
            if (from == nullptr && dynamic_cast<CButton*>(child) != nullptr && child->IsWindowVisible() &&
                child->IsWindowEnabled() && (child->GetStyle() & WS_TABSTOP) != 0)
                from = child;
        if (from != nullptr)
            from->SetFocus();
    });
    ASSERT_NE(from, nullptr) << "the page has no button to start from";
    ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetFocus() == from; }));
    user.Keys("Tab");
    EXPECT_TRUE(user.WaitFor([&] {
        CWnd* focus = CWnd::GetFocus();
        return focus != nullptr && focus != from && sheet->IsChild(focus);
    })) << "Tab did not move on in the sheet";

    // Format > Change Style: one sheet edits at a time, so the component's sheet gives way.
    ASSERT_TRUE(ChooseFromMenu(user, *frame, ID_CHANGE_STYLE)) << "Format > Change Style could not be chosen";
    CStyleSheet* styles = nullptr;
    ASSERT_TRUE(user.WaitFor(
        [&] {
            styles = dynamic_cast<CStyleSheet*>(CWnd::GetActiveWindow());
            return styles != nullptr && !user.RectOf(*styles).IsRectEmpty();
        },
        10000))
        << "no Styles sheet";
    EXPECT_EQ(TitleOf(user, *styles), "Global Styles");
    leavesCanvas(*styles, "the Styles sheet");
    leavesCanvas(*palette, "the palette");
    user.OnUi([&] { tabs = styles->GetTabControl() != nullptr ? styles->GetTabControl()->GetItemCount() : 0; });
    EXPECT_GT(tabs, 1) << "the Styles sheet shows no tabs";
    user.WaitDrawn();
    user.Settle();
    user.WaitDrawn();
    EXPECT_TRUE(user.Shot((testsupport::ArtefactDir("screen") / "main-window-palette-sheet-styles.png").string()));
    CWnd* cancel = Item(user, *styles, IDCANCEL);
    ASSERT_NE(cancel, nullptr) << "no Cancel in the Styles sheet";
    user.Click(user.CenterOf(*cancel));
    EXPECT_TRUE(user.WaitFor([&] { return dynamic_cast<CStyleSheet*>(CWnd::GetActiveWindow()) == nullptr; }, 5000))
        << "the Styles sheet did not close";
}

} // namespace
