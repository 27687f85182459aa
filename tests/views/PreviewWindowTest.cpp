// The preview window: its counter and buttons, export of the page shown,
// printing through the dialog, each answered by the test.
#include "document/KVR.FMX.ExportJob.h"
#include "platform/fmx/TPrinter.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/PrintQueue.h"
#include "tests/views/PreviewSheet.h"
#include "views/KVR.FMX.Preview.h"
#include "views/KVR.FMX.ShowPreview.h"
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Waits for a message told by the window, at most a minute.
QString WaitForMessage(QStringList& aMessages)
{
    for (int i = 0; i < 600 && aMessages.isEmpty(); ++i)
        QTest::qWait(100);
    return aMessages.value(0);
}

struct TWindow
{
    TVXLabelFMX Doc;
    TfPreview Window;
    QStringList Messages;
    QString SaveAs;  // the file the scripted save dialog answers with; empty: cancelled

    explicit TWindow(int aRecords)
    {
        BuildPreviewSheet(Doc, aRecords);
        Window.ShowMessage = [this](const QString& aText) { Messages << aText; };
        Window.ExecDialog = [this](QDialog& aDialog) {
            auto* save = qobject_cast<QFileDialog*>(&aDialog);
            if (!save || SaveAs.isEmpty())
                return int(QDialog::Rejected);
            save->selectFile(SaveAs);
            return int(QDialog::Accepted);
        };
        Window.Ini(&Doc);
    }
};

// Exports through the popup menu item and waits for the file (or a message).
void ExportVia(TWindow& w, const char* aItem, const QString& aFile)
{
    w.SaveAs = aFile;
    QAction* action = w.Window.PopupMenu->findChild<QAction*>(QLatin1String(aItem));
    ASSERT_TRUE(action);
    action->trigger();
    for (int i = 0; i < 600 && !QFile::exists(aFile) && w.Messages.isEmpty(); ++i)
        QTest::qWait(100);
    QTest::qWait(50);
}

}  // namespace

TEST(PreviewWindow, CounterAndButtonsFollowThePage)
{
    struct Row
    {
        int Records;   // 24 a sheet
        int Clicks;    // butNext presses
        const char* Counter;
        bool First, Prior, Next, Last, Print;
    };
    const Row rows[] = {
        {5, 0, "1 / 1", false, false, false, false, true},
        {120, 2, "3 / 5", true, true, true, true, true},
        {120, 4, "5 / 5", true, true, false, false, true},
        {0, 0, "0 / 0", false, false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Counter);
        TWindow w(r.Records);
        for (int i = 0; i < r.Clicks; ++i)
            QTest::mouseClick(w.Window.butNext, Qt::LeftButton);
        EXPECT_EQ(w.Window.edNumPage->text(), QLatin1String(r.Counter));
        EXPECT_TRUE(w.Window.edNumPage->isReadOnly());
        EXPECT_EQ(w.Window.butFirst->isEnabled(), r.First);
        EXPECT_EQ(w.Window.butPrior->isEnabled(), r.Prior);
        EXPECT_EQ(w.Window.butNext->isEnabled(), r.Next);
        EXPECT_EQ(w.Window.butLast->isEnabled(), r.Last);
        EXPECT_EQ(w.Window.sbPrint->isEnabled(), r.Print);
        EXPECT_EQ(w.Window.butExport->isEnabled(), r.Print);
    }
}

TEST(PreviewWindow, ExportsThePageShownAtTheScaleAndQualityChosen)
{
    QTemporaryDir dir;
    TWindow w(120);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w.Window.butNext, Qt::LeftButton);
    ASSERT_EQ(w.Window.edNumPage->text(), QStringLiteral("4 / 5"));
    w.Window.sfScale->setValue(2.5);
    w.Window.seQuality->setValue(80);
    const QString jpeg = dir.filePath(QStringLiteral("page4.jpg"));
    ExportVia(w, "menuExportJPEG", jpeg);
    ASSERT_TRUE(w.Messages.isEmpty()) << w.Messages.join('\n').toStdString();
    QImageReader reader(jpeg);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    // A4 at 2.5 x 96 dpi.
    EXPECT_NEAR(image.width(), 210 * 2.5 * 96 / 25.4, 1);
    // Page 4 starts with label 73.
    const double k = 2.5 * 96 / 25.4;
    EXPECT_EQ(DecodeOne(image.copy(CellRect(QPointF(0, 0), k, 1, 1))).text, QStringLiteral("R73"));

    // The quality box reaches the encoder: the same page at 100 takes more bytes.
    w.Window.seQuality->setValue(100);
    const QString best = dir.filePath(QStringLiteral("page4-100.jpg"));
    ExportVia(w, "menuExportJPEG", best);
    EXPECT_LT(QFileInfo(jpeg).size(), QFileInfo(best).size());

    const QString pdf = dir.filePath(QStringLiteral("page4.pdf"));
    ExportVia(w, "menuExportPDF", pdf);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

