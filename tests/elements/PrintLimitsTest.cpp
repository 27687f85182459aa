// Every element printed with points at the readers' limit: nothing wraps (the
// sanitizer stops on an overflow) and what lies on the page is still drawn.
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace shape;

namespace {

constexpr int64_t kFar = KVRMaxCoordinate;

// An element whose point 1 lies at (10 mm, 10 mm) and whose other points lie
// at the limit; aInk is a page point (µm) its ink must still cover, or none.
struct TLimitCase
{
    const char* Name;
    std::function<TKVRBaseItem*(TKVRBaseLabel&, int64_t aFar)> Make;
    bool HasInk = false;
    TKVRPto Ink = {};
};

// A black pen of 0.5 mm, then aFill; with aBox, points 1 and 2 span from
// (10 mm, 10 mm) to the limit first.
template <class T>
std::function<TKVRBaseItem*(TKVRBaseLabel&, int64_t)> Make(std::function<void(T&, int64_t)> aFill = nullptr,
                                                         bool aBox = false)
{
    return [=](TKVRBaseLabel& l, int64_t f) {
        T* e;
        if constexpr (std::is_constructible_v<T, TKVRBaseLabel*, bool>)
            e = new T(&l, false);
        else
            e = new T(&l);
        e->SetColor(kBlack);
        e->SetPenWidth(0.5f);
        if (aBox) {
            e->SetBase(1, 10000, 10000);
            e->SetBase(2, f, f);
        }
        if (aFill)
            aFill(*e, f);
        return e;
    };
}

template <class T>
std::function<TKVRBaseItem*(TKVRBaseLabel&, int64_t)> Box(std::function<void(T&, int64_t)> aFill = nullptr)
{
    return Make<T>(aFill, true);
}

// A chain that starts on the page and runs out to the limit.
std::vector<TKVRPto> Fan(int64_t f)
{
    return {{10000, 10000}, {30000, 10000}, {f, f}, {-f, f}};
}

// A small black picture file, written once.
QString PictureFile()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("black.png"));
    if (!QFile::exists(path)) {
        QImage img(4, 4, QImage::Format_ARGB32);
        img.fill(Qt::black);
        img.save(path, "PNG");
    }
    return path;
}

const std::vector<TLimitCase>& Cases()
{
    static const std::vector<TLimitCase> cases = {
        {"line", Box<TKVRLine>(), true, {20000, 20000}},
        {"polyline", Make<TKVRPolyLine>([](auto& e, int64_t f) { e.SetPoints(Fan(f)); }), true, {20000, 10000}},
        {"polygon", Make<TKVRPolygon>([](auto& e, int64_t f) { e.SetPoints(Fan(f)); }), true, {20000, 10000}},
        {"bezier",
         Make<TKVRBezier>([](auto& e, int64_t f) { e.SetPoints({{10000, 10000}, {f, 10000}, {f, f}, {10000, f}}); })},
        {"arrow line", Box<TKVRArrowLine>(), true, {20000, 20000}},
        {"rectangle", Box<TKVRRectangle>(), true, {30000, 10000}},
        {"ellipse", Make<TKVREllipse>([](auto& e, int64_t f) { e.SetEllipse(20000, 20000, f, f); })},
        {"circle", Make<TKVRCircle>([](auto& e, int64_t f) { e.SetCircle(20000, 20000, f); })},
        {"sector", Make<TKVRSector>([](auto& e, int64_t f) { e.SetSector(10000, 10000, f, 0.0f, 90.0f); }), true,
         {30000, 10000}},
        {"arc", Make<TKVRArc>([](auto& e, int64_t f) { e.SetCircle(10000, 10000, f); })},
        {"point", Make<TKVRPoint>([](auto& e, int64_t f) { e.SetBase(1, f, f); })},
        {"dimension", [](TKVRBaseLabel& l, int64_t f) {
             auto* e = new TKVRDim(&l, KVRDimType::Horizontal, false);
             e->SetLinear(KVRDimType::Horizontal, 10000, 10000, f, 10000, 10000, 20000);
             return e;
         }},
        {"text", Make<TKVRText>([](auto& e, int64_t f) {
             e.SetBase(1, f, f);
             e.SetText(QStringLiteral("far"));
         })},
        {"paragraph", Box<TKVRParagraph>([](auto& e, int64_t) { e.SetText(QStringLiteral("far away")); }), true,
         {30000, 10000}},
        {"rich text", Box<TKVRRichText>([](auto& e, int64_t) { e.SetText(QStringLiteral("<B>far</B> away")); }), true,
         {30000, 10000}},
        {"image", Box<TKVRImage>([](auto& e, int64_t) {
             e.SetEmbeded(true);
             e.SetFileName(PictureFile());
         })},
        {"barcode", Make<TKVRBarcode>([](auto& e, int64_t f) {
             e.SetCode("123456");
             e.SetCodeType(TKVRBarType::Code128);
             e.SetBase(1, f, -f);
         })},
        {"qr code", Make<TKVRQRCode>([](auto& e, int64_t f) {
             e.SetCode(QStringLiteral("far"));
             e.SetBase(1, -f, f);
         })},
        {"level", Box<TKVRLevel>([](auto& e, int64_t) {
             e.SetValue(50.0f);
             e.SetText(QStringLiteral("50"));
         })},
        {"level beyond", Make<TKVRLevel>([](auto& e, int64_t f) {
             e.SetBase(1, f - 20000, f - 20000);
             e.SetBase(2, f, f);
             e.SetValue(50.0f);
             e.SetText(QStringLiteral("50"));
         })},
        {"text beyond", Make<TKVRText>([](auto& e, int64_t f) {
             e.SetBase(1, f, 10000);
             e.SetText(QStringLiteral("far"));
             e.SetFilled(true);
         })},
        {"package", Box<TKVRPackage>(), true, {30000, 10000}},
    };
    return cases;
}

}  // namespace

