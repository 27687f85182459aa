#include "render/KVR.FMX.BarcodePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/KVR.PaintRoad.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.PixelFit.h"
#include "render/KVR.FMX.Text.h"
#include "render/TKVRDraw.h"
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Sizes of the bars in pixels (or printer units) of a context.
struct TBarSizes
{
    double M = 0;      // module: the narrow bar
    double Ratio = 0;  // wide-to-narrow
    double H = 0;      // full bar height
    double G = 0;      // short bar height, two fifths of H
    double E = 0;      // how far a guard bar reaches into the text
};

TBarSizes BarSizes(const TKVRBarcodeIntf& aBarcode, double k)
{
    TBarSizes s;
    s.M = double(aBarcode.GetBarWidth()) * k;
    s.Ratio = aBarcode.GetFactor();
    s.H = double(aBarcode.GetBarHeight()) * k;
    s.G = double(aBarcode.GetBarHeight()) * 2.0 * k / 5.0;
    s.E = double(aBarcode.GetFontHeight()) * k * 3.0 / 4.0;
    return s;
}

// Right edge of the bars laid out with the sizes.
double BarsEnd(const QByteArray& aPattern, const TBarSizes& s)
{
    const std::vector<TKVRBarElement> e = TBarcode::LayOutPattern(aPattern, s.M, s.Ratio);
    return e.empty() ? 0.0 : e.back().Right;
}

// The bars on whole device pixels of perX and perY pixels a unit across and
// along them, and where they start (units from the canvas origin, which sits
// on a whole pixel aShift units past the exact start).
struct TBarsOnPixels
{
    TBarSizes Sizes;
    TPointF Start;
    bool Whole = false;  // the edges fall on whole pixels
};

// Every bar keeps its ratio to the others: the module a whole number of
// pixels for the whole symbol, the wide bars a whole multiple of that kept
// wider than the narrow ones. The bars stay inside the box they have on
// paper (the paddings before and after them), held where aAlign says; where no whole
// module fits, or below a pixel, the sizes stay exact. Down the bars each
// edge goes to the nearest pixel edge.
TBarsOnPixels OnPixels(const QByteArray& aPattern, const TBarSizes& s, double perX, double perY,
                       const TPointF& aShift, double aPadBefore, double aPadAfter, TKVRFitAlign aAlign)
{
    auto wide = [&s](double module, bool roundUp) {
        if (!(s.Ratio > 1.0))
            return s.Ratio;
        const double w = roundUp ? double(RoundHalfEven(s.Ratio * module)) : std::floor(s.Ratio * module);
        return std::max(module + 1.0, w) / module;
    };
    // The rounded module with its wide bars rounded, then the module rounded
    // down with them rounded, then rounded down too.
    const std::vector<double> modules = KVRWholeModules(s.M * perX);
    std::vector<std::pair<double, bool>> tries;
    if (!modules.empty()) {
        tries.emplace_back(modules.front(), true);
        if (modules.size() == 2)
            tries.emplace_back(modules.back(), true);
        tries.emplace_back(modules.back(), false);
    }
    std::vector<TBarSizes> candidates;
    std::vector<double> widths;
    for (const auto& [module, roundUp] : tries) {
        TBarSizes c = s;
        c.M = module / perX;
        c.Ratio = wide(module, roundUp);
        candidates.push_back(c);
        widths.push_back(double(RoundHalfEven(BarsEnd(aPattern, c) * perX)));
    }
    const TKVRSideFit fit = KVRFitSide(-double(aShift.X) * perX, BarsEnd(aPattern, s) * perX, aPadBefore * perX,
                                       aPadAfter * perX, aAlign, widths);
    TBarsOnPixels out;
    out.Sizes = fit.Choice < 0 ? s : candidates[size_t(fit.Choice)];
    out.Whole = fit.Choice >= 0;
    out.Start = TPointF(float(fit.Start / perX), 0.0f);
    const double top = -double(aShift.Y) * perY;
    auto edge = [&](double aDown) { return double(RoundHalfEven(top + aDown * perY)); };
    const double bottom = std::max(1.0, edge(s.H));
    out.Sizes.H = bottom / perY;
    out.Sizes.G = (bottom - edge(s.H - s.G)) / perY;
    out.Sizes.E = (edge(s.H + s.E) - bottom) / perY;
    return out;
}

