// Draws the Components palette's icon strip for each look of the components: one 64 x 64
// picture per palette symbol, side by side in the palette's icon order, written as a 24-bit
// BMP "icons_<look>.bmp". Black is the palette's transparent colour, so nothing is drawn black.
//
// vantorel-icons <assets/component folder> <install/asset folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/PaletteIconOrder.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSize = 64;

// The palette's icon order: a symbol's icon is its place there.
const auto& kOrder = model::kPaletteIconOrder;
constexpr int kCount = static_cast<int>(model::kPaletteIconOrder.size());

struct Rgb {
    std::uint8_t r, g, b;
};
constexpr Rgb kInk{40, 52, 80};
constexpr Rgb kAccent{60, 120, 200};
constexpr Rgb kSoft{200, 220, 240};
constexpr Rgb kFace{236, 236, 236};
constexpr Rgb kWarm{220, 120, 60};
constexpr Rgb kGreen{70, 160, 90};

class Icon {
public:
    explicit Icon(std::vector<Rgb>& strip, int index) : strip_(strip), x0_(index * kSize) {}
    void Pixel(int x, int y, Rgb c)
    {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize)
            strip_[static_cast<std::size_t>(y) * kCount * kSize + x0_ + x] = c;
    }
    void Fill(int l, int t, int r, int b, Rgb c)
    {
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                Pixel(x, y, c);
    }
    void Frame(int l, int t, int r, int b, Rgb c)
    {
        Fill(l, t, r, t + 1, c);
        Fill(l, b - 1, r, b, c);
        Fill(l, t, l + 1, b, c);
        Fill(r - 1, t, r, b, c);
    }
    void Disc(int cx, int cy, int radius, Rgb c)
    {
        for (int y = -radius; y <= radius; ++y)
            for (int x = -radius; x <= radius; ++x)
                if (x * x + y * y <= radius * radius)
                    Pixel(cx + x, cy + y, c);
    }
    void Ring(int cx, int cy, int radius, int width, Rgb c)
    {
        for (int y = -radius; y <= radius; ++y)
            for (int x = -radius; x <= radius; ++x) {
                const int d = x * x + y * y;
                if (d <= radius * radius && d >= (radius - width) * (radius - width))
                    Pixel(cx + x, cy + y, c);
            }
    }
    void Line(int x1, int y1, int x2, int y2, Rgb c, int width = 2)
    {
        const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
        for (int i = 0; i < steps; ++i) {
            const int x = x1 + (x2 - x1) * i / std::max(1, steps - 1);
            const int y = y1 + (y2 - y1) * i / std::max(1, steps - 1);
            Fill(x, y, x + width, y + width, c);
        }
    }

private:
    std::vector<Rgb>& strip_;
    int x0_;
};

bool Has(const std::string& name, const char* part)
{
    return name.find(part) != std::string::npos;
}

