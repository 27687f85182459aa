#include "elements/TKVRPackage.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "elements/TKVRPackage.Geometry.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <array>

namespace {

const QString kFontFamily = QStringLiteral("Arial");

bool HasSizeTable(TKVRPackageStyle aStyle)
{
    return aStyle == 1 || aStyle == 3;
}

bool HasFilledBox(TKVRPackageStyle aStyle)
{
    return aStyle == 2 || aStyle == 3;
}

ISkFont MakeArial(float aSize)
{
    const ISkTypeface typeface = TSkTypeface::MakeFromName(kFontFamily, GetFontStyle(false, false));
    return typeface ? std::make_shared<TSkFont>(typeface, aSize, 1.0f, 0.0f) : nullptr;
}

// A solid line of the box: colour, no dash, 0.2 mm.
void BoxLinePaint(TKVRDraw* aDraw, TAlphaColor aColor)
{
    aDraw->kP->SetColor(aColor);
    AdjustLineType(aDraw, 0, 0);
    aDraw->kP->SetStrokeWidth(aDraw->BasePtoY(0.2f));
}

}  // namespace

void TKVRPackage::CalcValues(int16_t aMode)
{
    TKVRBasePackage::CalcValues(aMode);
    const TKVRPackageStyle style = Style();
    if (style > 5)
        return;
    int32_t und = 0, lh = 0;
    if (style == 1 || style == 3 || style == 5)
        TKVRCalc::FontSettings(kFontFamily, SizesFontHeight, false, false, SizesAscent, SizesDescent, und, lh,
                               SizesRatio);
    TKVRCalc::FontSettings(kFontFamily, BoxFontHeight, false, false, BoxAscent, BoxDescent, und, lh, BoxRatio);
}

QString TKVRPackage::SizeText(float aValue) const
{
    return FormatFloat(GetFormat().isEmpty() ? QStringLiteral("0") : GetFormat(), double(aValue));
}

// ---------------------------------------------------------------- screen

void TKVRPackage::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    // Outside the editor a data-bound box shows the current record's sizes, as paper does.
    const TKVRBoxSizes sizes = IsEditorState(d->DrawState) ? GetSizes() : PrintedSizes();
    const TRectF frame = ScreenBox(*this, d);
    // The rectangle element's frame, which also resets the paint.
    DrawRectFrame(d, *this, frame, GetRadio() != 0.0f, GetBaseRadio());
    const TKVRPackageStyle style = Style();
    if (style > 5)  // no box of its own: only the frame
        return;

    TRectF r = frame;
    if (HasSizeTable(style)) {
        r.Left += DrawFromBaseX(RoundHalfEven(double(GetPoint(2).X - GetPoint(1).X) * 0.35), d);
        DrawSizeTable(d, sizes);
    }
    if (style == 5) {
        r.Left += DrawFromBaseX(Paper(int64_t(SizesAscent) + SizesDescent + 2000), d);
        r.Top += DrawFromBaseY(Paper(2000), d);
        r.Right -= DrawFromBaseX(Paper(2000), d);
        r.Bottom -= DrawFromBaseY(Paper(int64_t(SizesAscent) + SizesDescent + 2000), d);
    } else {
        const float mx = DrawFromBaseX(Paper(int64_t(BoxAscent) + BoxDescent + 2000), d);
        const float my = DrawFromBaseY(Paper(int64_t(BoxAscent) + BoxDescent + 2000), d);
        r = TRectF(r.Left + mx, r.Top + my, r.Right - mx, r.Bottom - my);
    }

    const ISkFont font = style == 5 ? MakeArial(float(GetFontHeightSizes() * d->TextFactor * SizesRatio))
                                    : MakeArial(float(GetFontHeightBox() * d->TextFactor * BoxRatio));
    if (sizes.Height == 0.0f)
        DrawFlat(d, sizes, r, font, style == 5 ? SizesAscent : BoxAscent, style == 5 ? SizesDescent : BoxDescent);
    else
        DrawIso(d, sizes, r, font);
}

