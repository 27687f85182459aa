#pragma once
// The editor's three option groups, each owned by one editor: rulers and
// guides, the grid, and the colours of selection marks, handles and guides.
#include "editor/KVR.FMX.Editor.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QFont>
#include <QObject>
#include <cstdint>

class TKVRBaseEditor;

class TKVRRulers : public QObject
{
    Q_OBJECT
    Q_PROPERTY(uint FontColor READ GetFontColor WRITE SetFontColor)
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    Q_PROPERTY(uint TickColor READ GetTickColor WRITE SetTickColor)
    Q_PROPERTY(uint MarkColor READ GetMarkColor WRITE SetMarkColor)
    Q_PROPERTY(KVRFmx::TKVRShowRulers Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QFont Font READ GetFont WRITE SetFont)
    Q_PROPERTY(uint Size READ GetSize WRITE SetSize)
    Q_PROPERTY(uint ToColor READ GetToColor WRITE SetToColor)
    Q_PROPERTY(uint SizeColor READ GetSizeColor WRITE SetSizeColor)
    Q_PROPERTY(bool ShowSize READ GetShowSize WRITE SetShowSize)
    Q_PROPERTY(bool ShowAlign READ GetShowAlign WRITE SetShowAlign)
    Q_PROPERTY(KVRFmx::TKVRRulerStyle Style READ GetStyle WRITE SetStyle)

public:
    explicit TKVRRulers(TKVRBaseEditor* aOwner);
    // Copies every value but the owner; repaints nothing.
    void Assign(const TKVRRulers& aSource);

    TAlphaColor GetFontColor() const { return fFontColor; }
    void SetFontColor(TAlphaColor aValue) { fFontColor = aValue; }
    TAlphaColor GetColor() const { return fColor; }
    void SetColor(TAlphaColor aValue);
    TAlphaColor GetTickColor() const { return fTickColor; }
    void SetTickColor(TAlphaColor aValue);
    TAlphaColor GetMarkColor() const { return fMarkColor; }
    void SetMarkColor(TAlphaColor aValue) { fMarkColor = aValue; }
    TKVRShowRulers GetVisible() const { return fVisible; }
    void SetVisible(TKVRShowRulers aValue);
    QFont GetFont() const { return fFont; }
    void SetFont(const QFont& aValue);
    // Ruler thickness in pixels at 96 dpi, 18 to 30.
    uint16_t GetSize() const { return fSize; }
    void SetSize(uint aValue);
    TAlphaColor GetToColor() const { return fToColor; }
    void SetToColor(TAlphaColor aValue);
    TAlphaColor GetSizeColor() const { return fSizeColor; }
    void SetSizeColor(TAlphaColor aValue);
    bool GetShowSize() const { return fShowSize; }
    void SetShowSize(bool aValue);
    bool GetShowAlign() const { return fShowAlign; }
    void SetShowAlign(bool aValue);
    TKVRRulerStyle GetStyle() const { return fStyle; }
    void SetStyle(TKVRRulerStyle aValue);

    // The guides, in thousandths of a label unit.
    int64_t fAlignLeft = 10000;
    int64_t fAlignTop = 10000;
    // The guide being dragged: 0 none, 1 the vertical, 2 the horizontal one.
    int32_t fDraggingAlign = 0;

private:
    template <class T>
    void Store(T& aField, T aValue, bool aRelayout);

    TKVRBaseEditor* fOwner;
    QFont fFont;
    TAlphaColor fFontColor = 0xFF000000;
    TAlphaColor fColor = 0xFFC0C0C0;
    TAlphaColor fToColor = 0xFFFFFFFF;
    TAlphaColor fSizeColor = 0xFF000080;
    bool fShowSize = false;
    TAlphaColor fMarkColor = 0xFFFF0000;
    TAlphaColor fTickColor = 0xFF000000;
    TKVRShowRulers fVisible = TKVRShowRulers(rvLeft | rvTop);
    bool fShowAlign = false;
    uint16_t fSize = 18;
    TKVRRulerStyle fStyle = TKVRRulerStyle::rsStyle01;
};

class TKVRGrid : public QObject
{
    Q_OBJECT
    Q_PROPERTY(uint StepColor READ GetStepColor WRITE SetStepColor)
    Q_PROPERTY(uint UnitsColor READ GetUnitsColor WRITE SetUnitsColor)
    Q_PROPERTY(float IncX READ GetIncX WRITE SetIncX)
    Q_PROPERTY(float IncY READ GetIncY WRITE SetIncY)
    Q_PROPERTY(KVRFmx::TKVRGridDraw Style READ GetStyle WRITE SetStyle)

public:
    explicit TKVRGrid(TKVRBaseEditor* aOwner);
    void Assign(const TKVRGrid& aSource);

