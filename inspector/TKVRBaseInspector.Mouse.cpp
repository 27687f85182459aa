// The mouse on the grid: a click finds the row and part under the pointer
// and acts by the part's editor code; the move shows the hand over the parts
// a click acts on. The list editor and the value sends live here too.
#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.h"
#include "inspector/TKVRBaseInspector.h"
#include "inspector/TKVRInspectorRows.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/KVR.NameLists.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QListView>
#include <QStandardItemModel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

using namespace KVRInspectorRows;

namespace {

int32_t Rounded(double aValue) { return int32_t(RoundHalfEven(aValue)); }

}  // namespace

void TKVRBaseInspector::mousePressEvent(QMouseEvent* aEvent)
{
    const QPoint p = aEvent->position().toPoint();
    MDown(aEvent->button(), aEvent->modifiers(), p.x(), p.y());
}

void TKVRBaseInspector::mouseMoveEvent(QMouseEvent* aEvent)
{
    const QPoint p = aEvent->position().toPoint();
    MMove(aEvent->modifiers(), p.x(), p.y());
}

void TKVRBaseInspector::mouseReleaseEvent(QMouseEvent* aEvent)
{
    const QPoint p = aEvent->position().toPoint();
    MUp(aEvent->button(), aEvent->modifiers(), p.x(), p.y());
}

void TKVRBaseInspector::mouseDoubleClickEvent(QMouseEvent* aEvent)
{
    QAbstractScrollArea::mouseDoubleClickEvent(aEvent);
    DblClick();
}

void TKVRBaseInspector::DblClick()
{
    if (!fEdit.Active)
        return;
    fEdit.SelectAll = true;
    DrawEdit();
}

void TKVRBaseInspector::MUp(Qt::MouseButton, Qt::KeyboardModifiers, int32_t, int32_t)
{
    fTimer->stop();
}

void TKVRBaseInspector::CloseEdit()
{
    fTimer->stop();
    fAltActive = false;
    fAltCode.clear();
    fEdit.Reset();
    fKept.clear();
    fBackEdit = QImage();
    viewport()->update();
}

// ---------------------------------------------------------------- hit tests

bool TKVRBaseInspector::PartAt(const TJsonObject& aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY) const
{
    const TKVRInsProp code = TKVRInsProp(aRow.value(Key("Prop", aPart), 0) & 0xFF);
    switch (code) {
    case KVRInsProp::Picture:
    case KVRInsProp::LongText:
    case KVRInsProp::Columns:
    case KVRInsProp::PolyItems: {
        // The buttons, as painted: they stand above the value box.
        auto inside = [aX, aY](const TRectF& aBox) {
            return float(aX) >= aBox.Left && float(aX) <= aBox.Right && float(aY) >= aBox.Top &&
                   float(aY) <= aBox.Bottom;
        };
        return inside(ButtonBox(aRow, aPart, aTop, false)) ||
               (code == KVRInsProp::Picture && fOptions.testFlag(KVRFmxInspector::ioMapButton) &&
                inside(ButtonBox(aRow, aPart, aTop, true)));
    }
    default: break;
    }
    const float top = aTop + float(aRow.value(Key("TV", aPart), 0));
    return float(aY) >= top && float(aY) <= top + float(HeightCtrl(code, fDPIY)) &&
           CheckXPos(aX, TKVRInsCol(aRow.value(Key("C", aPart), 0)), code, false, fSize24,
                     fOptions.testFlag(KVRFmxInspector::ioMapButton));
}

bool TKVRBaseInspector::OptionAt(const TJsonObject& aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY,
                                 int32_t& aGroup, int32_t& aBox) const
{
    const bool both = (aRow.value(Key("Prop", aPart), 0) & 0xFF) == KVRInsProp::AlignPos;
    for (int32_t group = 0; group < (both ? 2 : 1); ++group)
        for (int32_t k = 0; k < 3; ++k) {
            const TRectF r = OptionBox(aRow, aPart, group, k, aTop);
            if (float(aX) > r.Left && float(aX) < r.Right && float(aY) > r.Top && float(aY) < r.Bottom) {
                aGroup = group;
                aBox = k;
                return true;
            }
        }
    return false;
}

