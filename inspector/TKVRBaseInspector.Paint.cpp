// Painting of the grid: background, each shown row's captions and value
// boxes by editor code, the separators, and the open edit box's image on top.
#include "document/KVR.FMX.h"
#include "inspector/TKVRBaseInspector.h"
#include "inspector/TKVRInspectorRows.h"
#include "platform/fmx/TCanvas.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "render/KVR.FMX.LineTypes.h"
#include <QComboBox>
#include <QPainter>

using namespace KVRInspectorRows;

namespace {

constexpr TAlphaColor FrameColor = 0xFF808080;
constexpr TAlphaColor CaretColor = 0xFFFF0000;

void FillBox(TCanvas& aCanvas, const TRectF& aBox, TAlphaColor aColor)
{
    aCanvas.Fill().SetKind(TBrushKind::Solid);
    aCanvas.Fill().SetColor(aColor);
    aCanvas.FillRect(aBox, 0, 0, AllCorners, 1);
}

void FrameBox(TCanvas& aCanvas, const TRectF& aBox, TAlphaColor aColor)
{
    aCanvas.Stroke().SetKind(TBrushKind::Solid);
    aCanvas.Stroke().SetColor(aColor);
    aCanvas.Stroke().SetThickness(1);
    aCanvas.DrawRect(aBox, 0, 0, AllCorners, 1);
}

void Line(TCanvas& aCanvas, float x1, float y1, float x2, float y2)
{
    aCanvas.DrawLine(TPointF(x1, y1), TPointF(x2, y2), 1);
}

// Text inside its box: a caption or value longer than its box is cut there,
// never drawn over the next box.
void Text(TCanvas& aCanvas, const TRectF& aBox, const QString& aText, TAlphaColor aColor, TTextAlign aAlign)
{
    aCanvas.Fill().SetKind(TBrushKind::Solid);
    aCanvas.Fill().SetColor(aColor);
    QPainter* painter = aCanvas.Painter();
    if (painter) {
        painter->save();
        painter->setClipRect(QRectF(aBox.Left, aBox.Top, aBox.Width(), aBox.Height()), Qt::IntersectClip);
    }
    aCanvas.FillText(aBox, aText, false, 1, 0, aAlign, TTextAlign::Center);
    if (painter)
        painter->restore();
}

// A caption wider than its box ends in an ellipsis where it is cut, so the
// cut shows; the whole caption is the box's tool tip.
QString Elided(const TCanvas& aCanvas, const QString& aText, float aWidth)
{
    if (aCanvas.TextWidth(aText) <= aWidth)
        return aText;
    const QChar ellipsis(0x2026);
    QString cut = aText;
    while (!cut.isEmpty() && aCanvas.TextWidth(cut + ellipsis) > aWidth)
        cut.chop(1);
    return cut.trimmed() + ellipsis;
}

}  // namespace

void TKVRBaseInspector::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    TCanvas canvas(painter);
    if (!canvas.BeginScene())
        return;
    Draw(canvas, -1, -1);
    canvas.EndScene();
    // The open box over the grid.
    if (fEdit.Active && !fBackEdit.isNull())
        painter.drawImage(QPoint(fEdit.Left, fEdit.Top), fBackEdit);
}

void TKVRBaseInspector::Draw(TCanvas& aCanvas, int32_t, int32_t)
{
    const float width = float(GridWidth()), height = float(viewport()->height());
    FillBox(aCanvas, TRectF(0, 0, width, height), fBackColor);
    if (fJsonA.empty()) {
        if (fComboList->isVisible())
            fComboList->hide();
        return;
    }
    aCanvas.Font().SetFamily(QStringLiteral("Tahoma"));
    aCanvas.Font().SetSize(11);
    const float s14 = float(ScalePos(14, fDPIX));
    fCutCaptions.clear();
    posy = 0;
    for (int32_t r = fTopIndex; r < int32_t(fJsonA.size()); ++r) {
        const TJsonObject& row = fJsonA[size_t(r)];
        fJsonO = &row;
        const int32_t h = RowHeight(row);
        // Rows below the first that does not fit whole are not painted; a
        // first row taller than the control shows its top.
        if (height < posy + float(ScalePos(h, fDPIY)) && r > fTopIndex)
            break;
        for (int32_t j = 1; j <= row.value("N", 0); ++j) {
            const int32_t t = row.value(Key("T", j), -1), at = row.value(Key("AT", j), 0);
            if (t >= 0 && (at == 0 || at == 1)) {
                const TKVRInsCol col = TKVRInsCol(row.value(Key("C", j), 0));
                fRectF = TRectF(float(XPosTitle(col, fSize24)), posy + float(t) - 2, 0, 0);
                fRectF.Right = fRectF.Left + float(WidthTitle(col, fSize24));
                fRectF.Bottom = fRectF.Top + s14;
                aCanvas.Font().SetStyle(FontStyleSet(TFontStyle::Bold));
                const QString name = TextOf(PartValue(row, "Name", j));
                cadS = Elided(aCanvas, name, fRectF.Width());
                if (cadS != name)
                    fCutCaptions.push_back({fRectF, name});
                Text(aCanvas, fRectF, cadS, fTitleColor, at == 0 ? TTextAlign::Leading : TTextAlign::Center);
            }
            aCanvas.Font().SetStyle(0);
            DrawValue(aCanvas, row, j);
        }
        aCanvas.Stroke().SetColor(FrameColor);
        aCanvas.Stroke().SetThickness(1);
        Line(aCanvas, 2, posy + float(h) - 1.5f, width - 2, posy + float(h) - 1.5f);
        posy += float(h);
    }
}

