#pragma once
// Dimension styles and the geometry of dimension lines.
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <QString>
#include <array>

class TBinaryReader;
class TBinaryWriter;

// The look of a dimension: colours, pens, heads, text font and number
// format, and the paper lengths of its extension lines and leaders.
class TKVRDimStyle
{
public:
    QString GetName() const { return fName; }
    void SetName(const QString& aValue) { fName = aValue; }

    TAlphaColor GetDimColor() const { return fDimColor; }
    void SetDimColor(TAlphaColor aValue) { fDimColor = aValue; }
    TAlphaColor GetExtColor() const { return fExtColor; }
    void SetExtColor(TAlphaColor aValue) { fExtColor = aValue; }
    TAlphaColor GetHeadColor() const { return fHeadColor; }
    void SetHeadColor(TAlphaColor aValue) { fHeadColor = aValue; }
    TAlphaColor GetFillColor() const { return fFillColor; }
    void SetFillColor(TAlphaColor aValue) { fFillColor = aValue; }
    TVXLineType GetDimLineType() const { return fDimLineType; }
    void SetDimLineType(TVXLineType aValue) { fDimLineType = aValue; }
    TVXLineType GetExtLineType() const { return fExtLineType; }
    void SetExtLineType(TVXLineType aValue) { fExtLineType = aValue; }
    TKVRTermType GetHeadType() const { return fHeadType; }
    void SetHeadType(TKVRTermType aValue) { fHeadType = aValue; }
    int16_t GetArrowOpen() const { return fArrowOpen; }
    void SetArrowOpen(int16_t aValue) { fArrowOpen = aValue; }
    // Millimetres of paper.
    float GetHeadSize() const { return fHeadSize; }
    void SetHeadSize(float aValue) { fHeadSize = aValue < 0 ? 0 : aValue; }
    float GetDimPenWidth() const { return fDimPenWidth; }
    void SetDimPenWidth(float aValue) { fDimPenWidth = aValue < 0 ? 0 : aValue; }
    float GetExtPenWidth() const { return fExtPenWidth; }
    void SetExtPenWidth(float aValue) { fExtPenWidth = aValue < 0 ? 0 : aValue; }

    QString GetFontName() const { return fFont.Name; }
    void SetFontName(const QString& aValue) { fFont.Name = aValue; }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    void SetFontColor(TAlphaColor aValue) { fFont.Color = aValue; }
    bool GetBold() const { return fFont.Bold; }
    void SetBold(bool aValue) { fFont.Bold = aValue; }
    bool GetItalic() const { return fFont.Italic; }
    void SetItalic(bool aValue) { fFont.Italic = aValue; }
    bool GetUnderline() const { return fFont.Underline; }
    void SetUnderline(bool aValue) { fFont.Underline = aValue; }
    // Text height in millimetres, and in micrometres for the layout.
    float GetFontHeight() const { return float(fFont.Height) / 1000.0f; }
    void SetFontHeight(float aValue);
    int32_t GetBaseFontHeight() const { return fFont.Height; }
    TKVRTextPos GetTextPos() const { return fTextPos; }
    void SetTextPos(TKVRTextPos aValue) { fTextPos = aValue; }

    // The value text is prefix, number by the format, suffix.
    QString GetPrefix() const { return fPrefix; }
    void SetPrefix(const QString& aValue) { fPrefix = aValue; }
    QString GetFormat() const { return fFormat; }
    void SetFormat(const QString& aValue) { fFormat = aValue; }
    QString GetSuffix() const { return fSuffix; }
    void SetSuffix(const QString& aValue) { fSuffix = aValue; }

    // Paper micrometres: gap between the measured point and its extension
    // line, overshoot of the extension line past the dimension line, and
    // the length of a radial leader (and of its shelf).
    int32_t GetExtOffset() const { return fExtOffset; }
    void SetExtOffset(int32_t aValue) { fExtOffset = aValue < 0 ? 0 : aValue; }
    int32_t GetExtBeyond() const { return fExtBeyond; }
    void SetExtBeyond(int32_t aValue) { fExtBeyond = aValue < 0 ? 0 : aValue; }
    int32_t GetLeaderLength() const { return fLeaderLength; }
    void SetLeaderLength(int32_t aValue) { fLeaderLength = aValue < 0 ? 0 : aValue; }
    // The same lengths in millimetres, as the style dialog shows them: the
    // extension size is the leader length (setting it keeps the gap at most
    // the size), the gap the overshoot, the break the offset from the point.
    float GetExtSize() const { return float(fLeaderLength) / 1000.0f; }
    void SetExtSize(float aValue);
    float GetExtGap() const { return float(fExtBeyond) / 1000.0f; }
    void SetExtGap(float aValue);
    float GetDimBreak() const { return float(fExtOffset) / 1000.0f; }
    void SetDimBreak(float aValue);

