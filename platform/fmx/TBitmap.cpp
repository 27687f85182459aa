#include "platform/fmx/TBitmap.h"
#include "platform/fmx/TCanvas.h"
#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QTransform>
#include <cmath>

namespace {
// 96 dots per inch, as Qt stores it.
constexpr int kDotsPerMeter96 = 3780;

QImage Decode(QImageReader& reader, const QString& source)
{
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        throw EBitmapLoadingFailed(
            QString("Error loading bitmap from %1: %2").arg(source, reader.errorString()).toStdString());
    return image;
}

void Encode(const QImage& image, QIODevice& device, const QByteArray& format)
{
    QImageWriter writer(&device, format);
    const bool jpeg = format == "jpg" || format == "jpeg";
    // JPEG has no alpha: write the colours as stored.
    const QImage out = jpeg ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (image.isNull() || !writer.write(out))
        throw EBitmapSavingFailed(("Error saving Bitmap to " + format).toStdString());
}
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height)
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other) : fImage(other.fImage) {}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this != &other) {
        CheckIdle();
        fImage = other.fImage;
    }
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::CheckIdle() const
{
    // A reallocation would pull the pixels from under a mapping or a painter.
    if (fMapped || (fCanvas && fCanvas->IsInScene()))
        throw std::logic_error("Bitmap is mapped or being painted");
}

void TBitmap::Adopt(QImage image)
{
    CheckIdle();
    if (image.isNull()) {
        fImage = QImage();
        return;
    }
    if (image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    image.setDotsPerMeterX(kDotsPerMeter96);
    image.setDotsPerMeterY(kDotsPerMeter96);
    fImage = image;
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0) {
        Adopt(QImage());
        return;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        throw std::bad_alloc();
    image.fill(Qt::transparent);
    Adopt(image);
}

void TBitmap::Clear(TAlphaColor color)
{
    CheckIdle();
    if (!fImage.isNull())
        fImage.fill(QColor::fromRgba(color));
}

void TBitmap::SetImage(const QImage& image)
{
    Adopt(image);
}

void TBitmap::LoadFromFile(const QString& fileName)
{
    CheckIdle();
    const QFileInfo info(fileName);
    if (info.isFile() && info.size() == 0) {
        Adopt(QImage());
        return;
    }
    QImageReader reader(fileName);
    Adopt(Decode(reader, fileName));
}

void TBitmap::LoadFromStream(const QByteArray& bytes)
{
    CheckIdle();
    if (bytes.isEmpty()) {
        Adopt(QImage());
        return;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Adopt(Decode(reader, "stream"));
}

void TBitmap::LoadFromStream(QIODevice& stream)
{
    LoadFromStream(stream.readAll());
}

void TBitmap::SaveToStream(QByteArray& bytes) const
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    Encode(fImage, buffer, "png");
    bytes = out;
}

void TBitmap::SaveToStream(QIODevice& stream) const
{
    QByteArray bytes;
    SaveToStream(bytes);
    if (stream.write(bytes) != bytes.size())
        throw EBitmapSavingFailed("Error saving Bitmap to png");
}

void TBitmap::SaveToFile(const QString& fileName) const
{
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    // Encoded in memory, then written unbuffered: a full disk is seen as a
    // short write (a buffered save file commits the cut file), and Qt's PNG
    // and JPEG writers lose their buffers when a write fails under them.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Encode(fImage, buffer, format);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit())
        throw EBitmapSavingFailed(("Error saving Bitmap to " + format).toStdString());
}

bool TBitmap::Map(TMapAccess, TBitmapData& data)
{
    if (fImage.isNull() || fMapped || (fCanvas && fCanvas->IsInScene()))
        return false;
    // bits() detaches, so writes never reach a copy that shares the pixels.
    data.Data = fImage.bits();
    data.Pitch = int32_t(fImage.bytesPerLine());
    data.Width = fImage.width();
    data.Height = fImage.height();
    fMapped = true;
    return true;
}

void TBitmap::Unmap(TBitmapData& data)
{
    fMapped = false;
    data = TBitmapData();
}

TCanvas& TBitmap::Canvas()
{
    if (!fCanvas)
        fCanvas = std::make_unique<TCanvas>(&fImage);
    return *fCanvas;
}

void TBitmap::Rotate(float angle)
{
    CheckIdle();
    // A turn that is no number would leave no picture at all.
    if (fImage.isNull() || angle == 0.0f || !std::isfinite(angle))
        return;
    QTransform turn;
    turn.rotate(angle);
    Adopt(fImage.transformed(turn, Qt::SmoothTransformation));
}
