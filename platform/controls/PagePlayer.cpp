#include "platform/controls/PagePlayer.h"

#include "platform/drawing/Png.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace player {

std::string EncodeLine(const std::vector<std::string>& texts)
{
    std::string line = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            line += ',';
        line += '"';
        for (unsigned char c : texts[i]) {
            switch (c) {
            case '"': line += "\\\""; break;
            case '\\': line += "\\\\"; break;
            case '\n': line += "\\n"; break;
            case '\r': line += "\\r"; break;
            case '\t': line += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    line += escaped;
                } else {
                    line += static_cast<char>(c);
                }
            }
        }
        line += '"';
    }
    return line + "]";
}

namespace {

void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool Hex4(const std::string& s, std::size_t at, unsigned& value)
{
    if (at + 4 > s.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = s[i];
        value <<= 4;
        if (c >= '0' && c <= '9')
            value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    return true;
}

} // namespace

bool DecodeLine(const std::string& line, std::vector<std::string>& texts)
{
    texts.clear();
    std::size_t i = 0;
    const auto blanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
    };
    blanks();
    if (i >= line.size() || line[i++] != '[')
        return false;
    blanks();
    if (i < line.size() && line[i] == ']') {
        ++i;
        blanks();
        return i == line.size();
    }
    for (;;) {
        blanks();
        if (i >= line.size() || line[i++] != '"')
            return false;
        std::string text;
        for (;;) {
            if (i >= line.size())
                return false;
            const char c = line[i++];
            if (c == '"')
                break;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (i >= line.size())
                return false;
            const char e = line[i++];
            switch (e) {
            case '"': case '\\': case '/': text += e; break;
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case 'b': text += '\b'; break;
            case 'f': text += '\f'; break;
            case 'u': {
                unsigned code = 0;
                if (!Hex4(line, i, code))
                    return false;
                i += 4;
                unsigned low = 0;
                if (code >= 0xD800 && code < 0xDC00 && i + 6 <= line.size() && line[i] == '\\' &&
                    line[i + 1] == 'u' && Hex4(line, i + 2, low) && low >= 0xDC00 && low < 0xE000) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    i += 6;
                }
                AppendUtf8(text, code);
                break;
            }
            default: return false;
            }
        }
        texts.push_back(std::move(text));
        blanks();
        if (i >= line.size())
            return false;
        if (line[i] == ',') {
            ++i;
            continue;
        }
        if (line[i++] != ']')
            return false;
        blanks();
        return i == line.size();
    }
}

} // namespace player

CPagePlayer::CPagePlayer(std::vector<std::string> argv)
{
    // A helper that ends while requests are being written would otherwise end the program
    // with it; the failed write is reported instead.
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2], fromChild[2];
    if (argv.empty() || pipe2(toChild, O_CLOEXEC) != 0)
        return;
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    if (pid < 0) {
        close(toChild[1]);
        close(fromChild[0]);
        m_problems.push_back(std::string("the player helper cannot start: ") + std::strerror(errno));
        return;
    }
    m_pid = pid;
    m_in = toChild[1];
    m_out = fromChild[0];
    m_running = true;
    m_reader = std::thread([this] { ReadLoop(); });
}

CPagePlayer::~CPagePlayer()
{
    if (m_in >= 0) {
        const std::string quit = player::EncodeLine({"quit"}) + "\n";
        [[maybe_unused]] ssize_t n = write(m_in, quit.data(), quit.size());
        close(m_in);
    }
    if (m_pid > 0) {
        // The helper closes its browser and ends; one that does not is stopped.
        for (int i = 0; i < 100; ++i) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    if (m_reader.joinable())
        m_reader.join();
    if (m_out >= 0)
        close(m_out);
}

bool CPagePlayer::IsRunning() const
{
    std::lock_guard lock(m_mutex);
    return m_running;
}

std::vector<std::string> CPagePlayer::Problems() const
{
    std::lock_guard lock(m_mutex);
    return m_problems;
}

void CPagePlayer::ReadLoop()
{
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(m_out, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            std::vector<std::string> event;
            std::lock_guard lock(m_mutex);
            if (!player::DecodeLine(line, event) || event.empty()) {
                m_problems.push_back("the player helper said: " + line);
            } else if (event[0] == "fscommand" && event.size() == 3) {
                m_commands.emplace_back(event[1], event[2]);
            } else {
                if (event[0] == "log" || event[0] == "error") {
                    std::string text;
                    for (std::size_t i = 1; i < event.size(); ++i)
                        text += (i > 1 ? " " : "") + event[i];
                    m_problems.push_back(text);
                }
                ++m_arrived[event[0]];
            }
            m_changed.notify_all();
        }
    }
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_changed.notify_all();
}

