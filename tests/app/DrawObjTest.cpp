#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawObj.h"
#include "app/canvas/DrawOleObj.h"

#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A view at half size scrolled by (10, 5) pixels: forty twips to the pixel.
class HalfSizeView : public ICanvasMapping {
public:
    CPoint DocToClient(CPoint p) const override { return {p.x / 40 - 10, p.y / 40 - 5}; }
    CRect ClientToDoc(const CRect& r) const override
    {
        return {(r.left + 10) * 40, (r.top + 5) * 40, (r.right + 10) * 40, (r.bottom + 5) * 40};
    }
};

TEST(DrawObjTest, HandlesSitOnCornersAndTruncatedCentres)
{
    // Odd sides, and negative ones, so the centre depends on truncation toward zero.
    const CDrawObj odd(CRect(-7, -3, 0, 4));
    const struct {
        int handle;
        CPoint point;
        UINT cursor;
    } cases[] = {
        {1, {-7, -3}, IDC_SIZENWSE}, {2, {-4, -3}, IDC_SIZENS}, {3, {0, -3}, IDC_SIZENESW},
        {4, {0, 0}, IDC_SIZEWE},     {5, {0, 4}, IDC_SIZENWSE}, {6, {-4, 4}, IDC_SIZENS},
        {7, {-7, 4}, IDC_SIZENESW},  {8, {-7, 0}, IDC_SIZEWE},  {0, {-7, -3}, IDC_ARROW},
        {9, {-7, -3}, IDC_ARROW},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        EXPECT_EQ(odd.GetHandle(c.handle), c.point);
        EXPECT_EQ(CursorId(odd.GetHandleCursor(c.handle)), c.cursor);
    }
    EXPECT_EQ(CDrawObj(CRect(0, 0, 101, 51)).GetHandle(2), CPoint(50, 0));
}

