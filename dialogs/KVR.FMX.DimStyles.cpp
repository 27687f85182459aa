#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.DimSample.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.h"
#include "platform/fmx/TCanvas.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/model/KVR.Model.Props.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "render/KVR.FMX.LineTypes.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <QSpinBox>
#include <QStyle>

namespace {

// What a colour rectangle of the dialog stands for, by its tag.
struct TColorSlot
{
    TAlphaColor (TKVRDimStyle::*Get)() const;
    void (TKVRDimStyle::*Set)(TAlphaColor);
};
constexpr TColorSlot kColorSlots[] = {
    {&TKVRDimStyle::GetFontColor, &TKVRDimStyle::SetFontColor},
    {&TKVRDimStyle::GetDimColor, &TKVRDimStyle::SetDimColor},
    {&TKVRDimStyle::GetExtColor, &TKVRDimStyle::SetExtColor},
    {&TKVRDimStyle::GetFillColor, &TKVRDimStyle::SetFillColor},
    {&TKVRDimStyle::GetHeadColor, &TKVRDimStyle::SetHeadColor},
};

constexpr int kHeadRowHeight = 24;

// A new style's dimension and extension lines.
constexpr TAlphaColor kNewStyleColor = 0xFF808080u;

}  // namespace

TKVRDimHeadDelegate::TKVRDimHeadDelegate(std::function<std::pair<TAlphaColor, TAlphaColor>()> aColors,
                                         QObject* aParent)
    : QStyledItemDelegate(aParent), fColors(std::move(aColors))
{
}

void TKVRDimHeadDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                const QModelIndex& aIndex) const
{
    // The row's ground and selection, the sample in a square twice as wide
    // as high on the left, the name after it.
    QStyleOptionViewItem row(aOption);
    initStyleOption(&row, aIndex);
    const QString name = row.text;
    row.text.clear();
    row.icon = QIcon();
    const QWidget* owner = row.widget;
    QStyle* look = owner ? owner->style() : QApplication::style();
    look->drawControl(QStyle::CE_ItemViewItem, &row, aPainter, owner);
    const QRect r = aOption.rect;
    const int sample = r.height() * 2;
    const auto [line, fill] = fColors();
    aPainter->save();
    TCanvas canvas(*aPainter);
    if (canvas.BeginScene()) {
        DrawTerm(canvas, TRectF(float(r.left()), float(r.top()), float(r.left() + sample), float(r.bottom())),
                 TKVRTermType(aIndex.data(Qt::UserRole).toInt()), line, fill);
        canvas.EndScene();
    }
    aPainter->restore();
    aPainter->setPen(row.palette.color((row.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                              : QPalette::Text));
    aPainter->drawText(r.adjusted(sample + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, name);
}

QSize TKVRDimHeadDelegate::sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const
{
    // Rows high enough for a head to be told from the others.
    const QSize size = QStyledItemDelegate::sizeHint(aOption, aIndex);
    return {size.width() + 2 * kHeadRowHeight + 6, std::max(size.height(), kHeadRowHeight)};
}

TfDimStls::TfDimStls(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fDimStls"));
    setFixedSize(916, 592);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    const auto label = [this](const char* aName, const QRect& aRect) {
        return KVRPlaced(new QLabel(this), aName, aRect);
    };
    labActiveDim = label("labActiveDim", {8, 8, 150, 24});
    cbDimStyles = KVRPlaced(new QComboBox(this), "cbDimStyles", {160, 8, 250, 24});
    seAddStyle = KVRPlaced(new QPushButton(this), "seAddStyle", {418, 7, 100, 26});
    seDelStyle = KVRPlaced(new QPushButton(this), "seDelStyle", {524, 7, 100, 26});
    seAddStyle->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    seDelStyle->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    paintLab = KVRPlaced(new TKVRPaintBox(this), "paintLab", {8, 44, 620, 540});
    paintLab->setCursor(Qt::PointingHandCursor);
    paintLab->OnPaint = [this](QPainter& aPainter) { paintLabPaint(aPainter); };

    // The right column: one row per attribute, its caption on the left.
    int row = 0;
    const auto next = [&row](const char* aName, QLabel*& oLabel, auto* aControl, int aWidth = 130) {
        const int y = 8 + 27 * row++;
        oLabel = KVRPlaced(new QLabel(aControl->parentWidget()), aName, {636, y, 140, 24});
        return KVRPlaced(aControl, aControl->objectName().toLatin1().constData(), {778, y, aWidth, 24});
    };
    const auto spin = [this](const char* aName, double aMax) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QString::fromLatin1(aName));
        box->setRange(0, aMax);
        box->setSingleStep(0.1);
        box->setDecimals(3);
        return box;
    };
    const auto named = [this](auto* aWidget, const char* aName) {
        aWidget->setObjectName(QString::fromLatin1(aName));
        return aWidget;
    };
    cbFontName = next("labFontName", labFontName, named(new QComboBox(this), "cbFontName"));
    seFontHeight = next("labFontHeight", labFontHeight, spin("seFontHeight", 1000));
    seFontHeight->setMinimum(0.1);
    ShColFontColor = next("labFontColor", labFontColor, named(new TKVRColorRect(this), "ShColFontColor"), 60);
    const int boxes = 8 + 27 * row++;
    ckBold = KVRPlaced(new QCheckBox(this), "ckBold", {636, boxes, 90, 24});
    ckItalic = KVRPlaced(new QCheckBox(this), "ckItalic", {728, boxes, 90, 24});
    ckUnderline = KVRPlaced(new QCheckBox(this), "ckUnderline", {820, boxes, 90, 24});
    edPrefix = next("labPrefix", labPrefix, named(new QLineEdit(this), "edPrefix"));
    edFormat = next("labFormat", labFormat, named(new QLineEdit(this), "edFormat"));
    edSuffix = next("labSuffix", labSuffix, named(new QLineEdit(this), "edSuffix"));
    cbLineType = next("labLineType", labLineType, named(new QComboBox(this), "cbLineType"));
    cbPosText = next("labTextPos", labTextPos, named(new QComboBox(this), "cbPosText"));
    cbHeadType = next("labHeadType", labHeadType, named(new QComboBox(this), "cbHeadType"));
    seHeadSize = next("labHeadSize", labHeadSize, spin("seHeadSize", 10000));
    seArrowOpen = next("labArrowOpen", labArrowOpen, named(new QSpinBox(this), "seArrowOpen"));
    seArrowOpen->setRange(0, 10000);
    shDimColor = next("labDimColor", labDimColor, named(new TKVRColorRect(this), "shDimColor"), 60);
    shExtColor = next("labExtColor", labExtColor, named(new TKVRColorRect(this), "shExtColor"), 60);
    shFillColor = next("labFillColor", labFillColor, named(new TKVRColorRect(this), "shFillColor"), 60);
    shHeadColor = next("labHeadColor", labHeadColor, named(new TKVRColorRect(this), "shHeadColor"), 60);
    seExtSize = next("labExtSize", labExtSize, spin("seExtSize", 10000));
    seExtGap = next("labExtGap", labExtGap, spin("seExtGap", 10000));
    seDimBreak = next("labDimBreak", labDimBreak, spin("seDimBreak", 10000));
    seDimPenWidth = next("labDimPenWidth", labDimPenWidth, spin("seDimPenWidth", 10000));
    seExtPenWidth = next("labExtPenWidth", labExtPenWidth, spin("seExtPenWidth", 10000));
    ShColFontColor->SetTag(0);
    shDimColor->SetTag(1);
    shExtColor->SetTag(2);
    shFillColor->SetTag(3);
    shHeadColor->SetTag(4);
    DrawHeadTypePaint = new TKVRDimHeadDelegate(
        [this]() -> std::pair<TAlphaColor, TAlphaColor> {
            if (!fLabel)
                return {TAlphaColors::Black, TAlphaColors::White};
            const TKVRDimStyle& s = fLabel->GetActiveDimStyle();
            return {s.GetHeadColor(), s.GetFillColor()};
        },
        this);
    cbHeadType->setItemDelegate(DrawHeadTypePaint);

    connect(cbDimStyles, &QComboBox::currentIndexChanged, this, &TfDimStls::cbDimStylesChange);
    connect(seAddStyle, &QPushButton::clicked, this, &TfDimStls::seAddStyleClick);
    connect(seDelStyle, &QPushButton::clicked, this, &TfDimStls::seDelStyleClick);
    connect(cbFontName, &QComboBox::currentIndexChanged, this, &TfDimStls::cbFontNameChange);
    connect(cbLineType, &QComboBox::currentIndexChanged, this, &TfDimStls::cbLineTypeChange);
    connect(cbPosText, &QComboBox::currentIndexChanged, this, &TfDimStls::cbPosTextChange);
    connect(cbHeadType, &QComboBox::currentIndexChanged, this, &TfDimStls::cbHeadTypeChange);
    connect(ckBold, &QCheckBox::toggled, this, &TfDimStls::ckBoldChange);
    connect(ckItalic, &QCheckBox::toggled, this, &TfDimStls::ckItalicChange);
    connect(ckUnderline, &QCheckBox::toggled, this, &TfDimStls::ckUnderlineChange);
    connect(edPrefix, &QLineEdit::textChanged, this, &TfDimStls::edPrefixChange);
    connect(edFormat, &QLineEdit::textChanged, this, &TfDimStls::edFormatChange);
    connect(edSuffix, &QLineEdit::textChanged, this, &TfDimStls::edSuffixChange);
    connect(seFontHeight, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seFontHeightChange);
    connect(seHeadSize, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seHeadSizeChange);
    connect(seArrowOpen, &QSpinBox::valueChanged, this, &TfDimStls::seArrowOpenChange);
    connect(seExtSize, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seExtSizeChange);
    connect(seExtGap, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seExtGapChange);
    connect(seDimBreak, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seDimBreakChange);
    connect(seDimPenWidth, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seDimPenWidthChange);
    connect(seExtPenWidth, &QDoubleSpinBox::valueChanged, this, &TfDimStls::seExtPenWidthChange);
    for (TKVRColorRect* rect : {ShColFontColor, shDimColor, shExtColor, shFillColor, shHeadColor})
        connect(rect, &TKVRColorRect::clicked, this, [this, rect] { ShColFontColorMouseDown(rect); });
    KVRSetDefaultButton(*this, nullptr);  // no OK: Enter only confirms the box
    FormCreate();
}