void TKVRPackage::DrawFlat(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TRectF& aContent,
                           const ISkFont& aFont, int32_t aAscent, int32_t aDescent)
{
    const ISkCanvas& canvas = aDraw->kC;
    const ISkPaint& paint = aDraw->kP;
    const TKVRPackageStyle style = Style();
    const double L = aSizes.Length, W = aSizes.Width;
    const TRectF o = TDraw2D::CenteredRect(L, W, aContent);
    const TKVRBlankMap blank(o.Width(), o.Height(), L, W, TKVRBlankMap::PixelLimit);

    // A blank with a size of 0 (or an outline without room) has no outline to draw.
    if (blank.IsValid()) {
        if (HasFilledBox(style)) {
            SetFillPaint(aDraw, BoxColor());
        } else {
            BoxLinePaint(aDraw, BoxColor());
        }
        canvas->DrawRect(o, paint);
    }

    if (style != 4 && aFont) {
        SetTextPaint(aDraw, GetFontColor());
        const bool lengthAcross = (L > W) == (o.Width() > o.Height());
        const QString across = SizeText(float(lengthAcross ? L : W));
        const QString upright = SizeText(float(lengthAcross ? W : L));
        const float wa = aFont->MeasureText(across);
        canvas->DrawSimpleText(across, o.Left + o.Width() / 2.0f - wa / 2.0f,
                               o.Bottom + DrawFromBaseY(Paper(int64_t(aAscent) + aDescent), aDraw), aFont, paint);
        const float wu = aFont->MeasureText(upright);
        const TKVRSkCanvasSave save(*canvas);
        canvas->Translate(o.Left - DrawFromBaseX(Paper(int64_t(aDescent) + 1000), aDraw), o.Top + o.Height() / 2.0f + wu / 2.0f);
        canvas->Rotate(270.0f);
        canvas->DrawSimpleText(upright, 0.0f, 0.0f, aFont, paint);
    }

    if ((style == 4 || style == 5) && blank.IsValid()) {
        paint->SetStyle(TSkPaintStyle::Stroke);
        paint->SetPathEffect(nullptr);
        paint->SetStrokeWidth(0.0f);
        paint->SetAntiAlias(true);
        paint->SetColor(BoxColor());
        for (int32_t i = 0; i < GetNumDrills(); ++i) {
            const TDrillPoint hole = GetDrillPoint(i);
            double x = 0, y = 0, d = 0;
            if (!blank.Along(hole.X, x) || !blank.Up(hole.Y, y) || !blank.Along(hole.D, d) || !(d > 0.0))
                continue;
            const float cx = float(o.Left + x), cy = float(o.Bottom - y), r = float(d / 2.0);
            canvas->DrawOval(TRectF(cx - r, cy - r, cx + r, cy + r), paint);
        }
        for (int32_t i = 0; i < GetNumSlots(); ++i) {
            const TSlot slot = GetSlot(i);
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0, w = 0;
            if (!blank.Along(slot.X1, x1) || !blank.Up(slot.Y1, y1) || !blank.Along(slot.X2, x2) ||
                !blank.Up(slot.Y2, y2) || !blank.Along(slot.Width, w))
                continue;
            const std::array<TPointF, 4> q = TDraw2D::CalculateSlotPolygon(
                float(o.Left + x1), float(o.Bottom - y1), float(o.Left + x2), float(o.Bottom - y2), float(w));
            TSkPathBuilder path;
            path.AddPolygon({q.begin(), q.end()}, true);
            canvas->DrawPath(path.Detach(), paint);
        }
    }
}

