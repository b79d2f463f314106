#include "app/stage/MoviePicture.h"

#include <chrono>

#include "platform/controls/ShockwaveFlash.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/MessageQueue.h"

namespace {

constexpr UINT_PTR kWaitTimer = 0x5147;
constexpr UINT kWaitTickMs = 50;

} // namespace

WaitResult DispatchUntil(CWnd& timerOwner, const std::function<bool()>& done, unsigned timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    CMessageQueue& queue = GetMessageQueue();
    queue.SetTimer(timerOwner.GetSafeHwnd(), kWaitTimer, kWaitTickMs);
    WaitResult result = WaitResult::TimedOut;
    for (;;) {
        if (done()) {
            result = WaitResult::Done;
            break;
        }
        if (Clock::now() >= deadline)
            break;
        MSG msg{};
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            result = WaitResult::Quit;
            break;
        }
        if (done()) {
            result = WaitResult::Done;
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == timerOwner.GetSafeHwnd() && msg.wParam == kWaitTimer)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    queue.KillTimer(timerOwner.GetSafeHwnd(), kWaitTimer);
    return result;
}

bool DrawMovie(CWnd& parent, const std::string& moviePath, CSize size, CBitmap& picture, unsigned timeoutMs)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    CShockwaveFlash player;
    if (!player.Create("", WS_CHILD, CRect(0, 0, size.cx, size.cy), &parent, 0))
        return false;
    IFlashPlayer* drawer = player.GetPlayer();
    bool drawn = false;
    if (drawer != nullptr && drawer->TakesPictures()) {
        player.LoadMovie(0, moviePath);
        drawn = DispatchUntil(player, [&] { return drawer->Picture(picture); }, timeoutMs) == WaitResult::Done;
    }
    player.DestroyWindow();
    return drawn;
}
