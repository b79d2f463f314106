#pragma once

#include "platform/controls/FlashPlayer.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A real player behind IFlashPlayer: the program's player page (install/player/index.html, with
// Ruffle and the bridge movie of docs/player-bridge.md) run by a helper process that speaks
// lines of JSON arrays on its standard input and output (tests/player/lib/player-host.mjs runs
// the page in headless Chromium). Requests go out in the order of the calls; the movie's
// commands come back on a reader thread and are handed to the event sink on the thread that
// calls DeliverEvents or Sync, never from the reader thread.
class CPagePlayer : public IFlashPlayer {
public:
    // The version reported: the bridge runs as a version 8 movie.
    static constexpr long kVersion = 0x00080000;

    // Starts the helper: argv[0] is looked up in PATH.
    explicit CPagePlayer(std::vector<std::string> argv);
    ~CPagePlayer() override;
    CPagePlayer(const CPagePlayer&) = delete;
    CPagePlayer& operator=(const CPagePlayer&) = delete;

    // False once the helper could not start or has ended.
    bool IsRunning() const;
    // The player's errors and warnings and the helper's own, in order.
    std::vector<std::string> Problems() const;

    // Waits until every request sent so far has reached the movie and every command the movie
    // gave for them has arrived, then delivers the commands. False after timeoutMs or when the
    // helper is gone.
    bool Sync(std::uint64_t timeoutMs = 30000);
    // Hands the commands that have arrived to the event sink, in order.
    void DeliverEvents();
    // Writes a PNG of the page; false when it did not come in time.
    bool Screenshot(const std::filesystem::path& png, std::uint64_t timeoutMs = 30000);

    // IFlashPlayer. Only layer 0 holds a movie (the page's movie); "loadblank" empties it.
    void LoadMovie(int layer, const std::string& url) override;
    std::string GetMovie() const override { return m_movie; }
    void SetMovie(const std::string& url) override;
    void Play() override {}
    long FlashVersion() const override { return kVersion; }
    void SetVariable(const std::string& name, const std::string& value) override;
    void TCallLabel(const std::string& target, const std::string& label) override;
    long GetBackgroundColor() const override { return m_background; }
    void SetBackgroundColor(long colour) override { m_background = colour; }
    bool GetMenu() const override { return false; }
    void SetMenu(bool) override {}
    // 0: every movie loaded shows whole, scaled to the page's player and centred.
    void Zoom(int factor) override;
    // The page draws itself where it is shown; a context gets nothing from it.
    void Draw(CDC&, const CRect&) override {}
    void SetEventSink(IFlashPlayerEvents* sink) override { m_sink = sink; }
    bool TakesPictures() const override { return IsRunning(); }
    // The page's player after every call sent has reached the movie (a screenshot read back).
    bool Picture(CBitmap& picture) override;

private:
    void Send(const std::vector<std::string>& request);
    void SendFit();
    void ReadLoop();
    // Sends the request and waits for the next event of that kind.
    bool RoundTrip(const std::vector<std::string>& request, const std::string& kind, std::uint64_t timeoutMs);

    IFlashPlayerEvents* m_sink = nullptr;
    std::string m_movie;
    bool m_fit = false;
    long m_background = -1;
    int m_pid = -1;
    int m_in = -1;  // the helper's standard input
    int m_out = -1; // the helper's standard output
    std::thread m_reader;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_running = false;
    std::deque<std::pair<std::string, std::string>> m_commands;
    std::vector<std::string> m_problems;
    std::map<std::string, std::uint64_t> m_arrived; // how many events of each other kind came
};

namespace player {
// One JSON array of texts on one line, and back. Parsing gives false for anything else.
std::string EncodeLine(const std::vector<std::string>& texts);
bool DecodeLine(const std::string& line, std::vector<std::string>& texts);
} // namespace player