// The painted bars of a pattern, unturned: the bars start at x 0 with their
// top at y 0. Spaces only advance.
// With aPerX above 0 the edges fall on whole pixels of aPerX per unit (a
// width of one and a half modules is the one that may not).
std::vector<TRectF> BarRects(const QByteArray& aPattern, const TBarSizes& s, double aPerX = 0.0)
{
    auto edge = [aPerX](double x) {
        return aPerX > 0.0 ? float(double(RoundHalfEven(x * aPerX)) / aPerX) : float(x);
    };
    std::vector<TRectF> rects;
    for (const TKVRBarElement& e : TBarcode::LayOutPattern(aPattern, s.M, s.Ratio)) {
        const float left = edge(e.Left), right = edge(e.Right);
        switch (e.Bar) {
        case TKVRDrawBar::Full: rects.emplace_back(left, 0.0f, right, float(s.H)); break;
        case TKVRDrawBar::Short: rects.emplace_back(left, float(s.H - s.G), right, float(s.H)); break;
        case TKVRDrawBar::Guard: rects.emplace_back(left, 0.0f, right, float(s.H + s.E)); break;
        default: break;
        }
    }
    return rects;
}

// Quarter turns 1 to 3; other values do not turn.
int QuarterTurns(TKVRAngle aAngle)
{
    const int n = int(aAngle);
    return n >= 1 && n <= 3 ? n : 0;
}

// Where the bars start for the anchor p, alignment offset a and paddings
// (pixels along x and y of the surface): the canvas is moved there before it
// is turned.
TPointF BarsOrigin(const TKVRBarcodeIntf& bc, const TKVRBaseDraw* d, double px, double py, double a, int turns)
{
    const double hX = bc.LengthToPixels(bc.GetPaddingX(), d->ResolutionX);
    const double hY = bc.LengthToPixels(bc.GetPaddingY(), d->ResolutionX);
    const double vX = bc.LengthToPixels(bc.GetPaddingX(), d->ResolutionY);
    const double vY = bc.LengthToPixels(bc.GetPaddingY(), d->ResolutionY);
    switch (turns) {
    case 1: return {float(px + hY), float(py + a - vX)};
    case 2: return {float(px + a - hX), float(py - vY)};
    case 3: return {float(px - hY), float(py - a + vX)};
    default: return {float(px - a + hX), float(py + vY)};
    }
}

TPointF WholeDot(const TPointF& p)
{
    return {float(RoundHalfEven(p.X)), float(RoundHalfEven(p.Y))};
}

// One piece of the human-readable text and the left end of its baseline (or
// of its box on paper), measured from the start of the bars.
struct TTextPiece
{
    QString Text;
    double X = 0;
};

// Full text length of the symbologies with their own layout; 0 for the others.
qsizetype SymbologyTextLength(TKVRBarType aType)
{
    switch (aType) {
    case TKVRBarType::EAN13: return 13;
    case TKVRBarType::EAN8: return 8;
    case TKVRBarType::UPCA: return 12;
    case TKVRBarType::UPCE: return 8;
    default: return 0;
    }
}

