// Gantt and Mermaid texts imported into a label document: what lands where,
// that a text which cannot be read leaves the document alone, that the result
// saves and loads, and what it looks like.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRText.h"
#include "import/KVR.FMX.Diagrams.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "tests/support/LabelDocuments.h"
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString TwoTasks = QStringLiteral(
    "GxControl:Gantt: Plan\r\n"
    "-> T1 Design x [StartDate:01-03-2024] [EndDate:05-03-2024] #FF00A0FF\r\n"
    "-> T2 Build x [StartDate:03-03-2024] [EndDate:10-03-2024] #FFE07020\r\n"
    "--> T2a Walls x [StartDate:03-03-2024] [EndDate:06-03-2024]\r\n");

const QString Flowchart = QStringLiteral(
    "flowchart LR\n"
    "%% order pipeline\n"
    "    Start((Begin)) --> Input[Read order]\n"
    "    Input --> Check{Valid?}\n"
    "    Check -->|yes| Store[(Orders)]\n"
    "    Check -- no --> Fix(Correct it) --> Input\n"
    "    subgraph ship [Shipping]\n"
    "        Pack[[Pack goods]] ==> Send(((Dispatch)))\n"
    "    end\n"
    "    Store -.-> Pack\n"
    "    Send --- Done([Done]):::final\n"
    "    classDef final fill:#9f6\n");

template <class T>
T* Item(const TKVRBaseLabel& aDoc, int32_t aIndex)
{
    auto* item = dynamic_cast<T*>(aDoc.GetItem(aIndex));
    EXPECT_NE(item, nullptr) << "element " << aIndex;
    return item;
}

// The document written as ".json" and read into a new one.
std::string JsonRoundTrip(TVXLabelFMX& aDoc)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("import.json"));
    EXPECT_TRUE(aDoc.SaveToFile(name, KVRExt::Json));
    TVXLabelFMX back;
    EXPECT_TRUE(back.LoadFromFile(name));
    return Snapshot(back);
}

// The document painted as the preview paints it, at aDpi, kept for looking.
QImage Paint(const TKVRBaseLabel& aDoc, int aWidthMM, int aHeightMM, int aDpi, const QString& aName)
{
    QImage image(RoundHalfEven32(aWidthMM * aDpi / 25.4), RoundHalfEven32(aHeightMM * aDpi / 25.4),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = RoundHalfEven32(aDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        TKVRDraw draw;
        draw.SetResolution(aDpi, aDpi, 1);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&image);
        draw.kP = std::make_shared<TSkPaint>();
        for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
            aDoc.GetItem(i)->DrawElement(&draw);
    }
    const QString dir = QDir::tempPath() + QStringLiteral("/kvr-diagram-import");
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(dir + u'/' + aName));
    return image;
}

// Pixels of exactly this colour inside a document rectangle (micrometres).
int ColourIn(const QImage& aImage, int aDpi, int64_t aLeft, int64_t aTop, int64_t aRight, int64_t aBottom, QRgb aColour)
{
    const double k = aDpi / 25400.0;
    const QRect area = QRect(QPoint(int(aLeft * k), int(aTop * k)), QPoint(int(aRight * k), int(aBottom * k))) &
                       aImage.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (aImage.pixel(x, y) & 0xFFFFFF) == (aColour & 0xFFFFFF) ? 1 : 0;
    return n;
}

}  // namespace

