#include "elements/TKVRLevel.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>

void TKVRLevel::CalcValues(int16_t aMode)
{
    TKVRBaseLevel::CalcValues(aMode);
    // The ratio does not depend on the height; a caption without height still gets one.
    const int32_t height = GetBaseFontHeight() > 0 ? GetBaseFontHeight() : 1000;
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    TKVRCalc::FontSettings(GetFontName(), height, GetBold(), GetItalic(), asc, des, und, lh, Ratio);
    // The metrics are already those of the caption's font (height times the
    // ratio): ascent plus descent make the font height.
    const bool shown = GetBaseFontHeight() > 0;
    Ascent = shown ? asc : 0;
    Descent = shown ? des : 0;
    LevelArc(GetLevelType(), Value, MaxValue, GetAngleGap(), StartAngle, SweepAngle);
}

TKVRLevelFill TKVRLevel::LevelFill(float aValue, float aMaxValue)
{
    if (!(aValue >= 0.0f))  // below the minimum, or no number at all
        return TKVRLevelFill::Empty;
    // Without a maximum there is no share to show, but a value of 0 is at its maximum.
    if (aMaxValue == 0.0f)
        return aValue == 0.0f ? TKVRLevelFill::Full : TKVRLevelFill::Empty;
    if (aValue >= aMaxValue)
        return TKVRLevelFill::Full;
    return aValue > 0.0f ? TKVRLevelFill::Part : TKVRLevelFill::Empty;
}

double TKVRLevel::LevelShare(float aValue, float aMaxValue)
{
    switch (LevelFill(aValue, aMaxValue)) {
    case TKVRLevelFill::Full: return 1.0;
    case TKVRLevelFill::Part: {
        const double share = double(aValue) / double(aMaxValue);
        return std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    }
    default: return 0.0;
    }
}

float TKVRLevel::RingSweep(float aValue, float aMaxValue, float aGap)
{
    const double scale = 360.0 - double(aGap);
    if (aMaxValue == 0.0f)
        return aValue > 0.0f ? float(scale) : 0.0f;
    // Above the maximum the ring runs on into its gap; past a few turns it
    // looks the same, and a bounded sweep keeps the arc quick to build.
    const double sweep = scale * double(aValue) / double(aMaxValue);
    return std::isfinite(sweep) ? float(std::clamp(sweep, 0.0, kMaxRingSweep)) : 0.0f;
}

bool TKVRLevel::LevelArc(TKVRLevelType aType, float aValue, float aMaxValue, float aGap, float& oStart,
                         float& oSweep)
{
    const double share = LevelShare(aValue, aMaxValue);
    switch (aType) {
    case 0: TDraw2D::AngleSegment(share, false, false, oStart, oSweep); return true;
    case 1: TDraw2D::AngleSegment(share, false, true, oStart, oSweep); return true;
    case 2:
        oStart = aGap / 2.0f + 90.0f;
        oSweep = RingSweep(aValue, aMaxValue, aGap);
        return true;
    case 3:
        oStart = aGap / 2.0f;
        oSweep = RingSweep(aValue, aMaxValue, aGap);
        return true;
    default: return false;
    }
}

namespace {

bool IsDiscType(TKVRLevelType aType)
{
    return aType == 0 || aType == 1;
}

bool IsRingType(TKVRLevelType aType)
{
    return aType == 2 || aType == 3;
}

}  // namespace

ISkPath TKVRLevel::GetPath(TKVRBaseDraw* aDraw) const
{
    return LevelPath(aDraw, StartAngle, SweepAngle);
}

ISkPath TKVRLevel::LevelPath(TKVRBaseDraw* aDraw, float aStart, float aSweep) const
{
    TSkPathBuilder builder;
    builder.ArcTo(ScreenBox(*this, static_cast<TKVRDraw*>(aDraw)), aStart, aSweep, true);
    builder.Close();
    return builder.Detach();
}

