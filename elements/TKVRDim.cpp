#include "elements/TKVRDim.h"
#include "platform/rtl/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

double ToDegrees(double aRadians)
{
    return aRadians * 180.0 / std::numbers::pi;
}

int32_t ScaledWidth(int32_t aWidth, int32_t aScale)
{
    const int64_t w = int64_t(aWidth) * aScale;
    return int32_t(std::clamp<int64_t>(w, 0, std::numeric_limits<int32_t>::max()));
}

// Smallest difference of two angles, in [0, pi].
double AngleDiff(double aA, double aB)
{
    double d = std::fabs(TDraw2D::NormalizeAngle(aA) - TDraw2D::NormalizeAngle(aB));
    if (d > std::numbers::pi)
        d = 2.0 * std::numbers::pi - d;
    return d;
}

// Clears the busy flag when the layout ends, also when it raises.
class TBusyGuard
{
public:
    explicit TBusyGuard(bool& aFlag) : fFlag(aFlag) { fFlag = true; }
    ~TBusyGuard() { fFlag = false; }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    bool& fFlag;
};

}  // namespace

TKVRDim::TKVRDim(TKVRBaseLabel* aOwner, TVXDimType aType, bool aPreview) : TKVRBaseDim(aOwner, aType, aPreview) {}

TKVRDim::TKVRDim(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, TVXDimType aType, bool aPreview)
    : TKVRBaseDim(aOwner, aLayer, aType, aPreview)
{
}

