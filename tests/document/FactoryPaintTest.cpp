// Elements made by the factory paint on screen and on paper: the whole road
// from the creator to the pixels, with a picture kept for looking.
#include "tests/document/FactoryTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDim.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRText.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include <QDir>
#include <QImage>

using namespace FactoryTest;

namespace {

constexpr int kDpi = 150;

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = RoundHalfEven32(kDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

bool Inked(QRgb p)
{
    return qAlpha(p) > 0 && (qRed(p) < 200 || qGreen(p) < 200 || qBlue(p) < 200);
}

// Inked pixels inside a document rectangle (micrometres).
int InkIn(const QImage& image, const TKVRRect& r)
{
    const double k = kDpi / 25400.0;
    const QRect area = QRect(QPoint(int(r.Left * k), int(r.Top * k)), QPoint(int(r.Right * k), int(r.Bottom * k)))
                           .normalized()
                           .adjusted(-2, -2, 2, 2) &
                       image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += Inked(image.pixel(x, y)) ? 1 : 0;
    return n;
}

std::shared_ptr<TKVRBaseLibSymbol> Valve()
{
    const char* text = R"({"Version":1,"Name":"Valve","Category":"Tests","ID":"{V}","Units":"mm","InsertX":0,
      "InsertY":0,"Def":[{"Type":"PenWidth","Value":0.5},{"Type":"Polyline","Points":[-8,-5,8,5,8,-5,-8,5],
      "Closed":true},{"Type":"Line","Points":[0,0,0,-8]}]})";
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    EXPECT_TRUE(symbol->ReadJson(TJsonObject::parse(text), error)) << error.toStdString();
    return symbol;
}

TEST(FactoryPaint, ElementsPaintOnScreenAndOnPaper)
{
    TKVRSharedFMX doc;
    SetUpLayers(doc);
    TKVRLayer* layer = doc.GetActiveLayer();
    layer->FontName = QStringLiteral("Arial");
    layer->FontHeight = 6000;
    layer->Bold = false;
    layer->Italic = false;
    layer->BackColor = 0xFFFFE080;

    std::vector<TKVRBaseItem*> items;
    items.push_back(TKVRFactory::AddRectangle(&doc, 5, 5, 30, 20));
    items.back()->SetID(QStringLiteral("R"));
    items.push_back(TKVRFactory::AddCircle(&doc, 55, 15, 10));
    items.push_back(TKVRFactory::AddLine(&doc, 75, 5, 115, 25));
    auto* text = TKVRFactory::AddText(&doc, 5, 32);
    text->SetText(QStringLiteral("Factory"));
    items.push_back(text);
    auto* flow = TKVRFactory::AddFlow(&doc, 45, 32, 30, 15, 1);
    flow->SetText(QStringLiteral("Node"));
    flow->SetFilled(true);
    flow->SetID(QStringLiteral("F"));
    items.push_back(flow);
    items.push_back(TKVRFactory::AddQRCode(&doc, 85, 30, QStringLiteral("FACTORY")));
    items.push_back(TKVRFactory::AddDim(&doc, 5, 72, 35, 72, 20, 62));
    auto* sector = TKVRFactory::AddSector(&doc, 55, 64, 10, 0.0f, 270.0f);
    sector->SetFilled(true);
    items.push_back(sector);
    doc.SetCurSymbol(Valve());
    items.push_back(TKVRFactory::AddSymbol(&doc, 100, 68));
    items.back()->SetID(QStringLiteral("V"));
    // A rectangle offers no anchors: no link to it.
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("R"), QStringLiteral("F"), 3, 4, 1), nullptr);
    TKVRLink* link = TKVRFactory::AddLink(&doc, QStringLiteral("F"), QStringLiteral("V"), 3, 0, 1);
    ASSERT_NE(link, nullptr);
    items.push_back(link);
    // Angles picked up-right of one crossing and down-left of another.
    TKVRDim* upRight = TKVRFactory::AddDimAngle(&doc, 10, 105, 40, 105, 20, 95, 20, 125, 29, 97);
    TKVRDim* downLeft = TKVRFactory::AddDimAngle(&doc, 60, 105, 90, 105, 70, 95, 70, 125, 62, 113);
    ASSERT_NE(upRight, nullptr);
    ASSERT_NE(downLeft, nullptr);
    ASSERT_EQ(doc.GetItemsCount(), int32_t(items.size()) + 2);

    const int w = RoundHalfEven32(125 * kDpi / 25.4), h = RoundHalfEven32(130 * kDpi / 25.4);
    QImage screen = Blank(w, h);
    {
        TKVRDraw draw;
        draw.SetResolution(kDpi, kDpi, 1);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&screen);
        draw.kP = std::make_shared<TSkPaint>();
        for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
            doc.GetItem(i)->DrawElement(&draw);
    }
    QImage paper = Blank(w, h);
    {
        TKVRDraw draw;
        draw.SetResolution(kDpi, kDpi, 1);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Print;
        TCanvas canvas(&paper);
        canvas.BeginScene();
        draw.pC = &canvas;
        for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
            doc.GetItem(i)->PrintElement(&draw);
        canvas.EndScene();
    }
    const QString dir = QDir::tempPath() + QStringLiteral("/kvr-factory-paint");
    QDir().mkpath(dir);
    EXPECT_TRUE(screen.save(dir + QStringLiteral("/screen.png")));
    EXPECT_TRUE(paper.save(dir + QStringLiteral("/paper.png")));

    // Every element leaves ink where it lies, on both surfaces.
    for (TKVRBaseItem* e : items) {
        e->UpdateBounds();
        SCOPED_TRACE(e->GetKind());
        EXPECT_GT(InkIn(screen, e->GetBounds()), 20);
        EXPECT_GT(InkIn(paper, e->GetBounds()), 20);
    }
    // Each angle's arc lies in the quarter that was picked, not across from it.
    auto quarter = [](double x0, double y0, double x1, double y1) {
        return TKVRRect{int64_t(x0 * 1000), int64_t(y0 * 1000), int64_t(x1 * 1000), int64_t(y1 * 1000)};
    };
    for (const QImage* image : {&screen, &paper}) {
        EXPECT_GT(InkIn(*image, quarter(22, 93, 32, 103)), 20);
        EXPECT_EQ(InkIn(*image, quarter(9, 108, 18, 117)), 0);
        EXPECT_GT(InkIn(*image, quarter(58, 107, 68, 117)), 20);
        EXPECT_EQ(InkIn(*image, quarter(72, 93, 81, 102)), 0);
    }
    // The layer's back colour fills the node and the sector.
    const QRgb back = 0xFFFFE080;
    const double k = kDpi / 25.4;
    EXPECT_EQ(screen.pixel(int(48 * k), int(35 * k)) & 0xFFFFFF, back & 0xFFFFFF);
    EXPECT_EQ(paper.pixel(int(48 * k), int(35 * k)) & 0xFFFFFF, back & 0xFFFFFF);
    // Code nobody here wrote reads the QR code from both pictures.
    const QRect qr(int(84 * k), int(29 * k), int(30 * k), int(30 * k));
    EXPECT_EQ(DecodeOne(screen.copy(qr)).text, QStringLiteral("FACTORY"));
    EXPECT_EQ(DecodeOne(paper.copy(qr)).text, QStringLiteral("FACTORY"));
}

}  // namespace
