#pragma once

// The web page that embeds an exported movie, and the browser player that goes beside it.

#include <filesystem>
#include <string>

namespace model {
class CFileBatch;
}

// What one page shows: the movie's file name (its title), the reference the player loads it
// by (the file name, or for a portal the folder URL followed by it) and the size in pixels.
struct HtmlPageInfo {
    std::string movieFile;
    std::string movieReference;
    int width = 0;
    int height = 0;
};

// Where the browser player comes from: the installation's "player/ruffle" folder, copied into
// "ruffle" beside the page. Browsers have no plug-in for the page's OBJECT and EMBED tags any
// more; the player script finds those tags and plays the movie in their place.
constexpr const char* kPagePlayerFolder = "ruffle";
// Text in device fonts is drawn with the browser's own fonts, so bold and italic show (the
// player's built-in fallback has neither face); set before the player script reads its settings.
constexpr const char* kPlayerConfigLine =
    "<script>window.RufflePlayer = {config: {deviceFontRenderer: \"canvas\"}};</script>";
constexpr const char* kPlayerScriptLine = "<script src=\"ruffle/ruffle.js\"></script>";
constexpr const char* kPlayerCabUrl = "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab";
constexpr const char* kPlayerDownloadUrl = "http://www.macromedia.com/go/getflashplayer";

// The file name after the last "/" or "\".
std::string MovieFileName(const std::string& moviePath);
// Text for an attribute value or element content: & < > " escaped.
std::string HtmlEscape(const std::string& text);
// A file name as a relative URL: bytes outside the unreserved set become %XX.
std::string UrlEncodeName(const std::string& name);
// The portal's folder URL with one trailing "/".
std::string PortalFolderUrl(const std::string& url);
// True when the URL names a host after its scheme ("http://" alone does not).
bool PortalUrlHasHost(const std::string& url);

// The page's text, one line each ended by "\n".
std::string MakeHtmlPage(const HtmlPageInfo& page);

// Stages the page and the player's files beside it into the batch (with the movie the caller
// staged already, so that all land together or none). False, with the reason, when a file
// cannot be staged; a player folder that is missing from the installation leaves the page
// without the player and says so in warning.
bool StageHtmlPage(model::CFileBatch& batch, const std::filesystem::path& pagePath, const HtmlPageInfo& page,
                   const std::filesystem::path& playerFolder, std::string& error, std::string& warning);