TKVRBaseItem* TKVRDim::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRDim>([&](TKVRDim& item) { item.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                TVXDimType(0), aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRDim::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRDim>([&](TKVRDim& item) { item.ReadJson(aVersion, aJson); }, aLabel, TVXDimType(0),
                                false);
}

TKVRDim::TArc TKVRDim::GetArc() const
{
    TArc a;
    const TKVRPto p5 = GetPoint(5), p7 = GetPoint(7), p6 = GetPoint(6);
    a.Exists = TDraw2D::ArcThreePoints(p5.X, p5.Y, p7.X, p7.Y, p6.X, p6.Y, a.CX, a.CY, a.Radius, a.Start, a.End,
                                       a.Sweep, a.Flag);
    return a;
}

double TKVRDim::HeadDirection(const TKVRPto& aEnd, const TArc& aArc) const
{
    const TKVRPto p7 = GetPoint(7);
    const double t = std::atan2(double(aEnd.Y - aArc.CY), double(aEnd.X - aArc.CX));
    const double a = t + std::numbers::pi / 2.0;
    const double b = t - std::numbers::pi / 2.0;
    const double u = std::atan2(double(p7.Y - aEnd.Y), double(p7.X - aEnd.X));
    const double da = AngleDiff(a, u);
    const double db = AngleDiff(b, u);
    if (da < db)
        return a;
    if (db < da)
        return b;
    return aArc.Flag ? b : a;
}

void TKVRDim::KindLines(std::vector<TSegment>& oLines, std::vector<TSegment>& oHeads) const
{
    oLines.clear();
    oHeads.clear();
    const TVXDimType type = GetDimType();
    if (KVRDimType::IsLinear(type)) {
        if (IsGapTextPos(GetDimStyle().GetTextPos()) && !GetText().isEmpty())
            oLines = {{5, 9}, {10, 6}};
        else
            oLines = {{5, 6}};
        oHeads = {{5, 6}, {6, 5}};
    } else if (type == KVRDimType::Radial1) {
        oLines = {{1, 2}, {3, 4}};
        oHeads = {{2, 1}};
    } else if (type == KVRDimType::Diameter1) {
        oLines = {{1, 2}, {3, 4}};
        oHeads = {{1, 2}, {2, 1}};
    } else if (type == KVRDimType::Radial2 || type == KVRDimType::Diameter2) {
        oLines = {{3, 2}, {3, 4}};
        oHeads = {{2, 3}};
    }
}

void TKVRDim::CalcValues(int16_t aMode)
{
    if (fBusy)
        return;
    TBusyGuard busy(fBusy);
    if (aMode != 3)
        TKVRBaseDim::CalcValues(aMode);
    if (GetOwner())
        GetOwner()->AsignDimPosition(this, false);

    const QString text = GetText();
    if (!text.isEmpty()) {
        const TKVRDimStyle& style = GetDimStyle();
        const int32_t scale = GetDrawScale();
        int32_t asc = 0, des = 0, wid = 0;
        double ratio = 1.0;
        TKVRCalc::FontSettings(text, style.GetFontName(), style.GetBaseFontHeight(), style.GetBold(),
                               style.GetItalic(), asc, des, wid, ratio);
        fFontRatio = ratio;
        fTextWidth = ScaledWidth(wid, scale);

        if (GetDimType() == KVRDimType::Angular) {
            TArc arc = GetArc();
            double theta;
            if (!arc.Exists) {
                const TKVRPto p8 = GetPoint(8), p7 = GetPoint(7);
                arc.CX = p8.X;
                arc.CY = p8.Y;
                arc.Radius = RoundHalfEven(std::hypot(double(p7.X - p8.X), double(p7.Y - p8.Y)));
                theta = std::atan2(double(p7.Y - arc.CY), double(p7.X - arc.CX));
            } else {
                theta = arc.Start + arc.Sweep / 2.0;
            }
            const int64_t offset = RoundHalfEven(double(style.GetBaseFontHeight()) * scale) +
                                   RoundHalfEven(double(asc + des) * scale / 2.0);
            const double reach = double(arc.Radius + offset);
            int64_t x = arc.CX + RoundHalfEven(std::cos(theta) * reach);
            int64_t y = arc.CY + RoundHalfEven(std::sin(theta) * reach);
            x -= RoundHalfEven(std::cos(theta + std::numbers::pi / 2.0) * fTextWidth / 2.0);
            y -= RoundHalfEven(std::sin(theta + std::numbers::pi / 2.0) * fTextWidth / 2.0);
            fTextX = x;
            fTextY = y;
            fTextAngle = 0.0f;
            // The anchor is the baseline; paper places the text by its top,
            // one ascent higher (the text is never turned here).
            fPrintX = x;
            fPrintY = y - RoundHalfEven(double(asc) * scale);
            fPoints[8] = {x, y};
            fPoints[9] = {x, y};
        } else {
            const TKVRPto p5 = GetPoint(5), p6 = GetPoint(6);
            const TKVRLineText pos =
                PosBaseLinesText(p5.X, p5.Y, p6.X, p6.Y, int64_t(style.GetBaseFontHeight()) * scale, fTextWidth,
                                 int64_t(asc) * scale, int64_t(des) * scale, style.GetTextPos());
            // Derived points: written directly, so the layout does not mark
            // itself stale again.
            fPoints[8] = pos.GapStart;
            fPoints[9] = pos.GapEnd;
            fTextX = pos.TextX;
            fTextY = pos.TextY;
            fPrintX = pos.PrintX;
            fPrintY = pos.PrintY;
            fTextAngle = pos.Angle;
        }
    }
    UpdateBounds();
}

void TKVRDim::DrawText(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    const TKVRDimStyle& style = GetDimStyle();
    const ISkTypeface typeface =
        TSkTypeface::MakeFromName(style.GetFontName(), GetFontStyle(style.GetBold(), style.GetItalic()));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(style.GetFontHeight() * d->TextFactor * fFontRatio), 1.0f, 0.0f);
    d->kP->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    d->kP->SetStyle(TSkPaintStyle::Fill);
    d->kP->SetAntiAlias(true);
    d->kP->SetColor(style.GetFontColor());

    const double unit = double(GetDrawScale()) * 1000.0;
    const float x = float(double(d->ScreenOffsetX) + double(fTextX) * d->TextFactor / unit);
    const float y = float(double(d->ScreenOffsetY) + double(fTextY) * d->TextFactor / unit);
    const int32_t saved = d->kC->Save();
    try {
        d->kC->Translate(x, y);
        if (fTextAngle != 0.0f)
            d->kC->Rotate(float(ToDegrees(fTextAngle)));
        d->kC->DrawSimpleText(GetText(), 0, 0, font, d->kP);
    } catch (...) {
        d->kC->RestoreToCount(saved);
        throw;
    }
    d->kC->RestoreToCount(saved);
}

