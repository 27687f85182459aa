// Every kind through the factory: its class and kind code, its points, the
// layer defaults it takes and those it must not take, and the layer order.
#include "tests/document/FactoryTestSupport.h"
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
#include "platform/rtl/text/TKVRMsg.h"
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <typeinfo>

using namespace FactoryTest;

namespace {

// Inputs shared by the rows, in micrometres.
constexpr int64_t X = 10000, Y = 20000, W = 30000, H = 15000, R = 5000;
const int64_t kPoly[] = {1000, 2000, 3000, 4000, 5000, 6000};

struct TFont
{
    QString name;
    float height;
    TAlphaColor color;
    bool bold, italic;
};

// The five font values of the kinds that have them.
std::optional<TFont> FontOf(TKVRBaseItem* e)
{
    if (auto* t = dynamic_cast<TKVRBaseTextItem*>(e))
        return TFont{t->GetFontName(), t->GetFontHeight(), t->GetFontColor(), t->GetBold(), t->GetItalic()};
    if (auto* f = dynamic_cast<TKVRBaseFlow*>(e))
        return TFont{f->GetFontName(), f->GetFontHeight(), f->GetFontColor(), f->GetBold(), f->GetItalic()};
    return std::nullopt;
}

enum TTakes : unsigned { None = 0, Colour = 1, Pen = 2, Back = 4, Font = 8 };

struct TKindRow
{
    const char* name;
    std::function<TKVRBaseItem*(TKVRBaseLabel*)> make;
    const std::type_info& cls;
    int32_t kind;
    std::vector<TKVRPto> points;  // the first points the element must hold
    unsigned takes;
};

#define ROW(name, cls, kind, points, takes, ...)                                                         \
    TKindRow { name, [](TKVRBaseLabel* d) -> TKVRBaseItem* { return TKVRFactory::__VA_ARGS__; }, typeid(cls), \
               KVRItemKind::kind, points, takes }

using P = std::vector<TKVRPto>;
const P kBox{{X, Y}, {X + W, Y + H}};
const P kCircleBox{{X - R, Y - R}, {X + R, Y + R}};
const P kOne{{X, Y}};

const std::vector<TKindRow>& Rows()
{
    static const std::vector<TKindRow> rows{
        ROW("Point", TKVRPoint, Point, kOne, Colour, AddBasePoint(d, X, Y)),
        ROW("Line", TKVRLine, Line, kBox, Colour | Pen, AddBaseLine(d, X, Y, X + W, Y + H)),
        ROW("ArrowLine", TKVRArrowLine, ArrowLine, kBox, Colour | Pen, AddBaseArrowLine(d, X, Y, X + W, Y + H)),
        ROW("PolyLine", TKVRPolyLine, PolyLine, (P{{1000, 2000}, {3000, 4000}, {5000, 6000}}), Colour | Pen,
            AddBasePolyLine(d, kPoly)),
        ROW("Bezier", TKVRBezier, Bezier, (P{{1000, 2000}, {3000, 4000}, {5000, 6000}}), Colour | Pen,
            AddBaseBezier(d, kPoly)),
        ROW("Arc", TKVRArc, Arc, (P{{X + R, Y}, {X + 3536, Y + 3536}, {X, Y + R}}), Colour | Pen,
            AddBaseArc(d, X, Y, R, 0.0f, 90.0f)),
        ROW("Arc3P", TKVRArc, Arc, (P{{X + R, Y}, {X, Y + R}, {X - R, Y}}), Colour | Pen,
            AddBaseArc(d, X + R, Y, X, Y + R, X - R, Y)),
        ROW("Rectangle", TKVRRectangle, Rectangle, kBox, Colour | Pen | Back, AddBaseRectangle(d, X, Y, W, H)),
        ROW("Package", TKVRPackage, Package, kBox, Colour | Pen | Back, AddBasePackage(d, X, Y, W, H)),
        ROW("Polygon", TKVRPolygon, Polygon, (P{{1000, 2000}, {3000, 4000}, {5000, 6000}}), Colour | Pen | Back,
            AddBasePolygon(d, kPoly)),
        ROW("Circle", TKVRCircle, Circle, kCircleBox, Colour | Pen | Back, AddBaseCircle(d, X, Y, R)),
        ROW("Circle2P", TKVRCircle, Circle, kCircleBox, Colour | Pen | Back, AddBaseCircle2P(d, X - R, Y, X + R, Y)),
        ROW("Circle3P", TKVRCircle, Circle, kCircleBox, Colour | Pen | Back,
            AddBaseCircle3P(d, X - R, Y, X, Y - R, X + R, Y)),
        ROW("Sector", TKVRSector, Sector, kCircleBox, Colour | Pen | Back, AddBaseSector(d, X, Y, R, 15.0f, 60.0f)),
        ROW("Sector2P", TKVRSector, Sector, kCircleBox, Colour | Pen | Back,
            AddBaseSector2P(d, X, Y - R, X, Y + R, 15.0f, 60.0f)),
        ROW("Sector3P", TKVRSector, Sector, kCircleBox, Colour | Pen | Back,
            AddBaseSector3P(d, X - R, Y, X, Y + R, X + R, Y, 15.0f, 60.0f)),
        ROW("Level", TKVRLevel, Level, kCircleBox, Colour | Pen | Back, AddBaseLevel(d, X, Y, R)),
        ROW("Ellipse", TKVREllipse, Ellipse, (P{{X - R, Y - 3000}, {X + R, Y + 3000}}), Colour | Pen | Back,
            AddBaseEllipse(d, X, Y, R, 3000)),
        ROW("Text", TKVRText, Text, kOne, Colour | Font, AddBaseText(d, X, Y)),
        ROW("Paragraph", TKVRParagraph, Paragraph, kBox, Colour | Pen | Back | Font, AddBaseParagraph(d, X, Y, W, H)),
        ROW("RichText", TKVRRichText, RichText, kBox, Colour | Pen | Back | Font, AddBaseRichText(d, X, Y, W, H)),
        ROW("Barcode", TKVRBarcode, Barcode, kOne, Colour,
            AddBaseBarcode(d, X, Y, QStringLiteral("5901234123457"), TKVRBarType(0))),
        ROW("PDF417", TKVRPDF417, PDF417, kOne, Colour, AddBasePDF417(d, X, Y, QStringLiteral("PDF"))),
        ROW("DataMatrix", TKVRDataMatrix, DataMatrix, kOne, Colour, AddBaseDataMatrix(d, X, Y, QStringLiteral("DM"))),
        ROW("QRCode", TKVRQRCode, QRCode, kOne, Colour, AddBaseQRCode(d, X, Y, QStringLiteral("QR"))),
        ROW("Image", TKVRImage, Image, kBox, Colour | Pen, AddBaseImage(d, X, Y, W, H, QStringLiteral("pic.png"))),
        ROW("Flow", TKVRFlow, Flow, kBox, Colour | Pen | Back | Font, AddBaseFlow(d, X, Y, W, H, 3)),
        ROW("Link", TKVRLink, Link, P{}, Colour | Pen, AddBaseLink(d, 0, 0, 1, 3, 0)),
        ROW("PolyLink", TKVRLink, Link, (P{{1000, 2000}, {3000, 4000}, {5000, 6000}}), Colour | Pen,
            AddBasePolyLink(d, 0, 0, 1, 3, 6, kPoly)),
        ROW("Table", TKVRTable, Table, kBox, Colour | Pen | Back, AddBaseTable(d, X, Y, W, H)),
        ROW("PolyText", TKVRPolyText, PolyText, (P{{X, Y}, {X, Y}}), Colour, AddBasePolyText(d, X, Y)),
        ROW("Rank", TKVRRank, Rank, kBox, Colour | Pen | Back, AddBaseRank(d, X, Y, W, H)),
        ROW("NutriScore", TKVRNutriScore, NutriScore, kBox, Colour | Pen | Back, AddBaseNutriScore(d, X, Y, W, H)),
        ROW("Symbol", TKVRSymbol, Symbol, kOne, None, AddBaseSymbol(d, X, Y)),
        ROW("Dim", TKVRDim, Dim, (P{{X, Y}, {X + W, Y}}), Colour | Pen, AddBaseDim(d, X, Y, X + W, Y, X, Y - H)),
        ROW("DimAngle", TKVRDim, Dim, (P{{0, 0}, {W, 0}, {0, 0}, {0, W}}), Colour | Pen,
            AddBaseDimAngle(d, 0, 0, W, 0, 0, 0, 0, W, R, R)),
        ROW("DimRadial1", TKVRDim, Dim, (P{{X, Y}, {X + R, Y}}), Colour | Pen, AddBaseDimRadial1(d, X, Y, R, 0.0f)),
        ROW("DimRadial2", TKVRDim, Dim, (P{{X, Y}, {X + R, Y}}), Colour | Pen, AddBaseDimRadial2(d, X, Y, R, 0.0f)),
        ROW("DimDiameter1", TKVRDim, Dim, (P{{X - R, Y}, {X + R, Y}}), Colour | Pen,
            AddBaseDimDiameter1(d, X, Y, R, 0.0f)),
        ROW("DimDiameter2", TKVRDim, Dim, (P{{X - R, Y}, {X + R, Y}}), Colour | Pen,
            AddBaseDimDiameter2(d, X, Y, R, 0.0f)),
    };
    return rows;
}

class FactoryKinds : public ::testing::TestWithParam<size_t>
{
};

TEST_P(FactoryKinds, ClassPointsDefaultsAndLayerOrder)
{
    const TKindRow& row = Rows()[GetParam()];
    SCOPED_TRACE(row.name);
    TKVRSharedFMX doc;
    SetUpLayers(doc);
    // An element on a higher layer first: the new one must sort before it.
    doc.SetActiveLayer(2);
    TKVRBaseItem* above = TKVRFactory::AddBasePoint(&doc, 0, 0);
    doc.SetActiveLayer(1);

    TKVRBaseItem* e = row.make(&doc);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(typeid(*e), row.cls);
    EXPECT_EQ(e->GetKind(), row.kind);
    EXPECT_FALSE(e->GetPreview());
    EXPECT_EQ(e->GetLayer(), 1);
    ASSERT_EQ(doc.GetItemsCount(), 2);
    EXPECT_EQ(doc.GetItem(1), e);
    EXPECT_EQ(doc.GetItem(2), above);

    ASSERT_GE(e->GetPoints().size(), row.points.size());
    if (row.points.empty()) {
        EXPECT_TRUE(e->GetPoints().empty());
    }
    for (size_t i = 0; i < row.points.size(); ++i)
        EXPECT_EQ(e->GetPoints()[i], row.points[i]) << "point " << i + 1;

    EXPECT_EQ(e->GetColor() == LayerColor, (row.takes & Colour) != 0);
    EXPECT_EQ(e->GetBasePenWidth() == LayerPen, (row.takes & Pen) != 0);
    if (auto* filled = dynamic_cast<TKVR2DItem*>(e))
        EXPECT_EQ(filled->GetBackColor() == LayerBack, (row.takes & Back) != 0);
    else
        EXPECT_EQ(row.takes & Back, 0u);
    if (const auto font = FontOf(e)) {
        const bool takes = (row.takes & Font) != 0;
        EXPECT_EQ(font->name == LayerFont, takes);
        EXPECT_EQ(font->height == 4.5f, takes);
        EXPECT_EQ(font->color == LayerFontColor, takes);
        EXPECT_EQ(font->bold, takes);
        EXPECT_EQ(font->italic, takes);
    } else {
        EXPECT_EQ(row.takes & Font, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(All, FactoryKinds, ::testing::Range<size_t>(0, Rows().size()),
                         [](const auto& info) { return std::string(Rows()[info.param].name); });

TEST(FactoryKinds, EveryKindCodeIsMade)
{
    std::set<int32_t> kinds;
    for (const TKindRow& row : Rows())
        kinds.insert(row.kind);
    EXPECT_EQ(kinds.size(), 29u);
}

// The micrometre road leaves the barcode its own font; the unit road gives
// it the layer's. The unit road's poly-text holds one reference point.
TEST(FactoryKinds, BarcodeFontByRoad)
{
    TKVRSharedFMX doc;
    SetUpLayers(doc);
    auto* code = TKVRFactory::AddBaseBarcode(&doc, X, Y, QStringLiteral("ABC-12"), TKVRBarType(4));
    EXPECT_EQ(code->GetBarType(), TKVRBarType(4));
    EXPECT_NE(code->GetFontName(), LayerFont);
    auto* code2 = TKVRFactory::AddBarcode(&doc, 10, 20, QStringLiteral("ABC-12"), TKVRBarType(4));
    EXPECT_EQ(code2->GetFontName(), LayerFont);
    EXPECT_EQ(code2->GetFontHeight(), 4.5f);
    EXPECT_EQ(TKVRFactory::AddPolyText(&doc, 10, 20)->GetPoint(1), (TKVRPto{10000, 20000}));
}

// The document's creators, of the shared document and of the label
// component, are the factory's, with the document as owner.
TEST(FactoryKinds, DocumentCreatorsForward)
{
    TKVRSharedFMX shared;
    TVXLabelFMX label;
    for (TKVRBaseLabel* owner : std::initializer_list<TKVRBaseLabel*>{&shared, &label}) {
        SetUpLayers(*owner);
        TKVRBaseLabel& doc = *owner;
        TKVRBaseItem* line = doc.AddBaseLine(0, 0, 1000, 0);
        EXPECT_EQ(typeid(*line), typeid(TKVRLine));
        EXPECT_EQ(line->GetPoints(), (std::vector<TKVRPto>{{0, 0}, {1000, 0}}));
        EXPECT_EQ(line->GetColor(), LayerColor);
        EXPECT_EQ(line->GetBasePenWidth(), LayerPen);
        EXPECT_EQ(typeid(*doc.AddBaseArc(0, 0, 1000, 0.0f, 90.0f)), typeid(TKVRArc));
        EXPECT_EQ(typeid(*doc.AddBaseArc(0, 0, 1000, 1000, 2000, 0)), typeid(TKVRArc));
        EXPECT_EQ(typeid(*doc.AddBaseSymbol(0, 0)), typeid(TKVRSymbol));
        EXPECT_EQ(doc.AddBaseDimAngle(0, 0, 10, 0, 0, 5, 10, 5, 3, 3), nullptr);
        EXPECT_EQ(doc.GetItemsCount(), 4);
    }

    // The bare model has no element classes to build.
    TKVRBaseLabel model;
    EXPECT_THROW(model.AddBaseLine(0, 0, 1, 1), std::logic_error);
    EXPECT_THROW(model.AddBaseImage(0, 0, 1, 1, false, QString()), std::logic_error);
    EXPECT_EQ(model.GetItemsCount(), 0);
}

// ---------------------------------------------------------------- lists

std::string Text(const char* aKey)
{
    return TKVRMsg::GetErrorValue(QString::fromLatin1(aKey)).toStdString();
}

template <class F>
std::string ErrorOf(F aCall)
{
    try {
        aCall();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

TEST(FactoryLists, ChecksRaiseTheMessageTextsAndCreateNothing)
{
    TKVRSharedFMX doc;
    const int64_t five[] = {1, 2, 3, 4, 5};
    const int64_t four[] = {1, 2, 3, 4};
    const float fivef[] = {1, 2, 3, 4, 5};
    EXPECT_NE(Text("EventNumber"), "EventNumber");
    EXPECT_NE(Text("Polygon"), "Polygon");
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBasePolyLine(&doc, five); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBaseBezier(&doc, five); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBasePolyLink(&doc, 1, 2, 0, 0, 6, five); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddPolyLine(&doc, fivef); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBezier(&doc, fivef); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddPolygon(&doc, fivef); }), Text("EventNumber"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddPolyLink(&doc, 1, 2, 0, 0, 6, fivef); }), Text("EventNumber"));
    // The polygon's minimum is checked first.
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBasePolygon(&doc, four); }), Text("Polygon"));
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBasePolygon(&doc, five); }), Text("Polygon"));
    const int64_t seven[] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(ErrorOf([&] { TKVRFactory::AddBasePolygon(&doc, seven); }), Text("EventNumber"));
    EXPECT_EQ(doc.GetItemsCount(), 0);

    // The unit road's polygon takes two points; an empty list gives a chain without points.
    const float fourf[] = {1, 2, 3, 4};
    EXPECT_EQ(TKVRFactory::AddPolygon(&doc, fourf)->GetPoints(), (std::vector<TKVRPto>{{1000, 2000}, {3000, 4000}}));
    EXPECT_TRUE(TKVRFactory::AddBasePolyLine(&doc, {})->GetPoints().empty());
    EXPECT_EQ(doc.GetItemsCount(), 2);
}

