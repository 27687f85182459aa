#include "inspector/TKVRHeadTypeDelegate.h"
#include "platform/fmx/TCanvas.h"
#include "render/KVR.FMX.LineTypes.h"
#include <QApplication>
#include <QPainter>
#include <algorithm>

void TKVRHeadTypeDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                 const QModelIndex& aIndex) const
{
    const QVariant tag = aIndex.data(Qt::UserRole);
    if (!tag.isValid()) {
        QStyledItemDelegate::paint(aPainter, aOption, aIndex);
        return;
    }
    // The selection's background without the name (the base class would
    // read the name again), then the sample across the item.
    QStyleOptionViewItem plain(aOption);
    initStyleOption(&plain, aIndex);
    plain.text.clear();
    plain.features &= ~QStyleOptionViewItem::HasDisplay;
    const QWidget* widget = plain.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, aPainter, widget);
    aPainter->save();
    TCanvas canvas(*aPainter);
    if (canvas.BeginScene()) {
        const QRectF r = aOption.rect;
        DrawTerm(canvas, TRectF(float(r.left()), float(r.top()), float(r.right()), float(r.bottom())),
                 TKVRTermType(tag.toInt()), LineColor, FillColor);
        canvas.EndScene();
    }
    aPainter->restore();
}

QSize TKVRHeadTypeDelegate::sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const
{
    QSize size = QStyledItemDelegate::sizeHint(aOption, aIndex);
    if (aIndex.data(Qt::UserRole).isValid())
        size.setHeight(std::max(size.height(), SampleHeight));
    return size;
}
