#pragma once

// Pictures of movies as the program's player draws them, for places where a movie cannot play
// (the slide of a presentation).

#include <functional>
#include <string>

#include "platform/drawing/Geometry.h"

class CBitmap;
class CWnd;

enum class WaitResult { Done, TimedOut, Quit };
// Dispatches the thread's messages until done says so, the time runs out or the program is
// closing (its quit request is posted again for the loop that runs the program). A timer of
// timerOwner wakes the wait when nothing else arrives.
WaitResult DispatchUntil(CWnd& timerOwner, const std::function<bool()>& done, unsigned timeoutMs);

// The player's first second of the movie, at size (pixels): a player control of its own
// plays it, hidden under parent, which must show (a player draws for a window that shows).
// False when there is no player that draws, or it drew nothing within timeoutMs.
constexpr unsigned kMoviePictureTimeoutMs = 30000;
bool DrawMovie(CWnd& parent, const std::string& moviePath, CSize size, CBitmap& picture,
               unsigned timeoutMs = kMoviePictureTimeoutMs);
