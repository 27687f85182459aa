#include "elements/TKVRSymbol.h"
#include "elements/TKVRLine.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/elements/FlowLinkTestSupport.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/elements/SymbolTestSupport.h"
#include <cmath>
#include <limits>
#include <numbers>

using namespace shape;

namespace {

// A gauge face: dashed frame, filled outline built as one path, a circle,
// an arc, a Bezier curve and two texts, red and blue, with two link points.
const char* kFace = R"([
  {"Type":"PenWidth","Value":0.4},{"Type":"FColor","Value":4278190335},{"Type":"LineType","Value":3},
  {"Type":"Rectangle","Points":[0,0,30,16]},
  {"Type":"LineType","Value":0},{"Type":"Fill","Value":true},{"Type":"BColor","Value":4294901760},
  {"Type":"Path","Value":true},{"Type":"Line","Points":[4,12,10,4]},{"Type":"Polyline","Points":[14,6,18,12]},
  {"Type":"Path","Value":false},
  {"Type":"Fill","Value":false},{"Type":"Circle","Center":[24,8],"Radius":3},
  {"Type":"Arc","Center":[24,8],"Radius":5,"Start":180,"Sweep":90},
  {"Type":"Bezier","Points":[2,15,8,10,12,18,20,14]},
  {"Type":"FontHeight","Value":3},{"Type":"FontColor","Value":4278190335},
  {"Type":"Text","Text":"Gauge","Point":[15,2],"HAlign":1,"VAlign":0},
  {"Type":"FontScale","Value":1.5},{"Type":"Text","Text":"Up","Point":[29,15],"Angle":90,"HAlign":0,"VAlign":2}])";

TKVRSymbol* Place(TKVRBaseLabel& aLabel, const std::shared_ptr<TKVRBaseLibSymbol>& aSymbol, int64_t aX, int64_t aY,
                  float aScale, double aDegrees)
{
    auto* e = new TKVRSymbol(&aLabel, false);
    e->SetBase(1, aX, aY);
    e->SetScale(aScale);
    e->SetAngleRad(aDegrees * std::numbers::pi / 180.0);
    e->SetSymbol(aSymbol);
    return e;
}

// Thickness of the ink in a column, in pixels.
int InkRun(const QImage& aImage, int aColumn)
{
    int n = 0;
    for (int y = 0; y < aImage.height(); ++y)
        n += CountLeaning(aImage.copy(aColumn, y, 1, 1), kBlack) ? 1 : 0;
    return n;
}

}  // namespace

TEST(SymbolElement, ScreenAndPaperAreTwins)
{
    auto face = MakeSymbol(kFace, R"(,"Links":[0,8,30,8])");
    struct TCase
    {
        float Scale;
        double Angle;
        const char* Name;
    };
    for (const TCase c : {TCase{1.0f, 0.0, "plain"}, TCase{1.5f, 0.0, "scaled"}, TCase{1.2f, 90.0, "turned"},
                          TCase{1.0f, -30.0, "tilted"}}) {
        TKVRBaseLabel label;
        Place(label, face, 6000, c.Angle == 90.0 ? 2000 : 6000, c.Scale, c.Angle)
            ->SetBase(1, c.Angle == 90.0 ? 44000 : 6000, c.Angle == 90.0 ? 2000 : 10000);
        const TScreenPaper t = Paint(*label.GetItem(1), QStringLiteral("symbol-twin-%1").arg(c.Name));
        EXPECT_GT(InkCount(t.Screen), 2000) << c.Name;
        EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2)) << c.Name;
        EXPECT_TRUE(flowtest::Twins(t)) << c.Name;
        // Blue outlines and the red fill both on each side, in the same place.
        for (const TAlphaColor colour : {kBlue, kRed})
            EXPECT_TRUE(SameBox(LeaningBounds(t.Screen, colour), LeaningBounds(t.Paper, colour), 2)) << c.Name;
    }
}

TEST(SymbolElement, OriginScaleTurnAndInsertionPointPlaceTheSymbol)
{
    // A 10 mm line along x from the symbol's origin, insertion point (0, 0).
    auto bar = MakeSymbol(R"([{"Type":"PenWidth","Value":0.5},{"Type":"Line","Points":[0,0,10,0]}])");
    TKVRBaseLabel label;
    auto* e = Place(label, bar, 10000, 5000, 2.0f, 0.0);
    const QRect ink = InkBounds(Paint(*e).Screen);
    EXPECT_NEAR(ink.left(), Px(10000), 1.5);
    EXPECT_NEAR(ink.right(), Px(30000), 1.5);
    EXPECT_NEAR(ink.center().y(), Px(5000), 1.5);
    e->SetAngleRad(std::numbers::pi / 2);  // clockwise on the page: the line runs down
    // A cross about its insertion point (5, 5) lands on point 1.
    auto cross = MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Line","Points":[5,0,5,10]},
        {"Type":"Line","Points":[0,5,10,5]}])", R"(,"InsertX":5,"InsertY":5)");
    auto* c = Place(label, cross, 25000, 15000, 1.0f, 0.0);
    for (const QImage& img : {Paint(*e).Screen, Paint(*e).Paper}) {
        const QRect r = InkBounds(img);
        EXPECT_NEAR(r.top(), Px(5000), 1.5);
        EXPECT_NEAR(r.bottom(), Px(25000), 1.5);
        EXPECT_NEAR(r.center().x(), Px(10000), 1.5);
    }
    for (const QImage& img : {Paint(*c).Screen, Paint(*c).Paper}) {
        const QRect r = InkBounds(img);
        EXPECT_NEAR(r.center().x(), Px(25000), 1.5);
        EXPECT_NEAR(r.center().y(), Px(15000), 1.5);
    }
}

