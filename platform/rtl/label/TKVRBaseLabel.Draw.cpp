// Drawing actions: each collects the points of one element kind, then the
// document's creator makes the element from them (README: actions).
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseDataMatrix.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePDF417.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBasePoint.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/TKVRBaseSymbol.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

// What a drawing action collects: a fixed number of points (0: point by
// point until the right button), its first state and its rubber band.
struct TDrawSpec
{
    uint8_t Action;
    uint8_t Points;
    uint8_t FirstState;
    uint8_t DrawType;  // from the second point on
};

constexpr uint8_t kByPoint = 0;
constexpr uint8_t kBox = 5;

constexpr TDrawSpec kDrawSpecs[] = {
    {3, 1, 2, 0},      // point
    {4, 2, 2, 3},      // line
    {5, 2, 2, 3},      // arrow line
    {6, 2, 2, kBox},   // rectangle
    {7, kByPoint, 2, 3},  // polyline
    {8, 3, 2, 8},      // circle through three points
    {9, kByPoint, 2, 3},  // polygon
    {10, kByPoint, 2, 3}, // Bezier curve
    {11, 2, 2, 6},     // circle: centre and radius
    {12, 2, 2, 7},     // circle on a diameter
    {13, 3, 2, 9},     // arc through three points
    {14, 3, 7, 11},    // ellipse: centre, end of each axis
    {15, 1, 2, 0},     // text, then written in place
    {18, 2, 2, 19},    // ellipse in a box
    {19, 2, 2, kBox},  // paragraph
    {20, 1, 2, 0},     // library symbol
    {24, 2, 2, kBox},  // rich text
    {25, 1, 2, 0},     // barcode
    {26, 1, 2, 0},     // PDF417
    {27, 1, 2, 0},     // Data Matrix
    {28, 1, 2, 0},     // QR code
    {29, 2, 2, kBox},  // table
    {30, 2, 2, 16},    // connector between two anchors
    {31, kByPoint, 2, 17}, // connector with bends
    {32, 1, 2, 0},     // poly-text
    {33, 2, 2, kBox},  // rank
    {34, 2, 2, kBox},  // nutrition score
    {35, 2, 2, 6},     // level: centre and radius
    {36, 3, 2, 6},     // sector: centre, start, end
    {37, 2, 2, kBox},  // package
    {38, 3, 2, 3},     // linear dimension: two points, then its place
    {39, 2, 2, kBox},  // flowchart node (flow type: the action's parameter)
    {47, 2, 2, 3},     // radius dimension: centre, point of the circle
};

const TDrawSpec* DrawSpec(uint8_t aAction)
{
    for (const TDrawSpec& spec : kDrawSpecs)
        if (spec.Action == aAction)
            return &spec;
    return nullptr;
}

// Rubber band of a flowchart node by its outline.
uint8_t FlowDrawType(int32_t aFlowType)
{
    switch (aFlowType) {
    case 0: return 14;  // half-round ends
    case 2: return 12;  // decision
    case 11: return 19; // oval
    default: return kBox;
    }
}

double AngleOf(const TKVRPto& aFrom, const TKVRPto& aTo)
{
    // Clockwise from +x on the y-down surface.
    return std::atan2(double(aTo.Y - aFrom.Y), double(aTo.X - aFrom.X));
}

int64_t LengthOf(const TKVRPto& a, const TKVRPto& b)
{
    return RoundHalfEven(std::hypot(double(b.X - a.X), double(b.Y - a.Y)));
}