TEST(PrintCell, SumsInSixtyFourBitsAndClipsAtTheDeviceRange)
{
    TKVRBaseDraw d;
    d.PrintOffsetX = std::numeric_limits<int32_t>::max() - 5;
    d.PrintOffsetY = std::numeric_limits<int32_t>::min() + 5;
    EXPECT_EQ(PrintCellX(&d, 3), std::numeric_limits<int32_t>::max() - 2);
    EXPECT_EQ(PrintCellX(&d, 100), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(PrintCellY(&d, -100), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(PrintCellX(&d, std::numeric_limits<int64_t>::min()), -6);  // the value is a device coordinate first
    EXPECT_EQ(PaperCellX(&d, 1e300), float(std::numeric_limits<int32_t>::max()));
    EXPECT_EQ(PaperCellY(&d, -1e300), float(std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(PaperCellX(&d, std::numeric_limits<double>::quiet_NaN()), float(d.PrintOffsetX));
    EXPECT_EQ(PaperLength(1e30), float(std::numeric_limits<int32_t>::max()));
}

TEST(PrintLimits, FarPointsAreClippedNotWrapped)
{
    for (const TLimitCase& c : Cases())
    for (int64_t sign : {int64_t(1), int64_t(-1)}) {
        for (int32_t offset : {0, 150, std::numeric_limits<int32_t>::max() - 10}) {
            SCOPED_TRACE(testing::Message() << c.Name << " sign " << sign << " offset " << offset);
            TKVRBaseLabel label;
            TKVRBaseItem* e = c.Make(label, sign * kFar);
            PaperSurface p(kWidth, kHeight, kDpi);
            p.draw.PrintOffsetX = offset;
            e->PrintElement(&p.draw);
            const QImage img = p.Finish();
            if (offset == 0)
                ImageProbes::SaveForLooking(
                    img, QStringLiteral("limits-%1-%2.png").arg(QString::fromLatin1(c.Name)).arg(sign > 0 ? "plus" : "minus"));
            if (c.HasInk && sign > 0 && offset == 0) {
                // The part on the page is where it belongs.
                EXPECT_GT(InkCount(img.copy(Around(c.Ink, 4))), 0) << c.Name;
            }
            if (offset > kWidth && sign > 0) {
                EXPECT_EQ(InkCount(img), 0) << c.Name << ": a cell beyond the device prints nothing on the page";
            }
        }
    }
}
