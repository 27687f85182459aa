#include "elements/TKVRParagraph.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <numbers>

namespace {

// A model length (µm) in pixels of the context at a resolution, as the
// document converts it (drawing scale applied).
float ModelToPixels(const TKVRBaseItem& aItem, int64_t aMicrometres, int32_t aResolution, const TKVRDraw* aDraw)
{
    if (const TKVRBaseLabel* owner = aItem.GetOwner())
        return owner->GetDrawValue(aMicrometres, aResolution);
    return float(double(aMicrometres) * aResolution / (25400.0 * aDraw->DrawScale));
}

// A paper length (µm) in pixels at a resolution: layouts and font metrics.
float PaperToPixels(int64_t aMicrometres, int32_t aResolution)
{
    return float(double(aMicrometres) * aResolution / 25400.0);
}

// A laid-out line as it is painted: without its line-break characters.
QString LineOf(const QString& aText, int32_t aStart, int32_t aLength)
{
    QString s = aText.mid(aStart - 1, aLength);
    s.remove(QChar(u'\r'));
    s.remove(QChar(u'\n'));
    return s;
}

bool Turned(TKVRAngle aAngle)
{
    return aAngle == TKVRAngle::Angle90 || aAngle == TKVRAngle::Angle270;
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

TKVRBaseItem* TKVRParagraph::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                  TKVRReadType aReadType)
{
    return KVRReadItem<TKVRParagraph>([&](TKVRParagraph& e) { e.ReadData(aVersion, aReader, aReadType); },
                                      aLabel, aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRParagraph::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRParagraph>([&](TKVRParagraph& e) { e.ReadJson(aVersion, aJson); }, aLabel);
}

void TKVRParagraph::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBasePara::WriteData(aWriter);
}

void TKVRParagraph::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    IniPara();
    TKVRBasePara::ReadData(aVersion, aReader, aReadType);
}

void TKVRParagraph::WrapBox(int32_t& oWidth, int32_t& oHeight) const
{
    // The paper rule on every surface: the box less one margin on each side.
    const int32_t w = BaseScaleWidth() - 2 * GetScalePadX();
    const int32_t h = BaseScaleHeight() - 2 * GetScalePadY();
    oWidth = Turned(GetAngle()) ? h : w;
    oHeight = Turned(GetAngle()) ? w : h;
}

void TKVRParagraph::CalcValues(int16_t aMode)
{
    TKVR2DItem::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    int32_t w = 0, h = 0;
    WrapBox(w, h);
    Lines.clear();
    // A box with no room inside holds no line (a height of 0 would mean "unbounded").
    if (w <= 0 || h <= 0)
        return;
    // The margins are already out of the wrap box: the layout adds none.
    TKVRCalc::CalcTxtPts(GetText(), nullptr, Lines, w, h, 0, 0, GetHorzAlign(), GetVertAlign(), GetScaleX());
}

void TKVRParagraph::DrawBox(TKVRDraw* d)
{
    const bool pen = GetPenWidth() > 0.0f;
    const bool filled = GetFilled() && Alpha() != 0;
    if (!filled && !pen)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TRectF r(p1.DrawX(d) + d->ScreenOffsetX, p1.DrawY(d) + d->ScreenOffsetY, p2.DrawX(d) + d->ScreenOffsetX,
                   p2.DrawY(d) + d->ScreenOffsetY);
    const float rx = d->GetDrawX(GetBaseRadio());
    const float ry = d->GetDrawY(GetBaseRadio());
    auto shape = [&](const TRectF& aRect) {
        if (GetBaseRadio() == 0)
            d->kC->DrawRect(aRect, d->kP);
        else
            d->kC->DrawRoundRect(aRect, rx, ry, d->kP);
    };
    auto outline = [&]() {
        paint.SetColor(GetColor());
        paint.SetStyle(TSkPaintStyle::Stroke);
        paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    };
    if (filled) {
        paint.SetColor(GetBackColor());
        paint.SetStyle(TSkPaintStyle::Fill);
        shape(r);
        if (pen) {
            outline();
            shape(r);
        }
    } else {
        outline();
        // An unfilled frame lies inside the box.
        const float half = paint.GetStrokeWidth() / 2.0f;
        shape(TRectF(r.Left + half, r.Top + half, r.Right - half, r.Bottom - half));
    }
}