TEST(PreviewWindow, AValueTypedByHandIsExportedAsShown)
{
    QTemporaryDir dir;
    TWindow w(3);
    w.Doc.SetDataValue(QStringLiteral("Code"), QStringLiteral("HAND"));
    w.Window.fPrev->resize(1600, 2300);
    w.Window.sbPageWidthClick();
    const QImage shown = w.Window.fPrev->grab().toImage();
    const TKVRPreview& p = *w.Window.fPrev;
    const double k = p.GetLayout().ZScale * 96 / 25.4;
    EXPECT_EQ(DecodeOne(shown.copy(CellRect(QPointF(p.DMX(), p.DMY()), k, 1, 1))).text, QStringLiteral("HAND"));
    w.Window.sfScale->setValue(2.5);
    const QString file = dir.filePath(QStringLiteral("typed.png"));
    ExportVia(w, "menuExportPNG", file);
    EXPECT_EQ(DecodeOne(QImage(file).copy(CellRect(QPointF(0, 0), 2.5 * 96 / 25.4, 1, 1))).text,
              QStringLiteral("HAND"));
}

TEST(PreviewWindow, ExportFailuresAreShown)
{
    // A folder that cannot be written, also by root: its name is a file's.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString file = blocker.fileName() + QStringLiteral("/page.png");
    TWindow w(3);
    ExportVia(w, "menuExportPNG", file);
    EXPECT_TRUE(WaitForMessage(w.Messages).contains(file));
}

TEST(PreviewWindow, FitExportsTheDrawnAreaOfTheShownPage)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 0);
    doc.Clear(KVRClear::Items, false);
    doc.GetPrintInfo().SetWithData(false);
    doc.GetPrintInfo().SetLabs(30);
    TKVRRectangle* box = TKVRFactory::AddRectangle(&doc, 5, 5, 40, 20);
    box->SetFilled(true);
    box->SetBackColor(0xFF000000);
    TfPreview window;
    QStringList messages;
    window.ShowMessage = [&](const QString& aText) { messages << aText; };
    const QString file = dir.filePath(QStringLiteral("fit.png"));
    window.ExecDialog = [&](QDialog& aDialog) {
        qobject_cast<QFileDialog*>(&aDialog)->selectFile(file);
        return int(QDialog::Accepted);
    };
    window.Ini(&doc);
    ASSERT_FALSE(window.ckFit->isHidden());
    QTest::mouseClick(window.butNext, Qt::LeftButton);
    ASSERT_EQ(window.edNumPage->text(), QStringLiteral("2 / 2"));
    window.ckFit->setChecked(true);
    window.ckTransparent->setChecked(true);
    window.sfScale->setValue(2);
    window.PopupMenu->findChild<QAction*>(QStringLiteral("menuExportPNG"))->trigger();
    for (int i = 0; i < 600 && !QFile::exists(file) && messages.isEmpty(); ++i)
        QTest::qWait(100);
    ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    // Not the A4 sheet: the box and a millimetre round it, at scale 2, over nothing.
    const double k = 2 * 96 / 25.4;
    EXPECT_NEAR(image.width(), 42 * k, 3);
    EXPECT_NEAR(image.height(), 22 * k, 3);
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), 0xFF000000u);
}

TEST(PreviewWindow, ClosedWhileTheExportRunsHearsNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("late.pdf"));
    {
        TWindow w(120);
        w.SaveAs = file;
        w.Window.PopupMenu->findChild<QAction*>(QStringLiteral("menuExportPDF"))->trigger();
    }
    for (int i = 0; i < 600 && !QFile::exists(file); ++i)
        QTest::qWait(100);
    QTest::qWait(200);
    EXPECT_TRUE(QFile::exists(file));
}

TEST(PreviewWindow, PrintingWithoutAPrinterSaysSo)
{
    if (!TPrinter().Names().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    TWindow w(3);
    w.Window.ExecDialog = [](QDialog&) { return int(QDialog::Accepted); };
    QTest::mouseClick(w.Window.sbPrint, Qt::LeftButton);
    ASSERT_EQ(w.Messages.size(), 1);
    EXPECT_TRUE(w.Messages[0].contains(QStringLiteral("No printer")));
    EXPECT_EQ(w.Window.edNumPage->text(), QStringLiteral("1 / 1"));
}

TEST(PreviewWindow, PrintsOnTheQueueChosenWhateverItsCase)
{
    const auto printQueue = PrintQueueFromEnvironment();
    if (!printQueue)
        GTEST_SKIP() << "no print queue (scripts/test.sh starts one)";
    const QString queue = printQueue->name, output = printQueue->output;
    QFile::remove(output);
    TWindow w(30);
    QTest::mouseClick(w.Window.butNext, Qt::LeftButton);
    w.Window.ExecDialog = [&](QDialog& aDialog) {
        qobject_cast<QPrintDialog*>(&aDialog)->printer()->setPrinterName(queue.toLower());
        return int(QDialog::Accepted);
    };
    QTest::mouseClick(w.Window.sbPrint, Qt::LeftButton);
    ASSERT_EQ(w.Messages.size(), 1);
    EXPECT_EQ(w.Messages[0], QStringLiteral("30 of 30 labels printed on 2 pages"));
    EXPECT_EQ(w.Window.edNumPage->text(), QStringLiteral("2 / 2"));
    for (int i = 0; i < 300 && QFileInfo(output).size() == 0; ++i)
        QTest::qWait(100);
    QTest::qWait(500);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {output});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
}
