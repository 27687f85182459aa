#include "elements/TKVRTable.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Text.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct TFontMetrics
{
    int32_t Asc = 0, Des = 0, Und = 0, Lh = 0;
    double Ratio = 1.0;
};

TFontMetrics SelectFont(const TKVRTableCell& aCell)
{
    TFontMetrics m;
    TKVRCalc::FontSettings(aCell.Font.Name, aCell.Font.Height, aCell.Font.Bold, aCell.Font.Italic, m.Asc, m.Des,
                           m.Und, m.Lh, m.Ratio);
    return m;
}

// The text of a laid-out line without its break characters.
QString LineText(const QString& aText, const TKVRTxtInf& aLine)
{
    QString s = aText.mid(int(aLine.Start) - 1, int(aLine.Length));
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}

// What a band needs to paint its lines: the cell's font and the band's metrics.
struct TBandText
{
    const TKVRTableCell* Cell = nullptr;
    const TKVRRowCol* Lines = nullptr;
    int32_t Ascent = 0;
    double Ratio = 1.0;
};

// Screen: each line as simple text on its baseline.
void DrawLines(TKVRDraw* d, const TBandText& b, float aX, float aY)
{
    if (b.Lines->Lines.empty())
        return;
    const ISkTypeface typeface = TSkTypeface::MakeFromName(b.Cell->Font.Name, GetFontStyle(b.Cell->Font.Bold, b.Cell->Font.Italic));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(b.Cell->GetFontHeight() * d->TextFactor * b.Ratio), 1.0f, 0.0f);
    SetTextPaint(d, b.Cell->Font.Color);
    const float asc = PaperToPixels(b.Ascent, d->ResolutionY);
    for (const TKVRTxtInf& line : b.Lines->Lines)
        d->kC->DrawSimpleText(LineText(b.Lines->Text, line), aX + PaperToPixels(line.X, d->ResolutionX),
                              aY + PaperToPixels(line.Y, d->ResolutionY) + asc, font, d->kP);
}

// Paper: each line filled from the top of its box, as the printer lays text.
void PrintLines(TKVRDraw* d, const TBandText& b, float aX, float aY)
{
    if (b.Lines->Lines.empty())
        return;
    TCanvas& c = *d->pC;
    SetPrintFont(c, b.Cell->Font.Name, FontPrintSize(float(b.Cell->GetFontHeight() * b.Ratio)), b.Cell->Font.Bold,
                 b.Cell->Font.Italic, b.Cell->Font.Underline);
    c.Stroke().SetColor(b.Cell->Font.Color);
    c.Stroke().SetThickness(0.0f);
    c.Stroke().SetDash(TStrokeDash::Solid);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(b.Cell->Font.Color);
    for (const TKVRTxtInf& line : b.Lines->Lines) {
        const QString text = LineText(b.Lines->Text, line);
        const TPointF offset = GetInternalTextOffset(c, text);
        TCanvasStateGuard guard(c);
        d->ResetMatrix(KVRDrawState::Print);
        d->Translate(aX + PaperToPixels(line.X, d->ResolutionX) + offset.X,
                     aY + PaperToPixels(line.Y, d->ResolutionY) + offset.Y);
        d->ApplyMatrix();
        c.FillText(TRectF(0, 0, 50000, 50000), text, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
    }
}

// The two surfaces behind one painting order.
struct TSurface
{
    virtual ~TSurface() = default;
    virtual void Fill(const TRectF& aRect, TAlphaColor aColor) = 0;
    virtual void Line(float aX1, float aY1, float aX2, float aY2) = 0;
    virtual void Frame(const TRectF& aRect) = 0;
    virtual void Text(const TBandText& aBand, float aX, float aY) = 0;
};

struct TScreen final : TSurface
{
    TKVRDraw* d;
    explicit TScreen(TKVRDraw* aDraw) : d(aDraw) {}
    void Fill(const TRectF& r, TAlphaColor aColor) override
    {
        SetFillPaint(d, aColor);
        d->kP->SetAntiAlias(true);
        d->kC->DrawRect(r, d->kP);
    }
    void Line(float x1, float y1, float x2, float y2) override { d->kC->DrawLine(x1, y1, x2, y2, d->kP); }
    void Frame(const TRectF& r) override { d->kC->DrawRect(r, d->kP); }
    void Text(const TBandText& b, float x, float y) override { DrawLines(d, b, x, y); }
};

struct TPaper final : TSurface
{
    TKVRDraw* d;
    explicit TPaper(TKVRDraw* aDraw) : d(aDraw) {}
    void Fill(const TRectF& r, TAlphaColor aColor) override
    {
        d->pC->Fill().SetKind(TBrushKind::Solid);
        d->pC->Fill().SetColor(aColor);
        d->pC->FillRect(r, 0.0f, 0.0f, NoCorners, 1.0f, TCornerType::Round);
    }
    void Line(float x1, float y1, float x2, float y2) override { d->pC->DrawLine(TPointF(x1, y1), TPointF(x2, y2), 1.0f); }
    void Frame(const TRectF& r) override { d->pC->DrawRect(r, 0.0f, 0.0f, NoCorners, 1.0f, TCornerType::Round); }
    void Text(const TBandText& b, float x, float y) override { PrintLines(d, b, x, y); }
};

}  // namespace

