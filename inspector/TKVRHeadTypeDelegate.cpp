#include "inspector/TKVRHeadTypeDelegate.h"
#include "platform/fmx/TCanvas.h"
#include "render/KVR.FMX.LineTypes.h"
#include <QPainter>

void TKVRHeadTypeDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                 const QModelIndex& aIndex) const
{
    const QVariant tag = aIndex.data(Qt::UserRole);
    if (!tag.isValid()) {
        QStyledItemDelegate::paint(aPainter, aOption, aIndex);
        return;
    }
    // The selection's background, then the sample across the item.
    QStyleOptionViewItem plain(aOption);
    initStyleOption(&plain, aIndex);
    plain.text.clear();
    QStyledItemDelegate::paint(aPainter, plain, aIndex);
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