TEST(GanttImport, TitleAndBarsOnTheirPaper)
{
    TVXLabelFMX doc;
    doc.SetUnits(TKVRUnits::Inch);
    ASSERT_TRUE(TKVRFactory::LoadGantt(&doc, TwoTasks));
    EXPECT_EQ(KindsOf(doc), std::vector<int32_t>({10, 11, 11}));
    EXPECT_EQ(doc.GetUnits(), TKVRUnits::Millimetre);
    EXPECT_EQ(doc.GetMeasure().GetPaperWidth(), 120000);
    EXPECT_EQ(doc.GetMeasure().GetPaperHeight(), 27000);

    auto* title = Item<TKVRText>(doc, 1);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->GetText(), QStringLiteral(" Plan"));
    EXPECT_EQ(title->GetPoint(1).X, 4000);
    EXPECT_EQ(title->GetPoint(1).Y, 4000);
    EXPECT_FLOAT_EQ(title->GetFontHeight(), 8.0f);
    EXPECT_EQ(title->GetFontName(), QStringLiteral("Verdana"));

    const struct
    {
        int64_t X, Y, W;
        const char* Text;
        TAlphaColor Back;
    } bars[] = {{4000, 12000, 40000, "T1", 0xFF00A0FFu}, {24000, 17000, 70000, "T2", 0xFFE07020u}};
    for (int i = 0; i < 2; ++i) {
        auto* bar = Item<TKVRParagraph>(doc, i + 2);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->GetText(), QString::fromUtf8(bars[i].Text));
        EXPECT_EQ(bar->GetPoint(1).X, bars[i].X);
        EXPECT_EQ(bar->GetPoint(1).Y, bars[i].Y);
        EXPECT_EQ(bar->GetPoint(2).X - bar->GetPoint(1).X, bars[i].W);
        EXPECT_EQ(bar->GetPoint(2).Y - bar->GetPoint(1).Y, 5000);
        EXPECT_EQ(bar->GetBackColor(), bars[i].Back);
        EXPECT_FLOAT_EQ(bar->GetFontHeight(), 4.0f);
        EXPECT_EQ(bar->GetFontName(), QStringLiteral("Verdana"));
        EXPECT_EQ(int(bar->GetHorzAlign()), 0);
        EXPECT_EQ(int(bar->GetVertAlign()), 1);
    }
    const TKVRLayer* layer = doc.GetActiveLayer();
    EXPECT_EQ(layer->PenWidth, 100);
    EXPECT_EQ(layer->FontHeight, 4000);
    EXPECT_EQ(layer->Color, TAlphaColors::Black);

    // The bars are painted in their colours, a centimetre a day.
    const int dpi = 150;
    const QImage image = Paint(doc, 120, 27, dpi, QStringLiteral("gantt.png"));
    EXPECT_GT(ColourIn(image, dpi, 4000, 12000, 44000, 17000, 0xFF00A0FF), 200);
    EXPECT_GT(ColourIn(image, dpi, 24000, 17000, 94000, 22000, 0xFFE07020), 400);
    // Nothing of the first bar's colour past its last day.
    EXPECT_EQ(ColourIn(image, dpi, 45000, 12000, 120000, 27000, 0xFF00A0FF), 0);
}

