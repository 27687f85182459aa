#include "elements/TKVRImage.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Filters.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <QBuffer>
#include <algorithm>
#include <numbers>

namespace {

constexpr TAlphaColor kGuideColor = 0xFFC0C0C0u;  // silver

TRectF InsetRect(const TRectF& r, float dx, float dy)
{
    return {r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy};
}

int32_t QuarterTurns(TKVRAngle aAngle)
{
    const int32_t k = int32_t(aAngle);
    return k >= 1 && k <= 3 ? k : 0;
}

// The oval inscribed in a rectangle, as a path to clip to.
ISkPath CirclePath(const TRectF& aRect)
{
    TSkPathBuilder builder;
    builder.AddOval(aRect);
    return builder.Detach();
}

}  // namespace

TKVRImage::TKVRImage(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseImage(aOwner, aPreview)
{
}

TKVRImage::~TKVRImage() = default;

// ---------------------------------------------------------------- geometry

TKVRImage::TPlace TKVRImage::Place(const TKVRDraw* aDraw, bool aPrint) const
{
    TPlace p;
    // Paper takes the cell origin into the points, held to the device's range.
    const float ox = aPrint ? 0.0f : aDraw->ScreenOffsetX;
    const float oy = aPrint ? 0.0f : aDraw->ScreenOffsetY;
    const TKVRPto a = GetPoint(1);
    const TKVRPto b = GetPoint(2);
    const float p1x = aPrint ? PaperCellX(aDraw, a.DrawX(aDraw)) : a.DrawX(aDraw);
    const float p1y = aPrint ? PaperCellY(aDraw, a.DrawY(aDraw)) : a.DrawY(aDraw);
    const float p2x = aPrint ? PaperCellX(aDraw, b.DrawX(aDraw)) : b.DrawX(aDraw);
    const float p2y = aPrint ? PaperCellY(aDraw, b.DrawY(aDraw)) : b.DrawY(aDraw);
    if (GetFrame() != KVRFrame::Circle && GetFrame() != KVRFrame::CircleMask) {
        p.LImageDest = TRectF(ox + p1x, oy + p1y, ox + p2x, oy + p2y);
        return p;
    }
    const float w = p2x - p1x;
    const float h = p2y - p1y;
    if (w <= h) {
        p.ra = w / 2;
        p.x1 = ox + p1x;
        p.y1 = oy + p1y + h / 2 - p.ra;
    } else {
        p.ra = h / 2;
        p.x1 = ox + p1x + w / 2 - p.ra;
        p.y1 = oy + p1y;
    }
    p.LImageDest = TRectF(p.x1, p.y1, p.x1 + 2 * p.ra, p.y1 + 2 * p.ra);
    return p;
}

void TKVRImage::Inset(const TKVRDraw* aDraw, TPlace& p) const
{
    if (GetFrame() == KVRFrame::None)
        return;
    const float e = aDraw->BasePtoY(GetPenWidth() / 2);
    const float padX = DrawFromBaseX(GetBasePadding(), aDraw);
    const float padY = DrawFromBaseY(GetBasePadding(), aDraw);
    if (GetFrame() == KVRFrame::Circle) {
        const float half = p.ra * std::numbers::sqrt2_v<float> / 2;
        p.LImageDest = TRectF(p.x1 + p.ra - half, p.y1 + p.ra - half, p.x1 + p.ra + half, p.y1 + p.ra + half);
    }
    p.LImageDest = InsetRect(p.LImageDest, e + padX, e + padY);
}

void TKVRImage::Fit(TPlace& p, int32_t aWidth, int32_t aHeight) const
{
    if (!GetKeepProp() || aWidth < 1 || aHeight < 1)
        return;
    // The ratio is the one of the rectangle the picture goes into, after the
    // frame's inset: a box measured before the inset would distort it.
    TRectF& r = p.LImageDest;
    const float w = r.Width();
    const float h = r.Height();
    if (!(w > 0 && h > 0))
        return;
    if (double(w) / h <= double(aWidth) / aHeight) {
        p.w2 = float(double(w) * aHeight / aWidth);
        p.mid = h - p.w2;
        switch (GetImageAlign()) {
        case 0: r.Bottom -= p.mid; break;
        case 2: r.Top += p.mid; break;
        default: r.Top += p.mid / 2; r.Bottom -= p.mid / 2; break;
        }
    } else {
        p.w2 = float(double(h) * aWidth / aHeight);
        p.mid = w - p.w2;
        switch (GetImageAlign()) {
        case 0: r.Right -= p.mid; break;
        case 2: r.Left += p.mid; break;
        default: r.Left += p.mid / 2; r.Right -= p.mid / 2; break;
        }
    }
}

void TKVRImage::DrawRect(TKVRDraw* aDraw, bool aPrint)
{
    fPlace = Place(aDraw, aPrint);
}

void TKVRImage::AdjustDrawRect(TKVRDraw* aDraw, bool aInset, int32_t aWidth, int32_t aHeight)
{
    if (aInset)
        Inset(aDraw, fPlace);
    else
        Fit(fPlace, aWidth, aHeight);
}

ISkPath TKVRImage::GetCirclePath() const
{
    return CirclePath(fPlace.LImageDest);
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

ISkImage TKVRImage::Picture()
{
    const std::lock_guard<std::mutex> lock(fPictureLock);
    if (!LImage || GetReload() != 0)
        LoadImage();
    return GetImgWidth() >= 1 && GetImgHeight() >= 1 ? LImage : nullptr;
}

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

ISkImage TKVRImage::RecordPicture() const
{
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    if (!GetOwner() || !GetOwner()->DataGraphic(GetFillName(), stream))
        return nullptr;
    return TSkImage::MakeFromEncoded(stream.data());
}

void TKVRImage::DrawFrame(TKVRDraw* aDraw, const TPlace& aPlace)
{
    const TRectF& dest = aPlace.LImageDest;
    const TKVRFrame frame = GetFrame();
    const TKVRBoxStyle style{GetFilled() && Alpha() != 0, GetBackColor(), GetPenWidth(), GetColor(),
                             CornerRadius(aDraw, false), CornerRadius(aDraw, true)};
    if (frame == KVRFrame::Rectangle) {
        DrawBox(aDraw, dest, style, !style.Filled);
        return;
    }
    TSkCanvas& canvas = *aDraw->kC;
    TSkPaint& paint = *aDraw->kP;
    if (frame == KVRFrame::None) {
        if (aDraw->DrawState != KVRDrawState::Editor || GetItemState() != 0)
            return;
        // A thin guide in the editor only, where the box is.
        DrawBox(aDraw, dest, {false, 0, 0.1f, kGuideColor, style.RadiusX, style.RadiusY}, true);
        paint.SetStrokeWidth(0.0f);
        return;
    }
    // Round frames: the oval over the square, never inset.
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    if (style.Filled) {
        paint.SetColor(style.BackColor);
        paint.SetStyle(TSkPaintStyle::Fill);
        canvas.DrawOval(dest, aDraw->kP);
    }
    if (style.PenWidth > 0) {
        paint.SetColor(style.Color);
        paint.SetStyle(TSkPaintStyle::Stroke);
        paint.SetStrokeWidth(aDraw->BasePtoY(style.PenWidth));
        canvas.DrawOval(dest, aDraw->kP);
    }
}

void TKVRImage::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    // Outside the editor a data-bound picture is the current record's, as on paper.
    const bool fromRecord = GetIsData() && !IsEditorState(d->DrawState);
    if (const ISkImage picture = fromRecord ? RecordPicture() : Picture()) {
        const bool quarter = QuarterTurns(GetAngle()) % 2 == 1;
        const int32_t turnWidth = quarter ? picture->Height() : picture->Width();
        const int32_t turnHeight = quarter ? picture->Width() : picture->Height();
        TPlace place = Place(d, false);
        DrawFrame(d, place);

        ISkPaint filter;
        if (GetFilter() == KVRImgFilter::Gray || GetFilter() == KVRImgFilter::BlackWhite) {
            filter = std::make_shared<TSkPaint>();
            filter->SetColorFilter(TSkColorFilter::MakeMatrix(FiltersSkia[GetFilter()].Matrix));
        }

        TSkCanvas& canvas = *d->kC;
        const TKVRSkCanvasSave restore(canvas);
        Inset(d, place);
        Fit(place, turnWidth, turnHeight);
        // A pen or padding wider than the box leaves no room for the picture.
        const TRectF& dest = place.LImageDest;
        if (!dest.IsEmpty()) {
            if (GetFrame() == KVRFrame::CircleMask)
                canvas.ClipPath(CirclePath(dest), TSkClipOp::Intersect, true);
            const int32_t k = QuarterTurns(GetAngle());
            if (k == 0) {
                place.LImageDrw = dest;
            } else {
                const TPointF c = dest.CenterPoint();
                const float w = dest.Width();
                const float h = dest.Height();
                canvas.Translate(c.X, c.Y);
                canvas.Rotate(-90.0f * float(k));
                place.LImageDrw = k == 2 ? TRectF(-w / 2, -h / 2, w / 2, h / 2) : TRectF(-h / 2, -w / 2, h / 2, w / 2);
            }
            canvas.DrawImageRect(picture, place.LImageDrw, filter, TSkSrcRectConstraint::Fast);
        }
    }

    if (GetIsData() && d->DrawState == KVRDrawState::Editor) {
        const TKVRPto p = GetPoint(1);
        DrawData(d, d->ScreenOffsetX + p.DrawX(d), d->ScreenOffsetY + p.DrawY(d));
    }
}

// ---------------------------------------------------------------- paper

void TKVRImage::PrintFrame(TKVRDraw* aDraw, const TPlace& aPlace)
{
    const TKVRBoxStyle style{GetFilled(), GetBackColor(), GetPenWidth(), GetColor(), CornerRadius(aDraw, false),
                             CornerRadius(aDraw, true)};
    const TRectF& dest = aPlace.LImageDest;
    if (GetFrame() == KVRFrame::Rectangle) {
        PrintBox(aDraw, dest, style);
    } else if (GetFrame() == KVRFrame::Circle || GetFrame() == KVRFrame::CircleMask) {
        TCanvas& canvas = *aDraw->pC;
        if (style.Filled) {
            canvas.Fill().SetKind(TBrushKind::Solid);
            canvas.Fill().SetColor(style.BackColor);
            canvas.FillEllipse(dest, 1.0f);
        }
        if (style.PenWidth > 0) {
            // Solid whatever the element printed before left on the stroke.
            canvas.Stroke().SetKind(TBrushKind::Solid);
            canvas.Stroke().SetDash(TStrokeDash::Solid);
            canvas.Stroke().SetColor(style.Color);
            canvas.Stroke().SetThickness(aDraw->DrawBasePtoX(style.PenWidth));
            canvas.DrawEllipse(dest, 1.0f);
        }
    }
}

void TKVRImage::PrintedPicture(TBitmap& aBitmap) const
{
    const int32_t k = QuarterTurns(GetAngle());
    if (k != 0)
        aBitmap.Rotate(-90.0f * float(k));
    if (GetFilter() == KVRImgFilter::Gray)
        ConvertGrayScale(aBitmap);
    else if (GetFilter() == KVRImgFilter::BlackWhite)
        ConvertBlackWhite(aBitmap, 128);
    // The bitmap fills the picture rectangle, so the ellipse inscribed in
    // the bitmap is the screen's oval of that rectangle; no resampling.
    if (GetFrame() == KVRFrame::CircleMask)
        ApplyEllipseMask(aBitmap);
}

void TKVRImage::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
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

    TPlace place = Place(d, true);
    const TCanvasStateGuard guard(*d->pC);
    PrintFrame(d, place);

    const int32_t k = QuarterTurns(GetAngle());
    const bool quarter = k == 1 || k == 3;
    Inset(d, place);
    Fit(place, quarter ? bitmap.Height() : bitmap.Width(), quarter ? bitmap.Width() : bitmap.Height());
    if (place.LImageDest.IsEmpty())
        return;

    PrintedPicture(bitmap);
    d->pC->DrawBitmap(bitmap, TRectF(0, 0, float(bitmap.Width()), float(bitmap.Height())), place.LImageDest, 1.0f,
                      true);
}