TfDimStls::~TfDimStls() { FormDestroy(); }

void TfDimStls::FormCreate()
{
    points = {TPointF(140, 170), TPointF(400, 170), TPointF(400, 220),
              TPointF(580, 260), TPointF(580, 400), TPointF(140, 400)};
}

void TfDimStls::FormDestroy() { points.clear(); }

void TfDimStls::Ini(TVXLabelFMX* aLabel)
{
    fLabel = aLabel;
    // With no valid active style the first one becomes active.
    fLabel->ResetDimStyles();
    fIntro = true;
    FillLanguage();
    FillFonts();
    ckUnderline->hide();
    QStringList heads;
    FillList(KVRListProp::LineEnds, heads);
    cbHeadType->clear();
    for (int32_t i = 0; i < heads.size(); ++i)
        cbHeadType->addItem(heads[i], i);
    // The lists show their entries whole: their column, and the form, widen.
    int column = 130;
    for (QComboBox* list : {cbLineType, cbPosText, cbHeadType})
        column = std::max(column, KVRComboContentWidth(*list));
    const int left = cbPosText->x(), was = cbPosText->width();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->x() == left && w->width() == was)
            w->resize(column, w->height());
    setFixedSize(std::max(916, cbPosText->x() + column + 8), height());
    cbDimStyles->clear();
    idx = -1;
    for (int32_t n = 0; n < fLabel->GetDimStylesCount(); ++n) {
        cbDimStyles->addItem(fLabel->GetDimStyle(n).GetName());
        if (n == fLabel->GetActiveDimStyleIndex())
            idx = n;
    }
    if (idx >= 0)
        cbDimStyles->setCurrentIndex(idx);
    fIntro = false;
    ShowStyle();
}

