// vantorel-shot: turns a screenshot into a small picture for a help movie.
//
//   vantorel-shot SHOT.png OUT.jpg WIDTH HEIGHT QUALITY [X Y W H]
//
// Cuts the part X,Y,W,H out of the shot (the whole shot without it), shrinks it to fit WIDTH by
// HEIGHT keeping its proportions (each pixel the mean of the pixels it covers, so thin lines
// and text stay readable) and writes it as a baseline JPEG of the given quality (1 to 100).

#include "platform/drawing/Png.h"

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Number(const char* text)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    return *end == 0 && value >= 0 && value <= 100000 ? static_cast<int>(value) : -1;
}

bool WriteJpeg(const char* path, const std::vector<unsigned char>& rgb, int width, int height, int quality)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < height; ++y) {
        JSAMPROW row[] = {const_cast<JSAMPLE*>(rgb.data() + static_cast<size_t>(y) * width * 3)};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6 && argc != 10) {
        std::fprintf(stderr, "usage: vantorel-shot SHOT.png OUT.jpg WIDTH HEIGHT QUALITY [X Y W H]\n");
        return 2;
    }
    std::string error;
    auto shot = ReadPngFile(argv[1], &error);
    if (!shot) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    int box[4] = {0, 0, shot->width, shot->height};
    for (int i = 0; i < 4 && argc == 10; ++i)
        box[i] = Number(argv[6 + i]);
    const int maxW = Number(argv[3]), maxH = Number(argv[4]), quality = Number(argv[5]);
    if (box[0] < 0 || box[1] < 0 || box[2] <= 0 || box[3] <= 0 || box[0] + box[2] > shot->width ||
        box[1] + box[3] > shot->height || maxW <= 0 || maxH <= 0 || quality < 1 || quality > 100) {
        std::fprintf(stderr, "vantorel-shot: the part or the size is outside the shot\n");
        return 2;
    }
    const double scale = std::min({1.0, static_cast<double>(maxW) / box[2], static_cast<double>(maxH) / box[3]});
    const int width = std::max(1, static_cast<int>(box[2] * scale + 0.5));
    const int height = std::max(1, static_cast<int>(box[3] * scale + 0.5));
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const int y0 = box[1] + y * box[3] / height, y1 = std::max(y0 + 1, box[1] + (y + 1) * box[3] / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = box[0] + x * box[2] / width, x1 = std::max(x0 + 1, box[0] + (x + 1) * box[2] / width);
            unsigned sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t p = shot->At(sx, sy);
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            const unsigned count = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            for (int c = 0; c < 3; ++c)
                rgb[(static_cast<size_t>(y) * width + x) * 3 + c] = static_cast<unsigned char>(sum[c] / count);
        }
    }
    if (!WriteJpeg(argv[2], rgb, width, height, quality)) {
        std::fprintf(stderr, "%s: cannot write the file\n", argv[2]);
        return 1;
    }
    return 0;
}
