#include "examples/demo/FlowDemo.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "platform/rtl/label/TKVRBaseLabel.h"

namespace {
constexpr int64_t mm = 1000;

TKVRFlow* Node(TKVRBaseLabel& doc, TKVRFlowType type, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
               const QString& text, TAlphaColor back)
{
    auto* n = new TKVRFlow(&doc, false);
    n->SetFlowType(type);
    n->SetBase(1, x1 * mm, y1 * mm);
    n->SetBase(2, x2 * mm, y2 * mm);
    n->SetText(text);
    n->SetFontHeight(3.5f);
    n->SetColor(0xFF1F4E79u);
    n->SetPenWidth(0.4f);
    n->SetBackColor(back);
    n->SetFilled(true);
    return n;
}

// A caption: a node without outline, only its text.
void Caption(TKVRBaseLabel& doc, int64_t x, int64_t y, const QString& text)
{
    TKVRFlow* c = Node(doc, 15, x, y, x + 16, y + 7, text, 0);
    c->SetFilled(false);
    c->SetPenWidth(0.0f);
    c->SetFontColor(0xFFB22222u);
    c->SetItalic(true);
    c->SetFontHeight(3.0f);
}

TKVRLink* Link(TKVRBaseLabel& doc, TKVRFlow* a, int16_t ia, TKVRFlow* b, int16_t ib, TVXLinkType type)
{
    auto* k = new TKVRLink(&doc, false);
    k->SetFromID(a->GetNumID());
    k->SetToID(b->GetNumID());
    k->SetFromIndex(ia);
    k->SetToIndex(ib);
    k->SetLinkType(type);
    k->SetFromType(0);
    k->SetToType(4);
    k->SetColor(0xFF333333u);
    k->SetPenWidth(0.35f);
    k->SetToColor(0xFF333333u);
    k->CalcValues(0);
    k->CalcLinkPoints(true);
    return k;
}
}  // namespace

void BuildFlowDemo(TKVRBaseLabel& doc)
{
    const TAlphaColor pale = 0xFFE3F2FDu, sand = 0xFFFFF3E0u, mint = 0xFFE8F5E9u;
    TKVRFlow* start = Node(doc, 0, 10, 20, 45, 34, QStringLiteral("Start"), mint);
    TKVRFlow* order = Node(doc, 1, 60, 18, 100, 36, QStringLiteral("Read order"), pale);
    TKVRFlow* check = Node(doc, 4, 112, 14, 158, 40, QStringLiteral("In stock?"), sand);
    TKVRFlow* done = Node(doc, 0, 172, 20, 202, 34, QStringLiteral("End"), mint);
    TKVRFlow* wait = Node(doc, 7, 112, 62, 158, 80, QStringLiteral("Reorder stock"), pale);
    TKVRFlow* log = Node(doc, 5, 56, 62, 104, 80, QStringLiteral("Write log"), sand);
    TKVRFlow* store = Node(doc, 6, 10, 60, 40, 88, QStringLiteral("Orders"), pale);

    Link(doc, start, 2, order, 4, 0);
    Link(doc, order, 2, check, 4, 5);
    Link(doc, check, 2, done, 4, 1);
    Link(doc, check, 3, wait, 1, 0);
    TKVRLink* back = Link(doc, wait, 3, log, 3, 4);
    back->SetLinkPoints({{107 * mm, 93 * mm}});
    back->CalcValues(0);
    Link(doc, log, 4, order, 4, 7);
    Link(doc, log, 3, store, 3, 2);

    Caption(doc, 158, 19, QStringLiteral("yes"));
    Caption(doc, 137, 46, QStringLiteral("no"));
    Caption(doc, 99, 84, QStringLiteral("log"));
    Caption(doc, 44, 42, QStringLiteral("next"));
}