void TfDimStls::FillLanguage()
{
    const auto prop = [](const char* aKey) { return TKVRMsg::GetPropValue(QLatin1String(aKey)); };
    const auto dlg = [](const char* aKey) { return TKVRMsg::GetDialogsValue(QLatin1String(aKey)); };
    setWindowTitle(QStringLiteral("    ") + prop("DimStyles"));
    seAddStyle->setText(dlg("Add"));
    seDelStyle->setText(dlg("Delete"));
    const std::pair<QLabel*, const char*> labels[] = {
        {labActiveDim, "ActiveDimStyle"}, {labFontName, "FontName"},     {labFontHeight, "FontHeight"},
        {labFontColor, "FontColor"},      {labFormat, "Format"},         {labSuffix, "Suffix"},
        {labPrefix, "Prefix"},            {labHeadSize, "HeadSize"},     {labHeadType, "HeadType"},
        {labExtColor, "ExtColor"},        {labDimColor, "DimColor"},     {labExtSize, "ExtSize"},
        {labExtGap, "ExtGap"},            {labFillColor, "BackColor"},   {labArrowOpen, "ArrowOpen"},
        {labDimBreak, "DimBreak"},        {labHeadColor, "HeadColor"},   {labTextPos, "TextPos"},
        {labLineType, "LineType"},        {labDimPenWidth, "DimPenWidth"}, {labExtPenWidth, "ExtPenWidth"},
    };
    for (const auto& [target, key] : labels)
        target->setText(prop(key));
    ckBold->setText(prop("Bold"));
    ckItalic->setText(prop("Italic"));
    ckUnderline->setText(prop("Underline"));
    QStringList items;
    FillList(KVRListProp::LineTypes, items);
    cbLineType->clear();
    cbLineType->addItems(items);
    FillList(KVRListProp::TextPositions, items);
    cbPosText->clear();
    cbPosText->addItems(items);
}

void TfDimStls::FillFonts()
{
    cbFontName->clear();
    cbFontName->addItems(KVRDialogFonts(fLabel, this));
}

void TfDimStls::SelectActiveRow()
{
    const bool intro = fIntro;
    fIntro = true;
    cbDimStyles->setCurrentIndex(fLabel->GetActiveDimStyleIndex());
    fIntro = intro;
}

void TfDimStls::ShowStyle()
{
    if (!fLabel)
        return;
    const bool intro = fIntro;
    fIntro = true;
    SelectActiveRow();
    const TKVRDimStyle& s = fLabel->GetActiveDimStyle();
    seFontHeight->setValue(s.GetFontHeight());
    KVRShowFont(*cbFontName, s.GetFontName());
    // The rectangles show the stored colours as they are.
    for (TKVRColorRect* rect : {ShColFontColor, shDimColor, shExtColor, shFillColor, shHeadColor})
        rect->SetColor((s.*kColorSlots[rect->Tag()].Get)());
    ckBold->setChecked(s.GetBold());
    ckItalic->setChecked(s.GetItalic());
    ckUnderline->setChecked(s.GetUnderline());
    edPrefix->setText(s.GetPrefix());
    edFormat->setText(s.GetFormat());
    edSuffix->setText(s.GetSuffix());
    seHeadSize->setValue(s.GetHeadSize());
    cbHeadType->setCurrentIndex(s.GetHeadType());
    seExtSize->setValue(s.GetExtSize());
    seExtGap->setValue(s.GetExtGap());
    seArrowOpen->setValue(s.GetArrowOpen());
    seDimBreak->setValue(s.GetDimBreak());
    seDimPenWidth->setValue(s.GetDimPenWidth());
    seExtPenWidth->setValue(s.GetExtPenWidth());
    cbLineType->setCurrentIndex(s.GetDimLineType());
    cbPosText->setCurrentIndex(s.GetTextPos());
    fIntro = intro;
    fDrawing = false;
    paintLab->update();
}

