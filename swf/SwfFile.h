#pragma once

#include "swf/SwfRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>

// Rewrites the frame rectangle of an uncompressed ("FWS") movie file to 0..width by 0..height
// twips, whatever width its old rectangle had, keeping everything after it and fixing the file
// length. Returns false, leaving the file as it was, when it is not an uncompressed movie or
// the sizes are out of range.
bool PatchSwfFrameSize(const std::filesystem::path& path, int32_t width, int32_t height);

// The frame rectangle that a movie file's header declares, plain ("FWS") or compressed ("CWS"),
// read from the start of the file only; none for a file that cannot be read as a movie.
std::optional<CSwfRect> ReadSwfFrameRect(const std::filesystem::path& path);