TEST(FactoryLists, MessageTableAnswersKnownAndUnknownKeys)
{
    EXPECT_EQ(TKVRMsg::GetErrorValue(QStringLiteral("No such key")), QStringLiteral("No such key"));
    EXPECT_EQ(TKVRMsg::GetDialogsValue(QStringLiteral("Layers")), QStringLiteral("Layers"));
    EXPECT_FALSE(TKVRMsg::GetErrorValue(QStringLiteral("Polygon")).isEmpty());
}

// ---------------------------------------------------------------- units

struct TUnitRow
{
    const char* name;
    // The same element by the document's unit and by micrometres.
    std::function<TKVRBaseItem*(TKVRBaseLabel*)> unit, base;
};

// Inch inputs and their micrometres.
constexpr float x = 0.5f, y = 1.0f, w = 1.25f, h = 0.75f, r = 0.25f, x2 = 2.0f, y2 = 3.5f, x3 = 4.0f, y3 = 1.0f;
constexpr int64_t bx = 12700, by = 25400, bw = 31750, bh = 19050, br = 6350, bx2 = 50800, by2 = 88900,
                  bx3 = 101600, by3 = 25400;

#define UROW(name, unitCall, baseCall)                                                          \
    TUnitRow { name, [](TKVRBaseLabel* d) -> TKVRBaseItem* { return TKVRFactory::unitCall; }, \
               [](TKVRBaseLabel* d) -> TKVRBaseItem* { return TKVRFactory::baseCall; } }

