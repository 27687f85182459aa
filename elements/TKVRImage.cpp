#include "elements/TKVRImage.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Filters.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <QBuffer>
#include <algorithm>
#include <numbers>

namespace {

constexpr TAlphaColor kGuideColor = 0xFFC0C0C0u;  // silver

TRectF Inset(const TRectF& r, float dx, float dy)
{
    return {r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy};
}

int32_t QuarterTurns(TKVRAngle aAngle)
{
    const int32_t k = int32_t(aAngle);
    return k >= 1 && k <= 3 ? k : 0;
}

// Restores the Skia canvas to its depth at construction, also when a call raises.
class TSkCanvasRestore
{
public:
    explicit TSkCanvasRestore(TSkCanvas& aCanvas) : fCanvas(aCanvas), fCount(aCanvas.Save()) {}
    ~TSkCanvasRestore() { fCanvas.RestoreToCount(fCount); }
    TSkCanvasRestore(const TSkCanvasRestore&) = delete;
    TSkCanvasRestore& operator=(const TSkCanvasRestore&) = delete;

private:
    TSkCanvas& fCanvas;
    int32_t fCount;
};

}  // namespace

TKVRImage::TKVRImage(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseImage(aOwner, aPreview)
{
}

TKVRImage::~TKVRImage()
{
    LImage.reset();
}

TKVRBaseItem* TKVRImage::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRImage>([&](TKVRImage& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                  aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRImage::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRImage>([&](TKVRImage& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

// ---------------------------------------------------------------- geometry

void TKVRImage::DrawRect(TKVRDraw* aDraw, bool aPrint)
{
    const float ox = aPrint ? float(aDraw->PrintOffsetX) : aDraw->ScreenOffsetX;
    const float oy = aPrint ? float(aDraw->PrintOffsetY) : aDraw->ScreenOffsetY;
    const TKVRPto a = GetPoint(1);
    const TKVRPto b = GetPoint(2);
    const float p1x = a.DrawX(aDraw), p1y = a.DrawY(aDraw);
    const float p2x = b.DrawX(aDraw), p2y = b.DrawY(aDraw);
    if (GetFrame() != KVRFrame::Circle && GetFrame() != KVRFrame::CircleMask) {
        LImageDest = TRectF(ox + p1x, oy + p1y, ox + p2x, oy + p2y);
        return;
    }
    const float w = p2x - p1x;
    const float h = p2y - p1y;
    if (w <= h) {
        ra = w / 2;
        x1 = ox + p1x;
        y1 = oy + p1y + h / 2 - ra;
    } else {
        ra = h / 2;
        x1 = ox + p1x + w / 2 - ra;
        y1 = oy + p1y;
    }
    LImageDest = TRectF(x1, y1, x1 + 2 * ra, y1 + 2 * ra);
}

void TKVRImage::AdjustDrawRect(TKVRDraw* aDraw, bool aInset, int32_t aWidth, int32_t aHeight)
{
    if (aInset) {
        if (GetFrame() == KVRFrame::None)
            return;
        const float e = aDraw->BasePtoY(GetPenWidth() / 2);
        const float padX = DrawFromBaseX(GetBasePadding(), aDraw);
        const float padY = DrawFromBaseY(GetBasePadding(), aDraw);
        if (GetFrame() == KVRFrame::Circle) {
            const float half = ra * std::numbers::sqrt2_v<float> / 2;
            LImageDest = TRectF(x1 + ra - half, y1 + ra - half, x1 + ra + half, y1 + ra + half);
        }
        LImageDest = Inset(LImageDest, e + padX, e + padY);
        return;
    }
    if (!GetKeepProp() || aWidth < 1 || aHeight < 1)
        return;
    // The ratio is the one of the rectangle the picture goes into, after the
    // frame's inset: a box measured before the inset would distort it.
    const float w = LImageDest.Width();
    const float h = LImageDest.Height();
    if (!(w > 0 && h > 0))
        return;
    if (double(w) / h <= double(aWidth) / aHeight) {
        w2 = float(double(w) * aHeight / aWidth);
        mid = h - w2;
        switch (GetImageAlign()) {
        case 0: LImageDest.Bottom -= mid; break;
        case 2: LImageDest.Top += mid; break;
        default: LImageDest.Top += mid / 2; LImageDest.Bottom -= mid / 2; break;
        }
    } else {
        w2 = float(double(h) * aWidth / aHeight);
        mid = w - w2;
        switch (GetImageAlign()) {
        case 0: LImageDest.Right -= mid; break;
        case 2: LImageDest.Left += mid; break;
        default: LImageDest.Left += mid / 2; LImageDest.Right -= mid / 2; break;
        }
    }
}

ISkPath TKVRImage::GetCirclePath() const
{
    TSkPathBuilder builder;
    builder.AddOval(LImageDest);
    return builder.Detach();
}

float TKVRImage::GetDrawRadio() const
{
    return GetBaseRadio() == 0 ? 0.0f : float(GetBaseRadio()) / 1000.0f;
}

float TKVRImage::CornerRadius(const TKVRDraw* aDraw, bool aVertical) const
{
    // Screen and paper convert the radius alike, so both show the same corner.
    return aVertical ? DrawFromBaseY(GetBaseRadio(), aDraw) : DrawFromBaseX(GetBaseRadio(), aDraw);
}

// ---------------------------------------------------------------- screen

void TKVRImage::LoadImage()
{
    const TKVRPictureSource source = GetPictureSource();
    ISkImage picture;
    if (!source.Bytes.isEmpty())
        picture = TSkImage::MakeFromEncoded(source.Bytes);
    else if (!source.Path.isEmpty())
        picture = TSkImage::MakeFromEncodedFile(source.Path);
    if (picture) {
        LImage = picture;
        SetImgSize(picture->Width(), picture->Height());
    } else {
        // Missing or undecodable: nothing is painted until a reload finds a picture.
        SetImgSize(0, 0);
    }
    SetReload(0);
}

void TKVRImage::DrawFrame(TKVRDraw* aDraw)
{
    TSkCanvas& canvas = *aDraw->kC;
    TSkPaint& paint = *aDraw->kP;
    const bool round = GetBaseRadio() != 0;
    const float rx = CornerRadius(aDraw, false);
    const float ry = CornerRadius(aDraw, true);
    auto box = [&](const TRectF& r) {
        if (round)
            canvas.DrawRoundRect(r, rx, ry, aDraw->kP);
        else
            canvas.DrawRect(r, aDraw->kP);
    };
    auto oval = [&](const TRectF& r) { canvas.DrawOval(r, aDraw->kP); };

    const TKVRFrame frame = GetFrame();
    if (frame == KVRFrame::None) {
        if (aDraw->DrawState != KVRDrawState::Editor || GetItemState() != 0)
            return;
        const float sw = aDraw->BasePtoY(0.1f);
        paint.SetPathEffect(nullptr);
        paint.SetColor(kGuideColor);
        paint.SetStyle(TSkPaintStyle::Stroke);
        paint.SetStrokeWidth(sw);
        box(Inset(LImageDest, sw / 2, sw / 2));
        paint.SetStrokeWidth(0.0f);
        return;
    }

    const bool rectangle = frame == KVRFrame::Rectangle;
    const float sw = aDraw->BasePtoY(GetPenWidth());
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    auto outline = [&](const TRectF& r) {
        paint.SetColor(GetColor());
        paint.SetStyle(TSkPaintStyle::Stroke);
        paint.SetStrokeWidth(sw);
        if (rectangle)
            box(r);
        else
            oval(r);
    };
    if (!GetFilled() || Alpha() == 0) {
        if (GetPenWidth() > 0)
            outline(rectangle ? Inset(LImageDest, sw / 2, sw / 2) : LImageDest);
        return;
    }
    paint.SetColor(GetBackColor());
    paint.SetStyle(TSkPaintStyle::Fill);
    if (rectangle)
        box(LImageDest);
    else
        oval(LImageDest);
    if (GetPenWidth() > 0)
        outline(LImageDest);
}

void TKVRImage::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    if (!LImage || GetReload() != 0)
        LoadImage();

    if (LImage && GetImgWidth() >= 1 && GetImgHeight() >= 1) {
        DrawRect(d, false);
        DrawFrame(d);

        ISkPaint filter;
        if (GetFilter() == KVRImgFilter::Gray || GetFilter() == KVRImgFilter::BlackWhite) {
            filter = std::make_shared<TSkPaint>();
            filter->SetColorFilter(TSkColorFilter::MakeMatrix(FiltersSkia[GetFilter()].Matrix));
        }

        TSkCanvas& canvas = *d->kC;
        const TSkCanvasRestore restore(canvas);
        AdjustDrawRect(d, true, 0, 0);
        AdjustDrawRect(d, false, GetImgTurnWidth(), GetImgTurnHeight());
        // A pen or padding wider than the box leaves no room for the picture.
        if (!LImageDest.IsEmpty()) {
            if (GetFrame() == KVRFrame::CircleMask)
                canvas.ClipPath(GetCirclePath(), TSkClipOp::Intersect, true);
            const int32_t k = QuarterTurns(GetAngle());
            if (k == 0) {
                LImageDrw = LImageDest;
            } else {
                const TPointF c = LImageDest.CenterPoint();
                const float w = LImageDest.Width();
                const float h = LImageDest.Height();
                canvas.Translate(c.X, c.Y);
                canvas.Rotate(-90.0f * float(k));
                LImageDrw = k == 2 ? TRectF(-w / 2, -h / 2, w / 2, h / 2) : TRectF(-h / 2, -w / 2, h / 2, w / 2);
            }
            canvas.DrawImageRect(LImage, LImageDrw, filter, TSkSrcRectConstraint::Fast);
        }
    }

    if (GetIsData() && d->DrawState == KVRDrawState::Editor) {
        const TKVRPto p = GetPoint(1);
        DrawData(d, d->ScreenOffsetX + p.DrawX(d), d->ScreenOffsetY + p.DrawY(d));
    }
}

// ---------------------------------------------------------------- paper

void TKVRImage::PrintFrame(TKVRDraw* aDraw)
{
    TCanvas& canvas = *aDraw->pC;
    const float thickness = aDraw->DrawBasePtoX(GetPenWidth());
    const bool pen = GetPenWidth() > 0;
    auto useFill = [&] {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetBackColor());
    };
    auto useStroke = [&] {
        // Solid whatever the element printed before left on the stroke.
        canvas.Stroke().SetKind(TBrushKind::Solid);
        canvas.Stroke().SetDash(TStrokeDash::Solid);
        canvas.Stroke().SetColor(GetColor());
        canvas.Stroke().SetThickness(thickness);
    };

    switch (GetFrame()) {
    case KVRFrame::Rectangle:
        if (GetBaseRadio() <= 0) {
            if (GetFilled()) {
                useFill();
                canvas.FillRect(LImageDest, 0, 0, NoCorners, 1.0f);
            }
            if (pen) {
                useStroke();
                canvas.DrawRect(LImageDest, 0, 0, NoCorners, 1.0f);
            }
        } else {
            const TRectF& r = LImageDest;
            const float rx = std::min(CornerRadius(aDraw, false), std::abs(r.Width()) / 2);
            const float ry = std::min(CornerRadius(aDraw, true), std::abs(r.Height()) / 2);
            const TPointF radius(rx, ry);
            TPathData path;
            path.AddArc(TPointF(r.Left + rx, r.Top + ry), radius, 180, 90);
            path.AddArc(TPointF(r.Right - rx, r.Top + ry), radius, 270, 90);
            path.AddArc(TPointF(r.Right - rx, r.Bottom - ry), radius, 0, 90);
            path.AddArc(TPointF(r.Left + rx, r.Bottom - ry), radius, 90, 90);
            path.ClosePath();
            if (GetFilled()) {
                useFill();
                canvas.FillPath(path, 1.0f);
            }
            if (pen) {
                useStroke();
                canvas.DrawPath(path, 1.0f);
            }
        }
        break;
    case KVRFrame::Circle:
    case KVRFrame::CircleMask:
        if (GetFilled()) {
            useFill();
            canvas.FillEllipse(LImageDest, 1.0f);
        }
        if (pen) {
            useStroke();
            canvas.DrawEllipse(LImageDest, 1.0f);
        }
        break;
    default:
        break;
    }
}

void TKVRImage::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;

    // The same source as the screen; only a data-bound picture comes from the record.
    TBitmap bitmap;
    try {
        if (GetIsData()) {
            QBuffer stream;
            stream.open(QIODevice::ReadWrite);
            if (GetOwner() && GetOwner()->DataGraphic(GetFillName(), stream))
                bitmap.LoadFromStream(stream.data());
        } else {
            const TKVRPictureSource source = GetPictureSource();
            if (!source.Bytes.isEmpty())
                bitmap.LoadFromStream(source.Bytes);
            else if (!source.Path.isEmpty())
                bitmap.LoadFromFile(source.Path);
        }
    } catch (const EBitmapLoadingFailed&) {
        // A picture that does not decode prints as none, like a missing one.
        bitmap.SetSize(0, 0);
    }
    if (bitmap.Width() < 1 || bitmap.Height() < 1)
        return;

    DrawRect(d, true);
    const TCanvasStateGuard guard(*d->pC);
    PrintFrame(d);

    const int32_t k = QuarterTurns(GetAngle());
    const bool quarter = k == 1 || k == 3;
    const int32_t tw = quarter ? bitmap.Height() : bitmap.Width();
    const int32_t th = quarter ? bitmap.Width() : bitmap.Height();
    AdjustDrawRect(d, true, 0, 0);
    AdjustDrawRect(d, false, tw, th);
    if (LImageDest.IsEmpty())
        return;

    if (k != 0)
        bitmap.Rotate(-90.0f * float(k));
    if (GetFilter() == KVRImgFilter::Gray)
        ConvertGrayScale(bitmap);
    else if (GetFilter() == KVRImgFilter::BlackWhite)
        ConvertBlackWhite(bitmap, 128);
    if (GetFrame() == KVRFrame::CircleMask) {
        // The mask is a circle of the bitmap's shorter side; on a square
        // bitmap it becomes the oval of the picture rectangle, as on screen.
        const int32_t side = std::max(bitmap.Width(), bitmap.Height());
        if (bitmap.Width() != bitmap.Height())
            bitmap.SetImage(bitmap.Image().scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        ApplyCircularMask(bitmap);
    }
    d->pC->DrawBitmap(bitmap, TRectF(0, 0, float(bitmap.Width()), float(bitmap.Height())), LImageDest, 1.0f, true);
}