// Points that give the action's element no size: two clicks on one spot (a
// click without a drag), a box without width or height, three points no
// circle passes through. Such clicks make nothing; the action starts again.
bool MakesNothing(uint8_t aAction, const std::vector<TKVRPto>& p)
{
    const auto flat = [&p] { return p[0].X == p[1].X || p[0].Y == p[1].Y; };
    int64_t cx, cy, r;
    switch (aAction) {
    case 4: case 5: case 11: case 12: case 35: case 38: case 47:
        return p[0] == p[1];
    case 6: case 18: case 19: case 24: case 29: case 33: case 34: case 37: case 39:
        return flat();
    case 8: case 13:
        return !TDraw2D::CircleThreePoints(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, cx, cy, r);
    case 14:
        return p[1].X == p[0].X || p[2].Y == p[0].Y;
    case 36:
        return p[0] == p[1] || p[0] == p[2];
    default:
        return false;
    }
}

} // namespace

bool TKVRBaseLabel::IsDrawAction(uint8_t aAction)
{
    return DrawSpec(aAction) != nullptr;
}

void TKVRBaseLabel::StartAction(uint8_t aAction, int32_t aParam)
{
    const TDrawSpec* spec = DrawSpec(aAction);
    // Only selecting is left to a document that may not be edited.
    if (aAction != TAct::ActSelect && (!spec || !fEditable))
        return;
    TEditBracket edit(*this);
    if (GetTextObject())
        EndText();
    fAct.Reset();
    fAct.SetCurAction(aAction);
    fAct.fParam = aParam;
    fRefLines.clear();
    if (spec)
        fAct.SetState(spec->FirstState);
    if (aAction == TAct::ActLink || aAction == TAct::ActPolyLink)
        fAct.fCurLinkType = uint8_t(aParam);
    if (aAction == TAct::ActSymbol) {
        // The editor asks for the symbol first (change 20); AddSymbol(symbol, true) then lets it be placed.
        fAct.SetState(12);
        Notify(KVRChange::PickSymbol);
        return;
    }
    Notify(aAction == TAct::ActSelect ? KVRChange::Reset : KVRChange::Action);
}

void TKVRBaseLabel::DrawClick(int64_t x, int64_t y, TEditBracket& aEdit)
{
    const TDrawSpec* spec = DrawSpec(fAct.fCurAction);
    if (!spec || fAct.fCurState == 12)
        return;
    const uint8_t action = fAct.fCurAction;
    const bool link = action == TAct::ActLink || action == TAct::ActPolyLink;
    // A connector starts and ends on an anchor: x is then the node and y the
    // anchor; state 10 (set by the editor) says the end anchor was hit.
    const bool onAnchor = action == TAct::ActLink || fAct.NumPoints() == 0 || fAct.fCurState == 10;
    if (link && onAnchor && (x < 1 || x > INT32_MAX || !FindNumID(int32_t(x))))
        return;
    fAct.AddPoint(x, y);
    const bool done = (spec->Points != kByPoint && fAct.NumPoints() >= spec->Points) ||
                      (action == TAct::ActPolyLink && fAct.fCurState == 10);
    if (done) {
        Drawn(MakeDrawn(aEdit), aEdit);
        return;
    }
    // The next state, and the rubber band from the first point on.
    if (spec->Points == kByPoint)
        fAct.SetState(5);
    else
        fAct.SetState(uint8_t(fAct.fCurState + 1));
    fAct.fDrawType = action == 39 ? FlowDrawType(fAct.fParam) : spec->DrawType;
    if (action == 38 && fAct.NumPoints() == 2)
        fAct.fDrawType = 23;
    fAct.fCurEditor = false;
    Notify(KVRChange::State);
}

