#include "document/KVR.FMX.BackImage.h"
#include "document/KVR.FMX.h"
#include "platform/fmx/TCanvas.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/TSkCanvas.h"
#include "render/TKVRDraw.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/ImageProbes.h"
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 10 pixels per millimetre: a 40 x 20 mm label is 400 x 200 pixels.
constexpr int kDpi = 254;
constexpr int kOx = 20, kOy = 30;

// Quadrants red, green / blue, yellow, so a turn shows in the corners.
QImage Quadrants(int w = 60, int h = 40)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, y < h / 2 ? (x < w / 2 ? 0xFFFF0000 : 0xFF00FF00) : (x < w / 2 ? 0xFF0000FF : 0xFFFFFF00));
    return img;
}

QByteArray Png(const QImage& aImage)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    aImage.save(&buffer, "PNG");
    return bytes;
}

// A 40 x 20 mm label whose first layer holds the picture with margins
// 3, 1, 5, 2 mm and shows it everywhere.
void Prepare(TVXLabelFMX& aDoc)
{
    aDoc.SetUnits(TKVRUnits::Millimetre);
    aDoc.GetMeasure().SetWidth(40000);
    aDoc.GetMeasure().SetHeight(20000);
    TKVRLayer* layer = aDoc.GetLayer(0);
    layer->SetState(TKVRLayer::StateVisible | TKVRLayer::StatePrintable | TKVRLayer::StateBackPrint |
                    TKVRLayer::StateBackExport);
    layer->ImgBytes = Png(Quadrants());
    layer->ImgMarLeft = 3;
    layer->ImgMarTop = 1;
    layer->ImgMarRight = 5;
    layer->ImgMarBottom = 2;
    aDoc.SetBackLayer(1);
}

TKVRDraw Context(int aScale, TKVRDrawState aState)
{
    TKVRDraw d;
    d.SetResolution(kDpi, kDpi, aScale);
    d.DrawState = aState;
    d.ScreenOffsetX = kOx;
    d.ScreenOffsetY = kOy;
    return d;
}

struct TPainted
{
    bool Result = false;
    QImage Image;
};

TPainted Screen(TVXLabelFMX& aDoc, TKVRDraw aDraw)
{
    ISkCanvas canvas = TSkCanvas::MakeRaster(900, 300);
    TPainted p;
    p.Result = aDoc.DrawBackImage(canvas, aDraw);
    p.Image = canvas->Snapshot();
    return p;
}

// On paper the cell sits at the print offsets; aCellX moves it to another column.
TPainted Paper(TVXLabelFMX& aDoc, TKVRDraw aDraw, int aCellX = kOx)
{
    TPainted p;
    p.Image = QImage(900, 300, QImage::Format_ARGB32);
    p.Image.fill(Qt::transparent);
    TCanvas canvas(&p.Image);
    EXPECT_TRUE(canvas.BeginScene());
    aDraw.pC = &canvas;
    aDraw.DrawState = KVRDrawState::Print;
    aDraw.PrintOffsetX = aCellX;
    aDraw.PrintOffsetY = kOy;
    p.Result = aDoc.PrintBackImage(aDraw);
    canvas.EndScene();
    return p;
}

bool Blank(const QImage& aImage)
{
    return ImageProbes::Bounds(aImage, ImageProbes::Alpha).isNull();
}

// Each colour channel clearly on or off.
QRgb Pure(QRgb aColor)
{
    auto c = [](int v) { return v > 160 ? 255 : v < 96 ? 0 : -1; };
    if (c(qRed(aColor)) < 0 || c(qGreen(aColor)) < 0 || c(qBlue(aColor)) < 0)
        return 0;
    return qRgb(c(qRed(aColor)), c(qGreen(aColor)), c(qBlue(aColor)));
}

struct TTurnCase
{
    int Turns;
    QRect Box;      // relative to the cell: the label less its turned margins
    QRgb TopLeft;   // the picture's quadrant that lands there
    QRgb BottomRight;
};

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kYellow = qRgb(255, 255, 0);

// Margins 30, 10, 50, 20 pixels; a quarter turn brings the top margin to
// the left edge, the right one to the top, and so on.
const TTurnCase kTurns[] = {
    {0, QRect(QPoint(30, 10), QPoint(349, 179)), kRed, kYellow},
    {1, QRect(QPoint(10, 50), QPoint(379, 169)), kGreen, kBlue},
    {2, QRect(QPoint(50, 20), QPoint(369, 189)), kYellow, kRed},
    {3, QRect(QPoint(20, 30), QPoint(389, 149)), kBlue, kGreen},
};

