// Every element kind through its own class-level readers: binary and JSON
// round trips of an element with values other than the defaults, the preview
// flag, damaged records and values no element can hold, and painting that
// leaves the element as it was.
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
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
#include "platform/rtl/model/KVR.Model.Records.h"
#include "tests/elements/FlowLinkTestSupport.h"
#include "tests/elements/SymbolTestSupport.h"
#include <QBuffer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using JsonReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, const TJsonObject&)>;
using MakeFn = std::function<TKVRBaseItem*(TKVRBaseLabel&)>;

struct TKindCase
{
    const char* Name;
    MakeFn Make;  // an element with values other than the defaults
    BinaryReadFn Read;
    JsonReadFn ReadJson;
    std::function<void(const TKVRBaseItem&)> CheckCopy;  // what the copy must carry beyond equal records
};

const TKVRLineEnds kEnds{4, 9, 0xFFFF0000u, 0xFF00FF00u, 2.5f, 1.25f};
const TKVRFontInfo kFont{QStringLiteral("Liberation Serif"), 0xFF0000FFu, 4200, true, false, true};

// A kind whose element is made by aNew and filled by aFill, with the pen of
// an element that is not new.
template <class T>
TKindCase Kind(const char* aName, std::function<void(T&)> aFill,
               std::function<T*(TKVRBaseLabel&)> aNew = [](TKVRBaseLabel& l) { return new T(&l, false); },
               std::function<void(const T&)> aCheck = nullptr)
{
    return {aName,
            [=](TKVRBaseLabel& l) -> TKVRBaseItem* {
                T* e = aNew(l);
                e->SetColor(0xFF123456u);
                e->SetPenWidth(0.7f);
                e->SetLineType(5);
                e->SetState(1);
                e->SetOptions(0x10);
                aFill(*e);
                return e;
            },
            &T::Read, &T::ReadFromJson,
            [=](const TKVRBaseItem& c) {
                const T* t = dynamic_cast<const T*>(&c);
                ASSERT_NE(t, nullptr) << "read as another class";
                if (aCheck)
                    aCheck(*t);
            }};
}

template <class T>
T* NewText(TKVRBaseLabel& l)
{
    return new T(&l);
}

// The fields all three text kinds share, set away from their defaults.
template <class T>
void FillText(T& t)
{
    t.SetText(QStringLiteral("Visible"));
    t.SetBase(1, 12000, -3000);
    if constexpr (!std::is_same_v<T, TKVRText>)
        t.SetBase(2, 65000, 25000);
    t.SetBaseFontHeight(4000);
    t.SetFontName(QStringLiteral("Liberation Serif"));
    t.SetBold(true);
    t.SetItalic(true);
    t.SetUnderline(true);
    t.SetStrikeout(true);
    t.SetFontColor(0xFF102030);
    t.SetAngle(TKVRAngle::Angle270);
    t.SetHorzAlign(TKVRHorzAlign::Right);
    t.SetVertAlign(TKVRVertAlign::Center);
    t.SetBasePadX(700);
    t.SetBasePadY(300);
    t.SetBaseRadio(1500);
    t.SetFilled(true);
    t.SetAlpha(0);
    t.SetBackColor(0xFFEEDDCC);
    t.SetFillType(2);
    t.SetFillName(QStringLiteral("Price"));
    t.SetFormat(QStringLiteral("#,##0.00"));
    if constexpr (std::is_same_v<T, TKVRText>) {
        t.SetScale(2.0f);
        t.SetMaxWidth(40000);
    } else {
        t.SetScaleX(2.0f);
        t.SetAutoGrow(true);
        t.SetAutoShrink(true);
    }
}

