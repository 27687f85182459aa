#include "inspector/TKVRBaseInspector.h"
#include "document/KVR.FMX.h"
#include "inspector/TKVRHeadTypeDelegate.h"
#include "inspector/TKVRInspectorRows.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <QAbstractItemView>
#include <algorithm>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QTimer>

using namespace KVRInspectorRows;

namespace {

TAlphaColor ColorOf(const QColor& aColor) { return TAlphaColor(aColor.rgba()); }

}  // namespace

TKVRBaseInspector::TKVRBaseInspector(QWidget* aParent) : QAbstractScrollArea(aParent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // At least the width the grid was drawn for; wider, its columns widen
    // with it (a host may put it in a splitter).
    setMinimumWidth(ControlWidth);
    resize(ControlWidth, ControlWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ResetValue();
    // The child controls: the list editor (used by the keys and the mouse)
    // and the vertical scroll bar, shown only when the rows need it.
    fComboList = new QComboBox(viewport());
    fComboList->hide();
    fComboList->view()->setItemDelegate(new TKVRHeadTypeDelegate(fComboList));
    // activated fires for the entry already chosen too: with several
    // elements selected that entry is sent to all of them.
    connect(fComboList, &QComboBox::activated, this, [this](int aIndex) { OnComboChange(aIndex); });
    viewport()->setMouseTracking(true);
    fScrollBar = verticalScrollBar();
    fScrollBarsize = fScrollBar->sizeHint().width();
    connect(fScrollBar, &QScrollBar::valueChanged, this, [this] { UpdateVertScroll(); });
    fTimer = new QTimer(this);
    fTimer->setInterval(100);
    connect(fTimer, &QTimer::timeout, this, [this] { OnTimer(); });
}

TKVRBaseInspector::~TKVRBaseInspector()
{
    if (fBaseLab)
        fBaseLab->Detach(this);
    fEdit.Active = false;
}

void TKVRBaseInspector::SetLabel(TVXLabelFMX* aLabel)
{
    if (!KVRWatchLabel(this, fBaseLab, aLabel))
        return;
    fLinked = aLabel != nullptr;
    // The rows and the box were the old document's: the new one's selection
    // shows at once.
    CloseEdit();
    if (fBaseLab)
        Rebuild();
    else
        ClearRows();
    FillInspector(true);
}

void TKVRBaseInspector::DocumentDestroyed()
{
    // The dying document is forgotten, never called; nothing of it stays shown.
    fBaseLab = nullptr;
    CloseEdit();
    ClearRows();
    FillInspector(true);
}

void TKVRBaseInspector::ClearRows()
{
    fComboList->hide();
    fJsonA = TJsonObject::array();
    fJsonO = nullptr;
}

void TKVRBaseInspector::SetBackColor(TAlphaColor aValue)
{
    if (aValue == fBackColor)
        return;
    fBackColor = aValue;
    viewport()->update();
}

void TKVRBaseInspector::GetStyleColors()
{
    const QPalette& p = palette();
    fBackColor = fEditColor = ColorOf(p.color(QPalette::Base));
    fValueColor = fTitleColor = ColorOf(p.color(QPalette::Text));
    fSelColor = ColorOf(p.color(QPalette::Highlight));
    fSelTextColor = ColorOf(p.color(QPalette::HighlightedText));
    fButColor = ColorOf(p.color(QPalette::Button));
    fCapButColor = ColorOf(p.color(QPalette::ButtonText));
    fCheckBorder = fCheckLine = fValueColor;
    viewport()->update();
}

void TKVRBaseInspector::changeEvent(QEvent* aEvent)
{
    QAbstractScrollArea::changeEvent(aEvent);
    if (aEvent->type() == QEvent::PaletteChange)
        GetStyleColors();
}

void TKVRBaseInspector::resizeEvent(QResizeEvent* aEvent)
{
    QAbstractScrollArea::resizeEvent(aEvent);
    // Fewer or more rows fit: the scroll range follows.
    FillInspector(false);
}

// ---------------------------------------------------------------- observer

void TKVRBaseInspector::UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue)
{
    if (!fBaseLab)
        return;
    switch (aChange) {
    case KVRChange::Items:
    case KVRChange::StartText:
    case KVRChange::Units:
    case KVRChange::Point: {
        // The box stays open over its property, if that is still shown; a
        // new unit changes every length it shows, so the box closes.
        const bool keep = fEdit.Active && aChange != KVRChange::Units && fEdit.Row >= 0 &&
                          fEdit.Row < int32_t(fJsonA.size());
        TPartId open;
        TJsonObject shown;
        std::vector<TJsonObject> kept;
        if (keep) {
            open = PartId(fEdit.Row, fEdit.Part);
            shown = PartValue(fJsonA[size_t(fEdit.Row)], "Value", fEdit.Part);
            for (const TKeptValue& k : fKept)
                kept.push_back(ShownValue(k.Id));
        }
        if (aChange == KVRChange::Point) {
            if (!InSet(fInsTypesBase, KVRInsTypeBase::Points) || fBaseLab->GetSelectionCount() == 0)
                return;
            fBaseLab->LayOutSelection();
            fBaseLab->GetSelection(1)->PointInspector(fInsTypesBase, fJsonA);
        } else
            Rebuild();
        if (!keep || !FindPart(open, fEdit.Row, fEdit.Part))
            CloseEdit();
        else if (!fSending && PartValue(fJsonA[size_t(fEdit.Row)], "Value", fEdit.Part) != shown)
            // Changed elsewhere (a toolbar command, code): the box shows the
            // new value, or the next step would send the old one again.
            ReloadEdit();
        else if (!fSending)
            // Another point moved elsewhere is kept where it was moved to.
            for (size_t i = 0; i < fKept.size() && i < kept.size(); ++i)
                if (const TJsonObject now = ShownValue(fKept[i].Id); now != kept[i] && now.is_number())
                    fKept[i].Value = now.get<double>();
        FillInspector(false);
        break;
    }
    case KVRChange::EditProp:
        if (aValue.Open && fOptions.testFlag(KVRFmxInspector::ioEditProp)) {
            // Opened after the notification returns (a dialog must not run
            // inside the document's call), on the rows then shown, and only
            // for the selection it was asked for.
            const uint64_t selection = fSelectionChanges;
            const TKVRInsProp code = aValue.Prop;
            const int32_t pos = int32_t(aValue.Pos);
            QTimer::singleShot(0, this, [this, selection, code, pos] {
                if (selection != fSelectionChanges || !fBaseLab)
                    return;
                for (int32_t r = 0; r < int32_t(fJsonA.size()); ++r)
                    for (int32_t j = 1; j <= fJsonA[size_t(r)].value("N", 0); ++j)
                        if ((fJsonA[size_t(r)].value(Key("Prop", j), 0) & 0xFF) == code &&
                            fJsonA[size_t(r)].value(Key("P", j), 0) == pos) {
                            PropEditor(r, j);
                            return;
                        }
            });
        }
        break;
    case KVRChange::Selection:
    case KVRChange::List:
    case KVRChange::Text:
        if (aChange == KVRChange::Selection)
            ++fSelectionChanges;
        Rebuild();
        FillInspector(true);
        break;
    default: break;
    }
}

