#include "elements/TKVRImage.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/render/PdfPaper.h"
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

using kvrtest::BoxText;
using kvrtest::ColourBounds;
using kvrtest::CountColour;

namespace {

// 254 dots per inch: 10 pixels per millimetre, 100 µm per pixel.
constexpr int kDpi = 254;
constexpr int kSize = 240;
constexpr int64_t kPx = 100;  // micrometres per pixel

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Pictures are made here and saved into a private folder, never shipped.
class ImageFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fDir.isValid());
        doc.SetImageFolder(fDir.path());
    }

    QString Save(const QImage& aImage, const QString& aName, const char* aFormat = "PNG")
    {
        const QString path = fDir.filePath(aName);
        EXPECT_TRUE(aImage.save(path, aFormat)) << aName.toStdString();
        return path;
    }
    QString Solid(const QString& aName, int w, int h, QRgb c)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        return Save(img, aName);
    }
    // Left half red, right half blue: shows which way a picture was turned.
    QString Halves(const QString& aName, int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixel(x, y, x < w / 2 ? kRed : kBlue);
        return Save(img, aName);
    }
    void WriteRaw(const QString& aName, const QByteArray& aBytes)
    {
        QFile f(fDir.filePath(aName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(aBytes);
    }

    // An image element on the box (x, y) - (x + w, y + h) in pixels of the surfaces.
    TKVRImage* Make(const QString& aFile, int x, int y, int w, int h)
    {
        auto* e = new TKVRImage(&doc, false);
        e->SetBase(1, x * kPx, y * kPx);
        e->SetBase(2, (x + w) * kPx, (y + h) * kPx);
        e->SetFileName(aFile);
        return e;
    }

    static QImage OnScreen(TKVRImage& e, TKVRDrawState aState = KVRDrawState::Preview)
    {
        return kvrtest::Screen(e, kSize, kSize, aState, kDpi);
    }
    static QImage OnPaper(TKVRImage& e) { return kvrtest::Paper(e, kSize, kSize, kDpi); }
    // Where the frame and the picture go on the screen surface.
    static TRectF Placed(TKVRImage& e, int32_t aWidth, int32_t aHeight)
    {
        ScreenSurface s(kSize, kSize, kDpi);
        e.DrawRect(&s.draw, false);
        e.AdjustDrawRect(&s.draw, true, 0, 0);
        e.AdjustDrawRect(&s.draw, false, aWidth, aHeight);
        return e.GetImageDest();
    }

    QTemporaryDir fDir;
    TKVRBaseLabel doc;
};

bool Near(QRgb a, QRgb b, int tol)
{
    return std::abs(qRed(a) - qRed(b)) <= tol && std::abs(qGreen(a) - qGreen(b)) <= tol &&
           std::abs(qBlue(a) - qBlue(b)) <= tol;
}

QRgb At(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

const BinaryReadFn ImageRead = TKVRImage::Read;

}  // namespace

// ---------------------------------------------------------------- fitting

TEST_F(ImageFixture, WidePictureFitsTheBoxAndFollowsTheAlignment)
{
    Solid("wide.png", 400, 200, kRed);
    TKVRImage* e = Make("wide.png", 20, 20, 100, 100);
    ASSERT_TRUE(e->GetKeepProp());
    const int tops[] = {20, 45, 70};  // align 0 top, 1 centre, 2 bottom
    for (uint8_t align = 0; align <= 2; ++align) {
        e->SetImageAlign(align);
        const QImage screen = OnScreen(*e);
        const QImage paper = OnPaper(*e);
        const QRect expected(20, tops[align], 100, 50);
        EXPECT_TRUE(SameBox(ColourBounds(screen, kRed), expected, 1)) << int(align);
        EXPECT_TRUE(SameBox(ColourBounds(paper, kRed), expected, 1)) << int(align);
    }

    // Without keep-proportions the picture fills the box.
    e->SetKeepProp(false);
    EXPECT_TRUE(SameBox(ColourBounds(OnScreen(*e), kRed), QRect(20, 20, 100, 100), 1));
    EXPECT_TRUE(SameBox(ColourBounds(OnPaper(*e), kRed), QRect(20, 20, 100, 100), 1));
}

TEST_F(ImageFixture, QuarterTurnSwapsTheProportionsAndTurnsThePicture)
{
    Halves("halves.png", 400, 200);
    TKVRImage* e = Make("halves.png", 20, 20, 100, 100);
    e->SetAngle(TKVRAngle::Angle90);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    // 400 x 200 fits as 200 x 400: 50 wide, 100 high, centred across.
    for (const QImage* img : {&screen, &paper}) {
        const QRect ink = InkBounds(*img);
        EXPECT_TRUE(SameBox(ink, QRect(45, 20, 50, 100), 1));
        // -90 degrees turns counter-clockwise: the left (red) half ends at the bottom.
        EXPECT_TRUE(Near(At(*img, 70, 40), kBlue, 30));
        EXPECT_TRUE(Near(At(*img, 70, 100), kRed, 30));
    }

    e->SetAngle(TKVRAngle::Angle180);
    const QImage half = OnScreen(*e);
    EXPECT_TRUE(SameBox(InkBounds(half), QRect(20, 45, 100, 50), 1));
    EXPECT_TRUE(Near(At(half, 40, 70), kBlue, 30));
    EXPECT_TRUE(Near(At(half, 100, 70), kRed, 30));

    e->SetAngle(TKVRAngle::Angle270);
    const QImage three = OnPaper(*e);
    EXPECT_TRUE(Near(At(three, 70, 40), kRed, 30));
    EXPECT_TRUE(Near(At(three, 70, 100), kBlue, 30));
}

TEST_F(ImageFixture, RoundFrameHoldsThePictureInTheSquareOfItsCircle)
{
    Solid("sq.png", 50, 50, kRed);
    TKVRImage* e = Make("sq.png", 20, 40, 100, 60);
    e->SetFrame(KVRFrame::Circle);
    e->SetPenWidth(0.0f);
    e->SetKeepProp(false);
    // Circle of radius 30 centred across the width: centre (70, 70).
    const TRectF r = Placed(*e, 50, 50);
    const float side = 60.0f * std::sqrt(2.0f) / 2.0f;
    EXPECT_NEAR(r.Width(), side, 0.01);
    EXPECT_NEAR(r.Height(), side, 0.01);
    EXPECT_NEAR(r.CenterPoint().X, 70.0f, 0.01);
    EXPECT_NEAR(r.CenterPoint().Y, 70.0f, 0.01);

    // A pen of 1 mm (10 px) and a padding of 0.5 mm take 5 + 5 px on each side.
    e->SetPenWidth(1.0f);
    e->SetBasePadding(500);
    EXPECT_NEAR(Placed(*e, 50, 50).Width(), side - 20.0f, 0.01);
    const QImage screen = OnScreen(*e);
    const QRect red = ColourBounds(screen, kRed);
    EXPECT_TRUE(SameBox(red, QRect(QPoint(int(70 - side / 2 + 10), int(70 - side / 2 + 10)),
                                   QPoint(int(70 + side / 2 - 10), int(70 + side / 2 - 10))),
                        1));
    // The black ring is the circle, outside the picture.
    const QRect ink = InkBounds(screen);
    EXPECT_TRUE(SameBox(ink, QRect(35, 35, 70, 70), 2));
}

TEST_F(ImageFixture, ProportionsAreTakenFromTheRectangleInsideTheFrame)
{
    // A 2:1 picture in a 100 px box with a 1 mm pen and 1 mm padding: the
    // room inside is 70 x 70, so the picture shows 70 x 35, still 2:1.
    Solid("wide.png", 200, 100, kRed);
    TKVRImage* e = Make("wide.png", 20, 20, 100, 100);
    e->SetFrame(KVRFrame::Rectangle);
    e->SetPenWidth(1.0f);
    e->SetBasePadding(1000);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    const TRectF placed = Placed(*e, 200, 100);
    EXPECT_NEAR(placed.Width() / placed.Height(), 2.0, 1e-4);
    for (const QImage* img : {&screen, &paper}) {
        const QRect red = ColourBounds(*img, kRed);
        EXPECT_TRUE(SameBox(red, QRect(35, 52, 70, 35), 1));
    }

    // A pen wider than the box leaves no room for the picture.
    e->SetPenWidth(12.0f);
    EXPECT_EQ(CountColour(OnScreen(*e), kRed), 0);
    EXPECT_EQ(CountColour(OnPaper(*e), kRed), 0);
}

// ---------------------------------------------------------------- filters and mask

// Grey is the luminance on both surfaces. Black and white follows each
// surface's rule: paper a threshold of 128 on the luminance, the screen
// 1.5 x (r + g + b) clamped, so dark grey lightens and the rest saturates.
TEST_F(ImageFixture, FiltersFollowEachSurfacesRule)
{
    // Bands: red, green (160), black, dark grey (40), light grey (200), white.
    const QRgb bands[] = {qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 0),
                          qRgb(40, 40, 40), qRgb(200, 200, 200), qRgb(255, 255, 255)};
    QImage img(60, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 60; ++x)
            img.setPixel(x, y, bands[x / 10]);
    Save(img, "bands.png");
    TKVRImage* e = Make("bands.png", 20, 20, 180, 30);
    const int centres[] = {35, 65, 95, 125, 155, 185};
    e->SetFilter(KVRImgFilter::Gray);
    const int grey[] = {int(std::lround(0.299 * 255)), int(std::lround(0.587 * 160)), 0, 40, 200, 255};
    for (const QImage& s : {OnScreen(*e), OnPaper(*e)})
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(Near(At(s, centres[i], 35), qRgb(grey[i], grey[i], grey[i]), 2)) << i << std::hex << " "
                                                                                           << At(s, centres[i], 35);
    e->SetFilter(KVRImgFilter::BlackWhite);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    const int onPaper[] = {0, 0, 0, 0, 255, 255};
    const int onScreen[] = {255, 255, 0, std::min(255, int(std::lround(1.5 * 3 * 40))), 255, 255};
    for (int i = 2; i < 6; ++i) {
        EXPECT_TRUE(Near(At(paper, centres[i], 35), qRgb(onPaper[i], onPaper[i], onPaper[i]), 1)) << i;
        EXPECT_TRUE(Near(At(screen, centres[i], 35), qRgb(onScreen[i], onScreen[i], onScreen[i]), 2)) << i;
    }
}