QString TKVRBaseInspector::ListText(TVXListProp aList, const TJsonObject& aValue) const
{
    switch (aList) {
    case KVRListProp::Layers:
    case KVRListProp::DimStyles: {
        // A stored index the document no longer has names nothing.
        if (!fBaseLab || !aValue.is_number_integer())
            return {};
        const int64_t i = aValue.get<int64_t>();
        if (aList == KVRListProp::Layers)
            return i >= 0 && i < fBaseLab->GetLayerCount() ? fBaseLab->GetLayer(int32_t(i))->GetName() : QString();
        return i >= 0 && i < fBaseLab->GetDimStyleCount() ? fBaseLab->GetDimStyle(int32_t(i)).GetName() : QString();
    }
    default:
        if (IsTextList(aList))
            return TextOf(aValue);
        return aValue.is_number_integer() ? ItemList(aList, aValue.get<int32_t>()) : QString();
    }
}

void TKVRBaseInspector::DrawButton(TCanvas& aCanvas, const TRectF& aBox, const QString& aCaption)
{
    FillBox(aCanvas, aBox, fButColor);
    FrameBox(aCanvas, aBox, FrameColor);
    Text(aCanvas, aBox, aCaption, fCapButColor, TTextAlign::Center);
}

void TKVRBaseInspector::DrawValue(TCanvas& aCanvas, const TJsonObject& aRow, int32_t j)
{
    const TKVRInsProp code = TKVRInsProp(aRow.value(Key("Prop", j), 0) & 0xFF);
    const TKVRInsCol col = TKVRInsCol(aRow.value(Key("C", j), 0));
    const TJsonObject& value = PartValue(aRow, "Value", j);
    const float left = float(XPosCtrl(col, code, fSize24)), top = posy + float(aRow.value(Key("TV", j), 0));
    fRectF = TRectF(left, top, left + float(WidthCtrl(col, code, fSize24)), top + float(HeightCtrl(code, fDPIY)));
    const float width = float(GridWidth());
    const float s2 = float(ScalePos(2, fDPIX)), s22 = float(ScalePos(22, fDPIX));
    const TRectF dots = ButtonBox(aRow, j, posy, false);
    // A value the element lays out itself is shown, not edited: in grey.
    const TAlphaColor valueColor = aRow.value(Key("RO", j), false) ? FrameColor : fValueColor;
    const double number = value.is_number() ? value.get<double>() : 0.0;
    switch (code) {
    case KVRInsProp::Text:
    case KVRInsProp::BarValue: Text(aCanvas, fRectF, TextOf(value), valueColor, TTextAlign::Leading); break;
    case KVRInsProp::Number:
    case KVRInsProp::Integer:
        cadS = FormatFloat(TextOf(PartValue(aRow, "F", j)),
                           code == KVRInsProp::Integer ? double(int64_t(number)) : number);
        Text(aCanvas, fRectF, cadS, valueColor, TTextAlign::Center);
        break;
    case KVRInsProp::Color:
        FillBox(aCanvas, fRectF, TAlphaColor(value.is_number_integer() ? value.get<int64_t>() & 0xFFFFFFFF : 0));
        // Framed, so that a colour like the grid's own (white) still shows.
        FrameBox(aCanvas, fRectF, FrameColor);
        break;
    case KVRInsProp::Check:
        FillBox(aCanvas, fRectF, fBackColor);
        FrameBox(aCanvas, fRectF, fCheckBorder);
        if (value.is_boolean() && value.get<bool>()) {
            aCanvas.Stroke().SetColor(fCheckLine);
            aCanvas.Stroke().SetThickness(2);
            Line(aCanvas, fRectF.Left + 2, fRectF.Top + 10, fRectF.Left + 6, fRectF.Bottom - 2);
            Line(aCanvas, fRectF.Left + 6, fRectF.Bottom - 2, fRectF.Right - 6, fRectF.Top + 2);
            aCanvas.Stroke().SetThickness(1);
        }
        break;
    case KVRInsProp::TextCentred:
        Text(aCanvas, fRectF, value.is_string() ? TextOf(value) : QString::number(number), valueColor,
             TTextAlign::Center);
        break;
    case KVRInsProp::Picture: {
        FillBox(aCanvas, TRectF(0, posy, width, posy + float(aRow.value(Key("H", j), 0))), fBackColor);
        const bool map = fOptions.testFlag(KVRFmxInspector::ioMapButton);
        fRectF.Right -= (s22 + s2) * (map ? 2 : 1);
        Text(aCanvas, fRectF, TextOf(value), valueColor, TTextAlign::Leading);
        if (map)
            DrawButton(aCanvas, ButtonBox(aRow, j, posy, true), QStringLiteral("M"));
        DrawButton(aCanvas, dots, QStringLiteral("..."));
        break;
    }
    case KVRInsProp::List: {
        const TVXListProp list = TVXListProp(aRow.value(Key("List", j), 0) & 0xFF);
        if (list == KVRListProp::LineEnds) {
            const TKVRSettings settings = fBaseLab ? fBaseLab->GetSettings() : TKVRSettings();
            DrawTerm(aCanvas, fRectF, TKVRTermType(value.is_number_integer() ? value.get<int32_t>() : 0),
                     settings.GetTermColor(), settings.GetFillTermColor());
        } else
            Text(aCanvas, fRectF, ListText(list, value), valueColor, TTextAlign::Leading);
        break;
    }
    case KVRInsProp::LongText: {
        const float l = float(fLeftGap + aRow.value(Key("L", j), 0));
        FillBox(aCanvas,
                TRectF(l, top, l + float(aRow.value(Key("W", j), 0)), top + float(aRow.value(Key("H", j), 0))),
                fBackColor);
        Text(aCanvas, fRectF, TextOf(value), valueColor, TTextAlign::Leading);
        DrawButton(aCanvas, dots, QStringLiteral("..."));
        break;
    }
    case KVRInsProp::Columns:
    case KVRInsProp::PolyItems:
        FillBox(aCanvas, fRectF, fBackColor);
        DrawButton(aCanvas, dots, QStringLiteral("..."));
        break;
    case KVRInsProp::HorzAlign:
    case KVRInsProp::AlignPos:
        FillBox(aCanvas, fRectF, fBackColor);
        DrawOptions(aCanvas, aRow, j);
        break;
    default: break;
    }
}