    TAlphaColor GetStepColor() const { return fStepColor; }
    void SetStepColor(TAlphaColor aValue) { fStepColor = aValue; }
    TAlphaColor GetUnitsColor() const { return fUnitsColor; }
    void SetUnitsColor(TAlphaColor aValue) { fUnitsColor = aValue; }
    // Steps in the owner's label unit; stored in micrometres of paper.
    float GetIncX();
    void SetIncX(float aValue);
    float GetIncY();
    void SetIncY(float aValue);
    TKVRGridDraw GetStyle() const { return fStyle; }
    void SetStyle(TKVRGridDraw aValue);

    // Steps in document micrometres (paper step times the drawing scale).
    int64_t BaseIncX() const;
    int64_t BaseIncY() const;
    float GetIncMMX() const { return float(double(BaseIncX()) / 1000.0); }
    float GetIncMMY() const { return float(double(BaseIncY()) / 1000.0); }
    // The bounds of a step in the label unit.
    float MinInc() const;
    float MaxInc() const;

    // A paper step in micrometres held to 100 .. max(1,000,000 div scale, 100),
    // so a step in the model stays within a metre unless 0.1 mm needs more.
    static int32_t ClampStep(int64_t aStep, int32_t aScale);

    int32_t fIncX = 10000, fIncY = 10000;

private:
    int32_t Scale() const;
    TKVRBaseEditor* fOwner;
    TAlphaColor fStepColor = 0xFFC0C0C0;
    TAlphaColor fUnitsColor = 0xFF808080;
    TKVRGridDraw fStyle = TKVRGridDraw::gdNone;
};

class TKVRSelColors : public QObject
{
    Q_OBJECT
    Q_PROPERTY(uint Center READ GetCenter WRITE SetCenter)
    Q_PROPERTY(uint Radio READ GetRadio WRITE SetRadio)
    Q_PROPERTY(uint SizeColor READ GetSizeColor WRITE SetSizeColor)
    Q_PROPERTY(uint FixColor READ GetFixColor WRITE SetFixColor)
    Q_PROPERTY(uint SelectionRect MEMBER fSelRect)
    Q_PROPERTY(uint SelectionItem MEMBER fSelItem)
    Q_PROPERTY(uint Draw MEMBER fDraw)
    Q_PROPERTY(uint Point MEMBER fPoint)
    Q_PROPERTY(uint Bezier MEMBER fBezier)
    Q_PROPERTY(uint Link MEMBER fLink)
    Q_PROPERTY(uint Align MEMBER fAlign)
    Q_PROPERTY(uint AlignText MEMBER fAlignText)
    Q_PROPERTY(uint LinkPoint READ GetLinkPoint WRITE SetLinkPointColor)
    Q_PROPERTY(uint RefLine MEMBER fRefLine)
    Q_PROPERTY(uint RefPoint MEMBER fRefPoint)

public:
    explicit TKVRSelColors(TKVRBaseEditor* aOwner);
    void Assign(const TKVRSelColors& aSource);

    TAlphaColor GetCenter() const { return fCenter; }
    void SetCenter(TAlphaColor aValue) { fCenter = aValue; }
    TAlphaColor GetRadio() const { return fRadio; }
    void SetRadio(TAlphaColor aValue) { fRadio = aValue; }
    TAlphaColor GetSizeColor() const { return fSizeColor; }
    void SetSizeColor(TAlphaColor aValue) { fSizeColor = aValue; }
    TAlphaColor GetFixColor() const { return fFixColor; }
    void SetFixColor(TAlphaColor aValue) { fFixColor = aValue; }
    TAlphaColor GetLinkPoint() const { return fLinkPoint; }
    // The surface's drawing context takes the colour at once.
    void SetLinkPointColor(TAlphaColor aValue);

    TAlphaColor fCenter = 0xFF0000FF;
    TAlphaColor fRadio = 0xFF00FF00;
    TAlphaColor fSizeColor = 0xFFFF0000;
    TAlphaColor fFixColor = 0xFF808080;
    TAlphaColor fSelRect = 0xFF0000FF;
    TAlphaColor fSelItem = 0xFFC0C0C0;
    TAlphaColor fDraw = 0xFF008080;
    TAlphaColor fPoint = 0xFFFF0000;
    TAlphaColor fLink = 0xFFFFA500;
    TAlphaColor fAlign = 0xFFF0FFFF;
    TAlphaColor fAlignText = 0xFF000000;
    TAlphaColor fBezier = 0xFFDC143C;
    TAlphaColor fLinkPoint = 0xFFFFF8DC;
    TAlphaColor fRefLine = 0xFFE6E6FA;
    TAlphaColor fRefPoint = 0xFFDC143C;

private:
    TKVRBaseEditor* fOwner;
};