// The digits of EAN and UPC laid out by their groups, or nothing when the
// text does not have the symbology's full length (it then goes centred as a
// whole). aGap separates a digit written left of the bars from them.
std::vector<TTextPiece> SymbologyLayout(TKVRBarType aType, const QString& aText, const QByteArray& aPattern,
                                        const TBarSizes& s, double aGap,
                                        const std::function<double(const QString&)>& aWidth)
{
    const qsizetype full = SymbologyTextLength(aType);
    if (full == 0 || aText.size() != full)
        return {};
    const float m = float(s.M), ratio = float(s.Ratio);
    float c1 = 0, c2 = 0, c3 = 0;
    std::vector<TTextPiece> out;
    auto leftOfBars = [&](qsizetype from, qsizetype count) {
        const QString t = aText.mid(from, count);
        out.push_back({t, -aWidth(t) - aGap});
    };
    auto centredAt = [&](qsizetype from, qsizetype count, double c) {
        const QString t = aText.mid(from, count);
        out.push_back({t, c - aWidth(t) / 2.0});
    };
    auto from = [&](qsizetype at, qsizetype count, double x) { out.push_back({aText.mid(at, count), x}); };
    switch (aType) {
    case TKVRBarType::EAN13:
        TBarcode::Ean13Pos(aPattern, m, ratio, c1, c2);
        leftOfBars(0, 1);
        centredAt(1, 6, c1);
        centredAt(7, 6, c2);
        break;
    case TKVRBarType::EAN8:
        TBarcode::Ean8Pos(aPattern, m, ratio, c1, c2);
        centredAt(0, 4, c1);
        centredAt(4, 4, c2);
        break;
    case TKVRBarType::UPCA:
        TBarcode::UPCAPos(aPattern, m, ratio, c1, c2, c3);
        leftOfBars(0, 1);
        centredAt(1, 5, c1);
        centredAt(6, 5, c2);
        from(11, 1, c3);
        break;
    case TKVRBarType::UPCE:
        TBarcode::UPCEPos(aPattern, m, ratio, c1, c2);
        leftOfBars(0, 1);
        centredAt(1, 6, c1);
        from(7, 1, c2);
        break;
    default:
        break;
    }
    return out;
}

// Restores the Skia canvas to a save count when it goes, also when an exception passes.
class TSkRestoreGuard
{
public:
    explicit TSkRestoreGuard(TSkCanvas& aCanvas) : fCanvas(aCanvas), fCount(aCanvas.Save()) {}
    ~TSkRestoreGuard() { fCanvas.RestoreToCount(fCount); }
    TSkRestoreGuard(const TSkRestoreGuard&) = delete;
    TSkRestoreGuard& operator=(const TSkRestoreGuard&) = delete;

private:
    TSkCanvas& fCanvas;
    int32_t fCount;
};

// An exact quarter turn on paper (-90 degrees per step) about the origin.
TMatrix QuarterTurnMatrix(int turns)
{
    static constexpr float kCos[] = {1, 0, -1, 0};
    static constexpr float kSin[] = {0, -1, 0, 1};
    TMatrix m;
    m.m11 = kCos[turns];
    m.m12 = kSin[turns];
    m.m21 = -kSin[turns];
    m.m22 = kCos[turns];
    return m;
}

}  // namespace