// The fields the three 2-D symbols share.
template <class T>
void Fill2D(T& s)
{
    s.SetCode(QStringLiteral("Stream \u00E9 \u20AC"));
    s.SetBase(1, -4200, 987654321);
    s.SetAngle(TKVRAngle::Angle180);
    s.SetBarWidth(0.37f);
    s.SetBarHeight(0.91f);
    s.SetRatio(1.25f);
    s.SetPaddingX(0.5f);
    s.SetPaddingY(3.25f);
    s.SetHorzAlign(TKVRHorzAlign::Center);
    s.SetVertAlign(TKVRVertAlign::Bottom);
    s.SetFillType(3);
    s.SetFillName("Field");
    s.SetFormat("#0.00");
    s.SetFilled(true);
    s.SetBackColor(0x80FF8000);
}

// A 40 x 20 picture, left half red and right half blue, as PNG.
QByteArray Picture()
{
    QImage img(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            img.setPixel(x, y, x < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return buffer.data();
}

TKVRImage* NewImage(TKVRBaseLabel& l)
{
    const TJsonObject j = {{"Type", 16}, {"Embeded", true}, {"ImageData", Picture().toBase64().toStdString()}};
    return static_cast<TKVRImage*>(TKVRImage::ReadFromJson(&l, KVRFileVersion, j));
}

TKVRTable* NewTable(TKVRBaseLabel& l)
{
    auto* t = new TKVRTable(&l, false);
    t->SetBase(1, 10000, 10000);
    t->SetBase(2, 110000, 40000);
    t->Title().Visible = true;
    t->Title().Text = "Stock";
    TKVRColumn& a = t->AddColumn(60.0f);
    a.Header.Text = "Item";
    a.Rows = {"Bolt", QStringLiteral("Écrou"), "Washer"};
    a.Footer.Text = "Total";
    a.Body.Wrap = true;
    a.Body.Font.Name = "Courier New";
    TKVRColumn& b = t->AddColumn(40.0f);
    b.Rows = {"10", "20", "30"};
    b.FooterType = KVRFooterType::Sum;
    b.FieldName = "Qty";
    return t;
}

TKVRPolyText* NewPoly(TKVRBaseLabel& l)
{
    auto* p = new TKVRPolyText(&l, false);
    p->SetPolyType(KVRPolyType::QR);
    p->AddItem(QStringLiteral("Gr\u00F6\u00DFe "));
    p->AddItem("42");
    return p;
}

// A connector between two nodes of its document, with a route of its own.
void FillLink(TKVRLink& k)
{
    TKVRBaseLabel& l = *k.GetOwner();
    k.SetFromID(flowtest::Node(l, 0, 0, 10000, 10000)->GetNumID());
    k.SetToID(flowtest::Node(l, 30000, 0, 40000, 10000)->GetNumID());
    k.SetFromIndex(3);
    k.SetToIndex(-1);
    k.SetLinkType(6);
    k.SetLinkPoints({{5000, 20000}, {35000, 20000}, {-7, 123456789012LL}});
    k.SetFromType(11);
    k.SetToType(8);
    k.SetFromColor(0xFF00FF00u);
    k.SetToColor(0xFF0000FFu);
}

TKVRNutriScore* NewScore(TKVRBaseLabel& l, QChar aValue)
{
    auto* e = new TKVRNutriScore(&l, false);
    e->SetBase(1, 5000, 5000);
    e->SetBase(2, 65000, 35000);
    e->SetValue(aValue);
    return e;
}

const std::vector<TKindCase>& Cases()
{
    static const std::vector<TKindCase> cases = {
        Kind<TKVRPoint>("Point", [](TKVRPoint& e) { e.SetBase(1, -1, 123456789012LL); }),
        Kind<TKVRLine>("Line",
                       [](TKVRLine& e) {
                           e.SetBase(1, 10, 20);
                           e.SetBase(2, -30, 40);
                       }),
        Kind<TKVRArrowLine>("ArrowLine",
                            [](TKVRArrowLine& e) {
                                e.SetBase(2, 50000, 10000);
                                e.SetEnds(kEnds);
                                e.SetFont(kFont);
                                e.SetText(QStringLiteral("Cota «Ø» 12 – µm"));
                                e.SetTextPos(4);
                            }),
        Kind<TKVRPolyLine>("PolyLine",
                           [](TKVRPolyLine& e) {
                               e.SetPoints({{1, 2}, {3, 4}, {5, -6}, {7, 8}});
                               e.SetEnds(kEnds);
                           }),
        Kind<TKVRArc>(
            "Arc", [](TKVRArc& e) { e.SetEnds(kEnds); },
            [](TKVRBaseLabel& l) { return new TKVRArc(&l, 10000, 0, 0, 10000, -10000, 0, false); }),
        Kind<TKVRRectangle>("Rectangle",
                            [](TKVRRectangle& e) {
                                e.SetBase(1, 100, 200);
                                e.SetBase(2, 30100, 20200);
                                e.SetFilled(true);
                                e.SetBackColor(0x80FFEE00u);
                                e.SetAlpha(0);
                                e.SetBaseRadio(1500);
                            }),
        Kind<TKVRPolygon>("Polygon",
                          [](TKVRPolygon& e) {
                              e.SetPoints({{0, 0}, {1000, 0}, {500, 800}});
                              e.SetFilled(true);
                          }),
        Kind<TKVRCircle>("Circle",
                         [](TKVRCircle& e) {
                             e.SetCircle(5000, -5000, 2500);
                             e.SetBackColor(0xFF00FFFFu);
                         }),
        Kind<TKVREllipse>("Ellipse", [](TKVREllipse& e) { e.SetEllipse(0, 0, 4000, 1000); }),
        Kind<TKVRLevel>("Level",
                        [](TKVRLevel& e) {
                            e.SetLevelCircle(10000, 10000, 8000);
                            e.SetLevelType(2);
                            e.SetValue(42.5f);
                            e.SetMaxValue(80.0f);
                            e.SetLevelColor(0xFFAA5500u);
                            e.SetAngleGap(45.0f);
                            e.SetAngle(TKVRAngle::Angle270);
                            e.SetText(QStringLiteral("53 %"));
                            e.SetFont(kFont);
                            e.SetFillType(1);
                            e.SetFillName(QStringLiteral("LEVEL"));
                            e.SetFormat(QStringLiteral("0.0"));
                        }),
        Kind<TKVRBezier>("Bezier",
                         [](TKVRBezier& e) {
                             e.SetPoints({{0, 0}, {10, 20}, {30, 20}, {40, 0}, {50, -20}, {70, -20}, {80, 0}});
                             e.SetEnds(kEnds);
                             e.SetFilled(true);
                         }),
        Kind<TKVRDim>(
            "Dim",
            [](TKVRDim& e) {
                e.GetOwner()->CalcDimPoints(&e, 0, 0, 40000, 0, 20000, -10000);
                e.SetDimExt(true);
            },
            [](TKVRBaseLabel& l) { return new TKVRDim(&l, KVRDimType::Angular, false); }),
        Kind<TKVRSector>("Sector",
                         [](TKVRSector& e) {
                             e.SetSector(0, 0, 3000, 30.0f, 359.9f);
                             e.SetFilled(true);
                         }),
        Kind<TKVRPackage>("Package",
                          [](TKVRPackage& e) {
                              e.SetBase(2, 80000, 50000);
                              e.SetSizeLength(120.5f);
                              e.SetSizeHeight(0.0f);
                              e.SetNameLength(QStringLiteral("Largo"));
                              e.SetStyle(5);
                              e.SetBoxColor(0xFF8B4513u);
                              e.SetFormat(QStringLiteral("0.0"));
                              e.SetSizesFontHeight(1800);
                              e.SetBaseRadio(1500);
                              e.SetFillType(2);
                              e.SetFillName(QStringLiteral("BOX"));
                              e.SetDrills({{10.0, 20.0, 5.0}, {100.25, 60.0, 8.0}});
                              e.SetSlots({{5.0, 5.0, 40.0, 5.0, 3.0}});
                          }),
        Kind<TKVRText>("Text", FillText<TKVRText>, NewText<TKVRText>),
        Kind<TKVRParagraph>("Paragraph", FillText<TKVRParagraph>, NewText<TKVRParagraph>),
        Kind<TKVRRichText>(
            "RichText",
            [](TKVRRichText& t) {
                FillText(t);
                t.SetText(QStringLiteral("<B>Fett</B> und <FC:FF0000>rot</FC><BR><C>Mitte – µm</C>"));
            },
            NewText<TKVRRichText>,
            [](const TKVRRichText& c) {
                // A read rich text comes with its formats and runs.
                EXPECT_GT(c.GetFormats().size(), 1u);
                EXPECT_EQ(c.GetPlainText(), QStringLiteral("Fett und rot\nMitte – µm"));
            }),
        Kind<TKVRBarcode>(
            "Barcode",
            [](TKVRBarcode& b) {
                b.SetCode(QStringLiteral("R\u00E9f-\u20AC"));
                b.SetCodeType(TKVRBarType::Code93);
                b.SetBase(1, 12345, -678);
                b.SetAngle(TKVRAngle::Angle270);
                b.SetBarWidth(0.41f);
                b.SetBarHeight(12.5f);
                b.SetBarWidthFactor(2.75f);
                b.SetDistance(0.3f);
                b.SetPaddingX(1.5f);
                b.SetPaddingY(0.25f);
                b.SetHorzAlign(TKVRHorzAlign::Right);
                b.SetShowNumber(false);
                b.SetChecksum(true);
                b.SetE128Auto(TKVR128AutoType::B);
                b.SetFontName("Courier New");
                b.SetBaseFontHeight(2750);
                b.SetFillType(2);
                b.SetFillName("Article");
                b.SetFormat("000");
                b.SetFilled(true);
                b.SetBackColor(0xFF102030);
            },
            [](TKVRBaseLabel& l) { return new TKVRBarcode(&l, false); },
            [](const TKVRBarcode& c) { EXPECT_EQ(c.GetCode(), QStringLiteral("R\u00E9f-\u20AC")); }),
        Kind<TKVRQRCode>("QRCode",
                         [](TKVRQRCode& q) {
                             Fill2D(q);
                             q.SetEncoding(QRCodeEncoding::UTF8);
                             q.SetErrorLevel(TErrorCorrectionLevel::Q);
                         }),
        Kind<TKVRDataMatrix>("DataMatrix", Fill2D<TKVRDataMatrix>),
        Kind<TKVRPDF417>("PDF417",
                         [](TKVRPDF417& p) {
                             Fill2D(p);
                             p.SetCorrectionLevel(7);
                             p.SetTruncated(true);
                             p.SetColumns(4);
                             p.SetRows(-1);
                         }),
        Kind<TKVRImage>(
            "Image",
            [](TKVRImage& e) {
                e.SetBase(1, 2000, 2000);
                e.SetBase(2, 12000, 12000);
                e.SetFilter(KVRImgFilter::Gray);
                e.SetImageAlign(2);
                e.SetFrame(KVRFrame::Rectangle);
                e.SetBasePadding(250);
                e.SetBaseRadio(1200);
                e.SetKeepProp(false);
                e.SetAngle(TKVRAngle::Angle270);
                e.SetFillName("Foto");
                e.SetFilled(true);
                e.SetBackColor(0x80123456u);
            },
            NewImage, [](const TKVRImage& c) { EXPECT_EQ(c.GetImageBytes(), Picture()); }),
        Kind<TKVRFlow>(
            "Flow",
            [](TKVRFlow& n) {
                n.SetBase(1, 1000, -2000);
                n.SetBase(2, 41000, 23000);
                n.SetFlowType(12);
                n.SetText(QStringLiteral("Decide «Ø»\r\nnow"));
                n.SetFont({QStringLiteral("Liberation Serif"), 0xFF102030u, 3500, true, true, true});
                n.SetStrikeout(true);
                n.SetBasePadX(1500);
                n.SetBasePadY(700);
                n.SetScaleX(1.25f);
                n.SetGradient(2);
                n.SetGradColor(0xFF00FF00u);
                n.SetShadowDX(0.5f);
                n.SetShadowDY(-0.25f);
                n.SetShadowColor(0x80000000u);
                n.SetAlpha(0);
                n.SetID(QStringLiteral("D1"));
            }),
        Kind<TKVRLink>("Link", FillLink, [](TKVRBaseLabel& l) { return new TKVRLink(&l, false); },
                       [](const TKVRLink& c) {
                           EXPECT_EQ(c.GetNumLinkPoints(), 3);
                           EXPECT_EQ(c.GetFromIndex(), 3);
                           EXPECT_EQ(c.GetToIndex(), -1);
                       }),
        Kind<TKVRTable>(
            "Table",
            [](TKVRTable& t) {
                t.SetFixedSize(true);
                t.SetGridType(2);
                t.SetFilled(true);
            },
            NewTable, [](const TKVRTable& c) { EXPECT_EQ(c.GetColumn(1).Rows.value(1), QStringLiteral("Écrou")); }),
        Kind<TKVRPolyText>(
            "PolyText",
            [](TKVRPolyText& p) {
                p.GetItem(1).AI = "01";
                p.GetItem(2).Data.FillType = 1;
                p.GetItem(2).Data.FillName = "Size";
                p.GetItem(2).Font.Name = "Courier New";
                p.SetAngle(TKVRAngle::Angle270);
                p.SetErrorLevel(2);
                p.SetRadio(1.5f);
                p.SetFilled(true);
            },
            NewPoly, [](const TKVRPolyText& c) { EXPECT_EQ(c.GetItem(1).Text, QStringLiteral("Gr\u00F6\u00DFe ")); }),
        Kind<TKVRRank>("Rank",
                       [](TKVRRank& e) {
                           e.SetBase(1, 5000, 5000);
                           e.SetBase(2, 17000, 55000);
                           e.SetRankType(3);
                           e.SetRankPos(2);
                           e.SetPosition(4);
                           e.SetFillType(1);
                           e.SetFillName(QStringLiteral("STARS"));
                           e.SetFormat(QStringLiteral("0"));
                           e.SetMaximum(7);
                           e.SetGap(0.25f);
                           e.SetDrawEmpty(false);
                           e.SetNumID(41);
                           e.SetID(QStringLiteral("stars"));
                       }),
        Kind<TKVRNutriScore>(
            "NutriScore",
            [](TKVRNutriScore& e) {
                e.SetNutriType(1);
                e.SetAngle(TKVRAngle::Angle270);
                e.SetTitle(QStringLiteral("Nährwert"));
                e.SetTitleAlign(TKVRHorzAlign::Right);
                e.SetShowTitle(false);
                e.SetMonochrome(true);
                e.SetRadio(1.5f);
                e.SetInnerRadio(0.75f);
                e.SetFillType(2);
                e.SetFillName(QStringLiteral("SCORE"));
                e.SetFormat(QStringLiteral("0"));
                e.SetNumID(7);
            },
            [](TKVRBaseLabel& l) { return NewScore(l, u'd'); },
            [](const TKVRNutriScore& c) { EXPECT_EQ(c.GetValue(), QChar(u'd')); }),
        // No letter survives both roads.
        Kind<TKVRNutriScore>(
            "NutriScoreWithoutLetter", [](TKVRNutriScore& e) { e.SetMonochrome(true); },
            [](TKVRBaseLabel& l) { return NewScore(l, QChar()); },
            [](const TKVRNutriScore& c) { EXPECT_TRUE(c.GetValue().isNull()); }),
        Kind<TKVRSymbol>(
            "Symbol",
            [](TKVRSymbol& e) {
                e.SetBase(1, 12000, 9000);
                e.SetScale(1.25f);
                e.SetAngleRad(0.26);
                e.SetID(QStringLiteral("gauge"));
                e.SetSymbol(MakeSymbol(R"([{"Type":"PenWidth","Value":0.4},{"Type":"LineType","Value":3},
                    {"Type":"Rectangle","Points":[0,0,30,16]},{"Type":"Fill","Value":true},
                    {"Type":"Circle","Center":[24,8],"Radius":3},{"Type":"Text","Text":"Gauge","Point":[15,2]}])",
                                       R"(,"Links":[0,8,30,8])"));
            },
            [](TKVRBaseLabel& l) { return new TKVRSymbol(&l, false); },
            [](const TKVRSymbol& c) { EXPECT_NE(c.GetSymbol(), nullptr) << "the record carries the definition"; }),
        Kind<TKVRSymbol>(
            "SymbolWithoutDefinition", [](TKVRSymbol& e) { e.SetScale(2.0f); },
            [](TKVRBaseLabel& l) { return new TKVRSymbol(&l, false); }),
    };
    return cases;
}

