#include "elements/TKVRDim.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

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

void TKVRDim::Strokes(const std::function<TPointF(const TKVRPto&)>& aAt, float aReach, TArc& oArc,
                      std::vector<TStroke>& oLines, std::vector<TStroke>& oHeads) const
{
    using TPair = std::pair<int32_t, int32_t>;
    std::vector<TPair> lines, heads;
    const TVXDimType type = GetDimType();
    if (KVRDimType::IsLinear(type)) {
        if (IsGapTextPos(GetDimStyle().GetTextPos()) && !GetText().isEmpty())
            lines = {{5, 9}, {10, 6}};
        else
            lines = {{5, 6}};
        heads = {{5, 6}, {6, 5}};
    } else if (type == KVRDimType::Radial1) {
        lines = {{1, 2}, {3, 4}};
        heads = {{2, 1}};
    } else if (type == KVRDimType::Diameter1) {
        lines = {{1, 2}, {3, 4}};
        heads = {{1, 2}, {2, 1}};
    } else if (type == KVRDimType::Radial2 || type == KVRDimType::Diameter2) {
        lines = {{3, 2}, {3, 4}};
        heads = {{2, 3}};
    }
    oLines.clear();
    oHeads.clear();
    for (const TPair& l : lines)
        oLines.push_back({aAt(GetPoint(l.first)), aAt(GetPoint(l.second))});
    for (const TPair& h : heads)
        oHeads.push_back({aAt(GetPoint(h.first)), aAt(GetPoint(h.second))});
    oArc = type == KVRDimType::Angular ? GetArc() : TArc{};
    if (!oArc.Exists)
        return;
    for (int32_t i : {5, 6}) {
        const TKVRPto e = GetPoint(i);
        const double dir = HeadDirection(e, oArc);
        const TPointF pe = aAt(e);
        oHeads.push_back({pe, TPointF(float(pe.X + std::cos(dir) * aReach), float(pe.Y + std::sin(dir) * aReach))});
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
        fTextWidth = ScaledCaptionWidth(wid, scale);

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
                                 int64_t(asc) * scale, int64_t(des) * scale, style.GetTextPos(),
                                 MarkLength(style.GetHeadType(), style.GetHeadSize(), scale),
                                 MarkLength(style.GetHeadType(), style.GetHeadSize(), scale));
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

TKVRLineCaption TKVRDim::Caption() const
{
    const TKVRDimStyle& style = GetDimStyle();
    return {GetText(), style.GetFontName(), style.GetFontColor(), style.GetFontHeight(), style.GetBold(),
            style.GetItalic(), style.GetUnderline(), fFontRatio, GetTextAnchor(), GetPrintAnchor(), fTextAngle,
            GetDrawScale()};
}

void TKVRDim::DrawText(TKVRBaseDraw* aDraw)
{
    DrawLineCaption(static_cast<TKVRDraw*>(aDraw), Caption());
}

void TKVRDim::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const TKVRDimStyle& style = GetDimStyle();
    const TVXDimType type = GetDimType();
    if (!GetText().isEmpty())
        DrawText(aDraw);

    d->kP->SetStrokeCap(TSkStrokeCap::Butt);
    const TKVRPto p1 = GetPoint(1), p2 = GetPoint(2);
    // Upright and level lines stay crisp in the editor; the preview smooths everything.
    d->kP->SetAntiAlias(d->DrawState == KVRDrawState::Preview || (p1.X != p2.X && p1.Y != p2.Y));
    auto line = [&](int32_t a, int32_t b) {
        d->kC->DrawLine(ScreenAt(GetPoint(a), d), ScreenAt(GetPoint(b), d), d->kP);
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

    std::vector<TStroke> lines, heads;
    TArc arc;
    Strokes([d](const TKVRPto& p) { return ScreenAt(p, d); }, MarkHalf(style.GetHeadSize(), d) * 2.0f, arc, lines,
            heads);
    for (const TStroke& l : lines)
        d->kC->DrawLine(l.A, l.B, d->kP);
    if (arc.Exists) {
        const TRectF oval(d->ScreenOffsetX + d->GetDrawX(arc.CX - arc.Radius),
                          d->ScreenOffsetY + d->GetDrawY(arc.CY - arc.Radius),
                          d->ScreenOffsetX + d->GetDrawX(arc.CX + arc.Radius),
                          d->ScreenOffsetY + d->GetDrawY(arc.CY + arc.Radius));
        d->kC->DrawArc(oval, ToDegrees(arc.Start), ToDegrees(arc.Sweep), false, d->kP);
    }
    const float half = MarkHalf(style.GetHeadSize(), d);
    for (const TStroke& h : heads)
        DrawTermType(d, style.GetHeadType(), style.GetHeadColor(), style.GetFillColor(), half, h.A.X, h.A.Y, h.B.X,
                     h.B.Y, style.GetArrowOpen(), false);
}

void TKVRDim::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas* c = d->pC;
    const TKVRDimStyle& style = GetDimStyle();
    const TVXDimType type = GetDimType();
    auto line = [&](int32_t a, int32_t b) { c->DrawLine(PrintAt(GetPoint(a), d), PrintAt(GetPoint(b), d), 1.0f); };

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

    std::vector<TStroke> lines, heads;
    TArc arc;
    Strokes([d](const TKVRPto& p) { return PrintAt(p, d); }, MarkHalf(style.GetHeadSize(), d) * 2.0f, arc, lines,
            heads);
    for (const TStroke& l : lines)
        c->DrawLine(l.A, l.B, 1.0f);
    if (arc.Exists) {
        const TPointF centre(PaperCellX(d, d->GetDrawX(arc.CX)), PaperCellY(d, d->GetDrawY(arc.CY)));
        const TPointF radius(PaperLength(d->GetDrawX(arc.Radius)), PaperLength(d->GetDrawY(arc.Radius)));
        c->DrawArc(centre, radius, ToDegrees(arc.Start), ToDegrees(arc.Sweep), 255.0f);
    }

    c->Stroke().SetColor(style.GetHeadColor());
    c->Fill().SetKind(TBrushKind::Solid);
    c->Fill().SetColor(style.GetFillColor());
    const int32_t half = PrintMarkHalf(style.GetHeadSize(), d);
    for (const TStroke& h : heads)
        PrintTermType(d, style.GetHeadType(), h.A, h.B, half, style.GetArrowOpen(), false);
    if (!GetText().isEmpty())
        PrintLineCaption(d, Caption());
}
