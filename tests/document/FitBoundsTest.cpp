// A fitted export is cropped to the elements' bounds: it must hold every
// pixel the whole sheet shows of them. One row per element whose painting
// reaches past its points.
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRSymbol.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/elements/SymbolTestSupport.h"
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

TKVRFlow* Node(TVXLabelFMX& aDoc, int64_t aX, int64_t aY)
{
    auto* n = new TKVRFlow(&aDoc, false);
    n->SetBase(1, aX, aY);
    n->SetBase(2, aX + 20000, aY + 15000);
    n->SetFlowType(1);
    n->SetPenWidth(0.5f);
    return n;
}

TKVRLink* Connect(TVXLabelFMX& aDoc, TVXLinkType aType, int16_t aFromIndex, int16_t aToIndex)
{
    const TKVRFlow* a = Node(aDoc, 30000, 120000);
    const TKVRFlow* b = Node(aDoc, 120000, 120000);
    auto* k = new TKVRLink(&aDoc, false);
    k->SetFromID(a->GetNumID());
    k->SetToID(b->GetNumID());
    k->SetFromIndex(aFromIndex);
    k->SetToIndex(aToIndex);
    k->SetLinkType(aType);
    k->SetColor(0xFFFF0000u);
    k->SetPenWidth(0.5f);
    return k;
}

int64_t Ink(const QImage& aImage, bool aBorderOnly)
{
    const QImage gray = aImage.convertToFormat(QImage::Format_Grayscale8);
    int64_t n = 0;
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x) {
            const bool border = x == 0 || y == 0 || x == gray.width() - 1 || y == gray.height() - 1;
            if ((border || !aBorderOnly) && gray.constScanLine(y)[x] < 200)
                ++n;
        }
    return n;
}

struct TCase
{
    const char* Name;
    std::function<void(TVXLabelFMX&)> Build;
};

}  // namespace

TEST(FitBounds, FittedExportHoldsEveryPaintedPixel)
{
    const std::vector<TCase> cases = {
        // Right anchor of the first node, through a pass point just above it,
        // to the left anchor of the second: the arc bulges 16 mm above all three.
        {"connector arc",
         [](TVXLabelFMX& d) { Connect(d, 4, 2, 4)->SetLinkPoints({TKVRPto{55000, 115000}}); }},
        // From the top of one node to the top of the other: the curve rises above both.
        {"connector curve", [](TVXLabelFMX& d) { Connect(d, 5, 1, 1); }},
        // A caption far wider than the symbol's frame, turned.
        {"symbol text",
         [](TVXLabelFMX& d) {
             auto* s = new TKVRSymbol(&d, false);
             s->SetSymbol(MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Rectangle","Points":[0,0,10,5]},
                 {"Type":"FontHeight","Value":6},
                 {"Type":"Text","Text":"WIDE CAPTION TEXT","Point":[5,8],"Angle":20,"HAlign":1,"VAlign":0}])"));
             s->SetBase(1, 90000, 100000);
             s->SetAngleRad(0.3);
         }},
        // At 1:5,000 the frame follows the drawing scale, the caption and pens stay paper sized.
        {"symbol at 1:5,000",
         [](TVXLabelFMX& d) {
             d.GetMeasure().SetDrawScale(5000);
             auto* s = new TKVRSymbol(&d, false);
             s->SetSymbol(MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Rectangle","Points":[0,0,100000,50000]},
                 {"Type":"FontHeight","Value":6},
                 {"Type":"Text","Text":"WIDE CAPTION TEXT","Point":[50000,80000],"Angle":20,"HAlign":1,"VAlign":0}])"));
             s->SetBase(1, 90000 * int64_t(5000), 100000 * int64_t(5000));
             s->SetAngleRad(0.3);
         }},
    };
    QTemporaryDir dir;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX doc;
        TKVRMeasure& m = doc.GetMeasure();
        m.SetPaperWidth(200000);
        m.SetPaperHeight(200000);
        m.SetWidth(200000);
        m.SetHeight(200000);
        m.SetRows(1);
        m.SetColumns(1);
        c.Build(doc);
        const QString whole = dir.filePath(QStringLiteral("whole.png")), fitted = dir.filePath(QStringLiteral("fit.png"));
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, whole).Ok());
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, fitted, 1.0f, true).Ok());
        const QImage sheet(whole), fit(fitted);
        ASSERT_LT(fit.width() * fit.height(), sheet.width() * sheet.height() / 2) << "the fit crops";
        // Nothing cut at the edge, and the same ink give or take the antialiasing.
        EXPECT_EQ(Ink(fit, true), 0);
        EXPECT_GE(Ink(fit, false), Ink(sheet, false) * 97 / 100);
    }
}