// The mask cuts the picture to the circle of its square, or to the oval of a
// proportionally fitted wide picture, the same on both surfaces.
TEST_F(ImageFixture, CircleMaskCutsThePictureToItsOval)
{
    Solid("sq.png", 80, 80, kBlue);
    Solid("wide.png", 200, 100, kBlue);
    struct Case
    {
        const char* file;
        QRect box;
    };
    for (const Case& c : {Case{"sq.png", QRect(20, 20, 100, 100)}, Case{"wide.png", QRect(20, 45, 100, 50)}}) {
        SCOPED_TRACE(c.file);
        TKVRImage* e = Make(c.file, 20, 20, 100, 100);
        e->SetFrame(KVRFrame::CircleMask);
        e->SetPenWidth(0.0f);
        const QImage screen = OnScreen(*e);
        const QImage paper = OnPaper(*e);
        const double oval = 3.14159265 * c.box.width() * c.box.height() / 4;
        for (const QImage* s : {&screen, &paper}) {
            EXPECT_TRUE(SameBox(ColourBounds(*s, kBlue), c.box, 1));
            EXPECT_NEAR(CountColour(*s, kBlue), oval, oval * 0.04);
            EXPECT_TRUE(Near(At(*s, 70, 70), kBlue, 10));
            // Corners of the picture's rectangle are cut away.
            EXPECT_TRUE(Near(At(*s, c.box.left() + 3, c.box.top() + 3), qRgb(255, 255, 255), 10));
            EXPECT_TRUE(Near(At(*s, c.box.right() - 3, c.box.bottom() - 3), qRgb(255, 255, 255), 10));
        }
    }
}

