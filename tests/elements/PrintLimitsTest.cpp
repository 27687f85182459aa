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
    bool HasInk;
    TKVRPto Ink;
};

template <class T>
T* Pen(T* e)
{
    e->SetColor(kBlack);
    e->SetPenWidth(0.5f);
    return e;
}

template <class T>
T* Box(T* e, int64_t aFar)
{
    e->SetBase(1, 10000, 10000);
    e->SetBase(2, aFar, aFar);
    return e;
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
        {"line", [](TKVRBaseLabel& l, int64_t f) { return Box(Pen(new TKVRLine(&l, false)), f); }, true, {20000, 20000}},
        {"polyline",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRPolyLine(&l, false));
             e->SetPoints({{10000, 10000}, {30000, 10000}, {f, f}, {-f, f}});
             return e;
         },
         true, {20000, 10000}},
        {"polygon",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRPolygon(&l, false));
             e->SetPoints({{10000, 10000}, {30000, 10000}, {f, f}, {-f, f}});
             return e;
         },
         true, {20000, 10000}},
        {"bezier",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRBezier(&l, false));
             e->SetPoints({{10000, 10000}, {f, 10000}, {f, f}, {10000, f}});
             return e;
         },
         false, {}},
        {"arrow line", [](TKVRBaseLabel& l, int64_t f) { return Box(Pen(new TKVRArrowLine(&l, false)), f); }, true,
         {20000, 20000}},
        {"rectangle", [](TKVRBaseLabel& l, int64_t f) { return Box(Pen(new TKVRRectangle(&l, false)), f); }, true,
         {30000, 10000}},
        {"ellipse",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVREllipse(&l, false));
             e->SetEllipse(20000, 20000, f, f);
             return e;
         },
         false, {}},
        {"circle",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRCircle(&l, false));
             e->SetCircle(20000, 20000, f);
             return e;
         },
         false, {}},
        {"sector",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRSector(&l, false));
             e->SetSector(10000, 10000, f, 0.0f, 90.0f);
             return e;
         },
         true, {30000, 10000}},
        {"arc",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRArc(&l, false));
             e->SetCircle(10000, 10000, f);
             return e;
         },
         false, {}},
        {"point",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRPoint(&l, false));
             e->SetBase(1, f, f);
             return e;
         },
         false, {}},
        {"dimension",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = new TKVRDim(&l, KVRDimType::Horizontal, false);
             e->SetLinear(KVRDimType::Horizontal, 10000, 10000, f, 10000, 10000, 20000);
             return e;
         },
         false, {}},
        {"text",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRText(&l));
             e->SetBase(1, f, f);
             e->SetText(QStringLiteral("far"));
             return e;
         },
         false, {}},
        {"paragraph",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Box(Pen(new TKVRParagraph(&l)), f);
             e->SetText(QStringLiteral("far away"));
             return e;
         },
         true, {30000, 10000}},
        {"rich text",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Box(Pen(new TKVRRichText(&l)), f);
             e->SetText(QStringLiteral("<B>far</B> away"));
             return e;
         },
         true, {30000, 10000}},
        {"image",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Box(Pen(new TKVRImage(&l, false)), f);
             e->SetEmbeded(true);
             e->SetFileName(PictureFile());
             return e;
         },
         false, {}},
        {"barcode",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = new TKVRBarcode(&l, false);
             e->SetCode("123456");
             e->SetCodeType(TKVRBarType::Code128);
             e->SetBase(1, f, -f);
             return e;
         },
         false, {}},
        {"qr code",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = new TKVRQRCode(&l, false);
             e->SetCode(QStringLiteral("far"));
             e->SetBase(1, -f, f);
             return e;
         },
         false, {}},
        {"level",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Box(Pen(new TKVRLevel(&l, false)), f);
             e->SetValue(50.0f);
             e->SetText(QStringLiteral("50"));
             return e;
         },
         false, {}},
        {"level beyond",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRLevel(&l, false));
             e->SetBase(1, f - 20000, f - 20000);
             e->SetBase(2, f, f);
             e->SetValue(50.0f);
             e->SetText(QStringLiteral("50"));
             return e;
         },
         false, {}},
        {"text beyond",
         [](TKVRBaseLabel& l, int64_t f) {
             auto* e = Pen(new TKVRText(&l));
             e->SetBase(1, f, 10000);
             e->SetText(QStringLiteral("far"));
             e->SetFilled(true);
             return e;
         },
         false, {}},
        {"package", [](TKVRBaseLabel& l, int64_t f) { return Box(Pen(new TKVRPackage(&l, false)), f); }, true,
         {30000, 10000}},
    };
    return cases;
}

class PrintLimits : public ::testing::TestWithParam<size_t>
{
};

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

TEST_P(PrintLimits, FarPointsAreClippedNotWrapped)
{
    const TLimitCase& c = Cases()[GetParam()];
    SCOPED_TRACE(c.Name);
    for (int64_t sign : {int64_t(1), int64_t(-1)}) {
        for (int32_t offset : {0, 150, std::numeric_limits<int32_t>::max() - 10}) {
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

INSTANTIATE_TEST_SUITE_P(Elements, PrintLimits, ::testing::Range<size_t>(0, 22),
                         [](const ::testing::TestParamInfo<size_t>& i) {
                             std::string n = Cases()[i.param].Name;
                             for (char& ch : n)
                                 if (ch == ' ')
                                     ch = '_';
                             return n;
                         });
