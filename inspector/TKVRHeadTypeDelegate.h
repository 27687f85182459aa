#pragma once
// Items of the list editor that stand for line ends (the item's Qt::UserRole
// holds the line-end kind): a sample line with that end. Other items paint
// as usual.
#include <QStyledItemDelegate>

class TKVRHeadTypeDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Colours of the samples: a dark blue line, lavender fills.
    static constexpr uint32_t LineColor = 0xFF00008B;
    static constexpr uint32_t FillColor = 0xFFE6E6FA;

    using QStyledItemDelegate::QStyledItemDelegate;
    // Height of a sample's item: the sample is square within 4 px of it.
    static constexpr int SampleHeight = 24;

    void paint(QPainter* aPainter, const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;
    // A line-end item is tall enough for its sample to be told apart.
    QSize sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;
};