const float kPolyF[] = {x, y, x2, y2, x3, y3};
const int64_t kPolyB[] = {bx, by, bx2, by2, bx3, by3};

const std::vector<TUnitRow>& UnitRows()
{
    static const std::vector<TUnitRow> rows{
        UROW("Point", AddPoint(d, x, y), AddBasePoint(d, bx, by)),
        UROW("Line", AddLine(d, x, y, x2, y2), AddBaseLine(d, bx, by, bx2, by2)),
        UROW("ArrowLine", AddArrowLine(d, x, y, x2, y2), AddBaseArrowLine(d, bx, by, bx2, by2)),
        UROW("PolyLine", AddPolyLine(d, kPolyF), AddBasePolyLine(d, kPolyB)),
        UROW("Bezier", AddBezier(d, kPolyF), AddBaseBezier(d, kPolyB)),
        UROW("Arc", AddArc(d, x, y, r, 10.0f, 200.0f), AddBaseArc(d, bx, by, br, 10.0f, 200.0f)),
        UROW("Arc3P", AddArc(d, x, y, x2, y2, x3, y3), AddBaseArc(d, bx, by, bx2, by2, bx3, by3)),
        UROW("Rectangle", AddRectangle(d, x, y, w, h), AddBaseRectangle(d, bx, by, bw, bh)),
        UROW("Package", AddPackage(d, x, y, w, h), AddBasePackage(d, bx, by, bw, bh)),
        UROW("Polygon", AddPolygon(d, kPolyF), AddBasePolygon(d, kPolyB)),
        UROW("Circle", AddCircle(d, x, y, r), AddBaseCircle(d, bx, by, br)),
        UROW("Circle2P", AddCircle2P(d, x, y, x2, y2), AddBaseCircle2P(d, bx, by, bx2, by2)),
        UROW("Circle3P", AddCircle3P(d, x, y, x2, y2, x3, y3), AddBaseCircle3P(d, bx, by, bx2, by2, bx3, by3)),
        UROW("Sector", AddSector(d, x, y, r, 5.0f, 80.0f), AddBaseSector(d, bx, by, br, 5.0f, 80.0f)),
        UROW("Sector2P", AddSector2P(d, x, y, x2, y2, 5.0f, 80.0f), AddBaseSector2P(d, bx, by, bx2, by2, 5.0f, 80.0f)),
        UROW("Sector3P", AddSector3P(d, x, y, x2, y2, x3, y3, 5.0f, 80.0f),
             AddBaseSector3P(d, bx, by, bx2, by2, bx3, by3, 5.0f, 80.0f)),
        UROW("Level", AddLevel(d, x, y, r), AddBaseLevel(d, bx, by, br)),
        UROW("Ellipse", AddEllipse(d, x, y, r, w), AddBaseEllipse(d, bx, by, br, bw)),
        UROW("Text", AddText(d, x, y), AddBaseText(d, bx, by)),
        UROW("Paragraph", AddParagraph(d, x, y, w, h), AddBaseParagraph(d, bx, by, bw, bh)),
        UROW("RichText", AddRichText(d, x, y, w, h), AddBaseRichText(d, bx, by, bw, bh)),
        UROW("Barcode", AddBarcode(d, x, y, "123", TKVRBarType(4)), AddBaseBarcode(d, bx, by, "123", TKVRBarType(4))),
        UROW("PDF417", AddPDF417(d, x, y, "A"), AddBasePDF417(d, bx, by, "A")),
        UROW("DataMatrix", AddDataMatrix(d, x, y, "A"), AddBaseDataMatrix(d, bx, by, "A")),
        UROW("QRCode", AddQRCode(d, x, y, "A"), AddBaseQRCode(d, bx, by, "A")),
        UROW("Image", AddImage(d, x, y, w, h, "a.png"), AddBaseImage(d, bx, by, bw, bh, "a.png")),
        UROW("Flow", AddFlow(d, x, y, w, h, 2), AddBaseFlow(d, bx, by, bw, bh, 2)),
        UROW("PolyLink", AddPolyLink(d, 0, 0, 1, 2, 6, kPolyF), AddBasePolyLink(d, 0, 0, 1, 2, 6, kPolyB)),
        UROW("Table", AddTable(d, x, y, w, h), AddBaseTable(d, bx, by, bw, bh)),
        UROW("Rank", AddRank(d, x, y, w, h), AddBaseRank(d, bx, by, bw, bh)),
        UROW("NutriScore", AddNutriScore(d, x, y, w, h), AddBaseNutriScore(d, bx, by, bw, bh)),
        UROW("Symbol", AddSymbol(d, x, y), AddBaseSymbol(d, bx, by)),
        UROW("Dim", AddDim(d, x, y, x3, y3, x2, y2), AddBaseDim(d, bx, by, bx3, by3, bx2, by2)),
        UROW("DimAngle", AddDimAngle(d, 0, 0, x3, y3, 0, 0, x, y2, x2, y2),
             AddBaseDimAngle(d, 0, 0, bx3, by3, 0, 0, bx, by2, bx2, by2)),
        UROW("DimRadial1", AddDimRadial1(d, x, y, r, 1.0f), AddBaseDimRadial1(d, bx, by, br, 1.0f)),
        UROW("DimRadial2", AddDimRadial2(d, x, y, r, 1.0f), AddBaseDimRadial2(d, bx, by, br, 1.0f)),
        UROW("DimDiameter1", AddDimDiameter1(d, x, y, r, 1.0f), AddBaseDimDiameter1(d, bx, by, br, 1.0f)),
        UROW("DimDiameter2", AddDimDiameter2(d, x, y, r, 1.0f), AddBaseDimDiameter2(d, bx, by, br, 1.0f)),
    };
    return rows;
}