void TKVRBaseInspector::Rebuild()
{
    // The list belongs to a part of the old rows.
    ClearRows();
    TKVRInpectorBaseTypes base = fInsTypesBase;
    TKVRInpectorTypes types = fInsTypes;
    // Points an element lays out (read but not drawn yet) show their places.
    fBaseLab->LayOutSelection();
    const int32_t count = fBaseLab->GetSelectionCount();
    for (int32_t i = 1; i <= count; ++i)
        fBaseLab->GetSelection(i)->CheckProp(base, types);
    for (int32_t i = 1; i <= count; ++i)
        fBaseLab->GetSelection(i)->JsonInspector(base, types, fJsonA);
}

void TKVRBaseInspector::ReloadEdit()
{
    const TJsonObject& value = PartValue(fJsonA[size_t(fEdit.Row)], "Value", fEdit.Part);
    if (IsNumberBoxOpen()) {
        fEdit.Value = value.is_number() ? value.get<double>() : 0.0;
        fEdit.Text = NumberText(fEdit.Value);
    } else
        fEdit.Text = TextOf(value);
    fEdit.CursorPos = int32_t(fEdit.Text.size());
    fEdit.SelectAll = false;
    // The box and the element agree again.
    KeepPoints();
    DrawEdit();
}

QString TKVRBaseInspector::NumberText(double aValue) const
{
    const QString format = TextOf(PartValue(fJsonA[size_t(fEdit.Row)], "FE", fEdit.Part));
    // Whole numbers without a format show plainly.
    if (fEdit.InputType == KVRInputType::Integer && format.isEmpty())
        return QString::number(aValue, 'g', 17);
    return FormatFloat(format, aValue);
}

