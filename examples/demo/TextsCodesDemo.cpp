#include "examples/demo/TextsCodesDemo.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int64_t mm = 1000;

// A small picture drawn here, so the demo ships no binary files.
QString MakeSamplePicture(const QString& folder)
{
    QImage picture(320, 200, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(200, 225, 250));
    p.fillRect(picture.rect(), sky);
    p.setBrush(QColor(250, 210, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(240, 60), 30, 30);
    p.setBrush(QColor(60, 120, 60));
    p.drawPolygon(QPolygonF({QPointF(0, 200), QPointF(90, 90), QPointF(170, 200)}));
    p.setBrush(QColor(40, 95, 45));
    p.drawPolygon(QPolygonF({QPointF(110, 200), QPointF(220, 110), QPointF(320, 200)}));
    p.end();
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath("landscape.png");
    picture.save(file);
    return file;
}
}  // namespace

void BuildTextsCodesDemo(TKVRBaseLabel& doc, const QString& aPictureFolder)
{
    auto* title = new TKVRText(&doc);
    title->SetBase(1, 10 * mm, 8 * mm);
    title->SetText("Label components");
    title->SetFontName("DejaVu Sans");
    title->SetFontHeight(8.0f);
    title->SetBold(true);
    title->SetFontColor(0xFF1F4E79u);
    title->SetPenWidth(0.0f);

    auto* para = new TKVRParagraph(&doc);
    para->SetBase(1, 10 * mm, 22 * mm);
    para->SetBase(2, 90 * mm, 62 * mm);
    para->SetText("A paragraph breaks its text into lines that fit the box less its margins, "
                  "on screen and on paper alike.\nA hard break starts a new line.");
    para->SetFontName("Liberation Serif");
    para->SetBaseFontHeight(4000);
    para->SetPaddingX(2.0f);
    para->SetPaddingY(2.0f);
    para->SetPenWidth(0.3f);
    para->SetRadio(2.0f);
    para->SetFilled(true);
    para->SetBackColor(0xFFF7F3E8u);

    auto* rich = new TKVRRichText(&doc);
    rich->SetBase(1, 100 * mm, 22 * mm);
    rich->SetBase(2, 200 * mm, 62 * mm);
    rich->SetBaseFontHeight(4000);
    rich->SetPaddingX(2.0f);
    rich->SetPaddingY(2.0f);
    rich->SetPenWidth(0.3f);
    rich->SetRichTextValue("<B>Rich text</B> mixes <I>italic</I>, <U>underlined</U> and "
                           "<FC:C62828>coloured</FC> runs,<BR><FS:6000>larger</FS> and "
                           "<FN:Liberation Mono>other families</FN>.<BR><C>Centred line</C>");

    auto* image = new TKVRImage(&doc, false);
    image->SetBase(1, 10 * mm, 70 * mm);
    image->SetBase(2, 70 * mm, 110 * mm);
    image->SetEmbeded(true);
    image->SetFileName(MakeSamplePicture(aPictureFolder));
    image->SetPenWidth(0.3f);

    auto* ean = new TKVRBarcode(&doc, false);
    ean->SetBase(1, 80 * mm, 70 * mm);
    ean->SetCodeType(TKVRBarType::EAN13);
    ean->SetCode("5901234123457");
    ean->SetPaddingX(4.0f);

    auto* code128 = new TKVRBarcode(&doc, false);
    code128->SetBase(1, 140 * mm, 70 * mm);
    code128->SetCodeType(TKVRBarType::Code128);
    code128->SetCode("Label-2026");

    auto* qr = new TKVRQRCode(&doc, false);
    qr->SetBase(1, 10 * mm, 120 * mm);
    qr->SetCode("https://example.org/label?id=42 – Grüße");
    qr->SetBarWidth(0.6f);
    qr->SetBarHeight(0.6f);  // square modules

    auto* matrix = new TKVRDataMatrix(&doc, false);
    matrix->SetBase(1, 60 * mm, 120 * mm);
    matrix->SetCode("SN 0042-7781");
    matrix->SetBarWidth(0.7f);
    matrix->SetBarHeight(0.7f);

    auto* pdf = new TKVRPDF417(&doc, false);
    pdf->SetBase(1, 100 * mm, 120 * mm);
    pdf->SetCode("PDF417 sample: lot 42, 2026-12-06");
}

void BuildBarcodesDemo(TKVRBaseLabel& doc)
{
    struct Sample { TKVRBarType type; const char* value; };
    const Sample samples[] = {
        {TKVRBarType::EAN13, "4006381333931"}, {TKVRBarType::EAN8, "96385074"},
        {TKVRBarType::UPCA, "036000291452"},   {TKVRBarType::UPCE, "01234565"},
        {TKVRBarType::Code39, "CODE-39"},      {TKVRBarType::Code39Ext, "Ext39+a"},
        {TKVRBarType::Code93, "CODE 93"},      {TKVRBarType::Code93Ext, "Code93 ext"},
        {TKVRBarType::Codabar, "A40156B"},     {TKVRBarType::Code128A, "ABC-128"},
        {TKVRBarType::Code128B, "abc-128"},    {TKVRBarType::Code128, "Mixed 128"},
        {TKVRBarType::Code128C, "12345678"},   {TKVRBarType::GS1_128, "(01)09501101530003"},
        {TKVRBarType::ITF, "12345670"},        {TKVRBarType::ITF14, "10012345000017"},
        {TKVRBarType::Industrial25, "123456"}, {TKVRBarType::Code11, "123-45"},
        {TKVRBarType::MSI, "1234567"},         {TKVRBarType::Postnet, "12345"},
    };
    int i = 0;
    for (const Sample& s : samples) {
        auto* bar = new TKVRBarcode(&doc, false);
        bar->SetBase(1, (10 + (i % 3) * 65) * mm, (8 + (i / 3) * 27) * mm);
        bar->SetCodeType(s.type);
        bar->SetCode(s.value);
        bar->SetBarHeight(12.0f);
        bar->SetBarWidth(0.3f);
        ++i;
    }
}
