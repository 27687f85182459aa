// Every shape and line kind through its own class-level readers: binary and
// JSON round trips, the preview flag, damaged records, and painting that
// leaves the element as it was.
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
#include "tests/elements/ElementTestSupport.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

using JsonReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, const TJsonObject&)>;

struct TKindCase
{
    const char* Name;
    int32_t Kind;
    std::function<TKVRBaseItem*(TKVRBaseLabel&)> Make;  // an element with values other than the defaults
    BinaryReadFn Read;
    JsonReadFn ReadJson;
    std::function<bool(const TKVRBaseItem*)> IsClass;
};

template <class T>
TKindCase Kind(const char* aName, int32_t aKind, std::function<void(T&)> aFill, std::function<T*(TKVRBaseLabel&)> aNew)
{
    return {aName,
            aKind,
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
            &T::Read,
            &T::ReadFromJson,
            [](const TKVRBaseItem* e) { return dynamic_cast<const T*>(e) != nullptr; }};
}

template <class T>
TKindCase Kind(const char* aName, int32_t aKind, std::function<void(T&)> aFill)
{
    return Kind<T>(aName, aKind, aFill, [](TKVRBaseLabel& l) { return new T(&l, false); });
}

const TKVRLineEnds kEnds{4, 9, 0xFFFF0000u, 0xFF00FF00u, 2.5f, 1.25f};
const TKVRFontInfo kFont{QStringLiteral("Liberation Serif"), 0xFF0000FFu, 4200, true, false, true};

