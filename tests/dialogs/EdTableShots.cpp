#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/label/TKVRData.h"
#include <QDir>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// Pictures of the column and item editors on a sample table and poly-text,
// for a person to look at (KVR_DIALOG_SHOTS names the folder, as for the
// other dialogs).
TEST(DialogShots, TableAndPolyTextEditors)
{
    const QString folder = qEnvironmentVariable("KVR_DIALOG_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "KVR_DIALOG_SHOTS names no folder";
    QDir().mkpath(folder);
    auto shoot = [&](QWidget& aForm, const QString& aName) {
        aForm.show();
        QTest::qWait(200);
        EXPECT_TRUE(aForm.grab().save(QDir(folder).filePath(aName + ".png")));
    };

    TVXLabelFMX doc;
    doc.GetData().SetJson(R"([{"Item":"Bolt","Qty":1,"Price":0.5}])");
    auto* table = new TKVRTable(&doc, false);
    table->SetDetail(TKVRData::JsonDataset);
    TKVRColumn& qty = table->AddColumn(40.0f);
    qty.SetField("Qty");
    qty.Header.Text = "Qty";
    qty.Header.HorzAlign = TKVRHorzAlign::Center;
    qty.Footer.Filled = true;
    qty.Footer.BackColor = 0x80C04020;
    qty.SetFooter(TKVRFooter::Sum);
    qty.Format = "0.00";
    doc.SelectItem(table, false);
    TfEdTable tableForm;
    tableForm.Ini(&doc);
    for (int page = 0; page < 3; ++page) {
        tableForm.PColumns->setCurrentIndex(page);
        shoot(tableForm, QStringLiteral("EdTable-%1").arg(page));
    }

    auto* poly = new TKVRPolyText(&doc, false);
    poly->AddItem("  Lot 7 ").SetIA("10");
    poly->AddItem("Box");
    doc.SelectItem(poly, false);
    TfEdPoly polyForm;
    polyForm.Ini(&doc);
    shoot(polyForm, QStringLiteral("EdPoly"));
}
