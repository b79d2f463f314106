#include "swf/SwfFile.h"

#include "swf/SwfError.h"
#include "swf/SwfReader.h"
#include "swf/SwfRecords.h"
#include "swf/SwfWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <vector>

bool PatchSwfFrameSize(const std::filesystem::path& path, int32_t width, int32_t height)
{
    if (width < 0 || height < 0 || width > 0x7FFFFFF || height > 0x7FFFFFF)
        return false;
    std::vector<uint8_t> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.size() < 8 || bytes[0] != 'F' || bytes[1] != 'W' || bytes[2] != 'S')
        return false;
    try {
        swf::Reader in(std::span<const uint8_t>(bytes).subspan(8), "movie header", 8);
        swf::ReadRect(in);
        size_t oldEnd = 8 + in.Offset();
        swf::Writer out;
        out.Bytes(bytes.data(), 8);
        bool fits = width <= 0x7FFF && height <= 0x7FFF;
        swf::WriteRect(out, CSwfRect(0, width, 0, height), fits ? 16 : 0);
        out.Bytes(bytes.data() + oldEnd, bytes.size() - oldEnd);
        if (out.Size() > 0xFFFFFFFFu)
            return false;
        out.PatchU32(4, static_cast<uint32_t>(out.Size()));
        if (out.Size() == bytes.size()) {
            // Same layout: overwrite in place, as the player may hold the file open for reading.
            std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
            file.write(reinterpret_cast<const char*>(out.Data().data()),
                       static_cast<std::streamsize>(oldEnd));
            return static_cast<bool>(file.flush());
        }
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(out.Data().data()),
                   static_cast<std::streamsize>(out.Size()));
        return static_cast<bool>(file.flush());
    } catch (const swf::SwfError&) {
        return false;
    }
}

std::optional<CSwfRect> ReadSwfFrameRect(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    // A compressed movie's first block may open with its code tables: the rectangle's bytes can
    // come a few hundred bytes in.
    std::vector<uint8_t> head(64 * 1024);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (head.size() < 9 || head[1] != 'W' || head[2] != 'S' || (head[0] != 'F' && head[0] != 'C'))
        return std::nullopt;
    // The rectangle takes at most 17 bytes (a 5-bit field size, then four fields of up to 31).
    std::array<uint8_t, 17> rect{};
    size_t have = 0;
    if (head[0] == 'F') {
        have = std::min(rect.size(), head.size() - 8);
        std::copy_n(head.begin() + 8, have, rect.begin());
    } else {
        z_stream z{};
        if (inflateInit(&z) != Z_OK)
            return std::nullopt;
        z.next_in = head.data() + 8;
        z.avail_in = static_cast<uInt>(head.size() - 8);
        z.next_out = rect.data();
        z.avail_out = static_cast<uInt>(rect.size());
        const int result = inflate(&z, Z_SYNC_FLUSH);
        have = rect.size() - z.avail_out;
        inflateEnd(&z);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return std::nullopt;
    }
    try {
        swf::Reader reader(std::span<const uint8_t>(rect.data(), have), "movie header", 8);
        return swf::ReadRect(reader);
    } catch (const swf::SwfError&) {
        return std::nullopt;
    }
}
