#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <numbers>

bool CanDraw(const TKVRDraw* aDraw)
{
    return aDraw && aDraw->kC && aDraw->kP;
}

bool CanPrint(const TKVRDraw* aDraw)
{
    return aDraw && aDraw->pC;
}

TPointF ScreenAt(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return {aPoint.DrawX(aDraw) + aDraw->ScreenOffsetX, aPoint.DrawY(aDraw) + aDraw->ScreenOffsetY};
}

TPointF PaperAt(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return PaperCellAt(aPoint, aDraw);
}

TPointF PrintAt(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return PrintCellAt(aPoint, aDraw);
}

TRectF ScreenBox(const TKVRBaseItem& aItem, const TKVRDraw* aDraw)
{
    const TPointF a = ScreenAt(aItem.GetPoint(1), aDraw);
    const TPointF b = ScreenAt(aItem.GetPoint(2), aDraw);
    return TRectF(a.X, a.Y, b.X, b.Y);
}

TRectF PaperBox(const TKVRBaseItem& aItem, const TKVRDraw* aDraw)
{
    const TPointF a = PaperAt(aItem.GetPoint(1), aDraw);
    const TPointF b = PaperAt(aItem.GetPoint(2), aDraw);
    return TRectF(a.X, a.Y, b.X, b.Y);
}

void SetFillPaint(TKVRDraw* aDraw, TAlphaColor aColor)
{
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(aColor);
    paint.SetPathEffect(nullptr);
    paint.SetStyle(TSkPaintStyle::Fill);
}

void SetTextPaint(TKVRDraw* aDraw, TAlphaColor aColor)
{
    TSkPaint& paint = *aDraw->kP;
    paint.SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint.SetStyle(TSkPaintStyle::Fill);
    paint.SetAntiAlias(true);
    paint.SetColor(aColor);
}

TKVRSkCanvasSave::TKVRSkCanvasSave(TSkCanvas& aCanvas) : fCanvas(aCanvas), fCount(aCanvas.Save()) {}

TKVRSkCanvasSave::~TKVRSkCanvasSave()
{
    fCanvas.RestoreToCount(fCount);
}

bool IsEditorState(TKVRDrawState aState)
{
    return aState == KVRDrawState::Editor || aState == KVRDrawState::EditorText;
}

void DrawDataMarker(TKVRDraw* aDraw, const TKVRBaseItem& aItem)
{
    if (aDraw->DrawState != KVRDrawState::Editor || !aItem.GetIsData())
        return;
    DrawData(aDraw, aDraw->ScreenOffsetX + aItem.GetRefX(1) * aDraw->TextFactor,
             aDraw->ScreenOffsetY + aItem.GetRefY(1) * aDraw->TextFactor);
}

float ModelToPixels(const TKVRBaseItem& aItem, int64_t aMicrometres, int32_t aResolution, const TKVRDraw* aDraw)
{
    if (const TKVRBaseLabel* owner = aItem.GetOwner())
        return owner->GetDrawValue(aMicrometres, aResolution);
    return float(double(aMicrometres) * aResolution / (25400.0 * aDraw->DrawScale));
}

float PaperToPixels(int64_t aMicrometres, int32_t aResolution)
{
    return float(double(aMicrometres) * aResolution / 25400.0);
}

float TurnDegrees(TKVRAngle aAngle)
{
    switch (aAngle) {
    case TKVRAngle::Angle90: return -90.0f;
    case TKVRAngle::Angle180: return -180.0f;
    case TKVRAngle::Angle270: return -270.0f;
    default: return 0.0f;
    }
}

bool IsQuarterTurn(TKVRAngle aAngle)
{
    return aAngle == TKVRAngle::Angle90 || aAngle == TKVRAngle::Angle270;
}

float ToDegrees(double aRadians)
{
    return float(aRadians * 180.0 / std::numbers::pi);
}

void DrawBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle, bool aInsetFrame)
{
    const bool pen = aStyle.PenWidth > 0.0f;
    if (!aStyle.Filled && !pen)
        return;
    TSkPaint& paint = *aDraw->kP;
    auto shape = [&](const TRectF& aRect) {
        if (aStyle.RadiusX > 0.0f || aStyle.RadiusY > 0.0f)
            aDraw->kC->DrawRoundRect(aRect, aStyle.RadiusX, aStyle.RadiusY, aDraw->kP);
        else
            aDraw->kC->DrawRect(aRect, aDraw->kP);
    };
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    if (aStyle.Filled) {
        SetFillPaint(aDraw, aStyle.BackColor);
        shape(aBox);
    }
    if (pen) {
        paint.SetColor(aStyle.Color);
        paint.SetStyle(TSkPaintStyle::Stroke);
        if (aStyle.Patterned)
            AdjustLineType(aDraw, aStyle.LineType, aStyle.State);
        paint.SetStrokeWidth(aDraw->BasePtoY(aStyle.PenWidth));
        const float h = aInsetFrame ? paint.GetStrokeWidth() / 2.0f : 0.0f;
        shape(TRectF(aBox.Left + h, aBox.Top + h, aBox.Right - h, aBox.Bottom - h));
    }
}

void PrintBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle)
{
    TCanvas& c = *aDraw->pC;
    const bool round = aStyle.RadiusX > 0.0f || aStyle.RadiusY > 0.0f;
    const TCorners corners = round ? AllCorners : NoCorners;
    if (aStyle.Patterned) {
        c.Stroke().SetCap(TStrokeCap::Flat);
        AdjustPrintLineType(aDraw, aStyle.PenWidth, aStyle.LineType);
    }
    if (aStyle.Filled) {
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(aStyle.BackColor);
        c.FillRect(aBox, aStyle.RadiusX, aStyle.RadiusY, corners, 1.0f, TCornerType::Round);
    }
    if (aStyle.PenWidth > 0.0f) {
        c.Stroke().SetKind(TBrushKind::Solid);
        if (!aStyle.Patterned)
            c.Stroke().SetDash(TStrokeDash::Solid);
        c.Stroke().SetColor(aStyle.Color);
        c.Stroke().SetThickness(aDraw->DrawBasePtoX(aStyle.PenWidth));
        c.DrawRect(aBox, aStyle.RadiusX, aStyle.RadiusY, corners, 1.0f, TCornerType::Round);
    }
}

TFontStyles FontStyles(bool aBold, bool aItalic, bool aUnderline)
{
    TFontStyles style = 0;
    if (aBold)
        style |= FontStyleSet(TFontStyle::Bold);
    if (aItalic)
        style |= FontStyleSet(TFontStyle::Italic);
    if (aUnderline)
        style |= FontStyleSet(TFontStyle::Underline);
    return style;
}

void SetPrintFont(TCanvas& aCanvas, const QString& aFamily, float aSize, bool aBold, bool aItalic, bool aUnderline)
{
    aCanvas.Font().SetFamily(aFamily);
    aCanvas.Font().SetSize(aSize);
    aCanvas.Font().SetStyle(FontStyles(aBold, aItalic, aUnderline));
}

TKVRBoxStyle ParaBoxStyle(const TKVRDraw* aDraw, const TKVRBasePara& aItem, bool aScreen)
{
    return {aItem.GetFilled() && (!aScreen || aItem.Alpha() != 0), aItem.GetBackColor(), aItem.GetPenWidth(),
            aItem.GetColor(), ModelToPixels(aItem, aItem.GetBaseRadio(), aDraw->ResolutionX, aDraw),
            ModelToPixels(aItem, aItem.GetBaseRadio(), aDraw->ResolutionY, aDraw)};
}

void DrawParaBox(TKVRDraw* aDraw, const TKVRBasePara& aItem)
{
    const TKVRBoxStyle style = ParaBoxStyle(aDraw, aItem, true);
    DrawBox(aDraw, ScreenBox(aItem, aDraw), style, !style.Filled);
}

TPointF TextAreaOrigin(TKVRAngle aAngle, const TRectF& aBox, float aMarginX, float aMarginY)
{
    switch (aAngle) {
    case TKVRAngle::Angle90: return {aBox.Left + aMarginX, aBox.Bottom - aMarginY};
    case TKVRAngle::Angle180: return {aBox.Right - aMarginX, aBox.Bottom - aMarginY};
    case TKVRAngle::Angle270: return {aBox.Right - aMarginX, aBox.Top + aMarginY};
    default: return {aBox.Left + aMarginX, aBox.Top + aMarginY};
    }
}
