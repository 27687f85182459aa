// Deleting and reordering layers and dimension styles. Elements name both by
// index, so every change renumbers the elements that point past it.
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include <utility>

namespace {
// Where an index lands when the entry aGone leaves the list: aGone itself
// goes to 0, those after it move down one.
int32_t AfterRemoval(int32_t aIndex, int32_t aGone)
{
    if (aIndex == aGone)
        return 0;
    return aIndex > aGone ? aIndex - 1 : aIndex;
}

int32_t AfterSwap(int32_t aIndex, int32_t aA, int32_t aB)
{
    if (aIndex == aA)
        return aB;
    return aIndex == aB ? aA : aIndex;
}
}

bool TKVRBaseLabel::DeleteLayer(int32_t aIndex)
{
    if (aIndex <= 0 || aIndex >= GetLayerCount())
        return false;
    fLayers.erase(fLayers.begin() + aIndex);
    for (int32_t i = aIndex; i < GetLayerCount(); ++i)
        fLayers[size_t(i)]->fIndex = i;
    for (const auto& item : fItems)
        if (item->GetLayer() >= aIndex)
            item->SetLayer(AfterRemoval(item->GetLayer(), aIndex));
    fActiveLayer = AfterRemoval(fActiveLayer, aIndex);
    // The background layer counts from 1; a deleted one leaves no background.
    if (fBackLayer > 0)
        SetBackLayer(fBackLayer - 1 == aIndex ? 0 : AfterRemoval(fBackLayer - 1, aIndex) + 1);
    if (fLayerZOrder)
        SortItemsZLayer();
    Notify(KVRChange::Items);
    return true;
}

bool TKVRBaseLabel::ExchangeLayers(int32_t aA, int32_t aB)
{
    if (aA < 0 || aB < 0 || aA >= GetLayerCount() || aB >= GetLayerCount())
        return false;
    if (aA == aB)
        return true;
    std::swap(fLayers[size_t(aA)], fLayers[size_t(aB)]);
    fLayers[size_t(aA)]->fIndex = aA;
    fLayers[size_t(aB)]->fIndex = aB;
    for (const auto& item : fItems)
        if (item->GetLayer() == aA || item->GetLayer() == aB)
            item->SetLayer(AfterSwap(item->GetLayer(), aA, aB));
    fActiveLayer = AfterSwap(fActiveLayer, aA, aB);
    if (fBackLayer - 1 == aA || fBackLayer - 1 == aB)
        SetBackLayer(AfterSwap(fBackLayer - 1, aA, aB) + 1);
    if (fLayerZOrder)
        SortItemsZLayer();
    Notify(KVRChange::Items);
    return true;
}

void TKVRBaseLabel::SetLayerFileImg(int32_t aIndex, const QString& aFileName)
{
    GetLayer(aIndex)->ImgFileName = aFileName;
    fImgReload = true;
    Notify(KVRChange::Items);
}

void TKVRBaseLabel::ResetDimStyles()
{
    if (fDimStyles.empty())
        AddDimStyle();
    if (fActiveDimStyle < 0 || fActiveDimStyle >= GetDimStyleCount())
        fActiveDimStyle = 0;
}

bool TKVRBaseLabel::DeleteActiveDimStyle()
{
    const int32_t gone = fActiveDimStyle;
    if (gone <= 0 || gone >= GetDimStyleCount())
        return false;
    fDimStyles.erase(fDimStyles.begin() + gone);
    for (const auto& item : fItems)
        if (auto* dim = dynamic_cast<TKVRBaseDim*>(item.get()); dim && dim->GetDimStyleIndex() >= gone)
            dim->SetDimStyleIndex(AfterRemoval(dim->GetDimStyleIndex(), gone));
    fActiveDimStyle = 0;
    Notify(KVRChange::Items);
    return true;
}

void TKVRBaseLabel::CalcDimValues()
{
    for (const auto& item : fItems)
        if (auto* dim = dynamic_cast<TKVRBaseDim*>(item.get()))
            dim->CalcValues(0);
    Notify(KVRChange::Items);
}
