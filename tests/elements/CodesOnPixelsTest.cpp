// Codes on raster surfaces (editor, preview, image exports): whole-pixel
// modules make them read, but a symbol never paints outside the box it has on
// paper, at any resolution and zoom, with any alignment; ZXing reads every
// symbol whose modules are a pixel or more.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRQRCode.h"
#include "tests/elements/ElementTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QDir>
#include <QPainter>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct TCodeCase
{
    const char* Name;
    std::function<TKVRBaseItem*(TKVRBaseLabel&)> Make;  // at point (0, 0)
    QString Decoded;
    double Module;  // mm: the narrow bar, or the module's smaller side
};

TKVRBaseItem* Linear(TKVRBaseLabel& l, const char* value, TKVRBarType type, float module, float factor,
                     float padding)
{
    auto* b = new TKVRBarcode(&l, false);
    b->SetCode(value);
    b->SetCodeType(type);
    b->SetBarWidth(module);
    b->SetBarWidthFactor(factor);
    b->SetBarHeight(12.0f);
    b->SetFontHeight(3.0f);
    b->SetPaddingX(padding);
    b->SetPaddingY(0.0f);
    b->CalcValues(1);
    return b;
}

template <class T>
T* Symbol(TKVRBaseLabel& l, const QString& value, float w, float h)
{
    auto* s = new T(&l, false);
    s->SetCode(value);
    s->SetBarWidth(w);
    s->SetBarHeight(h);
    s->CalcValues(1);
    return s;
}

TKVRBaseItem* Pdf417(TKVRBaseLabel& l, int columns, float module)
{
    auto* p = new TKVRPDF417(&l, false);
    p->SetColumns(columns);
    p->SetCode(QStringLiteral("PDF417 0123456789"));
    p->SetBarWidth(module);
    p->SetBarHeight(3.0f * module);
    p->CalcValues(1);
    return p;
}

TKVRBaseItem* PolyQR(TKVRBaseLabel& l)
{
    auto* p = new TKVRPolyText(&l, false);
    p->SetPolyType(KVRPolyType::QR);
    p->AddItem(QStringLiteral("POLY"));
    p->AddItem(QStringLiteral("000123"));
    p->SetBarWidth(0.4f);
    p->SetBarHeight(0.4f);
    p->SetPenWidth(0.0f);
    p->CalcValues(1);
    return p;
}

const std::vector<TCodeCase>& Cases()
{
    static const std::vector<TCodeCase> cases = {
        {"QR", [](TKVRBaseLabel& l) { return Symbol<TKVRQRCode>(l, "https://example.org/a/000123", 0.4f, 0.4f); },
         "https://example.org/a/000123", 0.4},
        {"DataMatrix", [](TKVRBaseLabel& l) { return Symbol<TKVRDataMatrix>(l, "DM 000123", 0.4f, 0.4f); },
         "DM 000123", 0.4},
        {"PDF417 30 columns", [](TKVRBaseLabel& l) { return Pdf417(l, 30, 0.4f); }, "PDF417 0123456789", 0.4},
        {"PDF417", [](TKVRBaseLabel& l) { return Pdf417(l, 0, 0.33f); }, "PDF417 0123456789", 0.33},
        {"poly-text QR", PolyQR, {}, 0.4},
        {"Code 128", [](TKVRBaseLabel& l) { return Linear(l, "C000123", TKVRBarType::Code128, 0.33f, 2.5f, 0.0f); },
         "C000123", 0.33},
        {"EAN-13", [](TKVRBaseLabel& l) { return Linear(l, "590123412345", TKVRBarType::EAN13, 0.33f, 2.5f, 3.0f); },
         "5901234123457", 0.33},
        {"Code 39", [](TKVRBaseLabel& l) { return Linear(l, "CODE-39", TKVRBarType::Code39, 0.3f, 3.0f, 0.0f); },
         "CODE-39", 0.3},
        {"ITF", [](TKVRBaseLabel& l) { return Linear(l, "1234567890", TKVRBarType::ITF, 0.4f, 2.2f, 1.0f); },
         "1234567890", 0.4},
    };
    return cases;
}

void Place(TKVRBaseItem& e, TKVRHorzAlign h, TKVRVertAlign v, TKVRAngle aAngle)
{
    if (auto* b = dynamic_cast<TKVRBaseBarcode*>(&e)) {
        b->SetHorzAlign(h);
        b->SetAngle(aAngle);
    } else if (auto* s = dynamic_cast<TKVRBase2DCode*>(&e)) {
        s->SetHorzAlign(h);
        s->SetVertAlign(v);
        s->SetAngle(aAngle);
    } else if (auto* p = dynamic_cast<TKVRBasePoly*>(&e)) {
        p->SetHorzAlign(h);
        p->SetVertAlign(v);
        p->SetAngle(aAngle);
    }
    e.CalcValues(1);
}

