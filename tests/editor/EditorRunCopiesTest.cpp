// After a preview, a print or an export the label holds its own elements
// alone: the per-cell copies a run makes go with the run, whatever way it
// ends, and the editor never paints, picks or counts them.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRText.h"
#include "tests/editor/EditorInput.h"
#include "tests/editor/SurfaceProbes.h"
#include "tests/support/ImageProbes.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PrintQueue.h"
#include "views/KVR.FMX.Preview.h"
#include "views/KVR.FMX.ShowPreview.h"
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A 3 x 8 sheet of 60 x 30 mm labels, one text bound to the CSV field "Name"
// at (5, 5) mm, 30 records linked, a PDF-file printer; in the editor, no grid.
struct TLinkedLabel : TEditorInput
{
    QTemporaryDir Dir;
    TPdfPrinterFixture Printer;
    TKVRText* Text = nullptr;
    QStringList Told;

    TLinkedLabel() : TEditorInput(60000, 30000)
    {
        QByteArray csv = "Name\n";
        for (int i = 1; i <= 30; ++i)
            csv += "Record " + QByteArray::number(i) + '\n';
        WriteAll(Dir.filePath("names.csv"), csv);
        TKVRMeasure& m = doc.GetMeasure();
        m.SetPaperWidth(210000);
        m.SetPaperHeight(297000);
        m.SetMarLeft(10000);
        m.SetMarTop(11000);
        m.SetGapX(5000);
        m.SetGapY(5000);
        m.SetColumns(3);
        m.SetRows(8);
        doc.GetData().LoadCsv(Dir.filePath("names.csv"));
        doc.SetLinkData(true);
        doc.GetPrintInfo().SetPrinterIndex(Printer.Index());
        Text = TKVRFactory::AddBaseText(&doc, 5000, 5000);
        Text->SetText(QStringLiteral("Name"));
        Text->SetFillType(1);
        Text->SetFillName(QStringLiteral("Name"));
        editor.GetGrid()->SetStyle(TKVRGridDraw::gdNone);
    }
    QRect PxRect(const TKVRRect& r) const { return QRect(Px(r.Left, r.Top), Px(r.Right, r.Bottom)).normalized(); }
    // The preview window's modal dialogs and messages, answered here.
    void Answer(TfPreview& w, std::function<int(QDialog&)> aDialog)
    {
        w.ShowMessage = [this](const QString& aText) { Told << aText; };
        w.ExecDialog = std::move(aDialog);
    }
};

int Accept(QDialog&)
{
    return QDialog::Accepted;
}
int Reject(QDialog&)
{
    return QDialog::Rejected;
}

}  // namespace