TEST(GanttImport, BadColourLeavesTheDocumentAsItWas)
{
    TVXLabelFMX doc;
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, QStringLiteral("A[One] --> B{Two}")));
    doc.SetUnits(TKVRUnits::Inch);
    doc.GetMeasure().SetPaperWidth(215900);
    TKVRLayer* layer = doc.GetActiveLayer();
    layer->FontName = QStringLiteral("Arial");
    layer->FontHeight = 3500;
    layer->PenWidth = 300;
    const std::string before = Snapshot(doc);

    try {
        TKVRFactory::LoadGantt(&doc, QStringLiteral("GxControl:Gantt:X\n-> A x\n-> B x y #FF00ZZ00\n"));
        FAIL() << "no error";
    } catch (const EGanttError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("#FF00ZZ00"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(doc.GetItemsCount(), 3);
    EXPECT_EQ(doc.GetUnits(), TKVRUnits::Inch);
    EXPECT_EQ(doc.GetActiveLayer()->FontName, QStringLiteral("Arial"));
    EXPECT_EQ(doc.GetActiveLayer()->PenWidth, 300);
}

// Empty text leaves only the title; a bar centuries away lands in 64 bits;
// what was imported saves and loads unchanged.
TEST(GanttImport, EmptyTextFarBarsAndTheirFiles)
{
    TVXLabelFMX doc;
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, QStringLiteral("A --> B")));
    ASSERT_TRUE(TKVRFactory::LoadGantt(&doc, QString()));
    EXPECT_EQ(KindsOf(doc), std::vector<int32_t>({10}));
    EXPECT_TRUE(Item<TKVRText>(doc, 1)->GetText().isEmpty());
    EXPECT_EQ(doc.GetMeasure().GetPaperWidth(), 120000);
    EXPECT_EQ(doc.GetMeasure().GetPaperHeight(), 17000);

    ASSERT_TRUE(TKVRFactory::LoadGantt(&doc, QStringLiteral("-> A x [EndDate:02-01-1900]\n"
                                                           "-> B x [StartDate:01-01-2600] [EndDate:03-01-2600]\n")));
    auto* far = Item<TKVRParagraph>(doc, 3);
    ASSERT_NE(far, nullptr);
    const int64_t days = 255672;  // 1 January 2600 from 30 December 1899
    EXPECT_EQ(far->GetPoint(1).X, days * 10000 + 4000);
    EXPECT_EQ(far->GetPoint(2).X, (days + 2) * 10000 + 4000);
    EXPECT_EQ(JsonRoundTrip(doc), Snapshot(doc));
    ASSERT_TRUE(TKVRFactory::LoadGantt(&doc, TwoTasks));
    EXPECT_EQ(JsonRoundTrip(doc), Snapshot(doc));
}

TEST(MermaidImport, FixedFormsGiveTwoNodesAndALink)
{
    TVXLabelFMX doc;
    int32_t skipped = -1;
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, QStringLiteral("A[Start]\r\nB[[Check]]\r\nA ----> B || go"), &skipped));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(KindsOf(doc), std::vector<int32_t>({17, 17, 18}));
    auto* a = Item<TKVRFlow>(doc, 1);
    auto* b = Item<TKVRFlow>(doc, 2);
    auto* link = Item<TKVRLink>(doc, 3);
    ASSERT_TRUE(a && b && link);
    EXPECT_EQ(a->GetID(), QStringLiteral("A"));
    EXPECT_EQ(a->GetText(), QStringLiteral("Start"));
    EXPECT_EQ(int(a->GetFlowType()), 7);
    EXPECT_EQ(b->GetText(), QStringLiteral("Check"));
    EXPECT_EQ(int(b->GetFlowType()), 13);
    EXPECT_EQ(a->GetPoint(1).X, 1000);
    EXPECT_EQ(a->GetPoint(1).Y, 1000);
    EXPECT_EQ(a->GetPoint(2).X, 41000);
    EXPECT_EQ(a->GetPoint(2).Y, 21000);
    EXPECT_EQ(b->GetPoint(1).X - a->GetPoint(1).X, 60000);
    EXPECT_EQ(link->GetFromID(), a->GetNumID());
    EXPECT_EQ(link->GetToID(), b->GetNumID());
    EXPECT_EQ(link->GetFromIndex(), 1);
    EXPECT_EQ(link->GetToIndex(), 1);
    EXPECT_EQ(int(link->GetLinkType()), 0);
}

