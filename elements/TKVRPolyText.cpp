#include "elements/TKVRPolyText.h"
#include "elements/KVR.FMX.CodePaint.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Text.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// (dx, dy) turned as the canvas turns for a quarter turn.
TPointF Turned(TKVRAngle aAngle, float aX, float aY)
{
    const double a = double(TurnDegrees(aAngle)) * std::numbers::pi / 180.0;
    const double c = std::round(std::cos(a)), s = std::round(std::sin(a));
    return TPointF(float(aX * c - aY * s), float(aX * s + aY * c));
}

// Where an item of height aH sits in a row aRowH tall.
float ItemTop(TKVRVertAlign aVert, float aRowH, float aH)
{
    if (aVert == TKVRVertAlign::Center)
        return (aRowH - aH) / 2.0f;
    if (aVert == TKVRVertAlign::Bottom)
        return aRowH - aH;
    return 0.0f;
}

TKVRBoxStyle PolyBoxStyle(const TKVRBasePoly& aItem, const TKVRDraw* aDraw)
{
    TKVRBoxStyle style;
    style.Filled = aItem.GetFilled();
    style.BackColor = aItem.GetBackColor();
    style.PenWidth = aItem.GetPenWidth();
    style.Color = aItem.GetColor();
    style.RadiusX = style.RadiusY = aItem.GetRadio() > 0.0f ? aDraw->BasePtoY(aItem.GetRadio()) : 0.0f;
    return style;
}

TKVRModulePlace PlaceOf(const TKVRBasePoly& aItem)
{
    return {aItem.GetBarWidth(), aItem.GetBarHeight(), aItem.GetPaddingX(), aItem.GetPaddingY(),
            aItem.GetHorzAlign(), aItem.GetVertAlign(),  aItem.GetAngle()};
}

// The box on paper: the frame lies inside it, as on screen.
void PrintPolyBox(TKVRDraw* aDraw, const TKVRBasePoly& aItem, const TRectF& aBox)
{
    TKVRBoxStyle style = PolyBoxStyle(aItem, aDraw);
    TRectF box = aBox;
    if (style.PenWidth > 0.0f) {
        const float h = aDraw->DrawBasePtoX(style.PenWidth) / 2.0f;
        box = TRectF(box.Left + h, box.Top + h, box.Right - h, box.Bottom - h);
    }
    PrintBox(aDraw, box, style);
}

}  // namespace

