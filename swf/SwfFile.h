#pragma once

#include <cstdint>
#include <filesystem>

// Rewrites the frame rectangle of an uncompressed ("FWS") movie file to 0..width by 0..height
// twips, whatever width its old rectangle had, keeping everything after it and fixing the file
// length. Returns false, leaving the file as it was, when it is not an uncompressed movie or
// the sizes are out of range.
bool PatchSwfFrameSize(const std::filesystem::path& path, int32_t width, int32_t height);
