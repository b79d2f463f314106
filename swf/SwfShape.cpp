#include "swf/SwfShape.h"

#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfWriter.h"

#include <algorithm>

CSwfFillStyle CSwfFillStyle::Solid(uint32_t rgb)
{
    CSwfFillStyle style;
    style.type = kSolid;
    style.color = rgb & 0xFFFFFF;
    return style;
}

CSwfFillStyle CSwfFillStyle::Bitmap(uint16_t bitmapId, const CSwfMatrix& matrix, bool clipped)
{
    CSwfFillStyle style;
    style.type = clipped ? kClippedBitmap : kRepeatingBitmap;
    style.bitmapId = bitmapId;
    style.matrix = matrix;
    return style;
}

CStyleChangeRecord::CStyleChangeRecord(int32_t moveX, int32_t moveY, int fillStyle0, int fillStyle1)
    : moveX_(moveX), moveY_(moveY), fillStyle0_(fillStyle0), fillStyle1_(fillStyle1)
{
}

void CStyleChangeRecord::Write(swf::Writer& out, int fillBits, int /*lineBits*/) const
{
    bool fill0 = fillStyle0_ >= 0;
    bool fill1 = fillStyle1_ >= 0;
    for (int style : {fill0 ? fillStyle0_ : 0, fill1 ? fillStyle1_ : 0})
        if (swf::UnsignedBitsNeeded(static_cast<uint32_t>(style)) > fillBits)
            throw swf::SwfError("shape record selects fill style " + std::to_string(style) +
                                ", which the shape lacks");
    out.Bits(0, 1); // not an edge
    out.Bits(0, 1); // no new styles
    out.Bits(0, 1); // line style unchanged
    out.Bits(fill1 ? 1 : 0, 1);
    out.Bits(fill0 ? 1 : 0, 1);
    out.Bits(1, 1); // move
    int bits = std::max(swf::SignedBitsNeeded(moveX_), swf::SignedBitsNeeded(moveY_));
    if (bits > 31)
        throw swf::SwfError("shape move out of range");
    out.Bits(static_cast<uint32_t>(bits), 5);
    out.SignedBits(moveX_, bits);
    out.SignedBits(moveY_, bits);
    if (fill0)
        out.Bits(static_cast<uint32_t>(fillStyle0_), fillBits);
    if (fill1)
        out.Bits(static_cast<uint32_t>(fillStyle1_), fillBits);
}

void CStraightEdgeRecord::Write(swf::Writer& out, int, int) const
{
    int bits = std::max({swf::SignedBitsNeeded(dx_), swf::SignedBitsNeeded(dy_), 2});
    if (bits > 17)
        throw swf::SwfError("shape edge out of range");
    out.Bits(1, 1); // edge
    out.Bits(1, 1); // straight
    out.Bits(static_cast<uint32_t>(bits - 2), 4);
    if (dx_ != 0 && dy_ != 0) {
        out.Bits(1, 1); // general line
        out.SignedBits(dx_, bits);
        out.SignedBits(dy_, bits);
    } else {
        out.Bits(0, 1);
        bool vertical = dx_ == 0;
        out.Bits(vertical ? 1 : 0, 1);
        out.SignedBits(vertical ? dy_ : dx_, bits);
    }
}

void CEndShapeRecord::Write(swf::Writer& out, int, int) const
{
    out.Bits(0, 6);
}

CSwfShape::CSwfShape(swf::IdCounter& characterIds, const CSwfRect& bounds)
    : CSwfObject(characterIds.Next()), bounds_(bounds)
{
}

CSwfShape::~CSwfShape() = default;

int CSwfShape::AddFillStyle(const CSwfFillStyle& style)
{
    if (stylesEnded_)
        throw swf::SwfError("fill style added to a shape after its styles were ended");
    if (fills_.size() >= 254)
        throw swf::SwfError("too many fill styles for a DefineShape");
    fills_.push_back(style);
    if (style.type & 0x40)
        AddDependency(style.bitmapId);
    return static_cast<int>(fills_.size());
}

void CSwfShape::EndStyles()
{
    stylesEnded_ = true;
}

void CSwfShape::AddRecord(std::unique_ptr<CShapeRecord> record)
{
    if (!record)
        throw swf::SwfError("null shape record");
    stylesEnded_ = true;
    records_.push_back(std::move(record));
}

void CSwfShape::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(GetCharacterId());
    swf::WriteRect(body, bounds_);
    body.U8(static_cast<uint8_t>(fills_.size()));
    for (const auto& fill : fills_) {
        body.U8(fill.type);
        if (fill.type & 0x40) {
            body.U16(fill.bitmapId);
            swf::WriteMatrix(body, fill.matrix);
        } else {
            body.U8(static_cast<uint8_t>(fill.color >> 16));
            body.U8(static_cast<uint8_t>(fill.color >> 8));
            body.U8(static_cast<uint8_t>(fill.color));
        }
    }
    body.U8(0); // no line styles
    int fillBits = swf::UnsignedBitsNeeded(static_cast<uint32_t>(fills_.size()));
    body.Bits(static_cast<uint32_t>(fillBits), 4);
    body.Bits(0, 4);
    for (const auto& record : records_)
        record->Write(body, fillBits, 0);
    if (records_.empty() || !records_.back()->IsEnd())
        CEndShapeRecord().Write(body, fillBits, 0);
    body.FlushBits();
    out.Tag(swf::TagCode::DefineShape, body.Data());
}