TKVRBaseItem* TKVRBaseLabel::CreateDrawn()
{
    const std::vector<TKVRPto>& p = fAct.GetPoints();
    const auto flat = [&p](size_t aFirst, size_t aCount) {
        std::vector<int64_t> v;
        for (size_t i = aFirst; i < aFirst + aCount && i < p.size(); ++i) {
            v.push_back(p[i].X);
            v.push_back(p[i].Y);
        }
        return v;
    };
    const auto box = [&p](auto aMake) {
        return aMake(std::min(p[0].X, p[1].X), std::min(p[0].Y, p[1].Y), std::abs(p[1].X - p[0].X),
                     std::abs(p[1].Y - p[0].Y));
    };
    if (MakesNothing(fAct.fCurAction, p))
        return nullptr;
    switch (fAct.fCurAction) {
    case 3: return AddBasePoint(p[0].X, p[0].Y);
    case 4: return AddBaseLine(p[0].X, p[0].Y, p[1].X, p[1].Y);
    case 5: return AddBaseArrowLine(p[0].X, p[0].Y, p[1].X, p[1].Y);
    case 6: return box([this](auto... a) { return AddBaseRectangle(a...); });
    case 7: {
        if (p.size() < 2)
            return nullptr;
        const std::vector<int64_t> v = flat(0, p.size());
        return AddBasePolyLine(v);
    }
    case 8: return AddBaseCircle3P(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
    case 9: {
        if (p.size() < 3)
            return nullptr;
        const std::vector<int64_t> v = flat(0, p.size());
        return AddBasePolygon(v);
    }
    case 10: {
        // Whole spans only: a start point and three points per span.
        const size_t spans = p.empty() ? 0 : (p.size() - 1) / 3;
        if (spans == 0)
            return nullptr;
        const std::vector<int64_t> v = flat(0, 1 + 3 * spans);
        return AddBaseBezier(v);
    }
    case 11: return AddBaseCircle(p[0].X, p[0].Y, LengthOf(p[0], p[1]));
    case 12: return AddBaseCircle2P(p[0].X, p[0].Y, p[1].X, p[1].Y);
    case 13: return AddBaseArc(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
    case 14: return AddBaseEllipse(p[0].X, p[0].Y, std::abs(p[1].X - p[0].X), std::abs(p[2].Y - p[0].Y));
    case 15: return AddBaseText(p[0].X, p[0].Y);
    case 18:
        return box([this](int64_t x, int64_t y, int64_t w, int64_t h) {
            return AddBaseEllipse(x + w / 2, y + h / 2, w / 2, h / 2);
        });
    case 19: return box([this](auto... a) { return AddBaseParagraph(a...); });
    case 20: return AddBaseSymbol(p[0].X, p[0].Y);
    case 24: return box([this](auto... a) { return AddBaseRichText(a...); });
    case 25: return AddBaseBarcode(p[0].X, p[0].Y, fAct.fText, TKVRBarType(fAct.fParam));
    case 26: return AddBasePDF417(p[0].X, p[0].Y, fAct.fText);
    case 27: return AddBaseDataMatrix(p[0].X, p[0].Y, fAct.fText);
    case 28: return AddBaseQRCode(p[0].X, p[0].Y, fAct.fText);
    case 29: return box([this](auto... a) { return AddBaseTable(a...); });
    case 30:
        return AddBaseLink(int32_t(p[0].X), int32_t(p[1].X), int16_t(p[0].Y), int16_t(p[1].Y), fAct.fCurLinkType);
    case 31: {
        if (p.size() < 2)
            return nullptr;
        const std::vector<int64_t> bends = flat(1, p.size() - 2);
        return AddBasePolyLink(int32_t(p.front().X), int32_t(p.back().X), int16_t(p.front().Y),
                               int16_t(p.back().Y), fAct.fCurLinkType, bends);
    }
    case 32: return AddBasePolyText(p[0].X, p[0].Y);
    case 33: return box([this](auto... a) { return AddBaseRank(a...); });
    case 34: return box([this](auto... a) { return AddBaseNutriScore(a...); });
    case 35: return AddBaseLevel(p[0].X, p[0].Y, LengthOf(p[0], p[1]));
    case 36: {
        const double start = AngleOf(p[0], p[1]) * 180.0 / std::numbers::pi;
        double sweep = AngleOf(p[0], p[2]) * 180.0 / std::numbers::pi - start;
        while (sweep <= 0.0)
            sweep += 360.0;
        return AddBaseSector(p[0].X, p[0].Y, LengthOf(p[0], p[1]), float(start), float(sweep));
    }
    case 37: return box([this](auto... a) { return AddBasePackage(a...); });
    case 38: return AddBaseDim(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
    case 39:
        return box([this](int64_t x, int64_t y, int64_t w, int64_t h) {
            return AddBaseFlow(x, y, w, h, TKVRFlowType(fAct.fParam));
        });
    case 47: return AddBaseDimRadial1(p[0].X, p[0].Y, LengthOf(p[0], p[1]), float(AngleOf(p[0], p[1])));
    default: return nullptr;
    }
}

TKVRBaseItem* TKVRBaseLabel::MakeDrawn(TEditBracket& aEdit)
{
    try {
        TKVRBaseItem* item = CreateDrawn();
        if (item) {
            aEdit.Added(item);
            ReadBack(*item);
        }
        return item;
    } catch (const EKVRDataError&) {
        // Every point lies within the coordinate range (the editor and the
        // holds see to that); what the kind builds from them does not.
        throw EKVRCoordRange(TKVRMsg::GetErrorValue(QStringLiteral("CoordRange")).toStdString());
    }
}

void TKVRBaseLabel::Drawn(TKVRBaseItem* aItem, TEditBracket& aEdit)
{
    const uint8_t action = fAct.fCurAction;
    if (!aItem) {
        // Too few points for the kind: nothing is made, the action starts again.
        const TDrawSpec* spec = DrawSpec(action);
        fAct.ClearPoints();
        fAct.fDrawType = 0;
        fAct.SetState(spec ? spec->FirstState : 0);
        Notify(KVRChange::State);
        return;
    }
    aEdit.Added(aItem);
    SetModified(true);
    Notify(KVRChange::List);
    SelectItem(aItem, false);
    if (action == TAct::ActWriteText) {
        // The new text is written in place from an empty text.
        if (auto* text = dynamic_cast<TKVRBaseText*>(aItem))
            text->SetText(QString());
        fAct.ClearPoints();
        fAct.SetState(11);
        fAct.fDrawType = 10;
        fAct.fText.clear();
        Notify(KVRChange::StartText);
        return;
    }
    fAct.Reset();
    Notify(KVRChange::Reset);
}

// ---------------------------------------------------------------- connectors

bool TKVRBaseLabel::SearchLink(int64_t x, int64_t y, TVXLink& aLink)
{
    return SearchLink(x, y, fLastGap, aLink);
}

bool TKVRBaseLabel::SearchLink(int64_t x, int64_t y, int64_t aGap, TVXLink& aLink)
{
    aLink.Found = false;
    double best = double(std::max<int64_t>(aGap, 0));
    for (int32_t i = GetItemsCount(); i >= 1; --i) {
        TKVRBaseItem* item = GetItem(i);
        const auto* target = item->QueryInterface<IKVRLinkTarget>();
        if (!target || item->GetPreview() || item->GetNumID() <= 0)
            continue;
        int32_t anchors = 0;
        if (item->GetKind() == KVRItemKind::Symbol) {
            const TKVRBaseLibSymbol* symbol = static_cast<TKVRBaseSymbol*>(item)->GetSymbol();
            anchors = symbol ? symbol->GetNumLinks() + 1 : 1;
        } else {
            anchors = TKVRBaseFlow::AnchorCount;
        }
        for (int32_t a = 0; a < anchors; ++a) {
            const TKVRPto at = target->GetAnchor(uint16_t(a));
            const double d = std::hypot(double(at.X - x), double(at.Y - y));
            if (d <= best) {
                best = d;
                aLink.Found = true;
                aLink.Node = item->GetNumID();
                (fAct.fCurState == 2 ? aLink.AnchorA : aLink.AnchorB) = int16_t(a);
                aLink.X = at.X;
                aLink.Y = at.Y;
            }
        }
        if (aLink.Found)
            return true;
    }
    return false;
}
