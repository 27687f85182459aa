#include "dialogs/KVR.FMX.DimSample.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <cmath>

QString DimSampleText(const TKVRDimStyle& aStyle, double aValue)
{
    QString format = aStyle.GetFormat();
    if (format.isEmpty())
        format = aValue != std::trunc(aValue) ? QStringLiteral("0.0") : QStringLiteral("0");
    return aStyle.GetPrefix() + FormatFloat(format, aValue) + aStyle.GetSuffix();
}

void DimSamplePen(TCanvas& aCanvas, float aWidth)
{
    aCanvas.Stroke().SetThickness(aWidth);
    aCanvas.Stroke().SetDash(TStrokeDash::Solid);
}

namespace {

struct TVec
{
    float X, Y;
};

TPointF Along(const TPointF& aP, const TVec& aDir, float aBy)
{
    return TPointF(aP.X + aDir.X * aBy, aP.Y + aDir.Y * aBy);
}

// One dimension of the sample: the measured edge from A to B and the side
// its lines stand out to.
class TSampleDim
{
public:
    TSampleDim(TCanvas& aCanvas, const TKVRDimStyle& aStyle) : c(aCanvas), s(aStyle) {}

    void Paint(const TPointF& aA, const TPointF& aB, double aValue)
    {
        const float e = s.GetExtSize() * SamplePixelsPerMm;
        const float g = s.GetExtGap() * SamplePixelsPerMm;
        const float b = s.GetDimBreak() * SamplePixelsPerMm;
        // The outline runs clockwise on screen: its outer side is on the left.
        float x1, y1, x2, y2, x3, y3, x4, y4;
        c.Stroke().SetColor(s.GetExtColor());
        DimSamplePen(c, s.GetExtPenWidth() * SamplePixelsPerMm);
        TDraw2D::DrawParallelLine(aA.X, aA.Y, aB.X, aB.Y, -b, x1, y1, x2, y2);
        TDraw2D::DrawParallelLine(aA.X, aA.Y, aB.X, aB.Y, -e, x3, y3, x4, y4);
        c.DrawLine(TPointF(x1, y1), TPointF(x3, y3), 1);
        c.DrawLine(TPointF(x2, y2), TPointF(x4, y4), 1);
        TDraw2D::DrawParallelLine(aA.X, aA.Y, aB.X, aB.Y, -(e - g), x1, y1, x2, y2);
        DimensionLine(TPointF(x1, y1), TPointF(x2, y2), DimSampleText(s, aValue));
    }

private:
    void DimensionLine(TPointF aA, TPointF aB, const QString& aText)
    {
        // Read from the other end when the line runs leftwards or straight down.
        if (aB.X < aA.X || (aB.X == aA.X && aB.Y > aA.Y))
            std::swap(aA, aB);
        const float len = std::hypot(aB.X - aA.X, aB.Y - aA.Y);
        const TVec u = len > 0 ? TVec{(aB.X - aA.X) / len, (aB.Y - aA.Y) / len} : TVec{1, 0};
        const TVec down{-u.Y, u.X};  // the text's downwards
        const float w = c.TextWidth(aText);
        const float h = c.TextHeight(aText);
        const TKVRTextPos pos = s.GetTextPos() <= 8 ? s.GetTextPos() : 1;
        const int column = pos % 3;
        const int row = pos / 3;
        const float head = s.GetHeadType() == 0 ? 0.0f : s.GetHeadSize() * SamplePixelsPerMm;
        const float clear = h / 4 + (row == 1 ? head : 0.0f);
        const float start = column == 0 ? clear : column == 2 ? len - w - clear : (len - w) / 2;
        const float top = row == 0 ? -h : row == 1 ? -h / 2 : 0.0f;

        c.Stroke().SetColor(s.GetDimColor());
        DimSamplePen(c, s.GetDimPenWidth() * SamplePixelsPerMm);
        if (row == 1 && !aText.isEmpty()) {
            // The text sits in a gap of the line exactly as wide as the text.
            c.DrawLine(aA, Along(aA, u, std::max(start, 0.0f)), 1);
            c.DrawLine(Along(aA, u, std::min(start + w, len)), aB, 1);
        } else {
            c.DrawLine(aA, aB, 1);
        }
        Head(aA, aB);
        Head(aB, aA);

        const TCanvasSaveState saved = c.SaveState();
        const TPointF corner = Along(Along(aA, u, start), down, top);
        c.SetMatrix(TMatrix::CreateRotation(std::atan2(u.Y, u.X)) * TMatrix::CreateTranslation(corner.X, corner.Y));
        c.Fill().SetColor(s.GetFontColor());
        c.FillText(TRectF(0, 0, w, h), aText, false, 1, 0, TTextAlign::Leading, TTextAlign::Leading);
        c.RestoreState(saved);
    }

