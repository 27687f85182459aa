#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/TKVRPackage.Geometry.h"
#include "elements/TKVRPackage.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <algorithm>
#include <array>

namespace {

const QString kFontFamily = QStringLiteral("Arial");

void SolidStroke(TCanvas& aCanvas, TAlphaColor aColor, float aThickness)
{
    aCanvas.Stroke().SetKind(TBrushKind::Solid);
    aCanvas.Stroke().SetColor(aColor);
    aCanvas.Stroke().SetThickness(aThickness);
    aCanvas.Stroke().SetDash(TStrokeDash::Solid);
}

void SolidFill(TCanvas& aCanvas, TAlphaColor aColor)
{
    aCanvas.Fill().SetKind(TBrushKind::Solid);
    aCanvas.Fill().SetColor(aColor);
}

}  // namespace

void TKVRPackage::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& pc = *d->pC;
    const TKVRBoxSizes sizes = PrintedSizes();

    PrintFrame(d);
    const TKVRPackageStyle style = Style();
    if (style > 5)  // no box of its own: only the frame
        return;

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    TKVRRect r{p1.X, p1.Y, p2.X, p2.Y};
    if (style == 1 || style == 3) {
        r.Left += RoundHalfEven(double(p2.X - p1.X) * 0.35);
        PrintSizeTable(d, sizes);
    }
    if (style == 5) {
        r.Left += Paper(2000 + int64_t(SizesAscent) + SizesDescent);
        r.Top += Paper(2000);
        r.Right -= Paper(2000);
        r.Bottom -= Paper(2000 + int64_t(SizesAscent) + SizesDescent);
    } else {
        const int64_t m = Paper(2000 + int64_t(BoxAscent) + BoxDescent);
        r = {r.Left + m, r.Top + m, r.Right - m, r.Bottom - m};
    }

    pc.Font().SetFamily(kFontFamily);
    pc.Font().SetStyle(0);
    if (style == 5)
        pc.Font().SetSize(float(FontPrintSize(GetFontHeightSizes()) * SizesRatio));
    else
        pc.Font().SetSize(float(FontPrintSize(GetFontHeightBox()) * BoxRatio));
    if (sizes.Height == 0.0f)
        PrintFlat(d, sizes, r, style == 5 ? SizesAscent : BoxAscent, style == 5 ? SizesDescent : BoxDescent);
    else
        PrintIso(d, sizes, r);
}

TKVRBoxSizes TKVRPackage::PrintedSizes() const
{
    if (FillType != 0 && GetOwner())
        return SizesOf(GetOwner()->DataValue(FillName, GetFormat(), FillType));
    return GetSizes();
}

void TKVRPackage::PrintFrame(TKVRDraw* aDraw)
{
    TCanvas& pc = *aDraw->pC;
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TPointF a = PrintCellAt(p1, aDraw), b = PrintCellAt(p2, aDraw);
    const TRectF f(a.X, a.Y, b.X, b.Y);
    float radius = 0.0f;
    TCorners corners = NoCorners;
    if (GetRadio() > 0.0f) {
        radius = float(GetOwner() ? GetOwner()->GetPrintValue(GetRadio(), aDraw->ResolutionX)
                                  : PrintFromBaseX(GetBaseRadio(), aDraw));
        corners = AllCorners;
    }
    if (GetFilled()) {
        SolidFill(pc, GetBackColor());
        pc.FillRect(f, radius, radius, corners, 1.0f, TCornerType::Round);
    }
    if (GetPenWidth() > 0.0f) {
        SolidStroke(pc, GetColor(), float(aDraw->PrintBasePtoX(GetPenWidth())));
        pc.DrawRect(f, radius, radius, corners, 1.0f, TCornerType::Round);
    }
}