void DrawBarcode(TKVRDraw* aDraw, const IKVRBarcode& aBarcode, const TKVRPto& aStart, TAlphaColor aColor,
                 int32_t aWidth, int32_t aHeight, double aScale)
{
    if (!aDraw || !aBarcode || !aDraw->kC || !aDraw->kP)
        return;
    const TKVRBarcodeIntf& bc = *aBarcode;
    TSkCanvas& canvas = *aDraw->kC;
    TSkPaint& paint = *aDraw->kP;
    const double k = aDraw->TextFactor;
    TBarSizes sizes = BarSizes(bc, k);

    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(false);
    paint.SetColor(aColor);
    paint.SetStyle(TSkPaintStyle::Fill);
    TSkRestoreGuard restore(canvas);

    const int turns = QuarterTurns(bc.GetAngle());
    const int32_t span = (turns == 1 || turns == 3) ? aHeight : aWidth;
    double a = 0.0;
    if (bc.GetHorzAlign() == TKVRHorzAlign::Center)
        a = DrawFromBaseX(span / 2, aDraw);
    else if (bc.GetHorzAlign() == TKVRHorzAlign::Right)
        a = DrawFromBaseX(span, aDraw);
    const double px = double(aDraw->ScreenOffsetX) + aStart.DrawX(aDraw);
    const double py = double(aDraw->ScreenOffsetY) + aStart.DrawY(aDraw);
    const TPointF origin = BarsOrigin(bc, aDraw, px, py, a, turns);
    canvas.Translate(origin.X, origin.Y);
    if (turns != 0)
        canvas.Rotate(-90.0f * turns);
    const QByteArray pattern = bc.GetBarPattern();

    // The human-readable text, when shown: its font, and where its pieces
    // stand from the start of bars of given sizes, grown by whole pixels.
    ISkFont font;
    const double fontSize = double(bc.GetFontHeight()) * k * aScale;
    const ISkTypeface typeface =
        bc.GetShowNumber() ? TSkTypeface::MakeFromName(bc.GetFontName(), GetFontStyle(false, false)) : nullptr;
    if (typeface)
        font = std::make_shared<TSkFont>(typeface, float(fontSize), 1.0f, 0.0f);
    const QString text = QString::fromLatin1(bc.GetCodeText());
    const double padding = bc.LengthToPixels(bc.GetPaddingX(), aDraw->ResolutionX);
    // The centre of the element's bounds, in the turned frame.
    const double half = double(span) * k / (double(aDraw->DrawScale) * 2000.0);
    auto width = [&](const QString& s) { return double(font->MeasureText(s, aDraw->kP)); };
    auto piecesFor = [&](const TBarSizes& s, double grown) {
        std::vector<TTextPiece> pieces = SymbologyLayout(bc.GetBarType(), text, pattern, s, s.M, width);
        // A centred text stays under the bars when whole pixels made them wider or narrower.
        if (pieces.empty())
            pieces.push_back({text, half - padding + grown / 2.0 - width(text) / 2.0});
        return pieces;
    };

    // On pixels a module of 1.25 pixels would come out as an uneven mix of
    // one and two: no reader decodes that. Documents keep the exact sizes.
    double perX = 0.0, perY = 0.0;
    double grown = 0.0;  // how much wider whole pixels made the bars
    TPointF shift;
    if (canvas.SnapToPixelGrid(perX, perY, &shift)) {
        // Digits written beside the bars keep their room in the paddings.
        double before = 0.0, after = 0.0;
        if (font) {
            const double end = BarsEnd(pattern, sizes);
            for (const TTextPiece& piece : piecesFor(sizes, 0.0)) {
                before = std::max(before, -piece.X);
                after = std::max(after, piece.X + width(piece.Text) - end);
            }
            // The gap of a module beside the bars may grow by a pixel.
            const double gap = 1.0 / perX;
            before = before > 0.0 ? before + gap : 0.0;
            after = after > 0.0 ? after + gap : 0.0;
        }
        const TBarsOnPixels bars = OnPixels(pattern, sizes, perX, perY, shift, std::max(0.0, padding - before),
                                            std::max(0.0, padding - after), KVRFitAlignOf(bc.GetHorzAlign()));
        const double exact = BarsEnd(pattern, sizes);
        grown = BarsEnd(pattern, bars.Sizes) - exact;
        sizes = bars.Sizes;
        // Bars made narrower keep their digits within the digit groups: the
        // text shrinks with them.
        if (font && grown < 0.0 && exact > 0.0)
            font = std::make_shared<TSkFont>(typeface, float(fontSize * (exact + grown) / exact), 1.0f, 0.0f);
        canvas.Translate(bars.Start.X, bars.Start.Y);
        // Bars of part of a pixel are shaded as much as they cover, as they
        // look on paper seen from afar.
        if (!bars.Whole) {
            perX = 0.0;
            paint.SetAntiAlias(true);
        }
    }

    for (const TRectF& r : BarRects(pattern, sizes, perX))
        canvas.DrawRect(r, aDraw->kP);

    if (!font)
        return;

    // The text asks for no stroke: a width left by an earlier primitive must not thicken it.
    paint.SetAntiAlias(true);
    paint.SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint.SetStrokeWidth(0.0f);
    paint.SetColor(aColor);
    paint.SetStyle(TSkPaintStyle::Fill);
    TSkFontMetrics metrics;
    font->GetMetrics(metrics);
    // The text stands under the bars as painted.
    const float baseline = float(sizes.H + std::fabs(double(metrics.Ascent)));
    for (const TTextPiece& piece : piecesFor(sizes, grown))
        canvas.DrawSimpleText(piece.Text, float(piece.X), baseline, font, aDraw->kP);
}