void TKVRPackage::DrawIso(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TRectF& aContent, const ISkFont& aFont)
{
    const ISkCanvas& canvas = aDraw->kC;
    const ISkPaint& paint = aDraw->kP;
    const double L = aSizes.Length, W = aSizes.Width, H = aSizes.Height;
    TKVRIsoView iso;
    if (!iso.Fit(L, W, H, aContent))
        return;  // a box without a silhouette, or no room for it
    auto at = [&](double x, double y, double z) { return TPointF(iso.X(x, y), iso.Y(x, y, z)); };

    if (HasFilledBox(Style())) {
        const std::array<std::array<TPointF, 4>, 3> faces = {{
            {at(0, 0, 0), at(L, 0, 0), at(L, W, 0), at(0, W, 0)},  // top
            {at(0, W, 0), at(0, 0, 0), at(0, 0, H), at(0, W, H)},  // left
            {at(0, 0, 0), at(0, 0, H), at(L, 0, H), at(L, 0, 0)},  // right
        }};
        for (const auto& face : faces) {
            TSkPathBuilder builder;
            builder.AddPolygon(std::vector<TPointF>(face.begin(), face.end()), true);
            const ISkPath path = builder.Detach();
            SetFillPaint(aDraw, BoxColor());
            canvas->DrawPath(path, paint);
            paint->SetAntiAlias(true);
            BoxLinePaint(aDraw, GetColor());
            canvas->DrawPath(path, paint);
        }
    } else {
        BoxLinePaint(aDraw, BoxColor());
        const std::array<std::array<TPointF, 2>, 12> edges = {{
            {at(0, 0, 0), at(L, 0, 0)}, {at(L, 0, 0), at(L, W, 0)}, {at(L, W, 0), at(0, W, 0)},
            {at(0, W, 0), at(0, 0, 0)}, {at(0, 0, 0), at(0, 0, H)}, {at(L, 0, 0), at(L, 0, H)},
            {at(L, W, 0), at(L, W, H)}, {at(0, W, 0), at(0, W, H)}, {at(0, 0, H), at(L, 0, H)},
            {at(L, 0, H), at(L, W, H)}, {at(L, W, H), at(0, W, H)}, {at(0, W, H), at(0, 0, H)},
        }};
        for (const auto& e : edges)
            canvas->DrawLine(e[0], e[1], paint);
    }

    if (!aFont)
        return;
    SetTextPaint(aDraw, GetFontColor());
    const float ax = DrawFromBaseX(Paper(BoxAscent), aDraw);
    const float ay = DrawFromBaseY(Paper(BoxAscent), aDraw);
    const QString th = SizeText(float(H));
    const float wh = aFont->MeasureText(th);
    {
        const TKVRSkCanvasSave save(*canvas);
        canvas->Translate(iso.X(L, 0) + ax, (iso.Y(L, 0, H) + iso.Y(L, 0, 0)) / 2.0f + wh / 2.0f);
        canvas->Rotate(270.0f);
        canvas->DrawSimpleText(th, 0.0f, 0.0f, aFont, paint);
    }

    const QString tw = SizeText(float(W));
    const float ww = aFont->MeasureText(tw);
    canvas->DrawSimpleText(tw, (iso.X(0, 0) + iso.X(0, W)) / 2.0f - ww,
                           (iso.Y(0, W, H) + iso.Y(0, 0, H)) / 2.0f + ay, aFont, paint);
    const QString tl = SizeText(float(L));
    canvas->DrawSimpleText(tl, (iso.X(L, 0) + iso.X(0, 0)) / 2.0f, (iso.Y(L, 0, H) + iso.Y(0, 0, H)) / 2.0f + ay,
                           aFont, paint);
}

void TKVRPackage::DrawSizes(TKVRDraw* aDraw)
{
    DrawSizeTable(aDraw, GetSizes());
}

void TKVRPackage::DrawSizeTable(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes)
{
    const ISkFont font = MakeArial(float(GetFontHeightSizes() * aDraw->TextFactor * SizesRatio));
    if (!font)
        return;
    const ISkCanvas& canvas = aDraw->kC;
    const ISkPaint& paint = aDraw->kP;
    SetTextPaint(aDraw, GetFontColor());
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float x0 = aDraw->ScreenOffsetX + p1.DrawX(aDraw);
    const float xL = x0 + DrawFromBaseX(Paper(2000), aDraw);
    float xR = x0 + DrawFromBaseX(RoundHalfEven(double(p2.X - p1.X) * 0.35), aDraw);
    const float gap = DrawFromBaseX(Paper(1500), aDraw);

    const bool flat = aSizes.Height == 0.0f;
    const QString vL = SizeText(aSizes.Length), vW = SizeText(aSizes.Width), vH = SizeText(aSizes.Height);
    const float nameWidth = std::max({font->MeasureText(NameLength()), font->MeasureText(NameWidth()),
                                      font->MeasureText(NameHeight())});
    float valueWidth = std::max(font->MeasureText(vL), font->MeasureText(vW));
    if (!flat)
        valueWidth = std::max(valueWidth, font->MeasureText(vH));
    xR = std::max(xR, xL + nameWidth + gap + valueWidth);

    const float r =
        std::max({DrawFromBaseY(Paper(int64_t(SizesAscent) + SizesDescent), aDraw), 1.2f * font->MeasureText(QStringLiteral("Hg")), 1.0f});
    const float y0 = aDraw->ScreenOffsetY + p1.DrawY(aDraw) + DrawFromBaseY(RoundHalfEven(double(p2.Y - p1.Y) * 0.5), aDraw) +
                     DrawFromBaseY(Paper(SizesAscent), aDraw);
    auto name = [&](const QString& aText, float aY) { canvas->DrawSimpleText(aText, xL, aY, font, paint); };
    auto value = [&](const QString& aText, float aY) {
        canvas->DrawSimpleText(aText, xR - font->MeasureText(aText), aY, font, paint);
    };
    if (flat) {
        name(NameLength(), y0 - 2 * r);
        value(vL, y0 - r);
        name(NameWidth(), y0);
        value(vW, y0 + r);
    } else {
        name(NameLength(), y0 - 3 * r);
        value(vL, y0 - 2 * r);
        name(NameWidth(), y0 - r);
        value(vW, y0);
        name(NameHeight(), y0 + r);
        value(vH, y0 + 2 * r);
    }
}
