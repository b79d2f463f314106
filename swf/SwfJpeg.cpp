#include "swf/SwfJpeg.h"

#include "swf/SwfTrace.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

#include <jpeglib.h>

namespace {

bool ScanMarkers(const uint8_t* bytes, size_t length, int& width, int& height)
{
    if (bytes == nullptr)
        return false;
    size_t pos = 0;
    // DefineBitsJPEG data may start with an empty EOI/SOI pair before the real stream.
    if (length >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD9 && bytes[2] == 0xFF && bytes[3] == 0xD8)
        pos = 2;
    if (length < pos + 2 || bytes[pos] != 0xFF || bytes[pos + 1] != 0xD8)
        return false;
    pos += 2;
    while (pos < length) {
        if (bytes[pos] != 0xFF)
            return false;
        while (pos < length && bytes[pos] == 0xFF) // fill bytes
            ++pos;
        if (pos >= length)
            return false;
        uint8_t marker = bytes[pos++];
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (marker == 0xD9 || marker == 0xDA)
            return false; // image data or end before any frame header
        if (pos + 2 > length)
            return false;
        size_t segment = size_t(bytes[pos]) << 8 | bytes[pos + 1];
        if (segment < 2 || pos + segment > length)
            return false;
        bool frameHeader =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (segment < 7)
                return false;
            height = bytes[pos + 3] << 8 | bytes[pos + 4];
            width = bytes[pos + 5] << 8 | bytes[pos + 6];
            return width > 0 && height > 0;
        }
        pos += segment;
    }
    return false;
}

// libjpeg's own error handler ends the process; ours jumps back so the caller can fail.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool damaged;
};

void OnJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

// Warnings are how libjpeg reports damaged data it papers over (a cut file gets a made-up end);
// a conversion that would store such a picture counts as failed.
void OnJpegMessage(j_common_ptr info, int level)
{
    if (level < 0)
        reinterpret_cast<ErrorManager*>(info->err)->damaged = true;
}

} // namespace

bool ScanJpegStream(const uint8_t* bytes, size_t length, int& width, int& height)
{
    int w = 0, h = 0;
    if (!ScanMarkers(bytes, length, w, h)) {
        swf::Trace("Error reading jpeg stream");
        return false;
    }
    width = w;
    height = h;
    return true;
}

namespace {

// libjpeg keeps every DCT coefficient of the picture in memory while transcoding, about two bytes
// per sample; a few bytes of header can claim 65500 x 65500 pixels. Far above any picture a
// dashboard shows.
constexpr uint64_t kMaxPixels = uint64_t(64) << 20;

// All the libjpeg work in one frame without C++ objects whose destructors a longjmp would skip.
bool Transcode(FILE* in, FILE* out)
{
    jpeg_decompress_struct source{};
    jpeg_compress_struct target{};
    ErrorManager errors{};
    source.err = jpeg_std_error(&errors.base);
    target.err = &errors.base;
    errors.base.error_exit = OnJpegError;
    errors.base.emit_message = OnJpegMessage;
    volatile bool sourceMade = false, targetMade = false;
    if (setjmp(errors.jump) != 0) {
        if (targetMade)
            jpeg_destroy_compress(&target);
        if (sourceMade)
            jpeg_destroy_decompress(&source);
        return false;
    }
    jpeg_create_decompress(&source);
    sourceMade = true;
    jpeg_create_compress(&target);
    targetMade = true;
    jpeg_stdio_src(&source, in);
    jpeg_read_header(&source, TRUE);
    if (uint64_t(source.image_width) * source.image_height > kMaxPixels) {
        jpeg_destroy_compress(&target);
        jpeg_destroy_decompress(&source);
        return false;
    }
    jvirt_barray_ptr* coefficients = jpeg_read_coefficients(&source);
    jpeg_copy_critical_parameters(&source, &target);
    // Baseline: sequential, Huffman tables optimised for these coefficients.
    target.optimize_coding = TRUE;
    jpeg_stdio_dest(&target, out);
    jpeg_write_coefficients(&target, coefficients);
    jpeg_finish_compress(&target);
    jpeg_finish_decompress(&source);
    jpeg_destroy_compress(&target);
    jpeg_destroy_decompress(&source);
    return !errors.damaged;
}

} // namespace

bool ConvertJpegToBaseline(const std::filesystem::path& source, const std::filesystem::path& target)
{
    FILE* in = std::fopen(source.c_str(), "rb");
    if (in == nullptr)
        return false;
    FILE* out = std::fopen(target.c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        return false;
    }
    bool ok = Transcode(in, out);
    std::fclose(in);
    if (std::fclose(out) != 0)
        ok = false;
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(target, ignored);
    }
    return ok;
}

bool ConvertJpegToBaseline(const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& target)
{
    if (source.empty())
        return false;
    // Streams over memory, so that no file is made for a copy that is read back at once.
    FILE* in = fmemopen(const_cast<std::uint8_t*>(source.data()), source.size(), "rb");
    if (in == nullptr)
        return false;
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    if (out == nullptr) {
        std::fclose(in);
        return false;
    }
    bool ok = Transcode(in, out);
    std::fclose(in);
    if (std::fclose(out) != 0)
        ok = false;
    if (ok)
        target.assign(buffer, buffer + size);
    std::free(buffer);
    return ok;
}