void CPagePlayer::Send(const std::vector<std::string>& request)
{
    if (m_in < 0)
        return;
    const std::string line = player::EncodeLine(request) + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = write(m_in, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            std::lock_guard lock(m_mutex);
            m_problems.push_back("the player helper no longer reads");
            close(m_in);
            m_in = -1;
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

bool CPagePlayer::RoundTrip(const std::vector<std::string>& request, const std::string& kind, std::uint64_t timeoutMs)
{
    std::uint64_t before;
    {
        std::lock_guard lock(m_mutex);
        before = m_arrived[kind];
    }
    Send(request);
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_arrived[kind] > before || !m_running; }) &&
           m_arrived[kind] > before;
}

bool CPagePlayer::Sync(std::uint64_t timeoutMs)
{
    const bool synced = RoundTrip({"sync"}, "synced", timeoutMs);
    DeliverEvents();
    return synced;
}

bool CPagePlayer::Screenshot(const std::filesystem::path& png, std::uint64_t timeoutMs)
{
    return RoundTrip({"screenshot", png.string()}, "screenshot", timeoutMs);
}

bool CPagePlayer::Picture(CBitmap& picture)
{
    static int taken = 0;
    const std::filesystem::path png = std::filesystem::temp_directory_path() /
                                      ("vantorel-picture-" + std::to_string(m_pid) + "-" + std::to_string(++taken) + ".png");
    const bool shot = Sync() && Screenshot(png);
    const std::optional<RgbaImage> image = shot ? ReadPngFile(png) : std::nullopt;
    std::error_code ec;
    std::filesystem::remove(png, ec);
    if (!image)
        return false;
    picture.CreateBitmap(image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const std::uint32_t p = image->At(x, y);
            picture.SetPixel(x, y, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    }
    return true;
}

void CPagePlayer::DeliverEvents()
{
    for (;;) {
        std::pair<std::string, std::string> command;
        {
            std::lock_guard lock(m_mutex);
            if (m_commands.empty())
                return;
            command = std::move(m_commands.front());
            m_commands.pop_front();
        }
        // The sink may call the player again (a reply that leads to a new label).
        if (m_sink != nullptr)
            m_sink->OnPlayerCommand(command.first, command.second);
    }
}

void CPagePlayer::LoadMovie(int layer, const std::string& url)
{
    if (layer != 0)
        return;
    m_movie = url == "loadblank" ? std::string() : url;
    Send({"load", std::to_string(layer), url});
    SendFit();
}

void CPagePlayer::Zoom(int factor)
{
    if (factor != 0)
        return;
    m_fit = true;
    SendFit();
}

void CPagePlayer::SendFit()
{
    if (!m_fit || m_movie.empty())
        return;
    if (const std::optional<CSize> size = MovieFrameSize(m_movie))
        Send({"zoom", std::to_string(size->cx), std::to_string(size->cy)});
}

void CPagePlayer::SetMovie(const std::string& url)
{
    LoadMovie(0, url);
}

void CPagePlayer::SetVariable(const std::string& name, const std::string& value)
{
    Send({"set", name, value});
}

void CPagePlayer::TCallLabel(const std::string& target, const std::string& label)
{
    Send({"call", target, label});
}