void TKVRDim::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    const TKVRDimStyle& style = GetDimStyle();
    const TVXDimType type = GetDimType();
    if (!GetText().isEmpty())
        DrawText(aDraw);

    d->kP->SetStrokeCap(TSkStrokeCap::Butt);
    const TKVRPto p1 = GetPoint(1), p2 = GetPoint(2);
    // Upright and level lines stay crisp in the editor; the preview smooths everything.
    d->kP->SetAntiAlias(d->DrawState == KVRDrawState::Preview || (p1.X != p2.X && p1.Y != p2.Y));

    auto px = [d](const TKVRPto& p) { return d->ScreenOffsetX + p.DrawX(d); };
    auto py = [d](const TKVRPto& p) { return d->ScreenOffsetY + p.DrawY(d); };
    auto line = [&](int32_t a, int32_t b) {
        const TKVRPto pa = GetPoint(a), pb = GetPoint(b);
        d->kC->DrawLine(px(pa), py(pa), px(pb), py(pb), d->kP);
    };

    if (KVRDimType::IsLinear(type)) {
        AdjustLineType(d, style.GetExtLineType(), GetItemState());
        d->kP->SetColor(style.GetExtColor());
        d->kP->SetStrokeWidth(d->BasePtoY(style.GetExtPenWidth()));
        line(3, 7);
        line(4, 8);
    }
    AdjustLineType(d, style.GetDimLineType(), GetItemState());
    d->kP->SetColor(style.GetDimColor());
    d->kP->SetStrokeWidth(d->BasePtoY(style.GetDimPenWidth()));

    const float half = style.GetHeadSize() * d->TextFactor / 2.0f;
    if (type != KVRDimType::Angular) {
        std::vector<TSegment> lines, heads;
        KindLines(lines, heads);
        for (const TSegment& s : lines)
            line(s.A, s.B);
        for (const TSegment& h : heads) {
            const TKVRPto e = GetPoint(h.A), o = GetPoint(h.B);
            DrawTermType(d, style.GetHeadType(), style.GetHeadColor(), style.GetFillColor(), half, px(e), py(e), px(o),
                         py(o), style.GetArrowOpen(), false);
        }
        return;
    }

    const TArc arc = GetArc();
    if (!arc.Exists)
        return;
    const TRectF oval(d->ScreenOffsetX + d->GetDrawX(arc.CX - arc.Radius),
                      d->ScreenOffsetY + d->GetDrawY(arc.CY - arc.Radius),
                      d->ScreenOffsetX + d->GetDrawX(arc.CX + arc.Radius),
                      d->ScreenOffsetY + d->GetDrawY(arc.CY + arc.Radius));
    d->kC->DrawArc(oval, float(ToDegrees(arc.Start)), float(ToDegrees(arc.Sweep)), false, d->kP);
    const double reach = double(style.GetHeadSize()) * d->TextFactor;
    for (int32_t i : {5, 6}) {
        const TKVRPto e = GetPoint(i);
        const double dir = HeadDirection(e, arc);
        const float ex = px(e), ey = py(e);
        DrawTermType(d, style.GetHeadType(), style.GetHeadColor(), style.GetFillColor(), half, ex, ey,
                     float(ex + std::cos(dir) * reach), float(ey + std::sin(dir) * reach), style.GetArrowOpen(),
                     false);
    }
}

