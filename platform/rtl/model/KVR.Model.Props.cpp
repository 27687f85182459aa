#include "platform/rtl/model/KVR.Model.Props.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <cmath>

namespace {

// Texts of the fixed lists, in index order (their keys are the English texts).
const std::vector<const char*>& FixedList(TVXListProp aList)
{
    static const std::vector<const char*> none;
    static const std::vector<const char*> lineTypes{"Solid",     "Pattern 1", "Pattern 2",  "Pattern 3",
                                                    "Pattern 4", "Pattern 5", "Pattern 6",  "Pattern 7",
                                                    "Pattern 8", "Pattern 9", "Pattern 10", "Pattern 11"};
    static const std::vector<const char*> vertAlign{"Top", "Centre", "Bottom"};
    static const std::vector<const char*> turns{"0°", "90°", "180°", "270°"};
    static const std::vector<const char*> horzAlign{"Left", "Centre", "Right"};
    static const std::vector<const char*> barTypes{
        "EAN-13",      "EAN-8",       "UPC-A",        "UPC-E",     "Code 39",           "Code 39 full ASCII",
        "Code 93",     "Code 93 full ASCII", "Codabar", "Code 128 A", "Code 128 B",      "Code 128",
        "Code 128 C",  "GS1-128 A",   "GS1-128 B",    "GS1-128",   "GS1-128 C",         "Interleaved 2 of 5",
        "ITF-14",      "Code 2 of 5 Industrial", "Code 11", "MSI Plessey", "Postnet"};
    static const std::vector<const char*> lineEnds{
        "None",          "Circle", "Filled circle", "Arrow",     "Filled arrow", "Square",
        "Filled square", "Diamond", "Filled diamond", "Backslash", "Slash",      "Cross"};
    static const std::vector<const char*> fillTypes{"None", "Data field"};
    static const std::vector<const char*> qrLevels{"L (7 %)", "M (15 %)", "Q (25 %)", "H (30 %)"};
    static const std::vector<const char*> flowTypes{
        "Terminal",      "Process",     "Document",  "Documents",   "Decision",
        "Data",          "Database",    "Predefined process", "Manual input", "Manual operation",
        "Preparation",   "Connector",   "Start or end", "Subroutine", "Loop limit"};
    static const std::vector<const char*> linkTypes{"Straight", "Elbow, horizontal first", "Elbow, vertical first",
                                                    "Two elbows", "Arc", "Curve", "Polyline", "Curves"};
    static const std::vector<const char*> dimTypes{"Aligned",  "Horizontal", "Vertical",
                                                   "Radius",   "Radius with leader", "Diameter",
                                                   "Diameter with leader", "Angle"};
    static const std::vector<const char*> levelTypes{"Circle", "Circle, second style", "Ring open at the bottom",
                                                     "Ring open at the right"};
    static const std::vector<const char*> imageFits{"Left or top", "Centre", "Right or bottom"};
    static const std::vector<const char*> directions{"Left to right", "Right to left", "Bottom to top",
                                                     "Top to bottom"};
    static const std::vector<const char*> grades{"None", "A", "B", "C", "D", "E"};
    static const std::vector<const char*> textPositions{
        "Above, at the start",    "Above, centred",    "Above, at the end",
        "In a gap, at the start", "In a gap, centred", "In a gap, at the end",
        "Below, at the start",    "Below, centred",    "Below, at the end"};
    switch (aList) {
    case KVRListProp::LineTypes: return lineTypes;
    case KVRListProp::VertAlign: return vertAlign;
    case KVRListProp::Turns: return turns;
    case KVRListProp::LineEnds: return lineEnds;
    case KVRListProp::BarTypes: return barTypes;
    case KVRListProp::FillTypes: return fillTypes;
    case KVRListProp::QRLevels: return qrLevels;
    case KVRListProp::FlowTypes: return flowTypes;
    case KVRListProp::LinkTypes: return linkTypes;
    case KVRListProp::DimTypes: return dimTypes;
    case KVRListProp::HorzAlign: return horzAlign;
    case KVRListProp::LevelTypes: return levelTypes;
    case KVRListProp::ImageFits: return imageFits;
    case KVRListProp::Directions: return directions;
    case KVRListProp::Grades: return grades;
    case KVRListProp::TextPositions: return textPositions;
    default: return none;
    }
}

struct TColumn
{
    int First, End;  // caption units
    int BoxFirst, BoxEnd;
};

TColumn ColumnOf(TKVRInsCol aCol)
{
    switch (aCol) {
    case KVRInsCol::Left: return {0, 5, 5, 12};
    case KVRInsCol::Right: return {12, 17, 17, 24};
    case KVRInsCol::Wide: return {0, 20, 0, 24};
    default: return {0, 11, 11, 24};
    }
}

// Rows of one line: caption and box side by side; wide rows: caption above.
constexpr int32_t LineRowHeight = 24;
constexpr int32_t WideRowHeight = 40;
constexpr int32_t OptionRowHeight = 26;

bool IsOptions(TKVRInsProp aCode) { return aCode == KVRInsProp::HorzAlign || aCode == KVRInsProp::AlignPos; }

// The edit box shows at most three decimals and no grouping, so it reads
// back what it shows.
QString EditFormat(const QString& aShown)
{
    const int point = aShown.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : std::min(3, int(aShown.size()) - point - 1);
    return decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, QLatin1Char('#'));
}

}  // namespace

