// The slider of a one-line text's maximum width: the editor shows only the
// part of the text within it, and the user drags its end along the text.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include <algorithm>

namespace {
// Where the text starts on its box, the direction it reads in and its shown
// width, in model micrometres.
struct TTextAxis
{
    double X = 0, Y = 0;    // start of the text
    double UX = 1, UY = 0;  // reading direction
    double Width = 0;       // the whole text
    double Clip = 0;        // the part shown (the whole text without a maximum)
    uint8_t Align = 0;      // 0 left, 1 centre, 2 right
};

TTextAxis AxisOf(const TKVRBaseText& aText, const TKVRRect& aBox, int32_t aTurn)
{
    TTextAxis a;
    const int64_t scale = aText.GetOwner() ? std::max(aText.GetOwner()->GetMeasure().GetDrawScale(), 1) : 1;
    const double midX = (double(aBox.Left) + double(aBox.Right)) / 2.0;
    const double midY = (double(aBox.Top) + double(aBox.Bottom)) / 2.0;
    const bool across = aTurn == 0 || aTurn == 2;
    const double length = across ? double(aBox.Right - aBox.Left) : double(aBox.Bottom - aBox.Top);
    a.Width = std::min(double(aText.GetTextWidth()) * double(scale), length);
    const int32_t max = aText.GetMaxWidth();
    a.Clip = max > 0 && max < aText.GetTextWidth() ? double(max) * double(scale) : a.Width;
    const double inset = (length - a.Width) / 2.0;
    // Quarter turns turn by -90° per step on the y-down surface.
    switch (aTurn) {
    case 1: a = {midX, double(aBox.Bottom) - inset, 0, -1, a.Width, a.Clip, 0}; break;
    case 2: a = {double(aBox.Right) - inset, midY, -1, 0, a.Width, a.Clip, 0}; break;
    case 3: a = {midX, double(aBox.Top) + inset, 0, 1, a.Width, a.Clip, 0}; break;
    default: a = {double(aBox.Left) + inset, midY, 1, 0, a.Width, a.Clip, 0}; break;
    }
    const uint8_t h = uint8_t(aText.GetHorzAlign());
    a.Align = h == 1 || h == 3 ? 1 : h == 2 ? 2 : 0;
    return a;
}

// The slider's distance from the text's start.
double SliderAt(const TTextAxis& a)
{
    switch (a.Align) {
    case 1: return (a.Width + a.Clip) / 2.0;
    case 2: return a.Width - a.Clip;
    default: return a.Clip;
    }
}
}  // namespace

int32_t TKVRBaseText::GetOrientation() const
{
    const int32_t turn = int32_t(GetAngle());
    return turn <= 3 ? turn : 0;
}

void TKVRBaseText::AddSliderPoint(std::vector<TKVRSelPoint>& aPoints) const
{
    if (TextWidth <= 0 || fBounds.Right <= fBounds.Left)
        return;
    const TTextAxis a = AxisOf(*this, fBounds, GetOrientation());
    const double t = SliderAt(a);
    const int64_t x = RoundHalfEven(a.X + a.UX * t), y = RoundHalfEven(a.Y + a.UY * t);
    aPoints.push_back({x, y, x, y, KVRSelKind::Slider, 0});
}

bool TKVRBaseText::MoveSlider(int64_t aX, int64_t aY)
{
    if (TextWidth <= 0)
        return false;
    const TTextAxis a = AxisOf(*this, fBounds, GetOrientation());
    const double t = (double(aX) - a.X) * a.UX + (double(aY) - a.Y) * a.UY;
    double clip = a.Align == 1 ? 2.0 * t - a.Width : a.Align == 2 ? a.Width - t : t;
    clip = std::clamp(clip, 0.0, a.Width);
    const int64_t scale = GetOwner() ? std::max(GetOwner()->GetMeasure().GetDrawScale(), 1) : 1;
    // The whole text shown needs no maximum.
    const int32_t max = clip >= a.Width ? 0 : std::max(RoundHalfEven32(clip / double(scale)), 1);
    if (max == MaxWidth)
        return false;
    SetMaxWidth(max);
    return true;
}