void TKVRPackage::PrintFlat(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TKVRRect& aContent, int32_t aAscent,
                            int32_t aDescent)
{
    TCanvas& pc = *aDraw->pC;
    const TKVRPackageStyle style = Style();
    const double L = aSizes.Length, W = aSizes.Width;
    const TKVRRect o = TDraw2D::CenteredRect(L, W, aContent);
    const TKVRBlankMap blank(double(o.Width()), double(o.Height()), L, W, TKVRBlankMap::MicrometreLimit);
    // Offsets on paper are whole micrometres.
    auto along = [&](double aX, int64_t& oV) {
        double v = 0;
        return blank.Along(aX, v) ? (oV = RoundHalfEven(v), true) : false;
    };
    auto up = [&](double aY, int64_t& oV) {
        double v = 0;
        return blank.Up(aY, v) ? (oV = RoundHalfEven(v), true) : false;
    };
    auto px = [&](int64_t v) { return float(PrintFromBaseX(v, aDraw)); };
    auto py = [&](int64_t v) { return float(PrintFromBaseY(v, aDraw)); };
    // Positions: the cell origin added, held to the device's range.
    auto cx = [&](int64_t v) { return float(PrintCellX(aDraw, PrintFromBaseX(v, aDraw))); };
    auto cy = [&](int64_t v) { return float(PrintCellY(aDraw, PrintFromBaseY(v, aDraw))); };
    const TRectF po(cx(o.Left), cy(o.Top), cx(o.Right), cy(o.Bottom));

    // A blank with a size of 0 (or an outline without room) has no outline to draw.
    if (blank.IsValid()) {
        if (style == 2 || style == 3) {
            SolidFill(pc, BoxColor());
            pc.FillRect(po, 0.0f, 0.0f, NoCorners, 1.0f);
        } else {
            SolidStroke(pc, BoxColor(), float(aDraw->PrintBasePtoX(0.5f)));
            pc.DrawRect(po, 0.0f, 0.0f, NoCorners, 1.0f);
        }
    }

    if (style != 4) {
        SolidFill(pc, GetFontColor());
        const bool lengthAcross = (L > W) == (o.Width() > o.Height());
        const QString across = SizeText(float(lengthAcross ? L : W));
        const QString upright = SizeText(float(lengthAcross ? W : L));
        const TPointF size = GetTextSize(pc, across);
        const float x = cx(o.Left + o.Width() / 2);
        const float top = cy(o.Bottom) + py(Paper(aDescent));
        pc.FillText(TRectF(x - size.X / 2.0f, top, x + size.X / 2.0f + 50.0f, top + size.Y + 50.0f), across, false,
                    255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
        PrintRotatedText(aDraw, upright, cx(o.Left - Paper(1000 + (int64_t(aAscent) + aDescent) / 2)),
                         cy(o.Top + o.Height() / 2), 270.0f);
    }

    if ((style == 4 || style == 5) && blank.IsValid()) {
        SolidStroke(pc, BoxColor(), 2.0f);
        for (int32_t i = 0; i < GetNumDrills(); ++i) {
            const TDrillPoint hole = GetDrillPoint(i);
            int64_t dx = 0, dy = 0, dd = 0;
            if (!along(hole.X, dx) || !up(hole.Y, dy) || !along(hole.D, dd))
                continue;
            const float r = px(dd) / 2.0f;
            if (!(r > 0.0f))
                continue;
            const float left = cx(o.Left) + px(dx) - r;
            const float top = cy(o.Bottom) - py(dy) - r;
            pc.DrawEllipse(TRectF(left, top, left + 2.0f * r, top + 2.0f * r), 1.0f);
        }
        for (int32_t i = 0; i < GetNumSlots(); ++i) {
            const TSlot slot = GetSlot(i);
            int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, w = 0;
            if (!along(slot.X1, x1) || !up(slot.Y1, y1) || !along(slot.X2, x2) || !up(slot.Y2, y2) ||
                !along(slot.Width, w))
                continue;
            const std::array<TPointF, 4> q = TDraw2D::CalculateSlotPolygon(
                cx(o.Left) + px(x1), cy(o.Bottom) - py(y1), cx(o.Left) + px(x2),
                cy(o.Bottom) - py(y2), px(w));
            for (size_t k = 0; k < q.size(); ++k)
                pc.DrawLine(q[k], q[(k + 1) % q.size()], 1.0f);
        }
    }
}

void TKVRPackage::PrintIso(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TKVRRect& aContent)
{
    TCanvas& pc = *aDraw->pC;
    const double L = aSizes.Length, W = aSizes.Width, H = aSizes.Height;
    TKVRPrintIsoView iso;
    if (!iso.Fit(L, W, H, aContent))
        return;  // a box without a silhouette, or no room for it
    // Positions: the cell origin added, held to the device's range.
    auto cx = [&](int64_t v) { return float(PrintCellX(aDraw, PrintFromBaseX(v, aDraw))); };
    auto cy = [&](int64_t v) { return float(PrintCellY(aDraw, PrintFromBaseY(v, aDraw))); };
    auto at = [&](double x, double y, double z) { return TPointF(cx(iso.X(x, y)), cy(iso.Y(x, y, z))); };

    SolidStroke(pc, BoxColor(), float(aDraw->PrintBasePtoX(0.2f)));
    auto line = [&](const TPointF& a, const TPointF& b) { pc.DrawLine(a, b, 1.0f); };
    if (Style() == 2 || Style() == 3) {
        // Faces are not filled on paper: the outlines of the three visible ones.
        line(at(0, 0, 0), at(L, 0, 0));
        line(at(L, 0, 0), at(L, W, 0));
        line(at(L, W, 0), at(0, W, 0));
        line(at(0, W, 0), at(0, 0, 0));
        line(at(0, 0, 0), at(0, 0, H));
        line(at(0, 0, H), at(0, W, H));
        line(at(0, 0, H), at(L, 0, H));
        line(at(L, 0, H), at(L, 0, 0));
        line(at(0, W, H), at(0, W, 0));
    } else {
        line(at(0, 0, 0), at(L, 0, 0));
        line(at(L, 0, 0), at(L, W, 0));
        line(at(L, W, 0), at(0, W, 0));
        line(at(0, W, 0), at(0, 0, 0));
        line(at(0, 0, 0), at(0, 0, H));
        line(at(L, 0, 0), at(L, 0, H));
        line(at(L, W, 0), at(L, W, H));
        line(at(0, W, 0), at(0, W, H));
        line(at(0, 0, H), at(L, 0, H));
        line(at(L, 0, H), at(L, W, H));
        line(at(L, W, H), at(0, W, H));
        line(at(0, W, H), at(0, 0, H));
    }

    SolidFill(pc, GetFontColor());
    auto caption = [&](const QString& aText, const auto& aPlace) {
        TCanvasStateGuard guard(pc);
        const TPointF size = GetTextSize(pc, aText);
        aDraw->ResetMatrix(KVRDrawState::Print);
        aPlace(size);
        aDraw->ApplyMatrix();
        pc.FillText(TRectF(0, 0, 50000, 50000), aText, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
    };
    const QString th = SizeText(float(H));
    caption(th, [&](const TPointF& aSize) {
        const TPointF o = GetInternalTextOffset(pc, th);
        const float x = cx(iso.X(L, 0));
        const float y = cy((iso.Y(L, 0, H) + iso.Y(L, 0, 0)) / 2);
        aDraw->Rotate(270.0f);
        aDraw->Translate(x - o.Y, y + aSize.X / 2.0f + o.X);
    });
    caption(SizeText(float(W)), [&](const TPointF& aSize) {
        aDraw->Translate(cx((iso.X(0, 0) + iso.X(0, W)) / 2) - aSize.X,
                         cy((iso.Y(0, W, H) + iso.Y(0, 0, H)) / 2));
    });
    caption(SizeText(float(L)), [&](const TPointF&) {
        aDraw->Translate(cx((iso.X(L, 0) + iso.X(0, 0)) / 2), cy((iso.Y(L, 0, H) + iso.Y(0, 0, H)) / 2));
    });
}

void TKVRPackage::PrintSizes(TKVRDraw* aDraw)
{
    if (CanPrint(aDraw))
        PrintSizeTable(aDraw, GetSizes());
}

void TKVRPackage::PrintSizeTable(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes)
{
    TCanvas& pc = *aDraw->pC;
    pc.Font().SetFamily(kFontFamily);
    pc.Font().SetSize(float(FontPrintSize(GetFontHeightSizes()) * SizesRatio));
    pc.Font().SetStyle(0);
    pc.Stroke().SetThickness(0.0f);
    SolidFill(pc, GetFontColor());

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float x0 = float(PrintCellX(aDraw, p1.PrintX(aDraw)));
    const float xL = x0 + float(PrintFromBaseX(Paper(2000), aDraw));
    float xR = x0 + float(PrintFromBaseX(RoundHalfEven(double(p2.X - p1.X) * 0.35), aDraw));
    const float y0 = float(PrintCellY(aDraw, p1.PrintY(aDraw))) +
                     float(PrintFromBaseY(RoundHalfEven(double(p2.Y - p1.Y) * 0.5), aDraw));
    const float gap = float(PrintFromBaseX(Paper(1500), aDraw));

    const bool flat = aSizes.Height == 0.0f;
    const QString vL = SizeText(aSizes.Length), vW = SizeText(aSizes.Width), vH = SizeText(aSizes.Height);
    const float nameWidth =
        std::max({pc.TextWidth(NameLength()), pc.TextWidth(NameWidth()), pc.TextWidth(NameHeight())});
    float valueWidth = std::max(pc.TextWidth(vL), pc.TextWidth(vW));
    if (!flat)
        valueWidth = std::max(valueWidth, pc.TextWidth(vH));
    xR = std::max(xR, xL + nameWidth + gap + valueWidth);
    const float r = std::max({float(PrintFromBaseY(Paper(int64_t(SizesAscent) + SizesDescent), aDraw)),
                              pc.TextHeight(QStringLiteral("Hg")), 1.0f});

    auto row = [&](const QString& aText, float aTop, TTextAlign aAlign) {
        pc.FillText(TRectF(xL, aTop, xR, aTop + r), aText, false, 255.0f, 0, aAlign, TTextAlign::Leading);
    };
    if (flat) {
        row(NameLength(), y0 - 2 * r, TTextAlign::Leading);
        row(vL, y0 - r, TTextAlign::Trailing);
        row(NameWidth(), y0, TTextAlign::Leading);
        row(vW, y0 + r, TTextAlign::Trailing);
    } else {
        row(NameLength(), y0 - 3 * r, TTextAlign::Leading);
        row(vL, y0 - 2 * r, TTextAlign::Trailing);
        row(NameWidth(), y0 - r, TTextAlign::Leading);
        row(vW, y0, TTextAlign::Trailing);
        row(NameHeight(), y0 + r, TTextAlign::Leading);
        row(vH, y0 + 2 * r, TTextAlign::Trailing);
    }
}

void TKVRPackage::PrintRotatedText(TKVRDraw* aDraw, const QString& aText, float aX, float aY, float aAngle)
{
    TCanvas& pc = *aDraw->pC;
    TCanvasStateGuard guard(pc);
    SolidFill(pc, GetFontColor());
    const TPointF size = GetTextSize(pc, aText);
    aDraw->ResetMatrix(KVRDrawState::Print);
    if (aAngle != 0.0f)
        aDraw->Rotate(aAngle);
    aDraw->Translate(aX, aY);
    aDraw->ApplyMatrix();
    pc.FillText(TRectF(-size.X / 2.0f - 50.0f, -size.Y / 2.0f - 50.0f, size.X / 2.0f + 50.0f, size.Y / 2.0f + 50.0f),
                aText, false, 255.0f, 0, TTextAlign::Center, TTextAlign::Center);
}