class ElementStreams : public ::testing::TestWithParam<size_t>
{
};

TEST_P(ElementStreams, BinaryAndJsonRoundTripsThroughTheClassReaders)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    label.SetDataValue(QStringLiteral("BOX"), QStringLiteral("10x20x30"));
    label.SetDataValue(QStringLiteral("LEVEL"), QStringLiteral("75"));
    TKVRBaseItem* original = kc.Make(label);
    original->CalcValues(0);
    const QByteArray bytes = WriteBinary(*original);
    const QByteArray json = WriteJsonText(*original);
    // The populated element differs from a fresh one: the test sees its fields.
    EXPECT_NE(WriteBinary(*kc.ReadJson(&label, KVRFileVersion, TJsonObject::object())), bytes);

    const int before = label.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(label, *original, kc.Read), bytes);
    TKVRBaseItem* copy = label.GetItem(before + 1);
    kc.CheckCopy(*copy);
    EXPECT_EQ(WriteJsonText(*copy), json) << "the binary reader fills what the JSON writer shows";
    copy->CalcValues(0);
    EXPECT_EQ(WriteBinary(*copy), bytes) << "a layout changes nothing that is stored";

    // Through text, as a file carries it.
    TKVRBaseItem* fromJson = kc.ReadJson(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    kc.CheckCopy(*fromJson);
    EXPECT_EQ(WriteJsonText(*fromJson), json);
    EXPECT_EQ(WriteBinary(*fromJson), bytes);

    // The copy paints as the original. Painting reads the element and writes
    // nothing into it: the export paints on its own thread while the user works on.
    const TScreenPaper a = PaintScreenAndPaper(*original, 300, 200, 150), b = PaintScreenAndPaper(*copy, 300, 200, 150);
    EXPECT_TRUE(a.Screen == b.Screen);
    EXPECT_TRUE(a.Paper == b.Paper);
    TKVRDraw bare;  // a context without canvases takes nothing
    copy->DrawElement(&bare);
    copy->PrintElement(&bare);
    EXPECT_EQ(WriteJsonText(*copy), json);
    EXPECT_FALSE(copy->GetNeedsCalc());
    EXPECT_EQ(label.GetItemsCount(), before + 2);
}

