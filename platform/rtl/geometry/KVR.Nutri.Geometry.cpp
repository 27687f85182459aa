#include "platform/rtl/geometry/KVR.Nutri.Geometry.h"
#include <algorithm>
#include <cmath>

int32_t NutriTurn(TKVRAngle aAngle, TKVRNutriType aType)
{
    const int32_t angle = uint8_t(aAngle) <= 3 ? int32_t(aAngle) : 0;
    return (angle + (aType == 1 ? 1 : 0)) % 4;
}

float NutriTitleDegrees(TKVRAngle aAngle, TKVRNutriType aType)
{
    return -90.0f * float(NutriTurn(aAngle, aType));
}

float NutriTitleBand(const TRectF& aBox, TKVRAngle aAngle, TKVRNutriType aType)
{
    return (NutriTurn(aAngle, aType) % 2 == 0 ? aBox.Height() : aBox.Width()) / 3.0f;
}

float NutriFontSize(float aSize, float aLess)
{
    const float s = aSize - aLess;
    return s > 0.0f && std::isfinite(s) ? s : 0.0f;
}

TPointF NutriTxtPos(float aLeft, float aTop, float aWidth, float aHeight, TKVRAngle aAngle, TKVRNutriType aType)
{
    switch (NutriTurn(aAngle, aType)) {
    case 1: return {aLeft, aTop + aHeight};
    case 2: return {aLeft + aWidth, aTop + aHeight};
    case 3: return {aLeft + aWidth, aTop};
    default: return {aLeft, aTop};
    }
}

void NutriPrintTxtPos(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight, TKVRAngle aAngle,
                      TKVRNutriType aType, int32_t& oX, int32_t& oY)
{
    // In 64 bits: a box at the end of the integer range does not wrap around.
    const int64_t right = int64_t(aLeft) + aWidth, bottom = int64_t(aTop) + aHeight;
    auto clamp32 = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    switch (NutriTurn(aAngle, aType)) {
    case 1: oX = aLeft; oY = clamp32(bottom); break;
    case 2: oX = clamp32(right); oY = clamp32(bottom); break;
    case 3: oX = clamp32(right); oY = aTop; break;
    default: oX = aLeft; oY = aTop; break;
    }
}

void AdjustNutriTitle(TRectF& aBox, TKVRAngle aAngle, TKVRNutriType aType)
{
    const float band = NutriTitleBand(aBox, aAngle, aType);
    switch (NutriTurn(aAngle, aType)) {
    case 1: aBox.Left += band; break;
    case 2: aBox.Bottom -= band; break;
    case 3: aBox.Right -= band; break;
    default: aBox.Top += band; break;
    }
}

float SizeScore(const TRectF& aArea, float aGap, TKVRAngle aAngle, TKVRNutriType aType)
{
    const float along = NutriTurn(aAngle, aType) % 2 == 0 ? aArea.Width() : aArea.Height();
    return along - 4.0f * aGap;
}

void ScoreRect(const TRectF& aArea, TRectF& oCell, float& aStep, TKVRAngle aAngle, TKVRNutriType aType)
{
    const int32_t turn = NutriTurn(aAngle, aType);
    const bool row = turn % 2 == 0;
    const float thick = row ? aArea.Height() : aArea.Width();
    const float step = std::min(aStep, thick);
    const float across = std::min(thick, step * 1.2f);
    // The cells give up what they lost along, half before the row, half after it.
    const float lead = 5.0f * (aStep - step) / 2.0f;
    const float side = (thick - across) / 2.0f;
    aStep = step;
    switch (turn) {
    case 1:  // A at the bottom
        oCell = TRectF(aArea.Left + side, aArea.Bottom - lead - step, aArea.Left + side + across, aArea.Bottom - lead);
        break;
    case 2:  // A on the right
        oCell = TRectF(aArea.Right - lead - step, aArea.Top + side, aArea.Right - lead, aArea.Top + side + across);
        break;
    case 3:  // A at the top
        oCell = TRectF(aArea.Left + side, aArea.Top + lead, aArea.Left + side + across, aArea.Top + lead + step);
        break;
    default:
        oCell = TRectF(aArea.Left + lead, aArea.Top + side, aArea.Left + lead + step, aArea.Top + side + across);
        break;
    }
}

void OffsetScoreRect(TRectF& aCell, float aDistance, TKVRAngle aAngle, TKVRNutriType aType, bool aBackwards)
{
    const float d = aBackwards ? -aDistance : aDistance;
    switch (NutriTurn(aAngle, aType)) {
    case 1: aCell.Offset(0.0f, -d); break;
    case 2: aCell.Offset(-d, 0.0f); break;
    case 3: aCell.Offset(0.0f, d); break;
    default: aCell.Offset(d, 0.0f); break;
    }
}

int32_t NutriLetterIndex(QChar aLetter)
{
    const char16_t c = aLetter.unicode();
    if (c >= u'A' && c <= u'E')
        return int32_t(c - u'A');
    if (c >= u'a' && c <= u'e')
        return int32_t(c - u'a');
    return -1;
}

QChar NutriCellLetter(int32_t aIndex)
{
    return QChar(char16_t(u'A' + std::clamp(aIndex, 0, 4)));
}

std::vector<TKVRNutriCell> NutriPaintOrder(const TRectF& aArea, float aGap, float aGrow, TKVRAngle aAngle,
                                           TKVRNutriType aType, int32_t aCurrent)
{
    float step = SizeScore(aArea, aGap, aAngle, aType) / 5.0f;
    TRectF q;
    ScoreRect(aArea, q, step, aAngle, aType);
    // Gaps and margins that leave no room leave no cells.
    if (aArea.IsEmpty() || q.IsEmpty() || !std::isfinite(step) || !std::isfinite(aGap) || !std::isfinite(aGrow))
        return {};
    const float distance = step + aGap;
    auto grown = [aGrow](TRectF r) { return TRectF(r.Left - aGrow, r.Top - aGrow, r.Right + aGrow, r.Bottom + aGrow); };

    std::vector<TKVRNutriCell> cells;
    // A to D at their places, the current one left out.
    for (int32_t i = 0; i < 4; ++i) {
        if (i != aCurrent)
            cells.push_back({i, q, false});
        OffsetScoreRect(q, distance, aAngle, aType, false);
    }
    if (aCurrent == 4) {
        cells.push_back({4, grown(q), true});
        return cells;
    }
    cells.push_back({4, q, false});
    if (aCurrent < 0 || aCurrent > 4)
        return cells;
    // Back from E to the current cell, painted last and grown.
    for (int32_t i = 3; i >= aCurrent; --i)
        OffsetScoreRect(q, distance, aAngle, aType, true);
    cells.push_back({aCurrent, grown(q), true});
    return cells;
}
