#pragma once
// Records shared by several element kinds (line ends, caption font) and the
// checks every reader applies to values that cannot be right.
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QString>
#include <stdexcept>

class TBinaryReader;
class TBinaryWriter;

// A value read from a file that no element can hold (negative radius,
// a number that is not finite, a wrong number of points).
class EKVRDataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An element that points within the coordinate range would make, reaching
// past it (a circle round a far centre, an arc through three far points):
// refused as a point outside the range is.
class EKVRCoordRange : public EKVRDataError
{
public:
    using EKVRDataError::EKVRDataError;
};

namespace KVRCheck {
int32_t CheckPenWidth(int32_t aValue);
// aMax < 0: no upper limit.
void CheckPointCount(int32_t aCount, int32_t aMin, int32_t aMax);
float Finite(float aValue, const char* aWhat);
double Finite(double aValue, const char* aWhat);
int64_t NotNegative(int64_t aValue, const char* aWhat);
// A coordinate or radius within KVRMaxCoordinate.
int64_t Coordinate(int64_t aValue, const char* aWhat);
float ReadSingle(TBinaryReader& aReader, const char* aWhat);
double ReadDouble(TBinaryReader& aReader, const char* aWhat);
}

// Marks at both ends of a line: kind, fill colour and size in millimetres.
// Stored as from type, to type (bytes), from colour, to colour (uint32),
// size from, size to (Single).
struct TKVRLineEnds
{
    TKVRTermType FromType = 0;
    TKVRTermType ToType = 0;
    TAlphaColor FromColor = TAlphaColors::Black;
    TAlphaColor ToColor = TAlphaColors::Black;
    float SizeFrom = 3.0f;
    float SizeTo = 3.0f;

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    void WriteJson(TJsonObject& aJson) const;
    void ReadJson(const TJsonObject& aJson);
    bool operator==(const TKVRLineEnds&) const = default;
};

// The line ends of an element (polyline, Bezier curve, arc, arrow line) and
// the getters the painters read.
class TKVRLineEndsPart
{
public:
    const TKVRLineEnds& GetEnds() const { return fEnds; }
    void SetEnds(const TKVRLineEnds& aValue) { fEnds = aValue; }
    TKVRTermType GetFromType() const { return fEnds.FromType; }
    TKVRTermType GetToType() const { return fEnds.ToType; }
    TAlphaColor GetFromColor() const { return fEnds.FromColor; }
    TAlphaColor GetToColor() const { return fEnds.ToColor; }
    float GetSizeFrom() const { return fEnds.SizeFrom; }
    float GetSizeTo() const { return fEnds.SizeTo; }

protected:
    TKVRLineEnds fEnds;
};

// Caption font: family, colour, height in micrometres of paper, style.
// Stored as name (string), colour (uint32), height (int32), bold, italic,
// underline (bytes).
struct TKVRFontInfo
{
    QString Name = QStringLiteral("Arial");
    TAlphaColor Color = TAlphaColors::Black;
    int32_t Height = 3000;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    // Keys prefixed by aPrefix ("Font" gives "FontName", "FontColor", ...).
    void WriteJson(TJsonObject& aJson, const char* aPrefix = "Font") const;
    void ReadJson(const TJsonObject& aJson, const char* aPrefix = "Font");
    bool operator==(const TKVRFontInfo&) const = default;
};

// The caption font of an element (arrow line, level gauge) and its getters;
// the element's own SetFont marks its layout stale.
class TKVRFontPart
{
public:
    const TKVRFontInfo& GetFont() const { return fFont; }
    QString GetFontName() const { return fFont.Name; }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    // Millimetres, and micrometres for the layout.
    float GetFontHeight() const { return float(fFont.Height) / 1000.0f; }
    int32_t GetBaseFontHeight() const { return fFont.Height; }
    bool GetBold() const { return fFont.Bold; }
    bool GetItalic() const { return fFont.Italic; }
    bool GetUnderline() const { return fFont.Underline; }

protected:
    TKVRFontInfo fFont;
};