TEST(DrawObjTest, UnselectedObjectsHoldTheirLeftAndBottomEdgesOnly)
{
    const CDrawObj obj(CRect(100, 200, 300, 400));
    const struct {
        CPoint point;
        int hit;
    } cases[] = {
        {{100, 300}, 1}, {{300, 300}, 0}, {{299, 300}, 1}, {{200, 200}, 0},
        {{200, 201}, 1}, {{200, 400}, 1}, {{200, 401}, 0}, {{99, 300}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(obj.HitTest(c.point, nullptr, false), c.hit);
    }
}

TEST(DrawObjTest, SelectedObjectsAreHitOnHandlesSixPixelsWide)
{
    const HalfSizeView view;
    const CDrawObj obj(CRect(4000, 4000, 8000, 6000));
    // Handle 3 is at (8000, 4000): pixel (190, 95); its square is pixels 187..193, 92..98.
    EXPECT_EQ(obj.GetHandleRect(3, &view), CRect(7880, 3880, 8120, 4120));
    EXPECT_EQ(obj.HitTest(CPoint(8100, 4100), &view, true), 3);
    EXPECT_EQ(obj.HitTest(CPoint(8120, 4000), &view, true), 0); // right edge of the square
    EXPECT_EQ(obj.HitTest(CPoint(6000, 6110), &view, true), 6);
    // Inside the object but on no handle: a selected object answers with handles only.
    EXPECT_EQ(obj.HitTest(CPoint(6000, 5000), &view, true), 0);
    // Without a view the canvas is taken at full size: three pixels are sixty twips.
    EXPECT_EQ(obj.HitTest(CPoint(3950, 6050), nullptr, true), 7);
}

TEST(DrawObjTest, IntersectsNormalisesBothRectangles)
{
    CDrawObj reversed(CRect(300, 300, 100, 100));
    EXPECT_TRUE(reversed.Intersects(CRect(250, 250, 500, 500)));
    EXPECT_TRUE(reversed.Intersects(CRect(500, 500, 250, 250)));
    EXPECT_FALSE(reversed.Intersects(CRect(300, 0, 400, 400))); // touching is not crossing
    EXPECT_FALSE(reversed.Intersects(CRect(150, 150, 150, 250))); // an empty rectangle
}

TEST(DrawObjTest, CloneCopiesPlaceAndLooksButNoDocument)
{
    CDrawDoc doc;
    CDrawObj obj(CRect(1, 2, 3, 4));
    obj.SetDocument(&doc);
    obj.m_bPen = false;
    obj.SetFillColor(RGB(1, 2, 3));
    EXPECT_TRUE(doc.IsModified());
    std::unique_ptr<CDrawObj> clone(obj.Clone());
    EXPECT_EQ(clone->GetDocument(), nullptr);
    EXPECT_EQ(clone->m_position, obj.m_position);
    EXPECT_FALSE(clone->m_bPen);
    EXPECT_EQ(clone->m_logbrush.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(clone->m_logpen.lopnStyle, PS_INSIDEFRAME);
    // Objects outside a document (clipboard copies, undo records) take colours and refreshes.
    clone->SetLineColor(RGB(9, 9, 9));
    clone->Refresh(0);
    EXPECT_EQ(clone->m_logpen.lopnColor, RGB(9, 9, 9));
}

TEST(DrawObjTest, EmbeddedObjectsSurviveSerialisationAndCloning)
{
    CDrawOleObj ole(CRect(-20, 40, 2000, 1040));
    ole.m_extent = CSize(2646, 1323);
    ole.m_logbrush.lbColor = RGB(0x12, 0x34, 0x56);
    ole.m_pClientItem = new CDrawItem(&ole);
    ole.m_pClientItem->m_bLinked = true;
    ole.m_pClientItem->m_data = {1, 2, 3, 0, 255};

    CDrawArchive out;
    ole.Serialize(out);
    // Base fields: rectangle 16, pen flag 2, pen 16, brush flag 2, brush 12.
    ASSERT_GE(out.Bytes().size(), 48u);
    EXPECT_EQ(out.Bytes()[16], 1);
    EXPECT_EQ(out.Bytes()[17], 0);

    CDrawDoc doc;
    CDrawArchive in(out.Bytes(), &doc);
    CDrawOleObj back;
    back.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetDocument(), &doc);
    EXPECT_EQ(back.m_position, ole.m_position);
    EXPECT_EQ(back.m_extent, ole.m_extent);
    EXPECT_EQ(back.m_logbrush.lbColor, RGB(0x12, 0x34, 0x56));
    ASSERT_NE(back.m_pClientItem, nullptr);
    EXPECT_EQ(back.m_pClientItem->GetDrawObj(), &back);
    EXPECT_TRUE(back.m_pClientItem->IsLinked());
    EXPECT_EQ(back.m_pClientItem->m_data, ole.m_pClientItem->m_data);

    std::unique_ptr<CDrawObj> clone(back.Clone());
    auto* oleClone = dynamic_cast<CDrawOleObj*>(clone.get());
    ASSERT_NE(oleClone, nullptr);
    EXPECT_STREQ(clone->GetRuntimeClass(), "CDrawOleObj");
    ASSERT_NE(oleClone->m_pClientItem, nullptr);
    EXPECT_NE(oleClone->m_pClientItem, back.m_pClientItem);
    EXPECT_EQ(oleClone->m_pClientItem->GetDrawObj(), oleClone);
    EXPECT_EQ(oleClone->m_pClientItem->m_data, ole.m_pClientItem->m_data);
    EXPECT_EQ(GetInputState().WaitCount(), 0);

    // An item deleted on its own leaves its object without a dangling pointer.
    delete back.m_pClientItem;
    EXPECT_EQ(back.m_pClientItem, nullptr);
}

TEST(DrawObjTest, CutShortObjectDataIsRefusedAtEveryLength)
{
    CDrawOleObj ole(CRect(0, 0, 100, 100));
    ole.m_pClientItem = new CDrawItem(&ole);
    ole.m_pClientItem->m_data.assign(40, 7);
    CDrawArchive out;
    ole.Serialize(out);
    for (std::size_t n = 0; n < out.Bytes().size(); ++n) {
        std::vector<std::uint8_t> cut(out.Bytes().begin(), out.Bytes().begin() + static_cast<long>(n));
        CDrawArchive in(cut);
        CDrawOleObj back;
        EXPECT_THROW(back.Serialize(in), CDrawArchive::ReadError) << n;
    }
    // A block length beyond the data is refused rather than allocated.
    CDrawArchive huge(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_THROW(huge.ReadBytes(), CDrawArchive::ReadError);
}

TEST(DrawObjTest, EmbeddedObjectsDrawAsCrossedFramesOnTheCanvas)
{
    CRasterDC dc(120, 80, RGB(255, 255, 255));
    // The canvas mapping at full size: twenty twips to the pixel, the canvas 10 pixels in.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(20, 20);
    dc.SetViewportExt(1, 1);
    dc.SetViewportOrg(10, 10);
    CDrawOleObj ole(CRect(0, 0, 2000, 1200)); // 100 x 60 pixels
    ole.Draw(&dc);
    CDrawOleObj linked(CRect(200, 200, 600, 600));
    linked.m_pClientItem = new CDrawItem(&linked);
    linked.m_pClientItem->m_bLinked = true;
    linked.Draw(&dc);
    // The caller's mapping is left as it was.
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 10));

    const CBitmap& picture = *dc.GetSurface();
    const auto artefacts = testsupport::ArtefactDir("app");
    EXPECT_TRUE(WritePng(artefacts / "embedded-object-frames.png", picture));
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(109, 69), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(60, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(60, 40), RGB(0, 0, 0)); // the diagonals cross in the middle
    EXPECT_EQ(dc.GetPixel(110, 40), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(45, 25), RGB(255, 255, 255));
    // The linked object's left side is dotted: some of its pixels are inked, not all.
    int inked = 0;
    for (int y = 21; y < 39; ++y)
        inked += dc.GetPixel(20, y) == RGB(0, 0, 0) ? 1 : 0;
    EXPECT_GT(inked, 4);
    EXPECT_LT(inked, 14);
}

} // namespace