// One table over the roads a run takes, each ended its own way; then what the
// user meets: the count, the saved files, the editor's painting after a drag
// of 10 mm (at 100 % and zoomed in), Tab and Delete. Copies a host keeps
// by preparing a run itself are never painted, picked or deleted.
TEST(EditorRunCopies, NoRunLeavesItsCopiesInTheLabel)
{
    struct Road
    {
        const char* Name;
        std::function<void(TLinkedLabel&)> Run;
        int32_t Kept = 0;  // copies the label still holds: only a host's own CheckPrintData leaves them
    };
    const Road roads[] = {
        {"Preview, closed by its button",
         [](TLinkedLabel& l) {
             QTimer::singleShot(0, [] {
                 auto* w = qobject_cast<TfPreview*>(QApplication::activeModalWidget());
                 ASSERT_TRUE(w);
                 EXPECT_EQ(w->fLabel->GetItemsCount(), 1 + 24);  // the run has its copies
                 QTest::mouseClick(w->butClose, Qt::LeftButton);
             });
             l.doc.Preview();
         }},
        {"preview window, printed to a PDF file",
         [](TLinkedLabel& l) {
             TfPreview w;
             l.Answer(w, Accept);
             w.Ini(&l.doc);
             w.show();
             QTest::mouseClick(w.sbPrint, Qt::LeftButton);
             ASSERT_EQ(l.Told.size(), 1);
             EXPECT_EQ(l.Told[0], QStringLiteral("30 of 30 labels printed on 2 pages"));
             QTest::mouseClick(w.butClose, Qt::LeftButton);
         }},
        {"preview window, print cancelled, closed by the window system",
         [](TLinkedLabel& l) {
             TfPreview w;
             l.Answer(w, Reject);
             w.Ini(&l.doc);
             w.show();
             QTest::mouseClick(w.sbPrint, Qt::LeftButton);
             w.close();
         }},
        {"preview window, exported as PNG, freed while open",
         [](TLinkedLabel& l) {
             TfPreview w;
             const QString file = l.Dir.filePath("page.png");
             l.Answer(w, [file](QDialog& aDialog) {
                 auto* save = qobject_cast<QFileDialog*>(&aDialog);
                 if (!save)
                     return int(QDialog::Rejected);
                 save->selectFile(file);
                 return int(QDialog::Accepted);
             });
             w.Ini(&l.doc);
             w.show();
             QAction* png = w.PopupMenu->findChild<QAction*>(QStringLiteral("menuExportPNG"));
             ASSERT_TRUE(png);
             png->trigger();
             for (int i = 0; i < 600 && !QFile::exists(file) && l.Told.isEmpty(); ++i)
                 QTest::qWait(100);
             EXPECT_TRUE(QFile::exists(file));
         }},
        {"Print to a PDF file",
         [](TLinkedLabel& l) { EXPECT_TRUE(l.doc.Print()) << l.doc.GetPrintReport().Text().toStdString(); }},
        {"Print without a printer",
         [](TLinkedLabel& l) {
             l.doc.GetPrintInfo().SetPrinterIndex(-1);
             EXPECT_FALSE(l.doc.Print());
         }},
        {"Print whose set-up raises",
         [](TLinkedLabel& l) {
             l.doc.GetPrintInfo().SetPageRange(5, 9);
             EXPECT_THROW(l.doc.Print(), std::invalid_argument);
             l.doc.GetPrintInfo().SetPageRange(1, 0);
         }},
        {"ExportDoc checking the data",
         [](TLinkedLabel& l) {
             bool done = false;
             l.doc.ExportDoc(KVRExportKind::Pdf, l.Dir.filePath("sheet.pdf"), 1, 1.0f, 100, true, false, false,
                             [&](const TKVRExportResult& aResult) {
                                 EXPECT_TRUE(aResult.Ok()) << aResult.Error.toStdString();
                                 done = true;
                             });
             for (int i = 0; i < 600 && !done; ++i)
                 QTest::qWait(100);
             EXPECT_TRUE(done);
         }},
        {"preview control shown on the label",
         [](TLinkedLabel& l) {
             TKVRPreview preview;
             preview.resize(400, 500);
             preview.SetLabel(&l.doc);
             preview.show();
             EXPECT_FALSE(ImageProbes::Bounds(preview.grab().toImage(), ImageProbes::Dark).isNull());
             EXPECT_EQ(l.doc.GetItemsCount(), 1);
         }},
        {"CheckPrintData called by the host", [](TLinkedLabel& l) { l.doc.CheckPrintData(); }, 24},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.Name);
        TLinkedLabel l;
        ASSERT_NO_FATAL_FAILURE(road.Run(l));
        QApplication::processEvents();
        EXPECT_EQ(l.doc.GetItemsCount(), 1 + road.Kept);

        // The files hold the label's one element, and so do the labels read back.
        for (auto [name, format] : {std::pair{"after.eti", KVRExt::Binary}, std::pair{"after.json", KVRExt::Json}}) {
            ASSERT_TRUE(l.doc.SaveToFile(l.Dir.filePath(name), format));
            TVXLabelFMX back;
            ASSERT_TRUE(back.LoadFromFile(l.Dir.filePath(name)));
            EXPECT_EQ(back.GetItemsCount(), 1) << name;
        }

        // Dragged 10 mm down, the text leaves nothing where it stood.
        const TKVRRect stood = l.Text->GetBounds();
        const QRect was = l.PxRect(stood).adjusted(-3, -3, 3, 3);
        const QPoint grip = l.PxRect(stood).center();
        l.Drag(grip, grip + (l.Px(0, 10000) - l.Px(0, 0)));
        EXPECT_NEAR(double(l.Text->GetBounds().Top - stood.Top), 10000.0, 300.0);
        QImage shown = SurfaceProbes::Grab(l.editor);
        ImageProbes::SaveForLooking(shown, QStringLiteral("run-copies-%1.png").arg(&road - roads));
        EXPECT_TRUE(ImageProbes::Bounds(shown, ImageProbes::NotWhite, was).isNull());
        EXPECT_FALSE(ImageProbes::Bounds(shown, ImageProbes::Dark, l.PxRect(l.Text->GetBounds())).isNull());
        // Zoomed in, still nothing there.
        l.editor.SetZoom(zm300);
        QApplication::processEvents();
        shown = SurfaceProbes::Grab(l.editor);
        const QRect wasZoomed = l.PxRect(stood).adjusted(-3, -3, 3, 3);
        ASSERT_TRUE(shown.rect().contains(wasZoomed.center()));
        EXPECT_TRUE(ImageProbes::Bounds(shown, ImageProbes::NotWhite, wasZoomed).isNull());
        l.editor.SetZoom(zm100);

        // Tab and Shift+Tab find the text alone; Delete leaves no element.
        l.Key(Qt::Key_Escape);
        for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab}) {
            l.Key(k);
            EXPECT_EQ(l.doc.Select(), l.Text);
        }
        l.Key(Qt::Key_Delete);
        EXPECT_EQ(l.doc.GetItemsCount(), road.Kept);
        shown = SurfaceProbes::Grab(l.editor);
        EXPECT_TRUE(ImageProbes::Bounds(shown, ImageProbes::Dark, l.PxRect({0, 0, 60000, 30000})).isNull());
    }
}
