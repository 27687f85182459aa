#pragma once
// What the flowchart node and connector tests share: a document with nodes,
// and a pixel comparison of screen and paper that allows one pixel of shift.
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "tests/elements/ElementTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <QImage>
#include <algorithm>
#include <string>

namespace flowtest {

constexpr int kDpi = 300;
constexpr TAlphaColor kBlue = 0xFF0000FFu;
constexpr TAlphaColor kRed = 0xFFFF0000u;
constexpr TAlphaColor kGreen = 0xFF00A000u;

inline double Px(double aMicrometres)
{
    return aMicrometres * kDpi / 25400.0;
}

inline TKVRFlow* Node(TKVRBaseLabel& l, int64_t x1, int64_t y1, int64_t x2, int64_t y2, TKVRFlowType aType = 1)
{
    auto* n = new TKVRFlow(&l, false);
    n->SetBase(1, x1, y1);
    n->SetBase(2, x2, y2);
    n->SetFlowType(aType);
    n->SetColor(kBlue);
    n->SetBackColor(0xFFFFFFE0u);
    n->SetPenWidth(0.5f);
    return n;
}

inline TKVRLink* Connect(TKVRBaseLabel& l, const TKVRFlow* a, int16_t ia, const TKVRFlow* b, int16_t ib,
                         TVXLinkType aType)
{
    auto* k = new TKVRLink(&l, false);
    k->SetFromID(a->GetNumID());
    k->SetToID(b->GetNumID());
    k->SetFromIndex(ia);
    k->SetToIndex(ib);
    k->SetLinkType(aType);
    k->SetColor(kRed);
    k->SetPenWidth(0.5f);
    return k;
}

// Paints every element of the document on a screen and on a paper surface.
inline TScreenPaper PaintDocument(TKVRBaseLabel& l, int w, int h, bool aScreen = true)
{
    TScreenPaper t;
    if (aScreen) {
        ScreenSurface s(w, h, kDpi);
        for (int i = 1; i <= l.GetItemsCount(); ++i)
            l.GetItem(i)->DrawElement(&s.draw);
        t.Screen = s.Finish().copy();
    }
    PaperSurface p(w, h, kDpi);
    for (int i = 1; i <= l.GetItemsCount(); ++i)
        l.GetItem(i)->PrintElement(&p.draw);
    t.Paper = p.Finish().copy();
    return t;
}

inline bool Inked(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return std::min({qRed(p), qGreen(p), qBlue(p)}) < 160;
}

// Share of a's inked pixels that have an inked pixel of b within aReach pixels.
inline double Covered(const QImage& a, const QImage& b, int aReach = 1)
{
    int total = 0, hit = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!Inked(a, x, y))
                continue;
            ++total;
            bool found = false;
            for (int dy = -aReach; dy <= aReach && !found; ++dy)
                for (int dx = -aReach; dx <= aReach && !found; ++dx) {
                    const int u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < b.width() && v < b.height() && Inked(b, u, v);
                }
            hit += found ? 1 : 0;
        }
    return total == 0 ? 0.0 : double(hit) / total;
}

// Screen and paper agree within a pixel, both ways.
inline ::testing::AssertionResult Twins(const TScreenPaper& t, double aShare = 0.97)
{
    const double s = Covered(t.Screen, t.Paper), p = Covered(t.Paper, t.Screen);
    if (s >= aShare && p >= aShare)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "screen ink on paper " << s << ", paper ink on screen " << p;
}

}  // namespace flowtest
