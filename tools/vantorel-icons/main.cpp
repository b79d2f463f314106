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
constexpr Rgb kRed{200, 60, 60};

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

    // A solid triangle pointing right (dir 1), left (-1) or down (0), its point at x, y.
    void Triangle(int x, int y, int size, int dir, Rgb c)
    {
        for (int i = 0; i < size; ++i) {
            if (dir == 0)
                Fill(x - i, y - i, x + i + 1, y - i + 1, c);
            else
                Fill(dir > 0 ? x - i : x + i, y - i, (dir > 0 ? x - i : x + i) + 1, y + i + 1, c);
        }
    }
    // A push button's face from l to r, t to b.
    void Button(int l, int t, int r, int b)
    {
        Fill(l, t, r, b, kSoft);
        Frame(l, t, r, b, kInk);
    }
    // A white field with a frame.
    void Field(int l, int t, int r, int b)
    {
        Fill(l, t, r, b, Rgb{255, 255, 255});
        Frame(l, t, r, b, kInk);
    }
    // A drop-down field: a white field with its arrow button at the right.
    void DropField(int l, int t, int r, int b)
    {
        Field(l, t, r, b);
        Fill(r - 12, t + 1, r - 1, b - 1, kSoft);
        Triangle(r - 7, t + (b - t) * 2 / 3, 4, 0, kInk);
    }
    // Rows of a list from top to bottom every step pixels, between l and r.
    void Rows(int l, int t, int r, int b, int step)
    {
        for (int y = t + step; y < b; y += step)
            Line(l, y, r - 1, y, kSoft, 1);
    }
    // A person: head and shoulders.
    void Person(int cx, int cy, int size, Rgb c)
    {
        Disc(cx, cy - size, size / 2 + 1, c);
        for (int y = 0; y <= size; ++y)
            Fill(cx - size + y / 3, cy + y / 2, cx + size - y / 3 + 1, cy + y / 2 + 1, c);
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
    // Symbols whose names share a word come first where their pictures differ.
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
        if (Has(name, "Trend"))
            icon.Triangle(54, 14, 7, 1, kGreen);
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
    } else if (Has(name, "Dial")) {
        // A knob to turn: ticks around a shaded disc with its mark.
        for (int i = 0; i <= 6; ++i) {
            const double a = (225.0 - i * 45.0) * 3.14159265 / 180.0;
            icon.Disc(32 + static_cast<int>(std::lround(24 * std::cos(a))),
                      34 - static_cast<int>(std::lround(24 * std::sin(a))), 2, kInk);
        }
        icon.Disc(32, 34, 17, kInk);
        icon.Disc(32, 34, 15, kSoft);
        icon.Line(32, 34, 41, 24, kAccent, 3);
    } else if (Has(name, "Gauge")) {
        icon.Ring(32, 34, 22, 4, kAccent);
        icon.Line(32, 34, 46, 20, kWarm);
        icon.Disc(32, 34, 3, kInk);
    } else if (Has(name, "ConnectionLight")) {
        icon.Disc(32, 32, 14, kGreen);
        icon.Ring(32, 32, 14, 2, kInk);
    } else if (Has(name, "MapUSA")) {
        icon.Fill(10, 20, 54, 40, kGreen);
        icon.Disc(16, 40, 6, kGreen);
        icon.Disc(48, 42, 7, kGreen);
        icon.Fill(28, 40, 40, 48, kGreen);
        icon.Line(30, 20, 30, 47, kFace, 1);
        icon.Line(10, 30, 53, 30, kFace, 1);
    } else if (Has(name, "Map")) {
        icon.Disc(26, 30, 14, kGreen);
        icon.Disc(40, 36, 12, kGreen);
        icon.Disc(32, 24, 9, kGreen);
        icon.Disc(16, 16, 5, kGreen);
        icon.Disc(50, 18, 5, kGreen);
    } else if (Has(name, "Background")) {
        // Five looks of a panel: gradient, plain, titled, framed and dark.
        const char last = name[name.find("Symbol") - 1];
        const int look = last >= '2' && last <= '5' ? last - '0' : 1;
        for (int y = 8; y < 56; ++y) {
            const auto shade = static_cast<std::uint8_t>(look == 5 ? 60 + y : 150 + y);
            icon.Fill(8, y, 56, y + 1, look == 2 ? kSoft : Rgb{shade, static_cast<std::uint8_t>(shade + 20), 230});
        }
        if (look == 3)
            icon.Fill(8, 8, 56, 18, kAccent);
        icon.Frame(8, 8, 56, 56, kInk);
        if (look == 4)
            icon.Frame(12, 12, 52, 52, kInk);
    } else if (Has(name, "LineSymbolV")) {
        icon.Line(31, 8, 31, 56, kInk, 3);
    } else if (Has(name, "LineSymbol")) {
        icon.Line(8, 31, 56, 31, kInk, 3);
    } else if (Has(name, "CheckBox")) {
        icon.Field(14, 22, 34, 42);
        icon.Line(18, 32, 23, 37, kInk);
        icon.Line(23, 37, 31, 26, kInk);
        icon.Fill(38, 31, 52, 34, kSoft);
    } else if (Has(name, "RadioButton")) {
        for (int i = 0; i < 3; ++i) {
            icon.Ring(18, 16 + i * 15, 5, 2, kInk);
            icon.Fill(28, 15 + i * 15, 52, 18 + i * 15, kSoft);
        }
        icon.Disc(18, 16, 2, kInk);
    } else if (Has(name, "Grid")) {
        // Cells in rows and columns, as a sheet shows them.
        icon.Field(8, 12, 56, 52);
        icon.Rows(8, 12, 56, 52, 8);
        for (int x = 20; x < 56; x += 12)
            icon.Line(x, 12, x, 51, kSoft, 1);
        icon.Fill(9, 13, 20, 51, kSoft);
    } else if (Has(name, "Table")) {
        icon.Field(10, 12, 54, 52);
        icon.Rows(10, 12, 54, 52, 8);
        icon.Line(30, 12, 30, 51, kSoft, 1);
        icon.Fill(11, 13, 53, 20, kAccent);
    } else if (Has(name, "ComboBox")) {
        // A field with its drop button, the list open below.
        icon.DropField(8, 12, 56, 24);
        icon.Field(8, 24, 46, 52);
        icon.Rows(8, 24, 46, 52, 7);
        icon.Fill(9, 32, 45, 38, kAccent);
    } else if (Has(name, "Filter")) {
        // Two drop-down fields, one narrowing the other.
        for (int t : {14, 34}) {
            icon.DropField(8, t, 56, t + 14);
            icon.Fill(12, t + 6, 36, t + 8, kAccent);
        }
    } else if (Has(name, "Menu")) {
        // A bar of items, one chosen.
        icon.Field(6, 24, 58, 40);
        for (int x = 23; x < 58; x += 17)
            icon.Line(x, 24, x, 39, kInk, 1);
        icon.Fill(24, 25, 40, 39, kAccent);
    } else if (Has(name, "ListBox")) {
        // A list with its scroll bar.
        icon.Field(10, 10, 54, 54);
        icon.Rows(10, 10, 46, 54, 8);
        icon.Fill(46, 11, 53, 53, kSoft);
        icon.Fill(47, 14, 52, 26, kAccent);
        icon.Fill(11, 19, 46, 26, kAccent);
    } else if (Has(name, "PeopleList")) {
        icon.Field(10, 10, 54, 54);
        for (int y = 20; y < 54; y += 14) {
            icon.Person(19, y, 5, kAccent);
            icon.Fill(28, y - 2, 48, y + 1, kSoft);
        }
    } else if (Has(name, "XMLData")) {
        // Angle brackets: data read from a document.
        icon.Line(24, 20, 12, 32, kAccent, 3);
        icon.Line(12, 32, 24, 44, kAccent, 3);
        icon.Line(40, 20, 52, 32, kAccent, 3);
        icon.Line(52, 32, 40, 44, kAccent, 3);
        icon.Line(35, 18, 29, 46, kInk, 2);
    } else if (Has(name, "Login")) {
        icon.Person(24, 30, 10, kAccent);
        icon.Field(36, 22, 56, 30);
        icon.Field(36, 36, 56, 44);
    } else if (Has(name, "RemoteScenario") || Has(name, "Scenario")) {
        // Saved cards of values; the shared ones with their connection.
        icon.Field(18, 10, 50, 42);
        icon.Field(12, 16, 44, 48);
        icon.Fill(16, 22, 38, 25, kAccent);
        icon.Fill(16, 30, 34, 33, kAccent);
        icon.Fill(16, 38, 38, 41, kAccent);
        if (Has(name, "Remote"))
            icon.Disc(48, 48, 6, kGreen);
    } else if (Has(name, "PlayNormal")) {
        // Play buttons over a track.
        icon.Button(8, 16, 56, 34);
        icon.Triangle(20, 25, 6, -1, kInk);
        icon.Triangle(38, 25, 7, 1, kAccent);
        icon.Triangle(52, 25, 6, 1, kInk);
        icon.Fill(8, 42, 56, 45, kSoft);
        icon.Fill(20, 39, 24, 48, kAccent);
    } else if (Has(name, "PlaySelector")) {
        // A label stepped through by its play button.
        icon.Button(8, 22, 22, 42);
        icon.Triangle(19, 32, 6, 1, kAccent);
        icon.Field(24, 22, 56, 42);
        icon.Fill(28, 30, 50, 34, kAccent);
    } else if (Has(name, "AlertButton")) {
        icon.Button(10, 22, 54, 42);
        icon.Disc(20, 32, 5, kRed);
        icon.Fill(30, 31, 48, 33, kInk);
    } else if (Has(name, "UrlButton")) {
        icon.Button(10, 22, 54, 42);
        icon.Fill(18, 28, 46, 32, kAccent);
        icon.Fill(18, 34, 46, 35, kAccent);
    } else if (Has(name, "Button")) {
        icon.Button(10, 22, 54, 42);
        icon.Fill(20, 31, 44, 33, kInk);
    } else if (Has(name, "LabelComp")) {
        // A text: lines on the paper, no field.
        icon.Fill(10, 22, 54, 26, kInk);
        icon.Fill(10, 32, 46, 35, kAccent);
        icon.Fill(10, 40, 50, 43, kAccent);
    } else if (Has(name, "ValueDisplay")) {
        // A value in its box.
        icon.Field(10, 22, 54, 42);
        for (int x = 20; x < 46; x += 8)
            icon.Fill(x, 27, x + 5, 37, kAccent);
    } else if (Has(name, "TextAreaInput")) {
        icon.Field(10, 10, 54, 54);
        for (int y = 16; y < 46; y += 7)
            icon.Fill(14, y, 44, y + 3, kAccent);
        icon.Fill(46, 11, 53, 53, kSoft);
    } else if (Has(name, "InputText")) {
        // A field with its caret.
        icon.Field(8, 24, 56, 40);
        icon.Fill(12, 30, 32, 34, kAccent);
        icon.Line(35, 27, 35, 37, kInk, 1);
    } else {
        // The scroll box and scroll edit, which every movie carries.
        icon.Field(10, 18, 54, 46);
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
