#include "tests/support/FlashPlayerFake.h"

#include "platform/drawing/DC.h"

#include <stdexcept>

CFakeFlashPlayer::CFakeFlashPlayer(long version) : m_version(version)
{
}

void CFakeFlashPlayer::Record(std::string op, std::vector<std::string> args)
{
    m_calls.push_back({std::move(op), std::move(args)});
}

void CFakeFlashPlayer::LoadMovie(int layer, const std::string& url)
{
    Record("LoadMovie", {std::to_string(layer), url});
    if (url == "loadblank")
        m_layers.erase(layer);
    else
        m_layers[layer] = url;
    if (layer == 0) {
        // A new root movie starts with a fresh set of variables.
        m_variables.clear();
        m_playing = url != "loadblank";
    }
}

void CFakeFlashPlayer::SetMovie(const std::string& url)
{
    Record("Movie", {url});
    m_movie = url;
    m_layers[0] = url;
}

void CFakeFlashPlayer::Play()
{
    Record("Play", {});
    m_playing = true;
}

long CFakeFlashPlayer::FlashVersion() const
{
    if (m_versionFails)
        throw std::runtime_error("Flash player: reading FlashVersion failed");
    return m_version;
}

void CFakeFlashPlayer::SetVariable(const std::string& name, const std::string& value)
{
    Record("SetVariable", {name, value});
    m_variables[name] = value;
}

void CFakeFlashPlayer::TCallLabel(const std::string& target, const std::string& label)
{
    Record("TCallLabel", {target, label});
    auto it = m_scripts.find(label);
    if (it == m_scripts.end())
        return;
    Script script = it->second; // the script may replace itself while it runs
    std::vector<Command> replies = script(*this, target);
    if (m_queued) {
        m_pending.insert(m_pending.end(), replies.begin(), replies.end());
        return;
    }
    for (const Command& c : replies)
        FireCommand(c.command, c.args);
}

void CFakeFlashPlayer::SetBackgroundColor(long colour)
{
    Record("BackgroundColor", {std::to_string(colour)});
    m_background = colour;
}

void CFakeFlashPlayer::SetMenu(bool enabled)
{
    Record("Menu", {enabled ? "1" : "0"});
    m_menu = enabled;
}

void CFakeFlashPlayer::Zoom(int factor)
{
    Record("Zoom", {std::to_string(factor)});
    m_zoom = factor;
}

void CFakeFlashPlayer::Draw(CDC& dc, const CRect& rect)
{
    ++m_drawCount;
    // The background colour is 0xRRGGBB as the control keeps it; unset paints white.
    long bg = m_background < 0 ? 0xFFFFFF : m_background;
    dc.FillSolidRect(rect, RGB(static_cast<int>((bg >> 16) & 0xFF), static_cast<int>((bg >> 8) & 0xFF),
                               static_cast<int>(bg & 0xFF)));
    std::string name = LayerMovie(0);
    if (!name.empty()) {
        std::size_t slash = name.find_last_of("/\\");
        CRect inner = rect;
        inner.DeflateRect(4, 4);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(96, 96, 96));
        dc.DrawText(slash == std::string::npos ? name : name.substr(slash + 1), &inner,
                    DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

std::vector<CFakeFlashPlayer::Call> CFakeFlashPlayer::CallsOf(const std::string& op) const
{
    std::vector<Call> out;
    for (const Call& c : m_calls)
        if (c.op == op)
            out.push_back(c);
    return out;
}

std::string CFakeFlashPlayer::Variable(const std::string& name) const
{
    auto it = m_variables.find(name);
    return it == m_variables.end() ? std::string() : it->second;
}

std::string CFakeFlashPlayer::LayerMovie(int layer) const
{
    auto it = m_layers.find(layer);
    return it == m_layers.end() ? std::string() : it->second;
}

void CFakeFlashPlayer::OnLabel(const std::string& label, std::vector<Command> replies)
{
    m_scripts[label] = [replies](CFakeFlashPlayer&, const std::string&) { return replies; };
}

void CFakeFlashPlayer::OnLabel(const std::string& label, Script script)
{
    m_scripts[label] = std::move(script);
}

std::size_t CFakeFlashPlayer::DeliverQueued()
{
    std::size_t fired = 0;
    while (!m_pending.empty()) {
        Command c = m_pending.front();
        m_pending.pop_front();
        FireCommand(c.command, c.args);
        ++fired;
    }
    return fired;
}

void CFakeFlashPlayer::FireCommand(const std::string& command, const std::string& args)
{
    if (m_sink != nullptr)
        m_sink->OnPlayerCommand(command, args);
}
