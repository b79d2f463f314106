#include "app/delivery/HtmlExport.h"

#include <cstdio>
#include <system_error>
#include <vector>

#include "model/FileBytes.h"

std::string MovieFileName(const std::string& moviePath)
{
    const std::size_t slash = moviePath.find_last_of("/\\");
    return slash == std::string::npos ? moviePath : moviePath.substr(slash + 1);
}

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UrlEncodeName(const std::string& name)
{
    std::string out;
    for (unsigned char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string PortalFolderUrl(const std::string& url)
{
    if (!url.empty() && url.back() == '/')
        return url;
    return url + "/";
}

bool PortalUrlHasHost(const std::string& url)
{
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos || scheme == 0)
        return false;
    const std::size_t host = scheme + 3;
    return host < url.size() && url[host] != '/';
}

std::string MakeHtmlPage(const HtmlPageInfo& page)
{
    const std::string file = HtmlEscape(page.movieFile);
    const std::string name = HtmlEscape(page.movieReference);
    const std::string w = std::to_string(page.width);
    const std::string h = std::to_string(page.height);
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + "\n"; };
    line("<HTML>");
    line("<HEAD>");
    line("<TITLE>" + file + "</TITLE>");
    line(kPlayerConfigLine);
    line(kPlayerScriptLine);
    line("</HEAD>");
    line("<BODY>");
    line("<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"");
    line(std::string("codebase=\"") + kPlayerCabUrl + "#version=6,0,40,0\"");
    line("WIDTH=\"" + w + "\" HEIGHT=\"" + h + "\" id=\"myMovieName\">");
    line("<PARAM NAME=movie VALUE=\"" + name + "\"> ");
    line("<PARAM NAME=quality VALUE=high>");
    line("<PARAM NAME=bgcolor VALUE=#FFFFFF>");
    line("<EMBED src=\"" + name + "\" quality=high bgcolor=#FFFFFF WIDTH=\"" + w + "\" HEIGHT=\"" + h + "\" ");
    line("NAME=\"myMovieName\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\" ");
    line(std::string("PLUGINSPAGE=\"") + kPlayerDownloadUrl + "\">");
    line("</EMBED>");
    line("</OBJECT>");
    line("</BODY>");
    line("</HTML>");
    return text;
}

bool StageHtmlPage(model::CFileBatch& batch, const std::filesystem::path& pagePath, const HtmlPageInfo& page,
                   const std::filesystem::path& playerFolder, std::string& error, std::string& warning)
{
    const std::string text = MakeHtmlPage(page);
    if (!batch.Stage(pagePath, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), error))
        return false;

    std::error_code ec;
    if (playerFolder.empty() || !std::filesystem::is_regular_file(playerFolder / "ruffle.js", ec)) {
        warning = "The browser player is not installed (" + (playerFolder / "ruffle.js").string() +
                  "); the page needs a browser with the Flash plug-in.";
        return true;
    }
    const std::filesystem::path target = pagePath.parent_path() / kPagePlayerFolder;
    const bool made = !std::filesystem::exists(target, ec);
    std::filesystem::create_directories(target, ec);
    if (ec) {
        error = target.string() + ": " + ec.message();
        return false;
    }
    if (made)
        batch.RemoveIfEmpty(target);
    for (const auto& entry : std::filesystem::directory_iterator(playerFolder, ec)) {
        // The source maps only serve debugging.
        if (!entry.is_regular_file() || entry.path().extension() == ".map")
            continue;
        std::vector<std::uint8_t> bytes;
        std::string reason;
        if (!model::ReadFileBytes(entry.path().string(), bytes, std::size_t(64) << 20, &reason)) {
            error = reason;
            return false;
        }
        if (!batch.Stage(target / entry.path().filename(), bytes.data(), bytes.size(), error))
            return false;
    }
    if (ec) {
        error = playerFolder.string() + ": " + ec.message();
        return false;
    }
    return true;
}