TEST(MermaidImport, OrdinaryFlowchartLeftToRight)
{
    TVXLabelFMX doc;
    int32_t skipped = -1;
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, Flowchart, &skipped));
    EXPECT_EQ(skipped, 0);
    const char* ids[] = {"Start", "Input", "Check", "Store", "Fix", "Pack", "Send", "Done"};
    const int flows[] = {12, 7, 4, 7, 7, 13, 12, 7};
    std::vector<TKVRFlow*> nodes;
    for (int i = 0; i < doc.GetItemsCount(); ++i)
        if (auto* flow = dynamic_cast<TKVRFlow*>(doc.GetItem(i + 1)))
            nodes.push_back(flow);
    ASSERT_EQ(nodes.size(), std::size(ids));
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i]->GetID(), QString::fromUtf8(ids[i]));
        EXPECT_EQ(int(nodes[i]->GetFlowType()), flows[i]) << ids[i];
        EXPECT_EQ(nodes[i]->GetPoint(1).X, 1000 + int64_t(i) * 60000) << ids[i];
    }
    QStringList links;
    for (int i = 1; i <= doc.GetItemsCount(); ++i)
        if (auto* link = dynamic_cast<TKVRLink*>(doc.GetItem(i)))
            links.append(doc.FindNumID(link->GetFromID())->GetID() + u'>' + doc.FindNumID(link->GetToID())->GetID());
    EXPECT_EQ(links, QStringList({"Start>Input", "Input>Check", "Check>Store", "Check>Fix", "Fix>Input", "Pack>Send",
                                  "Store>Pack", "Send>Done"}));

    // Eight outlines in a row, the links between them.
    const int dpi = 100;
    const QImage image = Paint(doc, 485, 25, dpi, QStringLiteral("flowchart.png"));
    const double k = dpi / 25.4;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const int x = int((21 + 60 * int(i)) * k);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            ink += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
        EXPECT_GT(ink, 1) << ids[i];
    }
    EXPECT_EQ(JsonRoundTrip(doc), Snapshot(doc));
}

TEST(MermaidImport, RepeatedNodesAndUnreadStatements)
{
    TVXLabelFMX doc;
    int32_t skipped = -1;
    // Declaring a node twice once emptied the document and raised; now it is
    // the same node, and a statement that does not read is counted.
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, QStringLiteral("A[One]\r\nA[Two]\r\nA & B --> C\r\nA --> D\r\n"),
                                         &skipped));
    EXPECT_EQ(skipped, 1);
    EXPECT_EQ(KindsOf(doc), std::vector<int32_t>({17, 17, 18}));
    EXPECT_EQ(Item<TKVRFlow>(doc, 1)->GetText(), QStringLiteral("Two"));
    // The count is optional; an empty text clears the document.
    EXPECT_TRUE(TKVRFactory::LoadMermaid(&doc, QStringLiteral("A & B")));
    EXPECT_EQ(doc.GetItemsCount(), 0);
    ASSERT_TRUE(TKVRFactory::LoadGantt(&doc, TwoTasks));
    EXPECT_TRUE(TKVRFactory::LoadMermaid(&doc, QString(), &skipped));
    EXPECT_EQ(doc.GetItemsCount(), 0);
    EXPECT_EQ(skipped, 0);
}

// A long chain imports whole: every node in order, one link between each
// pair. Each element added used to sort the whole drawing again.
TEST(MermaidImport, LongChainImportsWholeAndInOrder)
{
    constexpr int kNodes = 1000;
    QString chain = QStringLiteral("N0");
    for (int i = 1; i < kNodes; ++i)
        chain += QStringLiteral(" --> N%1").arg(i);
    TVXLabelFMX doc;
    int32_t skipped = -1;
    ASSERT_TRUE(TKVRFactory::LoadMermaid(&doc, chain, &skipped));
    EXPECT_EQ(skipped, 0);
    ASSERT_EQ(doc.GetItemsCount(), 2 * kNodes - 1);
    for (int i = 0; i < kNodes; ++i) {
        auto* flow = dynamic_cast<TKVRFlow*>(doc.GetItem(i + 1));
        ASSERT_NE(flow, nullptr) << i;
        EXPECT_EQ(flow->GetID(), QStringLiteral("N%1").arg(i));
        EXPECT_EQ(flow->GetPoint(1).X, 1000 + int64_t(i) * 60000);
    }
    for (int i = 0; i + 1 < kNodes; ++i) {
        auto* link = dynamic_cast<TKVRLink*>(doc.GetItem(kNodes + 1 + i));
        ASSERT_NE(link, nullptr) << i;
        EXPECT_EQ(link->GetFromID(), doc.GetItem(i + 1)->GetNumID());
        EXPECT_EQ(link->GetToID(), doc.GetItem(i + 2)->GetNumID());
    }
}
