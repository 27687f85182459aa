#pragma once
// The list of a live element editor (table columns, poly-text items): every
// change of the element in its own edit bracket, the list's rows following.
#include "document/KVR.FMX.h"
#include <QListWidget>

// One change of the element, in its own bracket; then the views learn it.
template <typename F>
void KVREditElement(TVXLabelFMX& aLabel, TKVRBaseItem* aElement, F&& aChange)
{
    TKVRBaseLabel::TEditBracket edit(aLabel);
    edit.Keep(aElement);
    aChange();
    aLabel.Notify(KVRChange::Items);
}

// Adds an entry to the element and its row to the list, the new row current.
// aIntro holds the form's own change handlers off meanwhile.
template <typename F>
void KVRAddListRow(TVXLabelFMX& aLabel, TKVRBaseItem* aElement, QListWidget& aList, const QString& aRow, bool& aIntro,
                   F&& aAdd)
{
    aIntro = true;
    KVREditElement(aLabel, aElement, aAdd);
    aList.addItem(aRow);
    aList.setCurrentRow(aList.count() - 1);
    aIntro = false;
}

// Deletes the entry of the current row (aDelete gets its number from 1) and
// the row; the first row, or none, becomes current.
template <typename F>
void KVRDeleteListRow(TVXLabelFMX& aLabel, TKVRBaseItem* aElement, QListWidget& aList, bool& aIntro, F&& aDelete)
{
    const int row = aList.currentRow();
    KVREditElement(aLabel, aElement, [&] { aDelete(row + 1); });
    aIntro = true;
    delete aList.takeItem(row);
    aList.setCurrentRow(aList.count() > 0 ? 0 : -1);
    aIntro = false;
}