// A long banner in the circle mask is cut at its own size to the ellipse of
// the rectangle it fills: no square of its longer side is made. Paper (a PDF
// read back by poppler) shows the ellipse.
TEST_F(ImageFixture, BannerInACircleMaskIsCutWithoutASquareCopy)
{
    Solid("banner.png", 12000, 100, kRed);
    TKVRImage* e = Make("banner.png", 20, 20, 100, 100);
    e->SetFrame(KVRFrame::CircleMask);
    e->SetPenWidth(0.0f);
    e->SetKeepProp(false);  // the banner fills the square: its ellipse is the circle

    TBitmap bitmap;
    bitmap.LoadFromFile(e->GetImagePath());
    e->PrintedPicture(bitmap);
    EXPECT_EQ(bitmap.Width(), 12000);
    EXPECT_EQ(bitmap.Height(), 100);
    const QImage& cut = bitmap.Image();
    EXPECT_EQ(qAlpha(cut.pixel(6000, 50)), 255);  // centre
    EXPECT_EQ(qAlpha(cut.pixel(6000, 0)), 255);   // top of the ellipse
    EXPECT_EQ(qAlpha(cut.pixel(150, 50)), 255);   // near its left end
    EXPECT_EQ(qAlpha(cut.pixel(30, 10)), 0);      // corners are cut away
    EXPECT_EQ(qAlpha(cut.pixel(11990, 95)), 0);
    EXPECT_EQ(qAlpha(cut.pixel(1000, 2)), 0);     // under the ellipse's top-left shoulder

    const QImage page = PdfPaper(kSize / 10.0, kSize / 10.0, kDpi, [e](TKVRDraw& d) { e->PrintElement(&d); },
                                 QStringLiteral("image-banner-circle.png"));
    ASSERT_FALSE(page.isNull()) << "poppler could not read the PDF";
    const double r = 50, cx = 70, cy = 70;
    int inside = 0, outside = 0, wrongIn = 0, wrongOut = 0;
    for (int y = 20; y < 120; ++y)
        for (int x = 20; x < 120; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const bool red = Near(At(page, x, y), kRed, 40);
            if (d < r - 2) {
                ++inside;
                wrongIn += red ? 0 : 1;
            } else if (d > r + 2) {
                ++outside;
                wrongOut += red ? 1 : 0;
            }
        }
    EXPECT_EQ(wrongIn, 0) << "of " << inside << " pixels inside the circle";
    EXPECT_EQ(wrongOut, 0) << "of " << outside << " pixels outside it";
}

