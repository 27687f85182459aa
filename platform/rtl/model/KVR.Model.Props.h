#pragma once
// Property rows: what an element shows in the property grid and how an edit
// reaches it. Each kind describes its properties once, in a TKVRPropTable;
// the rows the grid paints and the edits the document applies both come from
// that table, so no row shows that the document cannot apply.
// platform/rtl/README.md numbers the groups, kinds, types and lists.
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class TKVRBaseItem;
class TKVRBaseLabel;

// Editor code of a part: how the grid shows and edits its value.
using TKVRInsProp = uint8_t;
namespace KVRInsProp {
constexpr TKVRInsProp Text = 0;        // text, left-aligned, edited in place
constexpr TKVRInsProp Number = 1;      // floating-point number with spin arrows
constexpr TKVRInsProp Color = 2;       // colour swatch
constexpr TKVRInsProp Check = 3;       // check box
constexpr TKVRInsProp TextCentred = 4; // text, centred
constexpr TKVRInsProp Picture = 5;     // picture file name
constexpr TKVRInsProp Integer = 6;     // whole number
constexpr TKVRInsProp BarValue = 7;    // a linear barcode's value (keys checked)
constexpr TKVRInsProp List = 8;        // an entry of a list
constexpr TKVRInsProp LongText = 9;    // paragraph or rich text
constexpr TKVRInsProp Columns = 10;    // the table's columns
constexpr TKVRInsProp PolyItems = 11;  // the poly-text's items
constexpr TKVRInsProp HorzAlign = 12;  // three option boxes: horizontal alignment
constexpr TKVRInsProp AlignPos = 13;   // two groups: alignment and vertical position
}

// Groups. Base groups (row "Kind" 0) are those many kinds share; the others
// (row "Kind" 1) belong to a few kinds. Sets are bit sets of the numbers.
using TKVRInsTypeBase = uint8_t;
using TKVRInsType = uint8_t;
using TKVRInpectorBaseTypes = uint32_t;
using TKVRInpectorTypes = uint32_t;
namespace KVRInsTypeBase {
constexpr TKVRInsTypeBase Layer = 0;
constexpr TKVRInsTypeBase State = 1;
constexpr TKVRInsTypeBase Pen = 2;
constexpr TKVRInsTypeBase Color = 3;
constexpr TKVRInsTypeBase Ident = 4;
constexpr TKVRInsTypeBase Fill = 5;
constexpr TKVRInsTypeBase Font = 6;
constexpr TKVRInsTypeBase Points = 7;
constexpr TKVRInsTypeBase Text = 8;
constexpr TKVRInsTypeBase Align = 9;
constexpr TKVRInsTypeBase Turn = 10;
constexpr TKVRInsTypeBase Padding = 11;
constexpr TKVRInsTypeBase Corner = 12;
constexpr TKVRInsTypeBase Data = 13;
constexpr TKVRInsTypeBase Ends = 14;
constexpr TKVRInsTypeBase Angles = 15;
constexpr TKVRInsTypeBase Size = 16;
// 17..21: kept for groups still to come.
constexpr TKVRInpectorBaseTypes All = 0x3FFFFF;
}
namespace KVRInsType {
constexpr TKVRInsType Barcode = 0;
constexpr TKVRInsType Hidden1 = 1;     // not shown by default
constexpr TKVRInsType Code2D = 2;
constexpr TKVRInsType Image = 3;
constexpr TKVRInsType Flow = 4;
constexpr TKVRInsType Link = 5;
constexpr TKVRInsType Table = 6;
constexpr TKVRInsType PolyText = 7;
constexpr TKVRInsType Rank = 8;
constexpr TKVRInsType Nutri = 9;
constexpr TKVRInsType Level = 10;
constexpr TKVRInsType Hidden11 = 11;   // not shown by default
constexpr TKVRInsType Symbol = 12;
constexpr TKVRInsType Dim = 13;
constexpr TKVRInsType Package = 14;
constexpr TKVRInsType Shape = 15;
// 16, 17: kept for groups still to come.
constexpr TKVRInpectorTypes Default = 0x3F7FD;
// Fixed numbers of the two option-box rows: the grid sends them whatever the row says.
constexpr int32_t AlignPosKind = 1;
constexpr int32_t AlignPosType = 18;
constexpr int32_t AlignType = 19;
}

constexpr bool InSet(uint32_t aSet, uint8_t aGroup) { return aGroup < 32 && (aSet >> aGroup & 1u) != 0; }

