#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/KVR.NameLists.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <cmath>

namespace {

TKVRPropTable TableOf(const TKVRBaseItem& aItem)
{
    TKVRPropTable table;
    aItem.DescribeProps(table);
    aItem.DescribePoints(table);
    return table;
}

}  // namespace

void TKVRBaseLabel::LayOutSelection()
{
    for (int32_t i = 1; i <= GetSelectionCount(); ++i)
        if (GetSelection(i)->GetNeedsCalc())
            GetSelection(i)->CalcValues(0);
}

TJsonObject TKVRBaseLabel::UpdateProp(TKVRInsProp aProp, int32_t aKind, int32_t aType, int32_t aPos,
                                      const TJsonObject& aValue)
{
    TJsonObject reply = TJsonObject::object();
    reply["Link"] = TJsonObject::array();
    TKVRBaseItem* first = nullptr;
    const TKVRPropPart* firstPart = nullptr;
    std::vector<KVRProps::TShown> before;
    // Laid-out points are what the grid showed.
    LayOutSelection();
    for (int32_t i = 1; i <= GetSelectionCount() && !first; ++i) {
        TKVRBaseItem* item = GetSelection(i);
        const TKVRPropTable table = TableOf(*item);
        if (const TKVRPropPart* part = KVRProps::Find(table, aProp, aKind, aType, aPos)) {
            first = item;
            before = KVRProps::Numbers(table, *item);
            // The reply names the value under its key even when nothing is kept.
            reply[ValueKey(part->Code, part->List)] = part->Get(*item);
        }
    }
    if (!first || !GetEditable())
        return reply;
    bool changed = false;
    {
        TEditBracket bracket(*this);
        for (int32_t i = 1; i <= GetSelectionCount(); ++i) {
            TKVRBaseItem* item = GetSelection(i);
            const TKVRPropTable table = TableOf(*item);
            const TKVRPropPart* part = KVRProps::Find(table, aProp, aKind, aType, aPos);
            TJsonObject checked;
            // The value it has already is no edit: the layout is left as it is.
            if (!part || !part->Set || !KVRProps::Accept(*part, aValue, checked) || part->Get(*item) == checked)
                continue;
            bracket.Keep(item);
            part->Set(*item, checked);
            item->CheckPosition();
            changed = true;
        }
        // Before the views hear of it: a host asks "save changes?" by this.
        if (changed)
            SetModified(true);
        Notify(KVRChange::Items);
    }
    const TKVRPropTable table = TableOf(*first);
    firstPart = KVRProps::Find(table, aProp, aKind, aType, aPos);
    if (!firstPart)
        return reply;
    reply[ValueKey(firstPart->Code, firstPart->List)] = firstPart->Get(*first);
    const std::vector<KVRProps::TShown> after = KVRProps::Numbers(table, *first);
    for (const KVRProps::TShown& now : after) {
        if (now.Kind == aKind && now.Type == aType && now.Pos == aPos && now.Code == aProp)
            continue;
        const auto was = std::find_if(before.begin(), before.end(), [&](const KVRProps::TShown& b) {
            return b.Kind == now.Kind && b.Type == now.Type && b.Pos == now.Pos && b.Code == now.Code;
        });
        if (was != before.end() && was->Value == now.Value)
            continue;
        reply["Link"].push_back(
            {{"Kind", now.Kind}, {"Pos", now.Pos}, {"Type", now.Type}, {"Prop", now.Code}, {"ext", now.Value}});
    }
    return reply;
}

void TKVRBaseLabel::GetLayersNames(QStringList& aList) const
{
    aList.clear();
    for (int32_t i = 0; i < GetLayerCount(); ++i)
        aList << GetLayer(i)->GetName();
}

void TKVRBaseLabel::GetDimStylesNames(QStringList& aList) const
{
    aList.clear();
    for (int32_t i = 0; i < GetDimStyleCount(); ++i)
        aList << GetDimStyle(i).GetName();
}

// ---------------------------------------------------------------- field lists