void TfDimStls::Write(const std::function<void(TKVRDimStyle&)>& aChange)
{
    if (fIntro || !fLabel)
        return;
    fLabel->BeginUpdate(true);
    try {
        aChange(fLabel->GetActiveDimStyle());
        fLabel->CalcDimValues();
    } catch (...) {
        fLabel->EndUpdate();
        throw;
    }
    fLabel->EndUpdate();
    paintLab->update();
}

void TfDimStls::cbDimStylesChange()
{
    if (fIntro || !fLabel)
        return;
    const int32_t row = cbDimStyles->currentIndex();
    if (row < 0 || row >= fLabel->GetDimStylesCount())
        return;
    // By row: two styles may share a name.
    fLabel->BeginUpdate(true);
    fLabel->SetActiveDimStyle(row);
    fLabel->EndUpdate();
    ShowStyle();
}

void TfDimStls::cbFontNameChange()
{
    if (cbFontName->currentIndex() >= 0)
        Write([this](TKVRDimStyle& s) { s.SetFontName(cbFontName->currentText()); });
}

void TfDimStls::cbHeadTypeChange()
{
    if (cbHeadType->currentIndex() >= 0)
        Write([this](TKVRDimStyle& s) { s.SetHeadType(TKVRTermType(cbHeadType->currentIndex())); });
}

void TfDimStls::cbLineTypeChange()
{
    if (cbLineType->currentIndex() >= 0)
        Write([this](TKVRDimStyle& s) { s.SetDimLineType(TVXLineType(cbLineType->currentIndex())); });
}

void TfDimStls::cbPosTextChange()
{
    if (cbPosText->currentIndex() >= 0)
        Write([this](TKVRDimStyle& s) { s.SetTextPos(TKVRTextPos(cbPosText->currentIndex())); });
}

void TfDimStls::ckBoldChange()
{
    Write([this](TKVRDimStyle& s) { s.SetBold(ckBold->isChecked()); });
}

void TfDimStls::ckItalicChange()
{
    Write([this](TKVRDimStyle& s) { s.SetItalic(ckItalic->isChecked()); });
}

void TfDimStls::ckUnderlineChange()
{
    Write([this](TKVRDimStyle& s) { s.SetUnderline(ckUnderline->isChecked()); });
}

void TfDimStls::edFormatChange()
{
    Write([this](TKVRDimStyle& s) { s.SetFormat(edFormat->text()); });
}

void TfDimStls::edPrefixChange()
{
    Write([this](TKVRDimStyle& s) { s.SetPrefix(edPrefix->text()); });
}

void TfDimStls::edSuffixChange()
{
    Write([this](TKVRDimStyle& s) { s.SetSuffix(edSuffix->text()); });
}

void TfDimStls::SizeChange(QDoubleSpinBox* aBox, void (TKVRDimStyle::*aSet)(float),
                           float (TKVRDimStyle::*aGet)() const)
{
    if (fIntro || !fLabel)
        return;
    Write([&](TKVRDimStyle& s) { (s.*aSet)(float(aBox->value())); });
    fIntro = true;
    aBox->setValue((fLabel->GetActiveDimStyle().*aGet)());
    fIntro = false;
}

void TfDimStls::seFontHeightChange()
{
    SizeChange(seFontHeight, &TKVRDimStyle::SetFontHeight, &TKVRDimStyle::GetFontHeight);
}

void TfDimStls::seHeadSizeChange()
{
    SizeChange(seHeadSize, &TKVRDimStyle::SetHeadSize, &TKVRDimStyle::GetHeadSize);
}

void TfDimStls::seExtSizeChange()
{
    if (fIntro || !fLabel)
        return;
    SizeChange(seExtSize, &TKVRDimStyle::SetExtSize, &TKVRDimStyle::GetExtSize);
    // The gap never exceeds the size: the style may have cut it.
    fIntro = true;
    seExtGap->setValue(fLabel->GetActiveDimStyle().GetExtGap());
    fIntro = false;
}

void TfDimStls::seExtGapChange()
{
    SizeChange(seExtGap, &TKVRDimStyle::SetExtGap, &TKVRDimStyle::GetExtGap);
}