TEST_P(ElementStreams, OnlyTheCellCopyIsReadAsPreview)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    TKVRBaseItem* original = kc.Make(label);
    const QByteArray bytes = WriteBinary(*original);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        TKVRBaseItem* e = ReadRecord(label, bytes, kc.Read, type);
        EXPECT_EQ(e->GetPreview(), type == KVRReadType::CellCopy) << int(type);
        EXPECT_EQ(WriteBinary(*e), bytes);
    }
    EXPECT_FALSE(kc.ReadJson(&label, KVRFileVersion, original->WriteJson())->GetPreview());
}

TEST_P(ElementStreams, TruncatedRecordsLeaveNoElement)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    EXPECT_GT(CheckTruncatedRecords(label, *kc.Make(label), kc.Read), 10);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ElementStreams, ::testing::Range<size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<size_t>& aInfo) { return Cases()[aInfo.param].Name; });

// A count far beyond what the record holds (or one that does not fit it) is
// refused before anything is allocated, and leaves no element.
TEST(ElementStreamsDamage, CountsThatDoNotFitTheRecordAreRefused)
{
    struct TCountCase
    {
        const char* Name;
        MakeFn Make;
        BinaryReadFn Read;
        int FromEnd;  // bytes from the count's first byte to the record's end
        std::vector<int32_t> Counts;
    };
    const std::vector<TCountCase> cases = {
        {"image picture",
         [](TKVRBaseLabel& l) {
             auto* e = new TKVRImage(&l, false);
             e->SetFileName("a.png");
             return e;
         },
         TKVRImage::Read, 4 + 2 * 16 + 4, {0x7FFFFFFF}},
        {"link points",
         [](TKVRBaseLabel& l) {
             auto* k = new TKVRLink(&l, false);
             FillLink(*k);
             return k;
         },
         TKVRLink::Read, 3 * 16 + 4, {0x7FFFFFFF}},
        {"table columns", [](TKVRBaseLabel& l) { return new TKVRTable(&l, false); }, TKVRTable::Read, 4 + 2 * 16 + 4,
         {0x7F000000}},
        {"poly-text items", [](TKVRBaseLabel& l) { return new TKVRPolyText(&l, false); }, TKVRPolyText::Read,
         4 + 16 + 4, {0x7F000000}},
        {"rank points", [](TKVRBaseLabel& l) { return new TKVRRank(&l, false); }, TKVRRank::Read, 2 * 16 + 4,
         {0x7FFFFFFF, 3, -1}},
        {"score points", [](TKVRBaseLabel& l) { return NewScore(l, u'a'); }, TKVRNutriScore::Read, 2 * 16 + 4,
         {0x7FFFFFFF, 3, -1}},
    };
    for (const TCountCase& c : cases)
        for (int32_t count : c.Counts) {
            SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(count));
            TKVRBaseLabel label;
            QByteArray bytes = WriteBinary(*c.Make(label));
            const qsizetype at = bytes.size() - c.FromEnd;
            for (int b = 0; b < 4; ++b)
                bytes[at + b] = char((uint32_t(count) >> (8 * b)) & 0xFF);
            const int before = label.GetItemsCount();
            EXPECT_ANY_THROW(ReadRecord(label, bytes, c.Read));
            EXPECT_EQ(label.GetItemsCount(), before);
        }
}