// ---------------------------------------------------------------- bad pictures

TEST_F(ImageFixture, PicturesThatDoNotDecodePaintNothingAndRaiseNothing)
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(kRed);
    QByteArray png, jpeg;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        img.save(&b, "PNG");
        QBuffer j(&jpeg);
        j.open(QIODevice::WriteOnly);
        img.save(&j, "JPEG");
    }
    WriteRaw("half.png", png.left(png.size() / 2));
    WriteRaw("head.jpg", jpeg.left(20));
    WriteRaw("garbage.png", QByteArray("this is not a picture at all, only words"));
    WriteRaw("empty.png", QByteArray());
    for (const char* name : {"half.png", "head.jpg", "garbage.png", "empty.png", "missing.png"}) {
        TKVRImage* e = Make(QString::fromLatin1(name), 20, 20, 100, 100);
        e->SetFrame(KVRFrame::Rectangle);
        e->SetFilled(true);
        e->SetBackColor(0xFF00FF00u);
        QImage screen, paper;
        EXPECT_NO_THROW(screen = OnScreen(*e)) << name;
        EXPECT_NO_THROW(paper = OnPaper(*e)) << name;
        // Neither the picture nor its frame.
        EXPECT_EQ(InkCount(screen), 0) << name;
        EXPECT_EQ(InkCount(paper), 0) << name;
        EXPECT_EQ(e->GetImgWidth(), 0) << name;
    }

    // Damaged embedded bytes are no better: nothing, on both surfaces.
    TJsonObject j = TJsonObject::parse(WriteJsonText(*Make("x.png", 20, 20, 100, 100)).toStdString());
    j["ImageData"] = QByteArray("not a picture").toBase64().toStdString();
    auto* bad = static_cast<TKVRImage*>(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j));
    EXPECT_EQ(bad->GetImageType(), KVRImgType::Embedded);
    EXPECT_EQ(InkCount(OnScreen(*bad)), 0);
    EXPECT_EQ(InkCount(OnPaper(*bad)), 0);
}

TEST_F(ImageFixture, AFileThatVanishesShowsNothingAfterTheNextReload)
{
    const QString path = Solid("a.png", 30, 30, kRed);
    TKVRImage* e = Make("a.png", 20, 20, 100, 100);
    EXPECT_GT(CountColour(OnScreen(*e), kRed), 9000);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_GT(CountColour(OnScreen(*e), kRed), 9000);  // cached until told to reload
    e->SetReload(1);
    EXPECT_EQ(InkCount(OnScreen(*e)), 0);
    EXPECT_EQ(e->GetReload(), 0);
    Solid("b.png", 30, 30, kBlue);
    e->SetFileName("b.png");  // a new name reloads
    EXPECT_GT(CountColour(OnScreen(*e), kBlue), 9000);
}

// ---------------------------------------------------------------- sources

