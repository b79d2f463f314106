#include "swf/SwfRecords.h"

#include "swf/SwfError.h"
#include "swf/SwfReader.h"
#include "swf/SwfWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

CSwfMatrix CSwfMatrix::CSwfMatrixScaled(int32_t scaleX16, int32_t scaleY16)
{
    CSwfMatrix m;
    m.hasScale = true;
    m.scaleX = scaleX16;
    m.scaleY = scaleY16;
    return m;
}

namespace swf {

void WriteRect(Writer& out, const CSwfRect& rect, int fixedBits)
{
    int bits = std::max({SignedBitsNeeded(rect.xmin), SignedBitsNeeded(rect.xmax),
                         SignedBitsNeeded(rect.ymin), SignedBitsNeeded(rect.ymax)});
    if (fixedBits > 0) {
        if (bits > fixedBits)
            throw SwfError("rectangle does not fit fields of " + std::to_string(fixedBits) + " bits");
        bits = fixedBits;
    }
    if (bits > 31)
        throw SwfError("rectangle does not fit its 5-bit field width");
    out.Bits(static_cast<uint32_t>(bits), 5);
    out.SignedBits(rect.xmin, bits);
    out.SignedBits(rect.xmax, bits);
    out.SignedBits(rect.ymin, bits);
    out.SignedBits(rect.ymax, bits);
    out.FlushBits();
}

CSwfRect ReadRect(Reader& in)
{
    in.AlignBits();
    int bits = static_cast<int>(in.Bits(5));
    CSwfRect r;
    r.xmin = in.SignedBits(bits);
    r.xmax = in.SignedBits(bits);
    r.ymin = in.SignedBits(bits);
    r.ymax = in.SignedBits(bits);
    in.AlignBits();
    return r;
}

namespace {

// The widths of a matrix's bit fields are themselves 5-bit fields.
int MatrixBits(int32_t a, int32_t b)
{
    int bits = std::max(SignedBitsNeeded(a), SignedBitsNeeded(b));
    if (bits > 31)
        throw SwfError("matrix value does not fit its 5-bit field width");
    return bits;
}

// A pair of a matrix (scale, rotation or translation): the width of its fields, then the two.
void WriteMatrixPair(Writer& out, int32_t a, int32_t b, int bits)
{
    out.Bits(static_cast<uint32_t>(bits), 5);
    out.SignedBits(a, bits);
    out.SignedBits(b, bits);
}

void ReadMatrixPair(Reader& in, int32_t& a, int32_t& b)
{
    const int bits = static_cast<int>(in.Bits(5));
    a = in.SignedBits(bits);
    b = in.SignedBits(bits);
}

} // namespace

void WriteMatrix(Writer& out, const CSwfMatrix& m)
{
    out.Bits(m.hasScale ? 1 : 0, 1);
    if (m.hasScale)
        WriteMatrixPair(out, m.scaleX, m.scaleY, MatrixBits(m.scaleX, m.scaleY));
    out.Bits(m.hasRotate ? 1 : 0, 1);
    if (m.hasRotate)
        WriteMatrixPair(out, m.rotateSkew0, m.rotateSkew1, MatrixBits(m.rotateSkew0, m.rotateSkew1));
    const bool moved = m.translateX != 0 || m.translateY != 0;
    WriteMatrixPair(out, m.translateX, m.translateY, moved ? MatrixBits(m.translateX, m.translateY) : 0);
    out.FlushBits();
}

CSwfMatrix ReadMatrix(Reader& in)
{
    in.AlignBits();
    CSwfMatrix m;
    m.hasScale = in.Bits(1) != 0;
    if (m.hasScale)
        ReadMatrixPair(in, m.scaleX, m.scaleY);
    m.hasRotate = in.Bits(1) != 0;
    if (m.hasRotate)
        ReadMatrixPair(in, m.rotateSkew0, m.rotateSkew1);
    ReadMatrixPair(in, m.translateX, m.translateY);
    in.AlignBits();
    return m;
}

int32_t ToFixed16(double value)
{
    double scaled = std::round(value * 65536.0);
    if (!(scaled >= std::numeric_limits<int32_t>::min() && scaled <= std::numeric_limits<int32_t>::max()))
        throw SwfError("value out of range for 16.16 fixed point");
    return static_cast<int32_t>(scaled);
}

uint16_t ToFixed8(double value)
{
    double scaled = std::round(value * 256.0);
    if (!(scaled >= 0 && scaled <= 65535))
        throw SwfError("frame rate out of range for 8.8 fixed point");
    return static_cast<uint16_t>(scaled);
}

double FromFixed8(uint16_t value)
{
    return value / 256.0;
}

} // namespace swf
