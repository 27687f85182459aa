#include "examples/demo/RankNutriDemo.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRRank.h"
#include "platform/rtl/label/TKVRBaseLabel.h"

namespace {
constexpr int64_t mm = 1000;

TKVRRank* Rank(TKVRBaseLabel& doc, int64_t x1, int64_t y1, int64_t x2, int64_t y2, TKVRRankType type,
               TKVRRankPos pos, uint16_t position, uint16_t maximum)
{
    auto* e = new TKVRRank(&doc, false);
    e->SetBase(1, x1 * mm, y1 * mm);
    e->SetBase(2, x2 * mm, y2 * mm);
    e->SetRankType(type);
    e->SetRankPos(pos);
    e->SetPosition(position);
    e->SetMaximum(maximum);
    e->SetPenWidth(0.25f);
    return e;
}

TKVRNutriScore* Score(TKVRBaseLabel& doc, int64_t x1, int64_t y1, int64_t x2, int64_t y2, QChar value,
                      TKVRNutriType type)
{
    auto* e = new TKVRNutriScore(&doc, false);
    e->SetBase(1, x1 * mm, y1 * mm);
    e->SetBase(2, x2 * mm, y2 * mm);
    e->SetValue(value);
    e->SetNutriType(type);
    e->SetFilled(true);
    e->SetBackColor(0xFFFFFFFFu);
    e->SetColor(0xFF7F7F7Fu);
    e->SetPenWidth(0.3f);
    return e;
}
}  // namespace

void BuildRankNutriDemo(TKVRBaseLabel& doc)
{
    // Gold stars, four of five.
    Rank(doc, 10, 197, 70, 209, 2, 0, 4, 5)->SetColor(0xFFB8860Bu);

    // Ten round dots, six reached, in green on grey.
    TKVRRank* dots = Rank(doc, 10, 212, 70, 219, 1, 0, 6, 10);
    dots->SetBackColor(0xFF2E7D32u);
    dots->SetColor(0xFF1B5E20u);
    dots->SetGap(0.8f);

    // Rhombi from the right, two of six, the rest left out.
    TKVRRank* rhombi = Rank(doc, 10, 222, 70, 230, 3, 1, 2, 6);
    rhombi->SetBackColor(0xFFB22222u);
    rhombi->SetColor(0xFF7F0000u);
    rhombi->SetDrawEmpty(false);

    // Squares without outline, stacked from the bottom: seven of ten.
    TKVRRank* bar = Rank(doc, 74, 196, 84, 239, 0, 2, 7, 10);
    bar->SetBackColor(0xFF1F4E79u);
    bar->SetEmptyColor(0xFFDCE6F0u);
    bar->SetPenWidth(0.0f);
    bar->SetGap(0.6f);

    // Nutrition scores: across, B current; monochrome, D current, no title;
    // the upright layout with a lower-case e; the row turned a quarter, A current.
    Score(doc, 90, 196, 146, 224, u'B', 0);
    TKVRNutriScore* mono = Score(doc, 90, 226, 146, 239, u'D', 0);
    mono->SetMonochrome(true);
    mono->SetShowTitle(false);
    mono->SetRadio(0.0f);
    mono->SetInnerRadio(0.0f);
    mono->SetPenWidth(0.25f);
    Score(doc, 152, 196, 178, 239, u'e', 1);
    TKVRNutriScore* turned = Score(doc, 184, 196, 204, 239, u'A', 0);
    turned->SetAngle(TKVRAngle::Angle90);
    turned->SetTitle(QStringLiteral("SCORE"));
}
