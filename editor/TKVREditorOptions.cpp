#include "editor/TKVREditorOptions.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include <algorithm>

// ---------------------------------------------------------------- rulers

TKVRRulers::TKVRRulers(TKVRBaseEditor* aOwner) : fOwner(aOwner), fFont(QStringLiteral("Tahoma"))
{
    fFont.setPointSizeF(9);
}

template <class T>
void TKVRRulers::Store(T& aField, T aValue, bool aRelayout)
{
    if (aField == aValue)
        return;
    aField = aValue;
    if (fOwner)
        fOwner->UpdateRulers(aRelayout);
}

void TKVRRulers::Assign(const TKVRRulers& aSource)
{
    fFont = aSource.fFont;
    fStyle = aSource.fStyle;
    fToColor = aSource.fToColor;
    fSizeColor = aSource.fSizeColor;
    fShowSize = aSource.fShowSize;
    fShowAlign = aSource.fShowAlign;
    fAlignLeft = aSource.fAlignLeft;
    fAlignTop = aSource.fAlignTop;
    fSize = aSource.fSize;
    fFontColor = aSource.fFontColor;
    fColor = aSource.fColor;
    fTickColor = aSource.fTickColor;
    fMarkColor = aSource.fMarkColor;
    fVisible = aSource.fVisible;
}

void TKVRRulers::SetColor(TAlphaColor aValue) { Store(fColor, aValue, false); }
void TKVRRulers::SetTickColor(TAlphaColor aValue) { Store(fTickColor, aValue, false); }
void TKVRRulers::SetVisible(TKVRShowRulers aValue) { Store(fVisible, aValue, true); }
void TKVRRulers::SetFont(const QFont& aValue) { Store(fFont, aValue, false); }
void TKVRRulers::SetToColor(TAlphaColor aValue) { Store(fToColor, aValue, false); }
void TKVRRulers::SetSizeColor(TAlphaColor aValue) { Store(fSizeColor, aValue, false); }
void TKVRRulers::SetShowSize(bool aValue) { Store(fShowSize, aValue, false); }
void TKVRRulers::SetShowAlign(bool aValue) { Store(fShowAlign, aValue, false); }
void TKVRRulers::SetStyle(TKVRRulerStyle aValue) { Store(fStyle, aValue, false); }

void TKVRRulers::SetSize(uint aValue)
{
    Store(fSize, uint16_t(std::clamp<uint>(aValue, 18, 30)), true);
}

// ---------------------------------------------------------------- grid

TKVRGrid::TKVRGrid(TKVRBaseEditor* aOwner) : fOwner(aOwner) {}

void TKVRGrid::Assign(const TKVRGrid& aSource)
{
    fStepColor = aSource.fStepColor;
    fUnitsColor = aSource.fUnitsColor;
    fIncX = aSource.fIncX;
    fIncY = aSource.fIncY;
    fStyle = aSource.fStyle;
}

int32_t TKVRGrid::Scale() const
{
    return fOwner ? std::max(fOwner->DrawScale(), 1) : 1;
}

int32_t TKVRGrid::ClampStep(int64_t aStep, int32_t aScale)
{
    const int64_t upper = std::max<int64_t>(1000000 / std::max(aScale, 1), 100);
    return int32_t(std::clamp<int64_t>(aStep, 100, upper));
}

float TKVRGrid::GetIncX()
{
    fIncX = ClampStep(fIncX, Scale());
    return GetValue(int64_t(fIncX) * Scale(), fOwner ? fOwner->Units() : TKVRUnits::Millimetre);
}

float TKVRGrid::GetIncY()
{
    fIncY = ClampStep(fIncY, Scale());
    return GetValue(int64_t(fIncY) * Scale(), fOwner ? fOwner->Units() : TKVRUnits::Millimetre);
}

void TKVRGrid::SetIncX(float aValue)
{
    fIncX = ClampStep(SetValue(aValue, fOwner ? fOwner->Units() : TKVRUnits::Millimetre) / Scale(), Scale());
}

void TKVRGrid::SetIncY(float aValue)
{
    fIncY = ClampStep(SetValue(aValue, fOwner ? fOwner->Units() : TKVRUnits::Millimetre) / Scale(), Scale());
}

void TKVRGrid::SetStyle(TKVRGridDraw aValue)
{
    if (fStyle == aValue)
        return;
    fStyle = aValue;
    if (fOwner && fOwner->GetSurface())
        fOwner->GetSurface()->DrawEditor();
}

int64_t TKVRGrid::BaseIncX() const
{
    return int64_t(fIncX) * Scale();
}

int64_t TKVRGrid::BaseIncY() const
{
    return int64_t(fIncY) * Scale();
}

float TKVRGrid::MinInc() const
{
    return GetValue(int64_t(Scale()) * 100, fOwner ? fOwner->Units() : TKVRUnits::Millimetre);
}

float TKVRGrid::MaxInc() const
{
    const int64_t upper = std::max<int64_t>(1000000 / Scale(), 100);
    return GetValue(upper * Scale(), fOwner ? fOwner->Units() : TKVRUnits::Millimetre);
}

// ---------------------------------------------------------------- selection colours

TKVRSelColors::TKVRSelColors(TKVRBaseEditor* aOwner) : fOwner(aOwner) {}

void TKVRSelColors::Assign(const TKVRSelColors& aSource)
{
    TKVRBaseEditor* owner = fOwner;
    fCenter = aSource.fCenter;
    fRadio = aSource.fRadio;
    fSizeColor = aSource.fSizeColor;
    fFixColor = aSource.fFixColor;
    fSelRect = aSource.fSelRect;
    fSelItem = aSource.fSelItem;
    fDraw = aSource.fDraw;
    fPoint = aSource.fPoint;
    fLink = aSource.fLink;
    fAlign = aSource.fAlign;
    fAlignText = aSource.fAlignText;
    fBezier = aSource.fBezier;
    fLinkPoint = aSource.fLinkPoint;
    fRefLine = aSource.fRefLine;
    fRefPoint = aSource.fRefPoint;
    fOwner = owner;
}

void TKVRSelColors::SetLinkPointColor(TAlphaColor aValue)
{
    if (fLinkPoint == aValue)
        return;
    fLinkPoint = aValue;
    if (fOwner && fOwner->GetSurface())
        fOwner->GetSurface()->DrawLinkPointColor();
}
