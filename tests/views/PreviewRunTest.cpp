// The preview and its window over a run as the document prepares it: a
// host's document never prepared, a start cell off the sheet, fields nothing
// fills, a print of some pages, the wheel, and changes made while it shows.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Openers.h"
#include "elements/TKVRRectangle.h"
#include "platform/fmx/TPrinter.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include "tests/views/PreviewSheet.h"
#include "views/KVR.FMX.Preview.h"
#include "views/KVR.FMX.ShowPreview.h"
#include <QImageWriter>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

double PxPerMm(const TKVRPreview& aPrev)
{
    return aPrev.GetLayout().ZScale * 96 / 25.4;
}

QString CellText(TKVRPreview& aPrev, int aRow, int aCol)
{
    const QImage shot = aPrev.grab().toImage();
    return DecodeOne(shot.copy(CellRect(QPointF(aPrev.DMX(), aPrev.DMY()), PxPerMm(aPrev), aRow, aCol))).text;
}

// Paint events a widget receives.
class TPaintCounter : public QObject
{
public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* aEvent) override
    {
        if (aEvent->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

}  // namespace

// A host attaches its own document without preparing a run: the control
// prepares it and shows every cell's record; with nothing to show it says why.
TEST(PreviewRun, AHostsDocumentShowsWithoutPreparingItsRun)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 5);
    TKVRPreview prev;
    prev.resize(1600, 2300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    EXPECT_EQ(CellText(prev, 1, 1), QStringLiteral("R01"));
    EXPECT_EQ(CellText(prev, 2, 2), QStringLiteral("R05"));
    EXPECT_EQ(prev.GetPaintError(), QString());

    TVXLabelFMX empty;
    BuildPreviewSheet(empty, 0);
    prev.SetLabel(&empty);
    prev.grab();
    EXPECT_EQ(prev.GetPaintError(), QStringLiteral("The data has no records"));
}

// A start cell off the sheet: the reason on the page, "0 / 0", nothing to
// move to, print or export.
TEST(PreviewRun, AStartCellOffTheSheetIsShownOnThePage)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 30);
    doc.GetPrintInfo().SetFirstRow(9);
    TfPreview window;
    window.ShowMessage = [](const QString&) {};
    window.Ini(&doc);
    EXPECT_EQ(window.edNumPage->text(), QStringLiteral("0 / 0"));
    for (QWidget* w : std::initializer_list<QWidget*>{window.butFirst, window.butPrior, window.butNext,
                                                      window.butLast, window.sbPrint, window.butExport})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    TKVRPreview& prev = *window.fPrev;
    prev.resize(600, 800);
    const QImage shot = prev.grab().toImage();
    EXPECT_EQ(prev.GetPaintError(), QStringLiteral("The start row 9 is outside the sheet of 8 rows"));
    // The paper is shown, with writing on it.
    const QRect paper(prev.DMX(), prev.DMY(), prev.GetLayout().cw, prev.GetLayout().ch);
    int ink = 0, white = 0;
    for (int y = paper.top() + 2; y < paper.bottom() - 2; ++y)
        for (int x = paper.left() + 2; x < paper.right() - 2; ++x) {
            const QRgb p = shot.pixel(x, y);
            white += p == 0xFFFFFFFFu;
            ink += qRed(p) > qGreen(p) + 40;
        }
    EXPECT_GT(white, paper.width() * paper.height() / 2);
    EXPECT_GT(ink, 50);
}

// A field nothing fills (no data file, no value typed, no counter) keeps its
// design value on screen, on paper and in an export of the sheet, as the fit
// export (which paints the elements themselves) always showed it.
TEST(PreviewRun, AFieldNothingFillsShowsItsDesignValueEverywhere)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 0);
    doc.GetPrintInfo().SetWithData(false);
    doc.GetPrintInfo().SetLabs(3);
    TKVRPreview prev;
    prev.resize(1600, 2300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    EXPECT_EQ(CellText(prev, 1, 3), QStringLiteral("DESIGN"));

    const QString sheet = dir.filePath(QStringLiteral("sheet.png"));
    ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, sheet, 2.0f).Ok());
    EXPECT_EQ(DecodeOne(QImage(sheet).copy(CellRect(QPointF(0, 0), 2 * 96 / 25.4, 1, 2))).text,
              QStringLiteral("DESIGN"));
    TPdfPrinterFixture printer;
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    EXPECT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
    EXPECT_TRUE(doc.GetPrintReport().Problems.empty()) << doc.GetPrintReport().Text().toStdString();
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 200);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(DecodeOne(pages[0].copy(CellRect(QPointF(0, 0), 200 / 25.4, 1, 1))).text, QStringLiteral("DESIGN"));
}

