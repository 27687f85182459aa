// Every data-bound kind shows each label cell's own record in an export as
// on paper: one sheet of two records, exported to PNG and printed to PDF,
// each cell of the one against the same cell of the other.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRText.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kDpi = 288;  // 3 x the export's 96: bars and modules several pixels wide
constexpr int64_t kCellWidth = 60000, kCellHeight = 40000, kLeft = 3000, kTop = 2500, kGap = 4000;

double Px(int64_t aMicrometres)
{
    return double(aMicrometres) * kDpi / 25400.0;
}

// What a cell shows, in pixels of the page: how much ink, where its middle
// and its edges are.
struct TInk
{
    int64_t Count = 0;
    double X = 0, Y = 0;
    QRect Box;
};

TInk InkOf(const QImage& aPage, int aColumn)
{
    const QRect cell(int(Px(kLeft + aColumn * (kCellWidth + kGap))), int(Px(kTop)), int(Px(kCellWidth)),
                     int(Px(kCellHeight)));
    TInk ink;
    const QImage gray = aPage.convertToFormat(QImage::Format_Grayscale8);
    for (int y = cell.top(); y <= cell.bottom() && y < gray.height(); ++y)
        for (int x = cell.left(); x <= cell.right() && x < gray.width(); ++x)
            if (gray.constScanLine(y)[x] < 200) {
                ++ink.Count;
                ink.X += x;
                ink.Y += y;
                ink.Box |= QRect(x, y, 1, 1);
            }
    if (ink.Count > 0) {
        ink.X /= double(ink.Count);
        ink.Y /= double(ink.Count);
    }
    return ink;
}

// The same content drawn by two painters: ink within a fifth, edges and
// middle within a millimetre.
// aSlack: the share by which the export's box may differ, its modules being
// put on whole pixels.
bool Alike(const TInk& a, const TInk& b, double aSlack = 0.0)
{
    const double mm = kDpi / 25.4;
    const double side = std::max({a.Box.width(), a.Box.height(), b.Box.width(), b.Box.height()});
    const double edge = mm + aSlack * side;
    const auto near = [&](double p, double q, double tol) { return std::fabs(p - q) <= tol; };
    const double count = std::max(a.Count, b.Count) * (0.2 + 2.0 * aSlack);
    return double(std::llabs(a.Count - b.Count)) <= count && near(a.X, b.X, mm + edge / 2) &&
           near(a.Y, b.Y, mm + edge / 2) && near(a.Box.left(), b.Box.left(), edge) &&
           near(a.Box.right(), b.Box.right(), edge) && near(a.Box.top(), b.Box.top(), edge) &&
           near(a.Box.bottom(), b.Box.bottom(), edge);
}

// How much a raster export may change a code's size: the rounding of its
// module to whole pixels (down, where up would leave its box), as a share of
// the module.
double ModuleRounding(TVXLabelFMX& aDoc)
{
    const auto share = [](double aMm) {
        const double m = aMm * kDpi / 25.4;
        return m > 0.0 ? std::fabs(std::max(1.0, std::floor(m)) - m) / m : 0.0;
    };
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i) {
        if (const auto* s = dynamic_cast<const TKVRBase2DCode*>(aDoc.GetItem(i)))
            return std::max(share(s->GetBarWidth()), share(s->GetBarHeight()));
        if (const auto* b = dynamic_cast<const TKVRBarcodeIntf*>(aDoc.GetItem(i)))
            return share(b->GetBarWidth());
    }
    return 0.0;
}

std::string Describe(const TInk& a)
{
    return QStringLiteral("%1 px about (%2, %3) in [%4, %5 - %6, %7]")
        .arg(a.Count)
        .arg(a.X, 0, 'f', 1)
        .arg(a.Y, 0, 'f', 1)
        .arg(a.Box.left())
        .arg(a.Box.top())
        .arg(a.Box.right())
        .arg(a.Box.bottom())
        .toStdString();
}

template <class T>
T* Bound(T* aItem)
{
    aItem->SetFillType(1);
    aItem->SetFillName(QStringLiteral("F"));
    aItem->SetBase(1, 5000, 5000);
    return aItem;
}

template <class T>
T* TextKind(TVXLabelFMX& aDoc)
{
    auto* t = Bound(new T(&aDoc));
    if constexpr (!std::is_same_v<T, TKVRText>)
        t->SetBase(2, 55000, 30000);
    t->SetFontName(QStringLiteral("Arial"));
    t->SetBaseFontHeight(5000);
    t->SetPenWidth(0.0f);
    t->SetText(QStringLiteral("stored"));
    return t;
}

template <class T>
T* CodeKind(TVXLabelFMX& aDoc)
{
    auto* c = Bound(new T(&aDoc, false));
    c->SetCode(QStringLiteral("stored"));
    c->SetBarWidth(0.5f);
    return c;
}

template <class T>
T* BoxKind(TVXLabelFMX& aDoc)
{
    auto* e = Bound(new T(&aDoc, false));
    e->SetBase(2, 55000, 35000);
    return e;
}

struct TKind
{
    const char* Name;
    std::function<void(TVXLabelFMX&)> Make;
    const char* First;
    const char* Second;
};

