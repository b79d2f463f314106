#pragma once

#include <filesystem>
#include <map>
#include <string>

// The files a player's page reaches through the program's own address scheme: the page, Ruffle
// and the movies ask for vantorel:///player/... (the installation's player folder),
// vantorel:///movie/N (a movie file the program loaded) and vantorel:///base/P/... (the files a
// movie of player P names relative to its base folder). The addresses come from the page and
// the movies in it, so each is mapped to a file of these folders or tables, never outside them.
struct PlayerFiles {
    std::filesystem::path playerDir;
    std::map<std::string, std::filesystem::path> movies;
    std::map<int, std::filesystem::path> bases;
};

struct PlayerAddressTarget {
    std::filesystem::path file;   // empty: nothing is served under the address
    int basePlayer = 0;           // the player whose base folder holds it, 0 for none
    std::filesystem::path inside; // its name within that folder
};

// The file the path of an address names (its part after the scheme and host, escapes as sent).
PlayerAddressTarget ResolvePlayerAddress(const PlayerFiles& files, const std::string& path);

// A relative path that stays inside the folder it is taken from; empty otherwise.
std::filesystem::path InsideFolder(const std::string& relative);

// The text with its %XX escapes decoded; false for a malformed escape or an escaped zero byte.
bool UnescapeAddress(const std::string& text, std::string& out);
