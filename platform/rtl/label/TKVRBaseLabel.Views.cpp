// The document's views, update brackets and selection.
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QLocale>
#include <algorithm>
#include <stdexcept>

// ---------------------------------------------------------------- views

void TKVRBaseLabel::Attach(IVXObserver* aObserver)
{
    if (aObserver && std::find(fObservers.begin(), fObservers.end(), aObserver) == fObservers.end())
        fObservers.push_back(aObserver);
}

void TKVRBaseLabel::Detach(IVXObserver* aObserver)
{
    std::erase(fObservers, aObserver);
}

void TKVRBaseLabel::Send(TVXChange aChange, const TVXChangeValue& aValue)
{
    // A view may detach itself (or another) while it is told.
    const std::vector<IVXObserver*> views = fObservers;
    for (IVXObserver* view : views)
        if (std::find(fObservers.begin(), fObservers.end(), view) != fObservers.end())
            view->UpdateCtrl(aChange, aValue);
}

void TKVRBaseLabel::Notify(TVXChange aChange, const TVXChangeValue& aValue)
{
    if (fUpdateLevel == 0) {
        Send(aChange, aValue);
        return;
    }
    for (TPendingChange& pending : fPending)
        if (pending.Change == aChange) {
            pending.Value = aValue;
            return;
        }
    fPending.push_back({aChange, aValue});
}

void TKVRBaseLabel::BeginUpdate(bool)
{
    if (fUpdateLevel++ > 0)
        return;
    TVXChangeValue value;
    value.Begin = 0;
    Send(KVRChange::Update, value);
}

void TKVRBaseLabel::EndUpdate()
{
    if (fUpdateLevel <= 0)
        return;
    if (--fUpdateLevel > 0)
        return;
    std::vector<TPendingChange> pending;
    pending.swap(fPending);
    for (const TPendingChange& change : pending)
        Send(change.Change, change.Value);
    TVXChangeValue value;
    value.Begin = 1;
    Send(KVRChange::Update, value);
}

void TKVRBaseLabel::SendSize()
{
    TVXChangeValue value;
    value.Width = fMeasure.GetWidth();
    value.Height = fMeasure.GetHeight();
    Notify(KVRChange::Size, value);
}

void TKVRBaseLabel::SendInfo()
{
    TVXChangeValue value;
    value.Width = fMeasure.GetSize(2);
    value.Height = fMeasure.GetSize(3);
    Notify(KVRChange::Loaded, value);
}

void TKVRBaseLabel::SetUnits(TKVRUnits aValue)
{
    fUnits = aValue;
    Notify(KVRChange::Units);
}

// ---------------------------------------------------------------- selection

TKVRBaseItem* TKVRBaseLabel::GetSelection(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetSelectionCount())
        throw std::out_of_range("Selection index out of range");
    return fSelection[size_t(aIndex - 1)];
}

bool TKVRBaseLabel::IsSelected(const TKVRBaseItem* aItem) const
{
    return std::find(fSelection.begin(), fSelection.end(), aItem) != fSelection.end();
}

void TKVRBaseLabel::SetSelection(std::vector<TKVRBaseItem*> aItems)
{
    if (aItems == fSelection)
        return;
    std::vector<TKVRBaseItem*> old;
    old.swap(fSelection);
    fSelection = std::move(aItems);
    // A point index belongs to the element it was grabbed on.
    fAct.fPos1 = 0;
    for (TKVRBaseItem* item : old)
        if (!IsSelected(item)) {
            item->SetItemState(0);
            ItemSelected(item, false);
        }
    for (TKVRBaseItem* item : fSelection)
        if (std::find(old.begin(), old.end(), item) == old.end()) {
            // Its frame and handles are read from the bounds from now on.
            item->UpdateBounds();
            item->SetItemState(1);
            ItemSelected(item, true);
        }
    TVXChangeValue value;
    value.Item = Select();
    Notify(KVRChange::Selection, value);
}

void TKVRBaseLabel::SelectItem(TKVRBaseItem* aItem, bool aAdd)
{
    if (!aItem || aItem->GetPreview() || aItem->GetOwner() != this || IndexOf(aItem) == 0)
        return;
    std::vector<TKVRBaseItem*> items = aAdd ? fSelection : std::vector<TKVRBaseItem*>{};
    if (std::find(items.begin(), items.end(), aItem) == items.end())
        items.push_back(aItem);
    SetSelection(std::move(items));
}

void TKVRBaseLabel::UnSelectItem(TKVRBaseItem* aItem)
{
    std::vector<TKVRBaseItem*> items = fSelection;
    std::erase(items, aItem);
    SetSelection(std::move(items));
}

void TKVRBaseLabel::ClearSelection()
{
    SetSelection({});
}

void TKVRBaseLabel::ForgetSelected(const TKVRBaseItem* aItem)
{
    // The element leaves the document: it is told while it still lives.
    if (IsSelected(aItem))
        UnSelectItem(const_cast<TKVRBaseItem*>(aItem));
}

namespace {

// Tab and Shift+Tab: the first element, aStep (1 or -1) at a time from
// position aFrom and around the end, that is no per-cell copy, selected alone
// and brought into view.
void SelectStepped(TKVRBaseLabel& aLabel, int32_t aFrom, int32_t aStep)
{
    const int32_t count = aLabel.GetItemsCount();
    for (int32_t k = 1; k <= count; ++k) {
        TKVRBaseItem* item = aLabel.GetItem(((aFrom - 1 + k * aStep) % count + count) % count + 1);
        if (!item->GetPreview()) {
            aLabel.SelectItem(item, false);
            TVXChangeValue value;
            value.Item = item;
            aLabel.Notify(KVRChange::ScrollTo, value);
            return;
        }
    }
}

}  // namespace

void TKVRBaseLabel::SelectNext()
{
    // With nothing selected, from before the first element.
    SelectStepped(*this, fSelection.empty() ? 0 : IndexOf(fSelection.front()), 1);
}

void TKVRBaseLabel::SelectPrior()
{
    // With nothing selected, from past the last element.
    SelectStepped(*this, fSelection.empty() ? 1 : IndexOf(fSelection.front()), -1);
}

void TKVRBaseLabel::FireInfoEvent(bool aFlag)
{
    if (aFlag && fAct.fPos1 > 0 && Select()) {
        TVXChangeValue value;
        value.Item = Select();
        Notify(KVRChange::Point, value);
    }
    if (fSelection.empty())
        return;
    const double unit = double(MicrometresPerUnit(fUnits));
    const auto text = [unit](int64_t v) { return QLocale::c().toString(double(v) / unit, 'f', 2); };
    const int64_t left = SelectionBounds(1), top = SelectionBounds(3);
    InfoMessage(QStringLiteral("X: %1  Y: %2  W: %3  H: %4")
                    .arg(text(left), text(top), text(SelectionBounds(2) - left), text(SelectionBounds(4) - top)));
}
