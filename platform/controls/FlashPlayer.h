#pragma once

#include "platform/drawing/Geometry.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CBitmap;
class CDC;

// Receives the player's command event (what a movie sends with fscommand).
class IFlashPlayerEvents {
public:
    virtual ~IFlashPlayerEvents() = default;
    virtual void OnPlayerCommand(const std::string& command, const std::string& args) = 0;
    // The player gave up on a movie it was asked to load (it was tried twice); why, in words.
    virtual void OnMovieNotLoaded(const std::string& /*movie*/, const std::string& /*why*/) {}
};

// The Flash player as the program uses it: a movie in layers, variables and frame labels of
// the root timeline, a version number, and a command event back. Nothing else of the real
// control is reached. Versions follow the control: major version in the high word.
class IFlashPlayer {
public:
    virtual ~IFlashPlayer() = default;

    virtual void LoadMovie(int layer, const std::string& url) = 0;
    virtual std::string GetMovie() const = 0;
    virtual void SetMovie(const std::string& url) = 0;
    virtual void Play() = 0;
    virtual long FlashVersion() const = 0;
    virtual void SetVariable(const std::string& name, const std::string& value) = 0;
    virtual void TCallLabel(const std::string& target, const std::string& label) = 0;
    virtual long GetBackgroundColor() const = 0;
    virtual void SetBackgroundColor(long colour) = 0;
    virtual bool GetMenu() const = 0;
    virtual void SetMenu(bool enabled) = 0;
    // 0 shows the whole movie, scaled to the control's size and centred, now and for the movies
    // loaded after it (a movie otherwise plays at its own size from the top left); other
    // factors do nothing.
    virtual void Zoom(int factor) = 0;
    // The folder where the movies' relative addresses (a data file the movie loads) are found
    // from now on; empty: the folder of the layer 0 movie's file.
    virtual void SetBase(const std::string& /*folder*/) {}
    // Paints the current frame into a context (the control's view-object drawing).
    virtual void Draw(CDC& dc, const CRect& rect) = 0;
    // Whether Picture can ever give one: a player that draws nowhere (a recording one) never
    // does, and nobody need wait for it.
    virtual bool TakesPictures() const { return false; }
    // The movie as the player draws it, at the control's size, once the frame shows every call
    // sent before and the movie has played its first frames; false until then. Asking is
    // drawing: a player that draws only for a window that shows it keeps its pictures coming.
    virtual bool Picture(CBitmap& /*picture*/) { return false; }

    // The sink is borrowed; the control that owns the player sets it and clears it.
    virtual void SetEventSink(IFlashPlayerEvents* sink) = 0;

    // False while calls sent earlier are still on their way to the movie (a player in another
    // process); work that can wait is sent when it is true.
    virtual bool CaughtUp() const { return true; }
    // Forgets the calls not yet on their way to the movie (a load that replaces it follows).
    virtual void DropUnsent() {}
};

// Player creation, in place of creating the control from its registered name. Whoever has a
// player installs a factory (tests install the recording player of tests/support); without one
// there is no player, and a control that needs one cannot be created.
using FlashPlayerFactory = std::function<std::unique_ptr<IFlashPlayer>()>;
std::unique_ptr<IFlashPlayer> CreateFlashPlayer();
void SetFlashPlayerFactory(FlashPlayerFactory factory);
void ResetFlashPlayerFactory();

// The frame size in pixels that a movie file's header declares (plain or compressed), or none
// for a file that cannot be read as a movie.
std::optional<CSize> MovieFrameSize(const std::filesystem::path& file);