TRectF TKVRBaseInspector::ButtonBox(const TJsonObject& aRow, int32_t aPart, float aTop, bool aMap) const
{
    const float width = float(GridWidth());
    const float s2 = float(ScalePos(2, fDPIX)), s20 = float(ScalePos(20, fDPIX)), s22 = float(ScalePos(22, fDPIX));
    const float t = float(aRow.value(Key("T", aPart), 0));
    const float right = aMap ? width - s22 - 3 * s2 : width - s2;
    return TRectF(right - s22 - (aMap ? s2 : 0), aTop + t + 2, right, aTop + t + s20 + 2);
}

TRectF TKVRBaseInspector::OptionBox(const TJsonObject& aRow, int32_t aPart, int32_t aGroup, int32_t aBox,
                                     float aTop) const
{
    const bool both = (aRow.value(Key("Prop", aPart), 0) & 0xFF) == KVRInsProp::AlignPos;
    const float s20 = float(ScalePos(20, fDPIX)), s22 = float(ScalePos(22, fDPIX));
    const int32_t t = aRow.value(Key("T", aPart), 0);
    const float g = float(ScalePos(both ? (108 - fRightGap) / 8 : (174 - fRightGap) / 4, fDPIX));
    const float top = both ? aTop + float(ScalePos(t + 2, fDPIX)) : aTop + float(t) + 2;
    const float left = (aGroup == 0 ? g : 5 * g + 3 * s22) + float(aBox) * (s22 + g);
    return TRectF(left, top, left + s22, top + s20);
}