namespace {

// Field types a list takes (TKVRDatasetField::Type). Type 0, which every CSV
// and JSON field has, says nothing of the contents: it joins every list.
constexpr uint32_t AnyType = 0xFFu;
constexpr uint32_t IntTypes = 1u << 0 | 1u << 2 | 1u << 3;
constexpr uint32_t NumTypes = IntTypes | 1u << 4;
constexpr uint32_t TxtTypes = 1u << 0 | 1u << 5;
constexpr uint32_t ImgTypes = 1u << 0 | 1u << 6 | 1u << 7;

void AddFields(QStringList& aList, const TKVRDataset* aSet, uint32_t aTypes)
{
    if (!aSet)
        return;
    for (const TKVRDatasetField& f : aSet->Fields)
        if (f.Type < 8 && (aTypes >> f.Type & 1u) && !aList.contains(f.Name))
            aList << f.Name;
}

void KeepCurrent(QStringList& aList, const QString& aCurrent)
{
    if (!aCurrent.isEmpty() && !aList.contains(aCurrent))
        aList << aCurrent;
}

// The selected data set's fields of aTypes, then (with aCounters) the counters.
void FieldList(const TKVRBaseLabel& aLabel, QStringList& aList, const QString& aCurrent, uint32_t aTypes,
               bool aCounters)
{
    aList.clear();
    const TKVRData& data = aLabel.GetData();
    AddFields(aList, data.GetDataset(data.GetDataSel()), aTypes);
    for (int32_t i = 1; aCounters && i <= aLabel.GetCounterCount(); ++i)
        if (!aList.contains(aLabel.GetCounter(i)->Name))
            aList << aLabel.GetCounter(i)->Name;
    KeepCurrent(aList, aCurrent);
}

}  // namespace

void TKVRBaseLabel::GetDataFields(QStringList& aList, const QString& aCurrent) const
{
    FieldList(*this, aList, aCurrent, AnyType, true);
}

void TKVRBaseLabel::GetImgFields(QStringList& aList, const QString& aCurrent) const
{
    // A picture's field names its file: counters name none.
    FieldList(*this, aList, aCurrent, ImgTypes, false);
}

void TKVRBaseLabel::GetIntFields(QStringList& aList, const QString& aCurrent) const
{
    FieldList(*this, aList, aCurrent, IntTypes, true);
}

void TKVRBaseLabel::GetNumFields(QStringList& aList, const QString& aCurrent) const
{
    FieldList(*this, aList, aCurrent, NumTypes, true);
}

void TKVRBaseLabel::GetTxtFields(QStringList& aList, const QString& aCurrent) const
{
    FieldList(*this, aList, aCurrent, TxtTypes, true);
}

void TKVRBaseLabel::GetDataDetails(QStringList& aList, const QString& aCurrent) const
{
    GetDetails(aList);
    KeepCurrent(aList, aCurrent);
}

void TKVRBaseLabel::GetDetails(QStringList& aList) const
{
    aList.clear();
    for (int32_t i = 0; i < fData.GetDatasetCount(); ++i)
        aList << fData.GetDataset(i)->Name;
}

void TKVRBaseLabel::GetDetailFields(QStringList& aList, const QString& aCurrent, const QString& aDetail) const
{
    aList.clear();
    AddFields(aList, fData.GetDataset(aDetail), AnyType);
    KeepCurrent(aList, aCurrent);
}

void TKVRBaseLabel::GetMasterDetailFields(QStringList& aList, const QString& aDetail) const
{
    FieldList(*this, aList, QString(), AnyType, true);
    AddFields(aList, fData.GetDataset(aDetail), AnyType);
}

bool KVRNameList(const TKVRBaseLabel& aLabel, TVXListProp aListProp, QStringList& aList, const QString& aCurrent)
{
    // Each of them starts the list afresh.
    switch (aListProp) {
    case KVRListProp::DataFields: aLabel.GetDataFields(aList, aCurrent); return true;
    case KVRListProp::ImgFields: aLabel.GetImgFields(aList, aCurrent); return true;
    case KVRListProp::IntFields: aLabel.GetIntFields(aList, aCurrent); return true;
    case KVRListProp::NumFields: aLabel.GetNumFields(aList, aCurrent); return true;
    case KVRListProp::TxtFields: aLabel.GetTxtFields(aList, aCurrent); return true;
    case KVRListProp::DataDetails: aLabel.GetDataDetails(aList, aCurrent); return true;
    case KVRListProp::Details: aLabel.GetDetails(aList); return true;
    default: return false;
    }
}