TKVRPolyText::TKVRPolyText(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePoly(aOwner, aPreview) {}

TKVRPolyText::TKVRPolyText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBasePoly(aOwner, aLayer, aPreview)
{
}

// ---------------------------------------------------------------- layout

void TKVRPolyText::CalcValues(int16_t aMode)
{
    TKVRBasePoly::CalcValues(aMode);
    CheckBarcode();
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    double ratio = 1.0;
    switch (GetPolyType()) {
    case KVRPolyType::Texts:
        for (int32_t i = 1; i <= GetItemCount(); ++i) {
            TKVRDataPoly& item = GetItem(i);
            TKVRCalc::FontSettings(item.Font.Name, item.GetBaseFontHeight(), item.Font.Bold, item.Font.Italic, asc,
                                   des, und, lh, ratio);
            item.SetBaseSize(TKVRCalc::CalcTxtSize(item.GetResText(GetOwner(), GetPreview())), asc, des, ratio);
        }
        break;
    case KVRPolyType::Linear: {
        const int32_t height = GetItemCount() > 0 ? GetItem(1).GetBaseFontHeight() : 3000;
        const bool bold = GetItemCount() > 0 && GetItem(1).Font.Bold;
        const bool italic = GetItemCount() > 0 && GetItem(1).Font.Italic;
        TKVRCalc::FontSettings(GetFontName(), height, bold, italic, asc, des, und, lh, fFontRatio);
        fValid = TBarcode::IsValidCode(GetStoredCode(), GetCodeType(), GetChecksum(), false);
        fPrepared.clear();
        fPattern.clear();
        if (fValid) {
            QByteArray text;
            TKVR128AutoType subset = TKVR128AutoType::Auto;
            fPrepared = TBarcode::PrepareBarcode(GetStoredCode().toLatin1(), GetCodeType(), GetChecksum(), false,
                                                 true, text, subset);
            fPattern = TBarcode::FillBarPattern(fPrepared, GetCodeType(), subset, GetShowNumber());
            fValid = !fPattern.isEmpty();
        }
        break;
    }
    case KVRPolyType::QR:
    case KVRPolyType::DataMatrix:
        Encode();
        break;
    default:
        break;
    }
    UpdatePoints();
    UpdateBounds();
}

// ---------------------------------------------------------------- screen

void TKVRPolyText::Draw(TKVRBaseDraw* aBaseDraw)
{
    auto* d = static_cast<TKVRDraw*>(aBaseDraw);
    if (!CanDraw(d))
        return;
    const TKVRRect bounds = GetBounds();
    const float left = DrawFromBaseX(bounds.Left, d) + d->ScreenOffsetX;
    const float top = DrawFromBaseY(bounds.Top, d) + d->ScreenOffsetY;
    const TRectF box(left, top, left + DrawFromBaseX(bounds.Width(), d), top + DrawFromBaseY(bounds.Height(), d));
    const uint8_t type = GetPolyType();
    const bool failed = (type == KVRPolyType::Linear && !fValid) ||
                        ((type == KVRPolyType::QR || type == KVRPolyType::DataMatrix) && !fEncoded);
    if (failed) {
        // Nothing of another value is shown: only the sign of a value that does not encode.
        DrawCodeCross(d, bounds, GetItemState());
        return;
    }
    DrawBox(d, box, PolyBoxStyle(*this, d), true);
    switch (type) {
    case KVRPolyType::Texts:
        DrawTexts(d);
        break;
    case KVRPolyType::Linear:
        DrawBarcode(d, KVRBarcodeRef(*this), GetPoint(1), GetColor(), int32_t(std::min<int64_t>(bounds.Width(), INT32_MAX)),
                    int32_t(std::min<int64_t>(bounds.Height(), INT32_MAX)), fFontRatio);
        break;
    case KVRPolyType::QR:
    case KVRPolyType::DataMatrix: {
        TSkPaint& paint = *d->kP;
        paint.SetAntiAlias(false);
        paint.SetPathEffect(nullptr);
        paint.SetStyle(TSkPaintStyle::Fill);
        paint.SetColor(GetColor());
        DrawSymbolModules(d, fSymbol, GetPoint(1), PlaceOf(*this));
        break;
    }
    default:
        break;
    }
    DrawDataMarker(d, *this);
}

void TKVRPolyText::DrawTexts(TKVRDraw* d)
{
    const float rowW = PaperToPixels(ItemsWidth(), d->ResolutionX);
    const float rowH = PaperToPixels(ItemsHeight(), d->ResolutionY);
    const TPointF p1 = ScreenAt(GetPoint(1), d);
    const TPointF origin = DrawPolyPos(p1.X, p1.Y, d->BasePtoX(GetPaddingX()), d->BasePtoY(GetPaddingY()), rowW, rowH,
                                       GetHorzAlign(), GetVertAlign(), GetAngle());
    TSkCanvas& canvas = *d->kC;
    const TKVRSkCanvasSave save(canvas);
    canvas.Translate(origin.X, origin.Y);
    if (const float turn = TurnDegrees(GetAngle()); turn != 0.0f)
        canvas.Rotate(turn);
    float x = 0.0f;
    for (int32_t i = 1; i <= GetItemCount(); ++i) {
        const TKVRDataPoly& item = GetItem(i);
        LTypeface = TSkTypeface::MakeFromName(item.Font.Name, GetFontStyle(item.Font.Bold, item.Font.Italic));
        const float itemW = PaperToPixels(item.GetBaseWidth(), d->ResolutionX);
        if (LTypeface) {
            LFont = std::make_shared<TSkFont>(LTypeface, float(item.GetFontHeight() * d->TextFactor * item.GetRatio()),
                                              1.0f, 0.0f);
            TSkFontMetrics m;
            LFont->GetMetrics(m);
            SetTextPaint(d, item.Font.Color);
            const float y = ItemTop(GetVertAlign(), rowH, PaperToPixels(item.GetBaseHeight(), d->ResolutionY));
            canvas.DrawSimpleText(item.GetResText(GetOwner(), GetPreview()), x, y + std::fabs(m.Ascent), LFont, d->kP);
        }
        x += itemW;
    }
}

// ---------------------------------------------------------------- paper

void TKVRPolyText::Print(TKVRBaseDraw* aBaseDraw)
{
    auto* d = static_cast<TKVRDraw*>(aBaseDraw);
    if (!CanPrint(d))
        return;
    d->pC->Stroke().SetCap(TStrokeCap::Flat);
    switch (GetPolyType()) {
    case KVRPolyType::Texts:
        PrintTexts(d);
        break;
    case KVRPolyType::Linear:
        PrintLinear(d);
        break;
    case KVRPolyType::QR:
    case KVRPolyType::DataMatrix:
        PrintSymbol(d);
        break;
    default: {
        const TKVRRect b = GetBounds();
        const TRectF box(DrawFromBaseX(b.Left, d) + float(d->PrintOffsetX), DrawFromBaseY(b.Top, d) + float(d->PrintOffsetY),
                     DrawFromBaseX(b.Right, d) + float(d->PrintOffsetX),
                     DrawFromBaseY(b.Bottom, d) + float(d->PrintOffsetY));
        PrintPolyBox(d, *this, box);
        break;
    }
    }
}

void TKVRPolyText::PrintTexts(TKVRDraw* d)
{
    TCanvas& c = *d->pC;
    struct TRun
    {
        QString Text;
        float Width;
    };
    std::vector<TRun> runs;
    float rowW = 0.0f;
    for (int32_t i = 1; i <= GetItemCount(); ++i) {
        const TKVRDataPoly& item = GetItem(i);
        TRun run{item.GetResText(GetOwner(), true), PaperToPixels(item.GetBaseWidth(), d->ResolutionX)};
        if (item.Data.IsBound()) {
            // The record's text, measured with the printer's font.
            SetPrintFont(c, item.Font.Name, FontPrintSize(float(item.GetFontHeight() * item.GetRatio())),
                         item.Font.Bold, item.Font.Italic, item.Font.Underline);
            run.Width = GetTextSize(c, run.Text).X;
        }
        rowW += run.Width;
        runs.push_back(run);
    }
    const float rowH = PaperToPixels(ItemsHeight(), d->ResolutionY);
    const float padX = d->DrawBasePtoX(GetPaddingX()), padY = d->BasePtoY(GetPaddingY());
    const TPointF p1 = PaperAt(GetPoint(1), d);
    TRectF box(p1.X, p1.Y, p1.X + rowW + 2 * padX, p1.Y + rowH + 2 * padY);
    const TPointF start = AdjustRectPos(box, padX, padY, GetHorzAlign(), GetVertAlign(), GetAngle());
    PrintPolyBox(d, *this, box);

    float x = 0.0f;
    for (int32_t i = 1; i <= GetItemCount(); ++i) {
        const TKVRDataPoly& item = GetItem(i);
        const TRun& run = runs[size_t(i - 1)];
        SetPrintFont(c, item.Font.Name, FontPrintSize(float(item.GetFontHeight() * item.GetRatio())), item.Font.Bold,
                     item.Font.Italic, item.Font.Underline);
        c.Stroke().SetColor(item.Font.Color);
        c.Stroke().SetThickness(0.0f);
        c.Stroke().SetDash(TStrokeDash::Solid);
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(item.Font.Color);
        const TPointF offset = GetInternalTextOffset(c, run.Text);
        const float y = ItemTop(GetVertAlign(), rowH, PaperToPixels(item.GetBaseHeight(), d->ResolutionY));
        const TPointF at = Turned(GetAngle(), x + offset.X, y + offset.Y);
        {
            TCanvasStateGuard guard(c);
            d->ResetMatrix(KVRDrawState::Print);
            if (const float turn = TurnDegrees(GetAngle()); turn != 0.0f)
                d->Rotate(turn);
            d->Translate(start.X + at.X, start.Y + at.Y);
            d->ApplyMatrix();
            c.FillText(TRectF(0, 0, 50000, 50000), run.Text, false, 255.0f, 0, TTextAlign::Leading,
                       TTextAlign::Leading);
        }
        x += run.Width;
    }
}

void TKVRPolyText::PrintLinear(TKVRDraw* d)
{
    // The current record's code; one that is not valid prints nothing at all.
    const TKVREncodedBars bars =
        TBarcode::EncodeBars(GetCode(), GetCodeType(), GetChecksum(), false, true, GetShowNumber());
    if (!bars.Valid || bars.Pattern.isEmpty())
        return;
    const QByteArray& prepared = bars.Prepared;
    const QByteArray& pattern = bars.Pattern;
    const int64_t scale = GetDrawScale();
    const int64_t width = (int64_t(BarsWidth(pattern)) + 2 * int64_t(KVRCodeCheck::ToMicrometres(GetPaddingX()))) * scale;
    const int64_t height =
        (int64_t(LinearHeight()) + 2 * int64_t(KVRCodeCheck::ToMicrometres(GetPaddingY()))) * scale;
    const TPointF p1 = PaperAt(GetPoint(1), d);
    TRectF box(p1.X, p1.Y, p1.X + float(PrintFromBaseX(width, d)), p1.Y + float(PrintFromBaseY(height, d)));
    AdjustRect(box, GetHorzAlign(), TKVRVertAlign::Top, GetAngle());
    PrintPolyBox(d, *this, box);
    PrintBarcode(d, KVRBarcodeRef(*this), GetPoint(1), GetColor(), int32_t(std::min<int64_t>(width, INT32_MAX)), 0,
                 fFontRatio, prepared, pattern);
}

void TKVRPolyText::PrintSymbol(TKVRDraw* d)
{
    TKVRSymbolLayout layout;
    if (!LayoutOf(GetCode(), layout))
        return;  // nothing of a value that does not encode, not even the box
    const int64_t scale = GetDrawScale();
    const int64_t w = (int64_t(KVRCodeCheck::ToMicrometres(double(layout.Width) * GetBarWidth())) +
                       2 * int64_t(KVRCodeCheck::ToMicrometres(GetPaddingX()))) * scale;
    const int64_t h = (int64_t(KVRCodeCheck::ToMicrometres(double(layout.Height) * GetBarHeight())) +
                       2 * int64_t(KVRCodeCheck::ToMicrometres(GetPaddingY()))) * scale;
    const TPointF p1 = PaperAt(GetPoint(1), d);
    TRectF box(p1.X, p1.Y, p1.X + float(PrintFromBaseX(w, d)), p1.Y + float(PrintFromBaseY(h, d)));
    AdjustRect(box, GetHorzAlign(), GetVertAlign(), GetAngle());
    PrintPolyBox(d, *this, box);
    d->pC->Fill().SetKind(TBrushKind::Solid);
    d->pC->Fill().SetColor(GetColor());
    PrintSymbolModules(d, layout, GetPoint(1), PlaceOf(*this));
}
