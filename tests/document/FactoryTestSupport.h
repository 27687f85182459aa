#pragma once
// A document for factory tests, with an active layer whose defaults differ
// from every element's own, so that a default taken (or not) shows.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.Shared.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <gtest/gtest.h>
#include <vector>

namespace FactoryTest {

constexpr TAlphaColor LayerColor = 0xFF123456;
constexpr TAlphaColor LayerBack = 0xFF3399CC;
constexpr int32_t LayerPen = 700;  // micrometres
constexpr TAlphaColor LayerFontColor = 0xFF884422;
constexpr int32_t LayerFontHeight = 4500;  // micrometres
inline const QString LayerFont = QStringLiteral("Courier New");

// Layers 0, 1 and 2; layer 1 is active and carries the test defaults.
inline void SetUpLayers(TKVRBaseLabel& aDoc)
{
    aDoc.AddLayer(QStringLiteral("1"));
    aDoc.AddLayer(QStringLiteral("2"));
    TKVRLayer* l = aDoc.GetLayer(1);
    l->Color = LayerColor;
    l->BackColor = LayerBack;
    l->PenWidth = LayerPen;
    l->FontName = LayerFont;
    l->FontColor = LayerFontColor;
    l->FontHeight = LayerFontHeight;
    l->Bold = true;
    l->Italic = true;
    aDoc.SetActiveLayer(1);
}

inline std::vector<TKVRPto> PointsOf(const TKVRBaseItem* aItem)
{
    return aItem->GetPoints();
}

// One element of every kind, through the document's creators where it has
// them and through the factory for the rest.
inline void AddEveryKind(TVXLabelFMX& aDoc)
{
    const int64_t chain[] = {1000, 2000, 9000, 4000, 5000, 12000};
    TKVRBaseLabel& d = aDoc;
    d.AddBasePoint(1000, 1000);
    d.AddBaseLine(0, 0, 20000, 5000);
    d.AddBaseArrowLine(0, 5000, 20000, 0);
    d.AddBasePolyLine(chain);
    d.AddBaseArc(30000, 30000, 5000, 10.0f, 250.0f);
    d.AddBaseRectangle(1000, 2000, 30000, 15000);
    d.AddBasePolygon(chain);
    d.AddBaseCircle3P(0, 0, 5000, 0, 10000, 0);
    d.AddBaseEllipse(40000, 20000, 8000, 3000);
    d.AddBaseText(5000, 60000);
    d.AddBaseParagraph(5000, 70000, 40000, 20000);
    d.AddBaseBarcode(50000, 5000, QStringLiteral("5901234123457"), TKVRBarType(0));
    d.AddBasePDF417(50000, 30000, QStringLiteral("PDF"));
    d.AddBaseDataMatrix(50000, 50000, QStringLiteral("DM"));
    d.AddBaseQRCode(50000, 70000, QStringLiteral("QR"));
    TKVRFactory::AddBaseImage(&aDoc, 0, 80000, 10000, 10000, QStringLiteral("none.png"));
    TKVRBaseItem* a = d.AddBaseFlow(60000, 0, 20000, 10000, 4);
    TKVRBaseItem* b = d.AddBaseFlow(60000, 40000, 20000, 10000, 1);
    d.AddBaseLink(a->GetNumID(), b->GetNumID(), 3, 1, 2);
    d.AddBaseTable(0, 100000, 50000, 20000);
    d.AddBasePolyText(0, 130000);
    d.AddBaseRank(0, 140000, 30000, 6000);
    d.AddBaseNutriScore(0, 150000, 40000, 15000);
    d.AddBaseLevel(70000, 100000, 8000);
    d.AddBaseSymbol(70000, 130000);
    d.AddBaseBezier(chain);
    d.AddBaseDimAngle(0, 0, 10000, 0, 0, 0, 0, 10000, 3000, -4000);
    d.AddBaseSector3P(0, 0, 4000, 0, 10000, 0, 0.0f, 120.0f);
    d.AddBasePackage(90000, 0, 30000, 20000);
    d.AddBaseRichText(90000, 40000, 30000, 20000);
}

}  // namespace FactoryTest

inline void PrintTo(const TKVRPto& p, std::ostream* os)
{
    *os << "(" << p.X << ", " << p.Y << ")";
}
