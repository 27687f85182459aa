#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
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

TJsonObject TKVRBaseLabel::UpdateProp(TKVRInsProp aProp, int32_t aKind, int32_t aType, int32_t aPos,
                                      const TJsonObject& aValue)
{
    TJsonObject reply = TJsonObject::object();
    reply["Link"] = TJsonObject::array();
    TKVRBaseItem* first = nullptr;
    const TKVRPropPart* firstPart = nullptr;
    std::vector<KVRProps::TShown> before;
    // Laid-out points are what the grid showed.
    for (int32_t i = 1; i <= GetSelectionCount(); ++i)
        if (GetSelection(i)->GetNeedsCalc())
            GetSelection(i)->CalcValues(0);
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
    {
        TEditBracket bracket(*this);
        for (int32_t i = 1; i <= GetSelectionCount(); ++i) {
            TKVRBaseItem* item = GetSelection(i);
            const TKVRPropTable table = TableOf(*item);
            const TKVRPropPart* part = KVRProps::Find(table, aProp, aKind, aType, aPos);
            TJsonObject checked;
            // The value it has already is no edit: the layout is left as it is.
            if (!part || !KVRProps::Accept(*part, aValue, checked) || part->Get(*item) == checked)
                continue;
            bracket.Keep(item);
            part->Set(*item, checked);
            item->CheckPosition();
        }
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