// ---------------------------------------------------------------- mouse down and move

void TKVRBaseInspector::MDown(Qt::MouseButton, Qt::KeyboardModifiers, int32_t aX, int32_t aY)
{
    fTimer->stop();
    if (fJsonA.empty() || !fBaseLab || !fBaseLab->GetEditable())
        return;
    if (fComboList->isVisible())
        fComboList->hide();
    setFocus();
    const float height = float(viewport()->height());
    float top = 0;
    for (int32_t r = fTopIndex; r < int32_t(fJsonA.size()); ++r) {
        const int32_t h = RowHeight(fJsonA[size_t(r)]);
        // A row that does not show whole takes no clicks.
        if (height < top + float(ScalePos(h, fDPIY)))
            return;
        if (float(aY) >= top && float(aY) <= top + float(h))
            for (int32_t j = 1; j <= fJsonA[size_t(r)].value("N", 0); ++j)
                // An acting part may have rebuilt the rows: nothing of them
                // is read after it.
                if (ClickPart(r, j, top, aX, aY))
                    return;
        top += float(h);
    }
}

bool TKVRBaseInspector::ClickPart(int32_t aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY)
{
    const TJsonObject& row = fJsonA[size_t(aRow)];
    const TKVRInsProp code = TKVRInsProp(row.value(Key("Prop", aPart), 0) & 0xFF);
    if (code == KVRInsProp::HorzAlign || code == KVRInsProp::AlignPos) {
        int32_t group = 0, k = 0;
        if (!OptionAt(row, aPart, aTop, aX, aY, group, k))
            return false;
        // One part holds both groups: "Value1" the alignment, "Value2" the
        // position, sent as positions 1 and 2; a chosen box sends nothing.
        const bool chosen = PartValue(row, "Value", group + 1) == k;
        TPartId id = PartId(aRow, aPart);
        id.Pos = group + 1;
        CloseEdit();
        if (!chosen)
            SendValue(id, "int", k);
        return true;
    }
    if (!PartAt(row, aPart, aTop, aX, aY))
        return false;
    switch (code) {
    case KVRInsProp::Text:
    case KVRInsProp::Number:
    case KVRInsProp::TextCentred:
    case KVRInsProp::Integer:
    case KVRInsProp::BarValue: {
        const bool inside = fEdit.Active && aX >= fEdit.Left && aX <= fEdit.Left + fEdit.Width &&
                            aY >= fEdit.Top && aY <= fEdit.Top + fEdit.Height;
        if (!inside)
            Edit(aRow, aPart);
        else if (IsNumberBoxOpen() && aX >= fEdit.Left + fEdit.Width - 12) {
            // The spin arrows: one step now, more while the button is held.
            const bool up = aY < fEdit.Top + fEdit.Height / 2;
            if (up)
                IncValue();
            else
                DecValue();
            IniTimer(up ? 0 : 1);
        }
        return true;
    }
    case KVRInsProp::Color:
    case KVRInsProp::Check:
    case KVRInsProp::List:
    case KVRInsProp::LongText:
    case KVRInsProp::Columns:
    case KVRInsProp::PolyItems:
        CloseEdit();
        PropEditor(aRow, aPart);
        return true;
    case KVRInsProp::Picture:
        // PartAt found one of the buttons: the map button lies left of "...".
        fImgMap = fOptions.testFlag(KVRFmxInspector::ioMapButton) &&
                  float(aX) <= ButtonBox(row, aPart, aTop, true).Right;
        CloseEdit();
        PropEditor(aRow, aPart);
        return true;
    default: return false;
    }
}

