#pragma once

#include "platform/controls/FlashPlayer.h"

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The version the headless player reports: 6.0.121, above the oldest version start-up accepts.
constexpr long kHeadlessFlashVersion = 0x00060079;

// The headless player: it keeps what the program asked of it (every call in order, the
// variables, the movie of each layer) and answers frame labels with scripted commands, so
// that protocols driven through a player can be exercised without one.
class CFakeFlashPlayer : public IFlashPlayer {
public:
    struct Call {
        std::string op; // "LoadMovie", "Movie", "Play", "SetVariable", "TCallLabel", ...
        std::vector<std::string> args;
        bool operator==(const Call&) const = default;
    };
    struct Command {
        std::string command;
        std::string args;
        bool operator==(const Command&) const = default;
    };
    // What a label answers: the commands to fire, computed from the player's state.
    using Script = std::function<std::vector<Command>(CFakeFlashPlayer&, const std::string& target)>;

    explicit CFakeFlashPlayer(long version = kHeadlessFlashVersion);

    // IFlashPlayer
    void LoadMovie(int layer, const std::string& url) override;
    std::string GetMovie() const override { return m_movie; }
    void SetMovie(const std::string& url) override;
    void Play() override;
    long FlashVersion() const override;
    void SetVariable(const std::string& name, const std::string& value) override;
    void TCallLabel(const std::string& target, const std::string& label) override;
    long GetBackgroundColor() const override { return m_background; }
    void SetBackgroundColor(long colour) override;
    bool GetMenu() const override { return m_menu; }
    void SetMenu(bool enabled) override;
    void Zoom(int factor) override;
    void SetBase(const std::string& folder) override { Record("Base", {folder}); }
    void Draw(CDC& dc, const CRect& rect) override;
    void SetEventSink(IFlashPlayerEvents* sink) override { m_sink = sink; }

    // --- test side --------------------------------------------------------------------------
    void SetVersion(long version) { m_version = version; }
    // Reading the version throws, as a broken control does.
    void SetVersionFails(bool fails) { m_versionFails = fails; }
    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<Call> CallsOf(const std::string& op) const;
    void ClearCalls() { m_calls.clear(); }
    // Variables as last set; a missing one reads as empty.
    std::string Variable(const std::string& name) const;
    bool HasVariable(const std::string& name) const { return m_variables.count(name) != 0; }
    const std::map<std::string, std::string>& Variables() const { return m_variables; }
    // The movie of a layer ("loadblank" empties it); empty when none.
    std::string LayerMovie(int layer) const;
    int ZoomFactor() const { return m_zoom; }
    bool IsPlaying() const { return m_playing; }
    int DrawCount() const { return m_drawCount; }

    // A label answers with fixed commands, or with a script. With queued replies on, the
    // answers wait until DeliverQueued, as a movie that replies on a later frame does.
    void OnLabel(const std::string& label, std::vector<Command> replies);
    void OnLabel(const std::string& label, Script script);
    void SetQueuedReplies(bool queued) { m_queued = queued; }
    std::size_t QueuedCount() const { return m_pending.size(); }
    // Fires queued answers in order (also those that firing adds); returns how many fired.
    std::size_t DeliverQueued();
    // Fires one command now, as the movie would.
    void FireCommand(const std::string& command, const std::string& args);

private:
    void Record(std::string op, std::vector<std::string> args);

    long m_version;
    bool m_versionFails = false;
    std::vector<Call> m_calls;
    std::map<std::string, std::string> m_variables;
    std::map<int, std::string> m_layers;
    std::string m_movie;
    long m_background = -1; // the control's "no colour set"
    bool m_menu = true;
    int m_zoom = 0;
    bool m_playing = false;
    int m_drawCount = 0;
    std::map<std::string, Script> m_scripts;
    bool m_queued = false;
    std::deque<Command> m_pending;
    IFlashPlayerEvents* m_sink = nullptr;
};