class FactoryUnits : public ::testing::TestWithParam<size_t>
{
};

TEST_P(FactoryUnits, InchLandsOnTheSameMicrometres)
{
    const TUnitRow& row = UnitRows()[GetParam()];
    SCOPED_TRACE(row.name);
    TKVRSharedFMX inch, base;
    inch.SetUnits(TKVRUnits::Inch);
    TKVRBaseItem* a = row.unit(&inch);
    TKVRBaseItem* b = row.base(&base);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(typeid(*a), typeid(*b));
    EXPECT_EQ(a->GetKind(), b->GetKind());
    EXPECT_EQ(a->GetPoints(), b->GetPoints());
    EXPECT_FALSE(a->GetPoints().empty());
}

INSTANTIATE_TEST_SUITE_P(All, FactoryUnits, ::testing::Range<size_t>(0, UnitRows().size()),
                         [](const auto& info) { return std::string(UnitRows()[info.param].name); });

// A derived corner is summed before it is converted: 0.1 + 0.2 inch is one
// rounding, not two.
TEST(FactoryUnits, DerivedCornersAndOtherUnits)
{
    TKVRSharedFMX doc;
    doc.SetUnits(TKVRUnits::Centimetre);
    auto* rect = TKVRFactory::AddRectangle(&doc, 1.5f, 2.0f, 3.25f, -1.0f);
    EXPECT_EQ(rect->GetPoint(1), (TKVRPto{15000, 20000}));
    EXPECT_EQ(rect->GetPoint(2), (TKVRPto{47500, 10000}));
    doc.SetUnits(TKVRUnits::Yard);
    EXPECT_EQ(TKVRFactory::AddPoint(&doc, 1.0f, -0.5f)->GetPoint(1), (TKVRPto{914400, -457200}));
}

}  // namespace
