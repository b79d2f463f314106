// Turns a TrueType face into a font movie the player page hands to the player as one of its
// device fonts: one DefineFont3 tag per name the face answers to (the common family whose
// metrics it shares), with the face's bold and italic flags, so that text set in that family,
// bold or italic, is drawn in the matching face instead of the player's single regular fallback.
//
// vantorel-fonts <out.swf> <face.ttf> <name>...

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "swf/SwfCodes.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRecords.h"
#include "swf/SwfWriter.h"

namespace {

// The characters kept: Latin (with the letters of Western and Central European languages), the
// Greek and Russian alphabets, and the usual punctuation and currency signs. The player reads
// every glyph of every font of the page before it plays anything, so the rest of a face (about
// two thousand more glyphs) would only slow each player's start.
constexpr std::pair<FT_ULong, FT_ULong> kRanges[] = {
    {0x20, 0x7E},     {0xA0, 0x17F},    {0x391, 0x3C9},   {0x401, 0x401},   {0x410, 0x451},
    {0x2010, 0x2044}, {0x20AC, 0x20AC}, {0x2122, 0x2122}, {0x2212, 0x2212},
};

constexpr std::uint16_t kDefineFont3 = 75;

// A font's glyphs are drawn on an em square of 1024 units of 20 twips.
constexpr double kEm = 1024.0 * 20.0;

struct Glyph {
    std::uint16_t code = 0;
    std::vector<std::uint8_t> shape; // the SHAPE record, byte-aligned
    std::int32_t advance = 0;
    CSwfRect bounds;
};

// Writes an outline's contours as shape records: a move to each contour's start, its lines
// and quadratic curves (a TrueType outline has no other kind; a cubic one becomes the quadratic
// that meets it at its middle, near enough at text sizes).
struct ShapeBuilder {
    swf::Writer out;
    double scale = 1.0;
    std::int32_t x = 0, y = 0; // the pen, in twips, where the last record left it
    bool styled = false;

    std::int32_t X(FT_Pos v) const { return static_cast<std::int32_t>(std::lround(static_cast<double>(v) * scale)); }
    std::int32_t Y(FT_Pos v) const { return static_cast<std::int32_t>(std::lround(-static_cast<double>(v) * scale)); }