std::string PlacementName(const ::testing::TestParamInfo<std::tuple<TTurnCase, int, bool>>& aInfo)
{
    return "Turn" + std::to_string(std::get<0>(aInfo.param).Turns) + "Scale" +
           std::to_string(std::get<1>(aInfo.param)) + (std::get<2>(aInfo.param) ? "Paper" : "Screen");
}

class BackImagePlacement : public ::testing::TestWithParam<std::tuple<TTurnCase, int, bool>>
{
};

TEST_P(BackImagePlacement, FillsTheCellLessItsMarginsTurnedWithTheLabel)
{
    const auto& [turn, scale, paper] = GetParam();
    TVXLabelFMX doc;
    Prepare(doc);
    doc.SetLabelRotation(uint8_t(turn.Turns));
    const int cellX = paper ? kOx + 430 : kOx;  // paper: the second cell of a row
    const TPainted p = paper ? Paper(doc, Context(scale, KVRDrawState::Print), cellX)
                             : Screen(doc, Context(scale, KVRDrawState::Editor));
    ImageProbes::SaveForLooking(p.Image, QStringLiteral("back_%1_%2_%3.png")
                                             .arg(turn.Turns).arg(scale).arg(paper ? "paper" : "screen"));
    ASSERT_TRUE(p.Result);
    const QRect want = turn.Box.translated(cellX, kOy);
    const QRect got = ImageProbes::Bounds(p.Image, ImageProbes::Alpha);
    EXPECT_NEAR(got.left(), want.left(), 1);
    EXPECT_NEAR(got.top(), want.top(), 1);
    EXPECT_NEAR(got.right(), want.right(), 1);
    EXPECT_NEAR(got.bottom(), want.bottom(), 1);
    const int qx = want.width() / 4, qy = want.height() / 4;
    EXPECT_EQ(Pure(p.Image.pixel(want.left() + qx, want.top() + qy)), turn.TopLeft);
    EXPECT_EQ(Pure(p.Image.pixel(want.right() - qx, want.bottom() - qy)), turn.BottomRight);
}

INSTANTIATE_TEST_SUITE_P(, BackImagePlacement,
                         ::testing::Combine(::testing::ValuesIn(kTurns), ::testing::Values(1, 50),
                                            ::testing::Bool()),
                         PlacementName);

TEST(BackImage, AFileInTheImageFolderIsPaintedAndEmbeddedOnFirstUse)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(Quadrants(30, 20).save(QDir(dir.path()).filePath("back.png")));
    for (bool embed : {false, true}) {
        TVXLabelFMX doc;
        Prepare(doc);
        doc.SetImageFolder(dir.path());  // no trailing delimiter
        TKVRLayer* layer = doc.GetLayer(0);
        layer->ImgBytes.clear();
        layer->ImgFileName = "back.png";
        layer->ImgEmbed = embed;
        const TPainted printed = Paper(doc, Context(1, KVRDrawState::Print));
        EXPECT_TRUE(printed.Result);
        EXPECT_TRUE(layer->ImgBytes.isEmpty()) << "paper decodes and stores nothing";
        const TPainted shown = Screen(doc, Context(1, KVRDrawState::Editor));
        ASSERT_TRUE(shown.Result);
        EXPECT_EQ(Pure(shown.Image.pixel(kOx + 60, kOy + 40)), kRed);
        EXPECT_EQ(Pure(printed.Image.pixel(kOx + 60, kOy + 40)), kRed);
        if (embed) {
            const QImage stored = QImage::fromData(layer->ImgBytes, "PNG");
            ASSERT_FALSE(stored.isNull());
            EXPECT_EQ(stored.size(), QSize(30, 20));
            EXPECT_EQ(stored.pixel(25, 15), 0xFFFFFF00u);
        } else {
            EXPECT_TRUE(layer->ImgBytes.isEmpty());
        }
    }
}

