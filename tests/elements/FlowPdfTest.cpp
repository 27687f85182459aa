// A small flowchart printed to a PDF page and read back by poppler: the
// node's words where the screen puts them, and the rasterised page (pdftoppm)
// the twin of the screen.
#include "tests/elements/ContentTestSupport.h"
#include "tests/elements/FlowLinkTestSupport.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace flowtest;

namespace {

// Every element printed on one PDF page of w x h millimetres at kDpi.
QString PrintDocumentToPdf(TKVRBaseLabel& l, const QTemporaryDir& dir, double w, double h)
{
    const QString path = dir.filePath(QStringLiteral("flow.pdf"));
    std::vector<TKVRBaseItem*> items;
    for (int i = 1; i <= l.GetItemsCount(); ++i)
        items.push_back(l.GetItem(i));
    kvrtest::PrintItemsToPdf(items, path, w, h);
    return path;
}

TEST(FlowPdf, PopplerFindsTheNodeTextCentredInItsOutline)
{
    TKVRBaseLabel label;
    TKVRFlow* n = Node(label, 60000, 40000, 10000, 10000, 10);  // hexagon, corners reversed
    n->SetFontHeight(5.0f);
    n->SetText(QStringLiteral("Prepare parcel"));
    const std::vector<kvrtest::TPdfWord> words = kvrtest::PrintToPdf(*n, 80, 60);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].Text, QStringLiteral("Prepare"));
    EXPECT_EQ(words[1].Text, QStringLiteral("parcel"));
    // The hexagon's chord wraps the two words; each line is centred across
    // the box (10..60 mm) and lies where the layout put it below the padded
    // top (10 mm + 1 mm), one line height (5 mm) tall.
    ASSERT_EQ(n->GetLines().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const double top = 11.0 + double(n->GetLines()[i].Y) / 1000.0;
        EXPECT_NEAR((words[i].XMin + words[i].XMax) / 2, kvrtest::MmToPt(35), kvrtest::MmToPt(1.0)) << i;
        EXPECT_NEAR(words[i].YMin, kvrtest::MmToPt(top), kvrtest::MmToPt(0.3)) << i;
        EXPECT_NEAR(words[i].YMax - words[i].YMin, kvrtest::MmToPt(5.0), kvrtest::MmToPt(0.3)) << i;
    }
}

TEST(FlowPdf, RasterisedPageIsTheTwinOfTheScreen)
{
    TKVRBaseLabel label;
    TKVRFlow* a = Node(label, 5000, 5000, 30000, 20000, 0);
    a->SetText(QStringLiteral("Start"));
    TKVRFlow* b = Node(label, 40000, 30000, 65000, 45000, 4);
    b->SetText(QStringLiteral("Ok?"));
    TKVRLink* l = Connect(label, a, 3, b, 1, 4);
    l->SetLinkPoints({{25000, 38000}});
    l->SetFromType(6);
    l->SetToType(4);
    Connect(label, a, 2, b, 2, 5)->SetLineType(2);

    QTemporaryDir dir;
    const QString pdf = PrintDocumentToPdf(label, dir, 70, 50);
    const QImage page = kvrtest::RasterisePdf(pdf);
    ASSERT_FALSE(page.isNull());

    TScreenPaper t;
    ScreenSurface s(page.width(), page.height(), kDpi);
    for (int i = 1; i <= label.GetItemsCount(); ++i)
        label.GetItem(i)->DrawElement(&s.draw);
    t.Screen = s.Finish().copy();
    t.Paper = page.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ImageProbes::SaveForLooking(t.Screen, QStringLiteral("flow-pdf-screen.png"));
    ImageProbes::SaveForLooking(t.Paper, QStringLiteral("flow-pdf-page.png"));
    EXPECT_TRUE(Twins(t, 0.95));
}

}  // namespace
