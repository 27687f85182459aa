#include "dialogs/KVR.FMX.Drawing.h"
#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.Back.Margins.h"
#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include "dialogs/KVR.FMX.SelSymbol.h"
#include "dialogs/KVR.FMX.Settings.h"
#include "editor/KVR.FMX.Editor.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "render/TKVRDraw.h"
#include "tests/support/LabelDocuments.h"
#include "views/KVR.FMX.ViewLibrary.h"
#include <QTemporaryDir>
#include <QAbstractItemView>
#include <QComboBox>
#include <QTreeWidget>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// Pictures of the dialogs on a sample document, for a person to look at:
// scripts/dialog-shots.sh runs this under Xvfb with KVR_DIALOG_SHOTS set
// to the folder that takes them.
TEST(DialogShots, SaveEachDialog)
{
    const QString folder = qEnvironmentVariable("KVR_DIALOG_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "KVR_DIALOG_SHOTS names no folder";
    QDir().mkpath(folder);
    auto shoot = [&](QWidget& aForm, const char* aName) {
        aForm.show();
        QTest::qWait(200);
        EXPECT_TRUE(aForm.grab().save(QDir(folder).filePath(QString::fromLatin1(aName) + ".png")));
        aForm.hide();
    };

    SavedColors = {};
    SavedColors[0] = {0xFF1F77B4u, true};
    SavedColors[1] = {0x80D62728u, true};
    TfSelColor color;
    color.Ini(QString(), 0xC02CA02Cu);
    shoot(color, "SelColor");
    SavedColors = {};

    TfMem mem;
    mem.Ini("Lot 42\r\nBest before 2027-01-31\r\nKeep cool and dry", false);
    shoot(mem, "Mem");

    TfSelFont font;
    font.LoadFonts({"Arial", "Courier New", "DejaVu Sans", "Liberation Serif", "Times New Roman"});
    shoot(font, "SelFont");

    TfSelSize size;
    size.LoadSizes();
    shoot(size, "SelSize");

    TVXLabelFMX label;
    label.GetMapping().LoadMap("40.4168", "-3.7038", 8, 8);
    TfSelMap map;
    map.Ini(&label, true, 300, 200);
    map.edLocation->setText("Plaza Mayor, Madrid");
    shoot(map, "SelMap");

    TVXLabelFMX drawing;
    TKVREditor editor;
    editor.SetLabel(&drawing);
    editor.GetGrid()->SetStyle(TKVRGridDraw::gdLines);
    editor.SetSnap(skGrid | skEnd);
    editor.GetRulers()->SetShowSize(true);
    TfSettings settings;
    settings.Ini(&drawing, &editor);
    shoot(settings, "Settings");
    editor.SetLabel(nullptr);

    // The browser on the test library, a category chosen and a symbol selected.
    QTemporaryDir symbols;
    WriteAll(symbols.filePath("parts.lyp"), kSymbolLibrary);
    TVXLabelFMX library;
    BuildEveryKind(library);
    TfSelSymbol browser;
    browser.Ini(&library, symbols.path(), QString());
    browser.show();
    browser.tvCategory->expandAll();
    browser.tvCategory->setCurrentItem(browser.tvCategory->topLevelItem(0));
    QTest::qWait(100);
    TKVRViewLibrary& view = *browser.KVRViewLibrary;
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.Grid().CellRect(1).center());
    QTest::mouseMove(&view, view.Grid().CellRect(1).center());
    shoot(browser, "SelSymbol");
    TVXLabelFMX sheet;
    TKVRMeasure& m = sheet.GetMeasure();
    m.SetWidth(63500);
    m.SetHeight(38100);
    m.SetMarLeft(7000);
    m.SetMarTop(15000);
    m.SetGapX(2500);
    m.SetRows(7);
    m.SetColumns(3);
    sheet.GetPrintInfo().SetFirstRow(2);
    sheet.GetPrintInfo().SetFirstCol(3);
    auto* serial = new TKVRCounter(&sheet);
    serial->Name = "Serial";
    serial->SetNumFrom(5000000000);
    serial->SetNumTo(9000000000);
    serial->SetStep(50000);
    WriteAll(symbols.filePath("items.csv"), "\n\nName;Price;Copies\nTea;2,50;3\n");
    sheet.GetData().LoadCsv(symbols.filePath("items.csv"));
    TfLabelling labelling;
    labelling.Ini(&sheet);
    shoot(labelling, "Labelling");
    labelling.PageLab->setCurrentWidget(labelling.TabPrinting);
    shoot(labelling, "Labelling-Printing");
    labelling.PageLab->setCurrentWidget(labelling.TabData);
    shoot(labelling, "Labelling-Data");
    sheet.SetEditorMode(2);
    m.SetDrawScale(50);
    m.Title = "Pump station";
    TfDrawing drawingSheet;
    drawingSheet.Ini(&sheet);
    shoot(drawingSheet, "Drawing");
    TfJsonData json;
    json.IniDialog(R"({"Items":[{"Name":"bolt","Copies":2}]})");
    shoot(json, "JsonData");
    sheet.AddLayer("Walls");
    sheet.AddLayer("Dimensions");
    TfLayers layers;
    layers.Ini(&sheet);
    layers.lbLayers->setCurrentRow(1);
    shoot(layers, "Layers");
    TfBackMargins margins;
    margins.Ini(&sheet, 1);
    shoot(margins, "BackMargins");

    // The dimension styles: the sample at each text position, then each head.
    sheet.GetDimStyle(0).SetPrefix("L=");
    sheet.GetDimStyle(0).SetSuffix(" mm");
    sheet.GetDimStyle(0).SetDimColor(0xFF1F4E9Cu);
    sheet.GetDimStyle(0).SetFillColor(0xFFF2C14Eu);
    sheet.GetDimStyle(0).SetExtSize(6);
    TfDimStls dims;
    dims.Ini(&sheet);
    for (int pos = 0; pos < dims.cbPosText->count(); ++pos) {
        dims.cbPosText->setCurrentIndex(pos);
        shoot(dims, QString("DimStyles-pos%1").arg(pos).toLatin1().constData());
    }
    dims.cbPosText->setCurrentIndex(1);
    for (int head = 0; head < dims.cbHeadType->count(); ++head) {
        dims.cbHeadType->setCurrentIndex(head);
        shoot(dims, QString("DimStyles-head%1").arg(head).toLatin1().constData());
    }
    // The extremes: everything small, then everything large.
    const auto extreme = [&](float aSize, const char* aName) {
        dims.seFontHeight->setValue(aSize);
        dims.seHeadSize->setValue(aSize);
        dims.seExtSize->setValue(aSize);
        dims.seExtGap->setValue(aSize / 4);
        dims.seDimBreak->setValue(aSize / 8);
        dims.seDimPenWidth->setValue(aSize / 10);
        shoot(dims, aName);
    };
    extreme(0.5f, "DimStyles-small");
    extreme(8.0f, "DimStyles-large");
    dims.show();
    dims.cbHeadType->showPopup();
    QTest::qWait(200);
    if (QWidget* popup = dims.cbHeadType->view()->window()) {
        EXPECT_TRUE(popup->grab().save(QDir(folder).filePath("DimStyles-heads.png")));
    }
    dims.cbHeadType->hidePopup();
    dims.hide();
}
