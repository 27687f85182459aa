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
#include <initializer_list>
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

// Points as the creators take them: x1, y1, x2, y2, ...
inline std::vector<int64_t> Flat(std::initializer_list<TKVRPto> aPoints)
{
    std::vector<int64_t> v;
    for (const TKVRPto& p : aPoints) {
        v.push_back(p.X);
        v.push_back(p.Y);
    }
    return v;
}

inline std::vector<TKVRPto> PointsOf(const TKVRBaseItem* aItem)
{
    return aItem->GetPoints();
}

}  // namespace FactoryTest

inline void PrintTo(const TKVRPto& p, std::ostream* os)
{
    *os << "(" << p.X << ", " << p.Y << ")";
}