void TKVRBaseInspector::DrawOptions(TCanvas& aCanvas, const TJsonObject& aRow, int32_t j)
{
    const bool both = (aRow.value(Key("Prop", j), 0) & 0xFF) == KVRInsProp::AlignPos;
    auto px = [this](int32_t n) { return float(ScalePos(n, fDPIX)); };
    // One box: framed, filled (the chosen one in the selection colour, always
    // opaque) and its glyph.
    auto box = [&](int32_t group, int32_t k, bool chosen, auto glyph) {
        const TRectF r = OptionBox(aRow, j, group, k, posy);
        FillBox(aCanvas, r, chosen ? (fSelButColor | 0xFF000000) : fButColor);
        FrameBox(aCanvas, r, FrameColor);
        aCanvas.Stroke().SetColor(chosen ? fCapButPresColor : fCapButColor);
        glyph(r.Left, r.Top);
    };
    const int32_t first = aRow.value("Value1", 0), second = aRow.value("Value2", 0);
    for (int32_t k = 0; k < 3; ++k) {
        // Alignment: the middle stroke shows left, centre or right.
        const float from[] = {4, 8, 10}, to[] = {12, 14, 18};
        box(0, k, first == k, [&](float x, float y) {
            Line(aCanvas, x + px(4), y + px(4), x + px(18), y + px(4));
            Line(aCanvas, x + px(int32_t(from[k])), y + px(10), x + px(int32_t(to[k])), y + px(10));
            Line(aCanvas, x + px(4), y + px(16), x + px(18), y + px(16));
        });
    }
    if (!both)
        return;
    for (int32_t k = 0; k < 3; ++k)
        // Position: two strokes high, in the middle or low.
        box(1, k, second == k, [&](float x, float y) {
            Line(aCanvas, x + px(4), y + px(4 + 4 * k), x + px(18), y + px(4 + 4 * k));
            Line(aCanvas, x + px(4), y + px(8 + 4 * k), x + px(18), y + px(8 + 4 * k));
        });
}

void TKVRBaseInspector::DrawEdit()
{
    if (!fEdit.Active || fEdit.Width <= 0 || fEdit.Height <= 0)
        return;
    const int32_t w = fEdit.Width, h = fEdit.Height;
    fBackEdit = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    {
        TCanvas canvas(&fBackEdit);
        if (!canvas.BeginScene())
            return;
        canvas.Font().SetFamily(QStringLiteral("Verdana"));
        canvas.Font().SetSize(9);
        FillBox(canvas, TRectF(0, 0, float(w), float(h)), fEdit.SelectAll ? fSelColor : fEditColor);
        Text(canvas, TRectF(2, 2, float(w - 2), float(h - 2)), fEdit.Text,
             fEdit.SelectAll ? fSelTextColor : fValueColor, TTextAlign::Leading);
        if (fEdit.SelectAll)
            fEdit.CursorPos = int32_t(fEdit.Text.size());
        const float x = fEdit.CursorPos <= 0 ? 0 : canvas.TextWidth(fEdit.Text.left(fEdit.CursorPos));
        canvas.Stroke().SetColor(CaretColor);
        canvas.Stroke().SetThickness(1);
        Line(canvas, x + 3, 2, x + 3, float(h - 2));
        if (fEdit.InputType == KVRInputType::Decimal || fEdit.InputType == KVRInputType::Integer) {
            canvas.Fill().SetColor(fArrowColor);
            canvas.Stroke().SetColor(fArrowColor);
            const float quarter = float(ScalePos(h / 4, fDPIX)), half = float(ScalePos(h / 2, fDPIX));
            fArrowPts = {TPointF(float(w) - quarter, 2), TPointF(float(w - 2), float(h / 2 - 2)),
                         TPointF(float(w) - half, float(h / 2 - 2))};
            canvas.FillPolygon(fArrowPts, 1);
            canvas.DrawPolygon(fArrowPts, 1);
            fArrowPts = {TPointF(float(w) - quarter, float(h - 2)), TPointF(float(w - 2), float(h / 2 + 2)),
                         TPointF(float(w) - half, float(h / 2 + 2))};
            canvas.FillPolygon(fArrowPts, 1);
            canvas.DrawPolygon(fArrowPts, 1);
        }
        canvas.EndScene();
    }
    viewport()->update();
}
