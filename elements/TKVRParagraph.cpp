#include "elements/TKVRParagraph.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include "render/TKVRLineScanner.h"
#include <algorithm>
#include <limits>

namespace {

// The box with its extent along the lines' stacking direction set, from the
// edge where the lines start.
TRectF FittedBox(TRectF aBox, TKVRAngle aAngle, float aExtent)
{
    switch (aAngle) {
    case TKVRAngle::Angle90: aBox.Right = aBox.Left + aExtent; break;
    case TKVRAngle::Angle180: aBox.Top = aBox.Bottom - aExtent; break;
    case TKVRAngle::Angle270: aBox.Left = aBox.Right - aExtent; break;
    default: aBox.Bottom = aBox.Top + aExtent; break;
    }
    return aBox;
}

// A laid-out line as it is painted: without its line-break characters.
QString LineOf(const QString& aText, int32_t aStart, int32_t aLength)
{
    QString s = aText.mid(aStart - 1, aLength);
    s.remove(QChar(u'\r'));
    s.remove(QChar(u'\n'));
    return s;
}

}  // namespace

TKVRParagraph::TKVRParagraph(TKVRBaseLabel* aOwner) : TKVRBasePara(aOwner, false)
{
}

TKVRParagraph::TKVRParagraph(TKVRBaseLabel* aOwner, TKVRLayer* aLayer) : TKVRBasePara(aOwner, aLayer, false)
{
}

TKVRParagraph::TKVRParagraph(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePara(aOwner, aPreview)
{
}

void TKVRParagraph::IniPara()
{
    SetBaseFontHeight(6000);
    SetScaleX(1.0f);
}

void TKVRParagraph::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    IniPara();
    TKVRBasePara::ReadData(aVersion, aReader, aReadType);
}

int64_t TKVRParagraph::GrowRoom() const
{
    const TKVRBaseLabel* owner = GetOwner();
    const double scale = std::max(GetDrawScale(), 1);
    const TKVRPto p1 = GetPoint(1), p2 = GetPoint(2);
    const int64_t padX2 = 2 * int64_t(GetScalePadX()), padY2 = 2 * int64_t(GetScalePadY());
    auto paper = [&](int64_t model) { return RoundHalfEven(double(model) / scale); };
    switch (GetAngle()) {
    case TKVRAngle::Angle90: return (owner ? owner->GetMeasure().GetWidth() : paper(p2.X)) - paper(p1.X) - padX2;
    case TKVRAngle::Angle180: return paper(p2.Y) - padY2;
    case TKVRAngle::Angle270: return paper(p2.X) - padX2;
    default: return (owner ? owner->GetMeasure().GetHeight() : paper(p2.Y)) - paper(p1.Y) - padY2;
    }
}

void TKVRParagraph::CalcValues(int16_t aMode)
{
    TKVRBasePara::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    int32_t w = 0, h = 0;
    WrapBox(w, h);
    Lines.clear();
    fFittedExtent = -1;
    // A box with no room inside holds no line (a height of 0 would mean "unbounded").
    if (w <= 0 || h <= 0)
        return;
    // A data-bound box fits its text as paper does: the lines are counted in
    // the room the flags allow, then laid out in the room the box takes.
    int64_t room = h;
    if (GetIsData() && (AutoGrow || AutoShrink)) {
        const int64_t probeRoom = AutoGrow ? std::max<int64_t>(h, GrowRoom()) : h;
        TxtLines probe;
        TKVRCalc::CalcTxtPts(DisplayText, nullptr, probe, w,
                             int32_t(std::min<int64_t>(probeRoom, std::numeric_limits<int32_t>::max())), 0, 0,
                             GetHorzAlign(), TKVRVertAlign::Top, GetScaleX());
        const int64_t need = int64_t(probe.size()) * KVRLineStep(LineHeight, GetScaleX());
        room = std::min<int64_t>(KVRFitRoom<int64_t>(true, AutoGrow, AutoShrink, h, need),
                                 std::numeric_limits<int32_t>::max());
        if (room != h) {
            const bool turned = IsQuarterTurn(GetAngle());
            fFittedExtent = room + 2 * int64_t(turned ? GetScalePadX() : GetScalePadY());
        }
    }
    if (room <= 0)
        return;
    // The margins are already out of the wrap box: the layout adds none.
    TKVRCalc::CalcTxtPts(DisplayText, nullptr, Lines, w, int32_t(room), 0, 0, GetHorzAlign(), GetVertAlign(),
                         GetScaleX());
}