bool IsTextList(TVXListProp aList)
{
    switch (aList) {
    case KVRListProp::Fonts:
    case KVRListProp::DataFields:
    case KVRListProp::ImgFields:
    case KVRListProp::IntFields:
    case KVRListProp::NumFields:
    case KVRListProp::TxtFields:
    case KVRListProp::DataDetails:
    case KVRListProp::Details: return true;
    default: return false;
    }
}

void FillList(TVXListProp aList, QStringList& aStrings)
{
    aStrings.clear();
    for (const char* key : FixedList(aList))
        aStrings << TKVRMsg::GetListValue(QString::fromUtf8(key));
}

QString ItemList(TVXListProp aList, int32_t aIndex)
{
    const auto& list = FixedList(aList);
    if (aIndex < 0 || size_t(aIndex) >= list.size())
        return {};
    return TKVRMsg::GetListValue(QString::fromUtf8(list[size_t(aIndex)]));
}

double XPosCtrl(TKVRInsCol aCol, TKVRInsProp, double aUnit) { return ColumnOf(aCol).BoxFirst * aUnit + 2; }

double WidthCtrl(TKVRInsCol aCol, TKVRInsProp aProp, double aUnit)
{
    const TColumn c = ColumnOf(aCol);
    const double width = (c.BoxEnd - c.BoxFirst) * aUnit - 4;
    // The check box is a square.
    return aProp == KVRInsProp::Check ? std::min(width, 16.0) : width;
}

double HeightCtrl(TKVRInsProp aProp, int32_t aDpiY)
{
    if (aProp == KVRInsProp::Check)
        return ScalePos(16, aDpiY);
    return ScalePos(IsOptions(aProp) ? 22 : 18, aDpiY);
}

double XPosTitle(TKVRInsCol aCol, double aUnit) { return ColumnOf(aCol).First * aUnit + 2; }

double WidthTitle(TKVRInsCol aCol, double aUnit)
{
    const TColumn c = ColumnOf(aCol);
    return (c.End - c.First) * aUnit - 4;
}

bool CheckXPos(int32_t aX, TKVRInsCol aCol, TKVRInsProp aProp, bool, double aUnit, bool aMapButton)
{
    const double right = 24 * aUnit;
    const double button = 22, gap = 2;
    switch (aProp) {
    case KVRInsProp::Picture:
        if (aMapButton && aX >= right - 2 * button - 4 * gap && aX <= right - button - 3 * gap)
            return true;
        [[fallthrough]];
    case KVRInsProp::LongText:
    case KVRInsProp::Columns:
    case KVRInsProp::PolyItems: return aX >= right - button - gap && aX <= right - gap;
    default: {
        const double left = XPosCtrl(aCol, aProp, aUnit);
        return aX >= left && aX <= left + WidthCtrl(aCol, aProp, aUnit);
    }
    }
}

const char* ValueKey(TKVRInsProp aProp, TVXListProp aList)
{
    switch (aProp) {
    case KVRInsProp::Number: return "ext";
    case KVRInsProp::Color: return "i64";
    case KVRInsProp::Check: return "bol";
    case KVRInsProp::Integer:
    case KVRInsProp::HorzAlign:
    case KVRInsProp::AlignPos: return "int";
    case KVRInsProp::List: return IsTextList(aList) ? "txt" : "int";
    case KVRInsProp::Columns:
    case KVRInsProp::PolyItems: return "int";
    default: return "txt";
    }
}