const QString kLong = QStringLiteral("THE SECOND RECORD OF THIS SHEET HOLDS A LONG VALUE 0123456789");

}  // namespace

TEST(SheetRecords, EveryBoundKindShowsEachCellsRecordInExportsAsOnPaper)
{
    const QByteArray longValue = kLong.toLatin1();
    const std::vector<TKind> kinds = {
        {"text", [](TVXLabelFMX& d) { TextKind<TKVRText>(d); }, "I", "WWWWWWWW"},
        {"paragraph", [](TVXLabelFMX& d) { TextKind<TKVRParagraph>(d); }, "I", "WWWWWWWW"},
        {"rich text", [](TVXLabelFMX& d) { TextKind<TKVRRichText>(d); }, "I", "<B>WWWWWWWW</B>"},
        {"barcode",
         [](TVXLabelFMX& d) { CodeKind<TKVRBarcode>(d)->SetCodeType(TKVRBarType::Code128); }, "1",
         "1234567890ABCDEF"},
        {"QR code", [](TVXLabelFMX& d) { CodeKind<TKVRQRCode>(d); }, "A", longValue.constData()},
        {"Data Matrix", [](TVXLabelFMX& d) { CodeKind<TKVRDataMatrix>(d); }, "A", longValue.constData()},
        {"PDF417", [](TVXLabelFMX& d) { CodeKind<TKVRPDF417>(d); }, "A", longValue.constData()},
        {"image",
         [](TVXLabelFMX& d) {
             auto* e = new TKVRImage(&d, false);
             e->SetBase(1, 5000, 5000);
             e->SetBase(2, 55000, 35000);
             e->SetFillName(QStringLiteral("F"));
         },
         "wide.png", "tall.png"},
        {"level",
         [](TVXLabelFMX& d) {
             auto* e = BoxKind<TKVRLevel>(d);
             e->SetValue(50.0f);
             e->SetMaxValue(100.0f);
             e->SetLevelColor(0xFF000000u);
         },
         "10", "90"},
        {"package",
         [](TVXLabelFMX& d) {
             auto* e = BoxKind<TKVRPackage>(d);
             e->SetSizeLength(30);
             e->SetSizeWidth(30);
             e->SetSizeHeight(30);
             // Boxes without a frame: screen and paper draw frames and flat
             // blanks with pens of their own.
             e->SetPenWidth(0.0f);
             e->SetBoxColor(0xFF000000u);
         },
         "40x10x5", "10x20x40"},
        {"rank",
         [](TVXLabelFMX& d) {
             auto* e = BoxKind<TKVRRank>(d);
             e->SetMaximum(5);
             e->SetPosition(3);
             e->SetFilled(true);
             e->SetBackColor(0xFF000000u);
         },
         "1", "5"},
        {"nutrition score", [](TVXLabelFMX& d) { BoxKind<TKVRNutriScore>(d)->SetValue(u'C'); }, "A", "E"},
    };

    TPdfPrinterFixture printer;
    for (const TKind& k : kinds) {
        SCOPED_TRACE(k.Name);
        const QString folder = printer.Folder();
        // A wide and a tall picture: fitted into one box they cover other cells.
        QImage wide(80, 20, QImage::Format_RGB32), tall(20, 80, QImage::Format_RGB32);
        wide.fill(Qt::black);
        tall.fill(Qt::black);
        ASSERT_TRUE(wide.save(folder + QStringLiteral("/wide.png")) && tall.save(folder + QStringLiteral("/tall.png")));
        QFile csv(folder + QStringLiteral("/records.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(QByteArray("F\n") + k.First + "\n" + k.Second + "\n");
        csv.close();

        TVXLabelFMX doc;
        TKVRMeasure& m = doc.GetMeasure();
        m.SetPaperWidth(2 * kLeft + 2 * kCellWidth + kGap);
        m.SetPaperHeight(2 * kTop + kCellHeight);
        m.SetWidth(kCellWidth);
        m.SetHeight(kCellHeight);
        m.SetMarLeft(kLeft);
        m.SetMarTop(kTop);
        m.SetGapX(kGap);
        m.SetRows(1);
        m.SetColumns(2);
        doc.SetImageFolder(folder);
        doc.GetData().LoadCsv(csv.fileName());
        doc.GetPrintInfo().SetWithData(true);
        k.Make(doc);

        const QString png = folder + QStringLiteral("/sheet.png");
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, png, kDpi / 96.0f).Ok());
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
        const QImage exported(png);
        const std::vector<QImage> printed = RasterisePages(printer.FileName(), kDpi);
        ASSERT_EQ(printed.size(), 1u);

        const TInk paper[2] = {InkOf(printed[0], 0), InkOf(printed[0], 1)};
        // The two records look apart on paper, so a cell showing the other's would show.
        ASSERT_GT(paper[0].Count, 0);
        ASSERT_FALSE(Alike(paper[0], paper[1])) << Describe(paper[0]) << " / " << Describe(paper[1]);
        for (int cell = 0; cell < 2; ++cell) {
            const TInk file = InkOf(exported, cell);
            EXPECT_TRUE(Alike(file, paper[cell], ModuleRounding(doc)))
                << "cell " << cell + 1 << ": export " << Describe(file) << ", paper " << Describe(paper[cell]);
        }
    }
}