void TKVRLevel::DrawText(const QString& aCaption, TKVRDraw* aDraw) const
{
    const ISkTypeface typeface = TSkTypeface::MakeFromName(GetFontName(), GetFontStyle(GetBold(), GetItalic()));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(GetFontHeight() * aDraw->TextFactor * Ratio), 1.0f, 0.0f);
    TSkFontMetrics m;
    font->GetMetrics(m);

    SetTextPaint(aDraw, GetFontColor());

    const float w = font->MeasureText(aCaption);
    const float h = std::fabs(m.Ascent) + std::fabs(m.Descent);
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float x1 = p1.DrawX(aDraw), y1 = p1.DrawY(aDraw);
    const float x2 = p2.DrawX(aDraw), y2 = p2.DrawY(aDraw);
    const TPointF pos = DrawTxtPos(x1 + (x2 - x1) / 2.0f, y1 + (y2 - y1) / 2.0f, 0.0f, 0.0f, w, h,
                                   TKVRHorzAlign::Center, TKVRVertAlign::Center, GetAngle());
    if (aCaption.isEmpty())
        return;

    SetTextPaint(aDraw, GetFontColor());
    const ISkCanvas& canvas = aDraw->kC;
    const TKVRSkCanvasSave save(*canvas);
    canvas->Translate(aDraw->ScreenOffsetX + pos.X, aDraw->ScreenOffsetY + pos.Y);
    if (const float turn = TurnDegrees(GetAngle()); turn != 0.0f)
        canvas->Rotate(turn);
    canvas->DrawSimpleText(aCaption, 0.0f, std::fabs(m.Ascent), font, aDraw->kP);
}

void TKVRLevel::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    // Outside the editor the current record, which may have moved on since the last layout.
    float v = Value;
    QString caption = GetText();
    if (FillType != 0 && !IsEditorState(d->DrawState))
        RecordOf(v, caption);
    const TKVRLevelType type = GetLevelType();
    float start = StartAngle, sweep = SweepAngle;
    LevelArc(type, v, MaxValue, GetAngleGap(), start, sweep);
    const TKVRLevelFill fill = LevelFill(v, MaxValue);

    const ISkCanvas& canvas = d->kC;
    const ISkPaint& paint = d->kP;
    paint->SetPathEffect(nullptr);
    paint->SetAntiAlias(true);
    const TRectF box = ScreenBox(*this, d);
    const bool pen = GetPenWidth() > 0.0f;
    const bool filled = GetFilled() && Alpha() != 0;

    auto fillOval = [&](TAlphaColor aColor) {
        SetFillPaint(d, aColor);
        canvas->DrawOval(box, paint);
    };
    // Outline and ring: solid, in the line colour and pen width.
    auto linePaint = [&] {
        SetLinePaint(d, GetColor(), GetPenWidth());
        paint->SetPathEffect(nullptr);
        paint->SetStyle(TSkPaintStyle::Stroke);
    };
    auto outline = [&] {
        linePaint();
        canvas->DrawOval(box, paint);
    };
    auto levelPart = [&] {
        if (fill == TKVRLevelFill::Part) {
            SetFillPaint(d, LevelColor);
            canvas->DrawPath(LevelPath(d, start, sweep), paint);
        } else if (fill == TKVRLevelFill::Full) {
            fillOval(LevelColor);
        }
    };
    auto ring = [&] {
        if (!(v > 0.0f))
            return;
        const int64_t cx = GetBaseCenterX(), cy = GetBaseCenterY(), r = GetBaseRadio();
        const TRectF square(d->ScreenOffsetX + d->GetDrawX(cx - r), d->ScreenOffsetY + d->GetDrawY(cy - r),
                            d->ScreenOffsetX + d->GetDrawX(cx + r), d->ScreenOffsetY + d->GetDrawY(cy + r));
        linePaint();
        canvas->DrawArc(square, start, sweep, false, paint);
    };

    if (IsDiscType(type)) {
        if (filled) {
            fillOval(fill == TKVRLevelFill::Full ? LevelColor : GetBackColor());
            if (fill == TKVRLevelFill::Part)
                levelPart();
            if (pen)
                outline();
        } else if (pen) {
            outline();
            levelPart();
        }
    } else if (IsRingType(type) && pen) {
        if (filled)
            fillOval(GetBackColor());
        ring();
    }

    DrawText(caption, d);
    if (GetIsData() && d->DrawState == KVRDrawState::Editor) {
        const TKVRPto p1 = GetPoint(1);
        DrawData(d, d->ScreenOffsetX + p1.DrawX(d), d->ScreenOffsetY + p1.DrawY(d));
    }
}