void TKVRParagraph::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const TRectF box = ScreenBox(*this, d);
    const TKVRBoxStyle style = ParaBoxStyle(d, *this, true);
    if (fFittedExtent >= 0) {
        const bool turned = IsQuarterTurn(GetAngle());
        DrawBox(d, FittedBox(box, GetAngle(), PaperToPixels(fFittedExtent, turned ? d->ResolutionX : d->ResolutionY)),
                style, !style.Filled);
    } else {
        DrawBox(d, box, style, !style.Filled);
    }
    DrawDataMarker(d, *this);
    // Lines and text of the last layout; nothing of the element is written here.
    const QString text = DisplayText;
    if (text.isEmpty())
        return;

    const ISkTypeface typeface = TSkTypeface::MakeFromName(GetFontName(), GetFontStyle(GetBold(), GetItalic()));
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(GetFontHeight() * d->TextFactor * Ratio), 1.0f, 0.0f);
    const ISkPaint& paint = d->kP;
    const ISkCanvas& canvas = d->kC;
    paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint->SetStyle(TSkPaintStyle::Fill);
    paint->SetAntiAlias(true);
    paint->SetColor(GetFontColor());
    paint->SetStrokeWidth(1.0f);

    // Each margin stays on its own axis of the box, as on paper.
    const TPointF origin = TextAreaOrigin(GetAngle(), box,
                                          ModelToPixels(*this, GetBasePadX(), d->ResolutionX, d),
                                          ModelToPixels(*this, GetBasePadY(), d->ResolutionY, d));
    const TKVRSkCanvasSave save(*canvas);
    canvas->Translate(origin.X, origin.Y);
    if (GetAngle() != TKVRAngle::Angle0)
        canvas->Rotate(TurnDegrees(GetAngle()));

    const float A = d->DrawValueY(Ascent);
    const float U = d->DrawValueY(UnderlinePos);
    paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint->SetStyle(TSkPaintStyle::Fill);
    paint->SetAntiAlias(true);
    for (const TKVRTxtInf& line : Lines) {
        const QString lineText = LineOf(text, line.Start, line.Length);
        const float x = PaperToPixels(line.X, d->ResolutionX);
        const float y = PaperToPixels(line.Y, d->ResolutionY);
        if (GetUnderline()) {
            paint->SetStrokeCap(TSkStrokeCap::Butt);
            paint->SetStrokeWidth(1.0f);
            paint->SetPathEffect(nullptr);
            paint->SetStyle(TSkPaintStyle::Stroke);
            canvas->DrawLine(x, y + U + A, x + font->MeasureText(lineText), y + U + A, paint);
            paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
            paint->SetStyle(TSkPaintStyle::Fill);
        }
        canvas->DrawSimpleText(lineText, x, y + A, font, paint);
    }
}

