#pragma once
#include "platform/rtl/System.UITypes.h"
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

class QIODevice;
class TCanvas;

class EBitmapLoadingFailed : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class EBitmapSavingFailed : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class TMapAccess : uint8_t { Read = 0, Write = 1, ReadWrite = 2 };

// Pixels of a mapped bitmap: 32 bits each, bytes blue, green, red, alpha
// (not premultiplied), rows Pitch bytes apart.
struct TBitmapData
{
    uint8_t* Data = nullptr;
    int32_t Pitch = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    uint8_t* GetScanline(int32_t row) const { return Data + ptrdiff_t(row) * Pitch; }
};

// A raster image with value semantics (copies share pixels until written).
// Pixels are kept as QImage::Format_ARGB32 at 96 dpi, so a font size on its
// canvas is a size in pixels.
class TBitmap
{
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height);  // transparent pixels
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int32_t Width() const { return fImage.width(); }
    int32_t Height() const { return fImage.height(); }
    bool IsEmpty() const { return fImage.isNull(); }
    // New size with transparent pixels; 0 in either direction empties it.
    void SetSize(int32_t width, int32_t height);
    void Clear(TAlphaColor color);
    void Assign(const TBitmap& source) { *this = source; }

    // Decoding: no bytes give an empty bitmap; bytes that do not decode (or a
    // file that cannot be read) raise EBitmapLoadingFailed and change nothing.
    void LoadFromFile(const QString& fileName);
    void LoadFromStream(const QByteArray& bytes);
    void LoadFromStream(QIODevice& stream);

    // PNG; raises EBitmapSavingFailed with "Error saving Bitmap to png".
    void SaveToStream(QByteArray& bytes) const;
    void SaveToStream(QIODevice& stream) const;
    // Format by the file's extension (png, bmp, jpg, ...). The file is replaced
    // only when the whole image was written.
    void SaveToFile(const QString& fileName) const;

    // Direct access to the pixels. Fails on an empty bitmap, while mapped,
    // or while its canvas is in a scene.
    bool Map(TMapAccess access, TBitmapData& data);
    void Unmap(TBitmapData& data);

    // Canvas that paints into the pixels between BeginScene and EndScene.
    TCanvas& Canvas();

    // Turns the picture by degrees (clockwise on the y-down image); the size
    // becomes that of the turned picture, so quarter turns swap width and height.
    void Rotate(float angle);

    const QImage& Image() const { return fImage; }
    void SetImage(const QImage& image);

private:
    void CheckIdle() const;
    void Adopt(QImage image);

    QImage fImage;
    bool fMapped = false;
    std::unique_ptr<TCanvas> fCanvas;
};