void TKVRLevel::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas* pc = d->pC;
    // Each printed label takes the record it is printed for.
    const bool fromRecord = FillType != 0;
    if (fromRecord)
        FillData(false);
    const float v = fromRecord ? RecordValue : Value;
    const QString caption = fromRecord ? RecordText : GetText();
    const TKVRLevelType type = GetLevelType();
    float start = StartAngle, sweep = SweepAngle;
    LevelArc(type, v, MaxValue, GetAngleGap(), start, sweep);
    const TKVRLevelFill fill = LevelFill(v, MaxValue);

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TRectF box = PaperBox(*this, d);
    const TPointF centre((box.Left + box.Right) / 2.0f, (box.Top + box.Bottom) / 2.0f);
    const TPointF radius(box.Width() / 2.0f, box.Height() / 2.0f);

    pc->Stroke().SetCap(TStrokeCap::Flat);
    pc->Stroke().SetKind(TBrushKind::Solid);
    pc->Stroke().SetDash(TStrokeDash::Solid);
    pc->Fill().SetKind(TBrushKind::Solid);
    if (GetFilled()) {
        pc->Fill().SetColor(fill == TKVRLevelFill::Full && IsDiscType(type) ? LevelColor : GetBackColor());
        pc->FillEllipse(box, 1.0f);
    }
    if (IsDiscType(type)) {
        if (fill == TKVRLevelFill::Part) {
            TPathData path;
            path.AddArc(centre, radius, start, sweep);
            path.ClosePath();
            pc->Fill().SetColor(LevelColor);
            pc->FillPath(path, 1.0f);
        } else if (fill == TKVRLevelFill::Full && !GetFilled()) {
            pc->Fill().SetColor(LevelColor);
            pc->FillEllipse(box, 1.0f);
        }
        if (GetPenWidth() > 0.0f) {
            pc->Stroke().SetColor(GetColor());
            pc->Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));
            pc->DrawEllipse(box, 1.0f);
        }
    } else if (IsRingType(type) && v > 0.0f && GetPenWidth() > 0.0f) {  // as on screen: no pen, no ring
        pc->Stroke().SetColor(GetColor());
        pc->Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));
        pc->DrawArc(centre, radius, start, sweep, 255.0f);
    }

    if (caption.isEmpty())
        return;
    TCanvasStateGuard guard(*pc);
    SetPrintFont(*pc, GetFontName(), float(FontPrintSize(GetFontHeight()) * Ratio), GetBold(), GetItalic(),
                 GetUnderline());
    const TPointF size = GetTextSize(*pc, caption);
    // The centre in 64 bits: the two corners may lie at the device's two ends.
    const int64_t px1 = p1.PrintX(d), py1 = p1.PrintY(d);
    const int32_t cx = int32_t(px1 + (p2.PrintX(d) - px1) / 2);
    const int32_t cy = int32_t(py1 + (p2.PrintY(d) - py1) / 2);
    int32_t x = 0, y = 0;
    PrintTxtPos(cx, cy, 0, 0, RoundHalfEven32(size.X), RoundHalfEven32(size.Y), TKVRHorzAlign::Center,
                TKVRVertAlign::Center, GetAngle(), x, y);
    const TPointF o = GetInternalTextOffset(*pc, caption);

    pc->Stroke().SetColor(GetFontColor());
    pc->Stroke().SetThickness(0.0f);
    pc->Fill().SetKind(TBrushKind::Solid);
    pc->Fill().SetColor(GetFontColor());
    d->ResetMatrix(KVRDrawState::Print);
    if (GetAngle() != TKVRAngle::Angle0)
        d->Rotate(ToDegrees(PrintAngle(GetAngle())));
    const float bx = float(PrintCellX(d, x)), by = float(PrintCellY(d, y));
    switch (GetAngle()) {
    case TKVRAngle::Angle90: d->Translate(bx + o.Y, by - o.X); break;
    case TKVRAngle::Angle180: d->Translate(bx - o.X, by - o.Y); break;
    case TKVRAngle::Angle270: d->Translate(bx - o.Y, by + o.X); break;
    default: d->Translate(bx + o.X, by + o.Y); break;
    }
    d->ApplyMatrix();
    pc->FillText(TRectF(0, 0, 50000, 50000), caption, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
}