void TKVRParagraph::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    const TKVRBaseLabel* owner = GetOwner();
    aText = PrintText();
    SetPrintFont(c, GetFontName(), float(FontPrintSize(GetFontHeight()) * Ratio), GetBold(), GetItalic(),
                 GetUnderline());

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float X1 = p1.DrawX(d), Y1 = p1.DrawY(d);
    const float X2 = p2.DrawX(d), Y2 = p2.DrawY(d);
    const float padX = ModelToPixels(*this, GetBasePadX(), d->ResolutionX, d);
    const float padY = ModelToPixels(*this, GetBasePadY(), d->ResolutionY, d);
    const float padX2 = 2.0f * padX;
    const float padY2 = 2.0f * padY;

    // Room along the stacking direction (A) and along the lines (B). Only a
    // data-bound box fits its text, so only there may the text run on to the
    // label's far edge; any other box is laid out as the screen lays it out.
    const bool bound = GetIsData();
    const bool grow = bound && AutoGrow;
    const float labelH = owner ? PaperToPixels(owner->GetMeasure().GetHeight(), d->ResolutionY) : Y2;
    const float labelW = owner ? PaperToPixels(owner->GetMeasure().GetWidth(), d->ResolutionX) : X2;
    const bool turned = IsQuarterTurn(GetAngle());
    const float pad2 = turned ? padX2 : padY2;
    const float boxRoom = (turned ? X2 - X1 : Y2 - Y1) - pad2;
    float A = boxRoom;
    if (grow) {
        switch (GetAngle()) {
        case TKVRAngle::Angle90: A = labelW - X1 - padX2; break;
        case TKVRAngle::Angle180: A = Y2 - padY2; break;
        case TKVRAngle::Angle270: A = X2 - padX2; break;
        default: A = labelH - Y1 - padY2; break;
        }
        A = std::max(A, boxRoom);
    }
    const float B = turned ? Y2 - Y1 - padY2 : X2 - X1 - padX2;

    // Lines are laid out from the top, then the block is placed in the room
    // the box takes; block and line step follow the screen's rule.
    const float lineHeight = PaperToPixels(LineHeight, d->ResolutionY) * GetScaleX();
    const float textHeight = PaperToPixels(int64_t(Ascent) + Descent, d->ResolutionY);
    auto layOut = [&](float room) {
        bool complete = false;
        PrintTxtPointsWith(
            aText, fPrintLines, room, B, lineHeight, GetHorzAlign(), GetVertAlign(), true,
            [&](const QString& s) { return GetTextSize(c, s).X; },
            [&](const QString& s) { return GetInternalTextOffset(c, s); }, textHeight, &complete);
        return complete;
    };
    bool complete = layOut(A);
    const float room =
        KVRFitRoom(bound, AutoGrow, AutoShrink, boxRoom, float(fPrintLines.size()) * lineHeight);
    if (room == boxRoom && A != boxRoom)
        complete = layOut(boxRoom);  // the box keeps its size: its lines are the screen's
    if (complete)
        AlignPrintLines(fPrintLines, room, lineHeight, textHeight, GetVertAlign());

    const TRectF box(PaperCellX(d, X1), PaperCellY(d, Y1), PaperCellX(d, X2), PaperCellY(d, Y2));
    if (GetPenWidth() > 0.0f || GetFilled())
        PrintBox(d, room == boxRoom ? box : FittedBox(box, GetAngle(), room + pad2),
                 ParaBoxStyle(d, *this, false));

    c.Stroke().SetColor(GetFontColor());
    c.Stroke().SetThickness(0.0f);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(GetFontColor());
    TCanvasStateGuard guard(c);
    const TPointF origin = TextAreaOrigin(GetAngle(), box, padX, padY);
    for (const TKVRFTxtInf& line : fPrintLines) {
        const QString lineText = LineOf(aText, line.Start, line.Length);
        // Offsets are printer pixels already: no drawing scale applies to them.
        const TPointF t = TDraw2D::RotatePoint(TPointF(line.X, line.Y), TPointF(), GetAngle());
        d->ResetMatrix(KVRDrawState::Print);
        if (GetAngle() != TKVRAngle::Angle0)
            d->Rotate(TurnDegrees(GetAngle()));
        d->Translate(origin.X + t.X, origin.Y + t.Y);
        d->ApplyMatrix();
        c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 10000.0f), lineText, false, 255.0f, 0, TTextAlign::Leading,
                   TTextAlign::Leading);
    }
}
