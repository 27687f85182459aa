#include "elements/TKVRImage.h"
#include "tests/elements/ElementTestSupport.h"
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

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
        ScreenSurface s(kSize, kSize, kDpi);
        s.draw.DrawState = aState;
        e.DrawElement(&s.draw);
        return s.Finish();
    }
    static QImage OnPaper(TKVRImage& e)
    {
        PaperSurface p(kSize, kSize, kDpi);
        e.PrintElement(&p.draw);
        return p.Finish();
    }

    QTemporaryDir fDir;
    TKVRBaseLabel doc;
};

bool Near(QRgb a, QRgb b, int tol)
{
    return std::abs(qRed(a) - qRed(b)) <= tol && std::abs(qGreen(a) - qGreen(b)) <= tol &&
           std::abs(qBlue(a) - qBlue(b)) <= tol;
}

// Bounds of the pixels within a tolerance of a colour.
QRect ColourBox(const QImage& image, QRgb c, int tol = 40)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 128 && Near(img.pixel(x, y), c, tol))
                box |= QRect(x, y, 1, 1);
    return box;
}

int ColourCount(const QImage& image, QRgb c, int tol = 40)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (qAlpha(img.pixel(x, y)) > 128 && Near(img.pixel(x, y), c, tol)) ? 1 : 0;
    return n;
}

std::string Show(const QRect& r)
{
    return r.isNull() ? "(nothing)"
                      : std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
                            std::to_string(r.height());
}

QRgb At(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

BinaryReadFn ImageRead = [](TKVRBaseLabel* l, int32_t v, TBinaryReader& r, TKVRReadType t) {
    return TKVRImage::Read(l, v, r, t);
};

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
        EXPECT_TRUE(SameBox(ColourBox(screen, kRed), expected, 1)) << int(align) << ": " << Show(ColourBox(screen, kRed));
        EXPECT_TRUE(SameBox(ColourBox(paper, kRed), expected, 1)) << int(align) << ": " << Show(ColourBox(paper, kRed));
        if (align == 1)
            SaveForLook(screen, "image-fit-centre");
    }
}

TEST_F(ImageFixture, QuarterTurnSwapsTheProportionsAndTurnsThePicture)
{
    Halves("halves.png", 400, 200);
    TKVRImage* e = Make("halves.png", 20, 20, 100, 100);
    e->SetAngle(TKVRAngle::Angle90);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    SaveForLook(screen, "image-turn-90");
    // 400 x 200 fits as 200 x 400: 50 wide, 100 high, centred across.
    for (const QImage* img : {&screen, &paper}) {
        const QRect ink = InkBounds(*img);
        EXPECT_TRUE(SameBox(ink, QRect(45, 20, 50, 100), 1)) << Show(ink);
        // -90 degrees turns counter-clockwise: the left (red) half ends at the bottom.
        EXPECT_TRUE(Near(At(*img, 70, 40), kBlue, 30));
        EXPECT_TRUE(Near(At(*img, 70, 100), kRed, 30));
    }

    e->SetAngle(TKVRAngle::Angle180);
    const QImage half = OnScreen(*e);
    EXPECT_TRUE(SameBox(InkBounds(half), QRect(20, 45, 100, 50), 1)) << Show(InkBounds(half));
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
    ScreenSurface s(kSize, kSize, kDpi);
    e->DrawElement(&s.draw);
    // Circle of radius 30 centred across the width: centre (70, 70).
    const TRectF& r = e->GetImageDest();
    const float side = 60.0f * std::sqrt(2.0f) / 2.0f;
    EXPECT_NEAR(r.Width(), side, 0.01);
    EXPECT_NEAR(r.Height(), side, 0.01);
    EXPECT_NEAR(r.CenterPoint().X, 70.0f, 0.01);
    EXPECT_NEAR(r.CenterPoint().Y, 70.0f, 0.01);

    // A pen of 1 mm (10 px) and a padding of 0.5 mm take 5 + 5 px on each side.
    e->SetPenWidth(1.0f);
    e->SetBasePadding(500);
    const QImage screen = OnScreen(*e);
    EXPECT_NEAR(e->GetImageDest().Width(), side - 20.0f, 0.01);
    SaveForLook(screen, "image-frame-circle");
    const QRect red = ColourBox(screen, kRed);
    EXPECT_TRUE(SameBox(red, QRect(QPoint(int(70 - side / 2 + 10), int(70 - side / 2 + 10)),
                                   QPoint(int(70 + side / 2 - 10), int(70 + side / 2 - 10))),
                        1))
        << Show(red);
    // The black ring is the circle, outside the picture.
    const QRect ink = InkBounds(screen);
    EXPECT_TRUE(SameBox(ink, QRect(35, 35, 70, 70), 2)) << Show(ink);
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
    SaveForLook(screen, "image-fit-inset");
    EXPECT_NEAR(e->GetImageDest().Width() / e->GetImageDest().Height(), 2.0, 1e-4);
    for (const QImage* img : {&screen, &paper}) {
        const QRect red = ColourBox(*img, kRed);
        EXPECT_TRUE(SameBox(red, QRect(35, 52, 70, 35), 1)) << Show(red);
    }
}

