#include "platform/skia/TSkImage.h"
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

namespace {
ISkImage Decode(QIODevice* device)
{
    QImageReader reader(device);
    reader.setAutoTransform(true);
    return TSkImage::MakeFromRaster(reader.read());
}
}

ISkImage TSkImage::MakeFromEncoded(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return nullptr;
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    return Decode(&buffer);
}

ISkImage TSkImage::MakeFromEncodedFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return Decode(&file);
}

ISkImage TSkImage::MakeFromRaster(const QImage& pixels)
{
    if (pixels.isNull() || pixels.width() < 1 || pixels.height() < 1)
        return nullptr;
    QImage img = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return nullptr;
    return ISkImage(new TSkImage(std::move(img)));
}

QByteArray TSkImage::EncodeToBytes(TSkEncodedImageFormat format, int32_t quality) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, format == TSkEncodedImageFormat::JPEG ? "jpeg" : "png");
    QImage img = fImage;
    if (format == TSkEncodedImageFormat::JPEG) {
        writer.setQuality(std::clamp(quality, 0, 100));
        img = img.convertToFormat(QImage::Format_RGB32);  // JPEG has no alpha
    } else {
        img = img.convertToFormat(QImage::Format_ARGB32);  // store straight alpha
    }
    if (!writer.write(img))
        return {};
    return bytes;
}