void TKVRBaseInspector::MMove(Qt::KeyboardModifiers, int32_t aX, int32_t aY)
{
    QString tip;
    for (const TCutCaption& c : fCutCaptions)
        if (float(aX) >= c.Box.Left && float(aX) <= c.Box.Right && float(aY) >= c.Box.Top && float(aY) <= c.Box.Bottom)
            tip = c.Name;
    viewport()->setToolTip(tip);
    const float height = float(viewport()->height());
    float top = 0;
    for (int32_t r = fTopIndex; r < int32_t(fJsonA.size()); ++r) {
        const TJsonObject& row = fJsonA[size_t(r)];
        const int32_t h = RowHeight(row);
        if (height < top + float(h))
            break;
        if (float(aY) >= top && float(aY) < top + float(h))
            for (int32_t j = 1; j <= row.value("N", 0); ++j) {
                const TKVRInsProp code = TKVRInsProp(row.value(Key("Prop", j), 0) & 0xFF);
                int32_t group = 0, k = 0;
                switch (code) {
                case KVRInsProp::HorzAlign:
                case KVRInsProp::AlignPos:
                    if (OptionAt(row, j, top, aX, aY, group, k)) {
                        viewport()->setCursor(Qt::PointingHandCursor);
                        return;
                    }
                    break;
                case KVRInsProp::Text:
                case KVRInsProp::Number:
                case KVRInsProp::TextCentred:
                case KVRInsProp::BarValue:
                    if (PartAt(row, j, top, aX, aY))
                        return;
                    break;
                case KVRInsProp::Color:
                case KVRInsProp::Check:
                case KVRInsProp::Picture:
                case KVRInsProp::LongText:
                case KVRInsProp::Columns:
                case KVRInsProp::PolyItems:
                    if (PartAt(row, j, top, aX, aY)) {
                        viewport()->setCursor(Qt::PointingHandCursor);
                        return;
                    }
                    break;
                default: break;
                }
            }
        top += float(h);
    }
    viewport()->setCursor(Qt::ArrowCursor);
}

// ---------------------------------------------------------------- editors and sends

TKVRBaseInspector::TPartId TKVRBaseInspector::PartId(int32_t aRow, int32_t aPart) const
{
    const TJsonObject& row = fJsonA[size_t(aRow)];
    return {row.value("Kind", 0), row.value("Type", 0), row.value(Key("P", aPart), 0),
            TKVRInsProp(row.value(Key("Prop", aPart), 0) & 0xFF)};
}

bool TKVRBaseInspector::FindPart(const TPartId& aId, int32_t& aRow, int32_t& aPart) const
{
    for (size_t r = 0; r < fJsonA.size(); ++r) {
        const TJsonObject& row = fJsonA[r];
        if (row.value("Kind", 0) != aId.Kind || row.value("Type", 0) != aId.Type)
            continue;
        for (int32_t j = 1; j <= row.value("N", 0); ++j)
            if (row.value(Key("P", j), 0) == aId.Pos && (row.value(Key("Prop", j), 0) & 0xFF) == aId.Code) {
                aRow = int32_t(r);
                aPart = j;
                return true;
            }
    }
    return false;
}

TJsonObject TKVRBaseInspector::ShownValue(const TPartId& aId) const
{
    int32_t row = 0, part = 0;
    return FindPart(aId, row, part) ? PartValue(fJsonA[size_t(row)], "Value", part) : TJsonObject();
}

void TKVRBaseInspector::SendValue(const TPartId& aId, const char* aKey, const TJsonObject& aValue)
{
    if (!fBaseLab)
        return;
    fJsonV = TJsonObject::object();
    fJsonV[aKey] = aValue;
    TJsonObject reply;
    {
        // The open box keeps what it shows while its own edit comes back.
        const QScopedValueRollback sending(fSending, true);
        reply = fBaseLab->UpdateProp(aId.Code, aId.Kind, aId.Type, aId.Pos, fJsonV);
    }
    ResetValue();
    int32_t row = 0, part = 0;
    if (reply.is_object() && reply.contains(aKey) && FindPart(aId, row, part))
        fJsonA[size_t(row)][Key("Value", part)] = reply[aKey];
    UpdateLinkedProp(reply);
    viewport()->update();
}