    // The head on aTip of a line that comes from aFrom, pointing outwards.
    void Head(const TPointF& aTip, const TPointF& aFrom)
    {
        const float size = s.GetHeadSize() * SamplePixelsPerMm;
        const float r = size / 2;
        const TRectF box(aTip.X - r, aTip.Y - r, aTip.X + r, aTip.Y + r);
        const TPolygon rhombus = {TPointF(aTip.X, aTip.Y - r), TPointF(aTip.X + r, aTip.Y),
                                  TPointF(aTip.X, aTip.Y + r), TPointF(aTip.X - r, aTip.Y)};
        c.Stroke().SetColor(s.GetHeadColor());
        c.Fill().SetColor(s.GetFillColor());
        const auto arrow = [&] {
            float x1, y1, x2, y2;
            TDraw2D::DrawArrow(aFrom.X, aFrom.Y, aTip.X, aTip.Y, int32_t(std::lround(size)), x1, y1, x2, y2,
                               float(s.GetArrowOpen()));
            return TPolygon{aTip, TPointF(x1, y1), TPointF(x2, y2)};
        };
        const auto tick = [&](auto aDraw) {
            float x1, y1, x2, y2;
            aDraw(aFrom.X, aFrom.Y, aTip.X, aTip.Y, int32_t(std::lround(r)), x1, y1, x2, y2);
            c.DrawLine(TPointF(x1, y1), TPointF(x2, y2), 1);
        };
        switch (s.GetHeadType()) {
        case 1:
        case 2:
            if (s.GetHeadType() == 2)
                c.FillEllipse(box, 1);
            c.DrawEllipse(box, 1);
            break;
        case 3: {
            const TPolygon a = arrow();
            c.DrawLine(a[0], a[1], 1);
            c.DrawLine(a[0], a[2], 1);
            break;
        }
        case 4: {
            const TPolygon a = arrow();
            c.FillPolygon(a, 1);
            c.DrawPolygon(a, 1);
            break;
        }
        case 5:
        case 6:
            if (s.GetHeadType() == 6)
                c.FillRect(box, 0, 0, NoCorners, 1);
            c.DrawRect(box, 0, 0, NoCorners, 1);
            break;
        case 7:
        case 8:
            if (s.GetHeadType() == 8)
                c.FillPolygon(rhombus, 1);
            c.DrawPolygon(rhombus, 1);
            break;
        case 9:
            tick(TDraw2D::DrawLeft);
            break;
        case 10:
            tick(TDraw2D::DrawRight);
            break;
        case 11:
            tick(TDraw2D::DrawLeft);
            tick(TDraw2D::DrawRight);
            break;
        default:
            break;
        }
    }

    TCanvas& c;
    const TKVRDimStyle& s;
};

}  // namespace

void PaintDimSample(TCanvas& aCanvas, const TKVRDimStyle& aStyle, const TPolygon& aPoints, const TRectF& aBox)
{
    if (aPoints.size() < 6)
        return;
    const TCanvasSaveState saved = aCanvas.SaveState();
    aCanvas.Font().SetFamily(aStyle.GetFontName());
    aCanvas.Font().SetSize(aStyle.GetFontHeight() * SampleFontScale);
    aCanvas.Font().SetStyle(TFontStyles((aStyle.GetBold() ? FontStyleSet(TFontStyle::Bold) : 0) |
                                        (aStyle.GetItalic() ? FontStyleSet(TFontStyle::Italic) : 0)));
    aCanvas.Fill().SetColor(TAlphaColors::White);
    aCanvas.FillRect(aBox, 0, 0, NoCorners, 1);
    aCanvas.Fill().SetColor(0xFFC0C0C0u);
    aCanvas.FillPolygon(aPoints, 1);
    aCanvas.Stroke().SetColor(TAlphaColors::Black);
    DimSamplePen(aCanvas, 1);
    aCanvas.DrawPolygon(aPoints, 1);

    const TPolygon& p = aPoints;
    TSampleDim dim(aCanvas, aStyle);
    dim.Paint(p[0], p[1], double(p[1].X - p[0].X) * SampleValuePerPixel);
    const double slanted = Distance(std::round(p[2].X), std::round(p[2].Y), std::round(p[3].X), std::round(p[3].Y));
    dim.Paint(p[2], p[3], slanted * SampleValuePerPixel);
    dim.Paint(p[4], p[5], double(p[4].X - p[5].X) * SampleValuePerPixel);
    dim.Paint(p[5], p[0], double(p[5].Y - p[0].Y) * SampleValuePerPixel);
    aCanvas.RestoreState(saved);
}