TKVRTable::TKVRTable(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseTable(aOwner, aPreview) {}

TKVRTable::TKVRTable(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview) : TKVRBaseTable(aOwner, aLayer, aPreview)
{
}

// ---------------------------------------------------------------- layout

void TKVRTable::CalcValues(int16_t aMode)
{
    TKVRBaseTable::CalcValues(aMode);
    // Every layout places the rows of the current data, so the preview and the
    // exports, laid out on demand, show them; the output pass (mode 5) lays
    // out no design line. The editor's selected column is no reason to lay
    // out less: the same layout serves paper, exports and the preview.
    const bool output = aMode == 5;
    if (Title().Visible)
        LayTitle();
    FillTable(true, true);
    for (int32_t c = 1; c <= GetColumnCount(); ++c) {
        TKVRColumn& column = GetColumn(c);
        const int32_t width = ColumnWidth(c);
        if (column.Header.Visible)
            LayHeader(column, width);
        LayBody(c, !output);
        if (column.Footer.Visible)
            LayFooter(column, width);
    }
    PlaceRows();
    // The bounds reach the rows placed now.
    UpdateBounds();
}

void TKVRTable::CheckFit(TKVRExtent& aExtent)
{
    // A fitted export asks for the extent before anything is painted.
    if (GetNeedsCalc())
        CalcValues(0);
    TKVRBaseTable::CheckFit(aExtent);
    if (fPoints.size() < 2)
        return;
    // Rows and the footer reach below the box unless it keeps its size; the
    // editor's footer sits at least at the box's lower edge.
    const int64_t bottom = std::max(Geometry(false).Bottom, Geometry(true).Bottom);
    const int64_t y = fPoints[0].Y + bottom * GetDrawScale();
    const int64_t half = GetBasePenWidth() / 2;
    aExtent.IncludeWide(fPoints[0].X, y, half);
    aExtent.IncludeWide(fPoints[1].X, y, half);
}

void TKVRTable::LayTitle()
{
    TKVRBaseTitle& title = Title();
    const TFontMetrics m = SelectFont(title);
    title.SetBaseSize(0, m.Asc, m.Des, m.Ratio);
    TxtLines lines;
    TKVRCalc::CalcTxtPts(title.Text, nullptr, lines, BaseScaleWidth(), title.BaseHeight, 0, 0, title.HorzAlign,
                         title.VertAlign, title.Interline);
    title.SetLines(lines);
}

void TKVRTable::LayHeader(TKVRColumn& aColumn, int32_t aWidth)
{
    const TFontMetrics m = SelectFont(aColumn.Header);
    TKVRRowCol cell;
    cell.Height = GetHeaderHeight();
    cell.Band = 0;
    cell.Text = aColumn.GetLineTxt(0).Text;
    cell.Done = true;
    TKVRCalc::CalcTxtPts(cell.Text, nullptr, cell.Lines, aWidth, GetHeaderHeight(), 0, 0, aColumn.Header.HorzAlign,
                         aColumn.Header.VertAlign, aColumn.Header.Interline);
    aColumn.SetData(0, cell);
    aColumn.FontSettings(1, m.Asc, m.Des, m.Und, m.Ratio);
}

TKVRRowCol TKVRTable::MeasureBody(const TKVRColumn& aColumn, int32_t aWidth, int32_t aLine) const
{
    const TKVRTableCell& body = aColumn.Body;
    TKVRRowCol cell;
    cell.Height = GetRowHeight();
    cell.Band = 1;
    cell.Text = aColumn.GetLineTxt(aLine).Text;
    cell.Done = true;
    // The breaker keeps the paddings inside the cell's own width and height,
    // so they count once on each side.
    const int32_t padX = GetBasePadX(), padY = GetBasePadY();
    if (body.Wrap) {
        const int32_t need = TKVRCalc::CalcTxtPts(cell.Text, nullptr, cell.Lines, aWidth, 0, padX, padY, body.HorzAlign,
                                                  body.VertAlign, body.Interline);
        cell.Height = std::max(need, GetRowHeight());
    } else {
        // Only the lines that fit into one row; the row never grows.
        TKVRCalc::CalcTxtPts(cell.Text, nullptr, cell.Lines, aWidth, GetRowHeight(), padX, padY, body.HorzAlign,
                             body.VertAlign, body.Interline);
    }
    return cell;
}

void TKVRTable::LayBody(int32_t aIndex, bool aDesign)
{
    TKVRColumn& column = GetColumn(aIndex);
    const int32_t width = ColumnWidth(aIndex);
    const TFontMetrics m = SelectFont(column.Body);
    if (aDesign)
        column.SetData(1, MeasureBody(column, width, 1));
    column.FontSettings(2, m.Asc, m.Des, m.Und, m.Ratio);
    for (int32_t r = 1; r <= GetPrintCount(); ++r)
        column.SetData(r + 2, MeasureBody(column, width, r + 2));
}

void TKVRTable::LayFooter(TKVRColumn& aColumn, int32_t aWidth)
{
    const TKVRTableCell& footer = aColumn.Footer;
    const TFontMetrics m = SelectFont(footer);
    TKVRRowCol cell;
    cell.Height = GetFooterHeight();
    cell.Band = 2;
    cell.Text = aColumn.GetLineTxt(2).Text;
    cell.Done = true;
    const int32_t padX = GetBasePadX(), padY = GetBasePadY();
    TKVRCalc::CalcTxtPts(cell.Text, nullptr, cell.Lines, aWidth, GetFooterHeight(), padX, padY, footer.HorzAlign,
                         footer.VertAlign, footer.Interline);
    aColumn.SetData(2, cell);
    aColumn.FontSettings(3, m.Asc, m.Des, m.Und, m.Ratio);
}

void TKVRTable::PlaceRows()
{
    // Each row is as tall as its tallest wrapping cell, at least the row height.
    std::vector<int32_t> heights(size_t(GetPrintCount()), GetRowHeight());
    for (int32_t c = 1; c <= GetColumnCount(); ++c) {
        const TKVRColumn& column = GetColumn(c);
        if (!column.Body.Wrap)
            continue;
        for (int32_t r = 1; r <= GetPrintCount(); ++r)
            heights[size_t(r - 1)] = std::max(heights[size_t(r - 1)], column.GetLineTxt(r + 2).Height);
    }
    TKVRTableBands bands;
    bands.TitleHeight = TitleBand();
    bands.HeaderHeight = GetHeaderHeight();
    bands.FooterHeight = GetFooterHeight();
    bands.FixedSize = GetFixedSize();
    const int32_t scale = GetDrawScale();
    if (GetFixedSize())
        bands.Limit = BaseScaleHeight();
    else if (const TKVRBaseLabel* owner = GetOwner())
        bands.Limit = owner->GetMeasure().GetHeight() - GetPoint(1).Y / scale;  // the label is paper already
    else
        bands.Limit = std::numeric_limits<int32_t>::max();
    TKVRTableRows rows = KVRTableRows(bands, heights);
    SetLinePositions(std::move(rows.Positions), rows.Shown);
}

TKVRTableGeometry TKVRTable::Geometry(bool aEditor) const
{
    TKVRTableGeometry g;
    g.TitleBottom = TitleBand();
    g.BodyTop = g.TitleBottom + GetHeaderHeight();
    const int64_t footer = GetFooterHeight();
    if (aEditor) {
        // The design line under the header, the footer at the box's lower edge.
        g.RowLine = {1};
        g.RowTop = {g.BodyTop};
        g.BodyBottom = g.BodyTop + GetRowHeight();
        g.Bottom = std::max<int64_t>(BaseScaleHeight(), g.BodyBottom + footer);
        g.FooterTop = g.Bottom - footer;
        if (g.TitleBottom > 0)
            g.GridLines.push_back(g.TitleBottom);
        if (GetHeaderHeight() > 0)
            g.GridLines.push_back(g.BodyTop);
        g.GridLines.push_back(g.BodyBottom);
        if (footer > 0 && g.FooterTop != g.BodyBottom)
            g.GridLines.push_back(g.FooterTop);
        return g;
    }
    const int32_t first = (g.TitleBottom > 0 ? 1 : 0) + (GetHeaderHeight() > 0 ? 1 : 0);
    int64_t top = g.BodyTop;
    for (int32_t r = 1; r <= GetShownCount(); ++r) {
        g.RowLine.push_back(r + 2);
        g.RowTop.push_back(top);
        top = GetLinePos(first + r - 1);
    }
    g.BodyBottom = top;
    g.Bottom = std::max(GetLastLinePos(), top + footer);
    g.FooterTop = g.Bottom - footer;
    // Every band's lower edge but the last, which the frame draws.
    for (int32_t i = 0; i + 1 < GetLineCount(); ++i)
        g.GridLines.push_back(GetLinePos(i));
    return g;
}

// ---------------------------------------------------------------- painting

namespace {

// One painting order for both surfaces; (x1, y1) is the table's corner, aW its
// width, aUm the pixels per micrometre of paper down and across.
void PaintTable(const TKVRTable& t, TSurface& s, TKVRDraw* d, float x1, float y1, float aW, bool aEditor,
                bool aScreen)
{
    const TKVRTableGeometry g = t.Geometry(aEditor);
    auto Y = [&](int64_t um) { return y1 + PaperToPixels(um, d->ResolutionY); };
    const float x2 = x1 + aW;
    const bool back = t.GetFilled() && (!aScreen || t.Alpha() != 0);
    if (back)
        s.Fill(TRectF(x1, y1, x2, Y(g.Bottom)), t.GetBackColor());

    const TKVRBaseTitle& title = t.Title();
    if (g.TitleBottom > 0) {
        if (title.Filled)
            s.Fill(TRectF(x1, y1, x2, Y(g.TitleBottom)), title.BackColor);
        if (!title.Text.isEmpty()) {
            TKVRRowCol lines;
            lines.Text = title.Text;
            lines.Lines = title.Lines;
            s.Text({&title, &lines, title.Ascent, title.Ratio}, x1, y1);
        }
    }
    std::vector<float> widths;
    for (int32_t c = 1; c <= t.GetColumnCount(); ++c)
        widths.push_back(aW * t.GetColumn(c).Width / 100.0f);

    if (t.GetHeaderHeight() > 0) {
        float x = x1;
        for (int32_t c = 1; c <= t.GetColumnCount(); ++c) {
            const TKVRColumn& col = t.GetColumn(c);
            const float w = widths[size_t(c - 1)];
            if (col.Header.Visible) {
                if (col.Header.Filled)
                    s.Fill(TRectF(x, Y(g.TitleBottom), x + w, Y(g.BodyTop)), col.Header.BackColor);
                s.Text({&col.Header, &col.GetLineTxt(0), col.AscFont(1), col.RatFont(1)}, x, Y(g.TitleBottom));
            }
            x += w;
        }
    }
    float x = x1;
    for (int32_t c = 1; c <= t.GetColumnCount(); ++c) {
        const TKVRColumn& col = t.GetColumn(c);
        const float w = widths[size_t(c - 1)];
        if (col.Body.Filled && g.BodyBottom > g.BodyTop)
            s.Fill(TRectF(x, Y(g.BodyTop), x + w, Y(g.BodyBottom)), col.Body.BackColor);
        for (size_t r = 0; r < g.RowLine.size(); ++r)
            s.Text({&col.Body, &col.GetLineTxt(g.RowLine[r]), col.AscFont(2), col.RatFont(2)}, x, Y(g.RowTop[r]));
        x += w;
    }
    if (t.GetFooterHeight() > 0) {
        x = x1;
        for (int32_t c = 1; c <= t.GetColumnCount(); ++c) {
            const TKVRColumn& col = t.GetColumn(c);
            const float w = widths[size_t(c - 1)];
            if (col.Footer.Filled)
                s.Fill(TRectF(x, Y(g.FooterTop), x + w, Y(g.Bottom)), col.Footer.BackColor);
            if (col.Footer.Visible)
                s.Text({&col.Footer, &col.GetLineTxt(2), col.AscFont(3), col.RatFont(3)}, x, Y(g.FooterTop));
            x += w;
        }
    }
}

}  // namespace

void TKVRTable::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const bool editor = d->DrawState == KVRDrawState::Editor || d->DrawState == KVRDrawState::EditorText;
    const TPointF a = ScreenAt(GetPoint(1), d);
    const float w = ScreenAt(GetPoint(2), d).X - a.X;
    d->kP->SetPathEffect(nullptr);
    d->kP->SetAntiAlias(true);
    TScreen screen(d);
    PaintTable(*this, screen, d, a.X, a.Y, w, editor, true);

    const TKVRTableGeometry g = Geometry(editor);
    auto Y = [&](int64_t um) { return a.Y + PaperToPixels(um, d->ResolutionY); };
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetStyle(TSkPaintStyle::Stroke);
    paint.SetAntiAlias(true);
    if (GetGridType() != 0 && GetGridWidth() > 0.0f) {
        const float gw = d->BasePtoY(GetGridWidth());
        paint.SetColor(GetGridColor());
        paint.SetStrokeWidth(gw);
        if (GetGridType() == 1 || GetGridType() == 3) {
            float x = a.X;
            for (int32_t c = 1; c < GetColumnCount(); ++c) {
                x += w * GetColumn(c).Width / 100.0f;
                screen.Line(x, Y(g.TitleBottom), x, Y(g.Bottom));
            }
        }
        if (GetGridType() == 2 || GetGridType() == 3)
            for (const int64_t line : g.GridLines)
                screen.Line(a.X + gw / 2, Y(line), a.X + w - gw / 2, Y(line));
    }
    if (GetPenWidth() > 0.0f) {
        const float pw = d->BasePtoY(GetPenWidth());
        paint.SetStyle(TSkPaintStyle::Stroke);
        paint.SetColor(GetColor());
        paint.SetStrokeWidth(pw);
        screen.Frame(TRectF(a.X + pw / 2, a.Y + pw / 2, a.X + w - pw / 2, Y(g.Bottom) - pw / 2));
    }
}