TEST(SymbolElement, PaperFollowsTheScreenPenFontScaleAndLineTypes)
{
    // Unscaled and scaled pens at scale 3: paper as thick as the screen.
    for (const bool scalePen : {false, true}) {
        auto bar = MakeSymbol(std::string(R"([{"Type":"ScalePen","Value":)") + (scalePen ? "true" : "false") +
                              R"(},{"Type":"PenWidth","Value":0.5},{"Type":"Line","Points":[0,0,10,0]}])");
        TKVRBaseLabel label;
        auto* e = Place(label, bar, 5000, 10000, 3.0f, 0.0);
        const TScreenPaper t = Paint(*e);
        const int column = int(Px(20000));
        const double expected = Px(500) * (scalePen ? 3.0 : 1.0);
        EXPECT_NEAR(InkRun(t.Screen, column), expected, 2.0) << scalePen;
        EXPECT_NEAR(InkRun(t.Paper, column), expected, 2.0) << scalePen;
    }
    // Stretched text keeps its height on paper too.
    auto words = MakeSymbol(R"([{"Type":"FontHeight","Value":6},{"Type":"FontScale","Value":2},
        {"Type":"Text","Text":"HHHH","Point":[0,0]}])");
    TKVRBaseLabel label;
    auto* e = Place(label, words, 4000, 4000, 1.0f, 0.0);
    const TScreenPaper t = Paint(*e);
    const QRect s = InkBounds(t.Screen), p = InkBounds(t.Paper);
    EXPECT_NEAR(p.height(), s.height(), 2);
    EXPECT_NEAR(p.width(), s.width(), 3);
    EXPECT_GT(s.width(), 2 * s.height()) << "stretched across";

    // A dashed rectangle keeps its dashes on paper.
    auto frame = MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"LineType","Value":2},
        {"Type":"Rectangle","Points":[0,0,40,20]}])");
    auto* f = Place(label, frame, 5000, 5000, 1.0f, 0.0);
    const TScreenPaper d = Paint(*f);
    const int row = int(Px(5000));
    const QRect topEdge(int(Px(5000)), row - 2, int(Px(40000)), 5);
    const int screenInk = PixelCount(d.Screen, topEdge, [](QRgb c) { return qRed(c) < 128; });
    const int paperInk = PixelCount(d.Paper, topEdge, [](QRgb c) { return qRed(c) < 128; });
    const int solid = int(Px(40000)) * int(Px(300));
    EXPECT_LT(screenInk, solid * 9 / 10);
    EXPECT_LT(paperInk, solid * 9 / 10) << "dashes, not a solid outline";
    EXPECT_NEAR(paperInk, screenInk, screenInk / 5);
}

TEST(SymbolElement, HairlinesAndDashesWithoutPenWidthPrint)
{
    // Line, arc, Bezier and open polyline with pen width 0 and a line type:
    // a solid hairline on paper, as on screen.
    auto thin = MakeSymbol(R"([{"Type":"PenWidth","Value":0},{"Type":"LineType","Value":4},
        {"Type":"Line","Points":[0,0,30,0]},{"Type":"Arc","Center":[10,10],"Radius":5,"Start":0,"Sweep":180}])");
    TKVRBaseLabel label;
    auto* e = Place(label, thin, 5000, 5000, 1.0f, 0.0);
    const TScreenPaper t = Paint(*e);
    EXPECT_GT(InkCount(t.Paper), 100);
    EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2));
}

TEST(SymbolElement, ScaleOfZeroOrNotANumberPaintsNothing)
{
    auto bar = MakeSymbol(R"([{"Type":"PenWidth","Value":0.5},{"Type":"Line","Points":[0,0,10,0]}])");
    for (const float scale : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
        TKVRBaseLabel label;
        auto* e = Place(label, bar, 5000, 5000, scale, 0.0);
        const TScreenPaper t = Paint(*e);
        EXPECT_EQ(InkCount(t.Screen), 0) << scale;
        EXPECT_EQ(InkCount(t.Paper), 0) << scale;
    }
    // Without a symbol nothing is painted, and the next element lands in its place.
    TKVRBaseLabel label;
    auto* none = Place(label, nullptr, 5000, 5000, 2.0f, 45.0);
    auto* line = new TKVRLine(&label, false);
    line->SetBase(1, 10000, 20000);
    line->SetBase(2, 30000, 20000);
    ScreenSurface s(kWidth, kHeight, kDpi);
    none->DrawElement(&s.draw);
    line->DrawElement(&s.draw);
    const QRect r = InkBounds(s.Finish());
    EXPECT_NEAR(r.left(), Px(10000), 2);
    EXPECT_NEAR(r.right(), Px(30000), 2);
}