void TKVRBaseInspector::PropEditor(int32_t aRow, int32_t aPart)
{
    if (aRow < 0 || aRow >= int32_t(fJsonA.size()) || aPart < 1 || aPart > fJsonA[size_t(aRow)].value("N", 0))
        return;
    const TJsonObject& row = fJsonA[size_t(aRow)];
    const TPartId id = PartId(aRow, aPart);
    switch (id.Code) {
    case KVRInsProp::List: Edit(aRow, aPart); break;
    case KVRInsProp::Check: {
        const TJsonObject& value = PartValue(row, "Value", aPart);
        SendValue(id, "bol", !(value.is_boolean() && value.get<bool>()));
        break;
    }
    case KVRInsProp::Color: {
        const TJsonObject& value = PartValue(row, "Value", aPart);
        uint32_t color = value.is_number_integer() ? uint32_t(value.get<int64_t>() & 0xFFFFFFFF) : 0;
        // The colour confirmed is sent, also when it did not change.
        if (KVRLabelOpeners().SelectColor && KVRLabelOpeners().SelectColor(color))
            SendValue(id, "i64", int64_t(color));
        break;
    }
    case KVRInsProp::Picture: {
        if (!fBaseLab)
            break;
        if (!fImgMap) {
            const QString file = KVRLabelOpeners().OpenPicture
                                     ? KVRLabelOpeners().OpenPicture(fBaseLab->GetOpenImgFolder(), KVRPictureFilter())
                                     : QString();
            if (!file.isEmpty())
                SendValue(id, "txt", file.toStdString());
            break;
        }
        // The map takes its size from the one selected picture.
        if (!dynamic_cast<TKVRBaseImage*>(fBaseLab->Select()) || !KVRLabelOpeners().SelectMap)
            break;
        if (KVRLabelOpeners().SelectMap(*fBaseLab, 0, 0))
            SendValue(id, "txt", fBaseLab->GetMapping().GetImageFile().toStdString());
        break;
    }
    case KVRInsProp::LongText: {
        const QString before = TextOf(PartValue(row, "Value", aPart));
        QString text = before;
        // A rich text's mark-up needs the large form even when short.
        const bool keepSize = fBaseLab && dynamic_cast<TKVRBaseRichText*>(fBaseLab->Select());
        if (KVRLabelOpeners().EditLongText && KVRLabelOpeners().EditLongText(text, keepSize) && text != before)
            SendValue(id, "txt", text.toStdString());
        break;
    }
    // The table's and the poly-text's own live editors; they refuse a
    // selection that is not one such element.
    case KVRInsProp::Columns:
        if (fBaseLab && KVRLabelOpeners().EditTable)
            KVRLabelOpeners().EditTable(*fBaseLab);
        break;
    case KVRInsProp::PolyItems:
        if (fBaseLab && KVRLabelOpeners().EditPolyText)
            KVRLabelOpeners().EditPolyText(*fBaseLab);
        break;
    default: break;
    }
}

