#pragma once

// Small JPEG pictures made with libjpeg, for the tests and the player movies.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace testsupport {

// A width x height colour gradient; progressive pictures are what the movie writer must
// convert to baseline.
inline std::vector<uint8_t> MakeJpeg(int width, int height, bool progressive = false)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x)
            row[static_cast<size_t>(x)] = static_cast<JSAMPLE>((x * 7 + y * 3) & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

} // namespace testsupport