// A damaged definition is refused with the number of the item at fault.
TEST(SymbolElement, DamagedDefinitionNamesTheItem)
{
    TKVRBaseLabel label;
    TJsonObject j = Place(label, MakeSymbol(kFace), 12000, 9000, 1.0f, 0.0)->WriteJson();
    j["Symbol"]["Def"][3]["Points"] = "x";
    const int count = label.GetItemsCount();
    try {
        TKVRSymbol::ReadFromJson(&label, KVRFileVersion, j);
        ADD_FAILURE() << "a damaged definition was read";
    } catch (const std::exception& ex) {
        EXPECT_NE(std::string(ex.what()).find("Item 4"), std::string::npos) << ex.what();
    }
    EXPECT_EQ(label.GetItemsCount(), count);
}

TEST(SymbolElement, LinkPointsAreAnchorsWhereTheElementPutsThem)
{
    auto box = MakeSymbol(R"([{"Type":"Rectangle","Points":[0,0,20,10]}])", R"(,"InsertX":10,"InsertY":5,"Links":[0,5,20,5,10,0])");
    TKVRBaseLabel label;
    auto* e = Place(label, box, 50000, 40000, 2.0f, 90.0);
    IKVRLinkTarget* target = e->QueryInterface<IKVRLinkTarget>();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetAnchor(0), (TKVRPto{50000, 40000}));
    // Left end (-10 mm from the insertion point) doubled and turned clockwise: 20 mm up.
    EXPECT_EQ(target->GetAnchor(1), (TKVRPto{50000, 20000}));
    EXPECT_EQ(target->GetAnchor(2), (TKVRPto{50000, 60000}));
    EXPECT_EQ(target->GetAnchor(3), (TKVRPto{60000, 40000}));
    EXPECT_EQ(target->GetAnchor(4), (TKVRPto{50000, 40000})) << "beyond the links: the insertion point";
    // Bounds follow the turned, scaled symbol (20 x 40 mm about point 1).
    const TKVRRect b = e->GetBounds();
    EXPECT_NEAR(double(b.Left), 40000, 200);
    EXPECT_NEAR(double(b.Right), 60000, 200);
    EXPECT_NEAR(double(b.Top), 20000, 200);
    EXPECT_NEAR(double(b.Bottom), 60000, 200);
}

TEST(SymbolElement, LayerGivesTheDefaultsUntilAnItemChangesThem)
{
    TKVRBaseLabel label;
    TKVRLayer* layer = label.GetLayer(0);
    layer->Color = kRed;
    layer->PenWidth = 800;
    auto symbol = MakeSymbol(R"([{"Type":"Line","Points":[0,0,20,0]},
        {"Type":"FColor","Value":4278190335},{"Type":"Line","Points":[0,10,20,10]}])");
    auto* e = Place(label, symbol, 5000, 5000, 1.0f, 0.0);
    const TScreenPaper t = Paint(*e);
    for (const QImage& img : {t.Screen, t.Paper}) {
        const QRect red = LeaningBounds(img, kRed), blue = LeaningBounds(img, kBlue);
        EXPECT_NEAR(red.center().y(), Px(5000), 1.5);
        EXPECT_NEAR(blue.center().y(), Px(15000), 1.5);
        EXPECT_NEAR(red.height(), Px(800), 2.0) << "the layer's pen";
    }
    // The next paint starts from the layer again, not from the blue left over.
    EXPECT_EQ(LeaningBounds(Paint(*e).Screen, kRed), LeaningBounds(t.Screen, kRed));
}

TEST(SymbolElement, ExtremeScalesAndAnglesPaintSafely)
{
    auto face = MakeSymbol(kFace, R"(,"Links":[0,8,30,8])");
    const float inf = std::numeric_limits<float>::infinity();
    struct TCase
    {
        float Scale;
        double Angle;
        bool Paints;
    };
    for (const TCase c : {TCase{1.0e-30f, 0.0, false}, TCase{1.0e30f, 30.0, false}, TCase{inf, 0.0, false},
                          TCase{1.0f, std::numeric_limits<double>::quiet_NaN(), true},
                          TCase{1.0f, std::numeric_limits<double>::infinity(), true}, TCase{1.0f, 1.0e12, true}}) {
        TKVRBaseLabel label;
        auto* e = Place(label, face, 20000, 16000, c.Scale, 0.0);
        e->SetAngleRad(c.Angle);
        const TScreenPaper t = Paint(*e);
        EXPECT_EQ(InkCount(t.Screen) > 0, c.Paints) << c.Scale << " " << c.Angle;
        EXPECT_EQ(InkCount(t.Paper) > 0, c.Paints) << c.Scale << " " << c.Angle;
        if (c.Paints) {
            EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2)) << c.Angle;
        }
        const TKVRPto anchor = e->GetAnchor(1);
        EXPECT_LE(std::abs(anchor.X), KVRMaxCoordinate);
    }
}
