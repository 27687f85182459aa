#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

class TSkImage;
using ISkImage = std::shared_ptr<TSkImage>;

enum class TSkEncodedImageFormat : uint8_t { PNG, JPEG };

// An immutable decoded picture (Format_ARGB32_Premultiplied).
class TSkImage
{
public:
    // nullptr when the bytes or the file do not decode; never throws. EXIF
    // orientation is applied, so a photo stands as it was taken.
    static ISkImage MakeFromEncoded(const QByteArray& bytes);
    static ISkImage MakeFromEncodedFile(const QString& fileName);
    // nullptr for a null or empty image.
    static ISkImage MakeFromRaster(const QImage& pixels);

    int32_t Width() const { return fImage.width(); }
    int32_t Height() const { return fImage.height(); }
    const QImage& ToQImage() const { return fImage; }

    // Encoded bytes, empty when encoding fails. Quality (0..100) matters for
    // JPEG only; PNG is lossless.
    QByteArray EncodeToBytes(TSkEncodedImageFormat format = TSkEncodedImageFormat::PNG, int32_t quality = 80) const;

private:
    explicit TSkImage(QImage image) : fImage(std::move(image)) {}
    QImage fImage;
};