TEST(BackImage, WithoutAPictureOrRoomNothingIsPaintedAndFalseReturned)
{
    struct Case
    {
        const char* Name;
        std::function<void(TVXLabelFMX&)> Spoil;
    };
    const Case cases[] = {
        {"no source", [](TVXLabelFMX& d) { d.GetLayer(0)->ImgBytes.clear(); }},
        {"missing file",
         [](TVXLabelFMX& d) {
             d.GetLayer(0)->ImgBytes.clear();
             d.GetLayer(0)->ImgFileName = "/nonexistent/none.png";
         }},
        {"undecodable bytes on screen", [](TVXLabelFMX& d) { d.GetLayer(0)->ImgBytes = "not a picture"; }},
        {"margins wider than the label",
         [](TVXLabelFMX& d) {
             d.GetLayer(0)->ImgMarLeft = 30;
             d.GetLayer(0)->ImgMarRight = 15;
         }},
        {"margins taller than the label", [](TVXLabelFMX& d) { d.GetLayer(0)->ImgMarBottom = 19; }},
        {"index beyond the layers", [](TVXLabelFMX& d) { d.SetBackLayer(2); }},
        {"index 0", [](TVXLabelFMX& d) { d.SetBackLayer(0); }},
        {"hidden layer", [](TVXLabelFMX& d) { d.GetLayer(0)->SetState(0x0180); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX doc;
        Prepare(doc);
        c.Spoil(doc);
        const TPainted shown = Screen(doc, Context(1, KVRDrawState::Editor));
        EXPECT_FALSE(shown.Result);
        EXPECT_TRUE(Blank(shown.Image));
        if (std::string(c.Name) == "undecodable bytes on screen") {
            TKVRDraw d = Context(1, KVRDrawState::Print);
            EXPECT_ANY_THROW(Paper(doc, d)) << "paper reports the broken picture";
            continue;
        }
        const TPainted printed = Paper(doc, Context(1, KVRDrawState::Print));
        EXPECT_FALSE(printed.Result);
        EXPECT_TRUE(Blank(printed.Image));
    }
}

TEST(BackImage, EachOutputHasItsOwnBit)
{
    struct Case
    {
        uint16_t Bits;
        bool Editor, Preview, Export, Paper;
    };
    const uint16_t shown = TKVRLayer::StateVisible;
    const Case cases[] = {
        {shown, true, false, false, false},
        {shown | TKVRLayer::StateBackPrint, true, true, false, true},
        {shown | TKVRLayer::StateBackExport, true, false, true, false},
        {shown | TKVRLayer::StateBackPrint | TKVRLayer::StateBackExport, true, true, true, true},
        {TKVRLayer::StateBackPrint | TKVRLayer::StateBackExport, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bits);
        TVXLabelFMX doc;
        Prepare(doc);
        doc.GetLayer(0)->SetState(c.Bits);
        for (auto [state, want] : {std::pair{KVRDrawState::Editor, c.Editor}, std::pair{KVRDrawState::Preview, c.Preview},
                                   std::pair{KVRDrawState::Export, c.Export}}) {
            const TPainted p = Screen(doc, Context(1, state));
            EXPECT_EQ(p.Result, want) << int(state);
            EXPECT_EQ(Blank(p.Image), !want) << int(state);
        }
        const TPainted printed = Paper(doc, Context(1, KVRDrawState::Print));
        EXPECT_EQ(printed.Result, c.Paper);
        EXPECT_EQ(Blank(printed.Image), !c.Paper);
    }
}

TEST(BackImage, TheScreenKeepsItsPictureUntilAReloadIsAsked)
{
    TVXLabelFMX doc;
    Prepare(doc);
    ASSERT_TRUE(Screen(doc, Context(1, KVRDrawState::Editor)).Result);
    EXPECT_FALSE(doc.GetImgReload());
    QImage green(8, 8, QImage::Format_ARGB32);
    green.fill(0xFF00FF00);
    doc.GetLayer(0)->ImgBytes = Png(green);
    EXPECT_EQ(Pure(Screen(doc, Context(1, KVRDrawState::Editor)).Image.pixel(kOx + 60, kOy + 40)), kRed);
    EXPECT_EQ(Pure(Paper(doc, Context(1, KVRDrawState::Print)).Image.pixel(kOx + 60, kOy + 40)), kGreen)
        << "paper decodes every cell";
    doc.SetImgReload(true);
    EXPECT_EQ(Pure(Screen(doc, Context(1, KVRDrawState::Editor)).Image.pixel(kOx + 60, kOy + 40)), kGreen);
}

TEST(BackImage, DamagedLayerPicturesAreRefused)
{
    TKVRLayer layer(0);
    EXPECT_THROW(layer.ReadJson(TJsonObject{{"ImgMarLeft", -1.0}}), std::runtime_error);
    EXPECT_THROW(layer.ReadJson(TJsonObject{{"ImgData", "**not base64**"}}), std::runtime_error);
    EXPECT_TRUE(layer.ImgBytes.isEmpty());
    EXPECT_FLOAT_EQ(layer.GetImgMarLeft(), 0);
}

}  // namespace