TEST_F(ImageFixture, WithoutKeepProportionsThePictureFillsTheBox)
{
    Solid("wide.png", 400, 200, kRed);
    TKVRImage* e = Make("wide.png", 20, 20, 100, 80);
    e->SetKeepProp(false);
    EXPECT_TRUE(SameBox(ColourBox(OnScreen(*e), kRed), QRect(20, 20, 100, 80), 1));
    EXPECT_TRUE(SameBox(ColourBox(OnPaper(*e), kRed), QRect(20, 20, 100, 80), 1));
}

TEST_F(ImageFixture, APenWiderThanTheBoxLeavesNoPicture)
{
    Solid("sq.png", 20, 20, kRed);
    TKVRImage* e = Make("sq.png", 20, 20, 10, 10);
    e->SetFrame(KVRFrame::Rectangle);
    e->SetPenWidth(2.0f);  // 20 px, twice the box
    EXPECT_EQ(ColourCount(OnScreen(*e), kRed), 0);
    EXPECT_EQ(ColourCount(OnPaper(*e), kRed), 0);
}

// ---------------------------------------------------------------- filters and mask

TEST_F(ImageFixture, GreyFilterGivesTheLuminanceOnScreenAndPaper)
{
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    for (int y = 30; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            img.setPixel(x, y, qRgb(0, 160, 0));
    Save(img, "rg.png");
    TKVRImage* e = Make("rg.png", 20, 20, 120, 120);
    e->SetFilter(KVRImgFilter::Gray);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    SaveForLook(screen, "image-grey");
    const int redGrey = int(std::lround(0.299 * 255));
    const int greenGrey = int(std::lround(0.587 * 160));
    for (const QImage* s : {&screen, &paper}) {
        EXPECT_TRUE(Near(At(*s, 80, 50), qRgb(redGrey, redGrey, redGrey), 2)) << std::hex << At(*s, 80, 50);
        EXPECT_TRUE(Near(At(*s, 80, 110), qRgb(greenGrey, greenGrey, greenGrey), 2)) << std::hex << At(*s, 80, 110);
    }
}

TEST_F(ImageFixture, BlackAndWhiteFilterFollowsEachSurfacesRule)
{
    // Four bands: black, dark grey (40), light grey (200), white.
    QImage img(40, 40, QImage::Format_RGB32);
    const int levels[] = {0, 40, 200, 255};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            img.setPixel(x, y, qRgb(levels[x / 10], levels[x / 10], levels[x / 10]));
    Save(img, "bands.png");
    TKVRImage* e = Make("bands.png", 20, 20, 160, 160);
    e->SetFilter(KVRImgFilter::BlackWhite);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    SaveForLook(paper, "image-bw-paper");
    const int xs[] = {40, 80, 120, 160};
    // Paper: threshold 128 on the luminance, pure black or white.
    const int paperExpected[] = {0, 0, 255, 255};
    // Screen: 1.5 x (r + g + b), clamped: dark grey lightens, the rest saturates.
    const int screenExpected[] = {0, std::min(255, int(std::lround(1.5 * 3 * 40))), 255, 255};
    for (int i = 0; i < 4; ++i) {
        const int v = paperExpected[i];
        EXPECT_TRUE(Near(At(paper, xs[i], 100), qRgb(v, v, v), 1)) << i << " " << std::hex << At(paper, xs[i], 100);
        const int w = screenExpected[i];
        EXPECT_TRUE(Near(At(screen, xs[i], 100), qRgb(w, w, w), 2)) << i << " " << std::hex << At(screen, xs[i], 100);
    }
}

TEST_F(ImageFixture, CircleMaskCutsThePictureToTheCircle)
{
    Solid("sq.png", 80, 80, kBlue);
    TKVRImage* e = Make("sq.png", 20, 20, 100, 100);
    e->SetFrame(KVRFrame::CircleMask);
    e->SetPenWidth(0.0f);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    SaveForLook(screen, "image-mask-screen");
    SaveForLook(paper, "image-mask-paper");
    const double disc = 3.14159265 * 50 * 50;
    for (const QImage* s : {&screen, &paper}) {
        EXPECT_TRUE(SameBox(ColourBox(*s, kBlue), QRect(20, 20, 100, 100), 1)) << Show(ColourBox(*s, kBlue));
        EXPECT_NEAR(ColourCount(*s, kBlue), disc, disc * 0.03);
        EXPECT_TRUE(Near(At(*s, 70, 70), kBlue, 10));
        EXPECT_TRUE(Near(At(*s, 23, 23), qRgb(255, 255, 255), 10));  // corner of the square: cut away
        EXPECT_TRUE(Near(At(*s, 116, 116), qRgb(255, 255, 255), 10));
    }
}

TEST_F(ImageFixture, CircleMaskOfAWidePictureIsTheSameOvalOnBothSurfaces)
{
    Solid("wide.png", 200, 100, kBlue);
    TKVRImage* e = Make("wide.png", 20, 20, 100, 100);
    e->SetFrame(KVRFrame::CircleMask);
    e->SetPenWidth(0.0f);
    const QImage screen = OnScreen(*e);
    const QImage paper = OnPaper(*e);
    SaveForLook(paper, "image-mask-wide-paper");
    const QRect a = ColourBox(screen, kBlue);
    const QRect b = ColourBox(paper, kBlue);
    EXPECT_TRUE(SameBox(a, QRect(20, 45, 100, 50), 1)) << Show(a);
    EXPECT_TRUE(SameBox(a, b, 1)) << Show(a) << " vs " << Show(b);
    const double oval = 3.14159265 * 50 * 25;
    EXPECT_NEAR(ColourCount(screen, kBlue), oval, oval * 0.04);
    EXPECT_NEAR(ColourCount(paper, kBlue), oval, oval * 0.04);
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
    EXPECT_GT(ColourCount(OnScreen(*e), kRed), 9000);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_GT(ColourCount(OnScreen(*e), kRed), 9000);  // cached until told to reload
    e->SetReload(1);
    EXPECT_EQ(InkCount(OnScreen(*e)), 0);
    EXPECT_EQ(e->GetReload(), 0);
    Solid("b.png", 30, 30, kBlue);
    e->SetFileName("b.png");  // a new name reloads
    EXPECT_GT(ColourCount(OnScreen(*e), kBlue), 9000);
}

// ---------------------------------------------------------------- sources

TEST_F(ImageFixture, PaintingNeverWritesTheDocument)
{
    Solid("a.png", 30, 30, kRed);
    TKVRImage* e = Make("a.png", 20, 20, 100, 100);
    const QByteArray before = WriteBinary(*e);
    OnScreen(*e);
    OnPaper(*e);
    EXPECT_EQ(WriteBinary(*e), before);
    EXPECT_TRUE(e->GetImageBytes().isEmpty());

    // Embedding happens when asked, not on the first paint.
    e->SetEmbeded(true);
    ASSERT_FALSE(e->GetImageBytes().isEmpty());
    const QImage embedded = QImage::fromData(e->GetImageBytes(), "PNG");
    EXPECT_EQ(embedded.size(), QSize(30, 30));
    const QByteArray kept = WriteBinary(*e);
    OnScreen(*e);
    OnPaper(*e);
    EXPECT_EQ(WriteBinary(*e), kept);

    // Embed flag set before the file exists: painting shows the file later
    // but still stores nothing.
    TKVRImage* late = Make("late.png", 20, 20, 100, 100);
    late->SetEmbeded(true);
    EXPECT_TRUE(late->GetImageBytes().isEmpty());
    Solid("late.png", 30, 30, kBlue);
    const QByteArray lateBefore = WriteBinary(*late);
    EXPECT_GT(ColourCount(OnScreen(*late), kBlue), 9000);
    EXPECT_EQ(WriteBinary(*late), lateBefore);
}

TEST_F(ImageFixture, ScreenAndPaperTakeTheSamePicture)
{
    // The element carries red bytes while its file is blue: both surfaces
    // show the bytes, whatever the embed flag says.
    Solid("red.png", 30, 30, kRed);
    TKVRImage* src = Make("red.png", 20, 20, 100, 100);
    src->SetEmbeded(true);
    TJsonObject j = src->WriteJson();
    j["Embeded"] = false;
    Solid("red.png", 30, 30, kBlue);  // the file changed since
    auto* e = static_cast<TKVRImage*>(TKVRImage::ReadFromJson(&doc, KVRFileVersion, j));
    EXPECT_GT(ColourCount(OnScreen(*e), kRed), 9000);
    EXPECT_GT(ColourCount(OnPaper(*e), kRed), 9000);
    EXPECT_EQ(ColourCount(OnPaper(*e), kBlue), 0);

    // Clearing the embed flag drops the bytes: both go back to the file.
    e->SetEmbeded(false);
    EXPECT_TRUE(e->GetImageBytes().isEmpty());
    EXPECT_GT(ColourCount(OnScreen(*e), kBlue), 9000);
    EXPECT_GT(ColourCount(OnPaper(*e), kBlue), 9000);
}

TEST_F(ImageFixture, DataBoundPictureIsPrintedFromTheRecord)
{
    Solid("own.png", 30, 30, kRed);
    Solid("record.png", 30, 30, kBlue);
    TKVRImage* e = Make("own.png", 20, 20, 100, 100);
    e->SetFillName("Photo");
    doc.SetDataValue("Photo", "record.png");
    EXPECT_GT(ColourCount(OnScreen(*e), kRed), 9000);
    EXPECT_GT(ColourCount(OnPaper(*e), kBlue), 9000);
    EXPECT_EQ(ColourCount(OnPaper(*e), kRed), 0);

    // No picture for the record: nothing on paper; the editor keeps its marker.
    doc.SetDataValue("Photo", "");
    EXPECT_EQ(InkCount(OnPaper(*e)), 0);
    TKVRImage* lost = Make("missing.png", 20, 20, 100, 100);
    lost->SetFillName("Photo");
    const QImage editor = OnScreen(*lost, KVRDrawState::Editor);
    const QRect marker = InkBounds(editor);
    EXPECT_TRUE(SameBox(marker, QRect(16, 16, 8, 8), 1)) << Show(marker);
}

TEST_F(ImageFixture, GuideOfAnUnframedPictureOnlyInTheEditor)
{
    // A white picture, only half as high as the box: the guide, painted
    // before it, shows where the picture leaves the box free.
    Solid("wide.png", 60, 30, qRgb(255, 255, 255));
    TKVRImage* e = Make("wide.png", 20, 20, 100, 100);
    const QImage editor = OnScreen(*e, KVRDrawState::Editor);
    SaveForLook(editor, "image-guide");
    EXPECT_TRUE(SameBox(InkBounds(editor), QRect(20, 20, 100, 100), 1)) << Show(InkBounds(editor));
    EXPECT_GT(ColourCount(editor, 0xFFC0C0C0u, 30), 200);
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
        if (n == 2) {
            SaveForLook(screen, "image-twin-screen");
            SaveForLook(paper, "image-twin-paper");
        }
        EXPECT_TRUE(SameBox(InkBounds(screen), InkBounds(paper), 2))
            << n << ": " << Show(InkBounds(screen)) << " vs " << Show(InkBounds(paper));
        EXPECT_TRUE(SameBox(ColourBox(screen, kRed), ColourBox(paper, kRed), 2))
            << n << ": " << Show(ColourBox(screen, kRed)) << " vs " << Show(ColourBox(paper, kRed));
        EXPECT_FALSE(ColourBox(screen, kRed).isNull()) << n;
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
    EXPECT_GT(ColourCount(OnScreen(*copy), kRed), 3000);
    EXPECT_GT(ColourCount(OnPaper(*copy), kBlue), 3000);
}

TEST_F(ImageFixture, ReadersRejectWhatNoImageCanHold)
{
    TKVRImage* e = Make("a.png", 20, 20, 100, 100);
    const int count = doc.GetItemsCount();
    for (const char* key : {"Filter", "ImageAlign", "Frame", "Angle"}) {
        TJsonObject j = e->WriteJson();
        j[key] = 9;
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

TEST_F(ImageFixture, ReadTypeTwoMakesAPreviewCopy)
{
    TKVRImage* e = Make("a.png", 20, 20, 100, 100);
    for (TKVRReadType t : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        QByteArray bytes = WriteBinary(*e);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        TKVRBaseItem* copy = TKVRImage::Read(&doc, KVRFileVersion, reader, t);
        EXPECT_EQ(copy->GetPreview(), t == KVRReadType::CellCopy);
    }
    EXPECT_FALSE(TKVRImage::ReadFromJson(&doc, KVRFileVersion, e->WriteJson())->GetPreview());
}