// The print dialog's page range is honoured; what the run cannot honour is
// refused with a message and nothing printed.
TEST(PreviewRun, ThePrintDialogsChoiceIsHonouredOrRefused)
{
    TPdfPrinterFixture printer;
    const struct
    {
        const char* Name;
        std::function<void(QPrinter&)> Choose;
        QString Message;
        int Pages;  // in the file; 0: none written
    } cases[] = {
        {"pages 2 to 2",
         [](QPrinter& p) {
             p.setPrintRange(QPrinter::PageRange);
             p.setFromTo(2, 2);
         },
         QStringLiteral("24 of 24 labels printed on 1 page"), 1},
        {"last page first", [](QPrinter& p) { p.setPageOrder(QPrinter::LastPageFirst); },
         QStringLiteral("Pages print from the first to the last; nothing was printed."), 0},
        {"two copies", [](QPrinter& p) { p.setCopyCount(2); },
         QStringLiteral("Copies are set in the label's print settings (repetition); nothing was printed."), 0},
        {"two ranges",
         [](QPrinter& p) {
             p.setPrintRange(QPrinter::PageRange);
             QPageRanges ranges;
             ranges.addRange(1, 1);
             ranges.addRange(3, 4);
             p.setPageRanges(ranges);
         },
         QStringLiteral("Only one range of pages can be printed at a time; nothing was printed."), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(printer.FileName());
        TVXLabelFMX doc;
        BuildPreviewSheet(doc, 100);
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        TfPreview window;
        QStringList messages;
        window.ShowMessage = [&](const QString& aText) { messages << aText; };
        window.ExecDialog = [&](QDialog& aDialog) {
            auto* dialog = qobject_cast<QPrintDialog*>(&aDialog);
            if (!dialog)
                return int(QDialog::Rejected);
            // The user keeps the document's printer, a file device Qt does
            // not list (whatever queue the machine has as its default).
            dialog->printer()->setPrinterName(QString());
            c.Choose(*dialog->printer());
            return int(QDialog::Accepted);
        };
        window.Ini(&doc);
        ASSERT_EQ(window.edNumPage->text(), QStringLiteral("1 / 5"));
        QTest::mouseClick(window.sbPrint, Qt::LeftButton);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], c.Message);
        if (c.Pages == 0) {
            EXPECT_FALSE(QFile::exists(printer.FileName()));
            continue;
        }
        EXPECT_EQ(PdfPages(printer.FileName()), c.Pages);
        const std::vector<QImage> pages = RasterisePages(printer.FileName(), 200);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(DecodeOne(pages[0].copy(CellRect(QPointF(0, 0), 200 / 25.4, 1, 1))).text, QStringLiteral("R25"));
        // The window shows the page it showed before.
        EXPECT_EQ(window.edNumPage->text(), QStringLiteral("1 / 5"));
    }
}

// The wheel over the page scrolls it as the bar does; content sizes set from
// outside bring the bars up to date.
TEST(PreviewRun, TheWheelScrollsThePage)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 3);
    TKVRPreview prev;
    prev.resize(400, 300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    const int top = prev.DMY();
    const auto Wheel = [&](int aDelta) {
        QWheelEvent e(QPointF(200, 150), prev.mapToGlobal(QPointF(200, 150)), QPoint(), QPoint(0, aDelta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&prev, &e);
    };
    Wheel(-120);
    EXPECT_GT(prev.ScrollBarV()->value(), 0);
    EXPECT_EQ(prev.DMY(), top - prev.ScrollBarV()->value());
    Wheel(120);
    EXPECT_EQ(prev.ScrollBarV()->value(), 0);
    // Whole page: nothing to scroll, the wheel goes on to the parent.
    prev.SetViewType(0);
    Wheel(-120);
    EXPECT_EQ(prev.ScrollBarV()->value(), 0);

    prev.SetContentHeight(5000);
    EXPECT_TRUE(prev.ScrollBarV()->isVisibleTo(&prev));
    EXPECT_EQ(prev.ScrollBarV()->maximum(), 5000 - prev.height());
    prev.SetContentWidth(900);
    EXPECT_TRUE(prev.ScrollBarH()->isVisibleTo(&prev));
    EXPECT_EQ(prev.ScrollBarH()->maximum(), 900 - prev.width());
}

// A picture added through the dialog reaches every view: the document says
// so, and the preview paints again.
TEST(PreviewRun, APictureAddedIsShownByTheViews)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("black.png"));
    QImage black(40, 20, QImage::Format_RGB32);
    black.fill(Qt::black);
    ASSERT_TRUE(black.save(png));
    TKVRLabelOpeners& openers = KVRLabelOpeners();
    const TKVRLabelOpeners saved = openers;
    openers.OpenPicture = [&](const QString&, const QString&) { return png; };

    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 3);
    TKVRPreview prev;
    prev.resize(800, 1100);
    prev.SetLabel(&doc);
    prev.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&prev));
    QTest::qWait(50);
    TPaintCounter paints;
    prev.installEventFilter(&paints);
    ASSERT_TRUE(doc.AddBaseImage(30000, 5000, 20000, 10000, false, QString()));
    openers = saved;
    QTest::qWait(100);
    EXPECT_GT(paints.Count, 0);
    EXPECT_TRUE(doc.GetModified());
    // The picture is in the first cell: black where it lies.
    const QRect cell = CellRect(QPointF(prev.DMX(), prev.DMY()), PxPerMm(prev), 1, 1);
    const QImage shot = prev.grab().toImage();
    EXPECT_EQ(shot.pixel(cell.left() + int(40 * PxPerMm(prev)), cell.top() + int(10 * PxPerMm(prev))), 0xFF000000u);
}