// Values no element of the kind can hold are refused with the reader's
// error, and leave no element behind.
TEST(ElementStreamsDamage, ImpossibleJsonValuesAreRefused)
{
    enum TError { Json, Data, Any };
    struct TBad
    {
        JsonReadFn Read;
        const char* Text;
        TError Error;
    };
    const JsonReadFn text = TKVRText::ReadFromJson, para = TKVRParagraph::ReadFromJson, flow = TKVRFlow::ReadFromJson,
                     link = TKVRLink::ReadFromJson, image = TKVRImage::ReadFromJson, bar = TKVRBarcode::ReadFromJson,
                     dm = TKVRDataMatrix::ReadFromJson, qr = TKVRQRCode::ReadFromJson,
                     table = TKVRTable::ReadFromJson, poly = TKVRPolyText::ReadFromJson,
                     rank = TKVRRank::ReadFromJson, score = TKVRNutriScore::ReadFromJson,
                     symbol = TKVRSymbol::ReadFromJson, rich = TKVRRichText::ReadFromJson;
    const TBad rows[] = {
        {text, R"({"PaddingX":[true]})", Any},
        {para, R"({"Text":[true]})", Any},
        {rich, R"({"Points":[true]})", Any},
        {text, R"({"Radius":-5})", Data},
        {para, R"({"Radius":-5})", Data},
        {image, R"({"Type":16,"Filter":9})", Json},
        {image, R"({"Type":16,"Frame":9})", Json},
        {image, R"({"Type":16,"ImageAlign":256})", Json},
        {image, R"({"Type":16,"Angle":-1})", Json},
        {image, R"({"Type":16,"ImageData":"%%%"})", Json},
        {bar, R"({"Type":12,"BarWidth":0})", Data},
        {bar, R"({"Type":12,"FontHeight":-5})", Data},
        {bar, R"({"Type":12,"Angle":256})", Json},
        {bar, R"({"Type":12,"BarCode":5})", Json},
        {dm, R"({"Type":14,"BarWidth":0})", Data},
        {dm, R"({"Type":14,"Ratio":-1})", Data},
        {dm, R"({"Type":14,"PaddingX":-2})", Data},
        {dm, R"({"Type":14,"VertAlign":256})", Json},
        {qr, R"({"Type":15,"ErrorLevel":4})", Data},
        {flow, R"({"PaddingX":-5})", Data},
        {flow, R"({"Scale":-1.0})", Data},
        {flow, R"({"FlowType":"process"})", Json},
        {flow, R"({"FlowType":300})", Json},
        {flow, R"({"Text":12})", Json},
        {flow, R"({"Scale":"x"})", Json},
        {flow, R"({"Points":5})", Json},
        {flow, R"({"Points":[1,2]})", Json},
        {flow, R"({"ShadowColor":-1})", Json},
        {link, R"({"LinkType":"arc"})", Json},
        {link, R"({"FromIndex":70000})", Json},
        {link, R"({"ToID":1.5})", Json},
        {link, R"({"FromType":true})", Json},
        {link, R"({"Points":[[1,"2"]]})", Json},
        {table, R"({"Type":19,"Columns":5})", Json},
        {table, R"({"Type":19,"GridType":9})", Json},
        {table, R"({"Type":19,"Columns":[{"Header":{"HorzAlign":7}}]})", Json},
        {table, R"({"Type":19,"Columns":[{"Rows":[1,2]}]})", Json},
        {table, R"({"Type":19,"RowHeight":-1})", Json},
        {table, R"({"Type":19,"Title":{"Interline":0}})", Json},
        {table, R"({"Type":19,"Columns":[{"Footer":{"FontHeight":-1}}]})", Json},
        {poly, R"({"Type":20,"Items":3})", Json},
        {poly, R"({"Type":20,"Items":[7]})", Json},
        {poly, R"({"Type":20,"Angle":4})", Json},
        {poly, R"({"Type":20,"BarWidth":0})", Json},
        {poly, R"({"Type":20,"ErrorLevel":9})", Json},
        {poly, R"({"Type":20,"Items":[{"FontHeight":-5}]})", Json},
        {rank, R"({"Type":21,"Maximum":70000})", Any},
        {rank, R"({"Type":21,"Position":-1})", Any},
        {rank, R"({"Type":21,"Gap":"wide"})", Any},
        {rank, R"({"Type":21,"RankType":300})", Any},
        {rank, R"({"Type":21,"DrawEmpty":3})", Any},
        {rank, R"({"Type":21,"Points":[[0,0]]})", Any},
        {score, R"({"Type":22,"Value":"AB"})", Any},
        {score, R"({"Type":22,"Value":3})", Any},
        {score, R"({"Type":22,"Angle":4})", Any},
        {score, R"({"Type":22,"TitleAlign":3})", Any},
        {score, R"({"Type":22,"Gap":"x"})", Any},
        {score, R"({"Type":22,"AColor":-1})", Any},
        {score, R"({"Type":22,"Points":[[0,0],[1]]})", Any},
        {symbol, R"({"Scale":"big"})", Any},
        {symbol, R"({"Angle":[]})", Any},
        {symbol, R"({"Symbol":5})", Any},
        {symbol, R"({"Points":[1,2]})", Any},
    };
    TKVRBaseLabel label;
    for (const TBad& r : rows) {
        SCOPED_TRACE(r.Text);
        const TJsonObject j = TJsonObject::parse(r.Text);
        if (r.Error == Json)
            EXPECT_THROW(r.Read(&label, KVRFileVersion, j), EKVRJsonError);
        else if (r.Error == Data)
            EXPECT_THROW(r.Read(&label, KVRFileVersion, j), EKVRDataError);
        else
            EXPECT_ANY_THROW(r.Read(&label, KVRFileVersion, j));
    }
    EXPECT_EQ(label.GetItemsCount(), 0);
}

}  // namespace