    static int Bits(std::initializer_list<std::int32_t> values)
    {
        int bits = 2;
        for (std::int32_t v : values)
            bits = std::max(bits, swf::SignedBitsNeeded(v));
        return bits;
    }
    void MoveTo(std::int32_t tx, std::int32_t ty)
    {
        out.Bits(0, 1);                      // a style change
        out.Bits(0, 2);                      // no new styles, no line style
        out.Bits(styled ? 0 : 1, 1);         // the glyph's fill, once
        out.Bits(0, 1);                      // no fill style 0
        out.Bits(1, 1);                      // a move
        const int bits = Bits({tx, ty});
        out.Bits(static_cast<std::uint32_t>(bits), 5);
        out.SignedBits(tx, bits);
        out.SignedBits(ty, bits);
        if (!styled)
            out.Bits(1, 1);
        styled = true;
        x = tx;
        y = ty;
    }
    void LineTo(std::int32_t tx, std::int32_t ty)
    {
        const std::int32_t dx = tx - x, dy = ty - y;
        if (dx == 0 && dy == 0)
            return;
        const int bits = Bits({dx, dy});
        out.Bits(1, 1);
        out.Bits(1, 1);
        out.Bits(static_cast<std::uint32_t>(bits - 2), 4);
        out.Bits(1, 1); // both deltas
        out.SignedBits(dx, bits);
        out.SignedBits(dy, bits);
        x = tx;
        y = ty;
    }
    void CurveTo(std::int32_t cx, std::int32_t cy, std::int32_t tx, std::int32_t ty)
    {
        const std::int32_t cdx = cx - x, cdy = cy - y, adx = tx - cx, ady = ty - cy;
        if ((cdx == 0 && cdy == 0) || (adx == 0 && ady == 0)) {
            LineTo(tx, ty);
            return;
        }
        const int bits = Bits({cdx, cdy, adx, ady});
        out.Bits(1, 1);
        out.Bits(0, 1);
        out.Bits(static_cast<std::uint32_t>(bits - 2), 4);
        out.SignedBits(cdx, bits);
        out.SignedBits(cdy, bits);
        out.SignedBits(adx, bits);
        out.SignedBits(ady, bits);
        x = tx;
        y = ty;
    }
};

int OnMove(const FT_Vector* to, void* user)
{
    auto* b = static_cast<ShapeBuilder*>(user);
    b->MoveTo(b->X(to->x), b->Y(to->y));
    return 0;
}
int OnLine(const FT_Vector* to, void* user)
{
    auto* b = static_cast<ShapeBuilder*>(user);
    b->LineTo(b->X(to->x), b->Y(to->y));
    return 0;
}
int OnConic(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto* b = static_cast<ShapeBuilder*>(user);
    b->CurveTo(b->X(control->x), b->Y(control->y), b->X(to->x), b->Y(to->y));
    return 0;
}
int OnCubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
{
    auto* b = static_cast<ShapeBuilder*>(user);
    const std::int32_t tx = b->X(to->x), ty = b->Y(to->y);
    b->CurveTo((3 * (b->X(c1->x) + b->X(c2->x)) - b->x - tx) / 4, (3 * (b->Y(c1->y) + b->Y(c2->y)) - b->y - ty) / 4, tx, ty);
    return 0;
}

std::vector<std::uint8_t> FontTag(std::uint16_t id, const std::string& name, bool bold, bool italic,
                                  const std::vector<Glyph>& glyphs, std::int32_t ascent, std::int32_t descent,
                                  std::int32_t leading)
{
    swf::Writer out;
    out.U16(id);
    out.U8(static_cast<std::uint8_t>(0x80 | 0x08 | 0x04 | (italic ? 0x02 : 0) | (bold ? 0x01 : 0)));
    out.U8(1); // Latin
    out.U8(static_cast<std::uint8_t>(name.size()));
    out.Bytes(name.data(), name.size());
    out.U16(static_cast<std::uint16_t>(glyphs.size()));
    // The offsets count from the offset table's start: the table, the code table's offset, then
    // the shapes.
    std::uint32_t offset = static_cast<std::uint32_t>(4 * (glyphs.size() + 1));
    for (const Glyph& g : glyphs) {
        out.U32(offset);
        offset += static_cast<std::uint32_t>(g.shape.size());
    }
    out.U32(offset);
    for (const Glyph& g : glyphs)
        out.Bytes(g.shape);
    for (const Glyph& g : glyphs)
        out.U16(g.code);
    out.U16(static_cast<std::uint16_t>(std::clamp(ascent, 0, 0xFFFF)));
    out.U16(static_cast<std::uint16_t>(std::clamp(descent, 0, 0xFFFF)));
    out.S16(static_cast<std::int16_t>(std::clamp(leading, -0x8000, 0x7FFF)));
    for (const Glyph& g : glyphs)
        out.S16(static_cast<std::int16_t>(std::clamp(g.advance, -0x8000, 0x7FFF)));
    for (const Glyph& g : glyphs)
        swf::WriteRect(out, g.bounds);
    out.U16(0); // no kerning pairs
    return out.Take();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: vantorel-fonts <out.swf> <face.ttf> <name>...\n");
        return 2;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[2], 0, &face) != 0 || !FT_IS_SCALABLE(face)) {
        std::fprintf(stderr, "vantorel-fonts: cannot read the face %s\n", argv[2]);
        return 1;
    }
    const double scale = kEm / face->units_per_EM;
    const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    const bool italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    std::vector<Glyph> glyphs;
    for (const auto& [first, last] : kRanges) {
        for (FT_ULong code = first; code <= last; ++code) {
            const FT_UInt index = FT_Get_Char_Index(face, code);
            if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
                face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
                continue;
            ShapeBuilder b;
            b.scale = scale;
            b.out.Bits(1, 4); // one fill style bit
            b.out.Bits(0, 4); // no line styles
            const FT_Outline_Funcs funcs{OnMove, OnLine, OnConic, OnCubic, 0, 0};
            if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &b) != 0)
                continue;
            b.out.Bits(0, 6); // the end
            b.out.FlushBits();
            Glyph g;
            g.code = static_cast<std::uint16_t>(code);
            g.shape = b.out.Take();
            g.advance = static_cast<std::int32_t>(std::lround(static_cast<double>(face->glyph->metrics.horiAdvance) * scale));
            FT_BBox box;
            FT_Outline_Get_CBox(&face->glyph->outline, &box);
            g.bounds = CSwfRect(b.X(box.xMin), b.X(box.xMax), b.Y(box.yMax), b.Y(box.yMin));
            glyphs.push_back(std::move(g));
        }
    }
    const auto ascent = static_cast<std::int32_t>(std::lround(face->ascender * scale));
    const auto descent = static_cast<std::int32_t>(std::lround(-face->descender * scale));
    const auto leading = static_cast<std::int32_t>(std::lround((face->height - face->ascender + face->descender) * scale));

    swf::Writer movie;
    movie.Bytes("FWS", 3);
    movie.U8(8);
    movie.U32(0); // the length, filled in below
    swf::WriteRect(movie, CSwfRect(0, 20, 0, 20));
    movie.U16(30 << 8);
    movie.U16(1);
    std::uint16_t id = 1;
    try {
        for (int i = 3; i < argc; ++i)
            movie.Tag(kDefineFont3,
                      FontTag(id++, argv[i], bold, italic, glyphs, ascent, descent, leading), true);
        movie.Tag(swf::TagCode::ShowFrame, {});
        movie.Tag(swf::TagCode::End, {});
        movie.PatchU32(4, static_cast<std::uint32_t>(movie.Size()));
        const std::vector<std::uint8_t> file = swf::CompressMovie(movie.Data());
        std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                        static_cast<std::streamsize>(file.size()));
    } catch (const swf::SwfError& e) {
        std::fprintf(stderr, "vantorel-fonts: %s: %s\n", argv[2], e.what());
        return 1;
    }
    std::printf("%s: %zu glyphs of %s%s%s\n", argv[1], glyphs.size(), face->family_name, bold ? " bold" : "",
                italic ? " italic" : "");
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}
