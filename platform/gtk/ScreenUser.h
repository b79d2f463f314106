#pragma once

// A person at the screen, for the screen tests: pointer and keys go through the X server (the
// XTest extension, on a connection of the person's own), so the window manager, the toolkit's
// grabs and pop-ups, the host's hit testing and the layer's focus all lie in their path, as
// they do for a user. The person runs a script on a thread of its own while the thread that
// opened the screen goes on delivering messages in whatever loop it is in (the program's, a
// modal dialog's, a pop-up menu's, a message box's); what the script asks of the windows runs
// on that thread (`OnUi`), never on the person's.

#include <functional>
#include <memory>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Geometry.h"

class CWnd;

namespace gtkscreen {

class ScreenUser {
public:
    ScreenUser();
    ~ScreenUser();
    ScreenUser(const ScreenUser&) = delete;
    ScreenUser& operator=(const ScreenUser&) = delete;

    // False when the display or its XTest extension cannot be had; `Problem` says why.
    bool Ready() const;
    std::string Problem() const;

    // The time limits below guard against a hang: each is made Patient (see below).
    // Runs `fn` on the screen's thread between two of its events and waits for it; false when
    // that thread did not get to it in time (it is then not run).
    bool OnUi(const std::function<void()>& fn, int timeoutMs = 20000);
    // Waits, checking on the screen's thread, until `condition` holds; false on the time-out.
    bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
    // Lets the screen's thread take what was sent so far (an event round).
    void Settle();
    // Waits until the layer has no message left and every window shows what it painted.
    bool WaitDrawn(int timeoutMs = 5000);
    // Waits until a pop-up menu (a menu, a context menu, a drop-down's list) shows.
    bool WaitForPopupMenu(int timeoutMs = 5000);

    // A window's rectangle on the screen as the display shows it (window manager's frames
    // taken into account); empty when it is not shown.
    CRect RectOf(CWnd& wnd);
    // A point of a window, in its client coordinates, on the screen.
    CPoint PointOf(CWnd& wnd, CPoint client);
    CPoint CenterOf(CWnd& wnd);

    void MoveTo(CPoint screen);
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(CPoint screen, int button = 1);
    // A quick click: the release follows the press at once instead of after the program took
    // the press, so a busy program cannot take the wait for a button held down (which repeats
    // a spin arrow).
    void QuickClick(CPoint screen);
    void DoubleClick(CPoint screen);
    void Drag(CPoint from, CPoint to, int steps = 8);
    // Turns the wheel over a point: positive away from the user (up).
    void Wheel(CPoint screen, int notches);

    // A key or a chord: "Return", "Down", "ctrl+a", "alt+f", "shift+Tab".
    void Keys(const std::string& chord);
    // The same, typed while the program is busy: each event goes to the server without
    // waiting for the program to take the one before.
    void KeysAhead(const std::string& chord);
    // Types ASCII text, shifting where the character needs it.
    void Type(const std::string& text);

    // The title of the window that has the keyboard focus, as the window manager shows it
    // (a message box's or a file chooser's too); empty when none has.
    std::string FocusedTitle();
    // Where that window lies on the screen (its frame left out); empty when none has.
    CRect FocusedRect();
    // Waits until the focused window's title holds `part`.
    bool WaitForFocusedTitle(const std::string& part, int timeoutMs = 5000);

    // The whole screen as the display shows it.
    CBitmap Screen();
    // The screen, or the part a rectangle covers, written as a PNG; false on failure.
    bool Shot(const std::string& pngPath, const CRect* part = nullptr);

private:
    // Left clicks at a point, each release right behind its press.
    void Clicks(CPoint screen, int count);

    void Chord(const std::string& chord, bool waitForTheProgram);

    friend class PersonAtScreen;
    struct State;
    std::unique_ptr<State> state_;
};

// A time limit that only guards against a hang, multiplied by VANTOREL_PATIENCE (4 unless set):
// with every core busy a program may take several times as long to answer as alone. A script's
// pauses, which decide what it sees, stay as they are.
int Patient(int ms);

// A script run by a person on a thread of its own. Start it, run the loop that the script's
// input will need (a modal dialog, the program), then Finish: Finish delivers messages and
// events until the script has ended or the time runs out (false then).
class PersonAtScreen {
public:
    explicit PersonAtScreen(std::function<void(ScreenUser&)> script);
    ~PersonAtScreen();
    PersonAtScreen(const PersonAtScreen&) = delete;
    PersonAtScreen& operator=(const PersonAtScreen&) = delete;
    bool Finish(int timeoutMs = 60000);
    bool Done() const;

private:
    struct Run;
    std::shared_ptr<Run> run_;
};

// Runs a script to its end, delivering messages and events meanwhile.
bool RunPerson(const std::function<void(ScreenUser&)>& script, int timeoutMs = 60000);

} // namespace gtkscreen