void TKVRDim::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    TCanvas* c = d->pC;
    if (!c)
        return;
    const TKVRDimStyle& style = GetDimStyle();
    const TVXDimType type = GetDimType();

    auto at = [d](const TKVRPto& p) {
        return TPointF(float(d->PrintOffsetX + p.PrintX(d)), float(d->PrintOffsetY + p.PrintY(d)));
    };
    auto line = [&](int32_t a, int32_t b) { c->DrawLine(at(GetPoint(a)), at(GetPoint(b)), 1.0f); };

    c->Stroke().SetCap(TStrokeCap::Flat);
    if (KVRDimType::IsLinear(type)) {
        AdjustPrintLineType(d, style.GetExtPenWidth(), style.GetExtLineType());
        c->Stroke().SetColor(style.GetExtColor());
        c->Stroke().SetThickness(d->DrawBasePtoX(style.GetExtPenWidth()));
        line(3, 7);
        line(4, 8);
    }
    AdjustPrintLineType(d, style.GetDimPenWidth(), style.GetDimLineType());
    c->Stroke().SetColor(style.GetDimColor());
    c->Stroke().SetThickness(d->DrawBasePtoX(style.GetDimPenWidth()));

    struct THead
    {
        TPointF End, Other;
    };
    std::vector<THead> heads;
    if (type != KVRDimType::Angular) {
        std::vector<TSegment> lines, headIdx;
        KindLines(lines, headIdx);
        for (const TSegment& s : lines)
            line(s.A, s.B);
        for (const TSegment& h : headIdx)
            heads.push_back({at(GetPoint(h.A)), at(GetPoint(h.B))});
    } else {
        const TArc arc = GetArc();
        if (arc.Exists) {
            const TPointF centre(float(d->PrintOffsetX + d->GetDrawX(arc.CX)),
                                 float(d->PrintOffsetY + d->GetDrawY(arc.CY)));
            const TPointF radius(d->GetDrawX(arc.Radius), d->GetDrawY(arc.Radius));
            c->DrawArc(centre, radius, float(ToDegrees(arc.Start)), float(ToDegrees(arc.Sweep)), 255.0f);
            const double reach = double(style.GetHeadSize()) * d->TextFactor;
            for (int32_t i : {5, 6}) {
                const TKVRPto e = GetPoint(i);
                const double dir = HeadDirection(e, arc);
                const TPointF pe = at(e);
                const TPointF towards(float(pe.X + std::cos(dir) * reach), float(pe.Y + std::sin(dir) * reach));
                heads.push_back({pe, towards});
            }
        }
    }

    c->Stroke().SetColor(style.GetHeadColor());
    c->Fill().SetKind(TBrushKind::Solid);
    c->Fill().SetColor(style.GetFillColor());
    const int32_t half = RoundHalfEven32(double(style.GetHeadSize()) * d->TextFactor / 2.0);
    for (const THead& h : heads)
        PrintTermType(d, style.GetHeadType(), h.End, h.Other, half, style.GetArrowOpen(), false);

    const QString text = GetText();
    if (text.isEmpty())
        return;
    c->Font().SetFamily(style.GetFontName());
    c->Font().SetSize(FontPrintSize(float(style.GetFontHeight() * fFontRatio)));
    TFontStyles fs = 0;
    if (style.GetBold())
        fs |= FontStyleSet(TFontStyle::Bold);
    if (style.GetItalic())
        fs |= FontStyleSet(TFontStyle::Italic);
    if (style.GetUnderline())
        fs |= FontStyleSet(TFontStyle::Underline);
    c->Font().SetStyle(fs);
    c->Stroke().SetThickness(0.0f);
    c->Stroke().SetDash(TStrokeDash::Solid);
    c->Fill().SetKind(TBrushKind::Solid);
    c->Fill().SetColor(style.GetFontColor());

    const double unit = double(GetDrawScale()) * 1000.0;
    const float x = float(double(d->PrintOffsetX) + double(fPrintX) * d->TextFactor / unit);
    const float y = float(double(d->PrintOffsetY) + double(fPrintY) * d->TextFactor / unit);
    TPointF offset = GetInternalTextOffset(*c, text);
    if (fTextAngle != 0.0f) {
        const double ca = std::cos(double(fTextAngle)), sa = std::sin(double(fTextAngle));
        offset = TPointF(float(offset.X * ca - offset.Y * sa), float(offset.X * sa + offset.Y * ca));
    }

    TCanvasStateGuard guard(*c);
    d->ResetMatrix(KVRDrawState::Print);
    if (fTextAngle != 0.0f)
        d->Rotate(float(ToDegrees(fTextAngle)));
    d->Translate(x + offset.X, y + offset.Y);
    d->ApplyMatrix();
    c->FillText(TRectF(0, 0, 50000, 50000), text, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
}