// One source for both surfaces: the embedded bytes whenever there are any
// (whatever the embed flag says), otherwise the file. Painting never writes
// the document, not even when the embed flag waits for its file.
TEST_F(ImageFixture, ScreenAndPaperTakeTheSamePictureAndWriteNothing)
{
    Solid("red.png", 30, 30, kRed);
    TKVRImage* src = Make("red.png", 20, 20, 100, 100);
    const QByteArray before = WriteBinary(*src);
    OnScreen(*src);
    OnPaper(*src);
    EXPECT_EQ(WriteBinary(*src), before);
    src->SetEmbeded(true);
    TJsonObject j = src->WriteJson();
    j["Embeded"] = false;
    Solid("red.png", 30, 30, kBlue);  // the file changed since
    auto* e = static_cast<TKVRImage*>(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j));
    EXPECT_GT(CountColour(OnScreen(*e), kRed), 9000);
    EXPECT_GT(CountColour(OnPaper(*e), kRed), 9000);
    EXPECT_EQ(CountColour(OnPaper(*e), kBlue), 0);

    // Clearing the embed flag drops the bytes: both go back to the file.
    e->SetEmbeded(false);
    EXPECT_GT(CountColour(OnScreen(*e), kBlue), 9000);
    EXPECT_GT(CountColour(OnPaper(*e), kBlue), 9000);

    TKVRImage* late = Make("late.png", 20, 20, 100, 100);
    late->SetEmbeded(true);
    Solid("late.png", 30, 30, kBlue);
    const QByteArray lateBefore = WriteBinary(*late);
    EXPECT_GT(CountColour(OnScreen(*late), kBlue), 9000);
    EXPECT_GT(CountColour(OnPaper(*late), kBlue), 9000);
    EXPECT_EQ(WriteBinary(*late), lateBefore);
}

TEST_F(ImageFixture, DataBoundPictureIsPrintedFromTheRecord)
{
    Solid("own.png", 30, 30, kRed);
    Solid("record.png", 30, 30, kBlue);
    TKVRImage* e = Make("own.png", 20, 20, 100, 100);
    e->SetFillName("Photo");
    doc.SetDataValue("Photo", "record.png");
    EXPECT_GT(CountColour(OnScreen(*e, KVRDrawState::Editor), kRed), 9000);
    EXPECT_GT(CountColour(OnScreen(*e), kBlue), 9000);
    EXPECT_GT(CountColour(OnPaper(*e), kBlue), 9000);
    EXPECT_EQ(CountColour(OnPaper(*e), kRed), 0);

    // No picture for the record: nothing on paper or in the preview; the editor keeps its marker.
    doc.SetDataValue("Photo", "");
    EXPECT_EQ(InkCount(OnPaper(*e)), 0);
    EXPECT_EQ(InkCount(OnScreen(*e)), 0);
    TKVRImage* lost = Make("missing.png", 20, 20, 100, 100);
    lost->SetFillName("Photo");
    const QImage editor = OnScreen(*lost, KVRDrawState::Editor);
    const QRect marker = InkBounds(editor);
    EXPECT_TRUE(SameBox(marker, QRect(16, 16, 8, 8), 1));
}

TEST_F(ImageFixture, GuideOfAnUnframedPictureOnlyInTheEditor)
{
    // A white picture, only half as high as the box: the guide, painted
    // before it, shows where the picture leaves the box free.
    Solid("wide.png", 60, 30, qRgb(255, 255, 255));
    TKVRImage* e = Make("wide.png", 20, 20, 100, 100);
    const QImage editor = OnScreen(*e, KVRDrawState::Editor);
    EXPECT_TRUE(SameBox(InkBounds(editor), QRect(20, 20, 100, 100), 1));
    EXPECT_GT(CountColour(editor, 0xFFC0C0C0u, 30), 200);
    EXPECT_EQ(InkCount(OnScreen(*e, KVRDrawState::Preview)), 0);
    EXPECT_EQ(InkCount(OnScreen(*e, KVRDrawState::Export)), 0);
    EXPECT_EQ(InkCount(OnPaper(*e)), 0);
    e->SetItemState(1);  // highlighted: no guide either
    EXPECT_EQ(InkCount(OnScreen(*e, KVRDrawState::Editor)), 0);
}

// ---------------------------------------------------------------- twins

