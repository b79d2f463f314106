#include "swf/ZlibStream.h"

#include "base/Processors.h"
#include "base/ScopeGuard.h"
#include "swf/SwfError.h"

#include <zlib.h>

#include <algorithm>
#include <string>

namespace swf {
namespace {

constexpr int kBestLevel = 9;
constexpr int kWindowBits = 15;
constexpr std::size_t kWindowBytes = std::size_t(1) << kWindowBits;
constexpr int kMemLevel = 8; // zlib's default, as compress2 uses
// The zlib header of a 32 KB window at the best level, as compress2 writes it.
constexpr std::uint8_t kZlibHeader[] = {0x78, 0xDA};

struct Piece {
    std::vector<std::uint8_t> bytes;
    std::size_t length = 0; // of the data deflated
    uLong checksum = 0;     // Adler-32 of that data, combined into the stream's afterwards
    int result = Z_OK;
};

// One piece as raw deflate data: primed with the window before it, and ended with a sync
// flush (an empty stored block that leaves the stream byte-aligned and open) unless it is the
// last piece.
Piece DeflatePiece(std::span<const std::uint8_t> data, std::size_t begin, std::size_t end)
{
    Piece piece;
    piece.length = end - begin;
    piece.checksum = adler32(adler32(0, nullptr, 0), data.data() + begin, static_cast<uInt>(piece.length));
    z_stream z{};
    piece.result = deflateInit2(&z, kBestLevel, Z_DEFLATED, -kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
    if (piece.result != Z_OK)
        return piece;
    ScopeGuard end_stream([&z] { deflateEnd(&z); });
    if (begin > 0) {
        std::size_t primed = std::min(begin, kWindowBytes);
        piece.result = deflateSetDictionary(&z, data.data() + begin - primed, static_cast<uInt>(primed));
        if (piece.result != Z_OK)
            return piece;
    }
    const bool last = end == data.size();
    // deflateBound holds a finished stream; a sync flush adds one empty stored block.
    piece.bytes.resize(deflateBound(&z, static_cast<uLong>(end - begin)) + 16);
    z.next_in = const_cast<Bytef*>(data.data() + begin);
    z.avail_in = static_cast<uInt>(end - begin);
    z.next_out = piece.bytes.data();
    z.avail_out = static_cast<uInt>(piece.bytes.size());
    int rc = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool done = last ? rc == Z_STREAM_END : rc == Z_OK && z.avail_in == 0 && z.avail_out > 0;
    piece.result = done ? Z_OK : (rc == Z_OK || rc == Z_STREAM_END ? Z_BUF_ERROR : rc);
    // The room deflateBound asked for is several times what a piece of scripts packs into;
    // hundreds of pieces are held until they are joined.
    piece.bytes.resize(z.total_out);
    piece.bytes.shrink_to_fit();
    return piece;
}

} // namespace

void AppendZlibStream(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> data, unsigned threads)
{
    // zlib counts in 32-bit lengths; one piece always fits, and so does each piece's checksum.
    const std::size_t count =
        std::max<std::size_t>(1, (data.size() + kDeflatePieceBytes - 1) / kDeflatePieceBytes);
    std::vector<Piece> pieces(count);
    base::ForEachOnThreads(0, count, threads, [&](std::size_t i) {
        pieces[i] = DeflatePiece(data, i * kDeflatePieceBytes, std::min(data.size(), (i + 1) * kDeflatePieceBytes));
    });

    uLong checksum = adler32(0, nullptr, 0);
    std::size_t total = sizeof kZlibHeader + 4;
    for (const Piece& piece : pieces) {
        if (piece.result != Z_OK)
            throw SwfError("compressing the movie failed (zlib error " + std::to_string(piece.result) + ")");
        checksum = adler32_combine(checksum, piece.checksum, static_cast<z_off_t>(piece.length));
        total += piece.bytes.size();
    }
    out.reserve(out.size() + total);
    out.insert(out.end(), std::begin(kZlibHeader), std::end(kZlibHeader));
    for (const Piece& piece : pieces)
        out.insert(out.end(), piece.bytes.begin(), piece.bytes.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(checksum >> shift));
}

} // namespace swf
