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

namespace {

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

void TKVRParagraph::CalcValues(int16_t aMode)
{
    TKVRBasePara::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    int32_t w = 0, h = 0;
    WrapBox(w, h);
    Lines.clear();
    // A box with no room inside holds no line (a height of 0 would mean "unbounded").
    if (w <= 0 || h <= 0)
        return;
    // The margins are already out of the wrap box: the layout adds none.
    TKVRCalc::CalcTxtPts(DisplayText, nullptr, Lines, w, h, 0, 0, GetHorzAlign(), GetVertAlign(), GetScaleX());
}

void TKVRParagraph::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    DrawParaBox(d, *this);
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
    const TPointF origin = TextAreaOrigin(GetAngle(), ScreenBox(*this, d),
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

    // Room along the stacking direction (A) and along the lines (B); with
    // AutoGrow the text may run on to the label's far edge.
    const float labelH = owner ? PaperToPixels(owner->GetMeasure().GetHeight(), d->ResolutionY) : Y2;
    const float labelW = owner ? PaperToPixels(owner->GetMeasure().GetWidth(), d->ResolutionX) : X2;
    float A = 0.0f, B = 0.0f;
    switch (GetAngle()) {
    case TKVRAngle::Angle90:
        A = AutoGrow ? labelW - X1 - padX2 : X2 - X1 - padX2;
        B = Y2 - Y1 - padY2;
        break;
    case TKVRAngle::Angle180:
        A = AutoGrow ? Y2 - padY2 : Y2 - Y1 - padY2;
        B = X2 - X1 - padX2;
        break;
    case TKVRAngle::Angle270:
        A = AutoGrow ? X2 - padX2 : X2 - X1 - padX2;
        B = Y2 - Y1 - padY2;
        break;
    default:
        A = AutoGrow ? labelH - Y1 - padY2 : Y2 - Y1 - padY2;
        B = X2 - X1 - padX2;
        break;
    }

    const float lineHeight = PaperToPixels(LineHeight, d->ResolutionY) * GetScaleX();
    float R = PrintTxtPoints(aText, d, fPrintLines, A, B, lineHeight, GetHorzAlign(), GetVertAlign(), AutoGrow,
                             AutoShrink);
    R += IsQuarterTurn(GetAngle()) ? padX2 : padY2;

    const TRectF box(PaperCellX(d, X1), PaperCellY(d, Y1), PaperCellX(d, X2), PaperCellY(d, Y2));
    if (GetPenWidth() > 0.0f || GetFilled()) {
        TRectF b = box;
        if (GetIsData()) {
            // A data-bound box fits its text: it grows up to the text's need
            // or shrinks down to it, as its flags allow.
            const float extent = IsQuarterTurn(GetAngle()) ? b.Width() : b.Height();
            if ((AutoGrow && R > extent) || (AutoShrink && R < extent)) {
                switch (GetAngle()) {
                case TKVRAngle::Angle90: b.Right = b.Left + R; break;
                case TKVRAngle::Angle180: b.Top = b.Bottom - R; break;
                case TKVRAngle::Angle270: b.Left = b.Right - R; break;
                default: b.Bottom = b.Top + R; break;
                }
            }
        }
        PrintBox(d, b, ParaBoxStyle(d, *this, false));
    }

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
