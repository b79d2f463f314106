#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace actionscript {

// The description of one asset movie, read from the "asset.txt" of its source folder (see
// docs/assets.md for the format).
struct AssetManifest {
    struct Clip {
        std::string name;            // export name
        std::filesystem::path source; // its initialisation code
    };
    struct Frame {
        std::string label;                        // empty: no label
        std::vector<std::filesystem::path> scripts; // one DoAction each, in order
    };
    std::filesystem::path folder; // the folder of asset.txt
    std::string output;           // path under the installation folder, '/' separated
    std::vector<Clip> clips;
    std::vector<std::string> clicks; // export names of the click sounds, after the clips
    struct Picture {
        std::string name;            // export name of the sprite that shows it
        std::filesystem::path file;  // a JPEG file
    };
    std::vector<Picture> pictures; // after the clicks
    std::vector<Frame> frames;
    // The SWF version in the header: 6, or 8 for a movie that must reach the page through the
    // player's external interface (the code stays SWF 6 code).
    uint8_t version = 6;
};

// Reads a manifest; false with error ("file:line: message") when it is not sound.
bool ReadAssetManifest(const std::filesystem::path& file, AssetManifest& manifest, std::string& error);

// Builds the movie a manifest describes: the marker of our assets, one exported clip per clip
// entry (an empty one-frame sprite, its export and a DoInitAction with the compiled code, ids
// from 1 in manifest order), the click sounds, the pictures (each a JPEG bitmap, a shape filling
// its size with it and an exported sprite placing the shape), then the top-level frames (label, DoActions, ShowFrame), or a
// single empty frame when there are none. Returns the plain SWF file; on failure none, with
// error naming the file, line and column. Every source read is added to files.
bool BuildAssetMovie(const AssetManifest& manifest, const std::filesystem::path& sourceRoot,
                     std::vector<uint8_t>& movie, std::string& error,
                     std::vector<std::filesystem::path>* files = nullptr);

// The enciphered form of a movie whose IV derives from the movie's bytes, so rebuilding the
// same movie gives the same file.
std::vector<uint8_t> EncipherAssetReproducibly(const std::vector<uint8_t>& movie);

struct InstallFolderReport {
    std::vector<std::string> written; // paths under the installation folder that changed
    std::vector<std::string> errors;
    size_t movies = 0;
    size_t files = 0;
};

// Lays out the installation folder from the sources: every folder under sourceRoot that holds
// an asset.txt becomes the movie it names ("*.dat" outputs are enciphered), and every other
// file is copied to the same relative path, except sources and scripts (*.as, *.sh, *.md).
// The folders the program reads (asset, component/default, styles, template, samples) exist
// afterwards even when empty. Files whose content is unchanged are left alone. progress
// receives one line per movie.
InstallFolderReport BuildInstallFolder(const std::filesystem::path& sourceRoot, const std::filesystem::path& installDir,
                                       const std::function<void(const std::string&)>& progress = {});

} // namespace actionscript