const std::vector<TKindCase>& Cases()
{
    static const std::vector<TKindCase> cases = {
        Kind<TKVRPoint>("Point", KVRItemKind::Point, [](TKVRPoint& e) { e.SetBase(1, -1, 123456789012LL); }),
        Kind<TKVRLine>("Line", KVRItemKind::Line,
                       [](TKVRLine& e) {
                           e.SetBase(1, 10, 20);
                           e.SetBase(2, -30, 40);
                       }),
        Kind<TKVRArrowLine>("ArrowLine", KVRItemKind::ArrowLine,
                            [](TKVRArrowLine& e) {
                                e.SetBase(2, 50000, 10000);
                                e.SetEnds(kEnds);
                                e.SetFont(kFont);
                                e.SetText(QStringLiteral("Cota «Ø» 12 – µm"));
                                e.SetTextPos(4);
                            }),
        Kind<TKVRPolyLine>("PolyLine", KVRItemKind::PolyLine,
                           [](TKVRPolyLine& e) {
                               e.SetPoints({{1, 2}, {3, 4}, {5, -6}, {7, 8}});
                               e.SetEnds(kEnds);
                           }),
        Kind<TKVRArc>(
            "Arc", KVRItemKind::Arc, [](TKVRArc& e) { e.SetEnds(kEnds); },
            [](TKVRBaseLabel& l) { return new TKVRArc(&l, 10000, 0, 0, 10000, -10000, 0, false); }),
        Kind<TKVRRectangle>("Rectangle", KVRItemKind::Rectangle,
                            [](TKVRRectangle& e) {
                                e.SetBase(1, 100, 200);
                                e.SetBase(2, 30100, 20200);
                                e.SetFilled(true);
                                e.SetBackColor(0x80FFEE00u);
                                e.SetAlpha(0);
                                e.SetBaseRadio(1500);
                            }),
        Kind<TKVRPolygon>("Polygon", KVRItemKind::Polygon,
                          [](TKVRPolygon& e) {
                              e.SetPoints({{0, 0}, {1000, 0}, {500, 800}});
                              e.SetFilled(true);
                          }),
        Kind<TKVRCircle>("Circle", KVRItemKind::Circle,
                         [](TKVRCircle& e) {
                             e.SetCircle(5000, -5000, 2500);
                             e.SetBackColor(0xFF00FFFFu);
                         }),
        Kind<TKVREllipse>("Ellipse", KVRItemKind::Ellipse, [](TKVREllipse& e) { e.SetEllipse(0, 0, 4000, 1000); }),
        Kind<TKVRLevel>("Level", KVRItemKind::Level,
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
        Kind<TKVRBezier>("Bezier", KVRItemKind::Bezier,
                         [](TKVRBezier& e) {
                             e.SetPoints({{0, 0}, {10, 20}, {30, 20}, {40, 0}, {50, -20}, {70, -20}, {80, 0}});
                             e.SetEnds(kEnds);
                             e.SetFilled(true);
                         }),
        Kind<TKVRDim>(
            "Dim", KVRItemKind::Dim,
            [](TKVRDim& e) {
                e.GetOwner()->CalcDimPoints(&e, 0, 0, 40000, 0, 20000, -10000);
                e.SetDimExt(true);
            },
            [](TKVRBaseLabel& l) { return new TKVRDim(&l, KVRDimType::Angular, false); }),
        Kind<TKVRSector>("Sector", KVRItemKind::Sector,
                         [](TKVRSector& e) {
                             e.SetSector(0, 0, 3000, 30.0f, 359.9f);
                             e.SetFilled(true);
                         }),
        Kind<TKVRPackage>("Package", KVRItemKind::Package,
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
    };
    return cases;
}

TKVRBaseItem* ReadAs(TKVRBaseLabel& aLabel, const QByteArray& aBytes, const BinaryReadFn& aRead, TKVRReadType aType)
{
    QByteArray bytes = aBytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    return aRead(&aLabel, KVRFileVersion, reader, aType);
}

class ShapeStreams : public ::testing::TestWithParam<size_t>
{
};

TEST_P(ShapeStreams, BinaryAndJsonRoundTripsThroughTheClassReaders)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    label.SetDataValue(QStringLiteral("BOX"), QStringLiteral("10x20x30"));
    label.SetDataValue(QStringLiteral("LEVEL"), QStringLiteral("75"));
    TKVRBaseItem* original = kc.Make(label);
    original->CalcValues(0);
    const QByteArray bytes = WriteBinary(*original);
    const QByteArray json = WriteJsonText(*original);
    EXPECT_EQ(original->GetKind(), kc.Kind);
    // The populated element differs from a fresh one: the test sees its fields.
    EXPECT_NE(WriteBinary(*kc.ReadJson(&label, KVRFileVersion, TJsonObject::object())), bytes);

    const int before = label.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(label, *original, kc.Read), bytes);
    TKVRBaseItem* copy = label.GetItem(before + 1);
    EXPECT_TRUE(kc.IsClass(copy));
    EXPECT_EQ(WriteJsonText(*copy), json) << "the binary reader fills what the JSON writer shows";
    copy->CalcValues(0);
    EXPECT_EQ(WriteBinary(*copy), bytes) << "a layout changes nothing that is stored";

    // Through text, as a file carries it.
    TKVRBaseItem* fromJson = kc.ReadJson(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    EXPECT_TRUE(kc.IsClass(fromJson));
    EXPECT_EQ(WriteJsonText(*fromJson), json);
    EXPECT_EQ(WriteBinary(*fromJson), bytes);

    // Painting reads the element and writes nothing into it: the export paints
    // on its own thread while the user works on.
    const TScreenPaper t = PaintScreenAndPaper(*copy, 300, 200, 150);
    TKVRDraw bare;  // a context without canvases takes nothing
    copy->DrawElement(&bare);
    copy->PrintElement(&bare);
    EXPECT_EQ(WriteJsonText(*copy), json);
    EXPECT_FALSE(copy->GetNeedsCalc());
    EXPECT_EQ(label.GetItemsCount(), before + 2);
}

TEST_P(ShapeStreams, OnlyTheCellCopyIsReadAsPreview)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    TKVRBaseItem* original = kc.Make(label);
    const QByteArray bytes = WriteBinary(*original);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        TKVRBaseItem* e = ReadAs(label, bytes, kc.Read, type);
        EXPECT_EQ(e->GetPreview(), type == KVRReadType::CellCopy) << int(type);
        EXPECT_EQ(WriteBinary(*e), bytes);
    }
    EXPECT_FALSE(kc.ReadJson(&label, KVRFileVersion, original->WriteJson())->GetPreview());
}

TEST_P(ShapeStreams, DamagedRecordsLeaveNoElement)
{
    const TKindCase& kc = Cases()[GetParam()];
    TKVRBaseLabel label;
    EXPECT_GT(CheckTruncatedRecords(label, *kc.Make(label), kc.Read), 10);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ShapeStreams, ::testing::Range<size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<size_t>& aInfo) { return Cases()[aInfo.param].Name; });

}  // namespace