void TKVRBaseInspector::PlaceEdit()
{
    if (!fEdit.Active)
        return;
    if (fEdit.Row < fTopIndex || fEdit.Row >= int32_t(fJsonA.size())) {
        CloseEdit();
        return;
    }
    float top = 0;
    for (int32_t r = fTopIndex; r < fEdit.Row; ++r)
        top += float(RowHeight(fJsonA[size_t(r)]));
    const TJsonObject& row = fJsonA[size_t(fEdit.Row)];
    // Scrolled out, or cut at the bottom where no click reaches it: every
    // key already went to the document, so closing loses nothing.
    if (float(viewport()->height()) < top + float(ScalePos(RowHeight(row), fDPIY))) {
        CloseEdit();
        return;
    }
    fEdit.Top = int32_t(top) + row.value(Key("TV", fEdit.Part), 0);
    // The grid's width may have changed its column.
    if (PlaceEditAcross(row))
        DrawEdit();
}

bool TKVRBaseInspector::PlaceEditAcross(const TJsonObject& aRow)
{
    const TKVRInsCol col = TKVRInsCol(aRow.value(Key("C", fEdit.Part), 0));
    const TKVRInsProp code = TKVRInsProp(aRow.value(Key("Prop", fEdit.Part), 0) & 0xFF);
    const int32_t left = int32_t(RoundHalfEven(XPosCtrl(col, code, fSize24)));
    const int32_t width = int32_t(RoundHalfEven(WidthCtrl(col, code, fSize24)));
    const bool moved = left != fEdit.Left || width != fEdit.Width;
    fEdit.Left = left;
    fEdit.Width = width;
    return moved;
}

// ---------------------------------------------------------------- rows and scrolling

int32_t TKVRBaseInspector::GridWidth() const
{
    // A control not shown yet has not laid its viewport out: the width its
    // layout will give it.
    if (testAttribute(Qt::WA_PendingResizeEvent))
        return width() - (GetVertScrollBarVisible() ? fScrollBar->sizeHint().width() : 0);
    return viewport()->width();
}

void TKVRBaseInspector::FillInspector(bool aReset)
{
    if (aReset) {
        fEdit.Active = false;
        fTimer->stop();
        fTopIndex = 0;
    }
    fVisibleRows = 0;
    fContentHeight = 0;
    fNumRows = fJsonA.is_array() ? int32_t(fJsonA.size()) : 0;
    const int32_t height = this->height();
    for (int32_t r = 0; r < fNumRows; ++r) {
        const int32_t h = RowHeight(fJsonA[size_t(r)]);
        if (height > fContentHeight + h)
            ++fVisibleRows;
        fContentHeight += float(h);
    }
    // The range ends where the last row shows whole, however tall the rows
    // before it: the least top index whose rows fit from there down.
    fLastTop = fNumRows;
    float below = 0;
    while (fLastTop > 0 && below + float(RowHeight(fJsonA[size_t(fLastTop - 1)])) <= float(height)) {
        --fLastTop;
        below += float(RowHeight(fJsonA[size_t(fLastTop)]));
    }
    // A last row taller than the control shows from its top.
    if (fLastTop == fNumRows)
        fLastTop = std::max(0, fNumRows - 1);
    fTopIndex = std::clamp(fTopIndex, 0, fLastTop);
    UpdateScrollBars();
    // The open box follows its row.
    PlaceEdit();
    viewport()->update();
}

int32_t TKVRBaseInspector::LayoutWidth() const
{
    // In 96-dpi pixels, as the grid's units are given: the viewport's, which
    // the bar narrows, never less than the least control leaves it.
    const int32_t least = ControlWidth - (GetVertScrollBarVisible() ? fScrollBarsize : 0);
    return std::max(least, int32_t(double(GridWidth()) * 96.0 / std::max(fDPIX, 1)));
}

bool TKVRBaseInspector::GetVertScrollBarVisible() const
{
    return fLastTop > 0;
}

void TKVRBaseInspector::UpdateScrollBars()
{
    const QSignalBlocker block(fScrollBar);
    if (GetVertScrollBarVisible()) {
        fLeftGap = 2;
        fRightGap = fScrollBarsize;
        fScrollBar->setRange(0, fLastTop);
        fScrollBar->setPageStep(std::max(1, fVisibleRows));
        fScrollBar->setValue(fTopIndex);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        fTopIndex = 0;
        fRightGap = 4;
        fLeftGap = 11;
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fScrollBar->setRange(0, 0);
        fScrollBar->setValue(0);
        fScrollBar->setPageStep(0);
    }
    // Each column a 24th of the viewport as the bar leaves it, unrounded: a
    // unit rounded up would put the right-hand boxes past the grid's edge.
    fSize24 = double(LayoutWidth()) * std::max(fDPIX, 1) / 96.0 / 24.0;
}

