#pragma once

#include <cstdint>

namespace swf {
class Reader;
class Writer;
} // namespace swf

// A rectangle in twips, in the field order of the file: x-min, x-max, y-min, y-max.
struct CSwfRect {
    int32_t xmin = 0;
    int32_t xmax = 0;
    int32_t ymin = 0;
    int32_t ymax = 0;

    CSwfRect() = default;
    CSwfRect(int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax)
        : xmin(xMin), xmax(xMax), ymin(yMin), ymax(yMax)
    {
    }
    bool operator==(const CSwfRect&) const = default;
};

// A placement matrix. Scale and rotate-skew factors are 16.16 fixed point, translation twips.
struct CSwfMatrix {
    bool hasScale = false;
    int32_t scaleX = 0x10000;
    int32_t scaleY = 0x10000;
    bool hasRotate = false;
    int32_t rotateSkew0 = 0;
    int32_t rotateSkew1 = 0;
    int32_t translateX = 0;
    int32_t translateY = 0;

    // The identity.
    CSwfMatrix() = default;
    static CSwfMatrix CSwfMatrixScaled(int32_t scaleX16, int32_t scaleY16);
    bool operator==(const CSwfMatrix&) const = default;
};

namespace swf {

// fixedBits 0 writes the fewest bits; a fixed width keeps the record's length independent of
// the values (the frame rectangle of a movie header, so it can be rewritten in place).
void WriteRect(Writer& out, const CSwfRect& rect, int fixedBits = 0);
CSwfRect ReadRect(Reader& in);
void WriteMatrix(Writer& out, const CSwfMatrix& matrix);
CSwfMatrix ReadMatrix(Reader& in);

// 16.16 and 8.8 fixed point.
int32_t ToFixed16(double value);
uint16_t ToFixed8(double value);
double FromFixed8(uint16_t value);

} // namespace swf