    // Binary: name, four colours (uint32), dimension and extension line
    // types (bytes), head type (byte), arrow opening (int16), head size and
    // both pen widths (Single), the font record, text position (byte),
    // prefix, format, suffix (strings), the three paper lengths (int32).
    void WriteData(TBinaryWriter& aWriter) const;
    void ReadData(int32_t aVersion, TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson);

private:
    QString fName = QStringLiteral("Standard");
    TAlphaColor fDimColor = TAlphaColors::Black;
    TAlphaColor fExtColor = TAlphaColors::Black;
    TAlphaColor fHeadColor = TAlphaColors::Black;
    TAlphaColor fFillColor = TAlphaColors::Black;
    TVXLineType fDimLineType = 0;
    TVXLineType fExtLineType = 0;
    TKVRTermType fHeadType = 4;
    int16_t fArrowOpen = 15;
    float fHeadSize = 2.5f;
    float fDimPenWidth = 0.18f;
    float fExtPenWidth = 0.18f;
    TKVRFontInfo fFont{QStringLiteral("Arial"), TAlphaColors::Black, 2500, false, false, false};
    TKVRTextPos fTextPos = 1;
    QString fPrefix;
    QString fFormat = QStringLiteral("0.00");
    QString fSuffix;
    int32_t fExtOffset = 1000;
    int32_t fExtBeyond = 2000;
    int32_t fLeaderLength = 10000;
};

// Geometry of the ten points of a dimension, in model micrometres. aScale
// is the drawing scale that turns the style's paper lengths into the model.
namespace KVRDim {
using TDimPoints = std::array<TKVRPto, 8>;

// Kind of a new linear dimension: horizontal when the picked point lies
// above or below the measured points, vertical when it lies beside them,
// aligned otherwise.
TVXDimType ChooseLinearType(const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aPos);
// Linear kinds: points 3 to 8 from the measured points 1, 2 and a point of
// the dimension line.
void LinearPoints(TVXDimType aType, const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aPos,
                  const TKVRDimStyle& aStyle, int32_t aScale, TDimPoints& oPts);
// A point of a linear dimension line (points 5 to 6) as its distance from
// point 5 towards point 6, and back; the point is held between the two ends.
// A line without length has every point at point 5.
double DistanceAlong(const TKVRPto& aP5, const TKVRPto& aP6, const TKVRPto& aAt);
TKVRPto PointAlong(const TKVRPto& aP5, const TKVRPto& aP6, double aDistance);
// Radius and diameter kinds from the circle's centre, radius and a direction in radians.
void RadialPoints(TVXDimType aType, int64_t aCX, int64_t aCY, int64_t aRadius, double aAngle,
                  const TKVRDimStyle& aStyle, int32_t aScale, TDimPoints& oPts);
// The same from stored points 1 and 2 (centre or opposite point, and the circle point).
void RadialPointsFrom(TVXDimType aType, const TKVRPto& aP1, const TKVRPto& aP2, const TKVRDimStyle& aStyle,
                      int32_t aScale, TDimPoints& oPts);
// Angle between the lines (p1, p2) and (p3, p4), on the side of aPos, at the
// distance of aPos from their crossing. Lines that do not cross (or a
// position on the crossing) give points 5 to 8 all at aPos: no arc fits.
void AngularPoints(const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aP3, const TKVRPto& aP4,
                   const TKVRPto& aPos, TDimPoints& oPts);
// The measured value: micrometres for lengths, degrees for the angle.
double MeasuredValue(TVXDimType aType, const TDimPoints& aPts);
// The value text: prefix, "R" for radii or "Ø" for diameters, the number in
// the document's unit by the style's format ("°" after an angle), suffix.
QString ValueText(TVXDimType aType, double aValue, TKVRUnits aUnits, const TKVRDimStyle& aStyle);
}