// Handles are painted, not inverted: where two selected objects share a corner, or a small
// object's handles overlap, the squares stay drawn, and a rim shows them on a dark component.
TEST(DrawObjTest, HandlesStaySolidWhereTheyMeet)
{
    class FullSizeView : public ICanvasMapping {
    public:
        CPoint DocToClient(CPoint p) const override { return {p.x / 20 + 10, p.y / 20 + 10}; }
        CRect ClientToDoc(const CRect& r) const override
        {
            return {(r.left - 10) * 20, (r.top - 10) * 20, (r.right - 10) * 20, (r.bottom - 10) * 20};
        }
    } view;
    CRasterDC dc(160, 120, RGB(255, 255, 255));
    dc.FillSolidRect(CRect(100, 60, 150, 100), RGB(0, 0, 0)); // a dark component
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(20, 20);
    dc.SetViewportExt(1, 1);
    dc.SetViewportOrg(10, 10);
    CDrawObj left(CRect(0, 0, 2000, 1200));      // pixels 10..110 x 10..70
    CDrawObj right(CRect(2000, 1200, 2800, 1800)); // shares the corner at (110, 70)
    CDrawObj tiny(CRect(400, 1600, 480, 1680));    // four pixels: its handles overlap
    for (const CDrawObj* obj : {&left, &right, &tiny, &tiny})
        obj->DrawHandles(&dc, &view);

    const auto artefacts = testsupport::ArtefactDir("app");
    EXPECT_TRUE(WritePng(artefacts / "selection-handles.png", *dc.GetSurface()));
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    // The shared corner: a black core inside a white rim, on the dark component too.
    EXPECT_EQ(dc.GetPixel(110, 70), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(108, 68), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(112, 72), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(107, 72), RGB(255, 255, 255));
    // A lone corner and a middle handle are drawn once, as solid as the shared one.
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(60, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(255, 255, 255)); // inside the object, untouched
    // The small object's overlapping handles, drawn twice over, still show.
    EXPECT_EQ(dc.GetPixel(31, 91), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(33, 93), RGB(0, 0, 0));
}
