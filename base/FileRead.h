#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace base {

// Reads a regular file of at most maxSize bytes, a file a document or the user names and that
// may be anything: a device, a FIFO that never answers. The file is opened without blocking and
// checked once open, so such a file fails at once instead of hanging; reason, when given, says
// why it failed.
bool ReadRegularFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                     std::size_t maxSize = std::size_t(256) << 20, std::string* reason = nullptr);

} // namespace base