void PrintBarcode(TKVRDraw* aDraw, const IKVRBarcode& aBarcode, const TKVRPto& aStart, TAlphaColor aColor,
                  int32_t aWidth, int32_t /*aHeight*/, double aScale, const QByteArray& aCodeText,
                  const QByteArray& aPattern)
{
    if (!aDraw || !aBarcode || !aDraw->pC)
        return;
    const TKVRBarcodeIntf& bc = *aBarcode;
    TCanvas& c = *aDraw->pC;
    const double k = aDraw->TextFactor;
    const TBarSizes sizes = BarSizes(bc, k);
    const TKVRAngle angle = bc.GetAngle();
    const int turns = QuarterTurns(angle);

    // Paper aligns by the barcode's own width, whatever the turn.
    double a = 0.0;
    if (bc.GetHorzAlign() == TKVRHorzAlign::Center)
        a = PrintFromBaseX(aWidth / 2, aDraw);
    else if (bc.GetHorzAlign() == TKVRHorzAlign::Right)
        a = PrintFromBaseX(aWidth, aDraw);
    const double px = PaperCellX(aDraw, aStart.DrawX(aDraw));
    const double py = PaperCellY(aDraw, aStart.DrawY(aDraw));
    // The paddings are not whole dots: the bars start on a whole printer dot,
    // or one-dot bars would straddle two and come out grey.
    const TPointF s = WholeDot(BarsOrigin(bc, aDraw, px, py, a, turns));
    const TPointF u = WholeDot(BarsOrigin(bc, aDraw, px, py, 0.0, turns));
    const double shiftX = double(s.X) - u.X;  // what the alignment moves
    const double shiftY = double(s.Y) - u.Y;

    c.Fill().SetColor(aColor);
    c.Fill().SetKind(TBrushKind::Solid);
    // The bars in modules across and bar heights down.
    const double unitY = sizes.H > 0.0 ? sizes.H : 1.0;
    const TBarSizes units{1.0, sizes.Ratio, sizes.H / unitY, sizes.G / unitY, sizes.E / unitY};
    PrintGridRects(aDraw, BarRects(aPattern, units), s, sizes.M, unitY, s, angle);

    if (!bc.GetShowNumber())
        return;
    c.Font().SetFamily(bc.GetFontName());
    c.Font().SetSize(float(double(FontPrintSize(bc.GetFontHeight())) * aScale));
    c.Font().SetStyle(0);
    c.Fill().SetColor(aColor);
    c.Fill().SetKind(TBrushKind::Solid);
    const TPointF offset = GetInternalTextOffset(c, QStringLiteral("0"));
    const int32_t startX = aStart.PrintX(aDraw);
    const int32_t startY = aStart.PrintY(aDraw);
    const TPointF centre(float(RoundHalfEven(double(PrintCellX(aDraw, startX)) + shiftX)),
                         float(RoundHalfEven(double(PrintCellY(aDraw, startY)) + shiftY)));

    const double x0 = double(PrintCellX(aDraw, startX)) + bc.LengthToDots(bc.GetPaddingX(), aDraw->ResolutionX);
    const double top = double(PrintCellY(aDraw, startY)) + bc.LengthToDots(bc.GetPaddingY(), aDraw->ResolutionY) +
                       bc.LengthToDots(bc.GetBarHeight(), aDraw->ResolutionY);
    auto width = [&c](const QString& t) { return double(GetTextSize(c, t).X); };

    const QString text = QString::fromLatin1(aCodeText);
    // On paper the first digit touches the bars: no gap.
    std::vector<TTextPiece> pieces = SymbologyLayout(bc.GetBarType(), text, aPattern, sizes, 0.0, width);
    double base = x0;
    if (pieces.empty()) {
        base = 0.0;
        const double left = double(PrintCellX(aDraw, startX)) + PrintFromBaseX(aWidth / 2, aDraw);
        pieces.push_back({text, left - width(text) / 2.0});
    }
    for (const TTextPiece& piece : pieces) {
        TPointF p(float(RoundHalfEven(base + piece.X + shiftX)), float(RoundHalfEven(top + shiftY)));
        if (turns != 0)
            p = TDraw2D::RotatePoint(p, centre, angle);
        const TPointF corner = p + offset;
        if (turns == 0) {
            c.FillText(TRectF(corner.X, corner.Y, corner.X + 50000.0f, corner.Y + 50000.0f), piece.Text, false,
                       255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
            continue;
        }
        // The piece turns with the bars, about its own corner.
        TCanvasStateGuard state(c);
        c.SetMatrix(QuarterTurnMatrix(turns) * TMatrix::CreateTranslation(corner.X, corner.Y) * c.Matrix());
        c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 50000.0f), piece.Text, false, 255.0f, 0, TTextAlign::Leading,
                   TTextAlign::Leading);
    }
}

