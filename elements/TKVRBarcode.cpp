#include "elements/TKVRBarcode.h"
#include "elements/KVR.FMX.CodePaint.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cstdint>

TKVRBarcode::TKVRBarcode(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseBarcode(aOwner, aPreview) {}

TKVRBarcode::TKVRBarcode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseBarcode(aOwner, aLayer, aPreview)
{
}

void TKVRBarcode::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseBarcode::ReadData(aVersion, aReader, aReadType);
    if (aReadType == KVRReadType::Paste)
        CalcValues(2);
    UpdatePoints();
}

void TKVRBarcode::CalcValues(int16_t aMode)
{
    TKVRBaseBarcode::CalcValues(aMode);
    if (aMode != 1 && aMode != 2 && !fEncodeStale)
        return;
    // The human-readable text is always regular.
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), false, false, fAscent, fDescent, fUnderline,
                           fLineHeight, fFontRatio);
    // Characters beyond the 8-bit code page make the value invalid; they never become "?".
    fValid = TBarcode::IsValidCode(GetCode(), GetBarType(), GetChecksum(), GetOption());
    if (fValid) {
        QByteArray text;
        TKVR128AutoType subset = TKVR128AutoType::Auto;
        fPrepared = TBarcode::PrepareBarcode(GetAnsiCode(), GetBarType(), GetChecksum(), GetOption(), false, text,
                                             subset);
        fPattern = TBarcode::FillBarPattern(fPrepared, GetBarType(), subset, GetShowNumber());
    }
    // An invalid value keeps the code and pattern of the last valid layout.
    fEncodeStale = false;
    UpdatePoints();
    UpdateBounds();
}

void TKVRBarcode::Draw(TKVRBaseDraw* aBaseDraw)
{
    auto* d = static_cast<TKVRDraw*>(aBaseDraw);
    if (!CanDraw(d))
        return;
    const TKVRRect box = GetBounds();
    if (!fValid) {
        DrawCodeCross(d, box, GetItemState());
        return;
    }
    if (GetFilled())
        DrawCodeBackground(d, box, GetBackColor());
    DrawBarcode(d, KVRBarcodeRef(*this), GetPoint(1), GetColor(), int32_t(box.Width()), int32_t(box.Height()),
                fFontRatio);
    DrawDataMarker(d, *this);
}

void TKVRBarcode::Print(TKVRBaseDraw* aBaseDraw)
{
    auto* d = static_cast<TKVRDraw*>(aBaseDraw);
    if (!CanPrint(d))
        return;
    // Validated as text: a character beyond the 8-bit code page is refused
    // instead of printing a valid-looking symbol of something else.
    const TKVREncodedBars bars =
        TBarcode::EncodeBars(PrintValue(), GetBarType(), GetChecksum(), GetOption(), false, GetShowNumber());
    if (!bars.Valid || bars.Pattern.isEmpty())
        return;
    const QByteArray& prepared = bars.Prepared;
    const QByteArray& pattern = bars.Pattern;
    // The box of this record's bars, paddings included, so that paper aligns
    // like the screen; in document micrometres.
    const int64_t width = int64_t(BarCodeWidth(pattern, false)) * GetDrawScale();
    const int32_t height = PrintFromBaseY(int64_t(BarCodeHeight()) * GetDrawScale(), d);
    const TKVRPto p1 = GetPoint(1);
    if (GetFilled()) {
        const TPointF a = PaperAt(p1, d);
        const float ax = a.X, ay = a.Y;
        TRectF back(ax, ay, ax + float(PrintFromBaseX(width, d)), ay + float(height));
        AdjustRect(back, GetHorzAlign(), TKVRVertAlign::Top, GetAngle());
        d->pC->Fill().SetColor(GetBackColor());
        d->pC->Fill().SetKind(TBrushKind::Solid);
        d->pC->FillRect(back, 0.0f, 0.0f, NoCorners, 1.0f, TCornerType::Round);
    }
    PrintBarcode(d, KVRBarcodeRef(*this), p1, GetColor(), int32_t(std::min<int64_t>(width, INT32_MAX)), 0,
                 fFontRatio, prepared, pattern);
}
