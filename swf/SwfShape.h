#pragma once

#include "swf/SwfIds.h"
#include "swf/SwfObject.h"
#include "swf/SwfRecords.h"

#include <memory>
#include <vector>

namespace swf {
class Writer;
}

// A fill style of a shape: a solid colour or a bitmap (character id 0xFFFF for none).
struct CSwfFillStyle {
    enum Type : uint8_t { kSolid = 0x00, kRepeatingBitmap = 0x40, kClippedBitmap = 0x41 };
    uint8_t type = kSolid;
    uint32_t color = 0; // 0xRRGGBB
    uint16_t bitmapId = 0xFFFF;
    CSwfMatrix matrix;

    static CSwfFillStyle Solid(uint32_t rgb);
    static CSwfFillStyle Bitmap(uint16_t bitmapId, const CSwfMatrix& matrix, bool clipped = true);
};

// A record of a shape's outline, written with the bit widths of the shape's style arrays.
class CShapeRecord {
public:
    virtual ~CShapeRecord() = default;
    virtual void Write(swf::Writer& out, int fillBits, int lineBits) const = 0;
    virtual bool IsEnd() const { return false; }
};

// Moves the pen and selects fill styles by their 1-based index (0: no fill); -1 leaves a style
// as it was.
class CStyleChangeRecord : public CShapeRecord {
public:
    CStyleChangeRecord(int32_t moveX, int32_t moveY, int fillStyle0 = -1, int fillStyle1 = -1);
    void Write(swf::Writer& out, int fillBits, int lineBits) const override;

private:
    int32_t moveX_, moveY_;
    int fillStyle0_, fillStyle1_;
};

class CStraightEdgeRecord : public CShapeRecord {
public:
    CStraightEdgeRecord(int32_t dx, int32_t dy) : dx_(dx), dy_(dy) {}
    void Write(swf::Writer& out, int fillBits, int lineBits) const override;

private:
    int32_t dx_, dy_;
};

class CEndShapeRecord : public CShapeRecord {
public:
    void Write(swf::Writer& out, int fillBits, int lineBits) const override;
    bool IsEnd() const override { return true; }
};

// DefineShape (2) with a new character id: bounds, fill styles, no line styles, and records.
class CSwfShape : public CSwfObject {
public:
    CSwfShape(swf::IdCounter& characterIds, const CSwfRect& bounds);
    ~CSwfShape() override;

    // Returns the 1-based index of the style. Styles can only be added before EndStyles.
    int AddFillStyle(const CSwfFillStyle& style);
    void EndStyles();
    void AddRecord(std::unique_ptr<CShapeRecord> record);

    swf::TagCode GetTagCode() const override { return swf::TagCode::DefineShape; }
    void Write(swf::Writer& out) override;

private:
    CSwfRect bounds_;
    std::vector<CSwfFillStyle> fills_;
    std::vector<std::unique_ptr<CShapeRecord>> records_;
    bool stylesEnded_ = false;
};