void TKVRTable::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    // The record being printed, laid out before it is painted.
    CalcValues(5);
    const TPointF a = PaperAt(GetPoint(1), d);
    const float w = PaperAt(GetPoint(2), d).X - a.X;
    TPaper paper(d);
    PaintTable(*this, paper, d, a.X, a.Y, w, false, false);

    const TKVRTableGeometry g = Geometry(false);
    auto Y = [&](int64_t um) { return a.Y + PaperToPixels(um, d->ResolutionY); };
    TCanvas& c = *d->pC;
    c.Stroke().SetKind(TBrushKind::Solid);
    c.Stroke().SetDash(TStrokeDash::Solid);
    c.Stroke().SetCap(TStrokeCap::Flat);
    if (GetGridType() != 0 && GetGridWidth() > 0.0f) {
        const float gw = d->DrawBasePtoX(GetGridWidth());
        c.Stroke().SetColor(GetGridColor());
        c.Stroke().SetThickness(gw);
        if (GetGridType() == 1 || GetGridType() == 3) {
            float x = a.X;
            for (int32_t i = 1; i < GetColumnCount(); ++i) {
                x += w * GetColumn(i).Width / 100.0f;
                paper.Line(x, Y(g.TitleBottom), x, Y(g.Bottom));
            }
        }
        if (GetGridType() == 2 || GetGridType() == 3)
            for (const int64_t line : g.GridLines)
                paper.Line(a.X + gw / 2, Y(line), a.X + w - gw / 2, Y(line));
    }
    if (GetPenWidth() > 0.0f) {
        const float pw = d->DrawBasePtoX(GetPenWidth());
        c.Stroke().SetColor(GetColor());
        c.Stroke().SetThickness(pw);
        paper.Frame(TRectF(a.X + pw / 2, a.Y + pw / 2, a.X + w - pw / 2, Y(g.Bottom) - pw / 2));
    }
}