// Lists a code-8 part chooses from.
using TVXListProp = uint8_t;
namespace KVRListProp {
constexpr TVXListProp Layers = 0;       // index into the document's layers
constexpr TVXListProp LineTypes = 1;
constexpr TVXListProp VertAlign = 2;
constexpr TVXListProp Turns = 3;        // quarter turns
constexpr TVXListProp Fonts = 4;        // text: a family name
constexpr TVXListProp LineEnds = 5;
constexpr TVXListProp BarTypes = 6;
constexpr TVXListProp FillTypes = 7;
constexpr TVXListProp QRLevels = 8;
constexpr TVXListProp DataFields = 9;   // text
constexpr TVXListProp ImgFields = 10;   // text
constexpr TVXListProp FlowTypes = 11;
constexpr TVXListProp IntFields = 12;   // text
constexpr TVXListProp NumFields = 13;   // text
constexpr TVXListProp TxtFields = 14;   // text
constexpr TVXListProp DataDetails = 15; // text
constexpr TVXListProp Details = 16;     // text
constexpr TVXListProp LinkTypes = 17;
constexpr TVXListProp DimTypes = 18;
constexpr TVXListProp HorzAlign = 19;
constexpr TVXListProp LevelTypes = 20;
constexpr TVXListProp ImageFits = 21;
constexpr TVXListProp Directions = 22;
constexpr TVXListProp DimStyles = 23;   // index into the document's dimension styles
constexpr TVXListProp Grades = 24;
constexpr TVXListProp TextPositions = 25;  // a caption against its line, 0 to 8
}
// Lists whose entries are names: the part's value is the name itself.
bool IsTextList(TVXListProp aList);
// Display texts of a fixed list (empty for the document's own lists).
void FillList(TVXListProp aList, QStringList& aStrings);
// The display text of one entry; empty past the list.
QString ItemList(TVXListProp aList, int32_t aIndex);

// Column slot of a part on the grid's 24 units.
using TKVRInsCol = uint8_t;
namespace KVRInsCol {
constexpr TKVRInsCol Whole = 0;  // caption left, box right, one line
constexpr TKVRInsCol Left = 1;   // left half of the line
constexpr TKVRInsCol Right = 2;  // right half of the line
constexpr TKVRInsCol Wide = 3;   // caption above, box across the row
}
double XPosCtrl(TKVRInsCol aCol, TKVRInsProp aProp, double aUnit);
double WidthCtrl(TKVRInsCol aCol, TKVRInsProp aProp, double aUnit);
double HeightCtrl(TKVRInsProp aProp, int32_t aDpiY);
double XPosTitle(TKVRInsCol aCol, double aUnit);
double WidthTitle(TKVRInsCol aCol, double aUnit);
// x lies on the part's active area: the value box, or for the dialog parts
// the "..." button (and the map button with aMapButton). aHover widens
// nothing: it is kept for the caller.
bool CheckXPos(int32_t aX, TKVRInsCol aCol, TKVRInsProp aProp, bool aHover, double aUnit, bool aMapButton);

// Kind of an edit box.
using TKVRInputType = uint8_t;
namespace KVRInputType {
constexpr TKVRInputType Text = 1;
constexpr TKVRInputType Decimal = 2;
constexpr TKVRInputType Integer = 3;
}

// The grid's state of its in-place edit box.
struct TDataEdit
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Row = -1;
    int32_t Part = 0;
    QString Text;
    int32_t CursorPos = 0;
    TKVRInputType InputType = KVRInputType::Text;
    double Value = 0;
    double Step = 0;
    double MinValue = 0;
    double MaxValue = 0;
    bool Active = false;
    bool SelectAll = false;

    void Reset() { *this = TDataEdit(); }
};

// Resolution the grid lays its rows out for.
struct TJSONUtils
{
    static inline int32_t DPI = 96;
};

// The value key of an editor code's values: "txt", "ext", "i64", "bol" or "int".
const char* ValueKey(TKVRInsProp aProp, TVXListProp aList);

// One property: a part of a row.
struct TKVRPropPart
{
    TKVRInsProp Code = KVRInsProp::Text;
    int32_t Pos = 0;            // unique over the kinds with the code
    QString Name;               // caption key (TKVRMsg::GetPropValue)
    TKVRInsCol Col = KVRInsCol::Whole;
    TVXListProp List = 0;
    double Min = 0, Max = 0, Step = 1;
    QString Format;             // shown number format ("F"); "FE" follows from it
    // The value as the grid shows it: a string, number, colour, Boolean or index.
    std::function<TJsonObject(const TKVRBaseItem&)> Get;
    // Takes a value already checked against the part; may keep less (the
    // model's own limits), which the reply then shows. None: the part is
    // shown read-only (row key "RO") and takes no edit.
    std::function<void(TKVRBaseItem&, const TJsonObject&)> Set;
};