void TfDimStls::seDimBreakChange()
{
    SizeChange(seDimBreak, &TKVRDimStyle::SetDimBreak, &TKVRDimStyle::GetDimBreak);
}

void TfDimStls::seDimPenWidthChange()
{
    SizeChange(seDimPenWidth, &TKVRDimStyle::SetDimPenWidth, &TKVRDimStyle::GetDimPenWidth);
}

void TfDimStls::seExtPenWidthChange()
{
    SizeChange(seExtPenWidth, &TKVRDimStyle::SetExtPenWidth, &TKVRDimStyle::GetExtPenWidth);
}

void TfDimStls::seArrowOpenChange()
{
    Write([this](TKVRDimStyle& s) { s.SetArrowOpen(int16_t(seArrowOpen->value())); });
}

void TfDimStls::ShColFontColorMouseDown(TKVRColorRect* Sender)
{
    if (fIntro || !fLabel || Sender->Tag() < 0 || Sender->Tag() >= int32_t(std::size(kColorSlots)))
        return;
    const TColorSlot& slot = kColorSlots[Sender->Tag()];
    // Seeded with the stored colour, so OK on it changes nothing.
    TAlphaColor color = (fLabel->GetActiveDimStyle().*slot.Get)();
    if (!KVRPickColor(this, color))
        return;
    Sender->SetColor(color);
    Write([&](TKVRDimStyle& s) { (s.*slot.Set)(color); });
}

void TfDimStls::seAddStyleClick()
{
    if (!fLabel)
        return;
    QString name;
    if (!TKVRPrompts::InputQuery(this, TKVRMsg::GetDialogsValue(QStringLiteral("AddDimStyle")),
                                 TKVRMsg::GetPropValue(QStringLiteral("Name")), name))
        return;
    name = name.trimmed();
    if (name.isEmpty())
        return;
    for (int32_t n = 0; n < fLabel->GetDimStylesCount(); ++n)
        if (fLabel->GetDimStyle(n).GetName().compare(name, Qt::CaseInsensitive) == 0) {
            TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("RepeatName")));
            return;
        }
    // The new style is the one edited next.
    fLabel->BeginUpdate(true);
    TKVRDimStyle* style = fLabel->AddDimStyle();
    style->SetName(name);
    style->SetDimColor(kNewStyleColor);
    style->SetExtColor(kNewStyleColor);
    fLabel->SetActiveDimStyle(fLabel->GetDimStylesCount() - 1);
    fLabel->EndUpdate();
    fIntro = true;
    cbDimStyles->addItem(name);
    fIntro = false;
    ShowStyle();
}

void TfDimStls::seDelStyleClick()
{
    if (!fLabel)
        return;
    if (fLabel->GetActiveDimStyleIndex() == 0) {
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("DelDefStyle")));
        return;
    }
    if (!TKVRPrompts::Confirm(this, TKVRMsg::GetDialogsValue(QStringLiteral("DelStyle"))))
        return;
    const int32_t row = fLabel->GetActiveDimStyleIndex();
    fLabel->BeginUpdate(true);
    const bool deleted = fLabel->DeleteActiveDimStyle();
    if (deleted)
        fLabel->CalcDimValues();
    fLabel->EndUpdate();
    if (!deleted)
        return;
    fIntro = true;
    cbDimStyles->removeItem(row);
    fIntro = false;
    ShowStyle();
}

void TfDimStls::paintLabPaint(QPainter& aPainter)
{
    if (fDrawing || !fLabel)
        return;
    fDrawing = true;
    TCanvas canvas(aPainter);
    try {
        if (canvas.BeginScene()) {
            PaintDimSample(canvas, fLabel->GetActiveDimStyle(), points,
                           TRectF(0, 0, float(paintLab->width()), float(paintLab->height())));
            canvas.EndScene();
        }
    } catch (...) {
        if (canvas.IsInScene())
            canvas.EndScene();
        fDrawing = false;
        throw;
    }
    fDrawing = false;
}
