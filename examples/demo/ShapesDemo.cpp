#include "examples/demo/ShapesDemo.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRSector.h"
#include "platform/rtl/label/TKVRBaseLabel.h"

namespace {
constexpr int64_t mm = 1000;

template <class T>
T* Styled(T* e, TAlphaColor color, float pen)
{
    e->SetColor(color);
    e->SetPenWidth(pen);
    return e;
}
}  // namespace

void BuildShapesDemo(TKVRBaseLabel& doc)
{
    const TAlphaColor blue = 0xFF1F4E79u, red = 0xFFB22222u, green = 0xFF2E7D32u;

    auto* point = Styled(new TKVRPoint(&doc, false), blue, 0.3f);
    point->SetBase(1, 15 * mm, 15 * mm);

    auto* line = Styled(new TKVRLine(&doc, false), blue, 0.5f);
    line->SetBase(1, 30 * mm, 10 * mm);
    line->SetBase(2, 70 * mm, 25 * mm);
    line->SetLineType(5);

    auto* poly = Styled(new TKVRPolyLine(&doc, 4, false), red, 0.4f);
    const int64_t px[] = {85, 100, 115, 130}, py[] = {25, 10, 25, 10};
    for (int i = 0; i < 4; ++i)
        poly->SetBase(i + 1, px[i] * mm, py[i] * mm);
    TKVRLineEnds ends;
    ends.FromType = 2;
    ends.ToType = 4;
    ends.FromColor = red;
    ends.ToColor = red;
    poly->SetEnds(ends);

    auto* bezier = Styled(new TKVRBezier(&doc, 4, false), green, 0.5f);
    const int64_t bx[] = {145, 155, 175, 190}, by[] = {25, 0, 40, 10};
    for (int i = 0; i < 4; ++i)
        bezier->SetBase(i + 1, bx[i] * mm, by[i] * mm);
    ends.FromType = 0;
    ends.ToType = 3;
    ends.ToColor = green;
    bezier->SetEnds(ends);

    auto* rect = Styled(new TKVRRectangle(&doc, false), blue, 0.6f);
    rect->SetBase(1, 10 * mm, 40 * mm);
    rect->SetBase(2, 55 * mm, 70 * mm);
    rect->SetFilled(true);
    rect->SetBackColor(0xFFDCE9F5u);
    rect->SetRadio(4.0f);

    auto* polygon = Styled(new TKVRPolygon(&doc, 5, false), red, 0.5f);
    const int64_t gx[] = {80, 95, 90, 70, 65}, gy[] = {40, 52, 70, 70, 52};
    for (int i = 0; i < 5; ++i)
        polygon->SetBase(i + 1, gx[i] * mm, gy[i] * mm);
    polygon->SetFilled(true);
    polygon->SetBackColor(0xFFF8D7D3u);

    auto* circle = Styled(new TKVRCircle(&doc, false), green, 0.5f);
    circle->SetCircle(125 * mm, 55 * mm, 15 * mm);
    circle->SetFilled(true);
    circle->SetBackColor(0xFFDDEFD9u);

    auto* ellipse = Styled(new TKVREllipse(&doc, false), blue, 0.5f);
    ellipse->SetEllipse(170 * mm, 55 * mm, 22 * mm, 12 * mm);
    ellipse->SetLineType(2);

    auto* arc = Styled(new TKVRArc(&doc, 20 * mm, 100 * mm, 45 * mm, 80 * mm, 70 * mm, 100 * mm, false), red, 0.6f);
    ends.FromType = 0;
    ends.ToType = 4;
    ends.ToColor = red;
    arc->SetEnds(ends);

    auto* sector = Styled(new TKVRSector(&doc, false), green, 0.4f);
    sector->SetSector(100 * mm, 100 * mm, 18 * mm, 30.0f, 120.0f);
    sector->SetFilled(true);
    sector->SetBackColor(0xFFFFE9A8u);

    auto* arrow = Styled(new TKVRArrowLine(&doc, false), blue, 0.4f);
    arrow->SetBase(1, 130 * mm, 110 * mm);
    arrow->SetBase(2, 190 * mm, 85 * mm);
    ends.FromType = 0;
    ends.ToType = 4;
    ends.ToColor = blue;
    arrow->SetEnds(ends);
    arrow->SetText("Arrow caption");

    auto* linear = Styled(new TKVRDim(&doc, KVRDimType::Horizontal, false), TAlphaColors::Black, 0.25f);
    linear->SetLinear(KVRDimType::Horizontal, 10 * mm, 70 * mm, 55 * mm, 70 * mm, 30 * mm, 80 * mm);

    auto* radius = Styled(new TKVRDim(&doc, KVRDimType::Radial1, false), TAlphaColors::Black, 0.25f);
    radius->SetRadial(KVRDimType::Radial1, 125 * mm, 55 * mm, 15 * mm, 45.0f);

    auto* angle = Styled(new TKVRDim(&doc, KVRDimType::Angular, false), TAlphaColors::Black, 0.25f);
    angle->SetAngular(20 * mm, 150 * mm, 70 * mm, 150 * mm, 20 * mm, 150 * mm, 55 * mm, 125 * mm, 50 * mm, 140 * mm);

    auto* level = Styled(new TKVRLevel(&doc, false), 0xFF2E7D32u, 2.5f);
    level->SetFilled(true);
    level->SetBackColor(0xFFF0F0F0u);
    level->SetLevelCircle(120 * mm, 150 * mm, 18 * mm);
    level->SetLevelType(2);
    level->SetAngleGap(60.0f);
    level->SetMaxValue(100.0f);
    level->SetValue(65.0f);
    level->SetLevelColor(0xFF2E7D32u);
    level->SetText("65 %");

    auto* box = Styled(new TKVRPackage(&doc, false), TAlphaColors::Black, 0.3f);
    box->SetBase(1, 150 * mm, 125 * mm);
    box->SetBase(2, 200 * mm, 175 * mm);
    box->SetStyle(2);
    box->SetSizeLength(40);
    box->SetSizeWidth(30);
    box->SetSizeHeight(20);
    box->SetBoxColor(0xFFE8D3A9u);
}