struct TKVRPropRow
{
    int32_t Kind = 0;            // 0 base group, 1 other group
    int32_t Type = 0;            // the group's number (or a fixed number, see above)
    uint8_t Group = 0;           // the group whose bit shows the row
    bool Base = true;            // Group is a base group (else a group of TKVRInsType)
    bool OneOnly = false;        // shown only when one element is selected
    std::vector<TKVRPropPart> Parts;
};

using TKVRPropTable = std::vector<TKVRPropRow>;

namespace KVRProps {
// Row and part keys written into the grid's rows, from a table row.
TJsonObject MakeRow(const TKVRPropRow& aRow, const TKVRBaseItem& aItem);
// The parts of aTable with (code, kind, type, pos); null when none.
const TKVRPropPart* Find(const TKVRPropTable& aTable, TKVRInsProp aCode, int32_t aKind, int32_t aType, int32_t aPos);
// Every number the table shows, keyed for the reply's "Link".
struct TShown
{
    int32_t Kind, Type, Pos;
    TKVRInsProp Code;
    double Value;
};
std::vector<TShown> Numbers(const TKVRPropTable& aTable, const TKVRBaseItem& aItem);
// Largest coordinate an element holds, in micrometres.
double MaxLength(const TKVRBaseItem& aItem);
}

namespace KVRProps {
// The value of aValue under the key of the part's type, checked: numbers
// limited to the part's bounds, non-finite numbers, colours beyond 32 bits,
// list indices past the list and empty names refused. False when refused.
bool Accept(const TKVRPropPart& aPart, const TJsonObject& aValue, TJsonObject& aChecked);

// Builders of parts for a kind T's table (the getter and setter see a T).
template <class T, class G, class S>
TKVRPropPart Number(int32_t aPos, const char* aName, TKVRInsCol aCol, double aMin, double aMax, double aStep,
                    const char* aFormat, G aGet, S aSet)
{
    TKVRPropPart p;
    p.Code = KVRInsProp::Number;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = aCol;
    p.Min = aMin;
    p.Max = aMax;
    p.Step = aStep;
    p.Format = QString::fromUtf8(aFormat);
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(double(aGet(static_cast<const T&>(i)))); };
    p.Set = [aSet](TKVRBaseItem& i, const TJsonObject& v) { aSet(static_cast<T&>(i), v.get<double>()); };
    return p;
}

// Whole numbers (code 6) and list indices (code 8 over an index list).
template <class T, class G, class S>
TKVRPropPart Whole(TKVRInsProp aCode, int32_t aPos, const char* aName, TKVRInsCol aCol, TVXListProp aList,
                   int32_t aMin, int32_t aMax, G aGet, S aSet)
{
    TKVRPropPart p;
    p.Code = aCode;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = aCol;
    p.List = aList;
    p.Min = aMin;
    p.Max = aMax;
    p.Format = QStringLiteral("0");
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(int32_t(aGet(static_cast<const T&>(i)))); };
    p.Set = [aSet](TKVRBaseItem& i, const TJsonObject& v) { aSet(static_cast<T&>(i), v.get<int32_t>()); };
    return p;
}

template <class T, class G, class S>
TKVRPropPart Colour(int32_t aPos, const char* aName, TKVRInsCol aCol, G aGet, S aSet)
{
    TKVRPropPart p;
    p.Code = KVRInsProp::Color;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = aCol;
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(int64_t(aGet(static_cast<const T&>(i)))); };
    p.Set = [aSet](TKVRBaseItem& i, const TJsonObject& v) { aSet(static_cast<T&>(i), uint32_t(v.get<int64_t>())); };
    return p;
}

template <class T, class G, class S>
TKVRPropPart Check(int32_t aPos, const char* aName, TKVRInsCol aCol, G aGet, S aSet)
{
    TKVRPropPart p;
    p.Code = KVRInsProp::Check;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = aCol;
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(bool(aGet(static_cast<const T&>(i)))); };
    p.Set = [aSet](TKVRBaseItem& i, const TJsonObject& v) { aSet(static_cast<T&>(i), v.get<bool>()); };
    return p;
}

// Texts: codes 0, 4, 5, 7, 9 and the name lists of code 8.
template <class T, class G, class S>
TKVRPropPart Words(TKVRInsProp aCode, int32_t aPos, const char* aName, TKVRInsCol aCol, TVXListProp aList, G aGet,
                   S aSet)
{
    TKVRPropPart p;
    p.Code = aCode;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = aCol;
    p.List = aList;
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(KVRJson::Str(aGet(static_cast<const T&>(i)))); };
    p.Set = [aSet](TKVRBaseItem& i, const TJsonObject& v) {
        aSet(static_cast<T&>(i), QString::fromStdString(v.get<std::string>()));
    };
    return p;
}
}
