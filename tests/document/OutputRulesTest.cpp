// Where print and export meet one rule: the start cell of a sheet, and the
// layer an element names.
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/document/PrintJobTestSupport.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A 2 x 2 sheet of 50 x 30 mm labels, each with the text "Shown".
TKVRText* BuildSheet(TVXLabelFMX& aDoc)
{
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(100000);
    m.SetPaperHeight(60000);
    m.SetWidth(50000);
    m.SetHeight(30000);
    m.SetRows(2);
    m.SetColumns(2);
    auto* t = new TKVRText(&aDoc);
    t->SetText(QStringLiteral("Shown"));
    t->SetFontName(QStringLiteral("Arial"));
    t->SetBaseFontHeight(5000);
    t->SetBase(1, 5000, 5000);
    return t;
}

bool HasWord(const QString& aPdf)
{
    for (const TPdfPageWord& w : PdfPageWords(aPdf))
        if (w.text == QLatin1String("Shown"))
            return true;
    return false;
}

}  // namespace

TEST(OutputRules, StartCellOutsideTheSheetIsRefusedByPrintAndExport)
{
    const struct
    {
        int32_t Row, Col;
        const char* Message;
    } cases[] = {
        {3, 1, "The start row 3 is outside the sheet of 2 rows"},
        {1, 5, "The start column 5 is outside the sheet of 2 columns"},
    };
    TPdfPrinterFixture printer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        TVXLabelFMX doc;
        BuildSheet(doc);
        doc.GetPrintInfo().SetFirstRow(c.Row);
        doc.GetPrintInfo().SetFirstCol(c.Col);
        const QString file = printer.Folder() + QStringLiteral("/sheet.pdf");
        const TKVRExportResult result = RunExport(doc, KVRExportKind::Pdf, file);
        EXPECT_EQ(result.Error.toStdString(), c.Message);
        EXPECT_FALSE(QFile::exists(file));
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        try {
            doc.Print();
            ADD_FAILURE() << "printed";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

// An element whose layer index names no layer answers by its own state word
// on paper and in exports alike; a layer that withholds its bits withholds
// the element from both.
TEST(OutputRules, LayerIndexWithoutLayerIsTreatedAlikeByPrintAndExport)
{
    constexpr uint16_t kAll = TKVRLayer::StateVisible | TKVRLayer::StatePrintable | TKVRLayer::StateExport;
    const struct
    {
        int32_t Layer;
        uint16_t LayerState;
        bool Shown;
    } cases[] = {
        {0, kAll, true},
        {7, kAll, true},
        {-1, kAll, true},
        {0, TKVRLayer::StateVisible, false},
    };
    TPdfPrinterFixture printer;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "layer " << c.Layer << ", state " << c.LayerState);
        TVXLabelFMX doc;
        BuildSheet(doc)->SetLayer(c.Layer);
        doc.GetLayer(0)->SetState(c.LayerState);
        const QString exported = printer.Folder() + QStringLiteral("/export.pdf");
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Pdf, exported).Ok());
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        doc.Print();
        EXPECT_EQ(HasWord(exported), c.Shown);
        EXPECT_EQ(HasWord(printer.FileName()), c.Shown);
    }
}
