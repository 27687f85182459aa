#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.PropRows.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <set>

using namespace KVRProps;
using TB = TKVRBaseItem;

namespace {

int32_t SelectedCount(const TKVRBaseItem& aItem)
{
    return aItem.GetOwner() ? std::max(1, aItem.GetOwner()->GetSelectionCount()) : 1;
}

bool IsPointRow(const TJsonObject& aRow)
{
    return aRow.value("Kind", 0) == 0 && aRow.value("Type", 0) == int(KVRInsTypeBase::Points);
}

// (code, pos) of every part of the rows: change 14 finds a part by them.
std::set<std::pair<int, int>> PartKeys(const TJsonObject& aRows)
{
    std::set<std::pair<int, int>> keys;
    for (const TJsonObject& row : aRows)
        for (int i = 1; i <= row.value("N", 0); ++i) {
            const std::string n = std::to_string(i);
            keys.insert({row.value("Prop" + n, 0) & 0xFF, row.value("P" + n, 0)});
        }
    return keys;
}

}  // namespace

void TKVRBaseItem::DescribeProps(TKVRPropTable& aTable) const
{
    const int32_t layers = fOwner ? std::max(1, fOwner->GetLayerCount()) : 1;
    aTable.push_back(BaseRow(KVRInsTypeBase::Layer,
                             {Whole<TB>(KVRInsProp::List, 100, "Layer", KVRInsCol::Whole, KVRListProp::Layers, 0,
                                        layers - 1, [](const TB& i) { return i.GetLayer(); },
                                        [](TB& i, int32_t v) { i.SetLayer(v); })}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::State,
        {Check<TB>(110, "Visible", KVRInsCol::Left, [](const TB& i) { return (i.GetState() & StateVisible) != 0; },
                    [](TB& i, bool v) { i.SetState(v ? i.GetState() | StateVisible : i.GetState() & ~StateVisible); }),
          Check<TB>(111, "Printable", KVRInsCol::Right,
                    [](const TB& i) { return (i.GetState() & StatePrintable) != 0; },
                    [](TB& i, bool v) {
                        i.SetState(v ? i.GetState() | StatePrintable : i.GetState() & ~StatePrintable);
                    })}));
    // Pens in millimetres of paper, stored in whole micrometres.
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Pen,
        {Number<TB>(120, "Pen width", KVRInsCol::Left, 0, 100, 0.05, "0.000",
                     [](const TB& i) { return i.GetBasePenWidth() / 1000.0; },
                     [](TB& i, double v) { i.SetBasePenWidth(ToMicrometres(v)); }),
          Whole<TB>(KVRInsProp::List, 121, "Line type", KVRInsCol::Right, KVRListProp::LineTypes, 0, 11,
                    [](const TB& i) { return i.GetLineType(); },
                    [](TB& i, int32_t v) { i.SetLineType(TVXLineType(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Color,
                             {Colour<TB>(130, "Colour", KVRInsCol::Whole, [](const TB& i) { return i.GetColor(); },
                                         [](TB& i, TAlphaColor v) { i.SetColor(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Ident,
                             {Words<TB>(KVRInsProp::Text, 140, "ID", KVRInsCol::Whole, 0,
                                        [](const TB& i) { return i.GetID(); },
                                        [](TB& i, const QString& v) { i.SetID(v); })}));
}

void TKVRBaseItem::DescribePoints(TKVRPropTable& aTable) const
{
    const double limit = MaxLength(*this);
    for (int32_t k = 1; k <= int32_t(fPoints.size()); ++k) {
        if (!IsInputPoint(k))
            continue;
        const std::string x = "X" + std::to_string(k), y = "Y" + std::to_string(k);
        TKVRPropRow row = BaseRow(KVRInsTypeBase::Points, {}, true);
        row.Parts.push_back(Number<TB>(1000 + 2 * k, x.c_str(), KVRInsCol::Left, -limit, limit, 1, "0.000",
                                       [k](const TB& i) { return i.FromBase(i.GetPoint(k).X); },
                                       [k](TB& i, double v) { i.SetBase(k, i.ToBase(v), i.GetPoint(k).Y); }));
        row.Parts.push_back(Number<TB>(1001 + 2 * k, y.c_str(), KVRInsCol::Right, -limit, limit, 1, "0.000",
                                       [k](const TB& i) { return i.FromBase(i.GetPoint(k).Y); },
                                       [k](TB& i, double v) { i.SetBase(k, i.GetPoint(k).X, i.ToBase(v)); }));
        if (IsLaidOutPoint(k))
            for (TKVRPropPart& p : row.Parts)
                p.Set = nullptr;
        aTable.push_back(std::move(row));
    }
}

bool TKVRBaseItem::IsInputPoint(int32_t) const
{
    return true;
}

bool TKVRBaseItem::IsLaidOutPoint(int32_t) const
{
    return false;
}

void TKVRBaseItem::CheckProp(TKVRInpectorBaseTypes& aBase, TKVRInpectorTypes& aTypes) const
{
    TKVRPropTable table;
    DescribeProps(table);
    DescribePoints(table);
    TKVRInpectorBaseTypes base = 0;
    TKVRInpectorTypes types = 0;
    for (const TKVRPropRow& row : table)
        (row.Base ? base : types) |= 1u << row.Group;
    aBase &= base;
    aTypes &= types;
}

void TKVRBaseItem::JsonInspector(TKVRInpectorBaseTypes aBase, TKVRInpectorTypes aTypes, TJsonObject& aRows) const
{
    if (!aRows.is_array())
        aRows = TJsonObject::array();
    const bool alone = SelectedCount(*this) == 1;
    TKVRPropTable table;
    DescribeProps(table);
    if (alone && InSet(aBase, KVRInsTypeBase::Points))
        DescribePoints(table);
    std::set<std::pair<int, int>> shown = PartKeys(aRows);
    for (const TKVRPropRow& row : table) {
        if (!InSet(row.Base ? aBase : aTypes, row.Group) || (row.OneOnly && !alone))
            continue;
        // A row an earlier element gave shows once, with the first one's
        // values; and no (code, pos) pair may name two parts.
        const bool repeated = std::any_of(row.Parts.begin(), row.Parts.end(), [&](const TKVRPropPart& p) {
            return shown.count({p.Code, p.Pos}) != 0;
        });
        if (repeated)
            continue;
        for (const TKVRPropPart& p : row.Parts)
            shown.insert({p.Code, p.Pos});
        aRows.push_back(MakeRow(row, *this));
    }
}

void TKVRBaseItem::PointInspector(TKVRInpectorBaseTypes aBase, TJsonObject& aRows) const
{
    if (!InSet(aBase, KVRInsTypeBase::Points))
        return;
    if (!aRows.is_array())
        aRows = TJsonObject::array();
    TJsonObject rows = TJsonObject::array();
    size_t at = SIZE_MAX;
    for (const TJsonObject& row : aRows) {
        if (IsPointRow(row)) {
            at = std::min(at, rows.size());
            continue;
        }
        rows.push_back(row);
    }
    if (SelectedCount(*this) == 1) {
        TKVRPropTable table;
        DescribePoints(table);
        TJsonObject fresh = TJsonObject::array();
        for (const TKVRPropRow& row : table)
            fresh.push_back(MakeRow(row, *this));
        rows.insert(rows.begin() + std::ptrdiff_t(std::min(at, rows.size())), fresh.begin(), fresh.end());
    }
    aRows = std::move(rows);
}
