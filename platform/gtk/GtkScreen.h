#pragma once

// The window layer on a screen, through GTK 3. This folder is the only code that includes the
// toolkit; the rest of the program sees the layer's own seams only:
// - every top-level window of the layer that is shown gets one native top-level window, whose
//   pixels are what the layer's windows paint (into a picture per top-level window, shown
//   through cairo);
// - the user's pointer, keys, focus, resizing and closing become the layer's messages;
// - the layer's queue waits in the GLib main loop, so its loops (the nested modal ones too)
//   keep the toolkit's events coming, and the layer's timers become GLib timeouts;
// - text is drawn with real fonts (Pango) in the boxes the layer lays out;
// - message boxes and the file, colour and font dialogs are the toolkit's.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Geometry.h"

class CWnd;

namespace gtkscreen {

struct ScreenOptions {
    // Pointer and keys arrive as core X events, which is what the toolkit's event synthesis
    // (the tests' clicks and keys) sends; off, the toolkit's default input devices are used.
    bool coreEvents = false;
};

// The open screen's scale factor: 2 on a double-density screen (GDK_SCALE=2), where the
// layer's windows count twice the toolkit's logical pixels each way; 1 otherwise.
int ScreenScale();

// True when a display can be opened (DISPLAY or WAYLAND_DISPLAY names one that answers).
bool DisplayAvailable();

// The screen for the rest of the process: opens the display and installs the host of
// windows, the queue's waiter, the keyboard layout, the fonts, the message boxes and the
// common dialogs, and lets modal loops wait for the user. False, with the reason, when no
// display can be opened (nothing is installed then).
bool OpenScreen(const ScreenOptions& options = {}, std::string* error = nullptr);
// Puts the headless services back and forgets the native windows.
void CloseScreen();
bool ScreenOpen();

// Delivers the layer's messages and the toolkit's events until `done` says so or the time
// runs out; false on the time-out. For tests and for programs waiting on the screen.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);
// Delivers what is pending now, on both sides, and lets the toolkit draw.
void Flush();

// What the screen shows at a top-level window's place (windows over it included), read back
// from the display (not the layer's own picture), or an empty picture when it is not on the
// screen.
CBitmap ReadScreen(CWnd& top);
// Writes ReadScreen as a PNG; false when there is nothing to write or the file fails.
bool SaveScreenshot(CWnd& top, const std::string& pngPath);
// The layer's own picture of a top-level window (what its windows painted), for comparing.
const CBitmap* WindowPicture(CWnd& top);

// The user's input as the toolkit's events (X events sent through the display and read back
// by the toolkit): a window's client coordinates, as the layer counts them.
bool SimulateClick(CWnd& wnd, CPoint point);
bool SimulateDrag(CWnd& wnd, CPoint from, CPoint to, int steps = 6);
// Types text (ASCII) and named keys ("Tab", "Return", "BackSpace", ...) into the window with
// the keyboard focus. Each call waits until the events were handled; with `deliver` false the
// events are only sent, for whatever loop waits next to read from the display.
bool SimulateTyping(const std::string& text);
bool SimulateKey(const std::string& keyName, bool deliver = true);

// The toolkit's own dialog that is open (a message box), as the screen shows it, and where its
// parts lie in that picture: the icon, the text and the buttons (empty rectangles for parts it
// does not have). False when none is open and drawn.
struct NativeDialogLook {
    CBitmap picture;
    CRect icon;
    CRect text;
    std::vector<CRect> buttons;
};
bool ReadNativeDialog(NativeDialogLook& look);

// A key sent to the toolkit's own dialog that is open (a message box, a file chooser), for
// whatever loop waits for that dialog to read; false when none is open.
bool SimulateKeyInNativeDialog(const std::string& keyName);

// What a window manager does on the user's behalf: the close button of the title bar, and a
// resize of the window by its border.
bool RequestClose(CWnd& top);
bool ResizeByUser(CWnd& top, int width, int height);

// True while a pop-up menu (a menu of the bar, a context menu, a drop-down's list) shows.
bool PopupMenuShown();

// The player control on the screen: players made from now on are the installation's player
// page (player/index.html with Ruffle under player/ruffle/) in a WebKit view lying over the
// control. False, with the reason, when the page or Ruffle is not installed.
bool UseWebKitPlayer(const std::string& installDir, std::string* error = nullptr);
// True once the control's page runs its movie and every call sent to it has been taken.
bool PlayerIdle(CWnd& control);
// How many snapshots of the page have been taken for a control its parent draws (a hidden
// one, as the canvas's stage): waiting for the count to grow past a moment waits for a picture
// taken after it.
int PlayerSnapshots(CWnd& control);
// When the control's page went through the steps of showing a movie, in milliseconds of the
// monotonic clock (0: not yet): its page started and loaded, its player ran, the last load went
// to the page and its movie played its first frame. What tools/bench-preview.sh reports.
struct PlayerSteps {
    long long pageStarted = 0;
    long long pageLoaded = 0;
    long long playerReady = 0;
    long long loadSent = 0;
    long long loaded = 0;
};
PlayerSteps PlayerTimes(CWnd& control);
// The files the control's movies fetched from its base folder, by their relative paths.
std::vector<std::string> PlayerFetched(CWnd& control);

// The toolkit's own widgets drawn by the toolkit with the desktop's theme (a window's face with
// a label, and a list with a selected row), for comparing the layer's colours with them: the
// picture and a point of each part inside it.
struct ToolkitSample {
    CBitmap picture;
    CPoint face;
    CPoint selection;
};
ToolkitSample DrawToolkitSample();

// The toolkit's button, checked check box and radio button, focused entry, notebook with two
// tabs (the first current) and vertical scroll bar, drawn by the toolkit side by side, with the
// rectangle of each in the picture.
struct ToolkitGallery {
    CBitmap picture;
    CRect button, check, radio, entry, notebook, scrollbar;
};
ToolkitGallery DrawToolkitGallery();

// Paints what is invalid in a top-level window's tree (with `whole`, everything) and shows it
// in the native window at once, waiting for the display to take it. For the benchmark.
void RepaintNow(CWnd& top, bool whole = true);

} // namespace gtkscreen
