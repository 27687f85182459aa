#pragma once
// Layout of a nutrition score: the title band, the five lettered cells and
// the order they are painted in, for the screen and the paper alike.
//
// The layout is a horizontal design (title band on top, cells A to E from
// left to right) turned by a number of quarter turns: the element's angle,
// plus one for the vertical variant (NutriType 1). Turn 1 puts the title band
// on the left (reading upwards) and cell A at the bottom, turn 2 the band at
// the bottom and A on the right, turn 3 the band on the right (reading
// downwards) and A at the top. The letters turn by the element's angle only.
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include <QChar>
#include <cstdint>
#include <vector>

// Layout variant: 0 horizontal, 1 vertical; any other value lays out as 0.
using TKVRNutriType = uint8_t;

// Quarter turns (0..3) of the layout for an angle and a variant.
int32_t NutriTurn(TKVRAngle aAngle, TKVRNutriType aType);
// The title's rotation in degrees: -90 per quarter turn of the layout.
float NutriTitleDegrees(TKVRAngle aAngle, TKVRNutriType aType);
// Thickness of the title band in a content box: a third of its side across
// the band (its height for turns 0 and 2, its width for 1 and 3).
float NutriTitleBand(const TRectF& aBox, TKVRAngle aAngle, TKVRNutriType aType);
// A font size: aSize less aLess, never below 0 (0 paints no text).
float NutriFontSize(float aSize, float aLess);

// Where the title's upper-left corner goes before it is turned: the corner of
// the band where its text starts, on screen (pixels) and on paper (whole
// printer units, without the print origin).
TPointF NutriTxtPos(float aLeft, float aTop, float aWidth, float aHeight, TKVRAngle aAngle, TKVRNutriType aType);
void NutriPrintTxtPos(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight, TKVRAngle aAngle,
                      TKVRNutriType aType, int32_t& oX, int32_t& oY);
// Takes the title band out of the content box.
void AdjustNutriTitle(TRectF& aBox, TKVRAngle aAngle, TKVRNutriType aType);

// The length the five cells share along the layout, four gaps taken off.
float SizeScore(const TRectF& aArea, float aGap, TKVRAngle aAngle, TKVRNutriType aType);
// Cell A for a step (a cell's length along the layout, a fifth of SizeScore).
// A cell is at most as long as the area is thick and at most 1.2 times as
// thick as it is long, so that its letter fits; a step shortened that way
// leaves the row centred along the area. Cells are centred across it.
void ScoreRect(const TRectF& aArea, TRectF& oCell, float& aStep, TKVRAngle aAngle, TKVRNutriType aType);
// Moves a cell aDistance to the next cell, or to the previous one.
void OffsetScoreRect(TRectF& aCell, float aDistance, TKVRAngle aAngle, TKVRNutriType aType, bool aBackwards);

// The cell of a letter: "A" to "E" in either case give 0 to 4, anything else -1.
int32_t NutriLetterIndex(QChar aLetter);
// The letter of cell 0 to 4.
QChar NutriCellLetter(int32_t aIndex);

// One cell as it is painted: its index (0 for A), its rectangle, and whether
// it is the current one (grown by the gap value, painted last).
struct TKVRNutriCell
{
    int32_t Index = 0;
    TRectF Rect;
    bool Current = false;
};
// The cells in painting order for the cell area (the content box less the
// title band and aGrow on every side): the others at their places from A
// towards E, then the current one (aCurrent 0..4) grown by aGrow on every
// side. Without a current cell (-1) the five at their places, none grown.
// No cells when the area or a cell has no room.
std::vector<TKVRNutriCell> NutriPaintOrder(const TRectF& aArea, float aGap, float aGrow, TKVRAngle aAngle,
                                           TKVRNutriType aType, int32_t aCurrent);
