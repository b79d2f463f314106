#pragma once

// The one-time tip of the image and movie page about many active movies on the canvas: the page
// counts the movies it makes active and shows the tip once when there are more than two. A new
// or opened document starts the count again and lets the tip show again.

namespace pages {

struct ActiveSwfTip {
    static constexpr const char* kText =
        "Tip: More than three active swfs on the canvas can slow the application.  For optimal "
        "performance, we recommend you use the Object Browser to deactivate non-required SWFs.";
    // More active movies than this bring the tip up.
    static constexpr int kQuietCount = 2;

    bool shown = false;
    int activeCount = 0;

    // For a new or opened document.
    void Rearm()
    {
        shown = false;
        activeCount = 0;
    }
    // One more active movie; true when the tip is to be shown now (once until re-armed).
    bool NoteActive()
    {
        ++activeCount;
        if (activeCount > kQuietCount && !shown) {
            shown = true;
            return true;
        }
        return false;
    }
};

// The tip state of the running program.
inline ActiveSwfTip& GetActiveSwfTip()
{
    static ActiveSwfTip tip;
    return tip;
}

} // namespace pages