void TKVRBaseInspector::UpdateVertScroll()
{
    const int32_t top = std::clamp(fScrollBar->value(), 0, fLastTop);
    if (top == fTopIndex)
        return;
    fTopIndex = top;
    // The list stood over a row that has moved away.
    fComboList->hide();
    PlaceEdit();
    viewport()->update();
}

bool TKVRBaseInspector::LocatePos(int32_t aKind, int32_t aPos, int32_t aType)
{
    for (int32_t r = fTopIndex; r < int32_t(fJsonA.size()); ++r) {
        fJsonO = &fJsonA[size_t(r)];
        if (fJsonO->value("Kind", 0) != aKind || fJsonO->value("Type", 0) != aType)
            continue;
        for (int32_t j = 1; j <= fJsonO->value("N", 0); ++j)
            if (fJsonO->value(Key("P", j), 0) == aPos) {
                aSPos = r;
                aSNum = j;
                return true;
            }
    }
    return false;
}

void TKVRBaseInspector::UpdateLinkedProp(const TJsonObject& aResult)
{
    if (!aResult.is_object() || !aResult.contains("Link") || !aResult["Link"].is_array())
        return;
    for (const TJsonObject& link : aResult["Link"]) {
        if (!link.is_object() || (link.value("Prop", 0) & 0xFF) != KVRInsProp::Number ||
            !link.contains("ext") || !link["ext"].is_number())
            continue;
        if (LocatePos(link.value("Kind", 0), link.value("Pos", 0), link.value("Type", 0)))
            fJsonA[size_t(aSPos)][Key("Value", aSNum)] = link["ext"].get<double>();
    }
}

void TKVRBaseInspector::ResetValue()
{
    fJsonV = TJsonObject::object();
    fJsonV["txt"] = "";
    fJsonV["int"] = 0;
    fJsonV["ext"] = 0.0;
    fJsonV["i64"] = int64_t(0);
}

// ---------------------------------------------------------------- in-place box

void TKVRBaseInspector::Edit(int32_t aRow, int32_t aPart)
{
    fTimer->stop();
    fAltActive = false;
    fEdit.Reset();
    fKept.clear();
    fBackEdit = QImage();
    if (aRow < fTopIndex || aRow >= int32_t(fJsonA.size()))
        return;
    float top = 0;
    for (int32_t r = fTopIndex; r < aRow; ++r)
        top += RowHeight(fJsonA[size_t(r)]);
    const TJsonObject& row = fJsonA[size_t(aRow)];
    fJsonO = &row;
    if (aPart < 1 || aPart > row.value("N", 0))
        return;
    const TKVRInsProp code = TKVRInsProp(row.value(Key("Prop", aPart), 0) & 0xFF);
    const TJsonObject& value = PartValue(row, "Value", aPart);
    // A value the element lays out itself opens no box.
    if (row.value(Key("RO", aPart), false))
        return;
    switch (code) {
    case KVRInsProp::Text:
    case KVRInsProp::BarValue:
        fEdit.InputType = KVRInputType::Text;
        fEdit.Text = TextOf(value);
        break;
    case KVRInsProp::Number:
    case KVRInsProp::Integer:
    case KVRInsProp::TextCentred:
        fEdit.InputType = code == KVRInsProp::Number ? KVRInputType::Decimal : KVRInputType::Integer;
        fEdit.Value = value.is_number() ? value.get<double>() : 0.0;
        fEdit.Step = code == KVRInsProp::Number ? row.value(Key("I", aPart), 1.0) : 1.0;
        fEdit.MinValue = row.value(Key("M", aPart), 0.0);
        fEdit.MaxValue = row.value(Key("X", aPart), 0.0);
        fEdit.Row = aRow;
        fEdit.Part = aPart;
        fEdit.Text = NumberText(fEdit.Value);
        break;
    case KVRInsProp::List: OpenList(aRow, aPart, int32_t(top)); return;
    default: return;
    }
    fEdit.Row = aRow;
    fEdit.Part = aPart;
    PlaceEditAcross(row);
    fEdit.Height = int32_t(RoundHalfEven(HeightCtrl(code, fDPIY)));
    fEdit.Top = int32_t(top) + row.value(Key("TV", aPart), 0);
    fEdit.CursorPos = int32_t(fEdit.Text.size());
    fEdit.Active = true;
    KeepPoints();
    DrawEdit();
}