// The element's box on the surface, in device pixels (fractional edges).
QRectF BoxOnSurface(const TKVRBaseItem& e, const TKVRDraw& d, double zoom)
{
    const TKVRRect b = e.GetBounds();
    auto x = [&](int64_t um) { return (double(um) * d.PixelsPerMicX + d.ScreenOffsetX) * zoom; };
    auto y = [&](int64_t um) { return (double(um) * d.PixelsPerMicY + d.ScreenOffsetY) * zoom; };
    return QRectF(QPointF(x(b.Left), y(b.Top)), QPointF(x(b.Right), y(b.Bottom)));
}

// Dark pixels whose centre lies outside the box: a fill without antialiasing
// paints a pixel when its centre is inside.
int InkOutside(const QImage& image, const QRectF& box)
{
    const QRectF inside = box.adjusted(-0.02, -0.02, 0.02, 0.02);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128 && !inside.contains(QPointF(x + 0.5, y + 0.5)))
                ++n;
    return n;
}

}  // namespace

TEST(CodesOnPixels, SymbolsStayInsideTheirBoxAndReadFromOnePixelModules)
{
    const TKVRHorzAlign horz[] = {TKVRHorzAlign::Left, TKVRHorzAlign::Center, TKVRHorzAlign::Right};
    const TKVRVertAlign vert[] = {TKVRVertAlign::Top, TKVRVertAlign::Center, TKVRVertAlign::Bottom};
    const QString shots = qEnvironmentVariable("KVR_CODE_SHOTS");  // a folder for the pictures, to look at
    int turn = 0;
    for (const TCodeCase& c : Cases())
        for (int dpi : {96, 150, 300})
            for (double zoom : {0.25, 1.0, 1.5}) {
                // Each case meets every alignment and quarter turn somewhere along the table.
                const int a = turn % 3, angle = turn % 4;
                ++turn;
                SCOPED_TRACE(QStringLiteral("%1 at %2 dpi, zoom %3, alignment %4, angle %5")
                                 .arg(QString::fromUtf8(c.Name))
                                 .arg(dpi)
                                 .arg(zoom)
                                 .arg(a)
                                 .arg(angle)
                                 .toStdString());
                TKVRBaseLabel label;
                TKVRBaseItem* e = c.Make(label);
                Place(*e, horz[a], vert[a], TKVRAngle(angle));
                // Point 1 where the box starts 10 pixels in, between pixels.
                TKVRDraw probe;
                probe.SetResolution(dpi, dpi);
                const TKVRRect b0 = e->GetBounds();
                const double margin = 10.0 / zoom / probe.PixelsPerMicX;
                const TKVRPto p1 = e->GetPoint(1);
                e->SetBase(1, p1.X + int64_t(margin) - b0.Left, p1.Y + int64_t(margin) - b0.Top);
                e->CalcValues(1);
                const TKVRRect b = e->GetBounds();
                const int w = int(std::ceil((double(b.Right) * probe.PixelsPerMicX + 1.0) * zoom)) + 12;
                const int h = int(std::ceil((double(b.Bottom) * probe.PixelsPerMicY + 1.0) * zoom)) + 12;
                ScreenSurface s(w, h, dpi);
                s.draw.ScreenOffsetX = 0.37f;
                s.draw.ScreenOffsetY = 0.61f;
                s.draw.kC->Scale(float(zoom), float(zoom));
                e->DrawElement(&s.draw);
                const QRectF box = BoxOnSurface(*e, s.draw, zoom);
                const QImage img = s.Finish().copy();
                if (!shots.isEmpty())
                    img.save(QDir(shots).filePath(QStringLiteral("%1-%2dpi-%3.png")
                                                      .arg(QString::fromUtf8(c.Name))
                                                      .arg(dpi)
                                                      .arg(int(zoom * 100))));
                EXPECT_EQ(InkOutside(img, box), 0) << "box " << box.left() << "," << box.top() << " - "
                                                   << box.right() << "," << box.bottom();
                EXPECT_GT(InkCount(img, 128), 0);
                const double modulePx = c.Module * dpi / 25.4 * zoom;
                if (modulePx < 1.0 || c.Decoded.isEmpty())
                    continue;
                // ZXing wants a quiet zone round the symbol, and its matrix
                // detectors more than a pixel a module: each pixel becomes a
                // square of pixels, which changes no module.
                QImage framed(img.width() + 80, img.height() + 80, QImage::Format_RGB32);
                framed.fill(Qt::white);
                QPainter(&framed).drawImage(40, 40, img);
                const int times = std::max(1, 400 / std::min(framed.width(), framed.height()));
                framed = framed.scaled(framed.size() * times, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                EXPECT_EQ(DecodeOne(framed).text, c.Decoded) << "module " << modulePx << " px";
            }
}
