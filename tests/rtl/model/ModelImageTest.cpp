#include "tests/rtl/model/ModelTestSupport.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TImage = TConcrete<TKVRBaseImage>;

TEST(ModelImage, PictureFilesAreFoundInTheImageFolder)
{
    TKVRBaseLabel doc;
    EXPECT_EQ(doc.GetImagePath("a.png"), "a.png");  // no folder: as it stands
    doc.SetImageFolder("/srv/pictures");
    EXPECT_EQ(doc.GetImagePath("a.png"), "/srv/pictures/a.png");
    doc.SetImageFolder("/srv/pictures/");
    EXPECT_EQ(doc.GetImagePath("a.png"), "/srv/pictures/a.png");
    EXPECT_EQ(doc.GetImagePath("sub/a.png"), "/srv/pictures/sub/a.png");
    EXPECT_EQ(doc.GetImagePath("/elsewhere/a.png"), "/elsewhere/a.png");
    EXPECT_EQ(doc.property("ImageFolder").toString(), "/srv/pictures/");

    TImage img(&doc, false);
    EXPECT_EQ(img.GetImagePath(), QString());
    EXPECT_TRUE(img.GetPictureSource().IsEmpty());
    img.SetFileName("b.jpg");
    EXPECT_EQ(img.GetImagePath(), "/srv/pictures/b.jpg");
    EXPECT_TRUE(img.GetPictureSource().IsEmpty());  // no such file
}

TEST(ModelImage, EmbeddingHappensWhenThePictureIsChosenOrTheFlagIsSet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage red(12, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath("red.jpg"), "JPEG"));
    QImage blue(5, 5, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(dir.filePath("blue.png"), "PNG"));

    TKVRBaseLabel doc;
    doc.SetImageFolder(dir.path());
    TImage img(&doc, false);
    img.SetFileName("red.jpg");
    EXPECT_EQ(img.GetReload(), 1);
    EXPECT_TRUE(img.GetImageBytes().isEmpty());
    EXPECT_EQ(img.GetPictureSource().Path, dir.filePath("red.jpg"));
    EXPECT_EQ(img.GetImageType(), KVRImgType::File);

    img.SetReload(0);
    img.SetEmbeded(true);
    ASSERT_FALSE(img.GetImageBytes().isEmpty());
    EXPECT_EQ(img.GetReload(), 1);
    EXPECT_EQ(img.GetImageType(), KVRImgType::Embedded);
    const QImage kept = QImage::fromData(img.GetImageBytes());
    EXPECT_EQ(kept.size(), QSize(12, 8));
    EXPECT_TRUE(img.GetImageBytes().startsWith("\x89PNG"));  // stored as PNG
    EXPECT_TRUE(img.GetPictureSource().Path.isEmpty());

    // A new picture replaces the kept one.
    img.SetFileName("blue.png");
    EXPECT_EQ(QImage::fromData(img.GetImageBytes()).size(), QSize(5, 5));
    // A picture that is not there leaves no stale bytes behind.
    img.SetFileName("gone.png");
    EXPECT_TRUE(img.GetImageBytes().isEmpty());
    EXPECT_FALSE(img.EmbedPicture());

    img.SetFileName("blue.png");
    img.SetEmbeded(false);
    EXPECT_TRUE(img.GetImageBytes().isEmpty());
    EXPECT_EQ(img.GetPictureSource().Path, dir.filePath("blue.png"));

    img.SetFillName("Photo");
    EXPECT_TRUE(img.GetIsData());
    EXPECT_EQ(img.GetImageType(), KVRImgType::Data);
}

TEST(ModelImage, DataGraphicHandsOverTheRecordsPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile f(dir.filePath("p.png"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PNGBYTES");
    f.close();

    TKVRBaseLabel doc;
    doc.SetImageFolder(dir.path());
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    EXPECT_FALSE(doc.DataGraphic("Photo", out));  // no such field
    doc.SetDataValue("Photo", " p.png ");
    EXPECT_TRUE(doc.DataGraphic("Photo", out));
    EXPECT_EQ(out.data(), QByteArray("PNGBYTES"));
    QBuffer none;
    none.open(QIODevice::ReadWrite);
    doc.SetDataValue("Photo", "q.png");
    EXPECT_FALSE(doc.DataGraphic("Photo", none));
    EXPECT_TRUE(none.data().isEmpty());
}

TEST(ModelImage, SettingsOutsideTheirListsAreRefused)
{
    TImage img(nullptr, false);
    EXPECT_THROW(img.SetFilter(3), EKVRDataError);
    EXPECT_THROW(img.SetFrame(4), EKVRDataError);
    img.SetBasePadding(-5);
    EXPECT_EQ(img.GetBasePadding(), 0);

    // Sizes follow the box; the turned size follows the quarter turn.
    img.SetBase(1, 1000, 2000);
    img.SetWidth(30.0f);
    img.SetHeight(10.0f);
    EXPECT_EQ(img.GetPoint(2), (TKVRPto{31000, 12000}));
    img.SetImgSize(400, 200);
    img.SetAngle(TKVRAngle::Angle270);
    EXPECT_EQ(img.GetImgTurnWidth(), 200);
    EXPECT_EQ(img.GetImgTurnHeight(), 400);
}

}  // namespace