TEST_F(ImageFixture, ScreenAndPaperTwins)
{
    Solid("wide.png", 300, 120, kRed);
    struct Case
    {
        TKVRFrame frame;
        bool filled;
        int radius;
        TKVRAngle angle;
    };
    const Case cases[] = {
        {KVRFrame::None, false, 0, TKVRAngle::Angle0},
        {KVRFrame::Rectangle, true, 0, TKVRAngle::Angle90},
        {KVRFrame::Rectangle, true, 1500, TKVRAngle::Angle0},
        {KVRFrame::Circle, true, 0, TKVRAngle::Angle180},
        {KVRFrame::CircleMask, true, 0, TKVRAngle::Angle270},
    };
    int n = 0;
    for (const Case& c : cases) {
        TKVRImage* e = Make("wide.png", 30, 40, 150, 100);
        e->SetFrame(c.frame);
        e->SetFilled(c.filled);
        e->SetBackColor(0xFF00C000u);
        e->SetBaseRadio(c.radius);
        e->SetAngle(c.angle);
        e->SetPenWidth(0.6f);
        e->SetBasePadding(300);
        const QImage screen = OnScreen(*e);
        const QImage paper = OnPaper(*e);
        EXPECT_TRUE(SameBox(InkBounds(screen), InkBounds(paper), 2))
            << n;
        EXPECT_TRUE(SameBox(ColourBounds(screen, kRed), ColourBounds(paper, kRed), 2))
            << n;
        EXPECT_FALSE(ColourBounds(screen, kRed).isNull()) << n;
        ++n;
    }
}

// ---------------------------------------------------------------- streams

TEST_F(ImageFixture, RoundTripsWithEmbeddedBytes)
{
    Halves("h.png", 40, 20);
    TKVRImage* e = Make("h.png", 20, 20, 100, 100);
    e->SetEmbeded(true);
    e->SetFilter(KVRImgFilter::Gray);
    e->SetImageAlign(2);
    e->SetFrame(KVRFrame::Rectangle);
    e->SetBasePadding(250);
    e->SetBaseRadio(1200);
    e->SetKeepProp(false);
    e->SetAngle(TKVRAngle::Angle270);
    e->SetFillName("Foto");
    e->SetFilled(true);
    e->SetBackColor(0x80123456u);
    ASSERT_GT(e->GetImageBytes().size(), 0);

    const QByteArray bytes = WriteBinary(*e);
    EXPECT_EQ(RoundTripBinary(doc, *e, ImageRead), bytes);
    const int count = doc.GetItemsCount();
    EXPECT_GT(CheckTruncatedRecords(doc, *e, ImageRead), 100);
    EXPECT_EQ(doc.GetItemsCount(), count);

    const TJsonObject j = e->WriteJson();
    auto* copy = static_cast<TKVRImage*>(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j));
    EXPECT_EQ(WriteJsonText(*copy), WriteJsonText(*e));
    EXPECT_EQ(copy->GetImageBytes(), e->GetImageBytes());
    EXPECT_EQ(WriteBinary(*copy), bytes);

    // The copy carries its picture: it paints without the file.
    ASSERT_TRUE(QFile::remove(fDir.filePath("h.png")));
    copy->SetFillName("");
    copy->SetFilter(KVRImgFilter::None);
    EXPECT_GT(CountColour(OnScreen(*copy), kRed), 3000);
    EXPECT_GT(CountColour(OnPaper(*copy), kBlue), 3000);
}

TEST_F(ImageFixture, ReadersRejectWhatNoImageCanHold)
{
    TKVRImage* e = Make("a.png", 20, 20, 100, 100);
    const int count = doc.GetItemsCount();
    for (const auto& [key, value] : {std::pair{"Filter", 9}, {"Frame", 9}, {"ImageAlign", 256}, {"Angle", -1}}) {
        TJsonObject j = e->WriteJson();
        j[key] = value;
        EXPECT_THROW(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j), EKVRJsonError) << key;
    }
    TJsonObject j = e->WriteJson();
    j["ImageData"] = "%%%";
    EXPECT_THROW(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j), EKVRJsonError);
    EXPECT_EQ(doc.GetItemsCount(), count);

    // A byte count larger than the rest of the stream is refused before any allocation.
    QByteArray bytes = WriteBinary(*e);
    const int countAt = bytes.size() - 4 - 2 * 16 - 4;  // picture count, then the point list
    bytes[countAt] = char(0xFF);
    bytes[countAt + 1] = char(0xFF);
    bytes[countAt + 2] = char(0xFF);
    bytes[countAt + 3] = char(0x7F);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    EXPECT_THROW(TKVRImage::Read(&doc, KVRFileVersion, reader, KVRReadType::File), EKVRStreamError);
    EXPECT_EQ(doc.GetItemsCount(), count);
}
