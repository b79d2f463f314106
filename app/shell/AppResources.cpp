#include "app/shell/AppResources.h"

#include "app/core/AppIds.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/docview/Resources.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/IconTheme.h"
#include "platform/drawing/Png.h"

namespace {

void RegisterStrings(CResourceTable& r)
{
    r.AddString(IDR_MAINFRAME, "Vantorel\nUntitled\nVantorel Document\nVantorel Files (*.vtd)\n.vtd\n"
                               "Vantorel.Document\nVantorel Document\nINFO\nVantorel Files");
    r.AddString(IDP_OLE_INIT_FAILED,
                "OLE 2.0 initialization failed.  Make sure that the OLE libraries are the correct version.");
    r.AddString(IDS_MODEL_NOT_LOADED, "Model Not Loaded");
    // Command prompts: the status-bar text, then the tool tip after the line break.
    r.AddString(ID_APP_ABOUT, "Display program information, version number and copyright\nAbout");
    r.AddString(ID_HELP_CONTENTS, "Display help contents\nHelp");
    r.AddString(ID_HELP_WELCOME, "Show the Welcome dialog\nWelcome");
    r.AddString(ID_FILE_NEW_FROM_TEMPLATE, "Open a template");
    r.AddString(ID_FILE_SAMPLES, "Open Vantorel samples\nSamples");
    r.AddString(ID_FILE_NEW, "Create a new document\nNew");
    r.AddString(ID_FILE_OPEN, "Open an existing document\nOpen");
    r.AddString(ID_FILE_SAVE, "Save the active document\nSave");
    r.AddString(ID_TOOL_SELECT, "Choose object selection tool\nSelection tool");
    r.AddString(ID_TOOL_COMPONENT, "Choose Component layout tool\nComponent tool");
    r.AddString(ID_VIEW_SWF_PREVIEW, "Enable Macromedia Flash (SWF) preview mode\nSWF Preview");
    r.AddString(ID_DECREASE_CANVAS, "Decrease canvas size\nDecrease canvas");
    r.AddString(ID_INCREASE_CANVAS, "Increase canvas size\nIncrease canvas");
    r.AddString(ID_FIT_TO_COMPONENTS, "Fit canvas size to components on stage\nFit canvas to components");
    r.AddString(ID_FIT_TO_WINDOW, "Fit canvas size to current window size\nFit canvas to window");
    r.AddString(ID_PAPER_COLOR, "Change paper color displayed while editing");
    r.AddString(ID_FILE_PROPERTIES, "Change document properties\nProperties");
    r.AddString(ID_FILE_SUMMARY_INFO, "Display summary information");
    // The export, snapshot and send commands.
    r.AddString(ID_EXPORT_SWF, "Save document as SWF file");
    r.AddString(ID_EXPORT_HTML, "Embed a SWF file in HTML file");
    r.AddString(ID_EXPORT_POWERPOINT, "Embed a SWF file in PowerPoint \nSend to PowerPoint");
    r.AddString(ID_EXPORT_OUTLOOK, "Attach the SWF in Outlook\nSend to Outlook");
    r.AddString(ID_EXPORT_PORTAL, "Export to Plumtree portal");
    r.AddString(ID_EXPORT_PREVIEW, "Preview your current document as SWF\nExport Preview");
    r.AddString(ID_EXPORT_SETTINGS, "Change export settings\nExport Settings");
    r.AddString(ID_SNAPSHOT_EXCEL, "Save snapshot of data model as Excel file");
    r.AddString(ID_SNAPSHOT_SWF, "Save snapshot of data model as SWF");
    r.AddString(ID_SNAPSHOT_HTML, "Save snapshot of data model as SWF embedded in HTML");
    r.AddString(ID_SNAPSHOT_POWERPOINT, "Save snapshot of data model as SWF embedded in PowerPoint");
    r.AddString(ID_SNAPSHOT_OUTLOOK, "Save snapshot of data model as attachment to Outlook");
    r.AddString(ID_SEND_POWERPOINT, "Send to Powerpoint\nSend to Powerpoint");
    r.AddString(ID_SEND_TO_OUTLOOK, "Send to Outlook\nSend to Outlook");
    r.AddString(ID_DATA_IMPORT_MODEL, "Import Model\nImport Model");
    // The layout commands.
    r.AddString(ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut");
    r.AddString(ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy");
    r.AddString(ID_EDIT_PASTE, "Insert Clipboard contents\nPaste");
    r.AddString(ID_EDIT_CLEAR, "Erase the selection\nDelete");
    r.AddString(ID_ALIGN_LEFT, "Align the left edges with the first selected component\nAlign Left");
    r.AddString(ID_ALIGN_RIGHT, "Align the right edges with the first selected component\nAlign Right");
    r.AddString(ID_ALIGN_TOP, "Align the top edges with the first selected component\nAlign Top");
    r.AddString(ID_ALIGN_BOTTOM, "Align the bottom edges with the first selected component\nAlign Bottom");
    r.AddString(ID_ALIGN_CENTER_HORZ, "Center horizontally on the first selected component\nCenter Horizontal");
    r.AddString(ID_ALIGN_CENTER_VERT, "Center vertically on the first selected component\nCenter Vertical");
    r.AddString(ID_SAME_WIDTH, "Give the selection the width of the first selected component\nSame Width");
    r.AddString(ID_SAME_HEIGHT, "Give the selection the height of the first selected component\nSame Height");
    r.AddString(ID_SAME_BOTH, "Give the selection the size of the first selected component\nSame Size");
    r.AddString(ID_SPACE_DOWN, "Space the selection evenly from top to bottom\nSpace Down");
    r.AddString(ID_SPACE_ACROSS, "Space the selection evenly from left to right\nSpace Across");
    r.AddString(ID_CENTER_VERT, "Center the selection vertically in the document\nCenter Vertical");
    r.AddString(ID_CENTER_HORZ, "Center the selection horizontally in the document\nCenter Horizontal");
    r.AddString(ID_CENTER_BOTH, "Center the selection in the document\nCenter");
    r.AddString(ID_BRING_TO_FRONT, "Bring the component to the front\nBring To Front");
    r.AddString(ID_SEND_TO_BACK, "Send the component to the back\nSend To Back");
    r.AddString(ID_BRING_FORWARD, "Bring the component forward one place\nBring Forward");
    r.AddString(ID_SEND_BACK, "Send the component back one place\nSend Back");
    r.AddString(ID_GROUP, "Group the selected components\nGroup");
    r.AddString(ID_UNGROUP, "Ungroup the selected groups\nUngroup");
}

void RegisterMenu(CResourceTable& r)
{
    // The snapshots take the values the preview shows: their submenu opens only in preview.
    auto snapshot = MenuTemplateItem::Popup("Snaps&hot", {{"Back To Excel...", ID_SNAPSHOT_EXCEL},
                                                          {"Macromedia Flash (SWF)...", ID_SNAPSHOT_SWF},
                                                          {"HTML...", ID_SNAPSHOT_HTML},
                                                          {"PowerPoint Slide", ID_SNAPSHOT_POWERPOINT},
                                                          {"Outlook", ID_SNAPSHOT_OUTLOOK}});
    snapshot.flags = MF_GRAYED;
    const auto file = MenuTemplateItem::Popup("&File", {{"&New\tCtrl+N", ID_FILE_NEW},
                                                        {"New From &Template...", ID_FILE_NEW_FROM_TEMPLATE},
                                                        {"&Open...\tCtrl+O", ID_FILE_OPEN},
                                                        {"Sa&mples...", ID_FILE_SAMPLES},
                                                        {"&Save\tCtrl+S", ID_FILE_SAVE},
                                                        {"Save &As...", ID_FILE_SAVE_AS},
                                                        {},
                                                        {"P&roperties...", ID_FILE_PROPERTIES},
                                                        {"&Print...\tCtrl+P", ID_FILE_PRINT},
                                                        {"Print Pre&view", ID_FILE_PRINT_PREVIEW},
                                                        {"Export Settin&gs...", ID_EXPORT_SETTINGS},
                                                        {"Export Previe&w", ID_EXPORT_PREVIEW},
                                                        MenuTemplateItem::Popup(
                                                            "&Export",
                                                            {{"Macromedia Flash (SWF)...", ID_EXPORT_SWF},
                                                             {"HTML...", ID_EXPORT_HTML},
                                                             {"PowerPoint Slide...", ID_EXPORT_POWERPOINT},
                                                             {"Outlook", ID_EXPORT_OUTLOOK},
                                                             {"Plumtree...", ID_EXPORT_PORTAL}}),
                                                        snapshot,
                                                        {},
                                                        {"Recent File", ID_FILE_MRU_FILE1, MF_GRAYED},
                                                        {},
                                                        {"E&xit", ID_APP_EXIT}});
    const auto help = MenuTemplateItem::Popup(
        "&Help",
        {{"&Help Contents", ID_HELP_CONTENTS}, {"&Welcome...", ID_HELP_WELCOME}, {}, {"&About Vantorel...", ID_APP_ABOUT}});
    const auto edit = MenuTemplateItem::Popup("&Edit", {{"&Undo\tCtrl+Z", ID_EDIT_UNDO},
                                                        {"&Redo\tCtrl+Y", ID_EDIT_REDO},
                                                        {},
                                                        {"Cu&t\tCtrl+X", ID_EDIT_CUT},
                                                        {"&Copy\tCtrl+C", ID_EDIT_COPY},
                                                        {"&Paste\tCtrl+V", ID_EDIT_PASTE},
                                                        {"&Delete\tDel", ID_EDIT_CLEAR},
                                                        {},
                                                        {"Select &All\tCtrl+A", ID_EDIT_SELECT_ALL},
                                                        {},
                                                        {"Propert&ies...\tAlt+Enter", ID_EDIT_PROPERTIES}});
    const auto data = MenuTemplateItem::Popup(
        "&Data", {{"&Import Model...", ID_DATA_IMPORT_MODEL}, {"&Replace Data Selection...", ID_REPLACE_DATA_SELECTION}});
    const auto view = MenuTemplateItem::Popup(
        "&View", {{"Enable Macromedia Flash (SWF) preview mode", ID_VIEW_SWF_PREVIEW},
                  {"Enable Edit mode", ID_VIEW_EDIT_MODE},
                  {},
                  {"&Grid...", ID_VIEW_GRID},
                  {"&Components", ID_VIEW_COMPONENTS},
                  {"&Object Browser Window", ID_VIEW_OBJECT_BROWSER},
                  {"&Hide/Show Component", ID_HIDE_SHOW}});
    const auto align = MenuTemplateItem::Popup("&Align", {{"&Left", ID_ALIGN_LEFT},
                                                          {"&Right", ID_ALIGN_RIGHT},
                                                          {"&Top", ID_ALIGN_TOP},
                                                          {"&Bottom", ID_ALIGN_BOTTOM},
                                                          {"Center &Horizontal", ID_ALIGN_CENTER_HORZ},
                                                          {"Center &Vertical", ID_ALIGN_CENTER_VERT}});
    const auto sameSize = MenuTemplateItem::Popup(
        "Make Same &Size", {{"&Width", ID_SAME_WIDTH}, {"&Height", ID_SAME_HEIGHT}, {"&Both", ID_SAME_BOTH}});
    const auto space =
        MenuTemplateItem::Popup("Space &Evenly", {{"&Down", ID_SPACE_DOWN}, {"&Across", ID_SPACE_ACROSS}});
    const auto centre = MenuTemplateItem::Popup(
        "&Center in Document", {{"&Vertical", ID_CENTER_VERT}, {"&Horizontal", ID_CENTER_HORZ}, {"&Both", ID_CENTER_BOTH}});
    const auto format = MenuTemplateItem::Popup("F&ormat", {align,
                                                            sameSize,
                                                            space,
                                                            centre,
                                                            {},
                                                            {"Bring To &Front", ID_BRING_TO_FRONT},
                                                            {"Send To &Back", ID_SEND_TO_BACK},
                                                            {"Bring F&orward", ID_BRING_FORWARD},
                                                            {"Send Bac&k", ID_SEND_BACK},
                                                            {},
                                                            {"&Group", ID_GROUP},
                                                            {"&Ungroup", ID_UNGROUP},
                                                            {},
                                                            {"C&hange Style...", ID_CHANGE_STYLE}});
    r.AddMenu(IDR_MAINFRAME, {file, edit, data, view, format, help});
    r.AddAccelerators(IDR_MAINFRAME, {{FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
                                      {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
                                      {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
                                      {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
                                      {FVIRTKEY | FCONTROL, 'Y', ID_EDIT_REDO},
                                      {FVIRTKEY | FCONTROL, 'A', ID_EDIT_SELECT_ALL},
                                      {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
                                      {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
                                      {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
                                      {FVIRTKEY, VK_DELETE, ID_EDIT_CLEAR},
                                      {FVIRTKEY | FALT, VK_RETURN, ID_EDIT_PROPERTIES}});
    // The canvas's context menu.
    r.AddMenu(IDR_CONTEXT_MENU, {MenuTemplateItem::Popup("Canvas", {{"Cu&t", ID_EDIT_CUT},
                                                                    {"&Copy", ID_EDIT_COPY},
                                                                    {"&Paste", ID_EDIT_PASTE},
                                                                    {"&Delete", ID_EDIT_CLEAR},
                                                                    {"P&roperties...", ID_EDIT_PROPERTIES},
                                                                    {},
                                                                    {"Bring To &Front", ID_BRING_TO_FRONT},
                                                                    {"Send To &Back", ID_SEND_TO_BACK},
                                                                    {"Bring F&orward", ID_BRING_FORWARD},
                                                                    {"Send Bac&k", ID_SEND_BACK},
                                                                    {},
                                                                    {"&Group", ID_GROUP},
                                                                    {"&Ungroup", ID_UNGROUP}})});
}

void RegisterToolBars(CResourceTable& r)
{
    // Standard actions take the desktop theme's icons; the program's own commands take the
    // icons drawn in assets/icons.
    r.AddToolBar(IDR_TOOLBAR_MAIN,
                 {16,
                  15,
                  {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                   ID_SEPARATOR, ID_TOOL_SELECT, ID_SEPARATOR, ID_TOOL_COMPONENT, ID_SEPARATOR, ID_DECREASE_CANVAS,
                   ID_INCREASE_CANVAS, ID_FIT_TO_COMPONENTS, ID_FIT_TO_WINDOW, ID_SEPARATOR, ID_GROUP, ID_UNGROUP,
                   ID_SEPARATOR, ID_HELP_CONTENTS}});
    r.AddToolBarIcons(IDR_TOOLBAR_MAIN,
                      {"document-new-symbolic", "document-open-symbolic", "document-save-symbolic", "",
                       "edit-cut-symbolic", "edit-copy-symbolic", "edit-paste-symbolic", "",
                       "vantorel-select-tool-symbolic", "", "vantorel-component-tool-symbolic", "",
                       "zoom-out-symbolic", "zoom-in-symbolic", "zoom-fit-best-symbolic",
                       "vantorel-fit-window-symbolic", "", "vantorel-group-symbolic", "vantorel-ungroup-symbolic", "",
                       "help-browser-symbolic"});
    r.AddToolBar(IDR_TOOLBAR_PREVIEW, {66, 16, {ID_VIEW_SWF_PREVIEW}});
    r.AddToolBarIcons(IDR_TOOLBAR_PREVIEW, {"vantorel-preview-symbolic"});
    r.AddToolBarGlyphs(IDR_TOOLBAR_PREVIEW, {"Preview"});
    r.AddToolBar(IDR_TOOLBAR_OFFICE, {16, 15, {ID_SEND_POWERPOINT, ID_SEND_OUTLOOK}});
    r.AddToolBarIcons(IDR_TOOLBAR_OFFICE, {"vantorel-send-presentation-symbolic", "vantorel-send-mail-symbolic"});
    r.AddToolBar(IDR_TOOLBAR_IMPORT, {16, 15, {ID_DATA_IMPORT_MODEL}});
    r.AddToolBarIcons(IDR_TOOLBAR_IMPORT, {"vantorel-import-model-symbolic"});
}

// Plain pictures in place of the drawn ones: the splash is a band in the product's colours.
CBitmap Tile(int width, int height, COLORREF fill, COLORREF border)
{
    CBitmap picture(width, height, fill);
    for (int x = 0; x < width; ++x) {
        picture.SetPixel(x, 0, border);
        picture.SetPixel(x, height - 1, border);
    }
    for (int y = 0; y < height; ++y) {
        picture.SetPixel(0, y, border);
        picture.SetPixel(width - 1, y, border);
    }
    return picture;
}

void RegisterPictures()
{
    CImageResources& images = GetImageResources();
    CBitmap splash = Tile(400, 240, RGB(24, 54, 104), RGB(250, 180, 40));
    for (int y = 200; y < 210; ++y)
        for (int x = 20; x < 380; ++x)
            splash.SetPixel(x, y, RGB(250, 180, 40));
    images.AddBitmap(IDB_SPLASH, splash);
}

constexpr DWORD kChild = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

DialogTemplate About(int id, int scale)
{
    DialogTemplate t;
    t.id = id;
    t.caption = "About Vantorel";
    t.cx = 220 * scale / 4;
    t.cy = 70 * scale / 4;
    if (scale > 4)
        t.pointSize = 10;
    t.Add("Static", "Vantorel", 0xFFFF, 10, 10, 150, 10, kChild)
        .Add("Static", "", 1000, 10, 24, 150, 10, kChild)
        .Add("Static", "Designer of interactive dashboards", 0xFFFF, 10, 38, 150, 10, kChild)
        .Add("Button", "OK", IDOK, 165, 10, 45, 14, kTab | BS_DEFPUSHBUTTON);
    return t;
}

void RegisterDialogs()
{
    CDialogTemplateTable& dialogs = GetDialogTemplates();
    dialogs.Add(About(IDD_ABOUTBOX, 4));
    dialogs.Add(About(IDD_ABOUTBOX_LARGE, 5));

    DialogTemplate wait;
    wait.id = IDD_WAIT;
    wait.caption = "Please wait...";
    wait.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    wait.cx = 160;
    wait.cy = 34;
    wait.Add("msctls_progress32", "", IDC_WAIT_PROGRESS, 10, 10, 140, 12, kChild | WS_BORDER);
    dialogs.Add(wait);

    DialogTemplate browser;
    browser.id = IDD_TEMPLATE;
    browser.caption = "New From Template";
    browser.cx = 330;
    browser.cy = 190;
    browser.Add("Static", "Category", 0xFFFF, 7, 7, 90, 8, kChild)
        .Add("ListBox", "", IDC_CATEGORY, 7, 18, 90, 150, kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY)
        .Add("Static", "Items", 0xFFFF, 103, 7, 90, 8, kChild)
        .Add("ListBox", "", IDC_ITEMS, 103, 18, 90, 150, kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY)
        .Add("Static", "Preview", 0xFFFF, 199, 7, 124, 8, kChild)
        .Add(kFlashWindowClass, "", IDC_FLASH, 199, 18, 124, 90, kChild)
        .Add("Static", "Description", 0xFFFF, 199, 112, 124, 8, kChild)
        .Add("Edit", "", IDC_DESCRIPTION, 199, 123, 124, 45,
             kTab | WS_BORDER | ES_MULTILINE | ES_READONLY | WS_VSCROLL)
        .Add("Button", "OK", IDOK, 219, 172, 50, 14, kTab | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 273, 172, 50, 14, kTab);
    dialogs.Add(browser);

    DialogTemplate welcome;
    welcome.id = IDD_WELCOME;
    welcome.caption = "Welcome to Vantorel";
    welcome.cx = 280;
    welcome.cy = 196;
    welcome.Add("Static", "What would you like to do?", 0xFFFF, 10, 8, 260, 10, kChild);
    // Each choice is an icon button (its icon set when the dialog opens) with its label.
    const struct {
        int button;
        const char* text;
    } choices[] = {
        {IDC_WELCOME_TUTORIAL1, "Watch a movie that will show you how to create your first interactive report"},
        {IDC_WELCOME_TUTORIAL2, "Watch a movie that explains how Vantorel works"},
        {IDC_WELCOME_SAMPLES, "Open a sample interactive report"},
        {IDC_WELCOME_TEMPLATES, "Start working on an interactive report based on a layout template"},
    };
    int y = 24;
    for (const auto& choice : choices) {
        welcome.Add("Button", "", choice.button, 10, y, 32, 32, kTab | BS_ICON)
            .Add("Static", choice.text, 0xFFFF, 50, y + 8, 220, 20, kChild);
        y += 38;
    }
    welcome.Add("Button", "Don't show me this again", IDC_WELCOME_DONT_SHOW, 10, 178, 150, 10,
                kTab | BS_AUTOCHECKBOX)
        .Add("Button", "OK", IDOK, 220, 176, 50, 14, kTab | BS_DEFPUSHBUTTON);
    dialogs.Add(welcome);

    DialogTemplate tutorial;
    tutorial.id = IDD_TUTORIAL;
    tutorial.caption = "Tutorial";
    tutorial.cx = 340;
    tutorial.cy = 250;
    tutorial.Add(kFlashWindowClass, "", IDC_FLASH, 7, 7, 326, 216, kChild)
        .Add("Button", "Close", IDC_TUTORIAL_CLOSE, 283, 229, 50, 14, kTab | BS_DEFPUSHBUTTON);
    dialogs.Add(tutorial);
}

} // namespace

void RegisterInstalledPictures(const std::filesystem::path& install)
{
    GetIconTheme().SetFolders({install / "icons"}, DefaultThemeFolders());
    // The Welcome's choices show the desktop's own pictures of what they open: a movie, help,
    // a presentation, a presentation's template.
    const struct {
        int id;
        const char* name;
    } welcome[] = {{IDI_WELCOME_TUTORIAL1, "video-x-generic"},
                   {IDI_WELCOME_TUTORIAL2, "help-browser"},
                   {IDI_WELCOME_SAMPLES, "x-office-presentation"},
                   {IDI_WELCOME_TEMPLATES, "x-office-presentation-template"}};
    for (const auto& icon : welcome) {
        if (const RgbaImage* picture = GetIconTheme().Find(icon.name, 48))
            GetImageResources().AddIcon(
                icon.id, CompositeIcon(*picture, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), false, false));
    }
    if (const std::optional<RgbaImage> splash = ReadPngFile(install / "icons" / "splash.png")) {
        const CBitmap picture = CompositeIcon(*splash, RGB(0, 0, 0), RGB(0, 0, 0), false, false);
        GetImageResources().AddBitmap(IDB_SPLASH, picture);
    }
}

void RegisterAppResources()
{
    CResourceTable& r = GetResources();
    RegisterStrings(r);
    RegisterMenu(r);
    RegisterToolBars(r);
    RegisterPictures();
    RegisterDialogs();
}