void Draw(Icon& icon, const std::string& name)
{
    icon.Fill(0, 0, kSize, kSize, kFace);
    icon.Frame(2, 2, 62, 62, Rgb{170, 170, 170});
    if (Has(name, "PieChart")) {
        icon.Disc(32, 32, 22, kAccent);
        for (int y = 10; y <= 32; ++y)
            for (int x = 32; x <= 54; ++x)
                if ((x - 32) * (x - 32) + (y - 32) * (y - 32) <= 22 * 22)
                    icon.Pixel(x, y, kWarm);
    } else if (Has(name, "LineChart") || Has(name, "TrendIcon")) {
        icon.Line(10, 52, 10, 10, kInk, 1);
        icon.Line(10, 52, 54, 52, kInk, 1);
        icon.Line(12, 44, 24, 30, kAccent);
        icon.Line(24, 30, 36, 38, kAccent);
        icon.Line(36, 38, 52, 16, kAccent);
    } else if (Has(name, "XYChart") || Has(name, "BubbleChart")) {
        icon.Line(10, 52, 10, 10, kInk, 1);
        icon.Line(10, 52, 54, 52, kInk, 1);
        const int r = Has(name, "Bubble") ? 6 : 3;
        icon.Disc(20, 40, r, kAccent);
        icon.Disc(34, 26, r + 2, kWarm);
        icon.Disc(46, 36, r, kGreen);
    } else if (Has(name, "BarChart")) {
        icon.Line(10, 10, 10, 54, kInk, 1);
        icon.Fill(11, 14, 44, 22, kAccent);
        icon.Fill(11, 27, 54, 35, Has(name, "Stack") ? kWarm : kAccent);
        icon.Fill(11, 40, 34, 48, kAccent);
    } else if (Has(name, "Chart")) {
        icon.Line(10, 52, 54, 52, kInk, 1);
        icon.Fill(14, 30, 22, 52, kAccent);
        icon.Fill(27, 18, 35, 52, Has(name, "Stack") ? kWarm : kAccent);
        icon.Fill(40, 36, 48, 52, kAccent);
        if (Has(name, "Combo"))
            icon.Line(12, 28, 50, 14, kWarm);
    } else if (Has(name, "SliderV") || Has(name, "ProgressBarV")) {
        icon.Fill(28, 10, 36, 54, kSoft);
        if (Has(name, "Progress"))
            icon.Fill(28, 30, 36, 54, kAccent);
        else
            icon.Fill(22, 28, 42, 36, kAccent);
    } else if (Has(name, "Slider") || Has(name, "ProgressBar")) {
        icon.Fill(10, 28, 54, 36, kSoft);
        if (Has(name, "Progress"))
            icon.Fill(10, 28, 36, 36, kAccent);
        else
            icon.Fill(28, 22, 36, 42, kAccent);
    } else if (Has(name, "Gauge") || Has(name, "Dial")) {
        icon.Ring(32, 34, 22, 4, kAccent);
        icon.Line(32, 34, 46, 20, kWarm);
        icon.Disc(32, 34, 3, kInk);
    } else if (Has(name, "ConnectionLight")) {
        icon.Disc(32, 32, 14, kGreen);
    } else if (Has(name, "Map")) {
        icon.Disc(26, 30, 14, kGreen);
        icon.Disc(40, 36, 12, kGreen);
        icon.Disc(32, 24, 9, kGreen);
    } else if (Has(name, "Background")) {
        for (int y = 8; y < 56; ++y)
            icon.Fill(8, y, 56, y + 1, Rgb{static_cast<std::uint8_t>(150 + y), static_cast<std::uint8_t>(170 + y),
                                         230});
        icon.Frame(8, 8, 56, 56, kInk);
    } else if (Has(name, "LineSymbolV")) {
        icon.Line(31, 8, 31, 56, kInk, 3);
    } else if (Has(name, "LineSymbol")) {
        icon.Line(8, 31, 56, 31, kInk, 3);
    } else if (Has(name, "CheckBox")) {
        icon.Fill(14, 22, 34, 42, Rgb{255, 255, 255});
        icon.Frame(14, 22, 34, 42, kInk);
        icon.Line(18, 32, 23, 37, kInk);
        icon.Line(23, 37, 31, 26, kInk);
    } else if (Has(name, "RadioButton")) {
        for (int i = 0; i < 3; ++i) {
            icon.Ring(18, 16 + i * 15, 5, 2, kInk);
            icon.Fill(28, 15 + i * 15, 52, 18 + i * 15, kSoft);
        }
        icon.Disc(18, 16, 2, kInk);
    } else if (Has(name, "Grid") || Has(name, "Table") || Has(name, "ListBox") || Has(name, "Menu") ||
               Has(name, "PeopleList") || Has(name, "Filter") || Has(name, "ComboBox") || Has(name, "XMLData")) {
        icon.Fill(10, 12, 54, 52, Rgb{255, 255, 255});
        icon.Frame(10, 12, 54, 52, kInk);
        for (int y = 20; y < 52; y += 8)
            icon.Line(10, y, 53, y, kSoft, 1);
        if (Has(name, "Grid") || Has(name, "Table"))
            icon.Line(30, 12, 30, 51, kSoft, 1);
        icon.Fill(11, 13, 53, 20, kAccent);
    } else if (Has(name, "Button") || Has(name, "Play") || Has(name, "Scenario") || Has(name, "Login")) {
        icon.Fill(10, 22, 54, 42, kSoft);
        icon.Frame(10, 22, 54, 42, kInk);
        if (Has(name, "Play"))
            for (int i = 0; i < 10; ++i)
                icon.Line(27, 26 + i / 2, 27 + i, 32, kAccent, 1);
        else
            icon.Fill(20, 31, 44, 33, kInk);
    } else {
        // Text fields, labels, values and scroll boxes.
        icon.Fill(10, 18, 54, 46, Rgb{255, 255, 255});
        icon.Frame(10, 18, 54, 46, kInk);
        icon.Fill(14, 24, 46, 27, kAccent);
        icon.Fill(14, 31, 40, 34, kAccent);
        icon.Fill(14, 38, 44, 41, kAccent);
    }
}

bool WriteBmp(const fs::path& file, const std::vector<Rgb>& pixels, int width, int height)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    auto u16 = [&](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(54 + imageSize);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(width));
    u32(static_cast<std::uint32_t>(height));
    u16(1);
    u16(24);
    u32(0);
    u32(imageSize);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    // Rows bottom first, blue green red.
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& c = pixels[static_cast<std::size_t>(y) * width + x];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(stream);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantorel-icons <component folder> <asset folder>\n");
        return 2;
    }
    const fs::path components = argv[1];
    const fs::path assets = argv[2];
    std::error_code error;
    fs::create_directories(assets, error);
    std::vector<Rgb> strip(static_cast<std::size_t>(kCount) * kSize * kSize);
    for (int i = 0; i < kCount; ++i) {
        Icon icon(strip, i);
        Draw(icon, kOrder[i]);
    }
    int written = 0;
    for (const auto& entry : fs::directory_iterator(components, error)) {
        const std::string look = entry.path().filename().string();
        // The defaults folder holds parameters, not a look.
        if (!entry.is_directory() || look == "default")
            continue;
        const fs::path file = assets / ("icons_" + look + ".bmp");
        if (!WriteBmp(file, strip, kCount * kSize, kSize)) {
            std::fprintf(stderr, "vantorel-icons: cannot write %s\n", file.string().c_str());
            return 1;
        }
        ++written;
    }
    if (error || written == 0) {
        std::fprintf(stderr, "vantorel-icons: no looks found in %s\n", components.string().c_str());
        return 1;
    }
    return 0;
}