void TKVRBaseInspector::OpenList(int32_t aRow, int32_t aPart, int32_t aTop)
{
    const TJsonObject& row = fJsonA[size_t(aRow)];
    const TVXListProp list = TVXListProp(row.value(Key("List", aPart), 0) & 0xFF);
    const TJsonObject& value = PartValue(row, "Value", aPart);
    QStringList entries;
    bool noNames = false;
    switch (list) {
    case KVRListProp::Layers:
        if (fBaseLab)
            for (int32_t i = 0; i < fBaseLab->GetLayerCount(); ++i)
                entries << fBaseLab->GetLayer(i)->GetName();
        break;
    case KVRListProp::DimStyles:
        if (fBaseLab)
            for (int32_t i = 0; i < fBaseLab->GetDimStyleCount(); ++i)
                entries << fBaseLab->GetDimStyle(i).GetName();
        break;
    case KVRListProp::Fonts: entries = KVRDialogFonts(fBaseLab, this); break;
    default: FillList(list, entries); break;
    }
    // Field and data-set names come from the document's data; with none
    // bound the list says so rather than open empty (or with only the name
    // the element still holds).
    if (fBaseLab && KVRNameList(*fBaseLab, list, entries, TextOf(value))) {
        QStringList names;
        KVRNameList(*fBaseLab, list, names, QString());
        noNames = names.isEmpty();
    }
    const int32_t current = IsTextList(list) ? int32_t(entries.indexOf(TextOf(value)))
                                             : (value.is_number_integer() ? value.get<int32_t>() : -1);
    const TKVRInsProp code = KVRInsProp::List;
    const TKVRInsCol col = TKVRInsCol(row.value(Key("C", aPart), 0));
    fListPart = PartId(aRow, aPart);
    {
        // Filling the list is no choice.
        const QSignalBlocker block(fComboList);
        fComboList->clear();
        fComboList->addItems(entries);
        // Letters typed into the list before belonged to another list.
        fComboList->view()->keyboardSearch(QString());
        // An index list offers only the entries the element may take; line
        // ends carry their kind for the samples of the list's delegate.
        const bool bounded = !IsTextList(list) && row.contains(Key("X", aPart));
        const int32_t least = bounded ? row.value(Key("M", aPart), 0) : 0;
        const int32_t most = bounded ? row.value(Key("X", aPart), 0) : int32_t(entries.size()) - 1;
        auto* items = qobject_cast<QStandardItemModel*>(fComboList->model());
        auto* view = qobject_cast<QListView*>(fComboList->view());
        for (int32_t i = 0; i < int32_t(entries.size()); ++i) {
            const bool offered = i >= least && i <= most;
            if (items)
                items->item(i)->setEnabled(offered);
            if (view)
                view->setRowHidden(i, !offered);
            if (list == KVRListProp::LineEnds)
                fComboList->setItemData(i, i, Qt::UserRole);
        }
        fComboList->setCurrentIndex(current);
        fNoFieldsLine = noNames;
        if (noNames) {
            // A line to read, not to choose.
            fComboList->addItem(TKVRMsg::GetDialogsValue(QStringLiteral("NoFields")));
            if (auto* model = qobject_cast<QStandardItemModel*>(fComboList->model()))
                model->item(model->rowCount() - 1)->setEnabled(false);
            if (current < 0)
                fComboList->setCurrentIndex(fComboList->count() - 1);
        }
    }
    fComboList->setGeometry(Rounded(XPosCtrl(col, code, fSize24)), aTop + row.value(Key("TV", aPart), 0),
                            Rounded(WidthCtrl(col, code, fSize24)), Rounded(HeightCtrl(code, fDPIY)) + 4);
    // The open list is as wide as its longest entry, which the narrow box would cut.
    int32_t widest = 0;
    for (int i = 0; i < fComboList->count(); ++i)
        widest = std::max(widest, int32_t(fComboList->fontMetrics().horizontalAdvance(fComboList->itemText(i))));
    fComboList->view()->setMinimumWidth(widest + 16);
    fComboList->show();
    fComboList->setFocus();
}

void TKVRBaseInspector::OnComboChange(int aIndex)
{
    // The list may outlive its part (a rebuild in between): it then sends nothing.
    int32_t row = 0, part = 0;
    if (aIndex < 0 || (fNoFieldsLine && aIndex == fComboList->count() - 1) || !fComboList->isVisible() ||
        !FindPart(fListPart, row, part))
        return;
    fComboList->hide();
    const TVXListProp list = TVXListProp(fJsonA[size_t(row)].value(Key("List", part), 0) & 0xFF);
    const TJsonObject& shown = PartValue(fJsonA[size_t(row)], "Value", part);
    // The entry shown is sent again only to make several elements take it.
    const bool same = IsTextList(list) ? TextOf(shown) == fComboList->itemText(aIndex) : shown == aIndex;
    if (same && fBaseLab && fBaseLab->GetSelectionCount() < 2)
        return;
    if (IsTextList(list))
        SendValue(fListPart, "txt", fComboList->itemText(aIndex).toStdString());
    else
        SendValue(fListPart, "int", aIndex);
}
