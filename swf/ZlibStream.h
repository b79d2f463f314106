#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace swf {

// Bytes deflated at a time. Fixed, so that the stream depends on the data alone and never on
// how many threads made it: the same movie is the same file on every machine. Pieces of this
// size keep eight threads evenly busy on a large movie; a movie's scripts came out a few
// percent smaller in them than in one pass.
inline constexpr std::size_t kDeflatePieceBytes = std::size_t(64) << 10;

// Appends a zlib stream of the data at the best compression (level 9) to out. The data is
// deflated in pieces of kDeflatePieceBytes on up to `threads` threads (0: one per processor this process may use);
// each piece starts from the 32 KB before it as its dictionary, so it finds the matches a
// single pass would find there, and all but the last end on a byte boundary, so the pieces
// join into one stream. Throws SwfError when zlib fails.
void AppendZlibStream(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> data,
                      unsigned threads = 0);

} // namespace swf
