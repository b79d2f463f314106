#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace model {
// Whole-file reads and writes. Reading refuses files larger than maxSize bytes; writing
// replaces the file only once all of it is written.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::size_t maxSize = std::size_t(256) << 20);
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
} // namespace model