void TKVRParagraph::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    DrawBox(d);
    const float sx = d->ScreenOffsetX;
    const float sy = d->ScreenOffsetY;
    if (GetIsData() && d->DrawState == KVRDrawState::Editor)
        DrawData(d, sx + GetRefX(1) * d->TextFactor, sy + GetRefY(1) * d->TextFactor);
    const QString text = GetText();
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

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float x1 = p1.DrawX(d) + sx, y1 = p1.DrawY(d) + sy;
    const float x2 = p2.DrawX(d) + sx, y2 = p2.DrawY(d) + sy;
    // Each margin stays on its own axis of the box, as on paper.
    const float hx = ModelToPixels(*this, GetBasePadX(), d->ResolutionX, d);
    const float vy = ModelToPixels(*this, GetBasePadY(), d->ResolutionY, d);
    canvas->Save();
    switch (GetAngle()) {
    case TKVRAngle::Angle90:
        canvas->Translate(x1 + hx, y2 - vy);
        canvas->Rotate(-90.0f);
        break;
    case TKVRAngle::Angle180:
        canvas->Translate(x2 - hx, y2 - vy);
        canvas->Rotate(-180.0f);
        break;
    case TKVRAngle::Angle270:
        canvas->Translate(x2 - hx, y1 + vy);
        canvas->Rotate(-270.0f);
        break;
    default: canvas->Translate(x1 + hx, y1 + vy); break;
    }

    const float A = d->DrawValueY(Ascent);
    const float U = d->DrawValueY(UnderlinePos);
    paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint->SetStyle(TSkPaintStyle::Fill);
    paint->SetAntiAlias(true);
    for (const TKVRTxtInf& line : Lines) {
        aLine = LineOf(text, line.Start, line.Length);
        const float x = PaperToPixels(line.X, d->ResolutionX);
        const float y = PaperToPixels(line.Y, d->ResolutionY);
        if (GetUnderline()) {
            paint->SetStrokeCap(TSkStrokeCap::Butt);
            paint->SetStrokeWidth(1.0f);
            paint->SetPathEffect(nullptr);
            paint->SetStyle(TSkPaintStyle::Stroke);
            canvas->DrawLine(x, y + U + A, x + font->MeasureText(aLine), y + U + A, paint);
            paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
            paint->SetStyle(TSkPaintStyle::Fill);
        }
        canvas->DrawSimpleText(aLine, x, y + A, font, paint);
    }
    canvas->Restore();
}

void TKVRParagraph::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;
    TCanvas& c = *d->pC;
    const TKVRBaseLabel* owner = GetOwner();
    aText = (FillType == 0 || !owner) ? GetText() : owner->DataValue(FillName, GetFormat(), FillType);

    TFontStyles style = 0;
    if (GetBold())
        style |= FontStyleSet(TFontStyle::Bold);
    if (GetItalic())
        style |= FontStyleSet(TFontStyle::Italic);
    if (GetUnderline())
        style |= FontStyleSet(TFontStyle::Underline);
    c.Font().SetFamily(GetFontName());
    c.Font().SetSize(float(FontPrintSize(GetFontHeight()) * Ratio));
    c.Font().SetStyle(style);

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float X1 = p1.DrawX(d), Y1 = p1.DrawY(d);
    const float X2 = p2.DrawX(d), Y2 = p2.DrawY(d);
    const float cx = float(d->PrintOffsetX);
    const float cy = float(d->PrintOffsetY);
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
    R += Turned(GetAngle()) ? padX2 : padY2;

    fPrintBox = TRectF(cx + X1, cy + Y1, cx + X2, cy + Y2);
    const bool pen = GetPenWidth() > 0.0f;
    if (pen || GetFilled()) {
        if (FillType != 0) {
            // A data-bound box fits its text: it grows up to the text's need
            // or shrinks down to it, as its flags allow.
            TRectF& b = fPrintBox;
            const float extent = Turned(GetAngle()) ? b.Width() : b.Height();
            if ((AutoGrow && R > extent) || (AutoShrink && R < extent)) {
                switch (GetAngle()) {
                case TKVRAngle::Angle90: b.Right = b.Left + R; break;
                case TKVRAngle::Angle180: b.Top = b.Bottom - R; break;
                case TKVRAngle::Angle270: b.Left = b.Right - R; break;
                default: b.Bottom = b.Top + R; break;
                }
            }
        }
        float radius = 0.0f;
        TCorners corners = NoCorners;
        if (GetBaseRadio() > 0) {
            radius = ModelToPixels(*this, GetBaseRadio(), d->ResolutionX, d);
            corners = AllCorners;
        }
        if (GetFilled()) {
            c.Fill().SetKind(TBrushKind::Solid);
            c.Fill().SetColor(GetBackColor());
            c.FillRect(fPrintBox, radius, radius, corners, 1.0f, TCornerType::Round);
        }
        if (pen) {
            c.Stroke().SetKind(TBrushKind::Solid);
            c.Stroke().SetDash(TStrokeDash::Solid);
            c.Stroke().SetColor(GetColor());
            c.Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));
            c.DrawRect(fPrintBox, radius, radius, corners, 1.0f, TCornerType::Round);
        }
    }

    c.Stroke().SetColor(GetFontColor());
    c.Stroke().SetThickness(0.0f);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(GetFontColor());
    TCanvasStateGuard guard(c);
    const float turn = float(PrintAngle(GetAngle()) * 180.0 / std::numbers::pi);
    for (const TKVRFTxtInf& line : fPrintLines) {
        d->ResetMatrix(KVRDrawState::Print);
        aLine = LineOf(aText, line.Start, line.Length);
        // Offsets are printer pixels already: no drawing scale applies to them.
        const float lx = line.X;
        const float ly = line.Y;
        switch (GetAngle()) {
        case TKVRAngle::Angle90:
            d->Rotate(turn);
            d->Translate(cx + X1 + padX + ly, cy + Y2 - padY - lx);
            break;
        case TKVRAngle::Angle180:
            d->Rotate(turn);
            d->Translate(cx + X2 - padX - lx, cy + Y2 - padY - ly);
            break;
        case TKVRAngle::Angle270:
            d->Rotate(turn);
            d->Translate(cx + X2 - padX - ly, cy + Y1 + padY + lx);
            break;
        default: d->Translate(cx + X1 + padX + lx, cy + Y1 + padY + ly); break;
        }
        d->ApplyMatrix();
        c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 10000.0f), aLine, false, 255.0f, 0, TTextAlign::Leading,
                   TTextAlign::Leading);
    }
}