namespace KVRProps {

TJsonObject MakeRow(const TKVRPropRow& aRow, const TKVRBaseItem& aItem)
{
    TJsonObject row = TJsonObject::object();
    const bool options = !aRow.Parts.empty() && IsOptions(aRow.Parts.front().Code);
    const bool wide = !options && std::any_of(aRow.Parts.begin(), aRow.Parts.end(),
                                              [](const TKVRPropPart& p) { return p.Col == KVRInsCol::Wide; });
    const int32_t count = options ? 1 : int32_t(aRow.Parts.size());
    row["H"] = options ? OptionRowHeight : wide ? WideRowHeight : LineRowHeight;
    row["N"] = count;
    row["Kind"] = aRow.Kind;
    row["Type"] = aRow.Type;
    if (options) {
        // The groups' choices live in the row; the grid sends pos 1 and 2.
        row["Value1"] = aRow.Parts[0].Get(aItem);
        row["Value2"] = aRow.Parts.size() > 1 ? aRow.Parts[1].Get(aItem) : TJsonObject(0);
    }
    for (int32_t i = 1; i <= count; ++i) {
        const TKVRPropPart& p = aRow.Parts[size_t(i - 1)];
        const std::string n = std::to_string(i);
        row["Prop" + n] = p.Code;
        row["P" + n] = p.Pos;
        row["C" + n] = p.Col;
        row["T" + n] = options ? -1 : wide ? 2 : 5;
        row["AT" + n] = 0;
        row["Name" + n] = KVRJson::Str(TKVRMsg::GetPropValue(p.Name));
        row["TV" + n] = options ? 1 : wide ? 18 : 3;
        if (!options)
            row["Value" + n] = p.Get(aItem);
        if (p.Code == KVRInsProp::Number || p.Code == KVRInsProp::Integer) {
            row["F" + n] = KVRJson::Str(p.Format);
            row["FE" + n] = KVRJson::Str(EditFormat(p.Format));
            row["I" + n] = p.Step;
            row["M" + n] = p.Min;
            row["X" + n] = p.Max;
        }
        if (p.Code == KVRInsProp::List) {
            row["List" + n] = p.List;
            // The entries of an index list the element may take.
            if (!IsTextList(p.List)) {
                row["M" + n] = p.Min;
                row["X" + n] = p.Max;
            }
        }
        if (!p.Set)
            row["RO" + n] = true;
        if (p.Code == KVRInsProp::LongText) {
            row["L" + n] = 2;
            row["W" + n] = 196;
            row["H" + n] = 18;
        }
        if (p.Code == KVRInsProp::Picture)
            row["H" + n] = WideRowHeight - 2;
    }
    return row;
}

const TKVRPropPart* Find(const TKVRPropTable& aTable, TKVRInsProp aCode, int32_t aKind, int32_t aType, int32_t aPos)
{
    for (const TKVRPropRow& row : aTable) {
        if (row.Kind != aKind || row.Type != aType)
            continue;
        for (const TKVRPropPart& p : row.Parts)
            if (p.Code == aCode && p.Pos == aPos)
                return &p;
    }
    return nullptr;
}

std::vector<TShown> Numbers(const TKVRPropTable& aTable, const TKVRBaseItem& aItem)
{
    std::vector<TShown> shown;
    for (const TKVRPropRow& row : aTable)
        for (const TKVRPropPart& p : row.Parts)
            if (p.Code == KVRInsProp::Number)
                shown.push_back({row.Kind, row.Type, p.Pos, p.Code, p.Get(aItem).get<double>()});
    return shown;
}

double MaxLength(const TKVRBaseItem& aItem) { return aItem.FromBase(KVRMaxCoordinate); }

bool Accept(const TKVRPropPart& aPart, const TJsonObject& aValue, TJsonObject& aChecked)
{
    const char* key = ValueKey(aPart.Code, aPart.List);
    if (!aValue.is_object() || !aValue.contains(key))
        return false;
    const TJsonObject& v = aValue[key];
    switch (aPart.Code) {
    case KVRInsProp::Number: {
        if (!v.is_number())
            return false;
        const double d = v.get<double>();
        if (!std::isfinite(d))
            return false;
        aChecked = std::clamp(d, aPart.Min, aPart.Max);
        return true;
    }
    case KVRInsProp::Color:
        if (!v.is_number_integer() || v.get<int64_t>() < 0 || v.get<int64_t>() > int64_t(UINT32_MAX))
            return false;
        aChecked = v;
        return true;
    case KVRInsProp::Check:
        if (!v.is_boolean())
            return false;
        aChecked = v;
        return true;
    case KVRInsProp::Integer:
        if (!v.is_number_integer())
            return false;
        aChecked = int32_t(std::clamp(v.get<int64_t>(), int64_t(aPart.Min), int64_t(aPart.Max)));
        return true;
    case KVRInsProp::List:
    case KVRInsProp::HorzAlign:
    case KVRInsProp::AlignPos:
        if (IsTextList(aPart.List) && aPart.Code == KVRInsProp::List) {
            if (!v.is_string() || v.get<std::string>().empty())
                return false;
            aChecked = v;
            return true;
        }
        // A choice past its list names nothing: refused, never limited.
        if (!v.is_number_integer() || v.get<int64_t>() < int64_t(aPart.Min) || v.get<int64_t>() > int64_t(aPart.Max))
            return false;
        aChecked = int32_t(v.get<int64_t>());
        return true;
    default:
        if (!v.is_string())
            return false;
        aChecked = v;
        return true;
    }
}

}  // namespace KVRProps
