#include "swf/SwfFile.h"

#include "swf/SwfError.h"
#include "swf/SwfReader.h"
#include "swf/SwfRecords.h"
#include "swf/SwfWriter.h"

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