void PrintGridRects(TKVRDraw* aDraw, const std::vector<TRectF>& aUnits, const TPointF& aCorner, double aUnitX,
                    double aUnitY, const TPointF& aPivot, TKVRAngle aAngle)
{
    if (!aDraw || !aDraw->pC || aUnits.empty())
        return;
    TCanvas& c = *aDraw->pC;
    const bool turned = QuarterTurns(aAngle) != 0;
    auto place = [&](double x, double y) {
        const TPointF p(float(double(aCorner.X) + x * aUnitX), float(double(aCorner.Y) + y * aUnitY));
        return turned ? TDraw2D::RotatePoint(p, aPivot, aAngle) : p;
    };
    if (TKVRPaintRoad::Reference()) {
        std::vector<TRectF> rects;
        rects.reserve(aUnits.size());
        for (const TRectF& u : aUnits) {
            const TRectF r(place(u.Left, u.Top).X, place(u.Left, u.Top).Y, place(u.Right, u.Bottom).X,
                           place(u.Right, u.Bottom).Y);
            rects.push_back(turned ? TRectF(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
                                            std::max(r.Left, r.Right), std::max(r.Top, r.Bottom))
                                   : r);
        }
        c.FillRects(rects, 1.0f);
        return;
    }
    // Under one matrix a document writes each rectangle in the grid's own
    // units, a few digits each, instead of four long printer coordinates.
    // The unit steps turned about no point: small numbers, no cancellation.
    auto step = [&](double aX, double aY) {
        const TPointF v{float(aX), float(aY)};
        return turned ? TDraw2D::RotatePoint(v, TPointF(0.0f, 0.0f), aAngle) : v;
    };
    const TPointF o = place(0.0, 0.0), x = step(aUnitX, 0.0), y = step(0.0, aUnitY);
    TMatrix m;
    m.m11 = x.X;
    m.m12 = x.Y;
    m.m21 = y.X;
    m.m22 = y.Y;
    m.m31 = o.X;
    m.m32 = o.Y;
    TCanvasStateGuard state(c);
    c.SetMatrix(m * c.Matrix());
    c.FillRects(aUnits, 1.0f);
}

void DrawData(TKVRDraw* aDraw, float aX, float aY)
{
    if (!aDraw || !aDraw->kC || !aDraw->kP)
        return;
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(TAlphaColors::Gray);
    paint.SetStyle(TSkPaintStyle::Fill);
    aDraw->kC->DrawRect(TRectF(aX - 4, aY - 4, aX + 4, aY - 2), aDraw->kP);
    aDraw->kC->DrawRect(TRectF(aX - 4, aY + 2, aX + 4, aY + 4), aDraw->kP);
    paint.SetColor(TAlphaColors::LightGreen);
    aDraw->kC->DrawRect(TRectF(aX - 4, aY - 2, aX + 4, aY + 2), aDraw->kP);
}
