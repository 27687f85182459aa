// The XPS page writer: what QPainter draws on it renders in libgxps's
// xpstopng at its place and colour; dashes are checked on the markup.
#include "platform/skia/TXpsDocument.h"
#include "tests/support/PdfReader.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Render(const TXpsDocument& aDoc, const QString& aDir)
{
    QFile file(aDir + QStringLiteral("/page.xps"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    QString error;
    EXPECT_TRUE(aDoc.Save(file, error)) << error.toStdString();
    file.close();
    return RenderXps(file.fileName(), 96);
}

}  // namespace

TEST(XpsDocument, PathsImagesAndClipsRenderWhereTheyWereDrawn)
{
    // 4 x 3 inches at 300 dpi: the page is 384 x 288 at 96.
    TXpsDocument doc(1200, 900, 300);
    {
        QPainter p(&doc);
        p.fillRect(QRectF(0, 0, 1200, 900), Qt::white);
        p.fillRect(QRectF(150, 150, 300, 300), QColor(255, 0, 0));  // red square, 0.5 to 1.5 inch
        QImage blue(20, 20, QImage::Format_ARGB32);
        blue.fill(QColor(0, 0, 255));
        p.drawImage(QRectF(600, 150, 300, 300), blue);  // blue square, 2 to 3 inches
        p.setClipRect(QRectF(0, 600, 600, 300));
        p.fillRect(QRectF(300, 600, 600, 150), QColor(0, 160, 0));  // green, cut at x = 600
        p.setClipping(false);
        p.setPen(QPen(Qt::black, 6, Qt::DashLine));
        p.drawLine(QPointF(0, 850), QPointF(1200, 850));
    }
    const QByteArray markup = doc.PageMarkup();
    EXPECT_TRUE(markup.contains("Width=\"384.000\" Height=\"288.000\"")) << markup.left(300).toStdString();
    EXPECT_TRUE(markup.contains("StrokeDashArray=\"4.000 2.000\""));
    EXPECT_TRUE(markup.contains("ImageBrush"));

    QTemporaryDir dir;
    const QImage image = Render(doc, dir.path());
    ASSERT_FALSE(image.isNull());
    QDir().mkpath(QDir::tempPath() + QStringLiteral("/kvr-export"));
    image.save(QDir::tempPath() + QStringLiteral("/kvr-export/xps-writer.png"));
    EXPECT_EQ(image.size(), QSize(384, 288));
    const double k = 96.0 / 300;
    auto at = [&](double x, double y) { return image.pixelColor(int(x * k), int(y * k)); };
    EXPECT_EQ(at(300, 300), QColor(255, 0, 0));
    EXPECT_EQ(at(750, 300), QColor(0, 0, 255));
    EXPECT_EQ(at(450, 675), QColor(0, 160, 0));
    EXPECT_EQ(at(750, 675), QColor(255, 255, 255));  // clipped away
    EXPECT_EQ(at(75, 75), QColor(255, 255, 255));
}
