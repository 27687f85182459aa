#include "tests/document/LabelTestSupport.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const char* kSymbol = R"({"Version":1,"Name":"Valve","Category":"Tests/Ünits","ID":"{V}","Units":"mm",
  "InsertX":0,"InsertY":0,"Def":[{"Type":"Line","Points":[0,0,5,5]}],"Links":[0,0,5,5]})";

std::shared_ptr<TKVRBaseLibSymbol> Symbol()
{
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    EXPECT_TRUE(symbol->ReadJson(TJsonObject::parse(kSymbol), error)) << error.toStdString();
    return symbol;
}
}  // namespace

void BuildEveryKind(TVXLabelFMX& aDoc)
{
    aDoc.AddLayer("Marks")->Color = 0xFF2040A0u;
    aDoc.SetActiveLayer(1);
    auto* counter = new TKVRCounter(&aDoc);
    counter->Name = "Serial";
    counter->SetStep(2);
    counter->TextBefore = "Nº ";
    aDoc.GetData().SaveJson = true;
    aDoc.GetData().SetJson(R"([{"Name":"Größe Ä"},{"Name":"second"}])");
    aDoc.GetMeasure().Title = "Plan — ĉapelo";
    aDoc.GetBackSurf().SetBackColor(0xFFFFF0C0u);
    aDoc.SetOptions(0x05);
    aDoc.GetSettings().SetTermSize(4.5f);
    {
        auto symbol = std::make_unique<TKVRBaseLibSymbol>();
        QString error;
        EXPECT_TRUE(symbol->ReadJson(TJsonObject::parse(kSymbol), error));
        aDoc.AddSymbol(std::move(symbol), false);
    }

    auto* point = new TKVRPoint(&aDoc, false);
    point->SetBase(1, 1000, 2000);
    auto* line = new TKVRLine(&aDoc, false);
    line->SetBase(1, 0, 0);
    line->SetBase(2, 5000, 7000);
    new TKVRArrowLine(&aDoc, false);
    new TKVRPolyLine(&aDoc, false);
    new TKVRArc(&aDoc, false);
    new TKVRRectangle(&aDoc, false);
    new TKVRPolygon(&aDoc, false);
    new TKVRCircle(&aDoc, false);
    new TKVREllipse(&aDoc, false);
    auto* text = new TKVRText(&aDoc);
    text->SetText("Größe — 日本語 ✓");
    text->SetFillType(1);
    text->SetFillName("Name");
    text->SetID("title");
    auto* para = new TKVRParagraph(&aDoc);
    para->SetText("Ünïcödé paragraph");
    auto* barcode = new TKVRBarcode(&aDoc, false);
    barcode->SetCode("5901234123457");
    barcode->SetFillType(1);
    barcode->SetFillName("Name");
    new TKVRPDF417(&aDoc, false);
    new TKVRDataMatrix(&aDoc, false);
    new TKVRQRCode(&aDoc, false);
    new TKVRImage(&aDoc, false);
    auto* from = new TKVRFlow(&aDoc, false);
    from->SetBase(1, 0, 0);
    from->SetBase(2, 10000, 5000);
    auto* link = new TKVRLink(&aDoc, false);
    link->SetFromID(from->GetNumID());
    link->SetToID(point->GetNumID());
    new TKVRTable(&aDoc, false);
    new TKVRPolyText(&aDoc, false);
    new TKVRRank(&aDoc, false);
    new TKVRNutriScore(&aDoc, false);
    new TKVRLevel(&aDoc, false);
    auto* symbol = new TKVRSymbol(&aDoc, false);
    symbol->SetSymbol(Symbol());
    new TKVRBezier(&aDoc, false);
    new TKVRDim(&aDoc, TVXDimType(0), false);
    new TKVRSector(&aDoc, false);
    new TKVRPackage(&aDoc, false);
    auto* rich = new TKVRRichText(&aDoc);
    rich->SetText("<B>fett</B> ß");
}

std::vector<int32_t> KindsOf(const TKVRBaseLabel& aDoc)
{
    std::vector<int32_t> kinds;
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
        kinds.push_back(aDoc.GetItem(i)->GetKind());
    return kinds;
}

std::string Snapshot(const TKVRBaseLabel& aDoc)
{
    return aDoc.GetJson().dump();
}

QByteArray ReadAll(const QString& aFileName)
{
    QFile f(aFileName);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << aFileName.toStdString();
    return f.readAll();
}

void WriteAll(const QString& aFileName, const QByteArray& aBytes)
{
    QFile f(aFileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(aBytes), aBytes.size());
}

QString RunPython(const QString& aScript, const QStringList& aArgs)
{
    QProcess p;
    p.start("python3", QStringList{"-c", aScript} + aArgs);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
