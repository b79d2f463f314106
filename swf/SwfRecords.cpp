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

} // namespace

void WriteMatrix(Writer& out, const CSwfMatrix& m)
{
    out.Bits(m.hasScale ? 1 : 0, 1);
    if (m.hasScale) {
        int bits = MatrixBits(m.scaleX, m.scaleY);
        out.Bits(static_cast<uint32_t>(bits), 5);
        out.SignedBits(m.scaleX, bits);
        out.SignedBits(m.scaleY, bits);
    }
    out.Bits(m.hasRotate ? 1 : 0, 1);
    if (m.hasRotate) {
        int bits = MatrixBits(m.rotateSkew0, m.rotateSkew1);
        out.Bits(static_cast<uint32_t>(bits), 5);
        out.SignedBits(m.rotateSkew0, bits);
        out.SignedBits(m.rotateSkew1, bits);
    }
    int bits = 0;
    if (m.translateX != 0 || m.translateY != 0)
        bits = MatrixBits(m.translateX, m.translateY);
    out.Bits(static_cast<uint32_t>(bits), 5);
    out.SignedBits(m.translateX, bits);
    out.SignedBits(m.translateY, bits);
    out.FlushBits();
}

CSwfMatrix ReadMatrix(Reader& in)
{
    in.AlignBits();
    CSwfMatrix m;
    m.hasScale = in.Bits(1) != 0;
    if (m.hasScale) {
        int bits = static_cast<int>(in.Bits(5));
        m.scaleX = in.SignedBits(bits);
        m.scaleY = in.SignedBits(bits);
    }
    m.hasRotate = in.Bits(1) != 0;
    if (m.hasRotate) {
        int bits = static_cast<int>(in.Bits(5));
        m.rotateSkew0 = in.SignedBits(bits);
        m.rotateSkew1 = in.SignedBits(bits);
    }
    int bits = static_cast<int>(in.Bits(5));
    m.translateX = in.SignedBits(bits);
    m.translateY = in.SignedBits(bits);
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
